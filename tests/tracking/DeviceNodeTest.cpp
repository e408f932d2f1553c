// The "vexelDevice" node: the process-wide device node and the stylus settings
// the tracker thread and the tools read from it.
#include "TrackerThread.h"
#include "VcStylusFilter.h"
#include "VexelDeviceNode.h"

#include <gtest/gtest.h>

#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/NodeTypes.h>
#include <mayasim/Scene.h>
#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

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
        MPlug(node, VexelDeviceNode::aTriggerUpdate)
            .setValue(MPlug(node, VexelDeviceNode::aTriggerUpdate).asDouble() + 1.0);
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

TEST_F(DeviceNodeTest, FilterModeDefaultsToTheLowPassAndTheAdaptiveSettingsKeepTheirMinimum) {
    const MObject node = create("device");
    evaluate(node);
    VexelDeviceNode::StylusFilterSettings settings;
    ASSERT_TRUE(VexelDeviceNode::readFilterSettings(settings));
    EXPECT_EQ(settings.mode, VcStylusFilter::kLowPass);
    EXPECT_DOUBLE_EQ(settings.cutoff, 67.0);

    // Maya holds an attribute at its minimum.
    ASSERT_TRUE(mayasim::CommandEngine::instance().executeMel(
        "setAttr device.stylusFilterMode 1; setAttr device.stylusFilterMinCutoff -3; "
        "setAttr device.stylusFilterSpeedCoefficient -1; "
        "setAttr device.stylusFilterDerivativeCutoff -2",
        nullptr, false, false));
    evaluate(node);
    ASSERT_TRUE(VexelDeviceNode::readFilterSettings(settings));
    EXPECT_EQ(settings.mode, VcStylusFilter::kOneEuro);
    EXPECT_EQ(settings.oneEuro.minCutoff, 0.0);
    EXPECT_EQ(settings.oneEuro.speedCoefficient, 0.0);
    EXPECT_EQ(settings.oneEuro.derivativeCutoff, 0.0);
}

TEST_F(DeviceNodeTest, TheRunningTrackerThreadFollowsAJumpFasterInTheAdaptiveMode) {
    vxhost::resetTracker();
    const MObject node = create("device");
    evaluate(node);
    TrackerThread* tracker = TrackerThread::getInstance();
    // The share of a 5 cm stylus jump covered two polls after it.
    auto coveredAfterTwoPolls = [tracker] {
        vexel::common::Matrix4 pose;
        vxhost::setStylusPose(pose);
        vxhost::HostClock::instance().advance(60 * 17000);
        pose.setTrans(vexel::common::Vector3(0.05f, 0.0f, 0.0f));
        vxhost::setStylusPose(pose);
        vxhost::HostClock::instance().advance(2 * 17000);
        tracker->getStylusPose(pose);
        return pose.getTrans().x / 0.05f;
    };
    EXPECT_LT(coveredAfterTwoPolls(), 0.9f);
    MPlug(node, VexelDeviceNode::aStylusFilterMode).setValue(VcStylusFilter::kOneEuro);
    evaluate(node);
    EXPECT_GT(coveredAfterTwoPolls(), 0.95f);
}
