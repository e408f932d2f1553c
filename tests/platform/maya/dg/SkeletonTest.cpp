// Joints, IK handles and emitters through Maya's commands and function sets: the hierarchy
// a chain builds, orientation, the effector's place, and bad input.

#include <cmath>

#include <maya/MFnIkEffector.h>
#include <maya/MFnIkHandle.h>
#include <maya/MFnIkJoint.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MQuaternion.h>

#include "SceneTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-9) << "element " << i;
}

MVector worldAxis(const MDagPath& path, int row) {
    const MMatrix m = path.inclusiveMatrix();
    return MVector(m[row][0], m[row][1], m[row][2]);
}

class SkeletonTest : public scenetest::SceneTest {
protected:
    // joint1 at the origin, joint2 4 along z, joint3 3 along x from there.
    void buildChain() { run("select -cl; joint -p 0 0 0; joint -p 0 0 4; joint -p 3 0 4"); }
};

TEST_F(SkeletonTest, JointsChainUnderTheSelectedJointAndOrientTowardsTheirChild) {
    buildChain();
    EXPECT_EQ(run("listRelatives -p joint3").asStringArray(), Strings{"joint2"});
    EXPECT_EQ(run("listRelatives -p joint2").asStringArray(), Strings{"joint1"});
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"joint3"});
    expectNear(run("getAttr joint3.translate").asDoubleArray(), {3, 0, 0});
    MPlugArray sources;
    MFnDependencyNode(pathTo("joint3").node())
        .findPlug("inverseScale")
        .connectedTo(sources, true, false);
    ASSERT_EQ(sources.length(), 1u);
    EXPECT_EQ(sources[0].node(), pathTo("joint2").node()) << "the parent's scale compensates";

    run("joint -e -zso -oj xyz -sao yup joint1");
    const MVector aim = worldAxis(pathTo("joint1"), 0);
    EXPECT_NEAR(aim.z, 1.0, 1e-9) << "x aims at joint2";
    EXPECT_NEAR(worldAxis(pathTo("joint1"), 1).y, 1.0, 1e-9) << "y points up";
    expectNear(run("joint -q -p joint2").asDoubleArray(), {0, 0, 4});
    expectNear(run("joint -q -p joint3").asDoubleArray(), {3, 0, 4});
    MQuaternion orient;
    MFnIkJoint(pathTo("joint1")).getOrientation(orient);
    EXPECT_TRUE(orient.isEquivalent(MQuaternion(-M_PI / 2, MVector::yAxis), 1e-9));
    expectNear(run("joint -q -o joint1").asDoubleArray(), {0, -90, 0});
    run("undo");
    expectNear(run("joint -q -o joint1").asDoubleArray(), {0, 0, 0});

    // Radius; moving a joint alone (-co) leaves its child where it was.
    run("joint -e -rad 2 joint2");
    EXPECT_EQ(run("getAttr joint2.radius").asDouble(), 2.0);
    run("joint -e -p 0 0 6 -co joint2");
    expectNear(run("joint -q -p joint2").asDoubleArray(), {0, 0, 6});
    expectNear(run("joint -q -p joint3").asDoubleArray(), {3, 0, 4});
    run("joint -e -p 0 0 7 joint2");
    expectNear(run("joint -q -p joint3").asDoubleArray(), {3, 0, 5});  // children follow
}

TEST_F(SkeletonTest, IkHandleMakesItsEffectorUnderTheEndJointsParent) {
    buildChain();
    EXPECT_EQ(run("ikHandle -sj joint1 -ee joint3 -sol ikSCsolver -p 35 -w 19.2308 -pw 0.5462")
                  .asStringArray(),
              (Strings{"ikHandle1", "effector1"}));
    EXPECT_EQ(run("listRelatives -p effector1").asStringArray(), Strings{"joint2"});
    expectNear(run("getAttr effector1.translate").asDoubleArray(), {3, 0, 0});
    expectNear(run("xform -q -ws -t ikHandle1").asDoubleArray(), {3, 0, 4});
    EXPECT_EQ(run("getAttr ikHandle1.priority").asInt(), 35);
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"ikHandle1"});
    EXPECT_EQ(run("ikHandle -q -sol ikHandle1").asString(), "ikSCsolver");
    EXPECT_EQ(run("ikHandle -q -jl ikHandle1").asStringArray(), (Strings{"joint1", "joint2"}));

    MFnIkHandle handle(pathTo("ikHandle1"));
    MDagPath effector, start;
    ASSERT_TRUE(handle.getEffector(effector));
    ASSERT_TRUE(handle.getStartJoint(start));
    EXPECT_EQ(std::string(effector.partialPathName().asChar()), "effector1");
    EXPECT_EQ(std::string(start.partialPathName().asChar()), "joint1");
    EXPECT_NEAR(handle.weight(), 19.2308, 1e-12);

    run("undo");
    EXPECT_EQ(run("ls -type ikHandle").asStringArray(), Strings{});
    EXPECT_EQ(run("ls -type ikEffector").asStringArray(), Strings{});
}

