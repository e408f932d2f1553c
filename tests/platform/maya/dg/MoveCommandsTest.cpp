// Placing objects and points as Maya does: move, rotate and scale in their spaces and
// modes, about pivots; components through their points; xform's spaces, pivots and matrix;
// duplicate's names; objectType; and channels that are locked or driven refusing the edit.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

using mayasim::CommandEngine;
using mayasim::Value;
using Numbers = std::vector<double>;
using Strings = std::vector<std::string>;

class MoveCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mayasim::registerSceneCommands(CommandEngine::instance()); }
    void SetUp() override {
        CommandEngine::instance().setMessageSink(
            [this](const std::string&, const std::string& text) { messages_ += text + "\n"; });
        run("polyCube");
    }
    void TearDown() override {
        CommandEngine::instance().executeMel("flushUndo", nullptr, false, false);
        CommandEngine::instance().setMessageSink(nullptr);
        mayasim::Scene::instance().reset();
    }

    static Value run(const std::string& mel) {
        Value result;
        EXPECT_TRUE(CommandEngine::instance().executeMel(mel.c_str(), &result, false, true)) << mel;
        return result;
    }
    static Numbers numbers(const std::string& mel) { return run(mel).asDoubleArray(); }
    static void expectNear(const Numbers& actual, const Numbers& expected,
                           const std::string& what) {
        ASSERT_EQ(actual.size(), expected.size()) << what;
        for (size_t i = 0; i < actual.size(); ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-9) << what << " [" << i << "]";
    }
    static Numbers rotationRows(const MMatrix& m) {
        Numbers rows;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                rows.push_back(m[r][c]);
        }
        return rows;
    }
    static Numbers worldRotation(const std::string& node) {
        const Numbers m = numbers("xform -q -ws -m " + node);
        return {m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]};
    }

    std::string messages_;
};

TEST_F(MoveCommandsTest, MoveRotateAndScaleWorkInMayasSpacesAndModes) {
    run("move 1 2 3 pCube1; move -r -y 2 pCube1");
    expectNear(numbers("getAttr pCube1.translate"), {1, 4, 3}, "absolute, then relative y");
    run("group -em -n lift; setAttr lift.ty 10; parent pCube1 lift; move 0 0 0 pCube1");
    expectNear(numbers("getAttr pCube1.translate"), {0, -10, 0}, "world origin under lift");
    run("setAttr pCube1.ry 90; move -r -os 1 0 0 pCube1");
    expectNear(numbers("getAttr pCube1.translate"), {0, -10, -1}, "along the object's own x");
    run("move -ls -r 0 1 0 pCube1");
    expectNear(numbers("getAttr pCube1.translate"), {0, -9, -1}, "local space: the channels");

    run("polyCube -n box; xform -rp 1 0 0 box; move -a -rpr 5 0 0 box");
    EXPECT_NEAR(run("getAttr box.tx").asDouble(), 4.0, 1e-9) << "the pivot lands on 5";
    run("move -x 0 box; rotate 0 90 0 box");
    expectNear(numbers("getAttr box.rotate"), {0, 90, 0}, "absolute rotation");
    run("rotate -r -os 90 0 0 box");
    const MMatrix x90 = MEulerRotation(M_PI / 2, 0, 0).asMatrix();
    const MMatrix y90 = MEulerRotation(0, M_PI / 2, 0).asMatrix();
    const MMatrix z90 = MEulerRotation(0, 0, M_PI / 2).asMatrix();
    expectNear(worldRotation("box"), rotationRows(x90 * y90), "about the object's own x");
    run("rotate -r -ws 0 0 90 box");
    expectNear(worldRotation("box"), rotationRows(x90 * y90 * z90), "about the world's z");

    run("polyCube -n spin; rotate -r -p 1 0 0 0 180 0 spin");
    expectNear(numbers("xform -q -ws -rp spin"), {2, 0, 0}, "orbits the pivot given");
    expectNear(numbers("getAttr spin.rotatePivotTranslate"), {2, 0, 0},
               "through the pivot's translate unless -t");

    run("scale 2 2 2 box; scale -r -x 3 box");
    expectNear(numbers("getAttr box.scale"), {6, 2, 2}, "relative by default");
    run("scale -a 1 3 1 box");
    expectNear(numbers("getAttr box.scale"), {1, 3, 1}, "absolute");
    run("polyCube -n grow; move 2 0 0 grow; scale -p 0 0 0 3 3 3 grow");
    expectNear(numbers("getAttr grow.translate"), {6, 0, 0}, "scaled away from the pivot");
}

