#include <maya/MVectorArray.h>

#include <ostream>

#include "../foundation/ArrayOps.h"
#include "VectorOps.h"

namespace ops = mayasim::arrays;
namespace vectorops = mayasim::vectorops;

MVectorArray::MVectorArray(const MVector src[], unsigned int count)
    : items_(ops::fromRange<MVector>(src, count)) {}
MVectorArray::MVectorArray(const double src[][3], unsigned int count)
    : items_(ops::fromRange<MVector>(src, count)) {}
MVectorArray::MVectorArray(const float src[][3], unsigned int count)
    : items_(ops::fromRange<MVector>(src, count)) {}
MVectorArray::MVectorArray(unsigned int initialSize, const MVector& initialValue)
    : items_(initialSize, initialValue) {}

MStatus MVectorArray::set(const MVector& element, unsigned int index) {
    return ops::set(items_, element, index);
}

MStatus MVectorArray::set(double element[3], unsigned int index) {
    return ops::set(items_, MVector(element), index);
}

MStatus MVectorArray::set(float element[3], unsigned int index) {
    return ops::set(items_, MVector(element), index);
}

MStatus MVectorArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MVectorArray::remove(unsigned int index) {
    return ops::remove(items_, index);
}

MStatus MVectorArray::insert(const MVector& element, unsigned int index) {
    return ops::insert(items_, element, index);
}

MStatus MVectorArray::append(const MVector& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MVectorArray::copy(const MVectorArray& source) {
    items_ = source.items_;
    return MStatus::kSuccess;
}

MStatus MVectorArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}

MStatus MVectorArray::get(double dest[][3]) const {
    return vectorops::copyRows<3>(items_, dest);
}

MStatus MVectorArray::get(float dest[][3]) const {
    return vectorops::copyRows<3>(items_, dest);
}

std::ostream& operator<<(std::ostream& out, const MVectorArray& array) {
    return ops::print(out, array.items_);
}
