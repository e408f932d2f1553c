#include <gtest/gtest.h>

#include <cmath>

#include "Skeleton.h"

using namespace mayasim::skeleton;

namespace {

constexpr double kPi = 3.14159265358979323846;

void expectVectorNear(const MVector& actual, const MVector& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

MVector axisOf(const MMatrix& world, int axis) {
    return MVector(world(axis, 0), world(axis, 1), world(axis, 2)).normal();
}

// A chain of joints placed at world positions the way `joint -p` places them; `turn` may give
// each joint rotations, which move its children but not itself.
template <class Turn>
Skeleton chainThrough(const std::vector<MPoint>& positions, Turn turn) {
    Skeleton skeleton;
    int parent = -1;
    for (const MPoint& p : positions) {
        JointTransform t;
        t.translate = skeleton.translateForWorldPosition(parent, p);
        turn(skeleton.size(), t);
        parent = skeleton.addJoint(t, parent);
    }
    return skeleton;
}

Skeleton chainThrough(const std::vector<MPoint>& positions) {
    return chainThrough(positions, [](int, JointTransform&) {});
}

}  // namespace

TEST(SkeletonMatrix, LocalMatrixComposesInMayasOrder) {
    // Rotate (90 about X) acts before jointOrient (90 about Z), translate last.
    JointTransform t;
    t.rotate = MEulerRotation(0.5 * kPi, 0, 0);
    t.jointOrient = MEulerRotation(0, 0, 0.5 * kPi);
    t.translate = MVector(1, 2, 3);
    const MMatrix m = jointLocalMatrix(t);
    expectVectorNear(MVector(MPoint(0, 1, 0) * m), MVector(1, 2, 4), 1e-12);
    expectVectorNear(MVector(MPoint(1, 0, 0) * m), MVector(1, 3, 3), 1e-12);

    // The rotate axis turns the scale axes: scale x 2 along an axis turned 90 about Z.
    JointTransform scaled;
    scaled.scale = MVector(2, 1, 1);
    scaled.rotateAxis = MEulerRotation(0, 0, 0.5 * kPi);
    expectVectorNear(MVector(MPoint(1, 0, 0) * jointLocalMatrix(scaled)), MVector(0, 2, 0), 1e-12);

    // Segment scale compensation: a child of a joint scaled by 2 keeps its own size while its
    // offset from the parent stretches.
    Skeleton skeleton;
    JointTransform root;
    root.scale = MVector(2, 2, 2);
    const int parent = skeleton.addJoint(root);
    JointTransform child;
    child.translate = MVector(1, 0, 0);
    child.inverseScale = MVector(2, 2, 2);
    const int c = skeleton.addJoint(child, parent);
    const MMatrix world = skeleton.worldMatrices()[c];
    expectVectorNear(MVector(world(3, 0), world(3, 1), world(3, 2)), MVector(2, 0, 0), 1e-12);
    EXPECT_NEAR(MVector(world(0, 0), world(0, 1), world(0, 2)).length(), 1.0, 1e-12);
}

TEST(SkeletonMatrix, WorldPositionsFollowTheParents) {
    Skeleton skeleton;
    JointTransform root;
    root.rotate = MEulerRotation(0, 0, 0.5 * kPi);
    root.translate = MVector(0, 0, 5);
    const int r = skeleton.addJoint(root);
    JointTransform child;
    child.translate = MVector(1, 0, 0);
    const int c = skeleton.addJoint(child, r);
    expectVectorNear(MVector(skeleton.worldPosition(c)), MVector(0, 1, 5), 1e-12);
    MMatrix group;
    group(3, 0) = 10.0;
    expectVectorNear(MVector(skeleton.worldPosition(c, group)), MVector(10, 1, 5), 1e-12);
    // joint -p in world space under a rotated parent.
    const MVector local = skeleton.translateForWorldPosition(c, MPoint(0, 3, 5));
    expectVectorNear(local, MVector(2, 0, 0), 1e-12);
}

TEST(SkeletonOrient, ChainAimsAtChildrenWithYUp) {
    Skeleton skeleton =
        chainThrough({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {2, 0, -1}}, [](int i, JointTransform& t) {
            t.rotate = MEulerRotation(0.3 * i, 0.2, 0.1, MEulerRotation::kYZX);
            t.rotateAxis = MEulerRotation(0.0, 0.4 * i, 0.0);
        });
    const std::vector<MMatrix> before = skeleton.worldMatrices();
    OrientOptions options;
    options.children = true;
    options.zeroScaleOrient = true;
    ASSERT_EQ(skeleton.orientJoints({0}, options), "");
    const std::vector<MMatrix> after = skeleton.worldMatrices();

    for (int i = 0; i < skeleton.size(); ++i) {
        expectVectorNear(MVector(after[i](3, 0), after[i](3, 1), after[i](3, 2)),
                         MVector(before[i](3, 0), before[i](3, 1), before[i](3, 2)), 1e-12);
        EXPECT_TRUE(skeleton.joint(i).transform.rotate.isZero());
        EXPECT_TRUE(skeleton.joint(i).transform.rotateAxis.isZero());
    }
    const double h = std::sqrt(0.5);
    expectVectorNear(axisOf(after[0], 0), MVector(h, h, 0), 1e-12);
    expectVectorNear(axisOf(after[0], 1), MVector(-h, h, 0), 1e-12);
    expectVectorNear(axisOf(after[0], 2), MVector(0, 0, 1), 1e-12);
    expectVectorNear(axisOf(after[1], 0), MVector(h, -h, 0), 1e-12);
    expectVectorNear(axisOf(after[1], 1), MVector(h, h, 0), 1e-12);
    // Aiming straight down -Z: the secondary axis is still the world up.
    expectVectorNear(axisOf(after[2], 0), MVector(0, 0, -1), 1e-12);
    expectVectorNear(axisOf(after[2], 1), MVector(0, 1, 0), 1e-12);
    // As Maya stores them: 45 degrees, then -90 relative to the parent; the end joint zero.
    expectVectorNear(skeleton.joint(0).transform.jointOrient.asVector(), MVector(0, 0, 0.25 * kPi),
                     1e-12);
    expectVectorNear(skeleton.joint(1).transform.jointOrient.asVector(), MVector(0, 0, -0.5 * kPi),
                     1e-12);
    EXPECT_TRUE(skeleton.joint(3).transform.jointOrient.isZero(1e-12));
}

TEST(SkeletonOrient, OtherAxisOrdersAndBadValues) {
    Skeleton skeleton = chainThrough({{0, 0, 0}, {0, 0, 2}});
    OrientOptions options;
    options.orientJoint = "yzx";
    options.secondaryAxisOrient = "xdown";
    ASSERT_EQ(skeleton.orientJoints({0}, options), "");
    const MMatrix world = skeleton.worldMatrices()[0];
    expectVectorNear(axisOf(world, 1), MVector(0, 0, 1), 1e-12);
    expectVectorNear(axisOf(world, 2), MVector(-1, 0, 0), 1e-12);
    expectVectorNear(axisOf(world, 0), MVector(0, -1, 0), 1e-12);

    const JointTransform kept = skeleton.joint(0).transform;
    options.orientJoint = "xxz";
    EXPECT_NE(skeleton.orientJoints({0}, options), "");
    options.orientJoint = "xyz";
    options.secondaryAxisOrient = "up";
    EXPECT_NE(skeleton.orientJoints({0}, options), "");
    EXPECT_TRUE(skeleton.joint(0).transform.jointOrient.isEquivalent(kept.jointOrient));
}

TEST(SkeletonOrient, ZeroScaleOrientKeepsTheWorldMatrix) {
    Skeleton skeleton;
    JointTransform t;
    t.rotateAxis = MEulerRotation(0.2, -0.4, 0.7);
    t.rotate = MEulerRotation(0.1, 0.5, -0.3, MEulerRotation::kZXY);
    t.jointOrient = MEulerRotation(0.3, 0.0, 0.2);
    t.translate = MVector(1, 2, 3);
    const int j = skeleton.addJoint(t);
    const MMatrix before = skeleton.worldMatrices()[j];
    skeleton.zeroScaleOrient(j);
    EXPECT_TRUE(skeleton.joint(j).transform.rotateAxis.isZero());
    EXPECT_TRUE(skeleton.worldMatrices()[j].isEquivalent(before, 1e-12));
}

TEST(SkeletonIk, ChainFromStartToEndJoint) {
    Skeleton skeleton = chainThrough({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}});
    IkChain chain;
    ASSERT_EQ(skeleton.ikChain(0, 2, chain), "");
    EXPECT_EQ(chain.joints, (std::vector<int>{0, 1, 2}));
    expectVectorNear(chain.effectorTranslate, skeleton.joint(2).transform.translate, 0.0);
    expectVectorNear(MVector(chain.handlePosition), MVector(2, 0, 0), 1e-12);
    EXPECT_NE(skeleton.ikChain(2, 0, chain), "");
    EXPECT_NE(skeleton.ikChain(1, 1, chain), "");
    EXPECT_NE(skeleton.ikChain(0, 9, chain), "");
}
