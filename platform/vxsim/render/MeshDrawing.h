#pragma once
// Drawing a mesh shape in object space from the geometry kernel's caches: faces from its
// triangulation (n-gons and holes alike; degenerate faces have no triangles and are not
// drawn), edges from its topology.

#include <mayasim/SceneQuery.h>

#include <vector>

namespace vxsim::render {

//! The triangulated faces, lit: one normal per face (flat), or at each corner the blend of the
//! faces around it that meet at a soft edge (smooth), as Maya's flat and smooth shaded modes
//! show them. Lighting and material are the caller's.
void drawShaded(const mayasim::RenderMesh& mesh, bool smooth);

//! Every edge once, holes' edges included.
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
