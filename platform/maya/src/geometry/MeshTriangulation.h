#pragma once
// Triangles of every face, for drawing and picking (MItMeshPolygon::numTriangles/getTriangle).
//
// A face with n corners in its outline and holes with m1, m2... corners gets
// n + m1 + m2 + ... + 2 * holes - 2 triangles: convex faces without holes as a fan from their
// first corner, other faces by ear clipping (holes first bridged into the outline). Triangles
// wind like the face. A degenerate face (a non-finite point, no area, all points on a line, a
// vertex used twice) has no valid triangulation and no triangles; it is never drawn nor hit.

#include <array>
#include <vector>

#include "geometry/MeshMath.h"

namespace mayasim::mesh {

class Mesh;

//! Triangulates one polygon at a time; keeps its scratch buffers between calls so that
//! triangulating many faces does not allocate per face. Usable on its own, e.g. to preview a
//! polygon being drawn.
class PolygonTriangulator {
public:
    //! `points` holds the loops one after the other (outline first, then holes), `loopSizes` the
    //! number of points of each. Appends 3 indices into `points` per triangle to `triangles` and
    //! returns true, or returns false and appends nothing when the polygon is degenerate.
    bool triangulate(Span<Vec3> points, Span<int> loopSizes, std::vector<int>& triangles);

private:
    struct Point2 {
        double u;
        double v;
    };
    struct HoleLoop {
        int start;
        int size;
        int rightmost;  // index of the point with the largest u
        bool counterClockwise;
    };
    bool project(Span<Vec3> points, int outlineSize);
    bool bridgeHoles(Span<int> loopSizes);
    bool bridgeVisible(int from, int position) const;
    void clipEars(std::vector<int>& triangles);
    bool isEar(int previous, int corner, int next) const;
    void fan(int count, std::vector<int>& triangles) const;

    std::vector<Point2> projected_;
    std::vector<int> polygon_;  // indices into projected_, holes bridged in
    std::vector<int> next_, previous_;
    std::vector<HoleLoop> holes_;  // sorted; holes_[firstPendingHole_...] are not bridged yet
    std::size_t firstPendingHole_ = 0;
    std::vector<std::pair<double, int>> candidates_;
    std::vector<int> merged_;
    double scale_ = 1.0;
};

class Triangulation {
public:
    explicit Triangulation(const Mesh& mesh);

    int numTriangles() const { return static_cast<int>(triangleFace_.size()); }
    int numFaces() const { return static_cast<int>(faceOffsets_.size()) - 1; }
    int faceTriangleCount(int face) const { return faceOffsets_[face + 1] - faceOffsets_[face]; }
    //! Index of the face's first triangle among all triangles.
    int faceTriangleOffset(int face) const { return faceOffsets_[face]; }
    bool hasValidTriangulation(int face) const { return faceTriangleCount(face) > 0; }
    //! Mesh vertex ids of a triangle (global index).
    std::array<int, 3> triangle(int index) const {
        const int* ids = vertices_.data() + 3 * index;
        return {ids[0], ids[1], ids[2]};
    }
    //! Mesh vertex ids of a face's local triangle (MItMeshPolygon::getTriangle's vertexList).
    std::array<int, 3> faceTriangle(int face, int local) const {
        return triangle(faceOffsets_[face] + local);
    }
    int triangleFace(int index) const { return triangleFace_[index]; }
    int triangleLocalIndex(int index) const { return index - faceOffsets_[triangleFace_[index]]; }
    //! Three vertex ids per triangle, faces in order: ready for glDrawElements or Embree.
    const std::vector<int>& triangleVertexIds() const { return vertices_; }

private:
    std::vector<int> faceOffsets_;
    std::vector<int> vertices_;
    std::vector<int> triangleFace_;
};

}  // namespace mayasim::mesh
