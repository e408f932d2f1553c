// Selection lists: merge strategies for nodes and components, item order, toggling, strings
// for single- and double-indexed components, component function sets, filtered iteration
// and the active selection's upkeep when nodes go away.

#include <gtest/gtest.h>

#include <maya/MDGModifier.h>
#include <maya/MFnComponentListData.h>
#include <maya/MFnDoubleIndexedComponent.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MModelMessage.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/ShapeComponents.h"
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

TEST_F(SelectionTest, MergesKeepOrderAndHitItemsMoveToTheEnd) {
    MSelectionList list;
    list.add(a_);
    list.add(meshPath_, vertices({4, 5}));
    list.add(b_);
    MSelectionList hits;
    hits.add(meshPath_, vertices({5, 6}));
    hits.add(a_);
    MSelectionList merged = list;
    merged.merge(hits, MSelectionList::kMergeNormal);
    EXPECT_EQ(strings(merged), "transform1 transform3.vtx[4:6] transform2 ")
        << "a merged item keeps its place";
    MSelectionList moved = list;
    moved.merge(hits, MSelectionList::kRemoveFromList);
    moved.merge(hits, MSelectionList::kMergeNormal);
    EXPECT_EQ(strings(moved), "transform3.vtx[4:6] transform2 transform1 ")
        << "remove, then merge: a hit object moves to the end, a hit component joins the "
           "elements of its shape still there";
    MSelectionList toggled = list;
    toggled.merge(hits, MSelectionList::kXORWithList);
    EXPECT_EQ(strings(toggled), "transform3.vtx[4] transform3.vtx[6] transform2 ");

    ASSERT_TRUE(toggled.replace(0, a_));
    EXPECT_EQ(strings(toggled), "transform1 transform2 ");
    EXPECT_EQ(toggled.replace(5, a_), MS::kInvalidParameter);
    MSelectionList same;
    same.add(a_);
    same.add(a_, MObject::kNullObj, true);
    EXPECT_EQ(same.length(), 1u) << "merging an item already there adds nothing";
}

TEST_F(SelectionTest, ComponentFunctionSetsHoldEachElementOnceInOrder) {
    MFnSingleIndexedComponent single;
    MObject faces = single.create(MFn::kMeshPolygonComponent);
    MIntArray ids;
    for (int id : {7, 2, 7, 5})
        ids.append(id);
    single.addElements(ids);
    MIntArray back;
    single.getElements(back);
    ASSERT_EQ(back.length(), 3u);
    EXPECT_EQ(back[0] * 100 + back[1] * 10 + back[2], 725) << "insertion order, repeats dropped";
    EXPECT_TRUE(faces.hasFn(MFn::kMeshComponent));
    EXPECT_EQ(single.create(MFn::kSurfaceCVComponent).isNull(), true);

    MFnDoubleIndexedComponent grid;
    MObject cvs = grid.create(MFn::kSurfaceCVComponent);
    grid.addElement(1, 2);
    grid.addElement(1, 2);
    grid.addElement(0, 3);
    int u = -1, v = -1;
    EXPECT_EQ(grid.elementCount(), 2);
    ASSERT_TRUE(grid.getElement(1, u, v));
    EXPECT_EQ(u * 10 + v, 3);
    grid.setCompleteData(3, 4);
    EXPECT_TRUE(grid.isComplete());
    EXPECT_EQ(grid.elementCount(), 12);
    ASSERT_TRUE(grid.getElement(5, u, v));
    EXPECT_EQ(u * 10 + v, 11) << "complete: u-major";

    MFnComponentListData listData;
    MObject data = listData.create();
    MObject equalFaces = vertices({1});
    listData.add(faces);
    listData.add(cvs);
    EXPECT_EQ(listData.length(), 2u);
    EXPECT_TRUE(listData.has(faces));
    EXPECT_FALSE(listData.has(equalFaces));
    EXPECT_EQ(listData[1], cvs);
    listData.remove(0u);
    EXPECT_FALSE(listData.has(faces));
    EXPECT_TRUE(data.hasFn(MFn::kComponentListData));
}

// Stands in for curve and surface shapes: "cv" by (u, v) on a 4 x 5 grid, "ep" by index.
class GridComponents : public mayasim::ShapeComponents {
public:
    const std::vector<mayasim::ComponentKind>& kinds() const override {
        static const std::vector<mayasim::ComponentKind> kinds = {
            {"cv", MFn::kSurfaceCVComponent, true}, {"ep", MFn::kCurveEPComponent, false}};
        return kinds;
    }
    mayasim::ComponentExtent extent(mayasim::Node&, MFn::Type type) const override {
        return type == MFn::kSurfaceCVComponent ? mayasim::ComponentExtent{4, 5}
                                                : mayasim::ComponentExtent{6};
    }
    std::vector<int> pointsOf(mayasim::Node&, const mayasim::Component&) const override {
        return {};
    }
    void getPoints(mayasim::Node&, const std::vector<int>&, std::vector<MPoint>&) const override {}
    void setPoints(mayasim::Node&, const std::vector<int>&,
                   const std::vector<MPoint>&) const override {}
};

TEST_F(SelectionTest, ComponentStringsNameRunsAndBlocksOfDoubleIndexedElements) {
    auto mesh = mayasim::registerShapeComponents(MFn::kMesh, std::make_shared<GridComponents>());
    MSelectionList list;
    for (const char* text : {"cubeShape.cv[1][2]", "cubeShape.cv[2][2]", "cubeShape.cv[3][0:4]",
                             "cubeShape.ep[2]", "cubeShape.ep[4:5]"})
        EXPECT_TRUE(list.add(text)) << text;
    EXPECT_EQ(strings(list),
              "transform3.cv[1:2][2] transform3.cv[3][0:4] transform3.ep[2] "
              "transform3.ep[4:5] ");
    MSelectionList column;
    column.add("cubeShape.cv[*][0]");
    EXPECT_EQ(strings(column), "transform3.cv[0:3][0] ");
    column.add("cubeShape.cv[0:3][1]");
    EXPECT_EQ(strings(column), "transform3.cv[0:3][0:1] ") << "rows with equal runs join";
    for (const char* bad : {"cubeShape.cv[4][0]", "cubeShape.cv[1]", "cubeShape.ep[1][1]",
                            "cubeShape.cv[2:1][0]", "cubeShape.vtx[0]"})
        EXPECT_EQ(list.add(bad), MS::kInvalidParameter) << bad;
    mayasim::registerShapeComponents(MFn::kMesh, mesh);
}

TEST_F(SelectionTest, MillionElementComponentsMergeElementByElement) {
    const int count = 1000000;
    MFnSingleIndexedComponent evens, all;
    MObject even = evens.create(MFn::kMeshVertComponent);
    MObject every = all.create(MFn::kMeshVertComponent);
    for (int i = count - 1; i >= 0; --i) {
        all.addElement(i);
        if (i % 2 == 0)
            evens.addElement(i);
    }
    MSelectionList list;
    list.add(meshPath_, even);
    list.merge(meshPath_, every, MSelectionList::kXORWithList);
    MDagPath path;
    MObject odd;
    ASSERT_TRUE(list.getDagPath(0, path, odd));
    MFnSingleIndexedComponent odds(odd);
    ASSERT_EQ(odds.elementCount(), count / 2);
    EXPECT_EQ(odds.element(0), 1);
    EXPECT_EQ(odds.element(count / 2 - 1), count - 1);
    EXPECT_TRUE(list.hasItem(meshPath_, vertices({1, 3, 999999})));
    EXPECT_FALSE(list.hasItemPartly(meshPath_, vertices({0, 2})));
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
