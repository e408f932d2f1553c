// Evaluation: dirty propagation through attributeAffects and connections, pull compute,
// setClean, the unknown-parameter fallback, compounds and plug naming.

#include <gtest/gtest.h>

#include <maya/MDGModifier.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MPlugArray.h>
#include <maya/MPxNode.h>

#include "mayasim/NodeTypes.h"
#include "mayasim/Scene.h"

namespace {

class SumNode : public MPxNode {
public:
    static void* creator() { return new SumNode; }
    static MStatus initialize() {
        MFnNumericAttribute fn;
        a = fn.create("inputA", "a", MFnNumericData::kDouble, 1.0);
        b = fn.create("inputB", "b", MFnNumericData::kDouble, 2.0);
        sum = fn.create("sum", "s", MFnNumericData::kDouble);
        sticky = fn.create("sticky", "st", MFnNumericData::kDouble);
        passive = fn.create("passive", "p", MFnNumericData::kDouble, 7.0);
        vec = fn.create("vec", "v", MFnNumericData::k3Double, 1.0);
        scaled = fn.create("scaled", "sc", MFnNumericData::k3Double);
        for (MObject* attr : {&a, &b, &sum, &sticky, &passive, &vec, &scaled})
            addAttribute(*attr);
        for (MObject* out : {&sum, &sticky, &passive}) {
            attributeAffects(a, *out);
            attributeAffects(b, *out);
        }
        attributeAffects(vec, scaled);
        attributeAffects(a, scaled);
        return MS::kSuccess;
    }

    MStatus compute(const MPlug& plug, MDataBlock& data) override {
        ++computes;
        const double total = data.inputValue(a).asDouble() + data.inputValue(b).asDouble();
        if (plug == sum || plug == sticky) {
            data.outputValue(plug).setDouble(total);
            // "sticky" is never marked clean, so every read computes it again.
            if (plug == sum)
                data.setClean(plug);
            return MS::kSuccess;
        }
        if (plug == scaled || plug.parent() == scaled) {
            const double3& v = data.inputValue(vec).asDouble3();
            const double k = data.inputValue(a).asDouble();
            MDataHandle out = data.outputValue(scaled);
            out.set3Double(v[0] * k, v[1] * k, v[2] * k);
            out.setClean();
            return MS::kSuccess;
        }
        return MS::kUnknownParameter;
    }

    int computes = 0;
    static MObject a, b, sum, sticky, passive, vec, scaled;
};

MObject SumNode::a, SumNode::b, SumNode::sum, SumNode::sticky, SumNode::passive, SumNode::vec,
    SumNode::scaled;

class DependencyGraphTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(mayasim::registerNodeType("dgTestSum", MTypeId(0x7f001), SumNode::creator,
                                              SumNode::initialize, MPxNode::kDependNode, nullptr,
                                              "dgTests"));
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    static SumNode& make(const char* name, MObject& node) {
        MFnDependencyNode fn;
        node = fn.create("dgTestSum", name);
        return *static_cast<SumNode*>(fn.userNode());
    }
};

TEST_F(DependencyGraphTest, PullsThroughConnectionsComputingOncePerDirtyRead) {
    MObject first, second;
    SumNode& up = make("up", first);
    SumNode& down = make("down", second);
    MDGModifier modifier;
    ASSERT_TRUE(modifier.connect(first, SumNode::sum, second, SumNode::a));
    ASSERT_TRUE(modifier.doIt());

    MPlug result(second, SumNode::sum);
    EXPECT_DOUBLE_EQ(result.asDouble(), 5.0);  // (1 + 2) + 2
    EXPECT_EQ(up.computes, 1);
    EXPECT_EQ(down.computes, 1);
    EXPECT_DOUBLE_EQ(result.asDouble(), 5.0);
    EXPECT_EQ(down.computes, 1) << "a clean output is not computed again";

    MPlug(first, SumNode::b).setValue(10.0);
    EXPECT_DOUBLE_EQ(result.asDouble(), 13.0);
    EXPECT_EQ(up.computes, 2);
    EXPECT_EQ(down.computes, 2);

    ASSERT_TRUE(modifier.undoIt());
    EXPECT_DOUBLE_EQ(MPlug(second, SumNode::a).asDouble(), 11.0)
        << "a disconnected input keeps the value it last received";
    EXPECT_FALSE(MPlug(second, SumNode::a).isConnected());
}

TEST_F(DependencyGraphTest, OutputsNotMarkedCleanAreComputedOnEveryRead) {
    MObject node;
    SumNode& sum = make("n", node);
    MPlug sticky(node, SumNode::sticky);
    sticky.asDouble();
    sticky.asDouble();
    EXPECT_EQ(sum.computes, 2);
}

TEST_F(DependencyGraphTest, UnknownParameterFallsBackToTheStoredValue) {
    MObject node;
    SumNode& sum = make("n", node);
    MPlug passive(node, SumNode::passive);
    EXPECT_DOUBLE_EQ(passive.asDouble(), 7.0);
    EXPECT_EQ(sum.computes, 1);
    EXPECT_DOUBLE_EQ(passive.asDouble(), 7.0);
    EXPECT_EQ(sum.computes, 1) << "the fallback leaves the plug clean";
    MPlug(node, SumNode::a).setValue(3.0);
    passive.asDouble();
    EXPECT_EQ(sum.computes, 2);
}

