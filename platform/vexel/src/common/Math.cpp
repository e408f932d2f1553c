#include <vexel/common/Math.h>

#include <algorithm>
#include <cmath>

namespace vexel {
namespace common {

const float Math::PI = 3.14159265358979323846f;
const float Math::TWO_PI = 2.0f * 3.14159265358979323846f;
const float Math::HALF_PI = 0.5f * 3.14159265358979323846f;
const float Math::EPSILON = 1e-6f;
const float Math::fDeg2Rad = 3.14159265358979323846f / 180.0f;
const float Math::fRad2Deg = 180.0f / 3.14159265358979323846f;

float Math::Pow(float base, float exponent) {
    return std::pow(base, exponent);
}

float Math::Sqrt(float value) {
    return std::sqrt(value);
}

float Math::Abs(float value) {
    return std::fabs(value);
}

std::pair<bool, float> Math::intersects(const Ray& ray, const AxisAlignedBox& box) {
    const std::pair<bool, float> miss(false, 0.0f);
    if (box.isNull()) {
        return miss;
    }
    const Vector3& origin = ray.getOrigin();
    const Vector3& direction = ray.getDirection();
    if (box.contains(origin)) {
        return {true, 0.0f};
    }
    // Slabs: the ray is inside the box where it is inside all three slabs.
    float enter = 0.0f;
    float leave = INFINITY;
    for (std::size_t i = 0; i < 3; ++i) {
        const float lo = box.getMinimum()[i];
        const float hi = box.getMaximum()[i];
        if (direction[i] == 0.0f) {
            if (origin[i] < lo || origin[i] > hi) {
                return miss;
            }
            continue;
        }
        float t1 = (lo - origin[i]) / direction[i];
        float t2 = (hi - origin[i]) / direction[i];
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
        if (enter > leave) {
            return miss;
        }
    }
    return {true, enter};
}

std::pair<bool, float> Math::intersects(const Ray& ray, const Sphere& sphere, bool discardInside) {
    const std::pair<bool, float> miss(false, 0.0f);
    const Vector3& direction = ray.getDirection();
    if (direction == Vector3::ZERO) {
        return miss;
    }
    const Vector3 fromCenter = ray.getOrigin() - sphere.getCenter();
    const float radius = sphere.getRadius();
    const float c = fromCenter.squaredLength() - radius * radius;
    if (c <= 0.0f && discardInside) {
        return {true, 0.0f};
    }
    // |o + t d|^2 = r^2 with |d| = 1: t^2 + 2 b t + c = 0.
    const float b = fromCenter.dotProduct(direction);
    const float discriminant = b * b - c;
    if (discriminant < 0.0f) {
        return miss;
    }
    const float root = std::sqrt(discriminant);
    const float nearT = -b - root;
    const float farT = -b + root;
    if (nearT >= 0.0f) {
        return {true, nearT};
    }
    if (farT >= 0.0f) {
        return {true, farT};
    }
    return miss;
}

std::pair<bool, float> Math::intersects(const Ray& ray, const Plane& plane) {
    const float along = plane.getNormal().dotProduct(ray.getDirection());
    if (std::fabs(along) < EPSILON) {
        return {false, 0.0f};
    }
    const float t = -plane.getDistance(ray.getOrigin()) / along;
    if (t < 0.0f) {
        return {false, 0.0f};
    }
    return {true, t};
}

bool Math::intersects(const Sphere& sphere, const AxisAlignedBox& box) {
    if (box.isNull()) {
        return false;
    }
    // Distance from the centre to the nearest point of the box.
    const Vector3& center = sphere.getCenter();
    float squared = 0.0f;
    for (std::size_t i = 0; i < 3; ++i) {
        const float nearest = std::clamp(center[i], box.getMinimum()[i], box.getMaximum()[i]);
        squared += (center[i] - nearest) * (center[i] - nearest);
    }
    return squared <= sphere.getRadius() * sphere.getRadius();
}

bool Math::intersects(const Sphere& a, const Sphere& b) {
    const float reach = a.getRadius() + b.getRadius();
    return (a.getCenter() - b.getCenter()).squaredLength() <= reach * reach;
}

}  // namespace common
}  // namespace vexel
