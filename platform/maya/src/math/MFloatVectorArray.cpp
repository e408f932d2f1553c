#include <maya/MFloatVectorArray.h>

#include <ostream>

#include "../foundation/ArrayOps.h"
#include "VectorOps.h"

namespace ops = mayasim::arrays;
namespace vectorops = mayasim::vectorops;

MFloatVectorArray::MFloatVectorArray(const MFloatVector src[], unsigned int count)
    : items_(ops::fromRange<MFloatVector>(src, count)) {}
MFloatVectorArray::MFloatVectorArray(const double src[][3], unsigned int count)
    : items_(ops::fromRange<MFloatVector>(src, count)) {}
MFloatVectorArray::MFloatVectorArray(const float src[][3], unsigned int count)
    : items_(ops::fromRange<MFloatVector>(src, count)) {}
MFloatVectorArray::MFloatVectorArray(unsigned int initialSize, const MFloatVector& initialValue)
    : items_(initialSize, initialValue) {}

MStatus MFloatVectorArray::set(const MFloatVector& element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MFloatVectorArray::set(double element[3], unsigned int index) {
    return ops::set(items_, MFloatVector(element), index);
}

MStatus MFloatVectorArray::set(float element[3], unsigned int index) {
    return ops::set(items_, MFloatVector(element), index);
}

MStatus MFloatVectorArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MFloatVectorArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MFloatVectorArray::insert(const MFloatVector& element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MFloatVectorArray::append(const MFloatVector& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MFloatVectorArray::copy(const MFloatVectorArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MFloatVectorArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MFloatVectorArray::get(double dest[][3]) const {
    return vectorops::copyRows<3>(items_, dest);
}

MStatus MFloatVectorArray::get(float dest[][3]) const {
    return vectorops::copyRows<3>(items_, dest);
}

std::ostream& operator<<(std::ostream& out, const MFloatVectorArray& array) {
    return ops::print(out, array.items_);
}
