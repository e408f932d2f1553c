// Edge loops, borders and rings as polySelect walks them: closing on the torus and round the
// sphere and cylinder, stopping at poles, cap centres, borders and non-quads; paths between two
// edges.

#include <gtest/gtest.h>

#include <set>

#include "MeshTestSupport.h"
#include "geometry/MeshLoops.h"
#include "geometry/MeshPrimitives.h"

namespace {

using namespace meshtest;

// Each edge once; the picked edge first; consecutive edges of each way share a vertex (loops)
// or a face (rings). `forwardLength` edges follow the picked edge one way, the rest go the other.
void expectWalk(const Topology& topology, const EdgeWalk& walk, int picked, bool ring) {
    ASSERT_FALSE(walk.edges.empty());
    EXPECT_EQ(walk.edges.front(), picked);
    EXPECT_EQ(std::set<int>(walk.edges.begin(), walk.edges.end()).size(), walk.edges.size());
    auto joined = [&](int a, int b) {
        if (!ring) {
            return topology.edgesShareVertex(a, b);
        }
        for (int face : topology.edgeFaces(a)) {
            if (topology.edgeOnFace(b, face)) {
                return true;
            }
        }
        return false;
    };
    // One way from the picked edge is unbroken; where it breaks the other way starts at the
    // picked edge again.
    std::size_t i = 1;
    while (i < walk.edges.size() && joined(walk.edges[i - 1], walk.edges[i])) {
        ++i;
    }
    if (i < walk.edges.size()) {
        EXPECT_FALSE(walk.closed);
        EXPECT_TRUE(joined(picked, walk.edges[i]));
        for (++i; i < walk.edges.size(); ++i) {
            EXPECT_TRUE(joined(walk.edges[i - 1], walk.edges[i]));
        }
    }
    if (walk.closed) {
        EXPECT_TRUE(joined(walk.edges.back(), picked));
    }
}

TEST(MeshLoops, SphereLoopsCloseAroundAndStopAtThePoles) {
    const Mesh sphere = makeSphere();
    const Topology& topology = sphere.topology();
    const int equator = 9 * 20 + 4;  // ring edge on ring 9
    const EdgeWalk around = edgeLoop(topology, equator);
    EXPECT_TRUE(around.closed);
    EXPECT_EQ(around.edges.size(), 20u);
    expectWalk(topology, around, equator, false);

    const int meridian = 380 + 5 * 20 + 3;  // between rings 5 and 6
    const EdgeWalk poleToPole = edgeLoop(topology, meridian);
    EXPECT_FALSE(poleToPole.closed);
    EXPECT_EQ(poleToPole.edges.size(), 20u) << "18 edges between rings and a spoke at each pole";
    expectWalk(topology, poleToPole, meridian, false);

    const EdgeWalk band = edgeRing(topology, meridian);
    EXPECT_TRUE(band.closed);
    EXPECT_EQ(band.edges.size(), 20u);
    expectWalk(topology, band, meridian, true);
    const EdgeWalk stack = edgeRing(topology, equator);
    EXPECT_FALSE(stack.closed);
    EXPECT_EQ(stack.edges.size(), 19u) << "stops at the pole triangles";
    expectWalk(topology, stack, equator, true);
}

TEST(MeshLoops, CylinderLoopsRunIntoTheCapCentres) {
    CylinderOptions options;
    options.subdivisionsHeight = 3;
    const Mesh cylinder = makeCylinder(options);
    const Topology& topology = cylinder.topology();
    const int vertical = 4 * 20 + 20 + 7;  // second row of side edges
    EXPECT_EQ(edgeLoop(topology, vertical).edges.size(), 5u) << "3 side edges and 2 spokes";
    EXPECT_TRUE(edgeRing(topology, vertical).closed);
    const int middleRing = 20 + 7;
    const EdgeWalk stack = edgeRing(topology, middleRing);
    EXPECT_EQ(stack.edges.size(), 4u) << "stops at the cap triangles";
    expectWalk(topology, stack, middleRing, true);
    EXPECT_TRUE(edgeLoop(topology, middleRing).closed);
}

TEST(MeshLoops, TorusLoopsAndRingsCloseBothWays) {
    const Mesh torus = makeTorus({1.0, 0.5, 0.0, 24, 12});
    const Topology& topology = torus.topology();
    for (int edge : {5, 24 * 12 + 30}) {  // around the axis, around the section
        for (const EdgeWalk& walk : {edgeLoop(topology, edge), edgeRing(topology, edge)}) {
            EXPECT_TRUE(walk.closed);
            const bool aroundAxis = (walk.edges.size() == 24u);
            EXPECT_TRUE(aroundAxis || walk.edges.size() == 12u);
        }
        expectWalk(topology, edgeLoop(topology, edge), edge, false);
        expectWalk(topology, edgeRing(topology, edge), edge, true);
    }
    EXPECT_EQ(edgeLoop(topology, 5).edges.size(), 24u);
    EXPECT_EQ(edgeRing(topology, 5).edges.size(), 12u);
}

TEST(MeshLoops, PlaneLoopsStopAtTheBorderWhichHasItsOwnWalk) {
    const Mesh plane = makePlane();
    const Topology& topology = plane.topology();
    const int across = topology.findEdge(5 * 11 + 3, 5 * 11 + 4);  // row 5, interior
    const EdgeWalk loop = edgeLoop(topology, across);
    EXPECT_FALSE(loop.closed);
    EXPECT_EQ(loop.edges.size(), 10u);
    expectWalk(topology, loop, across, false);
    const EdgeWalk ring = edgeRing(topology, across);
    EXPECT_EQ(ring.edges.size(), 11u);
    expectWalk(topology, ring, across, true);

    const int border = topology.findEdge(3, 4);
    EXPECT_EQ(edgeLoop(topology, border).edges, (std::vector<int>{border}))
        << "border corners are not four-edged";
    const EdgeWalk outline = edgeLoopOrBorder(topology, border);
    EXPECT_TRUE(outline.closed);
    EXPECT_EQ(outline.edges.size(), 40u);
    expectWalk(topology, outline, border, false);
    EXPECT_EQ(edgeLoopOrBorder(topology, across).edges, loop.edges);
    EXPECT_TRUE(edgeBorder(topology, across).edges.empty());
    EXPECT_TRUE(edgeLoop(topology, -1).edges.empty());
    EXPECT_TRUE(edgeRing(topology, topology.numEdges()).edges.empty());
}

TEST(MeshLoops, PathsTakeTheShorterWayAndNeedTheSameLoop) {
    const Mesh sphere = makeSphere();
    const Topology& topology = sphere.topology();
    const EdgeWalk around = edgeLoop(topology, 9 * 20);
    const int from = around.edges[0];
    EXPECT_EQ(edgeLoopPath(topology, from, around.edges[3]),
              std::vector<int>(around.edges.begin(), around.edges.begin() + 4));
    const std::vector<int> back = edgeLoopPath(topology, from, around.edges[17]);
    EXPECT_EQ(back, (std::vector<int>{from, around.edges[19], around.edges[18], around.edges[17]}));
    EXPECT_EQ(edgeLoopPath(topology, from, around.edges[10]).size(), 11u);
    EXPECT_EQ(edgeLoopPath(topology, from, around.edges[10])[1], around.edges[1])
        << "equal ways: the first way";
    EXPECT_EQ(edgeLoopPath(topology, from, from), (std::vector<int>{from}));
    EXPECT_TRUE(edgeLoopPath(topology, from, 380).empty()) << "not on the loop";

    const Mesh plane = makePlane();
    const Topology& grid = plane.topology();
    const int start = grid.findEdge(5 * 11 + 3, 6 * 11 + 3);  // vertical, column 3
    const EdgeWalk ring = edgeRing(grid, start);
    const int target = grid.findEdge(5 * 11 + 8, 6 * 11 + 8);
    const std::vector<int> path = edgeRingPath(grid, start, target);
    ASSERT_EQ(path.size(), 6u);
    EXPECT_EQ(path.front(), start);
    EXPECT_EQ(path.back(), target);
    EXPECT_TRUE(edgeRingPath(grid, start, grid.findEdge(0, 1)).empty());
    EXPECT_EQ(ring.edges.size(), 11u);
}

}  // namespace
