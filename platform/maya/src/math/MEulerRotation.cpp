#include <maya/MEulerRotation.h>

#include <cmath>
#include <ostream>

#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

const MEulerRotation MEulerRotation::identity;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

struct AxisSequence {
    int first, second, third;
    bool odd;  // an odd permutation of x, y, z flips the signs of the extracted angles
};

AxisSequence axesOf(MEulerRotation::RotationOrder order) {
    switch (order) {
        case MEulerRotation::kYZX:
            return {1, 2, 0, false};
        case MEulerRotation::kZXY:
            return {2, 0, 1, false};
        case MEulerRotation::kXZY:
            return {0, 2, 1, true};
        case MEulerRotation::kYXZ:
            return {1, 0, 2, true};
        case MEulerRotation::kZYX:
            return {2, 1, 0, true};
        default:
            return {0, 1, 2, false};
    }
}

MEulerRotation::RotationOrder reversed(MEulerRotation::RotationOrder order) {
    switch (order) {
        case MEulerRotation::kYZX:
            return MEulerRotation::kXZY;
        case MEulerRotation::kZXY:
            return MEulerRotation::kYXZ;
        case MEulerRotation::kXZY:
            return MEulerRotation::kYZX;
        case MEulerRotation::kYXZ:
            return MEulerRotation::kZXY;
        case MEulerRotation::kZYX:
            return MEulerRotation::kXYZ;
        default:
            return MEulerRotation::kZYX;
    }
}

const MVector& axisVector(int axis) {
    return axis == 0 ? MVector::xAxis : (axis == 1 ? MVector::yAxis : MVector::zAxis);
}

double wrapNear(double angle, double target) {
    return angle + kTwoPi * std::round((target - angle) / kTwoPi);
}

double distance(const MEulerRotation& a, const MEulerRotation& b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

}  // namespace

MEulerRotation::MEulerRotation(const MVector& v, RotationOrder ord)
    : x(v.x), y(v.y), z(v.z), order(ord) {}

MEulerRotation& MEulerRotation::operator=(const MQuaternion& q) {
    return *this = decompose(q.asMatrix(), order);
}

MEulerRotation& MEulerRotation::operator=(const MMatrix& m) {
    return *this = decompose(m, order);
}

MEulerRotation& MEulerRotation::operator=(const MVector& v) {
    x = v.x;
    y = v.y;
    z = v.z;
    return *this;
}

MEulerRotation& MEulerRotation::setValue(const MVector& v, RotationOrder ord) {
    return setValue(v.x, v.y, v.z, ord);
}

MEulerRotation& MEulerRotation::setValue(double xx, double yy, double zz, RotationOrder ord) {
    x = xx;
    y = yy;
    z = zz;
    order = ord;
    return *this;
}

MQuaternion MEulerRotation::asQuaternion() const {
    const AxisSequence axes = axesOf(order);
    return MQuaternion((*this)[axes.first], axisVector(axes.first)) *
           MQuaternion((*this)[axes.second], axisVector(axes.second)) *
           MQuaternion((*this)[axes.third], axisVector(axes.third));
}

MMatrix MEulerRotation::asMatrix() const {
    return asQuaternion().asMatrix();
}

MVector MEulerRotation::asVector() const {
    return MVector(x, y, z);
}

MEulerRotation MEulerRotation::operator+(const MEulerRotation& other) const {
    MEulerRotation result(*this);
    return result += other;
}

MEulerRotation& MEulerRotation::operator+=(const MEulerRotation& other) {
    const MEulerRotation rhs = other.order == order ? other : other.reorder(order);
    x += rhs.x;
    y += rhs.y;
    z += rhs.z;
    return *this;
}

MEulerRotation MEulerRotation::operator-(const MEulerRotation& other) const {
    MEulerRotation result(*this);
    return result -= other;
}

MEulerRotation& MEulerRotation::operator-=(const MEulerRotation& other) {
    return *this += -other;
}

MEulerRotation MEulerRotation::operator*(const MEulerRotation& other) const {
    return *this * other.asQuaternion();
}

MEulerRotation MEulerRotation::operator*(const MQuaternion& other) const {
    return decompose((asQuaternion() * other).asMatrix(), order).closestSolution(*this);
}

MEulerRotation MEulerRotation::operator*(double scale) const {
    return MEulerRotation(x * scale, y * scale, z * scale, order);
}

MEulerRotation& MEulerRotation::operator*=(const MEulerRotation& other) {
    return *this = *this * other;
}

MEulerRotation& MEulerRotation::operator*=(const MQuaternion& other) {
    return *this = *this * other;
}

MEulerRotation& MEulerRotation::operator*=(double scale) {
    return *this = *this * scale;
}

MEulerRotation operator*(double scale, const MEulerRotation& other) {
    return other * scale;
}

bool MEulerRotation::operator==(const MEulerRotation& other) const {
    return x == other.x && y == other.y && z == other.z && order == other.order;
}

bool MEulerRotation::isEquivalent(const MEulerRotation& other, double tolerance) const {
    const MEulerRotation rhs = other.order == order ? other : other.reorder(order);
    return std::fabs(x - rhs.x) <= tolerance && std::fabs(y - rhs.y) <= tolerance &&
           std::fabs(z - rhs.z) <= tolerance;
}

