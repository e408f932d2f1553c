#include <maya/MFloatPoint.h>

#include <ostream>

#include <maya/MFloatMatrix.h>
#include <maya/MFloatVector.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "VectorOps.h"

namespace ops = mayasim::vectorops;

const MFloatPoint MFloatPoint::origin;

namespace {

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

MStatus MFloatPoint::get(double dest[4]) const {
    return ops::copyXyzw(*this, dest);
}

MStatus MFloatPoint::get(float dest[4]) const {
    return ops::copyXyzw(*this, dest);
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
    return ops::componentOf(*this, i);
}

float& MFloatPoint::operator()(unsigned int i) {
    return ops::componentOf(*this, i);
}

MFloatVector MFloatPoint::operator-(const MFloatPoint& other) const {
    return ops::pointDifference<MFloatVector>(*this, other);
}

MFloatPoint MFloatPoint::operator+(const MFloatVector& other) const {
    return ops::pointPlus(*this, other);
}

MFloatPoint MFloatPoint::operator-(const MFloatVector& other) const {
    return ops::pointMinus(*this, other);
}

MFloatPoint& MFloatPoint::operator+=(const MFloatVector& vector) {
    return ops::addTo(*this, vector);
}

MFloatPoint& MFloatPoint::operator-=(const MFloatVector& vector) {
    return ops::subtractFrom(*this, vector);
}

MFloatPoint MFloatPoint::operator*(const MFloatMatrix& m) const {
    return ops::rowTimes4x4(*this, m);
}

MFloatPoint& MFloatPoint::operator*=(const MFloatMatrix& matrix) {
    return *this = *this * matrix;
}

MFloatPoint operator*(const MFloatMatrix& m, const MFloatPoint& p) {
    return ops::times4x4Column(m, p);
}

MFloatPoint operator*(float scale, const MFloatPoint& point) {
    return point * scale;
}

MFloatPoint& MFloatPoint::cartesianize() {
    return ops::cartesianizeInPlace(*this);
}

MFloatPoint& MFloatPoint::rationalize() {
    return ops::rationalizeInPlace(*this);
}

MFloatPoint& MFloatPoint::homogenize() {
    return ops::homogenizeInPlace(*this);
}

float MFloatPoint::distanceTo(const MFloatPoint& other) const {
    return (*this - other).length();
}

bool MFloatPoint::isEquivalent(const MFloatPoint& other, float tolerance) const {
    return ops::shorterThan(*this - other, tolerance);
}

std::ostream& operator<<(std::ostream& os, const MFloatPoint& p) {
    return ops::printXyzw(os, p);
}
