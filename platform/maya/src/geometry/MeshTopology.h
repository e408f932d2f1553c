#pragma once
// Edges and adjacency of a mesh, derived from its connectivity in linear time.
//
// Edge numbering (deterministic): first the mesh's preferred edge order (Connectivity::edgeOrder,
// when it is valid: every pair an edge of some face, no pair twice), in that order and with the
// vertex order given; then every other edge in order of first appearance, walking face 0's loops
// (outline, then holes), then face 1's, and so on, each loop from its first corner, an edge
// running from a corner to the next one. An edge's vertices keep the order in which it was
// numbered (edgeVertex(e, 0) -> edgeVertex(e, 1)).
//
// Adjacency is stored as CSR arrays; every list is in ascending index order:
//   face-vertex -> edge          parallel to the face-vertex array (holes included)
//   edge -> face-vertices        the corners whose edge it is (one per face side)
//   edge -> faces                faces using the edge (each once)
//   vertex -> faces, vertex -> edges
// A face-vertex h stands for the edge from its vertex to the next corner of its loop; on a
// consistently oriented manifold mesh the opposite face-vertex runs the other way.

#include <array>
#include <memory>
#include <vector>

#include "geometry/Mesh.h"
#include "geometry/MeshMath.h"

namespace mayasim::mesh {

class Topology {
public:
    Topology(std::shared_ptr<const Connectivity> connectivity, int numVertices);

    int numVertices() const { return static_cast<int>(vertexFaceOffsets_.size()) - 1; }
    int numFaces() const { return static_cast<int>(connectivity_->faceLoopOffsets.size()) - 1; }
    int numEdges() const { return static_cast<int>(edgeVertices_.size() / 2); }
    int numFaceVertices() const { return static_cast<int>(faceVertexEdge_.size()); }
    //! Whether the preferred edge order was valid and is the numbering used.
    bool followsEdgeOrder() const { return followsEdgeOrder_; }

    // Edges.
    int edgeVertex(int edge, int end) const { return edgeVertices_[2 * edge + end]; }
    std::array<int, 2> edgeVertices(int edge) const {
        return {edgeVertices_[2 * edge], edgeVertices_[2 * edge + 1]};
    }
    //! Flattened vertex pairs of all edges (MFnMesh::getEdgeVertices, or a mesh's edge order).
    const std::vector<int>& edgeVertexPairs() const { return edgeVertices_; }
    //! The edge joining two vertices, or -1.
    int findEdge(int vertexA, int vertexB) const;
    //! The vertex of `edge` that is not `vertex` (or -1 if `vertex` is not on it).
    int otherVertex(int edge, int vertex) const;

    // Face-vertices (half-edges).
    int faceVertexEdge(int faceVertex) const { return faceVertexEdge_[faceVertex]; }
    int faceVertexLoop(int faceVertex) const { return faceVertexLoop_[faceVertex]; }
    int faceVertexFace(int faceVertex) const { return loopFace_[faceVertexLoop(faceVertex)]; }
    int nextFaceVertex(int faceVertex) const;
    int previousFaceVertex(int faceVertex) const;
    //! The face-vertex on the other side of its edge when the edge has exactly two sides,
    //! otherwise -1 (border or non-manifold).
    int oppositeFaceVertex(int faceVertex) const;

    // Faces.
    int faceVertexOffset(int face) const { return loopOffset(firstLoop(face)); }
    //! Edges of the outline, parallel to Mesh::faceVertices(face).
    Span<int> faceEdges(int face) const { return loopEdges(firstLoop(face)); }
    //! Edges of the outline and all holes, parallel to Mesh::allFaceVertices(face).
    Span<int> allFaceEdges(int face) const;
    Span<int> loopEdges(int loop) const;
    int faceEdgeCount(int face) const { return loopSize(firstLoop(face)); }
    int holeCount(int face) const { return endLoop(face) - firstLoop(face) - 1; }
    //! A face of four corners and no hole (edge rings cross only these).
    bool isQuad(int face) const { return holeCount(face) == 0 && faceEdgeCount(face) == 4; }

