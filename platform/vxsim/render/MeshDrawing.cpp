#include "MeshDrawing.h"

#include <GL/gl.h>

#include "geometry/MeshTopology.h"
#include "geometry/MeshTriangulation.h"

namespace vxsim::render {

namespace {

using mayasim::mesh::Mesh;
using mayasim::mesh::Vec3;

void vertex(const Vec3& p) {
    glVertex3d(p.x, p.y, p.z);
}

void normal(const Vec3& n) {
    glNormal3d(n.x, n.y, n.z);
}

void drawFlat(const Mesh& mesh) {
    const mayasim::mesh::Triangulation& triangles = mesh.triangulation();
    glBegin(GL_TRIANGLES);
    for (int face = 0; face < mesh.numFaces(); ++face) {
        const int count = triangles.faceTriangleCount(face);
        if (count == 0)
            continue;
        normal(mesh.faceNormal(face));
        const int first = triangles.faceTriangleOffset(face);
        for (int t = first; t < first + count; ++t) {
            for (int id : triangles.triangle(t))
                vertex(mesh.point(id));
        }
    }
    glEnd();
}

// Smooth shading blends the normals of the faces around a corner, except across edges sharper
// than this: the host keeps no per-edge hardness, and this keeps the primitives' sharp edges
// (a cube's, a cylinder's rims) hard and their curved faces soft, as Maya shows them.
const double kHardEdgeCosine = 0.5;  // 60 degrees

void drawSmooth(const Mesh& mesh) {
    const mayasim::mesh::Triangulation& triangles = mesh.triangulation();
    const mayasim::mesh::Topology& topology = mesh.topology();
    std::vector<Vec3> faceNormals(static_cast<std::size_t>(mesh.numFaces()));
    for (int face = 0; face < mesh.numFaces(); ++face)
        faceNormals[static_cast<std::size_t>(face)] = mesh.faceNormal(face);
    glBegin(GL_TRIANGLES);
    for (int face = 0; face < mesh.numFaces(); ++face) {
        const Vec3& own = faceNormals[static_cast<std::size_t>(face)];
        const int first = triangles.faceTriangleOffset(face);
        for (int t = first; t < first + triangles.faceTriangleCount(face); ++t) {
            for (int id : triangles.triangle(t)) {
                Vec3 sum;
                for (int other : topology.vertexFaces(id)) {
                    const Vec3& n = faceNormals[static_cast<std::size_t>(other)];
                    if (mayasim::mesh::dot(n, own) >= kHardEdgeCosine)
                        sum += n;
                }
                normal(sum);
                vertex(mesh.point(id));
            }
        }
    }
    glEnd();
}

}  // namespace

void drawShaded(const mayasim::RenderMesh& mesh, bool smooth) {
    if (smooth)
        drawSmooth(*mesh.geometry);
    else
        drawFlat(*mesh.geometry);
}

void drawWireframe(const mayasim::RenderMesh& mesh) {
    const Mesh& m = *mesh.geometry;
    const mayasim::mesh::Topology& topology = m.topology();
    glBegin(GL_LINES);
    for (int edge = 0; edge < topology.numEdges(); ++edge) {
        vertex(m.point(topology.edgeVertex(edge, 0)));
        vertex(m.point(topology.edgeVertex(edge, 1)));
    }
    glEnd();
}

void drawPoints(const mayasim::RenderMesh& mesh, const std::vector<int>* only) {
    const Mesh& m = *mesh.geometry;
    glBegin(GL_POINTS);
    if (only) {
        for (int index : *only) {
            if (index >= 0 && index < m.numVertices())
                vertex(m.point(index));
        }
    } else {
        for (const Vec3& p : m.points())
            vertex(p);
    }
    glEnd();
}

void drawFaces(const mayasim::RenderMesh& mesh, const std::vector<int>& faces) {
    const Mesh& m = *mesh.geometry;
    const mayasim::mesh::Triangulation& triangles = m.triangulation();
    glBegin(GL_TRIANGLES);
    for (int face : faces) {
        if (face < 0 || face >= m.numFaces())
            continue;
        const int first = triangles.faceTriangleOffset(face);
        for (int t = first; t < first + triangles.faceTriangleCount(face); ++t) {
            for (int id : triangles.triangle(t))
                vertex(m.point(id));
        }
    }
    glEnd();
}

void drawEdges(const mayasim::RenderMesh& mesh, const std::vector<int>& edges) {
    const Mesh& m = *mesh.geometry;
    const mayasim::mesh::Topology& topology = m.topology();
    glBegin(GL_LINES);
    for (int edge : edges) {
        if (edge < 0 || edge >= topology.numEdges())
            continue;
        vertex(m.point(topology.edgeVertex(edge, 0)));
        vertex(m.point(topology.edgeVertex(edge, 1)));
    }
    glEnd();
}

void drawBoundingBox(const mayasim::RenderMesh& mesh) {
    const mayasim::mesh::Bounds box = mesh.geometry->bounds();
    if (box.isEmpty())
        return;
    const Vec3 lo = box.min;
    const Vec3 hi = box.max;
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
