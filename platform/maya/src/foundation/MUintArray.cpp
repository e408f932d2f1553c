#include <maya/MUintArray.h>

#include "ArrayOps.h"

namespace ops = mayasim::arrays;

MUintArray::MUintArray(const unsigned int src[], unsigned int count)
    : items_(ops::fromRange<unsigned int>(src, count)) {}
MUintArray::MUintArray(unsigned int initialSize, unsigned int initialValue)
    : items_(initialSize, initialValue) {}

MStatus MUintArray::set(unsigned int element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MUintArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MUintArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}
MStatus MUintArray::insert(unsigned int element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MUintArray::append(unsigned int element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MUintArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MUintArray::copy(const MUintArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MUintArray::get(unsigned int array[]) const {
    return ops::get(items_, array);
}

std::ostream& operator<<(std::ostream& out, const MUintArray& array) {
    return ops::print(out, array.items_);
}
