// Spheres as bounding and selection volumes.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace common {

//! A solid sphere: the points within `radius` of `center`.
class VXCOMMON_API Sphere {
public:
    //! The unit sphere at the origin.
    Sphere() = default;
    Sphere(const Vector3& center, float radius) : center_(center), radius_(radius) {}

    const Vector3& getCenter() const { return center_; }
    void setCenter(const Vector3& center) { center_ = center; }
    float getRadius() const { return radius_; }
    void setRadius(float radius) { radius_ = radius; }

    //! Whether the point lies inside or on the surface.
    bool contains(const Vector3& point) const;

private:
    Vector3 center_;
    float radius_ = 1.0f;
};

}  // namespace common
}  // namespace vexel
