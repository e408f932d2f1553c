#include <maya/MQuaternion.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

const MQuaternion MQuaternion::identity;

namespace {

constexpr double kPi = 3.14159265358979323846;

double dot(const MQuaternion& a, const MQuaternion& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

// Any unit vector perpendicular to v, for turning a vector onto its opposite.
MVector perpendicular(const MVector& v) {
    const MVector trial = std::fabs(v.x) < 0.9 ? MVector::xAxis : MVector::yAxis;
    return (v ^ trial).normal();
}

// The component-wise blend of two unit quaternions along the arc of angle theta between them.
MQuaternion blend(const MQuaternion& p, const MQuaternion& q, double t, double theta,
                  double totalAngle) {
    const double sinTheta = std::sin(theta);
    if (std::fabs(sinTheta) < 1e-9) {
        MQuaternion lerp = (1.0 - t) * p + t * q;
        return lerp.normalizeIt();
    }
    const double a = std::sin(theta - t * totalAngle) / sinTheta;
    const double b = std::sin(t * totalAngle) / sinTheta;
    return MQuaternion(a * p.x + b * q.x, a * p.y + b * q.y, a * p.z + b * q.z, a * p.w + b * q.w);
}

}  // namespace

MQuaternion::MQuaternion(const MVector& a, const MVector& b) : MQuaternion(a, b, 1.0) {}

MQuaternion::MQuaternion(const MVector& a, const MVector& b, double angleFactor) {
    const MVector from = a.normal();
    const MVector to = b.normal();
    MVector axis = from ^ to;
    const double sinAngle = axis.length();
    const double cosAngle = from * to;
    if (sinAngle < 1e-12) {
        if (cosAngle > 0.0)
            return;
        axis = perpendicular(from);
    }
    setAxisAngle(axis, std::atan2(sinAngle, cosAngle) * angleFactor);
}

MQuaternion::MQuaternion(double angle, const MVector& axis) {
    setAxisAngle(axis, angle);
}

MQuaternion& MQuaternion::operator=(const MMatrix& matrix) {
    // Rows are the rotated axes; normalising them strips any scale.
    MVector rows[3];
    for (int r = 0; r < 3; ++r)
        rows[r] = MVector(matrix[r][0], matrix[r][1], matrix[r][2]).normal();
    // c(i, j) is the column-vector rotation matrix, the transpose of Maya's.
    auto c = [&](int i, int j) { return rows[j][i]; };
    const double trace = c(0, 0) + c(1, 1) + c(2, 2);
    if (trace > 0.0) {
        const double s = 0.5 / std::sqrt(trace + 1.0);
        w = 0.25 / s;
        x = (c(2, 1) - c(1, 2)) * s;
        y = (c(0, 2) - c(2, 0)) * s;
        z = (c(1, 0) - c(0, 1)) * s;
    } else if (c(0, 0) > c(1, 1) && c(0, 0) > c(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + c(0, 0) - c(1, 1) - c(2, 2));
        w = (c(2, 1) - c(1, 2)) / s;
        x = 0.25 * s;
        y = (c(0, 1) + c(1, 0)) / s;
        z = (c(0, 2) + c(2, 0)) / s;
    } else if (c(1, 1) > c(2, 2)) {
        const double s = 2.0 * std::sqrt(1.0 + c(1, 1) - c(0, 0) - c(2, 2));
        w = (c(0, 2) - c(2, 0)) / s;
        x = (c(0, 1) + c(1, 0)) / s;
        y = 0.25 * s;
        z = (c(1, 2) + c(2, 1)) / s;
    } else {
        const double s = 2.0 * std::sqrt(1.0 + c(2, 2) - c(0, 0) - c(1, 1));
        w = (c(1, 0) - c(0, 1)) / s;
        x = (c(0, 2) + c(2, 0)) / s;
        y = (c(1, 2) + c(2, 1)) / s;
        z = 0.25 * s;
    }
    return *this;
}

MQuaternion& MQuaternion::operator=(const MEulerRotation& rotation) {
    return *this = rotation.asQuaternion();
}

MMatrix MQuaternion::asMatrix() const {
    const double norm = dot(*this, *this);
    const double s = norm > 0.0 ? 2.0 / norm : 0.0;
    const double xx = x * x * s, yy = y * y * s, zz = z * z * s;
    const double xy = x * y * s, xz = x * z * s, yz = y * z * s;
    const double wx = w * x * s, wy = w * y * s, wz = w * z * s;
    MMatrix m;
    m[0][0] = 1.0 - (yy + zz);
    m[0][1] = xy + wz;
    m[0][2] = xz - wy;
    m[1][0] = xy - wz;
    m[1][1] = 1.0 - (xx + zz);
    m[1][2] = yz + wx;
    m[2][0] = xz + wy;
    m[2][1] = yz - wx;
    m[2][2] = 1.0 - (xx + yy);
    return m;
}

MEulerRotation MQuaternion::asEulerRotation() const {
    return MEulerRotation::decompose(asMatrix(), MEulerRotation::kXYZ);
}

MQuaternion::operator MMatrix() const {
    return asMatrix();
}

MQuaternion& MQuaternion::setAxisAngle(const MVector& axis, double theta) {
    const double length = axis.length();
    if (length < 1e-12) {
        *this = identity;
        return *this;
    }
    const double s = std::sin(theta * 0.5) / length;
    x = axis.x * s;
    y = axis.y * s;
    z = axis.z * s;
    w = std::cos(theta * 0.5);
    return *this;
}

// The identity has no axis: theta comes back 0 and the axis is left as given (z if zero).
bool MQuaternion::getAxisAngle(MVector& axis, double& theta) const {
    const MQuaternion unit = normal();
    const double sinHalf = std::sqrt(unit.x * unit.x + unit.y * unit.y + unit.z * unit.z);
    theta = 2.0 * std::atan2(sinHalf, unit.w);
    if (sinHalf < 1e-12) {
        theta = 0.0;
        if (axis.length() == 0.0)
            axis = MVector::zAxis;
        return false;
    }
    axis = MVector(unit.x, unit.y, unit.z) / sinHalf;
    return true;
}

MQuaternion& MQuaternion::setToXAxis(double theta) {
    return setAxisAngle(MVector::xAxis, theta);
}

MQuaternion& MQuaternion::setToYAxis(double theta) {
    return setAxisAngle(MVector::yAxis, theta);
}

MQuaternion& MQuaternion::setToZAxis(double theta) {
    return setAxisAngle(MVector::zAxis, theta);
}

double MQuaternion::operator[](unsigned int i) const {
    switch (i) {
        case 0:
            return x;
        case 1:
            return y;
        case 2:
            return z;
        default:
            return w;
    }
}

double& MQuaternion::operator[](unsigned int i) {
    switch (i) {
        case 0:
            return x;
        case 1:
            return y;
        case 2:
            return z;
        default:
            return w;
    }
}

MStatus MQuaternion::get(double dest[4]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MStatus::kSuccess;
}

// Maya's a * b applies a first: the Hamilton product b * a.
MQuaternion MQuaternion::operator*(const MQuaternion& other) const {
    const MQuaternion& a = other;
    const MQuaternion& b = *this;
    return MQuaternion(a.w * b.x + b.w * a.x + (a.y * b.z - a.z * b.y),
                       a.w * b.y + b.w * a.y + (a.z * b.x - a.x * b.z),
                       a.w * b.z + b.w * a.z + (a.x * b.y - a.y * b.x),
                       a.w * b.w - (a.x * b.x + a.y * b.y + a.z * b.z));
}

MQuaternion& MQuaternion::operator*=(const MQuaternion& other) {
    return *this = *this * other;
}

MQuaternion MQuaternion::operator+(const MQuaternion& other) const {
    return MQuaternion(x + other.x, y + other.y, z + other.z, w + other.w);
}

MQuaternion MQuaternion::operator-(const MQuaternion& other) const {
    return MQuaternion(x - other.x, y - other.y, z - other.z, w - other.w);
}

MQuaternion& MQuaternion::negateIt() {
    return *this = -*this;
}

MQuaternion& MQuaternion::scaleIt(double scale) {
    x *= scale;
    y *= scale;
    z *= scale;
    w *= scale;
    return *this;
}

MQuaternion operator*(double scale, const MQuaternion& other) {
    MQuaternion result(other);
    return result.scaleIt(scale);
}

bool MQuaternion::isEquivalent(const MQuaternion& other, double tolerance) const {
    return std::fabs(x - other.x) <= tolerance && std::fabs(y - other.y) <= tolerance &&
           std::fabs(z - other.z) <= tolerance && std::fabs(w - other.w) <= tolerance;
}

MQuaternion MQuaternion::normal() const {
    MQuaternion result(*this);
    return result.normalizeIt();
}

MQuaternion& MQuaternion::normalizeIt() {
    const double length = std::sqrt(dot(*this, *this));
    if (length > 0.0)
        scaleIt(1.0 / length);
    return *this;
}

MQuaternion& MQuaternion::conjugateIt() {
    return *this = conjugate();
}

MQuaternion MQuaternion::inverse() const {
    const double norm = dot(*this, *this);
    if (norm == 0.0)
        return *this;
    return conjugate().scaleIt(1.0 / norm);
}

MQuaternion& MQuaternion::invertIt() {
    return *this = inverse();
}

MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t) {
    return slerp(p, q, t, 0);
}

// q and -q are the same rotation; flipping q when they point apart keeps to the shorter arc.
MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t, short spin) {
    const MQuaternion from = p.normal();
    MQuaternion to = q.normal();
    double cosTheta = dot(from, to);
    if (cosTheta < 0.0) {
        to.negateIt();
        cosTheta = -cosTheta;
    }
    const double theta = std::acos(std::min(cosTheta, 1.0));
    return blend(from, to, t, theta, theta + spin * kPi);
}

std::ostream& operator<<(std::ostream& os, const MQuaternion& q) {
    return os << "[" << q.x << ", " << q.y << ", " << q.z << ", " << q.w << "]";
}