TEST_F(MoveCommandsTest, ComponentsMoveTheirPointsAboutTheirCentre) {
    expectNear(numbers("pointPosition pCube1.vtx[0]"), {-0.5, -0.5, 0.5}, "a cube's first vertex");
    run("scale 2 2 2 pCube1.vtx[0:1]");
    expectNear(numbers("xform -q -t pCube1.vtx[0:1]"), {-1, -0.5, 0.5, 1, -0.5, 0.5},
               "about the centre of the two");
    run("rotate 0 0 90 pCube1.vtx[0:1]");
    expectNear(numbers("xform -q -t pCube1.vtx[0:1]"), {0, -1.5, 0.5, 0, 0.5, 0.5},
               "turned about their centre");
    run("setAttr pCube1.tx 10; move -r 0 1 0 pCube1.vtx[0]");
    expectNear(numbers("pointPosition pCube1.vtx[0]"), {10, -0.5, 0.5}, "world position");
    expectNear(numbers("pointPosition -l pCube1.vtx[0]"), {0, -0.5, 0.5}, "object position");

    run("move -a -y 0 pCube1.vtx[*]");
    const Numbers flat = numbers("xform -q -ws -t pCube1.vtx[*]");
    ASSERT_EQ(flat.size(), 24u);
    for (size_t i = 1; i < flat.size(); i += 3)
        EXPECT_NEAR(flat[i], 0.0, 1e-9) << "every vertex flattened onto y = 0";
    const Numbers before = numbers("xform -q -t pCube1.vtx[*]");
    run("move -r 0 0 1 pCube1.e[0]");
    const Numbers after = numbers("xform -q -t pCube1.vtx[*]");
    int moved = 0;
    for (size_t i = 2; i < after.size(); i += 3)
        moved += after[i] != before[i] ? 1 : 0;
    EXPECT_EQ(moved, 2) << "an edge moves its two vertices, and only those";
    run("xform -ws -t 0 5 0 pCube1.vtx[0]");
    expectNear(numbers("pointPosition pCube1.vtx[0]"), {0, 5, 0}, "xform places a point");
}

TEST_F(MoveCommandsTest, XformSpacesPivotsAndMatrices) {
    expectNear(numbers("xform -q -piv pCube1"), Numbers(6, 0.0), "both pivots at first");
    run("group -em -n tilt; setAttr tilt.rz 90; parent pCube1 tilt; xform -ws -ro 0 0 0 pCube1");
    expectNear(numbers("xform -q -ro pCube1"), {0, 0, -90}, "undoes the parent's turn");
    expectNear(numbers("xform -q -ws -ro pCube1"), {0, 0, 0}, "level in the world");

    run("setAttr pCube1.ry 45; setAttr pCube1.sx 2");
    const Numbers placed = numbers("xform -q -ws -m pCube1");
    const Numbers pivot = numbers("xform -q -ws -rp pCube1");
    run("xform -r -ws -piv 1 0 0 pCube1");
    expectNear(numbers("xform -q -ws -m pCube1"), placed, "moving pivots moves nothing else");
    expectNear(numbers("xform -q -ws -rp pCube1"), {pivot[0] + 1, pivot[1], pivot[2]},
               "the rotate pivot moved one unit along world x");
    expectNear(numbers("xform -q -ws -sp pCube1"), {pivot[0] + 1, pivot[1], pivot[2]},
               "and the scale pivot with it");

    run("polyCube -n box; xform -m 0 0 -1 0 0 1 0 0 1 0 0 0 1 2 3 1 box");
    expectNear(numbers("xform -q -m box"), {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 2, 3, 1},
               "sixteen values in, sixteen out");
    expectNear(numbers("getAttr box.rotate"), {0, 90, 0}, "decomposed into channels");
}

