// MFnTransform as the transform tools use it: every space under a parent that turns and
// scales, pivots placed in world space, and channels that are locked or driven.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MDagPath.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MPlug.h>
#include <maya/MQuaternion.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

constexpr double kTol = 1e-9;

MMatrix rotationOnly(const MMatrix& m) {
    return MTransformationMatrix(MTransformationMatrix(m).rotation().asMatrix()).asMatrix();
}

class TransformFnTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
    }
    // A child under a parent turned 90 degrees about z and scaled by 2; the child has a rotate
    // axis, so its own axes differ from its rotate channel's.
    void SetUp() override {
        MObject parent = parentFn.create();
        parentFn.setRotation(MEulerRotation(0, 0, M_PI / 2));
        const double two[3] = {2, 2, 2};
        parentFn.setScale(two);
        child.create(parent);
        child.setRotateOrientation(MQuaternion(0.3, MVector::xAxis), MSpace::kTransform, false);
        child.setRotation(MEulerRotation(0.2, 0.5, 0));
        child.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    MMatrix world() const { return child.dagPath().inclusiveMatrix(); }
    MPoint origin() const { return MPoint::origin * world(); }

    MFnTransform parentFn;
    MFnTransform child;
};

TEST_F(TransformFnTest, TranslationsMoveAlongTheAxesOfTheirSpace) {
    const MMatrix local = child.transformation().asMatrix();
    struct Case {
        MSpace::Space space;
        MVector expectedWorldMove;
    };
    const MVector step(1, 0, 0);
    const Case cases[] = {
        {MSpace::kTransform, step * parentFn.dagPath().inclusiveMatrix()},
        {MSpace::kObject, step * local * parentFn.dagPath().inclusiveMatrix()},
        {MSpace::kWorld, step},
    };
    for (const Case& c : cases) {
        const MPoint before = origin();
        ASSERT_TRUE(child.translateBy(step, c.space));
        EXPECT_TRUE((origin() - before).isEquivalent(c.expectedWorldMove, kTol)) << c.space;
    }
    ASSERT_TRUE(child.setTranslation(MVector(7, -1, 0.5), MSpace::kWorld));
    EXPECT_TRUE(child.getTranslation(MSpace::kWorld).isEquivalent(MVector(7, -1, 0.5), kTol));
}

TEST_F(TransformFnTest, RotationsTurnAboutTheAxesOfTheirSpace) {
    // World rotation: the orientation the object has on screen, rotate axis and parent included.
    MQuaternion worldRotation;
    ASSERT_TRUE(child.getRotation(worldRotation, MSpace::kWorld));
    EXPECT_TRUE(worldRotation.asMatrix().isEquivalent(rotationOnly(world()), kTol));
    ASSERT_TRUE(child.setRotation(worldRotation, MSpace::kWorld));
    EXPECT_TRUE(rotationOnly(world()).isEquivalent(worldRotation.asMatrix(), kTol));

    const MQuaternion turn(0.7, MVector(1, 2, -1).normal());
    const MMatrix before = rotationOnly(world());
    ASSERT_TRUE(child.rotateBy(turn, MSpace::kWorld));
    EXPECT_TRUE(rotationOnly(world()).isEquivalent(before * turn.asMatrix(), kTol))
        << "world space turns after everything";

    const MMatrix beforeObject = rotationOnly(world());
    ASSERT_TRUE(child.rotateBy(turn, MSpace::kObject));
    EXPECT_TRUE(rotationOnly(world()).isEquivalent(turn.asMatrix() * beforeObject, kTol))
        << "object space turns about the object's own axes";

    MEulerRotation channel;
    child.getRotation(channel);
    ASSERT_TRUE(child.rotateBy(turn, MSpace::kTransform));
    MQuaternion after;
    child.getRotation(after, MSpace::kTransform);
    EXPECT_TRUE(after.asMatrix().isEquivalent((channel.asQuaternion() * turn).asMatrix(), kTol))
        << "transform space turns the rotate channel after its current value";
}

TEST_F(TransformFnTest, PivotsPlacedInWorldSpaceLandThere) {
    const MMatrix before = world();
    ASSERT_TRUE(child.setRotatePivot(MPoint(3, 4, 5), MSpace::kWorld, true));
    ASSERT_TRUE(child.setScalePivot(MPoint(-2, 0, 1), MSpace::kWorld, true));
    EXPECT_TRUE(child.rotatePivot(MSpace::kWorld).isEquivalent(MPoint(3, 4, 5), kTol));
    EXPECT_TRUE(child.scalePivot(MSpace::kWorld).isEquivalent(MPoint(-2, 0, 1), kTol));
    EXPECT_TRUE(world().isEquivalent(before, kTol)) << "balanced: the object stays";

    // Turning about the pivot leaves the pivot where it is.
    ASSERT_TRUE(child.rotateBy(MQuaternion(1.1, MVector::yAxis), MSpace::kWorld));
    EXPECT_TRUE(child.rotatePivot(MSpace::kWorld).isEquivalent(MPoint(3, 4, 5), kTol));
}

TEST_F(TransformFnTest, LockedOrConnectedChannelsRefuseTheWholeEdit) {
    MFnTransform driver;
    driver.create();
    ASSERT_TRUE(mayasim::CommandEngine::instance().executeMel(
        "setAttr -lock on " + child.fullPathName() + ".ty; connectAttr " + driver.fullPathName() +
            ".rx " + child.fullPathName() + ".rz",
        nullptr, false, false));
    const MTransformationMatrix before = child.transformation();
    const double bigger[3] = {3, 3, 3};
    EXPECT_FALSE(child.translateBy(MVector(1, 1, 1), MSpace::kTransform));
    EXPECT_FALSE(child.rotateBy(MQuaternion(0.5, MVector::zAxis), MSpace::kTransform));
    EXPECT_FALSE(child.setRotation(MQuaternion(0.5, MVector::xAxis), MSpace::kWorld));
    EXPECT_TRUE(child.transformation().asMatrix().isEquivalent(before.asMatrix(), 0.0));

    // Channels the edit leaves as they are may be locked or driven.
    EXPECT_TRUE(child.scaleBy(bigger));
    EXPECT_TRUE(child.translateBy(MVector(1, 0, 1), MSpace::kTransform));
}

}  // namespace
