// How clicks select and what is selected: selection modes and masks through selectMode,
// selectType and MGlobal (one state seen both ways), the select and hilite commands, and
// MGlobal::selectCommand's journal line, undo and change messages.

#include <gtest/gtest.h>

#include <maya/MGlobal.h>
#include <maya/MModelMessage.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>
#include <maya/MStringArray.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"
#include "mayasim/UndoQueue.h"
#include "openmaya/SelectionModes.h"

namespace {

using mayasim::CommandEngine;
using Mask = MSelectionMask;

class SelectionStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { mayasim::registerSceneCommands(CommandEngine::instance()); }
    void SetUp() override {
        saved_ = mayasim::selectionModes();
        auto& engine = CommandEngine::instance();
        engine.setMessageSink(
            [this](const std::string&, const std::string& text) { messages_.push_back(text); });
        engine.setEchoSink([this](const std::string& line) { echoed_.push_back(line); });
        engine.undoQueue().flush();
        run("polyCube; camera; group -n \"holder\" \"camera1\"; select -cl");
    }
    void TearDown() override {
        auto& engine = CommandEngine::instance();
        engine.undoQueue().flush();
        engine.setMessageSink(nullptr);
        engine.setEchoSink(nullptr);
        mayasim::Scene::instance().reset();
        mayasim::selectionModes() = saved_;
    }

    static mayasim::Value run(const std::string& mel) {
        mayasim::Value result;
        EXPECT_TRUE(CommandEngine::instance().executeMel(mel.c_str(), &result, false, true)) << mel;
        return result;
    }
    static int query(const std::string& mel) { return run(mel).asInt(); }
    static std::vector<std::string> selected() { return run("ls -sl").asStringArray(); }
    static std::vector<std::string> strings(const MSelectionList& list) {
        MStringArray all;
        list.getSelectionStrings(all);
        std::vector<std::string> out;
        for (unsigned int i = 0; i < all.length(); ++i)
            out.emplace_back(all[i].asChar());
        return out;
    }
    static MSelectionList listOf(std::initializer_list<const char*> names) {
        MSelectionList list;
        for (const char* name : names)
            list.add(name);
        return list;
    }

    mayasim::SelectionModes saved_;
    std::vector<std::string> messages_;
    std::vector<std::string> echoed_;
};

using Strings = std::vector<std::string>;

TEST_F(SelectionStateTest, ModesAndMasksAreOneStateForCommandsAndTheApi) {
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectObjectMode);
    Mask objects = MGlobal::objectSelectionMask();
    for (auto type : {Mask::kSelectMeshes, Mask::kSelectJoints, Mask::kSelectIkHandles,
                      Mask::kSelectNurbsCurves, Mask::kSelectNurbsSurfaces, Mask::kSelectEmitters})
        EXPECT_TRUE(objects.intersects(type)) << "a fresh Maya selects every object: " << type;
    EXPECT_EQ(query("selectType -q -objectComponent -allComponents"), 0)
        << "no components are picked on hilited objects at first";

    run("selectMode -co");
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectComponentMode);
    EXPECT_EQ(query("selectMode -q -co") * 10 + query("selectMode -q -o"), 10);
    Mask components = MGlobal::componentSelectionMask();
    EXPECT_TRUE(components.intersects(Mask::kSelectCVs) &&
                components.intersects(Mask::kSelectMeshVerts))
        << "component mode starts on points";
    EXPECT_FALSE(components.intersects(Mask::kSelectMeshEdges));
    run("selectType -vertex false -pe true");
    components = MGlobal::componentSelectionMask();
    EXPECT_FALSE(components.intersects(Mask::kSelectMeshVerts));
    EXPECT_TRUE(components.intersects(Mask::kSelectMeshEdges));
    EXPECT_EQ(query("selectType -q -polymeshVertex") * 10 + query("selectType -q -edge"), 1)
        << "-vertex and -polymeshVertex (-edge and -polymeshEdge) are one mask";

    run("selectMode -o; selectType -ocm -alc false; selectType -objectComponent "
        "-polymeshVertex true");
    components = MGlobal::componentSelectionMask();
    EXPECT_TRUE(components.intersects(Mask::kSelectMeshVerts))
        << "in object mode the component mask is the one for hilited objects";
    EXPECT_FALSE(components.intersects(Mask::kSelectCVs));
    EXPECT_EQ(query("selectType -q -ocm -vertex"), 1);
    EXPECT_EQ(query("selectType -q -objectComponent -allComponents"), 1);
    EXPECT_EQ(query("selectType -q -vertex"), 0) << "component mode's mask is its own";

    run("selectType -ikh false -j false");
    objects = MGlobal::objectSelectionMask();
    EXPECT_FALSE(objects.intersects(Mask::kSelectIkHandles) ||
                 objects.intersects(Mask::kSelectJoints));
    EXPECT_TRUE(objects.intersects(Mask::kSelectMeshes));
    EXPECT_EQ(query("selectType -q -ikHandle"), 0);

    run("selectMode -leaf; selectMode -object; selectMode -hierarchical");
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectLeafMode)
        << "-hierarchical returns to the hierarchical mode last on";
    ASSERT_TRUE(MGlobal::setSelectionMode(MGlobal::kSelectComponentMode));
    ASSERT_TRUE(MGlobal::setComponentSelectionMask(Mask(Mask::kSelectCurveKnots)));
    EXPECT_EQ(query("selectType -q -curveKnot") * 10 + query("selectType -q -cv"), 10);
    EXPECT_EQ(MGlobal::setSelectionMode(static_cast<MGlobal::MSelectionMode>(7)),
              MS::kInvalidParameter);
}

