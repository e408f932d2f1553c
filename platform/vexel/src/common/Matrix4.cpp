#include <vexel/common/Matrix4.h>

#include <algorithm>

namespace vexel {
namespace common {

const Matrix4 Matrix4::IDENTITY(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f,
                                0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
const Matrix4 Matrix4::ZERO(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                            0.0f, 0.0f, 0.0f, 0.0f);

Matrix4::Matrix4()
    : Matrix4(1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f,
              0.0f, 1.0f) {}

Matrix4::Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                 float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                 float m32, float m33)
    : m_{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}

Matrix4::Matrix4(const float* rowMajor) {
    std::copy(rowMajor, rowMajor + 16, m_);
}

Matrix4::Matrix4(const Matrix3& linear) : Matrix4(linear, Vector3::ZERO) {}

Matrix4::Matrix4(const Matrix3& linear, const Vector3& translation) : Matrix4() {
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            (*this)[r][c] = linear[r][c];
        }
    }
    setTrans(translation);
}

Matrix4 Matrix4::operator*(const Matrix4& rhs) const {
    Matrix4 product = ZERO;
    for (std::size_t r = 0; r < 4; ++r) {
        for (std::size_t c = 0; c < 4; ++c) {
            for (std::size_t k = 0; k < 4; ++k) {
                product[r][c] += (*this)[r][k] * rhs[k][c];
            }
        }
    }
    return product;
}

Vector3 Matrix4::operator*(const Vector3& point) const {
    Vector3 result;
    for (std::size_t r = 0; r < 3; ++r) {
        const float* row = (*this)[r];
        result[r] = row[0] * point.x + row[1] * point.y + row[2] * point.z + row[3];
    }
    const float* last = (*this)[3];
    const float w = last[0] * point.x + last[1] * point.y + last[2] * point.z + last[3];
    if (w != 1.0f && w != 0.0f) {
        result *= 1.0f / w;
    }
    return result;
}

bool Matrix4::operator==(const Matrix4& rhs) const {
    return std::equal(m_, m_ + 16, rhs.m_);
}

Matrix4 Matrix4::transpose() const {
    Matrix4 t;
    for (std::size_t r = 0; r < 4; ++r) {
        for (std::size_t c = 0; c < 4; ++c) {
            t[c][r] = (*this)[r][c];
        }
    }
    return t;
}

namespace {

// The 2x2 minors of the top two and bottom two rows, shared by the
// determinant and the inverse (Laplace expansion by complementary minors).
struct Minors {
    float s0, s1, s2, s3, s4, s5;
    float c0, c1, c2, c3, c4, c5;

    explicit Minors(const float* m)
        : s0(m[0] * m[5] - m[4] * m[1]),
          s1(m[0] * m[6] - m[4] * m[2]),
          s2(m[0] * m[7] - m[4] * m[3]),
          s3(m[1] * m[6] - m[5] * m[2]),
          s4(m[1] * m[7] - m[5] * m[3]),
          s5(m[2] * m[7] - m[6] * m[3]),
          c0(m[8] * m[13] - m[12] * m[9]),
          c1(m[8] * m[14] - m[12] * m[10]),
          c2(m[8] * m[15] - m[12] * m[11]),
          c3(m[9] * m[14] - m[13] * m[10]),
          c4(m[9] * m[15] - m[13] * m[11]),
          c5(m[10] * m[15] - m[14] * m[11]) {}

    float determinant() const { return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0; }
};

}  // namespace

float Matrix4::determinant() const {
    return Minors(m_).determinant();
}

Matrix4 Matrix4::inverse() const {
    const Minors k(m_);
    const float det = k.determinant();
    if (det == 0.0f) {
        return ZERO;
    }
    const float inv = 1.0f / det;
    const float* m = m_;
    return Matrix4((m[5] * k.c5 - m[6] * k.c4 + m[7] * k.c3) * inv,
                   (-m[1] * k.c5 + m[2] * k.c4 - m[3] * k.c3) * inv,
                   (m[13] * k.s5 - m[14] * k.s4 + m[15] * k.s3) * inv,
                   (-m[9] * k.s5 + m[10] * k.s4 - m[11] * k.s3) * inv,

                   (-m[4] * k.c5 + m[6] * k.c2 - m[7] * k.c1) * inv,
                   (m[0] * k.c5 - m[2] * k.c2 + m[3] * k.c1) * inv,
                   (-m[12] * k.s5 + m[14] * k.s2 - m[15] * k.s1) * inv,
                   (m[8] * k.s5 - m[10] * k.s2 + m[11] * k.s1) * inv,

                   (m[4] * k.c4 - m[5] * k.c2 + m[7] * k.c0) * inv,
                   (-m[0] * k.c4 + m[1] * k.c2 - m[3] * k.c0) * inv,
                   (m[12] * k.s4 - m[13] * k.s2 + m[15] * k.s0) * inv,
                   (-m[8] * k.s4 + m[9] * k.s2 - m[11] * k.s0) * inv,

                   (-m[4] * k.c3 + m[5] * k.c1 - m[6] * k.c0) * inv,
                   (m[0] * k.c3 - m[1] * k.c1 + m[2] * k.c0) * inv,
                   (-m[12] * k.s3 + m[13] * k.s1 - m[14] * k.s0) * inv,
                   (m[8] * k.s3 - m[9] * k.s1 + m[10] * k.s0) * inv);
}

void Matrix4::setTrans(const Vector3& t) {
    m_[3] = t.x;
    m_[7] = t.y;
    m_[11] = t.z;
}

void Matrix4::extract3x3Matrix(Matrix3& out) const {
    out = Matrix3(m_[0], m_[1], m_[2], m_[4], m_[5], m_[6], m_[8], m_[9], m_[10]);
}

}  // namespace common
}  // namespace vexel
