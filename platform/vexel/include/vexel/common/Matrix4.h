// 4x4 single-precision affine or projective transform.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix3.h>
#include <vexel/common/Vector3.h>

#include <cstddef>

namespace vexel {
namespace common {

//! A 4x4 matrix of 16 floats, row-major: m[row][col], flat index 4 * row + col.
//! Vectors are columns (M * v), so the translation of a transform is the last
//! column: flat elements 3, 7 and 11. The upper-left 3x3 holds the rotation,
//! whose columns are the transformed x, y and z axes.
//!
//! Poses handed out by the tracker are such transforms: object (target) space
//! to tracker space, translation in metres.
class VXCOMMON_API Matrix4 {
public:
    static const Matrix4 IDENTITY;
    static const Matrix4 ZERO;

    //! The identity.
    Matrix4();
    Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13,
            float m20, float m21, float m22, float m23, float m30, float m31, float m32, float m33);
    //! From 16 floats, row-major.
    explicit Matrix4(const float* rowMajor);
    //! The rotation (or any 3x3 linear part) with zero translation.
    explicit Matrix4(const Matrix3& linear);
    //! The affine transform x -> linear * x + translation.
    Matrix4(const Matrix3& linear, const Vector3& translation);

    //! Row access: m[row][col].
    float* operator[](std::size_t row) { return m_ + 4 * row; }
    const float* operator[](std::size_t row) const { return m_ + 4 * row; }
    //! The sixteen elements, row by row.
    float* ptr() { return m_; }
    const float* ptr() const { return m_; }

    Matrix4 operator*(const Matrix4& rhs) const;
    //! Transforms a point (w = 1), dividing by the resulting w when it is not 1.
    Vector3 operator*(const Vector3& point) const;
    //! Exact element comparison.
    bool operator==(const Matrix4& rhs) const;
    bool operator!=(const Matrix4& rhs) const { return !(*this == rhs); }

    Matrix4 transpose() const;
    float determinant() const;
    //! The general 4x4 inverse; ZERO when the matrix is singular (determinant 0).
    Matrix4 inverse() const;

    //! The translation (elements 3, 7, 11).
    Vector3 getTrans() const { return {m_[3], m_[7], m_[11]}; }
    void setTrans(const Vector3& t);
    //! Copies the upper-left 3x3 part into `out`.
    void extract3x3Matrix(Matrix3& out) const;

private:
    float m_[16];
};

}  // namespace common
}  // namespace vexel
