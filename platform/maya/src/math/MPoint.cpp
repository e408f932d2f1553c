#include <maya/MPoint.h>

#include <ostream>

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

#include "VectorOps.h"

namespace ops = mayasim::vectorops;

const MPoint MPoint::origin;

MPoint::MPoint(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z), w(src.w) {}
MPoint::MPoint(const MVector& src) : x(src.x), y(src.y), z(src.z) {}
MPoint::MPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z) {}

MStatus MPoint::get(double dest[4]) const {
    return ops::copyXyzw(*this, dest);
}

MStatus MPoint::get(float dest[4]) const {
    return ops::copyXyzw(*this, dest);
}

double MPoint::operator()(unsigned int i) const {
    return ops::componentOf(*this, i);
}

double& MPoint::operator()(unsigned int i) {
    return ops::componentOf(*this, i);
}

MVector MPoint::operator-(const MPoint& other) const {
    return ops::pointDifference<MVector>(*this, other);
}

MPoint MPoint::operator+(const MVector& other) const {
    return ops::pointPlus(*this, other);
}

MPoint MPoint::operator-(const MVector& other) const {
    return ops::pointMinus(*this, other);
}

MPoint& MPoint::operator+=(const MVector& vector) {
    return ops::addTo(*this, vector);
}

MPoint& MPoint::operator-=(const MVector& vector) {
    return ops::subtractFrom(*this, vector);
}

MPoint MPoint::operator*(const MMatrix& m) const {
    return ops::rowTimes4x4(*this, m);
}

MPoint& MPoint::operator*=(const MMatrix& matrix) {
    return *this = *this * matrix;
}

MPoint operator*(const MMatrix& m, const MPoint& p) {
    return ops::times4x4Column(m, p);
}

MPoint operator*(double scale, const MPoint& point) {
    return point * scale;
}

MPoint& MPoint::cartesianize() {
    return ops::cartesianizeInPlace(*this);
}

MPoint& MPoint::rationalize() {
    return ops::rationalizeInPlace(*this);
}

MPoint& MPoint::homogenize() {
    return ops::homogenizeInPlace(*this);
}

double MPoint::distanceTo(const MPoint& other) const {
    return (*this - other).length();
}

bool MPoint::isEquivalent(const MPoint& other, double tolerance) const {
    return ops::shorterThan(*this - other, tolerance);
}

std::ostream& operator<<(std::ostream& os, const MPoint& p) {
    return ops::printXyzw(os, p);
}
