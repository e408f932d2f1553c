#pragma once
// Immediate-mode drawing of a polygon mesh given its points and faces.

#include <array>
#include <vector>

namespace vxsim::render {

//! Points, and faces as a vertex count per face followed by the faces' vertex indices in
//! order (the layout MFnMesh::getVertices gives).
struct PolygonMesh {
    std::vector<std::array<float, 3>> points;
    std::vector<int> faceCounts;
    std::vector<int> faceVertices;
};

//! Flat-shaded faces: one normal per face, so hard-edged models such as a cube read as
//! Maya shows them. Faces are drawn as convex polygons; faces with fewer than three
//! vertices or out-of-range indices are skipped. Lighting and material are the caller's.
void drawShaded(const PolygonMesh& mesh);

//! Each face's outline as a closed line loop.
void drawWireframe(const PolygonMesh& mesh);

}  // namespace vxsim::render
