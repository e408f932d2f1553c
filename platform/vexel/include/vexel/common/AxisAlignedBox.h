// Axis-aligned boxes as bounding volumes.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace common {

//! A solid box whose faces are parallel to the coordinate planes, or the null
//! (empty) box, which contains and intersects nothing. Merging points into a
//! null box grows it from the first point.
class VXCOMMON_API AxisAlignedBox {
public:
    //! The null box.
    AxisAlignedBox() = default;
    //! The box spanning two opposite corners, in any order per axis.
    AxisAlignedBox(const Vector3& corner1, const Vector3& corner2);

    bool isNull() const { return null_; }
    void setNull() { null_ = true; }
    //! Corners of a non-null box.
    const Vector3& getMinimum() const { return minimum_; }
    const Vector3& getMaximum() const { return maximum_; }
    void setExtents(const Vector3& corner1, const Vector3& corner2);

    Vector3 getCenter() const { return (minimum_ + maximum_) * 0.5f; }
    Vector3 getSize() const { return null_ ? Vector3::ZERO : maximum_ - minimum_; }

    //! Grows the box to contain the point / the other box.
    void merge(const Vector3& point);
    void merge(const AxisAlignedBox& box);
    //! Whether the point lies inside or on the boundary.
    bool contains(const Vector3& point) const;
    //! Whether the two boxes overlap (touching counts).
    bool intersects(const AxisAlignedBox& box) const;

private:
    Vector3 minimum_;
    Vector3 maximum_;
    bool null_ = true;
};

}  // namespace common
}  // namespace vexel
