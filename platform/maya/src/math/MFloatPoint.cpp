#include <maya/MFloatPoint.h>

#include <ostream>

#include <maya/MFloatMatrix.h>
#include <maya/MFloatVector.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

const MFloatPoint MFloatPoint::origin;

namespace {

MFloatPoint cartesian(const MFloatPoint& p) {
    MFloatPoint result(p);
    return result.cartesianize();
}

float narrow(double value) {
    return static_cast<float>(value);
}

}  // namespace

MFloatPoint::MFloatPoint(const MPoint& src)
    : x(narrow(src.x)), y(narrow(src.y)), z(narrow(src.z)), w(narrow(src.w)) {}
MFloatPoint::MFloatPoint(const MVector& src)
    : x(narrow(src.x)), y(narrow(src.y)), z(narrow(src.z)) {}
MFloatPoint::MFloatPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z) {}
MFloatPoint::MFloatPoint(const double d[4])
    : x(narrow(d[0])), y(narrow(d[1])), z(narrow(d[2])), w(narrow(d[3])) {}

MStatus MFloatPoint::get(float dest[4]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MStatus::kSuccess;
}

MStatus MFloatPoint::get(double dest[4]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MStatus::kSuccess;
}

MStatus MFloatPoint::setCast(const MPoint& src) {
    *this = MFloatPoint(src);
    return MStatus::kSuccess;
}

MStatus MFloatPoint::setCast(const MVector& src) {
    *this = MFloatPoint(src);
    return MStatus::kSuccess;
}

float MFloatPoint::operator()(unsigned int i) const {
    switch (i) {
        case 1:
            return y;
        case 2:
            return z;
        case 3:
            return w;
        default:
            return x;
    }
}

float& MFloatPoint::operator()(unsigned int i) {
    switch (i) {
        case 1:
            return y;
        case 2:
            return z;
        case 3:
            return w;
        default:
            return x;
    }
}

MFloatVector MFloatPoint::operator-(const MFloatPoint& other) const {
    const MFloatPoint a = cartesian(*this);
    const MFloatPoint b = cartesian(other);
    return MFloatVector(a.x - b.x, a.y - b.y, a.z - b.z);
}

MFloatPoint MFloatPoint::operator+(const MFloatVector& other) const {
    const MFloatPoint a = cartesian(*this);
    return MFloatPoint(a.x + other.x, a.y + other.y, a.z + other.z);
}

MFloatPoint MFloatPoint::operator-(const MFloatVector& other) const {
    const MFloatPoint a = cartesian(*this);
    return MFloatPoint(a.x - other.x, a.y - other.y, a.z - other.z);
}

MFloatPoint& MFloatPoint::operator+=(const MFloatVector& vector) {
    x += vector.x;
    y += vector.y;
    z += vector.z;
    return *this;
}

MFloatPoint& MFloatPoint::operator-=(const MFloatVector& vector) {
    x -= vector.x;
    y -= vector.y;
    z -= vector.z;
    return *this;
}

MFloatPoint MFloatPoint::operator*(const MFloatMatrix& m) const {
    return MFloatPoint(x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + w * m(3, 0),
                       x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + w * m(3, 1),
                       x * m(0, 2) + y * m(1, 2) + z * m(2, 2) + w * m(3, 2),
                       x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + w * m(3, 3));
}

MFloatPoint& MFloatPoint::operator*=(const MFloatMatrix& matrix) {
    return *this = *this * matrix;
}

MFloatPoint operator*(const MFloatMatrix& m, const MFloatPoint& p) {
    return MFloatPoint(m(0, 0) * p.x + m(0, 1) * p.y + m(0, 2) * p.z + m(0, 3) * p.w,
                       m(1, 0) * p.x + m(1, 1) * p.y + m(1, 2) * p.z + m(1, 3) * p.w,
                       m(2, 0) * p.x + m(2, 1) * p.y + m(2, 2) * p.z + m(2, 3) * p.w,
                       m(3, 0) * p.x + m(3, 1) * p.y + m(3, 2) * p.z + m(3, 3) * p.w);
}

MFloatPoint operator*(float scale, const MFloatPoint& point) {
    return point * scale;
}

MFloatPoint& MFloatPoint::cartesianize() {
    if (w != 0.0f && w != 1.0f) {
        x /= w;
        y /= w;
        z /= w;
        w = 1.0f;
    }
    return *this;
}

MFloatPoint& MFloatPoint::rationalize() {
    if (w != 0.0f && w != 1.0f) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MFloatPoint& MFloatPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

float MFloatPoint::distanceTo(const MFloatPoint& other) const {
    return (*this - other).length();
}

bool MFloatPoint::isEquivalent(const MFloatPoint& other, float tolerance) const {
    const MFloatVector diff = *this - other;
    return diff * diff < tolerance * tolerance;
}

std::ostream& operator<<(std::ostream& os, const MFloatPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
