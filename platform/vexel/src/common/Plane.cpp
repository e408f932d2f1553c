#include <vexel/common/Plane.h>

namespace vexel {
namespace common {

Plane::Plane(const Vector3& normal, float d) : normal_(normal.normalisedCopy()), d_(d) {}

Plane::Plane(const Vector3& normal, const Vector3& point)
    : normal_(normal.normalisedCopy()), d_(-normal_.dotProduct(point)) {}

Plane::Plane(const Vector3& p1, const Vector3& p2, const Vector3& p3)
    : normal_((p2 - p1).crossProduct(p3 - p1).normalisedCopy()), d_(-normal_.dotProduct(p1)) {}

Plane::Side Plane::getSide(const Vector3& point) const {
    const float distance = getDistance(point);
    if (distance > 0.0f) {
        return POSITIVE_SIDE;
    }
    if (distance < 0.0f) {
        return NEGATIVE_SIDE;
    }
    return NO_SIDE;
}

}  // namespace common
}  // namespace vexel
