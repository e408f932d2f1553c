#pragma once
// Checks shared by the mesh kernel tests.

#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/Mesh.h"
#include "geometry/MeshTopology.h"

namespace meshtest {

using namespace mayasim::mesh;

inline bool contains(Span<int> values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

inline int eulerCharacteristic(const Mesh& mesh) {
    return mesh.numVertices() - mesh.topology().numEdges() + mesh.numFaces();
}

//! Invariants every topology must keep, whatever the input: loops close, each face-vertex's
//! edge joins its corner to the next, opposite-of-opposite is the identity, and the adjacency
//! lists agree with each other.
inline void expectTopologyInvariants(const Mesh& mesh) {
    const Topology& topology = mesh.topology();
    for (int loop = 0; loop < mesh.numLoops(); ++loop) {
        int corner = mesh.loopOffset(loop);
        for (int i = 0; i < mesh.loopSize(loop); ++i) {
            corner = topology.nextFaceVertex(corner);
        }
        EXPECT_EQ(corner, mesh.loopOffset(loop)) << "loop " << loop << " does not close";
    }
    int sides = 0;
    for (int corner = 0; corner < mesh.numFaceVertices(); ++corner) {
        const auto ends = topology.edgeVertices(topology.faceVertexEdge(corner));
        const int a = mesh.faceVertexId(corner);
        const int b = mesh.faceVertexId(topology.nextFaceVertex(corner));
        EXPECT_TRUE((ends[0] == a && ends[1] == b) || (ends[0] == b && ends[1] == a))
            << "face-vertex " << corner;
        const int opposite = topology.oppositeFaceVertex(corner);
        if (opposite >= 0) {
            EXPECT_EQ(topology.oppositeFaceVertex(opposite), corner);
        }
        EXPECT_TRUE(contains(topology.edgeFaces(topology.faceVertexEdge(corner)),
                             topology.faceVertexFace(corner)));
    }
    for (int edge = 0; edge < topology.numEdges(); ++edge) {
        sides += topology.edgeFaceVertices(edge).count();
        EXPECT_NE(topology.edgeVertex(edge, 0), topology.edgeVertex(edge, 1));
        for (int end = 0; end < 2; ++end) {
            EXPECT_TRUE(contains(topology.vertexEdges(topology.edgeVertex(edge, end)), edge));
        }
    }
    EXPECT_EQ(sides, mesh.numFaceVertices());
    for (int vertex = 0; vertex < mesh.numVertices(); ++vertex) {
        for (int face : topology.vertexFaces(vertex)) {
            EXPECT_TRUE(contains(mesh.allFaceVertices(face), vertex));
        }
    }
}

//! On a consistently oriented manifold mesh the two sides of an edge run opposite ways.
inline void expectConsistentOrientation(const Mesh& mesh) {
    const Topology& topology = mesh.topology();
    for (int corner = 0; corner < mesh.numFaceVertices(); ++corner) {
        const int opposite = topology.oppositeFaceVertex(corner);
        ASSERT_GE(opposite, 0) << "face-vertex " << corner << " has no opposite";
        EXPECT_EQ(mesh.faceVertexId(opposite), mesh.faceVertexId(topology.nextFaceVertex(corner)));
    }
}

//! Signed volume enclosed by a closed mesh (positive when its faces point outwards).
inline double signedVolume(const Mesh& mesh) {
    double volume = 0.0;
    for (int face = 0; face < mesh.numFaces(); ++face) {
        const Span<int> corners = mesh.faceVertices(face);
        const Vec3& origin = mesh.point(corners[0]);
        for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
            volume += dot(origin, cross(mesh.point(corners[i]), mesh.point(corners[i + 1]))) / 6.0;
        }
    }
    return volume;
}

}  // namespace meshtest
