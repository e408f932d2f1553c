#include <maya/MVector.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include <maya/MEulerRotation.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>

#include "VectorOps.h"

namespace ops = mayasim::vectorops;

const MVector MVector::zero(0.0, 0.0, 0.0);
const MVector MVector::one(1.0, 1.0, 1.0);
const MVector MVector::xAxis(1.0, 0.0, 0.0);
const MVector MVector::yAxis(0.0, 1.0, 0.0);
const MVector MVector::zAxis(0.0, 0.0, 1.0);
const MVector MVector::xNegAxis(-1.0, 0.0, 0.0);
const MVector MVector::yNegAxis(0.0, -1.0, 0.0);
const MVector MVector::zNegAxis(0.0, 0.0, -1.0);

MVector::MVector(const MFloatVector& src) : x(src.x), y(src.y), z(src.z) {}
MVector::MVector(const MPoint& src) : x(src.x), y(src.y), z(src.z) {}
MVector::MVector(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z) {}

MVector& MVector::operator/=(double scalar) {
    return ops::divideBy(*this, scalar);
}

MVector& MVector::operator*=(double scalar) {
    return ops::scaleBy(*this, scalar);
}

MVector& MVector::operator+=(const MVector& other) {
    return ops::addTo(*this, other);
}

MVector& MVector::operator-=(const MVector& other) {
    return ops::subtractFrom(*this, other);
}

MVector MVector::operator*(const MMatrix& m) const {
    return ops::rowTimes3x3(*this, m);
}

MVector& MVector::operator*=(const MMatrix& matrix) {
    return *this = *this * matrix;
}

MVector operator*(const MMatrix& m, const MVector& v) {
    return ops::times3x3Column(m, v);
}

MVector operator*(int scalar, const MVector& v) {
    return v * double(scalar);
}
MVector operator*(short scalar, const MVector& v) {
    return v * double(scalar);
}
MVector operator*(unsigned int scalar, const MVector& v) {
    return v * double(scalar);
}
MVector operator*(unsigned short scalar, const MVector& v) {
    return v * double(scalar);
}
MVector operator*(float scalar, const MVector& v) {
    return v * double(scalar);
}
MVector operator*(double scalar, const MVector& v) {
    return v * scalar;
}

MVector MVector::rotateBy(double qx, double qy, double qz, double qw) const {
    return rotateBy(MQuaternion(qx, qy, qz, qw));
}

MVector MVector::rotateBy(const double rotXYZ[3],
                          MTransformationMatrix::RotationOrder order) const {
    const int eulerOrder = static_cast<int>(order) - 1;
    if (eulerOrder < MEulerRotation::kXYZ || eulerOrder > MEulerRotation::kZYX)
        return *this;
    return rotateBy(MEulerRotation(rotXYZ[0], rotXYZ[1], rotXYZ[2],
                                   static_cast<MEulerRotation::RotationOrder>(eulerOrder)));
}

MVector MVector::rotateBy(MVector::Axis axis, const double angle) const {
    switch (axis) {
        case kXaxis:
            return rotateBy(MQuaternion(angle, xAxis));
        case kYaxis:
            return rotateBy(MQuaternion(angle, yAxis));
        case kZaxis:
            return rotateBy(MQuaternion(angle, zAxis));
        default:
            return *this;
    }
}

MVector MVector::rotateBy(const MQuaternion& rotation) const {
    return *this * rotation.asMatrix();
}

MVector MVector::rotateBy(const MEulerRotation& rotation) const {
    return *this * rotation.asMatrix();
}

MQuaternion MVector::rotateTo(const MVector& target) const {
    return MQuaternion(*this, target);
}

MStatus MVector::get(double dest[3]) const {
    return ops::copyXyz(*this, dest);
}

double MVector::length() const {
    return ops::lengthOf(*this);
}

MVector MVector::normal() const {
    return ops::normalOf(*this);
}

MStatus MVector::normalize() {
    return ops::normalizeInPlace(*this);
}

double MVector::angle(const MVector& other) const {
    const double lengths = length() * other.length();
    if (lengths == 0.0)
        return 0.0;
    return std::acos(std::clamp((*this * other) / lengths, -1.0, 1.0));
}

bool MVector::isEquivalent(const MVector& other, double tolerance) const {
    return ops::shorterThan(*this - other, tolerance);
}

bool MVector::isParallel(const MVector& other, double tolerance) const {
    return ops::shorterThan(normal() ^ other.normal(), tolerance);
}

// Normals keep perpendicular to transformed surfaces through the inverse transpose.
MVector MVector::transformAsNormal(const MMatrix& matrix) const {
    return (*this * matrix.inverse().transpose()).normal();
}

std::ostream& operator<<(std::ostream& os, const MVector& v) {
    return ops::printXyz(os, v);
}
