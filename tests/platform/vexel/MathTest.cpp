// Maths of VXCommon against hand-computed values and identities.
#include <vexel/common/Math.h>
#include <vexel/common/Matrix3.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/Quaternion.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace vexel::common;

namespace {

constexpr float kTol = 1e-5f;

void expectNear(const Vector3& actual, const Vector3& expected, float tol = kTol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

template <class M>
void expectNearMatrix(const M& actual, const M& expected, int n, float tol = kTol) {
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            EXPECT_NEAR(actual[r][c], expected[r][c], tol) << "element " << r << "," << c;
        }
    }
}

Quaternion aboutAxis(float degrees, const Vector3& axis) {
    Quaternion q;
    q.FromAngleAxis(degrees * Math::fDeg2Rad, axis);
    return q;
}

}  // namespace

TEST(Matrix4Test, LayoutAndGeneralInverse) {
    Matrix4 m(2, 0, 1, 3,   //
              1, 3, 0, -1,  //
              0, 1, 4, 2,   //
              1, 0, 0, 2);  // a non-affine last row exercises the general inverse
    EXPECT_EQ(m.getTrans(), Vector3(3, -1, 2));
    EXPECT_EQ(m.ptr()[7], -1.0f);
    EXPECT_EQ(m[2][1], 1.0f);
    expectNearMatrix(m * m.inverse(), Matrix4::IDENTITY, 4);
    expectNearMatrix(m.inverse() * m, Matrix4::IDENTITY, 4);
    EXPECT_NEAR(m.determinant() * m.inverse().determinant(), 1.0f, kTol);

    Matrix4 singular = m;
    singular[3][0] = singular[3][1] = singular[3][2] = singular[3][3] = 0.0f;
    EXPECT_EQ(singular.inverse(), Matrix4::ZERO);
}

TEST(Matrix4Test, TransformComposesRotationThenTranslation) {
    Matrix3 quarterTurnZ;
    quarterTurnZ.FromEulerAnglesZYX(Math::HALF_PI, 0, 0);
    const Matrix4 m(quarterTurnZ, Vector3(1, 2, 3));
    expectNear(m * Vector3(1, 0, 0), Vector3(1, 3, 3));
    expectNear(m.inverse() * (m * Vector3(0.3f, -2, 5)), Vector3(0.3f, -2, 5));
    Matrix3 back;
    m.extract3x3Matrix(back);
    EXPECT_EQ(back, quarterTurnZ);
    EXPECT_NE(m, Matrix4::IDENTITY);
}

TEST(Matrix3Test, InverseHonoursTolerance) {
    const Matrix3 m(4, 7, 2, 3, 6, 1, 2, 5, 3);  // determinant 9
    Matrix3 inv;
    ASSERT_TRUE(m.Inverse(inv, 1e-6f));
    expectNearMatrix(m * inv, Matrix3::IDENTITY, 3);

    const Matrix3 nearlySingular(1, 2, 3, 2, 4, 6, 1, 1, 1.0f);  // rank 2
    Matrix3 untouched = Matrix3::IDENTITY;
    EXPECT_FALSE(nearlySingular.Inverse(untouched, 1e-6f));
    EXPECT_EQ(untouched, Matrix3::IDENTITY);
    EXPECT_EQ(nearlySingular.Inverse(1e-6f), Matrix3::ZERO);
}

TEST(Matrix3Test, EulerZYXRoundTripsAndReportsGimbalLock) {
    const float yaw = 0.7f, pitch = -0.4f, roll = 2.1f;
    Matrix3 m;
    m.FromEulerAnglesZYX(yaw, pitch, roll);
    // Hand-computed: the bottom row is (-sin pitch, cos pitch sin roll, cos pitch cos roll).
    EXPECT_NEAR(m[2][0], -std::sin(pitch), kTol);
    EXPECT_NEAR(m[2][1], std::cos(pitch) * std::sin(roll), kTol);
    float y = 0, p = 0, r = 0;
    ASSERT_TRUE(m.ToEulerAnglesZYX(y, p, r));
    EXPECT_NEAR(y, yaw, kTol);
    EXPECT_NEAR(p, pitch, kTol);
    EXPECT_NEAR(r, roll, kTol);

    for (float lockedPitch : {Math::HALF_PI, -Math::HALF_PI}) {
        m.FromEulerAnglesZYX(0.5f, lockedPitch, 0.2f);
        EXPECT_FALSE(m.ToEulerAnglesZYX(y, p, r));
        EXPECT_EQ(r, 0.0f);
        Matrix3 rebuilt;
        rebuilt.FromEulerAnglesZYX(y, p, r);
        expectNearMatrix(rebuilt, m, 3, 1e-4f);
    }
}

TEST(QuaternionTest, MatrixConversionAndVectorRotation) {
    const Quaternion q = aboutAxis(90, Vector3::UNIT_Z);
    expectNear(q * Vector3::UNIT_X, Vector3::UNIT_Y);

    // Every branch of the matrix conversion: trace positive and each largest diagonal.
    for (const Vector3& axis :
         {Vector3(1, 2, 3), Vector3::UNIT_X, Vector3::UNIT_Y, Vector3::UNIT_Z}) {
        const Quaternion original = aboutAxis(170, axis);
        Matrix3 m;
        original.ToRotationMatrix(m);
        const Quaternion back(m);
        EXPECT_NEAR(std::fabs(back.Dot(original)), 1.0f, kTol) << axis.x << axis.y << axis.z;
        expectNear(m * Vector3(0.2f, -1, 4), original * Vector3(0.2f, -1, 4));
    }
}

