// Attributes and plugs as a plug-in builds and uses them: Maya's default flags, defaults
// and limits, dynamic attributes, array elements, data handle references, and a plug-in
// DAG node placed by MFnTransform.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MDataBlock.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnMatrixData.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTransform.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MPxNode.h>

#include "mayasim/NodeTypes.h"
#include "mayasim/Scene.h"

namespace {

// A locator-type node counting its evaluations through a data handle reference.
class CounterNode : public MPxNode {
public:
    static void* creator() { return new CounterNode; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        count = numeric.create("count", "cnt", MFnNumericData::kInt, 0);
        MFnEnumAttribute enumFn;
        mode = enumFn.create("mode", "md", 5);
        for (short i = 0; i < 6; ++i)
            enumFn.addField(kOrders[i], i);
        MFnUnitAttribute unit;
        time = unit.create("currentTime", "ctm", MFnUnitAttribute::kTime, 0.0);
        addAttribute(count);
        addAttribute(mode);
        addAttribute(time);
        return attributeAffects(time, count);
    }
    MStatus compute(const MPlug& plug, MDataBlock& data) override {
        if (plug != count)
            return MS::kUnknownParameter;
        data.inputValue(time);
        int& value = data.outputValue(count).asInt();
        value += 1;  // written through the reference the handle gives
        data.setClean(plug);
        return MS::kSuccess;
    }
    static MObject count, mode, time;
    static constexpr const char* kOrders[6] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};
};

MObject CounterNode::count, CounterNode::mode, CounterNode::time;

class AttributeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(mayasim::registerNodeType("attrTestCounter", MTypeId(0x7f002),
                                              CounterNode::creator, CounterNode::initialize,
                                              MPxNode::kLocatorNode, nullptr, "attrTests"));
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }
};

TEST_F(AttributeTest, NewAttributesCarryMayasDefaultFlagsDefaultsAndLimits) {
    MFnNumericAttribute fn;
    MObject ipd = fn.create("interPupillaryDistance", "ipd", MFnNumericData::kDouble, 0.06);
    EXPECT_TRUE(fn.isReadable() && fn.isWritable() && fn.isConnectable() && fn.isStorable() &&
                fn.isCached());
    EXPECT_FALSE(fn.isKeyable() || fn.isArray() || fn.isHidden());
    fn.setMin(0.0);
    fn.setSoftMax(0.1f);
    double limit = 0;
    EXPECT_TRUE(fn.getSoftMax(limit));
    EXPECT_EQ(limit, static_cast<double>(0.1f));
    EXPECT_FALSE(fn.hasMax());

    MObject offset = fn.create("screenOffset", "so", MFnNumericData::k3Double, 1.0);
    EXPECT_TRUE(offset.hasFn(MFn::kCompoundAttribute));
    double x = 0, y = 0, z = 0;
    ASSERT_TRUE(fn.getDefault(x, y, z));
    EXPECT_EQ(x + y + z, 3.0) << "the single default goes to each child";
    MFnNumericAttribute child(MFnCompoundAttribute(offset).child(2));
    EXPECT_EQ(child.name(), "screenOffsetZ");
    EXPECT_EQ(fn.create("bad", "b", MFnNumericData::kInvalid), MObject::kNullObj);

    MFnEnumAttribute enumFn;
    enumFn.create("rotateOrder", "ro", 5);
    EXPECT_TRUE(enumFn.addField("xyz", 0));
    EXPECT_FALSE(enumFn.addField("xyz", 1)) << "field names are unique";
    EXPECT_EQ(enumFn.fieldIndex("xyz"), 0);
    MFnMessageAttribute message;
    message.create("centerCam", "centerCam");
    EXPECT_FALSE(message.isStorable());
}

TEST_F(AttributeTest, PluginDagNodesEvaluateAndPlaceLikeBuiltIns) {
    MFnTransform parentFn;
    MObject parent = parentFn.create();
    MFnDagNode fn;
    MObject node = fn.create("attrTestCounter", parent);
    ASSERT_FALSE(node.isNull());
    EXPECT_TRUE(node.hasFn(MFn::kPluginLocatorNode));
    EXPECT_TRUE(node.hasFn(MFn::kDagNode));
    EXPECT_EQ(fn.findPlug("mode").asShort(), 5);

    MPlug count = fn.findPlug("count");
    EXPECT_EQ(count.asInt(), 1);
    EXPECT_EQ(count.asInt(), 1);
    MTime later(3.0, MTime::kFilm);
    fn.findPlug("currentTime").setValue(later);
    EXPECT_EQ(count.asInt(), 2);
    EXPECT_NEAR(fn.findPlug("currentTime").asMTime().as(MTime::kFilm), 3.0, 1e-9);

    parentFn.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
    MPlug worldMatrix = fn.findPlug("worldMatrix");
    EXPECT_TRUE(worldMatrix.isArray());
    MFnMatrixData data(worldMatrix.elementByLogicalIndex(0).asMObject());
    EXPECT_EQ(data.matrix()[3][2], 3.0);
    EXPECT_EQ(worldMatrix.elementByLogicalIndex(0).name(), "attrTestCounter1.worldMatrix[0]");
    EXPECT_EQ(mayasim::liveNodeCountOfOwner("attrTests"), 1);
}

TEST_F(AttributeTest, DynamicAttributesJoinOneNodeOnly) {
    MFnDependencyNode first, second;
    first.create("transform", "first");
    second.create("transform", "second");
    MFnNumericAttribute fn;
    MObject tu = fn.create("triggerUpdate", "tu", MFnNumericData::kDouble, 0.0);
    ASSERT_TRUE(first.addAttribute(tu));
    EXPECT_FALSE(first.addAttribute(fn.create("translateX", "tx2", MFnNumericData::kDouble)))
        << "names must not clash with existing attributes";
    EXPECT_TRUE(first.findPlug("tu").isDynamic());
    EXPECT_TRUE(second.findPlug("tu").isNull());
    EXPECT_FALSE(second.hasAttribute("triggerUpdate"));
}

TEST_F(AttributeTest, TransformFunctionSetWorksInWorldSpaceAndBalancesPivots) {
    MFnTransform parentFn;
    MObject parent = parentFn.create();
    parentFn.setRotation(MEulerRotation(0, 0, M_PI / 2));
    double scale[3] = {2, 2, 2};
    parentFn.setScale(scale);
    MFnTransform child;
    child.create(parent);
    ASSERT_TRUE(child.setTranslation(MVector(4, 0, 0), MSpace::kWorld));
    EXPECT_TRUE(child.getTranslation(MSpace::kWorld).isEquivalent(MVector(4, 0, 0), 1e-9));
    EXPECT_TRUE(child.getTranslation(MSpace::kTransform).isEquivalent(MVector(0, -2, 0), 1e-9));

    child.setRotation(MEulerRotation(0.4, 0, 0));
    const MMatrix before = child.transformationMatrix();
    ASSERT_TRUE(child.setRotatePivot(MPoint(1, 1, 0), MSpace::kTransform, true));
    EXPECT_TRUE(child.transformationMatrix().isEquivalent(before, 1e-9))
        << "a balanced pivot change leaves the object in place";
    EXPECT_EQ(child.rotationOrder(), MTransformationMatrix::kXYZ);
    ASSERT_TRUE(child.setRotationOrder(MTransformationMatrix::kZYX, true));
    EXPECT_TRUE(child.transformationMatrix().isEquivalent(before, 1e-9))
        << "reordering keeps the orientation";
}

}  // namespace
