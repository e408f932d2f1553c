#include <gtest/gtest.h>

#include <cmath>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

namespace {

constexpr double kTol = 1e-9;

MPoint transformed(const MTransformationMatrix& xform, const MPoint& p) {
    return p * xform.asMatrix();
}

// A transform with every component set, pivots included.
MTransformationMatrix busyTransform() {
    MTransformationMatrix xform;
    const double scale[3] = {2.0, 0.5, 1.5};
    const double shear[3] = {0.3, -0.2, 0.1};
    const double rotation[3] = {0.4, -1.1, 2.0};
    xform.setScale(scale, MSpace::kTransform);
    xform.setShear(shear, MSpace::kTransform);
    xform.setRotation(rotation, MTransformationMatrix::kZXY);
    xform.setRotationOrientation(MQuaternion(0.6, MVector(1, 1, 0)));
    xform.setScalePivot(MPoint(1, 2, 3), MSpace::kTransform, false);
    xform.setScalePivotTranslation(MVector(0.5, 0, 0), MSpace::kTransform);
    xform.setRotatePivot(MPoint(-1, 0, 2), MSpace::kTransform, false);
    xform.setRotatePivotTranslation(MVector(0, 0.25, 0), MSpace::kTransform);
    xform.setTranslation(MVector(10, -4, 7), MSpace::kTransform);
    return xform;
}

}  // namespace

TEST(MTransformationMatrix, ScalesAboutScalePivotThenRotatesAboutRotatePivot) {
    MTransformationMatrix xform;
    const double scale[3] = {2.0, 1.0, 1.0};
    const double rotation[3] = {0.0, 0.0, M_PI / 2};
    xform.setScale(scale, MSpace::kTransform);
    xform.setScalePivot(MPoint(1, 0, 0), MSpace::kTransform, false);
    xform.setRotation(rotation, MTransformationMatrix::kXYZ);
    xform.setRotatePivot(MPoint(1, 0, 0), MSpace::kTransform, false);
    xform.setTranslation(MVector(10, 0, 0), MSpace::kTransform);

    // (2,0,0): scaled about x=1 to (3,0,0), turned about (1,0,0) to (1,2,0), moved by 10.
    EXPECT_TRUE(transformed(xform, MPoint(2, 0, 0)).isEquivalent(MPoint(11, 2, 0), kTol));
    EXPECT_TRUE(transformed(xform, MPoint::origin).isEquivalent(MPoint(11, -2, 0), kTol));
}

TEST(MTransformationMatrix, ShearFollowsScaleAndRotateAxisPrecedesRotation) {
    MTransformationMatrix sheared;
    const double scale[3] = {1.0, 2.0, 1.0};
    const double shear[3] = {1.0, 0.0, 0.0};
    sheared.setScale(scale, MSpace::kTransform);
    sheared.setShear(shear, MSpace::kTransform);
    EXPECT_TRUE(transformed(sheared, MPoint(0, 1, 0)).isEquivalent(MPoint(2, 2, 0), kTol));

    MTransformationMatrix oriented;
    oriented.setRotationOrientation(MQuaternion(M_PI / 2, MVector::xAxis));
    oriented.rotateTo(MQuaternion(M_PI / 2, MVector::zAxis));
    EXPECT_TRUE(transformed(oriented, MPoint(0, 1, 0)).isEquivalent(MPoint(0, 0, 1), kTol));
}

TEST(MTransformationMatrix, RotationOrderIsEulerOrderPlusOne) {
    MTransformationMatrix xform;
    const double rotation[3] = {0.1, 0.2, 0.3};
    xform.setRotation(rotation, MTransformationMatrix::kYXZ);
    EXPECT_EQ(xform.eulerRotation().order, MEulerRotation::kYXZ);
    EXPECT_TRUE(xform.asMatrix().isEquivalent(
        MEulerRotation(0.1, 0.2, 0.3, MEulerRotation::kYXZ).asMatrix(), kTol));

    EXPECT_EQ(xform.reorderRotation(MTransformationMatrix::kZYX), MStatus::kSuccess);
    EXPECT_EQ(xform.rotationOrder(), MTransformationMatrix::kZYX);
    EXPECT_TRUE(xform.rotation().asMatrix().isEquivalent(
        MEulerRotation(0.1, 0.2, 0.3, MEulerRotation::kYXZ).asMatrix(), kTol));
    EXPECT_EQ(xform.setRotation(rotation, MTransformationMatrix::kInvalid),
              MStatus::kInvalidParameter);
}

