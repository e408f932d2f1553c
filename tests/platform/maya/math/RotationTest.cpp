#include <gtest/gtest.h>

#include <cmath>

#include <vector>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

namespace {

constexpr double kTol = 1e-9;

const MEulerRotation::RotationOrder kOrders[] = {MEulerRotation::kXYZ, MEulerRotation::kYZX,
                                                 MEulerRotation::kZXY, MEulerRotation::kXZY,
                                                 MEulerRotation::kYXZ, MEulerRotation::kZYX};

// The three axes of each order, first applied first.
const char* const kAxisNames[] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};

MMatrix axisRotation(char axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const int a = axis - 'x', b = (a + 1) % 3, d = (a + 2) % 3;
    MMatrix m;
    m[b][b] = c;
    m[b][d] = s;
    m[d][b] = -s;
    m[d][d] = c;
    return m;
}

double angleAbout(const MEulerRotation& e, char axis) {
    return e[static_cast<unsigned int>(axis - 'x')];
}

// Outer angles over the whole circle, the middle one inside (-pi/2, pi/2) where the
// decomposition is unique.
std::vector<MEulerRotation> samples(int orderIndex) {
    const char* axes = kAxisNames[orderIndex];
    std::vector<MEulerRotation> result;
    const double outer[] = {-2.9, -1.2, -0.3, 0.0, 0.45, 1.1, 2.7};
    for (double a : outer)
        for (double b : {-1.4, -0.6, 0.0, 0.8, 1.5})
            for (double c : outer) {
                MEulerRotation e(0.0, 0.0, 0.0, kOrders[orderIndex]);
                e[static_cast<unsigned int>(axes[0] - 'x')] = a;
                e[static_cast<unsigned int>(axes[1] - 'x')] = b;
                e[static_cast<unsigned int>(axes[2] - 'x')] = c;
                result.push_back(e);
            }
    return result;
}

}  // namespace

TEST(MEulerRotation, MatrixAppliesTheFirstAxisFirstForEveryOrder) {
    for (int o = 0; o < 6; ++o) {
        const MEulerRotation e(0.3, -0.7, 1.9, kOrders[o]);
        const char* axes = kAxisNames[o];
        const MMatrix expected = axisRotation(axes[0], angleAbout(e, axes[0])) *
                                 axisRotation(axes[1], angleAbout(e, axes[1])) *
                                 axisRotation(axes[2], angleAbout(e, axes[2]));
        EXPECT_TRUE(e.asMatrix().isEquivalent(expected, kTol)) << axes;
        EXPECT_TRUE(e.asQuaternion().asMatrix().isEquivalent(expected, kTol)) << axes;
    }
    // Positive angles turn counter-clockwise: x about z by 90 degrees lands on y.
    EXPECT_TRUE(
        MVector::xAxis.rotateBy(MEulerRotation(0, 0, M_PI / 2)).isEquivalent(MVector::yAxis));
}

TEST(MEulerRotation, DecomposeRoundTripsThroughMatrixAndQuaternion) {
    for (int o = 0; o < 6; ++o)
        for (const MEulerRotation& e : samples(o)) {
            const MEulerRotation::RotationOrder order = kOrders[o];
            const MEulerRotation fromMatrix = MEulerRotation::decompose(e.asMatrix(), order);
            EXPECT_TRUE(fromMatrix.isEquivalent(e, 1e-9))
                << e << " order " << order << " -> " << fromMatrix;
            MEulerRotation fromQuaternion(0, 0, 0, order);
            fromQuaternion = e.asQuaternion();
            EXPECT_TRUE(fromQuaternion.isEquivalent(e, 1e-9)) << e << " order " << order;
        }
}

TEST(MEulerRotation, GimbalLockStillReproducesTheMatrix) {
    for (auto order : kOrders) {
        MEulerRotation locked(0.4, 0.9, -0.2, order);
        const char* axes = kAxisNames[order];
        locked[static_cast<unsigned int>(axes[1] - 'x')] = M_PI / 2;
        const MEulerRotation back = MEulerRotation::decompose(locked.asMatrix(), order);
        EXPECT_TRUE(back.asMatrix().isEquivalent(locked.asMatrix(), 1e-9)) << axes;
    }
}

