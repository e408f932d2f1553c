// The "vexelDevice" node: the process-wide device node and the stylus settings
// the tracker thread and the tools read from it.
#include "TrackerThread.h"
#include "VexelDeviceNode.h"

#include <gtest/gtest.h>

#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>

#include <mayasim/NodeTypes.h>
#include <mayasim/Scene.h>
#include <vxhost/Desktop.h>

namespace {

class DeviceNodeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (mayasim::isNodeTypeRegistered(VexelDeviceNode::kTypeName)) {
            return;
        }
        ASSERT_TRUE(mayasim::registerNodeType(
            VexelDeviceNode::kTypeName, VexelDeviceNode::id, &VexelDeviceNode::creator,
            &VexelDeviceNode::initialize, MPxNode::kDependNode, nullptr, "test"));
    }
    void SetUp() override {
        mayasim::Scene::instance().reset();
        vxhost::Desktop::instance().reset();
    }
    void TearDown() override {
        mayasim::Scene::instance().reset();
        TrackerThread::destroyInstance();
    }

    // Maya keeps a deleted node while anything holds it; the handle goes with it.
    static void remove(MObject& node) {
        ASSERT_TRUE(mayasim::Scene::instance().deleteNode(node));
        node = MObject();
    }

    static MObject create(const char* name) {
        MObject node;
        EXPECT_TRUE(mayasim::Scene::instance().createNode(VexelDeviceNode::kTypeName, name,
                                                          MObject(), node));
        return node;
    }

    // Reading an output runs compute, which takes the copies of the settings.
    static void evaluate(const MObject& node) {
        MPlug(node, VexelDeviceNode::aLeftFocalLength).asDouble();
    }
};

}  // namespace

TEST_F(DeviceNodeTest, LatestNodeIsTheDeviceNodeAndDeletingEitherClearsIt) {
    MObject first = create("deviceA");
    VexelDeviceNode* firstNode = VexelDeviceNode::deviceNode();
    ASSERT_NE(firstNode, nullptr);
    EXPECT_TRUE(TrackerThread::hasInstance());
    MObject second = create("deviceB");
    EXPECT_NE(VexelDeviceNode::deviceNode(), firstNode);
    ASSERT_NE(VexelDeviceNode::deviceNode(), nullptr);

    remove(first);
    EXPECT_EQ(VexelDeviceNode::deviceNode(), nullptr);

    MObject third = create("deviceC");
    ASSERT_NE(VexelDeviceNode::deviceNode(), nullptr);
    remove(third);
    EXPECT_EQ(VexelDeviceNode::deviceNode(), nullptr);
}

TEST_F(DeviceNodeTest, CtrlInvertsSensitivityWithoutTouchingTheAttribute) {
    const MObject node = create("device");
    evaluate(node);
    VexelDeviceNode* device = VexelDeviceNode::deviceNode();
    EXPECT_FALSE(device->isStylusSensitivityActive());
    vxhost::Desktop::instance().key(VK_CONTROL, true);
    EXPECT_TRUE(device->isStylusSensitivityActive());
    EXPECT_FALSE(MPlug(node, VexelDeviceNode::aStylusSensitivityEnabled).asBool());
    vxhost::Desktop::instance().key(VK_CONTROL, false);
    EXPECT_FALSE(device->isStylusSensitivityActive());
}

TEST_F(DeviceNodeTest, DampingFactorSetsTheFilterCutoff) {
    const MObject node = create("device");
    evaluate(node);
    VexelDeviceNode* device = VexelDeviceNode::deviceNode();
    EXPECT_DOUBLE_EQ(device->getStylusFilterCutoff(), 67.0);
    EXPECT_TRUE(device->isStylusDampingEnabled());

    MPlug(node, VexelDeviceNode::aStylusDampingFactor).setValue(1.0);
    MPlug(node, VexelDeviceNode::aStylusDampingEnabled).setValue(false);
    MPlug(node, VexelDeviceNode::aTriggerUpdate).setValue(1.0);
    evaluate(node);
    EXPECT_DOUBLE_EQ(device->getStylusFilterCutoff(), 0.0);
    EXPECT_FALSE(device->isStylusDampingEnabled());

    double cutoff = -1.0;
    bool enabled = true;
    ASSERT_TRUE(VexelDeviceNode::readFilterSettings(cutoff, enabled));
    EXPECT_EQ(cutoff, 0.0);
    EXPECT_FALSE(enabled);
}
