// The scene commands through MEL: results in Maya's shapes and units, and undo/redo of
// every editing command restoring the whole scene exactly.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include <maya/MAngle.h>
#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"
#include "mayasim/Views.h"

namespace {

using mayasim::CommandEngine;
using mayasim::Value;

class SceneCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mayasim::registerSceneCommands(CommandEngine::instance()); }
    void SetUp() override {
        CommandEngine::instance().setMessageSink(
            [this](const std::string&, const std::string& text) { messages_ += text + "\n"; });
    }
    void TearDown() override {
        CommandEngine::instance().executeMel("flushUndo", nullptr, false, false);
        CommandEngine::instance().setMessageSink(nullptr);
        mayasim::Scene::instance().reset();
    }

    static Value run(const std::string& mel) {
        Value result;
        const MStatus status =
            CommandEngine::instance().executeMel(mel.c_str(), &result, false, true);
        EXPECT_TRUE(status) << mel;
        return result;
    }

    // Every node with its type, parent, values, incoming connections and dynamic
    // attributes, and the active selection: what undo must restore.
    static std::string snapshot() {
        std::ostringstream out;
        for (const MObject& node : mayasim::Scene::instance().nodes()) {
            MFnDependencyNode fn(node);
            MDagPath path;
            const bool dag = MDagPath::getAPathTo(node, path);
            out << (dag ? path.fullPathName() : fn.name()) << ":" << fn.typeName() << "\n";
            for (unsigned int i = 0; i < fn.attributeCount(); ++i) {
                MPlug plug = fn.findPlug(fn.attribute(i));
                if (plug.isArray() || plug.isCompound())
                    continue;
                MPlugArray sources;
                if (plug.connectedTo(sources, true, false)) {
                    out << "  " << plug.partialName() << " <- " << sources[0].name() << "\n";
                }
                if (plug.isLocked())
                    out << "  " << plug.partialName() << " locked\n";
                MStatus status;
                const double value = plug.asDouble(MDGContext::fsNormal, &status);
                if (status && value != 0.0)
                    out << "  " << plug.partialName() << "=" << value << "\n";
            }
        }
        for (MItDag it(MItDag::kDepthFirst, MFn::kMesh); !it.isDone(); it.next()) {
            MPointArray points;
            MFnMesh(it.currentItem()).getPoints(points);
            for (unsigned int i = 0; i < points.length(); ++i)
                out << "  p" << i << " " << points[i].x << " " << points[i].y << " " << points[i].z;
            out << "\n";
        }
        MStringArray selected;
        mayasim::Scene::instance().activeSelection().getSelectionStrings(selected);
        for (unsigned int i = 0; i < selected.length(); ++i)
            out << "sel " << selected[i] << "\n";
        return out.str();
    }

    std::string messages_;
};

TEST_F(SceneCommandsTest, EveryEditUndoesAndRedoesExactly) {
    run("createNode transform -n \"base\"; polyCube -n \"box\"; camera;");
    run("flushUndo");
    const char* edits[] = {
        "createNode transform -n \"extra\" -p \"base\"",
        "createNode camera",
        "setAttr \"box.translate\" 1 2 3",
        "setAttr \"base.rx\" 45",
        "setAttr -lock true \"base.ty\"",
        "connectAttr \"base.tx\" \"box.ty\"",
        "addAttr -ln \"weight\" -sn \"wt\" -at double -dv 2 -min 0 \"base\"",
        "rename \"base\" \"root\"",
        "parent \"box\" \"base\"",
        "group -n \"holder\" \"box\" \"camera1\"",
        "delete \"box\"",
        "select -r \"box\" \"camera1\"",
        "select -tgl \"camera1\"",
        "xform -ws -t 5 0 0 \"camera1\"",
        "xform -r -ro 0 90 0 \"box\"",
        "polyCube -w 2 -sx 3",
        "camera -n \"eye\"",
        "move 1 2 3 \"box\"",
        "move -r -os -x 2 \"box\"",
        "rotate -r -p 1 0 0 0 90 0 \"box\"",
        "scale -p 0 1 0 2 2 2 \"box\"",
        "move -r 0 1 0 \"box.vtx[0:3]\"",
        "rotate 0 0 45 \"box.f[1]\"",
        "scale 2 1 1 \"box.e[0]\"",
        "xform -r -ws -piv 1 0 0 \"box\"",
        "xform -ws -ro 0 30 0 \"camera1\"",
        "xform -ws -t 0 1 0 \"box.vtx[7]\"",
        "duplicate \"box\"",
    };
    for (const char* edit : edits) {
        const std::string before = snapshot();
        run(edit);
        const std::string after = snapshot();
        EXPECT_NE(before, after) << edit << " changed nothing";
        run("undo");
        EXPECT_EQ(snapshot(), before) << "undo of: " << edit;
        run("redo");
        EXPECT_EQ(snapshot(), after) << "redo of: " << edit;
        run("undo");
    }
    run("select -cl; connectAttr \"base.tx\" \"box.tx\"; select \"box\"");
    const std::string connected = snapshot();
    run("disconnectAttr \"base.tx\" \"box.tx\"");
    run("undo");
    EXPECT_EQ(snapshot(), connected) << "undo of disconnectAttr";
}