TEST(MTransformationMatrix, MovingPivotsWithBalanceKeepsTheMatrix) {
    MTransformationMatrix xform = busyTransform();
    const MMatrix before = xform.asMatrix();
    EXPECT_EQ(xform.setRotatePivot(MPoint(4, -3, 1), MSpace::kTransform, true), MStatus::kSuccess);
    EXPECT_EQ(xform.setScalePivot(MPoint(-2, 5, 0), MSpace::kTransform, true), MStatus::kSuccess);
    EXPECT_TRUE(xform.asMatrix().isEquivalent(before, 1e-9));
    EXPECT_TRUE(xform.rotatePivot(MSpace::kTransform).isEquivalent(MPoint(4, -3, 1)));

    // Without balance the object swings about the new pivot.
    xform.setRotatePivot(MPoint(0, 0, 0), MSpace::kTransform, false);
    EXPECT_FALSE(xform.asMatrix().isEquivalent(before, 1e-6));
}

TEST(MTransformationMatrix, WorldSpaceQueriesFollowTheComposedMatrix) {
    MTransformationMatrix xform = busyTransform();
    const MMatrix m = xform.asMatrix();
    EXPECT_TRUE(xform.getTranslation(MSpace::kTransform).isEquivalent(MVector(10, -4, 7)));
    EXPECT_TRUE(
        xform.getTranslation(MSpace::kWorld).isEquivalent(MVector(m[3][0], m[3][1], m[3][2])));
    // The rotate pivot is a fixed point of the rotation, so the world pivot is where it lands.
    EXPECT_TRUE(xform.rotatePivot(MSpace::kWorld)
                    .isEquivalent(MPoint(-1, 0, 2) + MVector(0, 0.25, 0) + MVector(10, -4, 7)));
    EXPECT_TRUE(xform.scalePivot(MSpace::kWorld).isEquivalent(MPoint(1, 2, 3) * m, kTol));

    xform.setTranslation(MVector(1, 2, 3), MSpace::kWorld);
    const MMatrix moved = xform.asMatrix();
    EXPECT_TRUE(
        MVector(moved[3][0], moved[3][1], moved[3][2]).isEquivalent(MVector(1, 2, 3), kTol));

    // A pivot set in world space lands there; balanced, the object stays where it was.
    const MMatrix before = xform.asMatrix();
    ASSERT_TRUE(xform.setRotatePivot(MPoint(3, 1, -2), MSpace::kWorld, true));
    ASSERT_TRUE(xform.setScalePivot(MPoint(-1, 5, 0), MSpace::kWorld, true));
    EXPECT_TRUE(xform.rotatePivot(MSpace::kWorld).isEquivalent(MPoint(3, 1, -2), kTol));
    EXPECT_TRUE(xform.scalePivot(MSpace::kWorld).isEquivalent(MPoint(-1, 5, 0), kTol));
    EXPECT_TRUE(xform.asMatrix().isEquivalent(before, kTol));
    // Unbalanced, the pivot moves and the object turns about it from there.
    ASSERT_TRUE(xform.setRotatePivot(MPoint(0, 0, 0), MSpace::kWorld, false));
    EXPECT_TRUE(xform.rotatePivot(MSpace::kWorld).isEquivalent(MPoint::origin, kTol));
    EXPECT_FALSE(xform.asMatrix().isEquivalent(before, kTol));
}

