// Selection lists: merge strategies for nodes and components, toggling, strings, filtered
// iteration and the active selection's upkeep when nodes go away.

#include <gtest/gtest.h>

#include <maya/MDGModifier.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MModelMessage.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "mayasim/Scene.h"

namespace {

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        MFnTransform fn;
        a_ = MDagPath::getAPathTo(fn.create());
        b_ = MDagPath::getAPathTo(fn.create());
        MObject cube;
        mayasim::Scene::instance().createNode("polyCube", "", MObject(), cube);
        mayasim::Scene::instance().createNode("mesh", "cubeShape", MObject(), mesh_);
        MFnDependencyNode cubeFn(cube);
        MFnDependencyNode meshFn(mesh_);
        meshPath_ = MDagPath::getAPathTo(mesh_);
        connect(cubeFn.findPlug("output"), meshFn.findPlug("inMesh"));
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    static void connect(const MPlug& src, const MPlug& dst) {
        MDGModifier modifier;
        modifier.connect(src, dst);
        modifier.doIt();
    }
    static MObject vertices(std::initializer_list<int> ids) {
        MFnSingleIndexedComponent fn;
        MObject component = fn.create(MFn::kMeshVertComponent);
        for (int id : ids)
            fn.addElement(id);
        return component;
    }
    static std::string strings(const MSelectionList& list) {
        MStringArray all;
        list.getSelectionStrings(all);
        std::string out;
        for (unsigned int i = 0; i < all.length(); ++i)
            out += std::string(all[i].asChar()) + " ";
        return out;
    }

    MDagPath a_, b_, meshPath_;
    MObject mesh_;
};

TEST_F(SelectionTest, MergeStrategiesAddToggleAndRemoveItems) {
    MSelectionList list;
    list.add(a_);
    MSelectionList other;
    other.add(a_);
    other.add(b_);
    list.merge(other, MSelectionList::kMergeNormal);
    EXPECT_EQ(strings(list), "transform1 transform2 ");
    list.merge(other, MSelectionList::kXORWithList);
    EXPECT_TRUE(list.isEmpty());
    list.merge(other, MSelectionList::kXORWithList);
    MSelectionList onlyA;
    onlyA.add(a_);
    list.merge(onlyA, MSelectionList::kRemoveFromList);
    EXPECT_EQ(strings(list), "transform2 ");
    list.toggle(a_);
    list.toggle(b_);
    EXPECT_EQ(strings(list), "transform1 ");
    EXPECT_EQ(list.add("nothingByThatName"), MS::kInvalidParameter);
}

TEST_F(SelectionTest, ComponentsMergeElementByElement) {
    MSelectionList list;
    list.add(meshPath_, vertices({0, 1, 2}));
    list.merge(meshPath_, vertices({2, 3, 6}), MSelectionList::kMergeNormal);
    EXPECT_EQ(strings(list), "transform3.vtx[0:3] transform3.vtx[6] ")
        << "components are named after the shape's transform, in runs";
    list.merge(meshPath_, vertices({0, 6}), MSelectionList::kXORWithList);
    EXPECT_EQ(strings(list), "transform3.vtx[1:3] ");
    EXPECT_TRUE(list.hasItem(meshPath_, vertices({1, 3})));
    EXPECT_FALSE(list.hasItem(meshPath_, vertices({0})));
    EXPECT_TRUE(list.hasItemPartly(meshPath_, vertices({0, 1})));
    list.merge(meshPath_, vertices({1, 2, 3}), MSelectionList::kRemoveFromList);
    EXPECT_TRUE(list.isEmpty()) << "a component with no elements left is dropped";

    MSelectionList byName;
    ASSERT_TRUE(byName.add("cubeShape.vtx[2:4]"));
    MDagPath path;
    MObject component;
    ASSERT_TRUE(byName.getDagPath(0, path, component));
    EXPECT_EQ(MFnSingleIndexedComponent(component).elementCount(), 3);
    EXPECT_EQ(byName.add("cubeShape.vtx[8]"), MS::kInvalidParameter) << "a cube has 8 vertices";
}

TEST_F(SelectionTest, IteratesWithAFilterAndFollowsDeletedNodes) {
    MSelectionList list;
    list.add(a_);
    list.add(meshPath_.transform());
    list.add(mayasim::Scene::instance().timeNode());
    int meshes = 0;
    for (MItSelectionList it(list, MFn::kMesh); !it.isDone(); it.next())
        ++meshes;
    EXPECT_EQ(meshes, 1) << "a transform's path answers for its only shape";
    int all = 0;
    for (MItSelectionList it(list); !it.isDone(); it.next())
        ++all;
    EXPECT_EQ(all, 3);

    int changes = 0;
    mayasim::Scene::instance().setSelectionChangedCallback([&] { ++changes; });
    mayasim::Scene::instance().setActiveSelection(list);
    mayasim::Scene::instance().deleteNode(a_.node());
    EXPECT_EQ(strings(mayasim::Scene::instance().activeSelection()), "transform3 time1 ");
    EXPECT_EQ(changes, 2);
    mayasim::Scene::instance().setSelectionChangedCallback(nullptr);
}

// Tools rebuild their manipulators on this message: it comes once per change of the active
// list, and not after the callback is removed.
TEST_F(SelectionTest, ActiveListCallbacksFireOncePerChangeUntilRemoved) {
    static int calls = 0;
    calls = 0;
    MStatus status;
    const MCallbackId id = MModelMessage::addCallback(
        MModelMessage::kActiveListModified, [](void*) { ++calls; }, nullptr, &status);
    ASSERT_TRUE(status);
    MSelectionList list;
    list.add(a_);
    ASSERT_TRUE(MGlobal::setActiveSelectionList(list));
    EXPECT_EQ(calls, 1);
    list.add(b_);
    ASSERT_TRUE(MGlobal::setActiveSelectionList(list, MGlobal::kAddToList));
    EXPECT_EQ(calls, 2);
    ASSERT_TRUE(MMessage::removeCallback(id));
    EXPECT_FALSE(MMessage::removeCallback(id));
    MGlobal::clearSelectionList();
    EXPECT_EQ(calls, 2);
}

}  // namespace