TEST_F(SceneCommandsTest, ResultsComeInMayasShapesAndUnits) {
    EXPECT_EQ(run("polyCube").asStringArray(), (std::vector<std::string>{"pCube1", "polyCube1"}));
    EXPECT_EQ(run("polyCube -n \"crate\"").asStringArray(),
              (std::vector<std::string>{"crate", "polyCube2"}));
    EXPECT_EQ(run("camera").asStringArray(), (std::vector<std::string>{"camera1", "cameraShape1"}));
    EXPECT_EQ(run("listRelatives -s \"pCube1\"").asStringArray(),
              std::vector<std::string>{"pCubeShape1"});
    EXPECT_EQ(run("ls -sl").asStringArray(), std::vector<std::string>{"crate"});

    run("setAttr \"pCube1.rotate\" 90 0 0; setAttr \"pCube1.ty\" 2.5");
    EXPECT_EQ(run("getAttr \"pCube1.rotate\"").asDoubleArray(), (std::vector<double>{90, 0, 0}));
    MFnDependencyNode cube(mayasim::Scene::instance().findNode("pCube1"));
    EXPECT_NEAR(cube.findPlug("rx").asDouble(), M_PI / 2, 1e-12) << "stored in radians";
    EXPECT_EQ(run("getAttr -type \"pCube1.translate\"").asString(), "double3");
    EXPECT_EQ(run("getAttr \"pCube1.v\"").kind(), Value::Kind::kInt);

    EXPECT_EQ(run("xform -q -ws -t \"pCube1\"").asDoubleArray(), (std::vector<double>{0, 2.5, 0}));
    run("group -n \"lift\" -em; setAttr \"lift.ty\" 10; parent \"pCube1\" \"lift\"");
    EXPECT_EQ(run("xform -q -ws -t \"pCube1\"").asDoubleArray(), (std::vector<double>{0, 2.5, 0}))
        << "parent keeps the world placement";
    EXPECT_EQ(run("getAttr \"pCube1.ty\"").asDouble(), -7.5);
    EXPECT_EQ(run("ls -l -type \"mesh\"").asStringArray(),
              (std::vector<std::string>{"|lift|pCube1|pCubeShape1", "|crate|crateShape"}));
    EXPECT_EQ(run("ls -assemblies").asStringArray(),
              (std::vector<std::string>{"crate", "camera1", "lift"}));
    EXPECT_EQ(run("objExists \"pCube1.inMesh\"").asInt(), 0) << "inMesh is on the shape";
    EXPECT_EQ(run("nodeType \"pCubeShape1\"").asString(), "mesh");

    run("currentTime 12");
    EXPECT_EQ(run("currentTime -q").asDouble(), 12.0);

    mayasim::views::create(nullptr, RECT{0, 0, 320, 240});
    run("lookThru \"cameraShape1\"");
    EXPECT_EQ(mayasim::views::camera(mayasim::views::activeIndex()).partialPathName(),
              "cameraShape1");
    EXPECT_EQ(run("lookThru -q").asString(), "camera1");
    mayasim::views::clear();
}

