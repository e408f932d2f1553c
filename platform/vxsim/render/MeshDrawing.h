#pragma once
// Immediate-mode drawing of a polygon mesh given its points and faces.

#include <mayasim/SceneQuery.h>

#include <vector>

namespace vxsim::render {

//! Flat-shaded faces in object space: one normal per face, so hard-edged models such as a
//! cube read as Maya shows them. Faces are drawn as convex polygons; faces with fewer than
//! three vertices or out-of-range indices are skipped. Lighting and material are the
//! caller's.
void drawShaded(const mayasim::RenderMesh& mesh);

//! Each face's outline as a closed line loop, in object space.
void drawWireframe(const mayasim::RenderMesh& mesh);

//! The points as GL_POINTS: all of them, or those listed (out-of-range indices skipped).
void drawPoints(const mayasim::RenderMesh& mesh, const std::vector<int>* only = nullptr);

//! The listed faces filled, unlit.
void drawFaces(const mayasim::RenderMesh& mesh, const std::vector<int>& faces);

//! The listed edges (Maya's edge ids of the mesh) as lines.
void drawEdges(const mayasim::RenderMesh& mesh, const std::vector<int>& edges);

//! The twelve edges of the box around the points.
void drawBoundingBox(const mayasim::RenderMesh& mesh);

}  // namespace vxsim::render
