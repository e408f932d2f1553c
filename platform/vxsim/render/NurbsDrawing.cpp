#include "NurbsDrawing.h"

#include <GL/gl.h>

#include <maya/MBoundingBox.h>
#include <maya/MColor.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>
#include <maya/MPointArray.h>

#include <algorithm>
#include <vector>

#include "SceneDrawing.h"

namespace vxsim::render {

namespace {

// Line segments per span: enough for a circle of eight spans to look round.
constexpr int kLineSegmentsPerSpan = 8;
// Shaded patches per span and direction.
constexpr int kShadedCellsPerSpan = 4;
constexpr GLfloat kCVSize = 4.0f;
constexpr GLfloat kEditPointSize = 3.0f;
constexpr GLfloat kMaterialDiffuse[4] = {0.7f, 0.7f, 0.7f, 1.0f};

bool flag(const MObject& node, const char* attribute) {
    MStatus status;
    const MPlug plug = MFnDependencyNode(node).findPlug(attribute, &status);
    return status && plug.asBool();
}

// The distinct knot values inside the range: where spans meet.
std::vector<double> spanBreaks(const MDoubleArray& knots, double start, double end) {
    std::vector<double> breaks;
    for (unsigned int i = 0; i < knots.length(); ++i) {
        const double k = knots[i];
        if (k >= start && k <= end && (breaks.empty() || k > breaks.back()))
            breaks.push_back(k);
    }
    return breaks;
}

// The span breaks with `perSpan - 1` samples between each two.
std::vector<double> samples(const std::vector<double>& breaks, int perSpan) {
    std::vector<double> params;
    for (size_t i = 0; i + 1 < breaks.size(); ++i) {
        for (int s = 0; s < perSpan; ++s)
            params.push_back(breaks[i] + (breaks[i + 1] - breaks[i]) * s / perSpan);
    }
    if (!breaks.empty())
        params.push_back(breaks.back());
    return params;
}

void vertex(const MPoint& p) {
    glVertex3d(p.x, p.y, p.z);
}

void drawPoints(const MPointArray& points, GLfloat size) {
    glPointSize(size);
    glBegin(GL_POINTS);
    for (unsigned int i = 0; i < points.length(); ++i)
        vertex(points[i]);
    glEnd();
    glPointSize(1.0f);
}

void drawBox(const MBoundingBox& box) {
    const MPoint lo = box.min();
    const MPoint hi = box.max();
    const double xs[2] = {lo.x, hi.x};
    const double ys[2] = {lo.y, hi.y};
    const double zs[2] = {lo.z, hi.z};
    glBegin(GL_LINES);
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            glVertex3d(lo.x, ys[a], zs[b]);
            glVertex3d(hi.x, ys[a], zs[b]);
            glVertex3d(xs[a], lo.y, zs[b]);
            glVertex3d(xs[a], hi.y, zs[b]);
            glVertex3d(xs[a], ys[b], lo.z);
            glVertex3d(xs[a], ys[b], hi.z);
        }
    }
    glEnd();
}

// CVs: all of them in the CV colour, the picked ones over them in the picked colour (at the
// same depth, so they must pass where the others were drawn).
void drawCVs(const MPointArray& cvs, const std::vector<int>* picked) {
    glDepthFunc(GL_LEQUAL);
    setPointComponentColor(false);
    drawPoints(cvs, kCVSize);
    if (picked) {
        MPointArray chosen;
        for (int index : *picked) {
            if (index >= 0 && index < static_cast<int>(cvs.length()))
                chosen.append(cvs[static_cast<unsigned int>(index)]);
        }
        setPointComponentColor(true);
        drawPoints(chosen, kCVSize);
    }
    glDepthFunc(GL_LESS);
}

// --- curves ---------------------------------------------------------------------------------