    // Adjacency lists.
    Span<int> edgeFaces(int edge) const {
        return range(edgeFaceOffsets_.empty() ? edgeSideOffsets_ : edgeFaceOffsets_, edgeFaces_,
                     edge);
    }
    Span<int> edgeFaceVertices(int edge) const { return range(edgeSideOffsets_, edgeSides_, edge); }
    Span<int> vertexFaces(int vertex) const {
        return range(vertexFaceOffsets_, vertexFaces_, vertex);
    }
    Span<int> vertexEdges(int vertex) const {
        return range(vertexEdgeOffsets_, vertexEdges_, vertex);
    }

    // Classification. A border edge has one side; a manifold edge one or two.
    bool isBorderEdge(int edge) const { return edgeFaceVertices(edge).size() == 1; }
    bool isManifoldEdge(int edge) const {
        const std::size_t sides = edgeFaceVertices(edge).size();
        return sides == 1 || (sides == 2 && edgeFaces(edge).size() == 2);
    }
    bool isBorderVertex(int vertex) const;
    bool isClosed() const { return borderEdgeCount_ == 0; }
    bool isManifold() const { return nonManifoldEdgeCount_ == 0; }
    int borderEdgeCount() const { return borderEdgeCount_; }

    // Neighbourhoods (MItMeshEdge / MItMeshPolygon). `out` is cleared, then filled in ascending
    // order; reusing one vector across calls avoids allocation.
    //! Edges sharing a vertex with `edge`, itself excluded (MItMeshEdge::getConnectedEdges).
    void connectedEdgesOfEdge(int edge, std::vector<int>& out) const;
    //! Faces sharing an edge with `face`, itself excluded (MItMeshPolygon::getConnectedFaces).
    void connectedFacesOfFace(int face, std::vector<int>& out) const;
    //! Edges at the face's corners that are not its own (MItMeshPolygon::getConnectedEdges).
    void connectedEdgesOfFace(int face, std::vector<int>& out) const;
    //! Vertices joined to `vertex` by an edge (MItMeshVertex::getConnectedVertices).
    void connectedVerticesOfVertex(int vertex, std::vector<int>& out) const;
    bool edgesShareVertex(int edgeA, int edgeB) const;
    bool facesShareEdge(int faceA, int faceB) const;
    bool edgeOnFace(int edge, int face) const;

private:
    static Span<int> range(const std::vector<int>& offsets, const std::vector<int>& values,
                           int index) {
        const int begin = offsets[index];
        return {values.data() + begin, static_cast<std::size_t>(offsets[index + 1] - begin)};
    }
    int firstLoop(int face) const { return connectivity_->faceLoopOffsets[face]; }
    int endLoop(int face) const { return connectivity_->faceLoopOffsets[face + 1]; }
    int loopOffset(int loop) const { return connectivity_->loopOffsets[loop]; }
    int loopSize(int loop) const { return loopOffset(loop + 1) - loopOffset(loop); }

    void buildLoopIndex();
    bool numberEdges(bool useEdgeOrder);
    void buildEdgeSides();
    void buildVertexLists(int numVertices);

    std::shared_ptr<const Connectivity> connectivity_;
    bool followsEdgeOrder_ = false;
    std::vector<int> faceVertexLoop_;
    std::vector<int> loopFace_;
    std::vector<int> faceVertexEdge_;
    std::vector<int> edgeVertices_;
    std::vector<int> edgeSideOffsets_, edgeSides_;
    std::vector<int> edgeFaceOffsets_;  // empty while they equal edgeSideOffsets_
    std::vector<int> edgeFaces_;
    std::vector<int> vertexFaceOffsets_, vertexFaces_;
    std::vector<int> vertexEdgeOffsets_, vertexEdges_;
    int borderEdgeCount_ = 0;
    int nonManifoldEdgeCount_ = 0;
};

}  // namespace mayasim::mesh
