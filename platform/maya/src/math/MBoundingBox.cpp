#include <maya/MBoundingBox.h>

#include <algorithm>

#include <maya/MMatrix.h>

namespace {

MPoint componentMin(const MPoint& a, const MPoint& b) {
    return MPoint(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

MPoint componentMax(const MPoint& a, const MPoint& b) {
    return MPoint(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

MPoint cartesian(const MPoint& p) {
    MPoint result(p);
    return result.cartesianize();
}

}  // namespace

MBoundingBox::MBoundingBox(const MPoint& corner1, const MPoint& corner2)
    : empty_(false),
      min_(componentMin(cartesian(corner1), cartesian(corner2))),
      max_(componentMax(cartesian(corner1), cartesian(corner2))) {}

void MBoundingBox::clear() {
    *this = MBoundingBox();
}

void MBoundingBox::transformUsing(const MMatrix& matrix) {
    if (empty_)
        return;
    MBoundingBox result;
    for (int corner = 0; corner < 8; ++corner) {
        const MPoint p(corner & 1 ? max_.x : min_.x, corner & 2 ? max_.y : min_.y,
                       corner & 4 ? max_.z : min_.z);
        result.expand(p * matrix);
    }
    *this = result;
}

void MBoundingBox::expand(const MPoint& point) {
    const MPoint p = cartesian(point);
    if (empty_) {
        empty_ = false;
        min_ = max_ = p;
        return;
    }
    min_ = componentMin(min_, p);
    max_ = componentMax(max_, p);
}

void MBoundingBox::expand(const MBoundingBox& box) {
    if (box.empty_)
        return;
    expand(box.min_);
    expand(box.max_);
}

bool MBoundingBox::contains(const MPoint& point) const {
    if (empty_)
        return false;
    const MPoint p = cartesian(point);
    return p.x >= min_.x && p.x <= max_.x && p.y >= min_.y && p.y <= max_.y && p.z >= min_.z &&
           p.z <= max_.z;
}

bool MBoundingBox::intersects(const MBoundingBox& box, double tol) const {
    if (empty_ || box.empty_)
        return false;
    return min_.x <= box.max_.x + tol && box.min_.x <= max_.x + tol && min_.y <= box.max_.y + tol &&
           box.min_.y <= max_.y + tol && min_.z <= box.max_.z + tol && box.min_.z <= max_.z + tol;
}

double MBoundingBox::width() const {
    return empty_ ? 0.0 : max_.x - min_.x;
}

double MBoundingBox::height() const {
    return empty_ ? 0.0 : max_.y - min_.y;
}

double MBoundingBox::depth() const {
    return empty_ ? 0.0 : max_.z - min_.z;
}

MPoint MBoundingBox::center() const {
    if (empty_)
        return MPoint::origin;
    return MPoint((min_.x + max_.x) * 0.5, (min_.y + max_.y) * 0.5, (min_.z + max_.z) * 0.5);
}

MPoint MBoundingBox::min() const {
    return min_;
}

MPoint MBoundingBox::max() const {
    return max_;
}
