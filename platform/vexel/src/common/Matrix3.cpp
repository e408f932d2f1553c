#include <vexel/common/Matrix3.h>

#include <algorithm>
#include <cmath>

namespace vexel {
namespace common {

const Matrix3 Matrix3::IDENTITY(1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f);
const Matrix3 Matrix3::ZERO(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);

Matrix3::Matrix3() : Matrix3(1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f) {}

Matrix3::Matrix3(float m00, float m01, float m02, float m10, float m11, float m12, float m20,
                 float m21, float m22)
    : m_{m00, m01, m02, m10, m11, m12, m20, m21, m22} {}

Vector3 Matrix3::GetColumn(std::size_t col) const {
    return {m_[col], m_[3 + col], m_[6 + col]};
}

void Matrix3::SetColumn(std::size_t col, const Vector3& v) {
    m_[col] = v.x;
    m_[3 + col] = v.y;
    m_[6 + col] = v.z;
}

Matrix3 Matrix3::operator*(const Matrix3& rhs) const {
    Matrix3 product = ZERO;
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            for (std::size_t k = 0; k < 3; ++k) {
                product[r][c] += (*this)[r][k] * rhs[k][c];
            }
        }
    }
    return product;
}

Vector3 Matrix3::operator*(const Vector3& v) const {
    return {m_[0] * v.x + m_[1] * v.y + m_[2] * v.z, m_[3] * v.x + m_[4] * v.y + m_[5] * v.z,
            m_[6] * v.x + m_[7] * v.y + m_[8] * v.z};
}

bool Matrix3::operator==(const Matrix3& rhs) const {
    return std::equal(m_, m_ + 9, rhs.m_);
}

Matrix3 Matrix3::Transpose() const {
    return {m_[0], m_[3], m_[6], m_[1], m_[4], m_[7], m_[2], m_[5], m_[8]};
}

float Matrix3::Determinant() const {
    return m_[0] * (m_[4] * m_[8] - m_[5] * m_[7]) - m_[1] * (m_[3] * m_[8] - m_[5] * m_[6]) +
           m_[2] * (m_[3] * m_[7] - m_[4] * m_[6]);
}

bool Matrix3::Inverse(Matrix3& out, float tolerance) const {
    // Adjugate over determinant; the cofactors double as the determinant terms.
    const float c00 = m_[4] * m_[8] - m_[5] * m_[7];
    const float c10 = m_[5] * m_[6] - m_[3] * m_[8];
    const float c20 = m_[3] * m_[7] - m_[4] * m_[6];
    const float det = m_[0] * c00 + m_[1] * c10 + m_[2] * c20;
    if (std::fabs(det) <= tolerance) {
        return false;
    }
    const float inv = 1.0f / det;
    out = Matrix3(
        c00 * inv, (m_[2] * m_[7] - m_[1] * m_[8]) * inv, (m_[1] * m_[5] - m_[2] * m_[4]) * inv,
        c10 * inv, (m_[0] * m_[8] - m_[2] * m_[6]) * inv, (m_[2] * m_[3] - m_[0] * m_[5]) * inv,
        c20 * inv, (m_[1] * m_[6] - m_[0] * m_[7]) * inv, (m_[0] * m_[4] - m_[1] * m_[3]) * inv);
    return true;
}

Matrix3 Matrix3::Inverse(float tolerance) const {
    Matrix3 out = ZERO;
    Inverse(out, tolerance);
    return out;
}

// Rz(yaw) * Ry(pitch) * Rx(roll) =
//   | cy*cz   cz*sy*sx - sz*cx   cz*sy*cx + sz*sx |
//   | cy*sz   sz*sy*sx + cz*cx   sz*sy*cx - cz*sx |
//   | -sy     cy*sx              cy*cx            |
bool Matrix3::ToEulerAnglesZYX(float& yaw, float& pitch, float& roll) const {
    const float sinPitch = std::clamp(-m_[6], -1.0f, 1.0f);
    pitch = std::asin(sinPitch);
    if (std::fabs(sinPitch) < 1.0f - 1e-6f) {
        yaw = std::atan2(m_[3], m_[0]);
        roll = std::atan2(m_[7], m_[8]);
        return true;
    }
    // Gimbal lock: the first row only holds yaw - roll (pitch +90) or yaw + roll
    // (pitch -90); give it all to yaw.
    roll = 0.0f;
    yaw = sinPitch > 0.0f ? std::atan2(-m_[1], m_[2]) : std::atan2(-m_[1], -m_[2]);
    return false;
}

void Matrix3::FromEulerAnglesZYX(float yaw, float pitch, float roll) {
    const float cz = std::cos(yaw), sz = std::sin(yaw);
    const float cy = std::cos(pitch), sy = std::sin(pitch);
    const float cx = std::cos(roll), sx = std::sin(roll);
    *this = Matrix3(cy * cz, cz * sy * sx - sz * cx, cz * sy * cx + sz * sx, cy * sz,
                    sz * sy * sx + cz * cx, sz * sy * cx - cz * sx, -sy, cy * sx, cy * cx);
}

}  // namespace common
}  // namespace vexel
