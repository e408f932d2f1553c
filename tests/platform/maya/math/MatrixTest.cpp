#include <gtest/gtest.h>

#include <cmath>

#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

namespace {

MMatrix fromRows(std::initializer_list<std::initializer_list<double>> rows) {
    MMatrix m;
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (double value : row)
            m[r][c++] = value;
        ++r;
    }
    return m;
}

// A rotation, non-uniform scale, shear, translation and a projective column.
const MMatrix kGeneral = fromRows(
    {{2.0, 0.5, -1.0, 0.1}, {0.3, 1.5, 0.7, 0.0}, {-0.4, 0.2, 3.0, 0.2}, {5.0, -2.0, 7.0, 1.0}});

}  // namespace

TEST(MMatrix, RowVectorConventionPutsTranslationInRowThree) {
    MMatrix m;
    m[3][0] = 1.0;
    m[3][1] = 2.0;
    m[3][2] = 3.0;
    EXPECT_EQ(MPoint(1.0, 1.0, 1.0) * m, MPoint(2.0, 3.0, 4.0));
    EXPECT_EQ(MVector(1.0, 1.0, 1.0) * m, MVector(1.0, 1.0, 1.0));
    EXPECT_EQ(m(3, 1), 2.0);

    // p * A * B applies A first.
    MMatrix scale;
    scale[0][0] = 10.0;
    const MPoint p(1.0, 0.0, 0.0);
    EXPECT_EQ(p * (scale * m), MPoint(11.0, 2.0, 3.0));
    EXPECT_EQ(p * (m * scale), MPoint(20.0, 2.0, 3.0));

    // The column forms use the transpose.
    EXPECT_TRUE((kGeneral * MPoint(1, 2, 3)).isEquivalent(MPoint(1, 2, 3) * kGeneral.transpose()));
    EXPECT_TRUE(
        (kGeneral * MVector(1, 2, 3)).isEquivalent(MVector(1, 2, 3) * kGeneral.transpose()));
}

TEST(MMatrix, InverseRoundTripsAndAgreesWithAdjoint) {
    const MMatrix inverse = kGeneral.inverse();
    EXPECT_TRUE((kGeneral * inverse).isEquivalent(MMatrix::identity, 1e-12)) << kGeneral * inverse;
    EXPECT_TRUE((inverse * kGeneral).isEquivalent(MMatrix::identity, 1e-12));
    EXPECT_TRUE(kGeneral.adjoint().isEquivalent(inverse * kGeneral.det4x4(), 1e-9));
    EXPECT_NEAR(kGeneral.det4x4() * inverse.det4x4(), 1.0, 1e-12);
    EXPECT_NEAR(kGeneral.det3x3(),
                2.0 * (1.5 * 3.0 - 0.7 * 0.2) - 0.5 * (0.3 * 3.0 + 0.7 * 0.4) +
                    -1.0 * (0.3 * 0.2 + 1.5 * 0.4),
                1e-12);

    const MPoint p(1.5, -2.0, 0.25);
    MPoint back = p * kGeneral * inverse;
    EXPECT_TRUE(back.cartesianize().isEquivalent(p, 1e-12));

    // A tiny but regular scale must still invert.
    const MMatrix tiny = MMatrix::identity * 1e-4;
    EXPECT_FALSE(tiny.isSingular());
    EXPECT_TRUE((tiny * tiny.inverse()).isEquivalent(MMatrix::identity, 1e-9));
}

TEST(MMatrix, SingularMatrixIsReportedAndLeftAlone) {
    MMatrix flat;
    flat[2][2] = 0.0;
    EXPECT_TRUE(flat.isSingular());
    EXPECT_EQ(flat.inverse(), flat);
}