bool MEulerRotation::isZero(double tolerance) const {
    return std::fabs(x) <= tolerance && std::fabs(y) <= tolerance && std::fabs(z) <= tolerance;
}

MEulerRotation& MEulerRotation::incrementalRotateBy(const MVector& axis, double angle) {
    return *this *= MQuaternion(angle, axis);
}

MEulerRotation MEulerRotation::inverse() const {
    return MEulerRotation(-x, -y, -z, reversed(order));
}

MEulerRotation& MEulerRotation::invertIt() {
    return *this = inverse();
}

MEulerRotation MEulerRotation::reorder(RotationOrder ord) const {
    return decompose(asMatrix(), ord);
}

MEulerRotation& MEulerRotation::reorderIt(RotationOrder ord) {
    return *this = reorder(ord);
}

MEulerRotation MEulerRotation::bound() const {
    return MEulerRotation(std::remainder(x, kTwoPi), std::remainder(y, kTwoPi),
                          std::remainder(z, kTwoPi), order);
}

MEulerRotation& MEulerRotation::boundIt() {
    return *this = bound();
}

MEulerRotation& MEulerRotation::boundIt(const MEulerRotation& src) {
    return *this = src.bound();
}

MEulerRotation MEulerRotation::bound(const MEulerRotation& src) {
    return src.bound();
}

// R1(a) R2(b) R3(c) == R1(a + pi) R2(pi - b) R3(c + pi) for any three distinct axes.
MEulerRotation MEulerRotation::alternateSolution() const {
    const AxisSequence axes = axesOf(order);
    MEulerRotation result(*this);
    result[axes.first] += kPi;
    result[axes.second] = kPi - result[axes.second];
    result[axes.third] += kPi;
    return result;
}

MEulerRotation& MEulerRotation::setToAlternateSolution() {
    return *this = alternateSolution();
}

MEulerRotation& MEulerRotation::setToAlternateSolution(const MEulerRotation& src) {
    return *this = src.alternateSolution();
}

MEulerRotation MEulerRotation::alternateSolution(const MEulerRotation& src) {
    return src.alternateSolution();
}

MEulerRotation MEulerRotation::closestCut(const MEulerRotation& dst) const {
    const MEulerRotation target = dst.order == order ? dst : dst.reorder(order);
    return MEulerRotation(wrapNear(x, target.x), wrapNear(y, target.y), wrapNear(z, target.z),
                          order);
}

MEulerRotation& MEulerRotation::setToClosestCut(const MEulerRotation& dst) {
    return *this = closestCut(dst);
}

MEulerRotation& MEulerRotation::setToClosestCut(const MEulerRotation& src,
                                                const MEulerRotation& dst) {
    return *this = src.closestCut(dst);
}

MEulerRotation MEulerRotation::closestCut(const MEulerRotation& src, const MEulerRotation& dst) {
    return src.closestCut(dst);
}

MEulerRotation MEulerRotation::closestSolution(const MEulerRotation& dst) const {
    const MEulerRotation target = dst.order == order ? dst : dst.reorder(order);
    const MEulerRotation direct = closestCut(target);
    const MEulerRotation alternate = alternateSolution().closestCut(target);
    return distance(alternate, target) < distance(direct, target) ? alternate : direct;
}

MEulerRotation& MEulerRotation::setToClosestSolution(const MEulerRotation& dst) {
    return *this = closestSolution(dst);
}

MEulerRotation& MEulerRotation::setToClosestSolution(const MEulerRotation& src,
                                                     const MEulerRotation& dst) {
    return *this = src.closestSolution(dst);
}

MEulerRotation MEulerRotation::closestSolution(const MEulerRotation& src,
                                               const MEulerRotation& dst) {
    return src.closestSolution(dst);
}

// Works on the column-vector form C = M^T = R3(c) R2(b) R1(a); the middle angle comes out in
// [-pi/2, pi/2]. In gimbal lock the third angle is set to zero and the first takes it all.
MEulerRotation MEulerRotation::decompose(const MMatrix& matrix, RotationOrder ord) {
    MVector rows[3];
    for (int r = 0; r < 3; ++r)
        rows[r] = MVector(matrix[r][0], matrix[r][1], matrix[r][2]).normal();
    auto c = [&](int i, int j) { return rows[j][i]; };

    const AxisSequence axes = axesOf(ord);
    const int i = axes.first, j = axes.second, k = axes.third;
    const double sign = axes.odd ? -1.0 : 1.0;
    double a, b, cAngle;
    const double cosB = std::sqrt(c(i, i) * c(i, i) + c(j, i) * c(j, i));
    if (cosB > 1e-12) {
        a = std::atan2(sign * c(k, j), c(k, k));
        b = std::atan2(-sign * c(k, i), cosB);
        cAngle = std::atan2(sign * c(j, i), c(i, i));
    } else {
        a = std::atan2(-sign * c(j, k), c(j, j));
        b = std::atan2(-sign * c(k, i), cosB);
        cAngle = 0.0;
    }
    MEulerRotation result(0.0, 0.0, 0.0, ord);
    result[i] = a;
    result[j] = b;
    result[k] = cAngle;
    return result;
}

std::ostream& operator<<(std::ostream& os, const MEulerRotation& rotation) {
    return os << "[" << rotation.x << ", " << rotation.y << ", " << rotation.z << "]";
}
