#include "SkeletonDrawing.h"

#include <GL/gl.h>

#include <maya/MFnDagNode.h>
#include <maya/MFnIkHandle.h>
#include <maya/MItDag.h>
#include <maya/MMatrix.h>
#include <maya/MPlug.h>

#include <cmath>

#include "NurbsDrawing.h"

namespace vxsim::render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCircleSegments = 24;
// The drawn joint sphere's radius, relative to the joint's "radius", as its picking uses.
constexpr double kJointSphereScale = 0.5;
// A bone's base half-width, relative to its parent joint's radius.
constexpr double kBoneWidthScale = 0.25;
constexpr double kHandleCrossSize = 0.5;
constexpr double kEmitterSize = 0.3;

MPoint positionOf(const MMatrix& world) {
    return MPoint(world[3][0], world[3][1], world[3][2]);
}

MVector axisOf(const MMatrix& world, int row) {
    return MVector(world[row][0], world[row][1], world[row][2]).normal();
}

double radiusOf(const MDagPath& joint) {
    MStatus status;
    const MPlug plug = MFnDagNode(joint).findPlug("radius", &status);
    return status ? plug.asDouble() : 1.0;
}

void vertex(const MPoint& p) {
    glVertex3d(p.x, p.y, p.z);
}

void circle(const MPoint& centre, const MVector& a, const MVector& b, double radius) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kCircleSegments; ++i) {
        const double t = 2.0 * kPi * i / kCircleSegments;
        vertex(centre + (a * std::cos(t) + b * std::sin(t)) * radius);
    }
    glEnd();
}

void setStatusColor(const MDagPath& path, const SelectionDisplay& selection) {
    setObjectColor(path, selection.statusOf(path));
}

// A four-sided pyramid from a square around `base` to `tip`.
void bone(const MPoint& base, const MPoint& tip, double halfWidth) {
    const MVector along = tip - base;
    if (along.length() < 1e-9)
        return;
    const MVector dir = along.normal();
    const MVector trial = std::fabs(dir.x) < 0.9 ? MVector::xAxis : MVector::yAxis;
    const MVector side = (dir ^ trial).normal() * halfWidth;
    const MVector up = (dir ^ side).normal() * halfWidth;
    const MPoint corners[4] = {base + side, base + up, base - side, base - up};
    glBegin(GL_LINES);
    for (int i = 0; i < 4; ++i) {
        vertex(corners[i]);
        vertex(corners[(i + 1) % 4]);
        vertex(corners[i]);
        vertex(tip);
    }
    glEnd();
}

void drawJoint(const MDagPath& path, const SelectionDisplay& selection) {
    const MMatrix world = path.inclusiveMatrix();
    const MPoint centre = positionOf(world);
    const double radius = radiusOf(path);
    setStatusColor(path, selection);
    const double r = radius * kJointSphereScale;
    const MVector x = axisOf(world, 0);
    const MVector y = axisOf(world, 1);
    const MVector z = axisOf(world, 2);
    circle(centre, x, y, r);
    circle(centre, y, z, r);
    circle(centre, z, x, r);
    for (unsigned int i = 0; i < path.childCount(); ++i) {
        MDagPath child = path;
        child.push(path.child(i));
        if (!child.node().hasFn(MFn::kJoint) || !isDrawnPath(child))
            continue;
        const MPoint end = positionOf(child.inclusiveMatrix());
        const MVector back = centre - end;
        // The bone ends on the child's sphere, where its picking ends too.
        const MPoint tip =
            back.length() > 0.0 ? end + back.normal() * radiusOf(child) * kJointSphereScale : end;
        bone(centre, tip, radius * kBoneWidthScale);
    }
}

void drawHandle(const MDagPath& path, const SelectionDisplay& selection) {
    const MPoint at = positionOf(path.inclusiveMatrix());
    setStatusColor(path, selection);
    glBegin(GL_LINES);
    for (const MVector& axis : {MVector::xAxis, MVector::yAxis, MVector::zAxis}) {
        vertex(at - axis * kHandleCrossSize);
        vertex(at + axis * kHandleCrossSize);
    }
    MFnIkHandle fn(path);
    MDagPath start;
    if (fn.getStartJoint(start)) {
        vertex(positionOf(start.inclusiveMatrix()));
        vertex(at);
    }
    glEnd();
}

void drawEmitter(const MDagPath& path, const SelectionDisplay& selection) {
    const MPoint at = positionOf(path.inclusiveMatrix());
    setStatusColor(path, selection);
    circle(at, MVector::xAxis, MVector::yAxis, kEmitterSize);
    glBegin(GL_LINES);
    for (int i = 0; i < 8; ++i) {
        const double t = 2.0 * kPi * i / 8;
        const MVector ray(std::cos(t), std::sin(t), 0.0);
        vertex(at + ray * kEmitterSize);
        vertex(at + ray * (2.0 * kEmitterSize));
    }
    vertex(at - MVector::zAxis * (2.0 * kEmitterSize));
    vertex(at + MVector::zAxis * (2.0 * kEmitterSize));
    glEnd();
}

template <class Draw>
void drawEvery(MFn::Type type, Draw draw) {
    for (MItDag it(MItDag::kDepthFirst, type); !it.isDone(); it.next()) {
        MDagPath path;
        if (it.getPath(path) && isDrawnPath(path))
            draw(path);
    }
}

}  // namespace

void drawVisibleSkeletons(const SelectionDisplay& selection) {
    glDisable(GL_LIGHTING);
    drawEvery(MFn::kJoint, [&](const MDagPath& path) { drawJoint(path, selection); });
    drawEvery(MFn::kIkHandle, [&](const MDagPath& path) { drawHandle(path, selection); });
    drawEvery(MFn::kEmitter, [&](const MDagPath& path) { drawEmitter(path, selection); });
}

}  // namespace vxsim::render
