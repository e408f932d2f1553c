#include "MeshDrawing.h"

#include <GL/gl.h>

#include <maya/MBoundingBox.h>
#include <maya/MFnMesh.h>
#include <maya/MVector.h>

#include <algorithm>

namespace vxsim::render {

namespace {

// Whether the face at `first` with `count` vertices has at least `minimum` of them, all
// valid point indices.
bool isDrawable(const mayasim::RenderMesh& mesh, std::size_t first, int count, int minimum) {
    if (count < minimum || first + count > mesh.faceConnects.size())
        return false;
    const int pointCount = static_cast<int>(mesh.points.size());
    for (int i = 0; i < count; ++i) {
        const int index = mesh.faceConnects[first + i];
        if (index < 0 || index >= pointCount)
            return false;
    }
    return true;
}

// Calls `visit(first, count)` for every drawable face.
template <typename Visit>
void forEachFace(const mayasim::RenderMesh& mesh, int minimum, Visit visit) {
    std::size_t first = 0;
    for (int count : mesh.faceCounts) {
        if (count < 0 || first + count > mesh.faceConnects.size())
            return;
        if (isDrawable(mesh, first, count, minimum))
            visit(first, count);
        first += count;
    }
}

const MPoint& pointOf(const mayasim::RenderMesh& mesh, std::size_t faceVertex) {
    return mesh.points[mesh.faceConnects[faceVertex]];
}

// Newell's method: robust for non-planar and concave polygons, and its direction follows
// the winding, so it agrees with OpenGL's front faces.
MVector faceNormal(const mayasim::RenderMesh& mesh, std::size_t first, int count) {
    MVector n(0.0, 0.0, 0.0);
    for (int i = 0; i < count; ++i) {
        const MPoint& a = pointOf(mesh, first + i);
        const MPoint& b = pointOf(mesh, first + (i + 1) % count);
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n.normal();
}

}  // namespace

void drawShaded(const mayasim::RenderMesh& mesh) {
    forEachFace(mesh, 3, [&](std::size_t first, int count) {
        const MVector normal = faceNormal(mesh, first, count);
        glBegin(GL_POLYGON);
        glNormal3d(normal.x, normal.y, normal.z);
        for (int i = 0; i < count; ++i) {
            const MPoint& p = pointOf(mesh, first + i);
            glVertex3d(p.x, p.y, p.z);
        }
        glEnd();
    });
}

void drawWireframe(const mayasim::RenderMesh& mesh) {
    forEachFace(mesh, 2, [&](std::size_t first, int count) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < count; ++i) {
            const MPoint& p = pointOf(mesh, first + i);
            glVertex3d(p.x, p.y, p.z);
        }
        glEnd();
    });
}

void drawPoints(const mayasim::RenderMesh& mesh, const std::vector<int>* only) {
    const int count = static_cast<int>(mesh.points.size());
    glBegin(GL_POINTS);
    if (only) {
        for (int index : *only) {
            if (index >= 0 && index < count)
                glVertex3d(mesh.points[index].x, mesh.points[index].y, mesh.points[index].z);
        }
    } else {
        for (const MPoint& p : mesh.points)
            glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
}

void drawFaces(const mayasim::RenderMesh& mesh, const std::vector<int>& faces) {
    if (faces.empty())
        return;
    std::vector<std::size_t> starts(mesh.faceCounts.size() + 1, 0);
    for (std::size_t f = 0; f < mesh.faceCounts.size(); ++f)
        starts[f + 1] = starts[f] + static_cast<std::size_t>(std::max(mesh.faceCounts[f], 0));
    for (int index : faces) {
        if (index < 0 || index >= static_cast<int>(mesh.faceCounts.size()) ||
            !isDrawable(mesh, starts[index], mesh.faceCounts[index], 3)) {
            continue;
        }
        glBegin(GL_POLYGON);
        for (int i = 0; i < mesh.faceCounts[index]; ++i) {
            const MPoint& p = pointOf(mesh, starts[index] + i);
            glVertex3d(p.x, p.y, p.z);
        }
        glEnd();
    }
}

void drawEdges(const mayasim::RenderMesh& mesh, const std::vector<int>& edges) {
    MFnMesh fn(mesh.path);
    const int pointCount = static_cast<int>(mesh.points.size());
    glBegin(GL_LINES);
    for (int edge : edges) {
        int2 ends = {-1, -1};
        if (!fn.getEdgeVertices(edge, ends) || ends[0] < 0 || ends[1] < 0 ||
            ends[0] >= pointCount || ends[1] >= pointCount) {
            continue;
        }
        for (int end : ends)
            glVertex3d(mesh.points[end].x, mesh.points[end].y, mesh.points[end].z);
    }
    glEnd();
}

void drawBoundingBox(const mayasim::RenderMesh& mesh) {
    if (mesh.points.empty())
        return;
    MBoundingBox box;
    for (const MPoint& p : mesh.points)
        box.expand(p);
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

}  // namespace vxsim::render