TEST(MFloatMatrix, MatchesTheDoubleMatrixWithinFloatPrecision) {
    double rows[4][4];
    kGeneral.get(rows);
    const MFloatMatrix f(rows);
    const MFloatMatrix product = f * f.inverse();
    EXPECT_TRUE(product.isEquivalent(MFloatMatrix(), 1e-5f)) << product;
    const MFloatPoint p = MFloatPoint(1.0f, 2.0f, 3.0f) * f;
    const MPoint d = MPoint(1.0, 2.0, 3.0) * kGeneral;
    EXPECT_TRUE(MPoint(p).isEquivalent(d, 1e-5));
    EXPECT_EQ(MFloatVector(1.0f, 0.0f, 0.0f) * f, MFloatVector(2.0f, 0.5f, -1.0f));
}

TEST(MPoint, HomogeneousFormsAndCartesianArithmetic) {
    MPoint p(2.0, 4.0, 6.0, 2.0);
    EXPECT_EQ(MPoint(p).rationalize(), MPoint(1.0, 2.0, 3.0, 2.0));
    EXPECT_EQ(MPoint(p).cartesianize(), MPoint(1.0, 2.0, 3.0, 1.0));
    EXPECT_EQ(MPoint(1.0, 2.0, 3.0, 2.0).homogenize(), p);
    // Differences and offsets use the cartesian position.
    EXPECT_EQ(p - MPoint(1.0, 1.0, 1.0), MVector(0.0, 1.0, 2.0));
    EXPECT_EQ(p + MVector(1.0, 0.0, 0.0), MPoint(2.0, 2.0, 3.0));
    EXPECT_DOUBLE_EQ(MPoint::origin.distanceTo(MPoint(3.0, 4.0, 0.0)), 5.0);
}

TEST(MVector, ProductsAnglesAndNormals) {
    EXPECT_EQ(MVector::xAxis ^ MVector::yAxis, MVector::zAxis);
    EXPECT_DOUBLE_EQ(MVector(1, 2, 3) * MVector(4, -5, 6), 12.0);
    EXPECT_NEAR(MVector::xAxis.angle(MVector(1, 1, 0)), M_PI / 4, 1e-12);
    EXPECT_NEAR(MVector::xAxis.angle(MVector::xNegAxis), M_PI, 1e-12);
    EXPECT_EQ(MVector::zero.normal(), MVector::zero);
    EXPECT_TRUE(MVector(0, 0, 2).isParallel(MVector::zNegAxis));
    EXPECT_FALSE(MVector(0, 0.01, 1).isParallel(MVector::zAxis));

    // A plane x + y = 0 squashed along x: its normal must stay perpendicular to the surface.
    MMatrix squash;
    squash[0][0] = 0.25;
    const MVector tangent = MVector(1, -1, 0) * squash;
    const MVector normal = MVector(1, 1, 0).normal().transformAsNormal(squash);
    EXPECT_NEAR(tangent * normal, 0.0, 1e-12);
    EXPECT_NEAR(normal.length(), 1.0, 1e-12);
}

TEST(MFloatPoint, SinglePrecisionPointsAndVectors) {
    const MFloatPoint p(MPoint(1.0, 2.0, 3.0, 2.0));
    EXPECT_EQ(p.w, 2.0f);
    EXPECT_EQ(p - MFloatPoint(0.5f, 0.5f, 0.5f), MFloatVector(0.0f, 0.5f, 1.0f));
    EXPECT_NEAR(MFloatVector(3.0f, 0.0f, 4.0f).normal().length(), 1.0f, 1e-6f);
    EXPECT_EQ(MFloatVector::xAxis ^ MFloatVector::yAxis, MFloatVector::zAxis);
    MFloatMatrix m;
    m[3][1] = 5.0f;
    EXPECT_EQ(MFloatPoint(1.0f, 1.0f, 1.0f) * m, MFloatPoint(1.0f, 6.0f, 1.0f));
    EXPECT_EQ(MFloatVector(1.0f, 1.0f, 1.0f) * m, MFloatVector(1.0f, 1.0f, 1.0f));
}
