#include <maya/MFloatArray.h>

#include <maya/MDoubleArray.h>

#include "ArrayOps.h"

namespace ops = mayasim::arrays;

MFloatArray::MFloatArray(const float src[], unsigned int count)
    : items_(ops::fromRange<float>(src, count)) {}
MFloatArray::MFloatArray(unsigned int initialSize, float initialValue)
    : items_(initialSize, initialValue) {}
MFloatArray::MFloatArray(const double src[], unsigned int count)
    : items_(ops::fromRange<float>(src, count)) {}

MFloatArray::MFloatArray(const MDoubleArray& other) {
    for (unsigned int i = 0; i < other.length(); ++i)
        items_.push_back(static_cast<float>(other[i]));
}

MStatus MFloatArray::set(float element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MFloatArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MFloatArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}
MStatus MFloatArray::insert(float element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MFloatArray::append(float element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MFloatArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MFloatArray::copy(const MFloatArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MFloatArray::get(float array[]) const {
    return ops::get(items_, array);
}

std::ostream& operator<<(std::ostream& out, const MFloatArray& array) {
    return ops::print(out, array.items_);
}