void drawCurve(const MDagPath& path, M3dView::DisplayStyle style,
               const SelectionDisplay& selection) {
    MFnNurbsCurve fn(path);
    MPointArray cvs;
    MDoubleArray knots;
    double start = 0.0;
    double end = 0.0;
    if (!fn.getCVs(cvs) || !fn.getKnots(knots) || !fn.getKnotDomain(start, end))
        return;
    const M3dView::DisplayStatus status = selection.statusOf(path);
    setObjectColor(path, status);
    if (style == M3dView::kBoundingBox) {
        drawBox(fn.boundingBox());
        return;
    }
    const std::vector<double> breaks = spanBreaks(knots, start, end);
    glBegin(GL_LINE_STRIP);
    for (double u : samples(breaks, kLineSegmentsPerSpan)) {
        MPoint p;
        fn.getPointAtParam(u, p);
        vertex(p);
    }
    glEnd();
    const MObject node = fn.object();
    if (flag(node, "dispHull")) {
        glBegin(GL_LINE_STRIP);
        for (unsigned int i = 0; i < cvs.length(); ++i)
            vertex(cvs[i]);
        glEnd();
    }
    if (flag(node, "dispEP")) {
        MPointArray editPoints;
        for (double u : breaks) {
            MPoint p;
            fn.getPointAtParam(u, p);
            editPoints.append(p);
        }
        drawPoints(editPoints, kEditPointSize);
    }
    const std::vector<int>* picked = selection.cvsOf(path);
    if (flag(node, "dispCV") || status == M3dView::kHilite || style == M3dView::kPoints)
        drawCVs(cvs, picked);
}

// --- surfaces ---------------------------------------------------------------------------------

struct SurfaceGrid {
    std::vector<double> u;
    std::vector<double> v;
};

SurfaceGrid breaksOf(const MFnNurbsSurface& fn) {
    MDoubleArray knotsU;
    MDoubleArray knotsV;
    double u0 = 0.0, u1 = 0.0, v0 = 0.0, v1 = 0.0;
    fn.getKnotsInU(knotsU);
    fn.getKnotsInV(knotsV);
    fn.getKnotDomain(u0, u1, v0, v1);
    return {spanBreaks(knotsU, u0, u1), spanBreaks(knotsV, v0, v1)};
}

void drawShadedSurface(const MFnNurbsSurface& fn, const SurfaceGrid& breaks) {
    const std::vector<double> us = samples(breaks.u, kShadedCellsPerSpan);
    const std::vector<double> vs = samples(breaks.v, kShadedCellsPerSpan);
    if (us.size() < 2 || vs.size() < 2)
        return;
    std::vector<MPoint> points(us.size() * vs.size());
    std::vector<MVector> normals(points.size());
    for (size_t i = 0; i < us.size(); ++i) {
        for (size_t j = 0; j < vs.size(); ++j) {
            fn.getPointAtParam(us[i], vs[j], points[i * vs.size() + j]);
            normals[i * vs.size() + j] = fn.normal(us[i], vs[j]);
        }
    }
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kMaterialDiffuse);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    for (size_t i = 0; i + 1 < us.size(); ++i) {
        glBegin(GL_QUAD_STRIP);
        for (size_t j = 0; j < vs.size(); ++j) {
            for (size_t row : {i, i + 1}) {
                const MVector& n = normals[row * vs.size() + j];
                glNormal3d(n.x, n.y, n.z);
                vertex(points[row * vs.size() + j]);
            }
        }
        glEnd();
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
}

// Isoparms at every span break, in both directions.
void drawIsoparms(const MFnNurbsSurface& fn, const SurfaceGrid& breaks) {
    const std::vector<double> us = samples(breaks.u, kLineSegmentsPerSpan);
    const std::vector<double> vs = samples(breaks.v, kLineSegmentsPerSpan);
    MPoint p;
    for (double u : breaks.u) {
        glBegin(GL_LINE_STRIP);
        for (double v : vs) {
            fn.getPointAtParam(u, v, p);
            vertex(p);
        }
        glEnd();
    }
    for (double v : breaks.v) {
        glBegin(GL_LINE_STRIP);
        for (double u : us) {
            fn.getPointAtParam(u, v, p);
            vertex(p);
        }
        glEnd();
    }
}

