#include "MeshDrawing.h"

#include <GL/gl.h>

#include <maya/MVector.h>

namespace vxsim::render {

namespace {

// Calls `visit(first, count)` for every drawable face: at least `minimum` vertices, all
// indices valid.
template <typename Visit>
void forEachFace(const mayasim::RenderMesh& mesh, int minimum, Visit visit) {
    const int pointCount = static_cast<int>(mesh.points.size());
    const std::size_t total = mesh.faceConnects.size();
    std::size_t first = 0;
    for (int count : mesh.faceCounts) {
        if (count < 0 || first + count > total)
            return;
        bool valid = count >= minimum;
        for (int i = 0; valid && i < count; ++i) {
            const int index = mesh.faceConnects[first + i];
            valid = index >= 0 && index < pointCount;
        }
        if (valid)
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

}  // namespace vxsim::render
