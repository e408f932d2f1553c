#include <maya/MFloatPointArray.h>

#include <ostream>

#include "../foundation/ArrayOps.h"
#include "VectorOps.h"

namespace ops = mayasim::arrays;
namespace vectorops = mayasim::vectorops;

MFloatPointArray::MFloatPointArray(const MFloatPoint src[], unsigned int count)
    : items_(ops::fromRange<MFloatPoint>(src, count)) {}
MFloatPointArray::MFloatPointArray(const double src[][4], unsigned int count)
    : items_(ops::fromRange<MFloatPoint>(src, count)) {}
MFloatPointArray::MFloatPointArray(const float src[][4], unsigned int count)
    : items_(ops::fromRange<MFloatPoint>(src, count)) {}
MFloatPointArray::MFloatPointArray(unsigned int initialSize, const MFloatPoint& initialValue)
    : items_(initialSize, initialValue) {}

MStatus MFloatPointArray::set(const MFloatPoint& element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MFloatPointArray::set(double element[4], unsigned int index) {
    return ops::set(items_, MFloatPoint(element), index);
}

MStatus MFloatPointArray::set(float element[4], unsigned int index) {
    return ops::set(items_, MFloatPoint(element), index);
}

MStatus MFloatPointArray::set(unsigned int index, float x, float y, float z, float w) {
    return ops::set(items_, MFloatPoint(x, y, z, w), index);
}

MStatus MFloatPointArray::append(float x, float y, float z, float w) {
    return append(MFloatPoint(x, y, z, w));
}

MStatus MFloatPointArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MFloatPointArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MFloatPointArray::insert(const MFloatPoint& element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MFloatPointArray::append(const MFloatPoint& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MFloatPointArray::copy(const MFloatPointArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MFloatPointArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MFloatPointArray::get(double dest[][4]) const {
    return vectorops::copyRows<4>(items_, dest);
}

MStatus MFloatPointArray::get(float dest[][4]) const {
    return vectorops::copyRows<4>(items_, dest);
}

std::ostream& operator<<(std::ostream& out, const MFloatPointArray& array) {
    return ops::print(out, array.items_);
}
