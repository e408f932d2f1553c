// 3x3 single-precision matrix, for rotations and linear parts of transforms.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Vector3.h>

#include <cstddef>

namespace vexel {
namespace common {

//! A 3x3 matrix, row-major: m[row][col]. Vectors are columns, so a matrix
//! applies as M * v and the columns of a rotation are the rotated x, y and z
//! axes.
//!
//! Angles are in radians. The operations that come from the classic game maths
//! family keep their capitalised names (Transpose, Inverse, ToEulerAnglesZYX).
class VXCOMMON_API Matrix3 {
public:
    static const Matrix3 IDENTITY;
    static const Matrix3 ZERO;

    //! The identity.
    Matrix3();
    Matrix3(float m00, float m01, float m02, float m10, float m11, float m12, float m20, float m21,
            float m22);

    //! Row access: m[row][col].
    float* operator[](std::size_t row) { return m_ + 3 * row; }
    const float* operator[](std::size_t row) const { return m_ + 3 * row; }
    //! The nine elements, row by row.
    float* ptr() { return m_; }
    const float* ptr() const { return m_; }

    Vector3 GetColumn(std::size_t col) const;
    void SetColumn(std::size_t col, const Vector3& v);

    Matrix3 operator*(const Matrix3& rhs) const;
    Vector3 operator*(const Vector3& v) const;
    //! Exact element comparison.
    bool operator==(const Matrix3& rhs) const;
    bool operator!=(const Matrix3& rhs) const { return !(*this == rhs); }

    Matrix3 Transpose() const;
    float Determinant() const;

    //! Writes the inverse to `out` and returns true, unless |determinant| is at
    //! most `tolerance`: then returns false and leaves `out` unchanged.
    bool Inverse(Matrix3& out, float tolerance = 1e-06f) const;
    //! The inverse, or ZERO when the matrix is singular within `tolerance`.
    Matrix3 Inverse(float tolerance = 1e-06f) const;

    //! Decomposes a rotation as Rz(yaw) * Ry(pitch) * Rx(roll), angles in
    //! radians, pitch within [-pi/2, pi/2]. Returns false at gimbal lock
    //! (pitch = +-pi/2), where only yaw - roll (or yaw + roll) is defined:
    //! roll is then set to 0 and yaw carries the whole angle.
    bool ToEulerAnglesZYX(float& yaw, float& pitch, float& roll) const;
    //! Builds Rz(yaw) * Ry(pitch) * Rx(roll).
    void FromEulerAnglesZYX(float yaw, float pitch, float roll);

private:
    float m_[9];
};

}  // namespace common
}  // namespace vexel
