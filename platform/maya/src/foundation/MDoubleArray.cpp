#include <maya/MDoubleArray.h>

#include <maya/MFloatArray.h>

#include "ArrayOps.h"

namespace ops = mayasim::arrays;

MDoubleArray::MDoubleArray(const double src[], unsigned int count)
    : items_(ops::fromRange<double>(src, count)) {}
MDoubleArray::MDoubleArray(unsigned int initialSize, double initialValue)
    : items_(initialSize, initialValue) {}
MDoubleArray::MDoubleArray(const float src[], unsigned int count)
    : items_(ops::fromRange<double>(src, count)) {}

MDoubleArray::MDoubleArray(const MFloatArray& other) {
    for (unsigned int i = 0; i < other.length(); ++i)
        items_.push_back(other[i]);
}

MStatus MDoubleArray::set(double element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MDoubleArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MDoubleArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}
MStatus MDoubleArray::insert(double element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MDoubleArray::append(double element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MDoubleArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MDoubleArray::copy(const MDoubleArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MDoubleArray::get(double array[]) const {
    return ops::get(items_, array);
}

std::ostream& operator<<(std::ostream& out, const MDoubleArray& array) {
    return ops::print(out, array.items_);
}
