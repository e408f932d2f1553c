#include <vexel/common/Ray.h>

namespace vexel {
namespace common {

Ray::Ray(const Vector3& origin, const Vector3& direction) : origin_(origin) {
    setDirection(direction);
}

void Ray::setDirection(const Vector3& direction) {
    direction_ = direction.normalisedCopy();
}

}  // namespace common
}  // namespace vexel
