#include <maya/MCallbackIdArray.h>

#include "foundation/ArrayOps.h"

namespace ops = mayasim::arrays;

MCallbackIdArray::MCallbackIdArray(const MCallbackId src[], unsigned int count)
    : items_(ops::fromRange<MCallbackId>(src, count)) {}

MCallbackIdArray::MCallbackIdArray(unsigned int initialSize, MCallbackId initialValue)
    : items_(initialSize, initialValue) {}

MStatus MCallbackIdArray::set(MCallbackId element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MCallbackIdArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MCallbackIdArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MCallbackIdArray::insert(MCallbackId element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MCallbackIdArray::append(MCallbackId element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MCallbackIdArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MCallbackIdArray::copy(const MCallbackIdArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}