TEST_F(MoveCommandsTest, DuplicateNamesCopiesAsMayaDoesAndObjectTypeKnowsTheTree) {
    EXPECT_EQ(run("duplicate pCube1").asStringArray(), Strings{"pCube2"});
    EXPECT_EQ(run("listRelatives -s pCube2").asStringArray(), Strings{"pCubeShape2"});
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"pCube2"}) << "the copy is selected";
    EXPECT_EQ(numbers("xform -q -t pCube2.vtx[*]"), numbers("xform -q -t pCube1.vtx[*]"));
    run("setAttr polyCube1.w 3");
    EXPECT_NE(numbers("xform -q -t pCube2.vtx[*]"), numbers("xform -q -t pCube1.vtx[*]"))
        << "the copy has the geometry, not the history";
    EXPECT_EQ(run("duplicate -n crate pCube1").asStringArray(), Strings{"crate"});
    EXPECT_EQ(run("listRelatives -s crate").asStringArray(), Strings{"crateShape"});

    // Names stay unique across the whole scene in this host, so copied children are renamed.
    run("group -n holder pCube1 pCube2");
    EXPECT_EQ(run("duplicate holder").asStringArray(), (Strings{"holder1", "pCube3", "pCube4"}));
    EXPECT_EQ(run("duplicate -rr holder").asStringArray(), Strings{"holder2"});

    EXPECT_EQ(run("objectType pCube1").asString(), "transform");
    EXPECT_EQ(run("objectType polyCube1").asString(), "polyCube");
    const std::pair<const char*, int> answers[] = {
        {"objectType -isType mesh pCubeShape1", 1},   {"objectType -isType shape pCubeShape1", 0},
        {"objectType -isAType shape pCubeShape1", 1}, {"objectType -isAType dagNode pCube1", 1},
        {"objectType -isAType shape pCube1", 0},      {"objectType -isAType mesh pCube1", 0}};
    for (const auto& [mel, expected] : answers)
        EXPECT_EQ(run(mel).asInt(), expected) << mel;
}

TEST_F(MoveCommandsTest, FixedChannelsAndBadInputChangeNothing) {
    run("polyCube; group -em -n lift; connectAttr lift.ry pCube2.ry; setAttr -l true pCube1.tx");
    const Numbers first = numbers("getAttr pCube1.translate");
    const Numbers second = numbers("getAttr pCube2.translate");
    Value ignored;
    auto& engine = CommandEngine::instance();
    for (const char* bad : {"move 1 1 1 pCube2 pCube1", "rotate 0 45 0 pCube2",
                            "xform -t 1 1 1 pCube1", "move 1 0 0 nothing", "move -r 1 pCube1"}) {
        messages_.clear();
        EXPECT_FALSE(engine.executeMel(bad, &ignored, false, true)) << bad;
        EXPECT_FALSE(messages_.empty()) << bad;
    }
    EXPECT_EQ(numbers("getAttr pCube1.translate"), first);
    EXPECT_EQ(numbers("getAttr pCube2.translate"), second) << "pCube2 moved back with the failure";
    messages_.clear();
    engine.executeMel("move 1 1 1 pCube1", &ignored, false, true);
    EXPECT_NE(messages_.find("is locked or connected and cannot be modified"), std::string::npos)
        << messages_;
    run("setAttr -l false pCube1.tx; setAttr -l true pCube1.translate");
    EXPECT_FALSE(engine.executeMel("move -r 0 1 0 pCube1", &ignored, false, true))
        << "a locked compound fixes its children";
}

}  // namespace
