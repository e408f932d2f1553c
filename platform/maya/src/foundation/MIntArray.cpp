#include <maya/MIntArray.h>

#include "ArrayOps.h"

namespace ops = mayasim::arrays;

MIntArray::MIntArray(const int src[], unsigned int count)
    : items_(ops::fromRange<int>(src, count)) {}
MIntArray::MIntArray(unsigned int initialSize, int initialValue)
    : items_(initialSize, initialValue) {}

MStatus MIntArray::set(int element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MIntArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MIntArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}
MStatus MIntArray::insert(int element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MIntArray::append(int element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MIntArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MIntArray::copy(const MIntArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MIntArray::get(int array[]) const {
    return ops::get(items_, array);
}

std::ostream& operator<<(std::ostream& out, const MIntArray& array) {
    return ops::print(out, array.items_);
}