TEST(MEulerRotation, EquivalentFormsDescribeTheSameRotation) {
    const MEulerRotation e(0.5, -1.0, 2.0, MEulerRotation::kYXZ);
    for (auto order : kOrders)
        EXPECT_TRUE(e.reorder(order).asMatrix().isEquivalent(e.asMatrix(), kTol)) << order;
    EXPECT_TRUE((e.asMatrix() * e.inverse().asMatrix()).isEquivalent(MMatrix::identity, kTol));
    EXPECT_TRUE(e.alternateSolution().asMatrix().isEquivalent(e.asMatrix(), kTol));

    const MEulerRotation wound(7.0, -8.0, 3.5);
    const MEulerRotation bounded = wound.bound();
    for (unsigned int i = 0; i < 3; ++i) {
        EXPECT_LE(std::fabs(bounded[i]), M_PI);
    }
    EXPECT_TRUE(bounded.asMatrix().isEquivalent(wound.asMatrix(), kTol));

    // Keyed rotations near 350 degrees stay near there instead of jumping back to -10.
    const MEulerRotation previous(0.0, 0.0, 6.1);
    const MEulerRotation next = MEulerRotation(0.0, 0.0, -0.1).closestSolution(previous);
    EXPECT_NEAR(next.z, 2 * M_PI - 0.1, kTol);
}

TEST(MQuaternion, AxisAngleAndProductsFollowMayasMatrixOrder) {
    const MQuaternion quarterZ(M_PI / 2, MVector::zAxis);
    EXPECT_TRUE(MVector::xAxis.rotateBy(quarterZ).isEquivalent(MVector::yAxis));
    EXPECT_EQ(MQuaternion(1.0, MVector::zero), MQuaternion::identity);

    const MQuaternion a(0.7, MVector(1, 2, 3)), b(-1.3, MVector(0, 1, -1));
    EXPECT_TRUE((a * b).asMatrix().isEquivalent(a.asMatrix() * b.asMatrix(), kTol));
    EXPECT_TRUE((a * a.inverse()).isEquivalent(MQuaternion::identity, kTol));
    EXPECT_TRUE((a.conjugate() * a).isEquivalent(MQuaternion::identity, kTol));

    MVector axis;
    double theta = 0.0;
    EXPECT_TRUE(a.getAxisAngle(axis, theta));
    EXPECT_NEAR(theta, 0.7, kTol);
    EXPECT_TRUE(axis.isEquivalent(MVector(1, 2, 3).normal(), kTol));
    EXPECT_FALSE(MQuaternion::identity.getAxisAngle(axis, theta));
    EXPECT_EQ(theta, 0.0);
}

TEST(MQuaternion, MatrixRoundTripCoversEveryBranch) {
    // The last three are half turns, where the trace is negative and one diagonal dominates.
    const MQuaternion cases[] = {
        MQuaternion(0.4, MVector(1, -2, 0.5)), MQuaternion(M_PI, MVector::xAxis),
        MQuaternion(M_PI, MVector::yAxis), MQuaternion(M_PI, MVector(0.1, 0.2, 1))};
    for (const MQuaternion& q : cases) {
        MQuaternion back;
        back = q.asMatrix();
        EXPECT_TRUE(back.isEquivalent(q, 1e-9) || back.isEquivalent(-q, 1e-9)) << q << back;
    }
    // Scale in the matrix does not leak into the rotation.
    MMatrix scaled = cases[0].asMatrix();
    for (int c = 0; c < 3; ++c)
        scaled[1][c] *= 3.0;
    MQuaternion fromScaled;
    fromScaled = scaled;
    EXPECT_TRUE(fromScaled.isEquivalent(cases[0], 1e-9));
}

TEST(MQuaternion, RotateToTurnsOneVectorOntoAnother) {
    const MVector pairs[][2] = {{MVector(1, 0, 0), MVector(0, 3, 0)},
                                {MVector(1, 2, 3), MVector(-2, 0.5, 1)},
                                {MVector(0, 0, 1), MVector(0, 0, -2)},
                                {MVector(1, 1, 0), MVector(2, 2, 0)}};
    for (const auto& pair : pairs) {
        const MQuaternion q = pair[0].rotateTo(pair[1]);
        EXPECT_TRUE(pair[0].normal().rotateBy(q).isEquivalent(pair[1].normal(), 1e-9))
            << pair[0] << " -> " << pair[1];
    }
    // Half the angle factor goes half way.
    const MQuaternion half(MVector::xAxis, MVector::yAxis, 0.5);
    EXPECT_TRUE(MVector::xAxis.rotateBy(half).isEquivalent(MVector(1, 1, 0).normal(), 1e-9));
}