TEST_F(SelectionStateTest, MasksCombineAndModeChangesUndo) {
    Mask mask(Mask::kSelectMeshVerts);
    mask.addMask(Mask::kSelectCVs);
    EXPECT_TRUE(mask.intersects(Mask::kSelectCVs));
    EXPECT_FALSE(mask.intersects(Mask::kSelectEdges));
    EXPECT_TRUE(mask.intersects(Mask::kSelectComponentsMask)) << "aggregates gather types";
    EXPECT_FALSE(mask.intersects(Mask::kSelectObjectsMask));
    Mask joints(Mask::kSelectJoints);
    EXPECT_TRUE((mask | joints).intersects(Mask::kSelectJoints));
    mask.setMask(Mask::kSelectObjectsMask);
    EXPECT_TRUE(mask.intersects(Mask::kSelectIkHandles));
    EXPECT_FALSE(mask.intersects(Mask::kSelectCVs));

    run("selectType -p false; selectMode -co");
    EXPECT_FALSE(MGlobal::objectSelectionMask().intersects(Mask::kSelectMeshes));
    run("undo");
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectObjectMode);
    run("undo");
    EXPECT_TRUE(MGlobal::objectSelectionMask().intersects(Mask::kSelectMeshes));
    run("redo; redo");
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectComponentMode);
    EXPECT_FALSE(MGlobal::objectSelectionMask().intersects(Mask::kSelectMeshes));
}

TEST_F(SelectionStateTest, SelectTakesMayasFlagsAndRefusesUnknownNames) {
    run("select -r pCube1; select -add holder");
    EXPECT_EQ(selected(), (Strings{"pCube1", "holder"}));
    run("select -af camera1");
    EXPECT_EQ(selected(), (Strings{"camera1", "pCube1", "holder"}));
    run("select -d pCube1; select -tgl holder pCube1");
    EXPECT_EQ(selected(), (Strings{"camera1", "pCube1"}));
    run("select -hi holder");
    EXPECT_EQ(selected(), (Strings{"holder", "camera1", "cameraShape1"}));
    run("select pCube1.vtx[0:2]; select -add pCube1.vtx[4] pCube1.f[1]");
    EXPECT_EQ(selected(), (Strings{"pCube1.vtx[0:2]", "pCube1.vtx[4]", "pCube1.f[1]"}));
    run("setAttr holder.visibility 0; select -vis pCube1 camera1");
    EXPECT_EQ(selected(), Strings{"pCube1"}) << "camera1 is hidden by its parent";
    run("select -all");
    EXPECT_EQ(selected(), (Strings{"pCube1", "polyCube1", "holder"}))
        << "top-level objects and dependency nodes, not time1";
    run("select -cl");
    EXPECT_TRUE(selected().empty());

    run("select pCube1");
    messages_.clear();
    mayasim::Value ignored;
    EXPECT_FALSE(CommandEngine::instance().executeMel("select -add pCube1 nothingThere", &ignored,
                                                      false, true));
    EXPECT_EQ(messages_, Strings{"No object matches name: nothingThere"});
    EXPECT_EQ(selected(), Strings{"pCube1"});
}

