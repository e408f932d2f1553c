#include <vexel/common/AxisAlignedBox.h>

#include <algorithm>

namespace vexel {
namespace common {

namespace {

Vector3 componentMin(const Vector3& a, const Vector3& b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)};
}

Vector3 componentMax(const Vector3& a, const Vector3& b) {
    return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)};
}

}  // namespace

AxisAlignedBox::AxisAlignedBox(const Vector3& corner1, const Vector3& corner2) {
    setExtents(corner1, corner2);
}

void AxisAlignedBox::setExtents(const Vector3& corner1, const Vector3& corner2) {
    minimum_ = componentMin(corner1, corner2);
    maximum_ = componentMax(corner1, corner2);
    null_ = false;
}

void AxisAlignedBox::merge(const Vector3& point) {
    if (null_) {
        setExtents(point, point);
        return;
    }
    minimum_ = componentMin(minimum_, point);
    maximum_ = componentMax(maximum_, point);
}

void AxisAlignedBox::merge(const AxisAlignedBox& box) {
    if (box.null_) {
        return;
    }
    merge(box.minimum_);
    merge(box.maximum_);
}

bool AxisAlignedBox::contains(const Vector3& point) const {
    return !null_ && point.x >= minimum_.x && point.x <= maximum_.x && point.y >= minimum_.y &&
           point.y <= maximum_.y && point.z >= minimum_.z && point.z <= maximum_.z;
}

bool AxisAlignedBox::intersects(const AxisAlignedBox& box) const {
    if (null_ || box.null_) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (maximum_[i] < box.minimum_[i] || minimum_[i] > box.maximum_[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace common
}  // namespace vexel
