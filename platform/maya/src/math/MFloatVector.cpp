#include <maya/MFloatVector.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

const MFloatVector MFloatVector::zero(0.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::one(1.0f, 1.0f, 1.0f);
const MFloatVector MFloatVector::xAxis(1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yAxis(0.0f, 1.0f, 0.0f);
const MFloatVector MFloatVector::zAxis(0.0f, 0.0f, 1.0f);
const MFloatVector MFloatVector::xNegAxis(-1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yNegAxis(0.0f, -1.0f, 0.0f);
const MFloatVector MFloatVector::zNegAxis(0.0f, 0.0f, -1.0f);

MFloatVector::MFloatVector(const MVector& src)
    : x(static_cast<float>(src.x)), y(static_cast<float>(src.y)), z(static_cast<float>(src.z)) {}
MFloatVector::MFloatVector(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z) {}
MFloatVector::MFloatVector(const MPoint& src)
    : x(static_cast<float>(src.x)), y(static_cast<float>(src.y)), z(static_cast<float>(src.z)) {}

MFloatVector& MFloatVector::operator/=(float scalar) {
    x /= scalar;
    y /= scalar;
    z /= scalar;
    return *this;
}

MFloatVector& MFloatVector::operator*=(float scalar) {
    x *= scalar;
    y *= scalar;
    z *= scalar;
    return *this;
}

MFloatVector& MFloatVector::operator+=(const MFloatVector& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

MFloatVector& MFloatVector::operator-=(const MFloatVector& other) {
    x -= other.x;
    y -= other.y;
    z -= other.z;
    return *this;
}

MFloatVector MFloatVector::operator*(const MFloatMatrix& m) const {
    return MFloatVector(x * m(0, 0) + y * m(1, 0) + z * m(2, 0),
                        x * m(0, 1) + y * m(1, 1) + z * m(2, 1),
                        x * m(0, 2) + y * m(1, 2) + z * m(2, 2));
}

MFloatVector& MFloatVector::operator*=(const MFloatMatrix& matrix) {
    return *this = *this * matrix;
}

MFloatVector operator*(const MFloatMatrix& m, const MFloatVector& v) {
    return MFloatVector(m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z,
                        m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
                        m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z);
}

MFloatVector operator*(int scalar, const MFloatVector& v) {
    return v * float(scalar);
}
MFloatVector operator*(short scalar, const MFloatVector& v) {
    return v * float(scalar);
}
MFloatVector operator*(unsigned int scalar, const MFloatVector& v) {
    return v * float(scalar);
}
MFloatVector operator*(unsigned short scalar, const MFloatVector& v) {
    return v * float(scalar);
}
MFloatVector operator*(float scalar, const MFloatVector& v) {
    return v * scalar;
}
MFloatVector operator*(double scalar, const MFloatVector& v) {
    return v * float(scalar);
}

MStatus MFloatVector::get(float dest[3]) const {
    if (!dest)
        return MStatus::kFailure;
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    return MStatus::kSuccess;
}

float MFloatVector::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

MFloatVector MFloatVector::normal() const {
    MFloatVector result(*this);
    result.normalize();
    return result;
}

MStatus MFloatVector::normalize() {
    const float lengthSquared = x * x + y * y + z * z;
    if (lengthSquared > 1e-20f)
        *this /= std::sqrt(lengthSquared);
    return MStatus::kSuccess;
}

float MFloatVector::angle(const MFloatVector& other) const {
    return static_cast<float>(MVector(*this).angle(MVector(other)));
}

bool MFloatVector::isEquivalent(const MFloatVector& other, float tolerance) const {
    const MFloatVector diff = *this - other;
    return diff * diff < tolerance * tolerance;
}

bool MFloatVector::isParallel(const MFloatVector& other, float tolerance) const {
    const MFloatVector cross = normal() ^ other.normal();
    return cross * cross < tolerance * tolerance;
}

MFloatVector MFloatVector::transformAsNormal(const MFloatMatrix& matrix) const {
    return (*this * matrix.inverse().transpose()).normal();
}

std::ostream& operator<<(std::ostream& os, const MFloatVector& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}
