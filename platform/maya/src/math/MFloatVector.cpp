#include <maya/MFloatVector.h>

#include <ostream>

#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "VectorOps.h"

namespace ops = mayasim::vectorops;

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
    return ops::divideBy(*this, scalar);
}

MFloatVector& MFloatVector::operator*=(float scalar) {
    return ops::scaleBy(*this, scalar);
}

MFloatVector& MFloatVector::operator+=(const MFloatVector& other) {
    return ops::addTo(*this, other);
}

MFloatVector& MFloatVector::operator-=(const MFloatVector& other) {
    return ops::subtractFrom(*this, other);
}

MFloatVector MFloatVector::operator*(const MFloatMatrix& m) const {
    return ops::rowTimes3x3(*this, m);
}

MFloatVector& MFloatVector::operator*=(const MFloatMatrix& matrix) {
    return *this = *this * matrix;
}

MFloatVector operator*(const MFloatMatrix& m, const MFloatVector& v) {
    return ops::times3x3Column(m, v);
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
    return ops::copyXyz(*this, dest);
}

float MFloatVector::length() const {
    return ops::lengthOf(*this);
}

MFloatVector MFloatVector::normal() const {
    return ops::normalOf(*this);
}

MStatus MFloatVector::normalize() {
    return ops::normalizeInPlace(*this);
}

float MFloatVector::angle(const MFloatVector& other) const {
    return static_cast<float>(MVector(*this).angle(MVector(other)));
}

bool MFloatVector::isEquivalent(const MFloatVector& other, float tolerance) const {
    return ops::shorterThan(*this - other, tolerance);
}

bool MFloatVector::isParallel(const MFloatVector& other, float tolerance) const {
    return ops::shorterThan(normal() ^ other.normal(), tolerance);
}

MFloatVector MFloatVector::transformAsNormal(const MFloatMatrix& matrix) const {
    return (*this * matrix.inverse().transpose()).normal();
}

std::ostream& operator<<(std::ostream& os, const MFloatVector& v) {
    return ops::printXyz(os, v);
}