TEST(QuaternionTest, SlerpEndPointsMidpointAndShortestPath) {
    const Quaternion p = aboutAxis(10, Vector3::UNIT_Y);
    const Quaternion q = aboutAxis(100, Vector3::UNIT_Y);
    EXPECT_NEAR(Quaternion::Slerp(0, p, q).Dot(p), 1.0f, kTol);
    EXPECT_NEAR(Quaternion::Slerp(1, p, q).Dot(q), 1.0f, kTol);
    EXPECT_NEAR(Quaternion::Slerp(0.5f, p, q).Dot(aboutAxis(55, Vector3::UNIT_Y)), 1.0f, kTol);

    // -q is the same rotation as q: the shortest path takes the 90 degree arc,
    // the literal path the 270 degree one the other way round.
    const Quaternion farSign = -q;
    const Vector3 x = Vector3::UNIT_X;
    expectNear(Quaternion::Slerp(0.5f, p, farSign, true) * x, aboutAxis(55, Vector3::UNIT_Y) * x);
    expectNear(Quaternion::Slerp(0.5f, p, farSign, false) * x,
               aboutAxis(55 + 180, Vector3::UNIT_Y) * x);

    // Opposite signs of one rotation still interpolate through unit quaternions.
    const Quaternion half = Quaternion::Slerp(0.5f, p, -p, false);
    EXPECT_NEAR(half.Norm(), 1.0f, kTol);
}

TEST(IntersectionTest, RayAgainstBox) {
    const AxisAlignedBox box(Vector3(-1, -1, -1), Vector3(1, 1, 1));
    auto hit = Math::intersects(Ray(Vector3(0, 0, 5), Vector3(0, 0, -2)), box);
    EXPECT_TRUE(hit.first);
    EXPECT_NEAR(hit.second, 4.0f, kTol);

    hit = Math::intersects(Ray(Vector3(3, 3, 0), Vector3(-1, -1, 0)), box);  // through a corner
    EXPECT_TRUE(hit.first);
    EXPECT_NEAR(hit.second, 2.0f * std::sqrt(2.0f), kTol);

    hit = Math::intersects(Ray(Vector3(0.5f, 0, 0), Vector3::UNIT_Z), box);
    EXPECT_TRUE(hit.first);
    EXPECT_EQ(hit.second, 0.0f);

    EXPECT_FALSE(Math::intersects(Ray(Vector3(0, 0, 5), Vector3::UNIT_Z), box).first);
    EXPECT_FALSE(Math::intersects(Ray(Vector3(0, 2, 5), Vector3(0, 0, -1)), box).first);
    EXPECT_FALSE(
        Math::intersects(Ray(Vector3(0, 0, 5), Vector3(0, 0, -1)), AxisAlignedBox()).first);
}

TEST(IntersectionTest, RayAgainstSphere) {
    const Sphere sphere(Vector3(0, 0, -10), 2);
    auto hit = Math::intersects(Ray(Vector3::ZERO, Vector3::NEGATIVE_UNIT_Z), sphere);
    EXPECT_TRUE(hit.first);
    EXPECT_NEAR(hit.second, 8.0f, kTol);

    const Ray inside(Vector3(0, 0, -9), Vector3::NEGATIVE_UNIT_Z);
    hit = Math::intersects(inside, sphere, true);
    EXPECT_TRUE(hit.first);
    EXPECT_EQ(hit.second, 0.0f);
    hit = Math::intersects(inside, sphere, false);
    EXPECT_TRUE(hit.first);
    EXPECT_NEAR(hit.second, 3.0f, kTol);

    EXPECT_FALSE(Math::intersects(Ray(Vector3::ZERO, Vector3::UNIT_Z), sphere).first);
    EXPECT_FALSE(
        Math::intersects(Ray(Vector3(0, 2.5f, 0), Vector3::NEGATIVE_UNIT_Z), sphere).first);
}

TEST(IntersectionTest, VolumesAndPlanes) {
    const AxisAlignedBox box(Vector3(0, 0, 0), Vector3(1, 1, 1));
    EXPECT_TRUE(Math::intersects(Sphere(Vector3(2, 0.5f, 0.5f), 1.0f), box));  // touches a face
    EXPECT_FALSE(Math::intersects(Sphere(Vector3(2, 2, 2), 1.7f), box));       // corner 1.732 away
    EXPECT_TRUE(Math::intersects(Sphere(Vector3(2, 2, 2), 1.75f), box));
    EXPECT_TRUE(Math::intersects(Sphere(Vector3(0.5f, 0.5f, 0.5f), 0.1f), box));  // inside
    EXPECT_TRUE(Math::intersects(Sphere(Vector3(0, 0, 0), 1), Sphere(Vector3(2, 0, 0), 1)));
    EXPECT_FALSE(Math::intersects(Sphere(Vector3(0, 0, 0), 1), Sphere(Vector3(2.1f, 0, 0), 1)));

    const Plane plane(Vector3(0, 0, 2), Vector3(0, 0, 1));  // z = 1, normal +z
    EXPECT_EQ(plane.getSide(Vector3(5, 5, 3)), Plane::POSITIVE_SIDE);
    EXPECT_EQ(plane.getSide(Vector3(5, 5, 0)), Plane::NEGATIVE_SIDE);
    EXPECT_EQ(plane.getSide(Vector3(5, 5, 1)), Plane::NO_SIDE);
    const Plane fromPoints(Vector3(0, 0, 1), Vector3(1, 0, 1), Vector3(0, 1, 1));
    EXPECT_EQ(fromPoints.getNormal(), Vector3::UNIT_Z);
    EXPECT_NEAR(fromPoints.getDistance(Vector3(0, 0, 4)), 3.0f, kTol);
}