TEST_F(SkeletonTest, ChildJointsCompensateTheirParentsScale) {
    buildChain();
    run("setAttr joint2.scale 2 2 2");
    const MDagPath child = pathTo("joint3");
    for (int row = 0; row < 3; ++row)
        EXPECT_NEAR(worldAxis(child, row).length(), 1.0, 1e-12) << "row " << row;
    expectNear(run("joint -q -p joint3").asDoubleArray(), {6, 0, 4});  // its offset scales
    run("setAttr joint3.segmentScaleCompensate 0");
    EXPECT_NEAR(worldAxis(child, 0).length(), 2.0, 1e-12);

    // Relative placement, degrees of freedom, and the orientation through the API.
    run("select -r joint3; joint -r -p 1 0 0 -dof xz -n tip");
    expectNear(run("joint -q -p -r tip").asDoubleArray(), {1, 0, 0});
    EXPECT_EQ(run("joint -q -dof tip").asString(), "xz");
    MFnIkJoint tip(pathTo("tip"));
    const MQuaternion turn(0.3, MVector(1, 2, 3).normal());
    tip.setOrientation(turn);
    MQuaternion back;
    tip.getOrientation(back);
    EXPECT_TRUE(back.isEquivalent(turn, 1e-12) || back.isEquivalent(-turn, 1e-12));
}

TEST_F(SkeletonTest, HandlesMadeThroughTheApiDriveTheChainTheyAreGiven) {
    buildChain();
    MObject effector = MFnIkEffector().create(pathTo("joint2").node());
    MDagPath start = pathTo("joint1");
    MDagPath end;
    MDagPath::getAPathTo(effector, end);
    MFnIkHandle handle;
    MStatus status;
    handle.create(start, end, &status);
    ASSERT_TRUE(status);
    MDagPath found;
    ASSERT_TRUE(handle.getStartJoint(found));
    EXPECT_EQ(found.node(), start.node());
    ASSERT_TRUE(handle.getEffector(found));
    EXPECT_EQ(found.node(), effector);
    MDagPath outside = pathTo("joint3");
    handle.create(outside, end, &status);
    EXPECT_EQ(status, MS::kInvalidParameter) << "the effector is not below joint3";
}

TEST_F(SkeletonTest, EmittersArePositionalTransforms) {
    EXPECT_EQ(run("emitter -pos 1 2 3").asStringArray(), Strings{"emitter1"});
    EXPECT_EQ(run("nodeType emitter1").asString(), "pointEmitter");
    EXPECT_EQ(run("nodeType -api emitter1").asString(), "kEmitter");
    expectNear(run("getAttr emitter1.translate").asDoubleArray(), {1, 2, 3});
    EXPECT_EQ(run("getAttr emitter1.emitterType").asInt(), 1) << "omni";
    run("emitter -pos 0 0 0 -type dir -n jet");
    EXPECT_EQ(run("getAttr jet.emitterType").asInt(), 0);
}

TEST_F(SkeletonTest, BadInputFailsWithAMessageAndChangesNothing) {
    buildChain();
    run("polyCube -n box");
    const std::string before = sceneState();
    for (const char* bad :
         {"joint -e -oj abc joint1", "joint -e -sao sideways -oj xyz joint1", "joint -e -rad 1 box",
          "joint -e -rad 1 nothing", "joint -e -rad -1 joint1", "joint -dof q",
          "ikHandle -sj joint3 -ee joint1", "ikHandle -sj joint1 -ee box",
          "ikHandle -sj joint1 -ee joint3 -sol magic", "ikHandle -sj joint1 -ee joint3 -s maybe",
          "emitter -type sideways", "emitter box"}) {
        fails(bad);
        EXPECT_EQ(sceneState(), before) << bad;
        expectNear(run("joint -q -o joint1").asDoubleArray(), {0, 0, 0});
    }
}

}  // namespace