void drawHull(const MFnNurbsSurface& fn, const MPointArray& cvs) {
    const int countU = fn.numCVsInU();
    const int countV = fn.numCVsInV();
    for (int u = 0; u < countU; ++u) {
        glBegin(GL_LINE_STRIP);
        for (int v = 0; v < countV; ++v)
            vertex(cvs[static_cast<unsigned int>(u * countV + v)]);
        glEnd();
    }
    for (int v = 0; v < countV; ++v) {
        glBegin(GL_LINE_STRIP);
        for (int u = 0; u < countU; ++u)
            vertex(cvs[static_cast<unsigned int>(u * countV + v)]);
        glEnd();
    }
}

void drawSurface(const MDagPath& path, M3dView::DisplayStyle style,
                 const SelectionDisplay& selection) {
    MFnNurbsSurface fn(path);
    MPointArray cvs;
    if (!fn.getCVs(cvs))
        return;
    const M3dView::DisplayStatus status = selection.statusOf(path);
    if (style == M3dView::kBoundingBox) {
        setObjectColor(path, status);
        drawBox(fn.boundingBox());
        return;
    }
    const SurfaceGrid breaks = breaksOf(fn);
    const bool shaded = style == M3dView::kFlatShaded || style == M3dView::kGouraudShaded;
    if (shaded)
        drawShadedSurface(fn, breaks);
    setObjectColor(path, status);
    if (style != M3dView::kPoints && (!shaded || status != M3dView::kDormant))
        drawIsoparms(fn, breaks);
    const MObject node = fn.object();
    if (flag(node, "dispHull"))
        drawHull(fn, cvs);
    if (flag(node, "dispCV") || status == M3dView::kHilite || style == M3dView::kPoints)
        drawCVs(cvs, selection.cvsOf(path));
}

template <class Draw>
void drawEvery(MFn::Type type, Draw draw) {
    for (MItDag it(MItDag::kDepthFirst, type); !it.isDone(); it.next()) {
        MDagPath path;
        if (!it.getPath(path) || !isDrawnPath(path))
            continue;
        const MMatrix world = path.inclusiveMatrix();
        glPushMatrix();
        glMultMatrixd(&world.matrix[0][0]);
        draw(path);
        glPopMatrix();
    }
}

}  // namespace

bool isDrawnPath(const MDagPath& path) {
    for (MDagPath walk = path; walk.length() > 0; walk.pop()) {
        const MObject node = walk.node();
        MStatus status;
        const MPlug visibility = MFnDependencyNode(node).findPlug("visibility", &status);
        if ((status && !visibility.asBool()) || flag(node, "intermediateObject"))
            return false;
    }
    return true;
}

bool isTemplatedPath(const MDagPath& path) {
    for (MDagPath walk = path; walk.length() > 0; walk.pop()) {
        if (flag(walk.node(), "template"))
            return true;
    }
    return false;
}

void setObjectColor(const MDagPath& path, M3dView::DisplayStatus status) {
    if (isTemplatedPath(path)) {
        const MColor grey = M3dView().colorAtIndex(0, M3dView::kTemplateColor);
        glColor4f(grey.r, grey.g, grey.b, 1.0f);
    } else {
        setPaletteColor(wireIndexOf(status));
    }
}

void drawVisibleNurbs(M3dView::DisplayStyle style, const SelectionDisplay& selection) {
    glDisable(GL_LIGHTING);
    drawEvery(MFn::kNurbsCurve, [&](const MDagPath& path) { drawCurve(path, style, selection); });
    drawEvery(MFn::kNurbsSurface,
              [&](const MDagPath& path) { drawSurface(path, style, selection); });
}

}  // namespace vxsim::render