TEST_F(DependencyGraphTest, CompoundsComputeThroughTheirParentAndConnectChildByChild) {
    MObject first, second;
    make("first", first);
    SumNode& down = make("second", second);
    MPlug scaledY = MPlug(first, SumNode::scaled).child(1);
    MPlug(first, SumNode::a).setValue(3.0);
    EXPECT_DOUBLE_EQ(scaledY.asDouble(), 3.0) << "child read computes the parent";

    MDGModifier modifier;
    modifier.connect(MPlug(first, SumNode::scaled), MPlug(second, SumNode::vec));
    ASSERT_TRUE(modifier.doIt());
    MPlug(first, SumNode::vec).child(2).setValue(2.0);
    MPlug targetZ = MPlug(second, SumNode::scaled).child(2);
    EXPECT_DOUBLE_EQ(targetZ.asDouble(), 6.0);  // (2 * 3) * 1
    EXPECT_GE(down.computes, 1);

    MPlugArray sources;
    ASSERT_TRUE(MPlug(second, SumNode::vec).child(2).connectedTo(sources, true, false));
    EXPECT_STREQ(sources[0].partialName().asChar(), "scZ");
    EXPECT_STREQ(sources[0].name().asChar(), "first.scaledZ");
    EXPECT_STREQ(sources[0].partialName(true, false, false, false, true, true).asChar(),
                 "first.scaled.scaledZ");
}

TEST_F(DependencyGraphTest, ChildReadsOfAConnectedCompoundFollowEveryChange) {
    MObject first, second;
    make("first", first);
    make("second", second);
    MDGModifier modifier;
    modifier.connect(MPlug(first, SumNode::scaled), MPlug(second, SumNode::vec));
    ASSERT_TRUE(modifier.doIt());
    MPlug targetX = MPlug(second, SumNode::vec).child(0);
    for (double a : {3.0, 4.0, 5.0}) {
        MPlug(first, SumNode::a).setValue(a);
        EXPECT_DOUBLE_EQ(targetX.asDouble(), a) << "read child by child, as matrices read";
    }
}

TEST_F(DependencyGraphTest, ConnectionRulesAndNodeLifetime) {
    MObject first, second;
    make("first", first);
    make("second", second);
    MDGModifier connect;
    connect.connect(first, SumNode::sum, second, SumNode::a);
    connect.doIt();
    MDGModifier again;
    again.connect(first, SumNode::passive, second, SumNode::a);
    EXPECT_FALSE(again.doIt()) << "a destination takes one incoming connection";

    EXPECT_EQ(mayasim::liveNodeCountOfOwner("dgTests"), 2);
    EXPECT_FALSE(mayasim::deregisterNodeType(MTypeId(0x7f001)));
    MDGModifier remove;
    remove.deleteNode(first);
    ASSERT_TRUE(remove.doIt());
    EXPECT_FALSE(MPlug(second, SumNode::a).isConnected());
    EXPECT_TRUE(mayasim::Scene::instance().findNode("first").isNull());
    ASSERT_TRUE(remove.undoIt());
    EXPECT_TRUE(MPlug(second, SumNode::a).isConnected()) << "undo restores connections";
    EXPECT_EQ(mayasim::Scene::instance().findNode("first"), first);
}

}  // namespace

namespace {

TEST_F(DependencyGraphTest, DirtinessTravelsAlongAChainAndStopsAtADisconnection) {
    MObject first, second, third;
    SumNode& head = make("head", first);
    SumNode& middle = make("middle", second);
    SumNode& tail = make("tail", third);
    MDGModifier modifier;
    modifier.connect(first, SumNode::sum, second, SumNode::a);
    modifier.connect(second, SumNode::sum, third, SumNode::b);
    ASSERT_TRUE(modifier.doIt());
    MPlug end(third, SumNode::sum);
    EXPECT_DOUBLE_EQ(end.asDouble(), 1.0 + (3.0 + 2.0));

    MPlug(first, SumNode::a).setValue(4.0);
    EXPECT_DOUBLE_EQ(MPlug(second, SumNode::sum).asDouble(), 8.0);
    EXPECT_EQ(tail.computes, 1) << "reading the middle leaves the tail alone";
    EXPECT_DOUBLE_EQ(end.asDouble(), 9.0) << "but the tail was dirtied through two connections";
    EXPECT_EQ(head.computes, 2);
    EXPECT_EQ(middle.computes, 2);

    MDGModifier cut;
    cut.disconnect(MPlug(first, SumNode::sum), MPlug(second, SumNode::a));
    ASSERT_TRUE(cut.doIt());
    end.asDouble();
    const int tailComputes = tail.computes;
    MPlug(first, SumNode::a).setValue(100.0);
    EXPECT_DOUBLE_EQ(end.asDouble(), 9.0);
    EXPECT_EQ(tail.computes, tailComputes) << "nothing downstream of the cut is dirtied";
    EXPECT_DOUBLE_EQ(MPlug(second, SumNode::a).asDouble(), 6.0);
}

TEST_F(DependencyGraphTest, AChildOfACompoundOutputFeedsASimpleInput) {
    MObject first, second;
    make("first", first);
    make("second", second);
    MDGModifier modifier;
    modifier.connect(MPlug(first, SumNode::scaled).child(1), MPlug(second, SumNode::b));
    ASSERT_TRUE(modifier.doIt());
    MPlug result(second, SumNode::sum);
    EXPECT_DOUBLE_EQ(result.asDouble(), 1.0 + 1.0);
    MPlug(first, SumNode::vec).child(1).setValue(5.0);
    EXPECT_DOUBLE_EQ(result.asDouble(), 1.0 + 5.0) << "a changed compound input reaches the child";
    MPlug(first, SumNode::a).setValue(2.0);
    EXPECT_DOUBLE_EQ(result.asDouble(), 1.0 + 10.0);
    EXPECT_TRUE(MPlug(first, SumNode::scaled).child(1).isConnected());
    EXPECT_FALSE(MPlug(first, SumNode::scaled).child(0).isConnected());
}

}  // namespace
