// Unit quaternions for rotations and their interpolation.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix3.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace common {

//! A quaternion w + xi + yj + zk. Rotation quaternions have unit length; q and
//! -q are the same rotation. Angles are in radians.
class VXCOMMON_API Quaternion {
public:
    static const Quaternion IDENTITY;
    static const Quaternion ZERO;

    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    //! The identity rotation.
    Quaternion() = default;
    Quaternion(float fw, float fx, float fy, float fz) : w(fw), x(fx), y(fy), z(fz) {}
    explicit Quaternion(const Matrix3& rotation) { FromRotationMatrix(rotation); }

    //! Sets this to the rotation of an orthonormal matrix (determinant +1).
    void FromRotationMatrix(const Matrix3& rotation);
    void ToRotationMatrix(Matrix3& rotation) const;
    //! Rotation by `radians` about `axis` (which need not be unit length).
    void FromAngleAxis(float radians, const Vector3& axis);

    Quaternion operator+(const Quaternion& q) const;
    Quaternion operator-(const Quaternion& q) const;
    Quaternion operator*(float s) const;
    Quaternion operator-() const { return {-w, -x, -y, -z}; }
    //! Composition: (p * q) rotates by q first, then by p.
    Quaternion operator*(const Quaternion& q) const;
    //! Rotates a vector (the quaternion must have unit length).
    Vector3 operator*(const Vector3& v) const;
    //! Exact component comparison (so q != -q although both rotate alike).
    bool operator==(const Quaternion& q) const;
    bool operator!=(const Quaternion& q) const { return !(*this == q); }

    float Dot(const Quaternion& q) const;
    //! Squared length.
    float Norm() const;
    //! Scales to unit length; returns the previous length.
    float normalise();
    //! The multiplicative inverse (ZERO for the zero quaternion).
    Quaternion Inverse() const;

    //! Spherical linear interpolation: t = 0 gives p, t = 1 gives q, at
    //! constant angular speed in between. With `shortestPath`, q is negated
    //! when that makes the arc shorter (the result then ends at -q, the same
    //! rotation); without it the interpolation follows the arc from p to q as
    //! given. Nearly parallel inputs fall back to a normalised linear blend.
    static Quaternion Slerp(float t, const Quaternion& p, const Quaternion& q,
                            bool shortestPath = false);
};

}  // namespace common
}  // namespace vexel
