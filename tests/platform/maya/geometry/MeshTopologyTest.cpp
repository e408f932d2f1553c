// Mesh storage and topology: bad input, edge numbering, borders, holes and non-manifold edges,
// neighbourhoods, and caches that follow edits.

#include <gtest/gtest.h>

#include "MeshTestSupport.h"
#include "geometry/MeshPrimitives.h"
#include "geometry/MeshTriangulation.h"

namespace {

using namespace meshtest;

std::vector<Vec3> grid(int columns, int rows) {
    std::vector<Vec3> points;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            points.push_back({double(c), double(r), 0.0});
        }
    }
    return points;
}

TEST(MeshTopology, BadPolygonsAreRefusedWithAReason) {
    const std::vector<Vec3> points = grid(3, 2);
    struct Case {
        std::vector<int> counts, connects;
    };
    for (const Case& bad :
         {Case{{2}, {0, 1}}, Case{{3}, {0, 1, 6}}, Case{{3}, {0, 1, -1}}, Case{{4}, {0, 1, 1, 4}},
          Case{{4}, {0, 1, 4, 0}}, Case{{3, 3}, {0, 1, 4}}, Case{{3}, {0, 1, 4, 3}}}) {
        std::string error;
        EXPECT_FALSE(Mesh::fromPolygons(points, bad.counts, bad.connects, &error));
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(Mesh::fromLoops(points, {2}, {3}, {0, 1, 4}, &error)) << "more loops than given";
    EXPECT_FALSE(Mesh::fromLoops(points, {0, 1}, {3}, {0, 1, 4}, &error))
        << "a face without outline";
}

TEST(MeshTopology, EdgesAreNumberedByFirstAppearanceUnlessAnOrderIsGiven) {
    // Two quads side by side: 0 1 2 on the bottom row, 3 4 5 on the top.
    Mesh mesh = *Mesh::fromPolygons(grid(3, 2), {4, 4}, {0, 1, 4, 3, 1, 2, 5, 4});
    const Topology& topology = mesh.topology();
    ASSERT_EQ(topology.numEdges(), 7);
    EXPECT_EQ(topology.edgeVertexPairs(),
              (std::vector<int>{0, 1, 1, 4, 4, 3, 3, 0, 1, 2, 2, 5, 5, 4}));
    EXPECT_EQ(topology.faceEdges(1).toVector(), (std::vector<int>{4, 5, 6, 1}));
    EXPECT_EQ(topology.borderEdgeCount(), 6);
    EXPECT_FALSE(topology.isClosed());
    EXPECT_TRUE(topology.isManifold());
    expectTopologyInvariants(mesh);

    ASSERT_TRUE(mesh.setEdgeOrder({4, 1, 0, 1}));
    EXPECT_EQ(mesh.topology().edgeVertices(0), (std::array<int, 2>{4, 1}));
    EXPECT_EQ(mesh.topology().edgeVertices(1), (std::array<int, 2>{0, 1}));
    EXPECT_EQ(mesh.topology().edgeVertices(2), (std::array<int, 2>{4, 3}));
    expectTopologyInvariants(mesh);
    const std::vector<int> kept = mesh.topology().edgeVertexPairs();
    EXPECT_FALSE(mesh.setEdgeOrder({0, 1, 1, 0})) << "a pair twice";
    EXPECT_FALSE(mesh.setEdgeOrder({0, 2})) << "not an edge of any face";
    EXPECT_FALSE(mesh.setEdgeOrder({0, 1, 9, 1})) << "vertex out of range";
    EXPECT_EQ(mesh.topology().edgeVertexPairs(), kept);
}

TEST(MeshTopology, HoleEdgesAreRealEdgesOfTheFace) {
    // A 4x4 square with a 2x2 square hole, and a second face sharing the hole's left edge.
    std::vector<Vec3> points{{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {1, 1, 0},
                             {1, 3, 0}, {3, 3, 0}, {3, 1, 0}, {2, 2, 1}};
    Mesh mesh = *Mesh::fromLoops(points, {2, 1}, {4, 4, 3}, {0, 1, 2, 3, 4, 5, 6, 7, 4, 8, 5});
    const Topology& topology = mesh.topology();
    EXPECT_EQ(mesh.faceVertexCount(0), 4);
    EXPECT_EQ(mesh.holeCount(0), 1);
    EXPECT_EQ(topology.numEdges(), 10);
    EXPECT_EQ(topology.allFaceEdges(0).size(), 8u);
    const int shared = topology.findEdge(4, 5);
    ASSERT_GE(shared, 0);
    EXPECT_EQ(topology.edgeFaces(shared).toVector(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(topology.facesShareEdge(0, 1));
    EXPECT_FALSE(topology.isQuad(0)) << "a face with a hole is no quad";
    std::vector<int> faces;
    topology.connectedFacesOfFace(1, faces);
    EXPECT_EQ(faces, (std::vector<int>{0}));
    expectTopologyInvariants(mesh);
}

TEST(MeshTopology, NonManifoldAndDegenerateFacesKeepTheInvariants) {
    // Three triangles on edge 0-1, and a zero-area face using vertex 0 twice.
    std::vector<Vec3> points{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {2, 0, 0}};
    Mesh mesh = *Mesh::fromPolygons(points, {3, 3, 3, 4}, {0, 1, 2, 1, 0, 3, 0, 1, 4, 0, 5, 0, 2});
    const Topology& topology = mesh.topology();
    const int spine = topology.findEdge(0, 1);
    EXPECT_EQ(topology.edgeFaces(spine).size(), 3u);
    EXPECT_FALSE(topology.isManifoldEdge(spine));
    EXPECT_FALSE(topology.isManifold());
    EXPECT_EQ(topology.oppositeFaceVertex(mesh.faceVertexOffset(0)), -1);
    EXPECT_EQ(topology.edgeFaces(topology.findEdge(0, 5)).toVector(), (std::vector<int>{3}))
        << "a face using an edge twice is listed once";
    EXPECT_EQ(topology.vertexFaces(0).toVector(), (std::vector<int>{0, 1, 2, 3}));
    expectTopologyInvariants(mesh);
}

TEST(MeshTopology, NeighbourhoodsOfTheCube) {
    const Mesh cube = makeCube();
    const Topology& topology = cube.topology();
    std::vector<int> out;
    topology.connectedEdgesOfEdge(0, out);  // edge 0-1
    EXPECT_EQ(out, (std::vector<int>{4, 5, 10, 11}));
    topology.connectedFacesOfFace(0, out);
    EXPECT_EQ(out, (std::vector<int>{1, 3, 4, 5}));
    topology.connectedEdgesOfFace(0, out);
    EXPECT_EQ(out, (std::vector<int>{6, 7, 10, 11}));
    topology.connectedVerticesOfVertex(0, out);
    EXPECT_EQ(out, (std::vector<int>{1, 2, 6}));
    EXPECT_FALSE(topology.facesShareEdge(0, 2));
    EXPECT_TRUE(topology.edgesShareVertex(0, 4));
    EXPECT_FALSE(topology.edgesShareVertex(0, 1));
    EXPECT_EQ(topology.findEdge(7, 1), 11);
    EXPECT_EQ(topology.findEdge(0, 7), -1);
}

TEST(MeshTopology, EditsChangeTheRevisionAndRefreshOnlyWhatTheyAffect) {
    Mesh mesh = makePlane({1.0, 1.0, 2, 2});
    const Topology* topology = &mesh.topology();
    const std::uint64_t before = mesh.revision();
    const Mesh copy = mesh;
    EXPECT_EQ(copy.revision(), before);
    EXPECT_EQ(&copy.topology(), topology) << "copies share their caches";

    EXPECT_FALSE(mesh.setPoint(9, {}));
    EXPECT_FALSE(mesh.setPoints(std::vector<Vec3>(3)));
    EXPECT_FALSE(mesh.setPoints(std::vector<int>{0, 99}, std::vector<Vec3>(2)));
    EXPECT_EQ(mesh.revision(), before) << "refused edits change nothing";

    ASSERT_EQ(mesh.triangulation().faceTriangleCount(0), 2);
    // Moving vertices 3 and 4 onto the line through 0 and 1 flattens face 0 (0 1 4 3).
    ASSERT_TRUE(
        mesh.setPoints(std::vector<int>{3, 4}, std::vector<Vec3>{{-0.25, 0, 0.5}, {0, 0, 0.5}}));
    EXPECT_NE(mesh.revision(), before);
    EXPECT_EQ(mesh.topologyRevision(), copy.topologyRevision());
    EXPECT_EQ(&mesh.topology(), topology) << "moving points keeps the topology";
    EXPECT_FALSE(mesh.triangulation().hasValidTriangulation(0));
    EXPECT_TRUE(copy.triangulation().hasValidTriangulation(0)) << "the copy kept its points";
}

}  // namespace
