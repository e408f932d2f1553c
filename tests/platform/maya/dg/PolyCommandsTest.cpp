// The polygon commands through MEL: primitives and their history, polyEvaluate's answers and
// polySelect's loops, rings and paths, with Maya's results and errors.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

using mayasim::CommandEngine;
using mayasim::Value;

class PolyCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mayasim::registerSceneCommands(CommandEngine::instance()); }
    void TearDown() override {
        CommandEngine::instance().executeMel("flushUndo", nullptr, false, false);
        mayasim::Scene::instance().reset();
    }

    static Value run(const std::string& mel) {
        Value result;
        EXPECT_TRUE(CommandEngine::instance().executeMel(mel.c_str(), &result, false, true)) << mel;
        return result;
    }
    static bool fails(const std::string& mel) {
        return !CommandEngine::instance().executeMel(mel.c_str(), nullptr, false, false);
    }
    static std::vector<int> ints(const std::string& mel) { return run(mel).asIntArray(); }
    static std::vector<std::string> names(const std::string& mel) {
        return run(mel).asStringArray();
    }
};

// Counts of each primitive with Maya's defaults, and with subdivisions: vertices, edges,
// faces and triangles.
TEST_F(PolyCommandsTest, PrimitivesHaveMayasCountsAndNames) {
    struct Case {
        const char* command;
        std::vector<std::string> result;
        std::vector<int> counts;
    };
    const Case cases[] = {
        {"polyCube", {"pCube1", "polyCube1"}, {8, 12, 6, 12}},
        {"polySphere", {"pSphere1", "polySphere1"}, {382, 780, 400, 760}},
        {"polyPlane", {"pPlane1", "polyPlane1"}, {121, 220, 100, 200}},
        {"polyCylinder", {"pCylinder1", "polyCylinder1"}, {42, 100, 60, 80}},
        {"polyTorus", {"pTorus1", "polyTorus1"}, {400, 800, 400, 800}},
        {"polySphere -sx 6 -sy 4", {"pSphere2", "polySphere2"}, {20, 42, 24, 36}},
        {"polyCube -sx 2 -sy 3 -sz 4 -n box", {"box", "polyCube2"}, {54, 104, 52, 104}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> result = names(c.command);
        EXPECT_EQ(result, c.result) << c.command;
        EXPECT_EQ(ints("polyEvaluate -v -e -f -t " + result[0]), c.counts) << c.command;
    }
    EXPECT_EQ(names("ls -sl"), std::vector<std::string>{"box"}) << "the new object is selected";
    EXPECT_EQ(names("listRelatives -s box"), std::vector<std::string>{"boxShape"});
}

TEST_F(PolyCommandsTest, HistoryReevaluatesAndNoHistoryLeavesNoCreator) {
    run("polySphere -r 2 -sx 8 -sy 6");
    EXPECT_EQ(ints("polyEvaluate -v pSphere1"), std::vector<int>{8 * 5 + 2});
    run("setAttr polySphere1.subdivisionsAxis 12");
    EXPECT_EQ(ints("polyEvaluate -v pSphere1"), std::vector<int>{12 * 5 + 2});
    const std::vector<double> box = run("polyEvaluate -b pSphere1").asDoubleArray();
    EXPECT_NEAR(box[1], 2.0, 1e-9) << "the radius flag sets the creator";

    run("setAttr pSphere1.tx 5");
    EXPECT_NEAR(run("polyEvaluate -b pSphere1").asDoubleArray()[1], 7.0, 1e-9) << "world space";

    EXPECT_EQ(names("polyTorus -ch 0 -ax 1 0 0"), std::vector<std::string>{"pTorus1"});
    EXPECT_TRUE(names("ls -type polyTorus").empty());
    const std::vector<double> torus = run("polyEvaluate -b pTorus1").asDoubleArray();
    EXPECT_NEAR(torus[1] - torus[0], 1.0, 1e-9) << "the axis turns the torus onto X";
}

// Bad values and flags fail with an error and leave nothing behind.
TEST_F(PolyCommandsTest, BadInputChangesNothing) {
    run("polyCube");
    const std::vector<std::string> before = names("ls");
    for (const char* bad :
         {"polySphere -r 0", "polyCube -w -1", "polyTorus -ax 0 0 0", "polyPlane -bogus 1",
          "polyCylinder -sx many", "polyCube -n \"\"", "polyEvaluate nothing",
          "polyEvaluate -v persp", "polyEvaluate -v -b pCube1", "polySelect -ns -elb 12 persp",
          "polySelect -ns -elb 12 pCube1", "polySelect -ns -er -1 pCube1", "polySelect -ns pCube1",
          "polySelect -ns -elp 0 99 pCube1"}) {
        EXPECT_TRUE(fails(bad)) << bad;
        EXPECT_EQ(names("ls"), before) << bad;
    }
    run("select -cl");
    EXPECT_TRUE(fails("polySelect -ns -elb 0")) << "no mesh given, selected or hilited";
    run("hilite pCube1");
    EXPECT_FALSE(fails("polySelect -ns -elb 0")) << "the hilited mesh";
}

// On the default sphere (20 x 20): ring edges 0-19 form the bottom ring, a closed loop that
// polySelect lists with its first edge again; edges between rings run from pole to pole.
TEST_F(PolyCommandsTest, PolySelectWalksLoopsRingsAndPaths) {
    run("polySphere");
    std::vector<int> ring;
    for (int e = 0; e < 20; ++e)
        ring.push_back(e);
    ring.push_back(0);
    EXPECT_EQ(ints("polySelect -ns -elb 0 pSphere1"), ring);
    EXPECT_EQ(ints("polySelect -ns -el 3 pSphere1").size(), 21u);
    EXPECT_EQ(ints("polySelect -ns -elp 0 5 pSphere1"), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ints("polySelect -ns -elp 0 17 pSphere1"), (std::vector<int>{0, 19, 18, 17}))
        << "the shorter way round";

    const std::vector<int> rungs = ints("polySelect -ns -er 0 pSphere1");
    EXPECT_EQ(rungs.size(), 19u) << "a ring stops where the quads end at the poles";
    EXPECT_EQ(rungs.front(), 0);

    run("select -cl");
    EXPECT_EQ(names("ls -sl"), std::vector<std::string>{}) << "-ns selects nothing";

    run("select pSphere1");
    run("polySelect -elb 40");
    EXPECT_EQ(ints("polyEvaluate -ec pSphere1"), std::vector<int>{20}) << "selection replaced";
    run("polySelect -add -elb 60 pSphere1");
    EXPECT_EQ(ints("polyEvaluate -ec pSphere1"), std::vector<int>{40});
    run("undo");
    EXPECT_EQ(ints("polyEvaluate -ec pSphere1"), std::vector<int>{20});
}

TEST_F(PolyCommandsTest, BordersOfAPlaneAndComponentBounds) {
    run("polyPlane -sx 2 -sy 2");
    // Edge 0 runs along the plane's first row, on its border: the border walks all 8 edges.
    const std::vector<int> border = ints("polySelect -ns -elb 0 pPlane1");
    EXPECT_EQ(border.size(), 9u);
    EXPECT_EQ(border.front(), border.back());
    EXPECT_EQ(ints("polySelect -ns -el 0 pPlane1"), std::vector<int>{0})
        << "an edge loop stops at the border";

    run("select -r pPlane1.vtx[0]");
    const std::vector<double> box = run("polyEvaluate -bc pPlane1").asDoubleArray();
    EXPECT_EQ(box, (std::vector<double>{-0.5, -0.5, 0.0, 0.0, 0.5, 0.5}));
    EXPECT_EQ(ints("polyEvaluate -vc -fc pPlane1"), (std::vector<int>{1, 0}));
    EXPECT_DOUBLE_EQ(run("polyEvaluate -a pPlane1").asDouble(), 1.0);
}

}  // namespace
