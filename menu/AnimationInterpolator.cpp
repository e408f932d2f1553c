#include "AnimationInterpolator.h"

#include <vexel/common/Math.h>

using vexel::common::Math;
using vexel::common::Quaternion;
using vexel::common::Vector3;

AnimationInterpolator::AnimationInterpolator()
    : hermite_{{2.0f, -2.0f, 1.0f, 1.0f},
               {-3.0f, 3.0f, -2.0f, -1.0f},
               {0.0f, 0.0f, 1.0f, 0.0f},
               {1.0f, 0.0f, 0.0f, 0.0f}} {}

Vector3 AnimationInterpolator::interpolate(float t, const Vector3& a, const Vector3& b) {
    return Vector3(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t);
}

Quaternion AnimationInterpolator::interpolate(float t, const Quaternion& a, const Quaternion& b) {
    return Quaternion::Slerp(t, a, b, true);
}

float AnimationInterpolator::interpolate(float t, float a, float b) {
    return (b - a) * t + a;
}

Vector3 AnimationInterpolator::interpolateSpline(float t, const Vector3& p0, const Vector3& p1,
                                                 const Vector3& tangent0, const Vector3& tangent1) {
    // The ends are returned as given so a track passes exactly through its keyframes.
    if (t == 0.0f)
        return p0;
    if (t == 1.0f)
        return p1;
    const float weights[4] = {Math::Pow(t, 3.0f), Math::Pow(t, 2.0f), t, 1.0f};
    float h[4];
    for (int column = 0; column < 4; ++column) {
        h[column] = 0.0f;
        for (int row = 0; row < 4; ++row)
            h[column] += weights[row] * hermite_[row][column];
    }
    return p0 * h[0] + p1 * h[1] + tangent0 * h[2] + tangent1 * h[3];
}
