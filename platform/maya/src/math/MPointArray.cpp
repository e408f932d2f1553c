#include <maya/MPointArray.h>

#include <ostream>

#include "../foundation/ArrayOps.h"
#include "VectorOps.h"

namespace ops = mayasim::arrays;
namespace vectorops = mayasim::vectorops;

MPointArray::MPointArray(const MPoint src[], unsigned int count)
    : items_(ops::fromRange<MPoint>(src, count)) {}
MPointArray::MPointArray(const double src[][4], unsigned int count)
    : items_(ops::fromRange<MPoint>(src, count)) {}
MPointArray::MPointArray(const float src[][4], unsigned int count)
    : items_(ops::fromRange<MPoint>(src, count)) {}
MPointArray::MPointArray(unsigned int initialSize, const MPoint& initialValue)
    : items_(initialSize, initialValue) {}

MStatus MPointArray::set(const MPoint& element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MPointArray::set(double element[4], unsigned int index) {
    return ops::set(items_, MPoint(element), index);
}

MStatus MPointArray::set(float element[4], unsigned int index) {
    return ops::set(items_, MPoint(element), index);
}

MStatus MPointArray::set(unsigned int index, double x, double y, double z, double w) {
    return ops::set(items_, MPoint(x, y, z, w), index);
}

MStatus MPointArray::append(double x, double y, double z, double w) {
    return append(MPoint(x, y, z, w));
}

MStatus MPointArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MPointArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MPointArray::insert(const MPoint& element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MPointArray::append(const MPoint& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MPointArray::copy(const MPointArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MPointArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MPointArray::get(double dest[][4]) const {
    return vectorops::copyRows<4>(items_, dest);
}

MStatus MPointArray::get(float dest[][4]) const {
    return vectorops::copyRows<4>(items_, dest);
}

std::ostream& operator<<(std::ostream& out, const MPointArray& array) {
    return ops::print(out, array.items_);
}
