#include <vexel/common/Sphere.h>

namespace vexel {
namespace common {

bool Sphere::contains(const Vector3& point) const {
    return (point - center_).squaredLength() <= radius_ * radius_;
}

}  // namespace common
}  // namespace vexel
