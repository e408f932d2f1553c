// Constants, scalar helpers and intersection tests.
#pragma once

#include <vexel/common/AxisAlignedBox.h>
#include <vexel/common/Export.h>
#include <vexel/common/Plane.h>
#include <vexel/common/Ray.h>
#include <vexel/common/Sphere.h>

#include <utility>

namespace vexel {
namespace common {

//! Scalar maths and geometric queries, all static. Angles are in radians.
class VXCOMMON_API Math {
public:
    static const float PI;
    static const float TWO_PI;
    static const float HALF_PI;
    //! Tolerance of the library's own near-zero tests (1e-6).
    static const float EPSILON;
    //! Multiply radians by fRad2Deg to get degrees, degrees by fDeg2Rad for radians.
    static const float fDeg2Rad;
    static const float fRad2Deg;

    static float Pow(float base, float exponent);
    static float Sqrt(float value);
    static float Abs(float value);
    static float DegreesToRadians(float degrees) { return degrees * fDeg2Rad; }
    static float RadiansToDegrees(float radians) { return radians * fRad2Deg; }

    //! Ray against a solid box. A hit gives (true, distance along the ray to the
    //! entry point); a ray starting inside the box hits at distance 0.
    //! The null box is never hit.
    static std::pair<bool, float> intersects(const Ray& ray, const AxisAlignedBox& box);

    //! Ray against a solid sphere: (true, distance to the first surface point
    //! ahead of the origin). For a ray starting inside the sphere,
    //! `discardInside` true reports a hit at distance 0; false reports the
    //! distance to where the ray leaves the sphere. Spheres wholly behind the
    //! origin are missed.
    static std::pair<bool, float> intersects(const Ray& ray, const Sphere& sphere,
                                             bool discardInside = true);

    //! Ray against a plane, from either side: (true, distance) when the ray
    //! meets it at or ahead of its origin; parallel rays miss.
    static std::pair<bool, float> intersects(const Ray& ray, const Plane& plane);

    //! Whether a sphere and a box overlap (touching counts; the null box never).
    static bool intersects(const Sphere& sphere, const AxisAlignedBox& box);
    //! Whether two spheres overlap (touching counts).
    static bool intersects(const Sphere& a, const Sphere& b);
};

}  // namespace common
}  // namespace vexel