TEST_F(SceneCommandsTest, BadInputFailsWithAMessageAndChangesNothing) {
    run("polyCube");
    const std::string before = snapshot();
    Value ignored;
    auto& engine = CommandEngine::instance();
    for (const char* bad :
         {"setAttr \"pCube1.translate\" 1 2", "setAttr \"nothing.tx\" 1",
          "connectAttr \"pCube1.tx\" \"pCube1.message\"", "createNode \"noSuchType\"",
          "parent \"pCube1\" \"pCube1\"", "setAttr \"pCube1.tx\" \"high\""}) {
        messages_.clear();
        EXPECT_FALSE(engine.executeMel(bad, &ignored, false, true)) << bad;
        EXPECT_FALSE(messages_.empty()) << bad << " gave no message";
        EXPECT_EQ(snapshot(), before) << bad;
    }
    run("connectAttr \"pCube1.tx\" \"pCube1.ty\"");
    EXPECT_FALSE(engine.executeMel("setAttr \"pCube1.ty\" 3", &ignored, false, true));
    EXPECT_NE(messages_.find("is locked or connected"), std::string::npos);
}

}  // namespace

namespace {

// Restores the process-wide UI units whatever the test does.
class UiUnitTest : public SceneCommandsTest {
protected:
    void TearDown() override {
        MAngle::setUIUnit(MAngle::kDegrees);
        MDistance::setUIUnit(MDistance::kCentimeters);
        SceneCommandsTest::TearDown();
    }
};

TEST_F(UiUnitTest, CommandsSpeakUiUnitsAndTheGraphKeepsInternalOnes) {
    run("polyCube -w 20; camera -fl 50 -hfa 1 -coi 30");
    MFnDependencyNode cube(mayasim::Scene::instance().findNode("pCube1"));
    MFnDependencyNode camera(mayasim::Scene::instance().findNode("cameraShape1"));
    EXPECT_EQ(run("getAttr \"cameraShape1.fl\"").asDouble(), 50.0)
        << "millimetres, never converted";
    EXPECT_EQ(run("getAttr \"cameraShape1.cap\"").asDoubleArray(),
              (std::vector<double>{1.0, 0.94488}))
        << "inches, never converted";
    EXPECT_DOUBLE_EQ(run("getAttr \"cameraShape1.ncp\"").asDouble(), 0.1);

    MDistance::setUIUnit(MDistance::kMillimeters);
    MAngle::setUIUnit(MAngle::kRadians);
    run("setAttr \"pCube1.tx\" 15; setAttr \"pCube1.ry\" 0.5");
    EXPECT_DOUBLE_EQ(cube.findPlug("tx").asDouble(), 1.5) << "stored in centimetres";
    EXPECT_DOUBLE_EQ(cube.findPlug("ry").asDouble(), 0.5);
    EXPECT_DOUBLE_EQ(run("getAttr \"pCube1.tx\"").asDouble(), 15.0);
    EXPECT_DOUBLE_EQ(run("getAttr \"cameraShape1.coi\"").asDouble(), 300.0);
    EXPECT_DOUBLE_EQ(run("getAttr \"cameraShape1.fl\"").asDouble(), 50.0);
    EXPECT_DOUBLE_EQ(run("xform -q -ws -t \"pCube1\"").asDoubleArray()[0], 15.0);
    run("xform -ws -t 0 40 0 \"pCube1\"");
    EXPECT_DOUBLE_EQ(cube.findPlug("ty").asDouble(), 4.0);

    MAngle::setUIUnit(MAngle::kDegrees);
    EXPECT_NEAR(run("getAttr \"pCube1.ry\"").asDouble(), 0.5 * 180 / M_PI, 1e-9);
    EXPECT_NEAR(run("xform -q -ro \"pCube1\"").asDoubleArray()[1], 0.5 * 180 / M_PI, 1e-9);
    EXPECT_DOUBLE_EQ(camera.findPlug("coi").asDouble(), 30.0);
}

}  // namespace
