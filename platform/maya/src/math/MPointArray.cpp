#include <maya/MPointArray.h>

#include <ostream>

#include "../foundation/ArrayOps.h"

namespace ops = mayasim::arrays;

namespace {

template <typename Scalar, typename Dest>
MStatus copyOut(const std::vector<MPoint>& items, Dest dest) {
    if (!dest)
        return MStatus::kInvalidParameter;
    for (size_t i = 0; i < items.size(); ++i)
        for (unsigned int c = 0; c < 4; ++c)
            dest[i][c] = static_cast<Scalar>(items[i][c]);
    return MStatus::kSuccess;
}

}  // namespace

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
    return copyOut<double>(items_, dest);
}

MStatus MPointArray::get(float dest[][4]) const {
    return copyOut<float>(items_, dest);
}

std::ostream& operator<<(std::ostream& out, const MPointArray& array) {
    return ops::print(out, array.items_);
}
