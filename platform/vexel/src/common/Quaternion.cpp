#include <vexel/common/Quaternion.h>

#include <cmath>

namespace vexel {
namespace common {

const Quaternion Quaternion::IDENTITY(1.0f, 0.0f, 0.0f, 0.0f);
const Quaternion Quaternion::ZERO(0.0f, 0.0f, 0.0f, 0.0f);

void Quaternion::FromRotationMatrix(const Matrix3& r) {
    // Shoemake: take the square root of the largest of w, x, y, z for accuracy.
    const float trace = r[0][0] + r[1][1] + r[2][2];
    if (trace > 0.0f) {
        const float root = std::sqrt(trace + 1.0f);
        w = 0.5f * root;
        const float k = 0.5f / root;
        x = (r[2][1] - r[1][2]) * k;
        y = (r[0][2] - r[2][0]) * k;
        z = (r[1][0] - r[0][1]) * k;
        return;
    }
    std::size_t i = 0;
    if (r[1][1] > r[0][0]) {
        i = 1;
    }
    if (r[2][2] > r[i][i]) {
        i = 2;
    }
    const std::size_t j = (i + 1) % 3;
    const std::size_t k = (j + 1) % 3;
    const float root = std::sqrt(r[i][i] - r[j][j] - r[k][k] + 1.0f);
    float* axis[3] = {&x, &y, &z};
    *axis[i] = 0.5f * root;
    const float scale = 0.5f / root;
    w = (r[k][j] - r[j][k]) * scale;
    *axis[j] = (r[j][i] + r[i][j]) * scale;
    *axis[k] = (r[k][i] + r[i][k]) * scale;
}

void Quaternion::ToRotationMatrix(Matrix3& r) const {
    const float tx = x + x, ty = y + y, tz = z + z;
    const float twx = tx * w, twy = ty * w, twz = tz * w;
    const float txx = tx * x, txy = ty * x, txz = tz * x;
    const float tyy = ty * y, tyz = tz * y, tzz = tz * z;
    r = Matrix3(1.0f - (tyy + tzz), txy - twz, txz + twy, txy + twz, 1.0f - (txx + tzz), tyz - twx,
                txz - twy, tyz + twx, 1.0f - (txx + tyy));
}

void Quaternion::FromAngleAxis(float radians, const Vector3& axis) {
    const Vector3 unit = axis.normalisedCopy();
    const float half = 0.5f * radians;
    const float s = std::sin(half);
    w = std::cos(half);
    x = s * unit.x;
    y = s * unit.y;
    z = s * unit.z;
}

Quaternion Quaternion::operator+(const Quaternion& q) const {
    return {w + q.w, x + q.x, y + q.y, z + q.z};
}

Quaternion Quaternion::operator-(const Quaternion& q) const {
    return {w - q.w, x - q.x, y - q.y, z - q.z};
}

Quaternion Quaternion::operator*(float s) const {
    return {w * s, x * s, y * s, z * s};
}

Quaternion Quaternion::operator*(const Quaternion& q) const {
    return {w * q.w - x * q.x - y * q.y - z * q.z, w * q.x + x * q.w + y * q.z - z * q.y,
            w * q.y + y * q.w + z * q.x - x * q.z, w * q.z + z * q.w + x * q.y - y * q.x};
}

Vector3 Quaternion::operator*(const Vector3& v) const {
    // v' = v + 2w (q x v) + 2 q x (q x v), with q the vector part.
    const Vector3 axis(x, y, z);
    const Vector3 uv = axis.crossProduct(v);
    const Vector3 uuv = axis.crossProduct(uv);
    return v + (uv * w + uuv) * 2.0f;
}

bool Quaternion::operator==(const Quaternion& q) const {
    return w == q.w && x == q.x && y == q.y && z == q.z;
}

float Quaternion::Dot(const Quaternion& q) const {
    return w * q.w + x * q.x + y * q.y + z * q.z;
}

float Quaternion::Norm() const {
    return Dot(*this);
}

float Quaternion::normalise() {
    const float len = std::sqrt(Norm());
    if (len > 0.0f) {
        *this = *this * (1.0f / len);
    }
    return len;
}

Quaternion Quaternion::Inverse() const {
    const float norm = Norm();
    if (norm <= 0.0f) {
        return ZERO;
    }
    const float inv = 1.0f / norm;
    return {w * inv, -x * inv, -y * inv, -z * inv};
}

Quaternion Quaternion::Slerp(float t, const Quaternion& p, const Quaternion& q, bool shortestPath) {
    constexpr float kNearlyParallel = 1.0f - 1e-4f;
    float cosAngle = p.Dot(q);
    Quaternion target = q;
    if (shortestPath && cosAngle < 0.0f) {
        cosAngle = -cosAngle;
        target = -q;
    }
    if (cosAngle > kNearlyParallel) {
        // The arc is too short for the sine ratio; a linear blend is as good.
        Quaternion blend = p * (1.0f - t) + target * t;
        blend.normalise();
        return blend;
    }
    if (cosAngle < -kNearlyParallel) {
        // q = -p: every great arc between them is as long, so go through a
        // quaternion perpendicular to p.
        const Quaternion perpendicular(-p.x, p.w, -p.z, p.y);
        const float angle = std::acos(-1.0f) * t;
        return p * std::cos(angle) + perpendicular * std::sin(angle);
    }
    const float angle = std::acos(cosAngle);
    const float invSin = 1.0f / std::sin(angle);
    return p * (std::sin((1.0f - t) * angle) * invSin) + target * (std::sin(t * angle) * invSin);
}

}  // namespace common
}  // namespace vexel