int changes = 0;
void countChange(void*) {
    ++changes;
}

TEST_F(SelectionStateTest, SelectCommandIsAnEchoedUndoableSelectSignalledOncePerChange) {
    changes = 0;
    const MCallbackId id =
        MModelMessage::addCallback(MModelMessage::kActiveListModified, countChange);
    auto& queue = CommandEngine::instance().undoQueue();
    echoed_.clear();
    ASSERT_TRUE(MGlobal::selectCommand(listOf({"pCube1", "pCube1.vtx[2:3]"})));
    EXPECT_EQ(selected(), (Strings{"pCube1", "pCube1.vtx[2:3]"}));
    EXPECT_EQ(echoed_, Strings{"select -r pCube1 pCube1.vtx[2:3] ;"});
    EXPECT_EQ(queue.undoName(), "select -r pCube1 pCube1.vtx[2:3] ;");
    EXPECT_EQ(changes, 1);

    const std::pair<MGlobal::ListAdjustment, const char*> lines[] = {
        {MGlobal::kXORWithList, "select -tgl holder ;"},
        {MGlobal::kAddToList, "select -add holder ;"},
        {MGlobal::kRemoveFromList, "select -d holder ;"},
        {MGlobal::kAddToHeadOfList, "select -af holder ;"}};
    for (const auto& [adjustment, line] : lines) {
        echoed_.clear();
        MGlobal::selectCommand(listOf({"holder"}), adjustment);
        EXPECT_EQ(echoed_, Strings{line});
    }
    EXPECT_EQ(selected(), (Strings{"holder", "pCube1", "pCube1.vtx[2:3]"}));
    EXPECT_EQ(changes, 4) << "adding holder while selected changed nothing";

    const size_t queued = queue.undoCount();
    echoed_.clear();
    MGlobal::selectCommand(MSelectionList());
    EXPECT_EQ(echoed_, Strings{"select -cl  ;"});
    EXPECT_TRUE(selected().empty());
    run("undo");
    EXPECT_EQ(selected(), (Strings{"holder", "pCube1", "pCube1.vtx[2:3]"}));
    run("redo");
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(changes, 7);

    MGlobal::setActiveSelectionList(listOf({"camera1"}));
    MObject cube = mayasim::Scene::instance().findNode("pCube1");
    MGlobal::select(cube);
    EXPECT_EQ(selected(), (Strings{"camera1", "pCube1"}));
    MGlobal::unselectByName("camera1");
    EXPECT_EQ(selected(), Strings{"pCube1"});
    EXPECT_EQ(queue.undoCount(), queued + 1) << "only select commands are undoable";
    EXPECT_EQ(MGlobal::selectByName("nothingThere"), MS::kInvalidParameter);
    MMessage::removeCallback(id);
}

TEST_F(SelectionStateTest, HiliteListFollowsItsCommandAndDeletedNodes) {
    run("hilite pCube1 camera1");
    MSelectionList hilited;
    MGlobal::getHiliteList(hilited);
    EXPECT_EQ(strings(hilited), (Strings{"pCube1", "camera1"}));
    run("hilite -tgl pCube1 holder; hilite -u camera1");
    EXPECT_EQ(run("ls -hl").asStringArray(), Strings{"holder"});
    run("select pCube1.vtx[1]; hilite -r");
    EXPECT_EQ(run("ls -hl").asStringArray(), Strings{"pCube1"}) << "a component hilites its object";
    run("undo");
    EXPECT_EQ(run("ls -hl").asStringArray(), Strings{"holder"});

    MSelectionList replacement = listOf({"camera1", "pCube1"});
    ASSERT_TRUE(MGlobal::setHiliteList(replacement));
    run("delete pCube1");
    MGlobal::getHiliteList(hilited);
    EXPECT_EQ(strings(hilited), Strings{"camera1"});
}

}  // namespace
