#include <maya/MStringArray.h>

#include "ArrayOps.h"

namespace ops = mayasim::arrays;

MStringArray::MStringArray(const MString* strings, unsigned int count)
    : items_(ops::fromRange<MString>(strings, count)) {}

MStringArray::MStringArray(const char* strings[], unsigned int count)
    : items_(ops::fromRange<MString>(strings, count)) {}

MStringArray::MStringArray(unsigned int initialSize, const MString& initialValue)
    : items_(initialSize, initialValue) {}

MStatus MStringArray::set(const MString& element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MStringArray::set(const char* element, unsigned int index) {
    return ops::set(items_, MString(element), index);
}

MStatus MStringArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MStringArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MStringArray::insert(const MString& element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MStringArray::append(const MString& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MStringArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MStringArray::get(MString array[]) const {
    return ops::get(items_, array);
}

std::ostream& operator<<(std::ostream& out, const MStringArray& array) {
    return ops::print(out, array.items_);
}
