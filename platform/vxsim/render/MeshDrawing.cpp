#include "MeshDrawing.h"

#include <GL/gl.h>

#include <cmath>

namespace vxsim::render {

namespace {

using Point = std::array<float, 3>;

// Calls `visit(first, count)` for every drawable face: at least `minimum` vertices, all
// indices valid.
template <typename Visit>
void forEachFace(const PolygonMesh& mesh, int minimum, Visit visit) {
    const int pointCount = static_cast<int>(mesh.points.size());
    const std::size_t total = mesh.faceVertices.size();
    std::size_t first = 0;
    for (int count : mesh.faceCounts) {
        if (count < 0 || first + count > total) return;
        bool valid = count >= minimum;
        for (int i = 0; valid && i < count; ++i) {
            const int index = mesh.faceVertices[first + i];
            valid = index >= 0 && index < pointCount;
        }
        if (valid) visit(first, count);
        first += count;
    }
}

// Newell's method: robust for non-planar and concave polygons, and its direction follows
// the winding, so it agrees with OpenGL's front faces.
Point faceNormal(const PolygonMesh& mesh, std::size_t first, int count) {
    Point n{0.0f, 0.0f, 0.0f};
    for (int i = 0; i < count; ++i) {
        const Point& a = mesh.points[mesh.faceVertices[first + i]];
        const Point& b = mesh.points[mesh.faceVertices[first + (i + 1) % count]];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0.0f) {
        for (float& c : n) c /= length;
    }
    return n;
}

}  // namespace

void drawShaded(const PolygonMesh& mesh) {
    forEachFace(mesh, 3, [&](std::size_t first, int count) {
        const Point normal = faceNormal(mesh, first, count);
        glBegin(GL_POLYGON);
        glNormal3fv(normal.data());
        for (int i = 0; i < count; ++i) {
            glVertex3fv(mesh.points[mesh.faceVertices[first + i]].data());
        }
        glEnd();
    });
}

void drawWireframe(const PolygonMesh& mesh) {
    forEachFace(mesh, 2, [&](std::size_t first, int count) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < count; ++i) {
            glVertex3fv(mesh.points[mesh.faceVertices[first + i]].data());
        }
        glEnd();
    });
}

}  // namespace vxsim::render