TEST(MTransformationMatrix, InverseAndPartialMatrices) {
    const MTransformationMatrix xform = busyTransform();
    EXPECT_TRUE((xform.asMatrix() * xform.asMatrixInverse()).isEquivalent(MMatrix::identity, 1e-9));
    EXPECT_TRUE(xform.asMatrix(0.0).isEquivalent(MMatrix::identity, kTol));
    EXPECT_TRUE(xform.asMatrix(1.0).isEquivalent(xform.asMatrix(), kTol));

    MTransformationMatrix slide;
    slide.setTranslation(MVector(4, 0, 0), MSpace::kTransform);
    EXPECT_TRUE(MPoint::origin * slide.asMatrix(0.25) == MPoint(1, 0, 0));
}

TEST(MTransformationMatrix, DecomposesAMatrixIntoComponents) {
    MTransformationMatrix source;
    const double scale[3] = {2.0, 3.0, -0.5};
    const double shear[3] = {0.2, -0.4, 0.6};
    const double rotation[3] = {0.3, 0.8, -1.2};
    source.setScale(scale, MSpace::kTransform);
    source.setShear(shear, MSpace::kTransform);
    source.setRotation(rotation, MTransformationMatrix::kXYZ);
    source.setTranslation(MVector(1, 2, 3), MSpace::kTransform);

    const MTransformationMatrix decomposed(source.asMatrix());
    EXPECT_TRUE(decomposed.asMatrix().isEquivalent(source.asMatrix(), 1e-9));
    double outScale[3], outShear[3];
    decomposed.getScale(outScale, MSpace::kTransform);
    decomposed.getShear(outShear, MSpace::kTransform);
    EXPECT_TRUE(MVector(outScale).isEquivalent(MVector(scale), 1e-9)) << MVector(outScale);
    EXPECT_TRUE(MVector(outShear).isEquivalent(MVector(shear), 1e-9)) << MVector(outShear);
    EXPECT_TRUE(decomposed.eulerRotation().isEquivalent(MEulerRotation(0.3, 0.8, -1.2), 1e-9));
    EXPECT_TRUE(decomposed.getTranslation(MSpace::kTransform).isEquivalent(MVector(1, 2, 3)));
}

TEST(MTransformationMatrix, RotateByInTransformAndObjectSpace) {
    MTransformationMatrix xform;
    xform.rotateTo(MQuaternion(M_PI / 2, MVector::zAxis));
    MTransformationMatrix world(xform), local(xform);
    const MQuaternion turnX(M_PI / 2, MVector::xAxis);
    world.rotateBy(turnX, MSpace::kTransform);
    local.rotateBy(turnX, MSpace::kObject);
    // After the z turn, x points along y: a turn about the fixed x axis differs from one about
    // the object's own x axis.
    EXPECT_TRUE(MVector::xAxis.rotateBy(world.rotation()).isEquivalent(MVector::zAxis, kTol));
    EXPECT_TRUE(MVector::xAxis.rotateBy(local.rotation()).isEquivalent(MVector::yAxis, kTol));
}

TEST(MTransformationMatrix, RelativeEditsAndPartialRotation) {
    MTransformationMatrix xform;
    xform.rotateTo(MQuaternion(M_PI / 2, MVector::zAxis));
    const double doubleX[3] = {2.0, 1.0, 1.0};
    xform.setScale(doubleX, MSpace::kTransform);

    // Object space moves along the object's own (scaled, turned) x axis.
    xform.addTranslation(MVector(1, 0, 0), MSpace::kObject);
    EXPECT_TRUE(xform.getTranslation(MSpace::kTransform).isEquivalent(MVector(0, 2, 0), kTol));
    xform.addTranslation(MVector(1, 0, 0), MSpace::kTransform);
    EXPECT_TRUE(xform.getTranslation(MSpace::kTransform).isEquivalent(MVector(1, 2, 0), kTol));

    xform.addScale(doubleX, MSpace::kTransform);
    double scale[3];
    xform.getScale(scale, MSpace::kTransform);
    EXPECT_TRUE(MVector(scale).isEquivalent(MVector(4, 1, 1)));

    // Half way through a quarter turn is an eighth turn.
    MTransformationMatrix turn;
    turn.setToRotationAxis(MVector::zAxis, M_PI / 2);
    EXPECT_TRUE(
        turn.asMatrix(0.5).isEquivalent(MQuaternion(M_PI / 4, MVector::zAxis).asMatrix(), kTol));
}
