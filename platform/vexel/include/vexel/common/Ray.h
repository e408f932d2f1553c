// Half-lines for picking and intersection tests.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace common {

//! A ray origin + t * direction, t >= 0. The direction is stored normalised,
//! so the parameter t of every intersection test is a distance in the units of
//! the origin. A zero direction stays zero and intersects nothing.
class VXCOMMON_API Ray {
public:
    //! From the origin along -z.
    Ray() = default;
    Ray(const Vector3& origin, const Vector3& direction);

    const Vector3& getOrigin() const { return origin_; }
    void setOrigin(const Vector3& origin) { origin_ = origin; }
    const Vector3& getDirection() const { return direction_; }
    void setDirection(const Vector3& direction);
    //! origin + t * direction.
    Vector3 getPoint(float t) const { return origin_ + direction_ * t; }

private:
    Vector3 origin_;
    Vector3 direction_{0.0f, 0.0f, -1.0f};
};

}  // namespace common
}  // namespace vexel
