// Planes and point classification.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace common {

//! The plane normal . p + d = 0. The side the normal points to is positive.
class VXCOMMON_API Plane {
public:
    enum Side { NO_SIDE, POSITIVE_SIDE, NEGATIVE_SIDE };

    //! The plane z = 0, normal +z.
    Plane() = default;
    //! A plane from a normal (normalised here) and d.
    Plane(const Vector3& normal, float d);
    //! The plane through `point` with the given normal (normalised here).
    Plane(const Vector3& normal, const Vector3& point);
    //! The plane through three points; the normal follows the right-hand rule
    //! p1 -> p2 -> p3. Collinear points give a zero normal (NO_SIDE everywhere).
    Plane(const Vector3& p1, const Vector3& p2, const Vector3& p3);

    const Vector3& getNormal() const { return normal_; }
    float getD() const { return d_; }

    //! Signed distance of the point from the plane, positive on the normal's side.
    float getDistance(const Vector3& point) const { return normal_.dotProduct(point) + d_; }
    //! NO_SIDE only for points exactly on the plane.
    Side getSide(const Vector3& point) const;

private:
    Vector3 normal_{0.0f, 0.0f, 1.0f};
    float d_ = 0.0f;
};

}  // namespace common
}  // namespace vexel