TEST(MQuaternion, SlerpEndsMidpointAndShortestPath) {
    const MQuaternion p(0.2, MVector::zAxis), q(1.4, MVector::zAxis);
    EXPECT_TRUE(slerp(p, q, 0.0).isEquivalent(p, kTol));
    EXPECT_TRUE(slerp(p, q, 1.0).isEquivalent(q, kTol));
    EXPECT_TRUE(slerp(p, q, 0.25).isEquivalent(MQuaternion(0.5, MVector::zAxis), kTol));

    // -q is the same rotation; interpolation must not take the long way round.
    EXPECT_TRUE(slerp(p, -q, 0.25).isEquivalent(MQuaternion(0.5, MVector::zAxis), kTol));
    const MQuaternion from(-3.0, MVector::zAxis), to(3.0, MVector::zAxis);
    MVector axis;
    double theta = 0.0;
    slerp(from, to, 0.5).getAxisAngle(axis, theta);
    EXPECT_NEAR(std::fabs(theta), M_PI, 1e-9);

    // One extra spin turns a further full revolution on the way.
    const MQuaternion spun = slerp(MQuaternion::identity, MQuaternion(0.4, MVector::zAxis), 0.5, 1);
    EXPECT_TRUE(
        spun.asMatrix().isEquivalent(MQuaternion(0.2 + M_PI, MVector::zAxis).asMatrix(), 1e-9));
}

TEST(MEulerRotation, ArithmeticMatchesOrdersAndComposes) {
    // Sums reorder the right side to the left's order before adding component by component.
    const MEulerRotation xyz(0.1, 0.2, 0.3);
    const MEulerRotation zyx = MEulerRotation(0.3, -0.2, 0.5).reorder(MEulerRotation::kZYX);
    const MEulerRotation sum = xyz + zyx;
    EXPECT_EQ(sum.order, MEulerRotation::kXYZ);
    EXPECT_TRUE(sum.isEquivalent(MEulerRotation(0.4, 0.0, 0.8), 1e-9)) << sum;

    // Products and incremental turns apply this rotation first, then the other.
    const MEulerRotation a(0.3, -0.4, 1.2, MEulerRotation::kYZX), b(-0.7, 0.2, 0.1);
    EXPECT_TRUE((a * b).asMatrix().isEquivalent(a.asMatrix() * b.asMatrix(), kTol));
    EXPECT_EQ((a * b).order, MEulerRotation::kYZX);
    MEulerRotation turned(a);
    turned.incrementalRotateBy(MVector(1, 1, 0), 0.25);
    EXPECT_TRUE(turned.asMatrix().isEquivalent(
        a.asMatrix() * MQuaternion(0.25, MVector(1, 1, 0)).asMatrix(), kTol));

    const MEulerRotation far(0.1, 6.5, -7.0);
    EXPECT_TRUE(MEulerRotation(0.1, 0.2, -0.7)
                    .closestCut(far)
                    .isEquivalent(MEulerRotation(0.1, 0.2 + 2 * M_PI, -0.7 - 2 * M_PI), kTol));

    MQuaternion q;
    q = a;
    EXPECT_TRUE(q.asEulerRotation().asMatrix().isEquivalent(a.asMatrix(), kTol));
}

TEST(MVector, RotateByEveryForm) {
    const MVector v(1, 2, 3);
    const double xyz[3] = {0.3, 0.5, -0.2};
    EXPECT_TRUE(
        v.rotateBy(xyz, MTransformationMatrix::kYXZ)
            .isEquivalent(v.rotateBy(MEulerRotation(0.3, 0.5, -0.2, MEulerRotation::kYXZ)), kTol));
    EXPECT_TRUE(v.rotateBy(MVector::kYaxis, M_PI / 2).isEquivalent(MVector(3, 2, -1), kTol));
    const MQuaternion q(0.8, MVector(0, 1, 1));
    EXPECT_TRUE(v.rotateBy(q.x, q.y, q.z, q.w).isEquivalent(v * q.asMatrix(), kTol));
}
