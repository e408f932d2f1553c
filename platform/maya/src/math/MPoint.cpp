#include <maya/MPoint.h>

#include <ostream>

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

const MPoint MPoint::origin;

namespace {

MPoint cartesian(const MPoint& p) {
    MPoint result(p);
    return result.cartesianize();
}

}  // namespace

MPoint::MPoint(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z), w(src.w) {}
MPoint::MPoint(const MVector& src) : x(src.x), y(src.y), z(src.z) {}
MPoint::MPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z) {}

MStatus MPoint::get(double dest[4]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MStatus::kSuccess;
}

MStatus MPoint::get(float dest[4]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = static_cast<float>(x);
    dest[1] = static_cast<float>(y);
    dest[2] = static_cast<float>(z);
    dest[3] = static_cast<float>(w);
    return MStatus::kSuccess;
}

double MPoint::operator()(unsigned int i) const {
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

double& MPoint::operator()(unsigned int i) {
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

MVector MPoint::operator-(const MPoint& other) const {
    const MPoint a = cartesian(*this);
    const MPoint b = cartesian(other);
    return MVector(a.x - b.x, a.y - b.y, a.z - b.z);
}

MPoint MPoint::operator+(const MVector& other) const {
    const MPoint a = cartesian(*this);
    return MPoint(a.x + other.x, a.y + other.y, a.z + other.z);
}

MPoint MPoint::operator-(const MVector& other) const {
    const MPoint a = cartesian(*this);
    return MPoint(a.x - other.x, a.y - other.y, a.z - other.z);
}

MPoint& MPoint::operator+=(const MVector& vector) {
    x += vector.x;
    y += vector.y;
    z += vector.z;
    return *this;
}

MPoint& MPoint::operator-=(const MVector& vector) {
    x -= vector.x;
    y -= vector.y;
    z -= vector.z;
    return *this;
}

MPoint MPoint::operator*(const MMatrix& m) const {
    return MPoint(x * m(0, 0) + y * m(1, 0) + z * m(2, 0) + w * m(3, 0),
                  x * m(0, 1) + y * m(1, 1) + z * m(2, 1) + w * m(3, 1),
                  x * m(0, 2) + y * m(1, 2) + z * m(2, 2) + w * m(3, 2),
                  x * m(0, 3) + y * m(1, 3) + z * m(2, 3) + w * m(3, 3));
}

MPoint& MPoint::operator*=(const MMatrix& matrix) {
    return *this = *this * matrix;
}

MPoint operator*(const MMatrix& m, const MPoint& p) {
    return MPoint(m(0, 0) * p.x + m(0, 1) * p.y + m(0, 2) * p.z + m(0, 3) * p.w,
                  m(1, 0) * p.x + m(1, 1) * p.y + m(1, 2) * p.z + m(1, 3) * p.w,
                  m(2, 0) * p.x + m(2, 1) * p.y + m(2, 2) * p.z + m(2, 3) * p.w,
                  m(3, 0) * p.x + m(3, 1) * p.y + m(3, 2) * p.z + m(3, 3) * p.w);
}

MPoint operator*(double scale, const MPoint& point) {
    return point * scale;
}

// A point at infinity (w == 0) has no cartesian form and is left unchanged.
MPoint& MPoint::cartesianize() {
    if (w != 0.0 && w != 1.0) {
        x /= w;
        y /= w;
        z /= w;
        w = 1.0;
    }
    return *this;
}

MPoint& MPoint::rationalize() {
    if (w != 0.0 && w != 1.0) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MPoint& MPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

double MPoint::distanceTo(const MPoint& other) const {
    return (*this - other).length();
}

bool MPoint::isEquivalent(const MPoint& other, double tolerance) const {
    const MVector diff = *this - other;
    return diff * diff < tolerance * tolerance;
}

std::ostream& operator<<(std::ostream& os, const MPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
