// Blends between two keyframe values: linear, spherical and Hermite spline.
#pragma once

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

//! The blending a track applies between the two keyframes around a time. Subclasses may
//! override any blend; the order of the virtual functions is part of the interface.
//!
//! Reference counted: the creator holds the first reference; release with removeReference.
class AnimationInterpolator : public vexel::common::ReferenceObject {
public:
    AnimationInterpolator();

    //! a + (b - a) * t, component-wise.
    virtual vexel::common::Vector3 interpolate(float t, const vexel::common::Vector3& a,
                                               const vexel::common::Vector3& b);
    //! Spherical interpolation along the shorter arc.
    virtual vexel::common::Quaternion interpolate(float t, const vexel::common::Quaternion& a,
                                                  const vexel::common::Quaternion& b);
    //! (b - a) * t + a.
    virtual float interpolate(float t, float a, float b);
    //! The cubic Hermite curve from p0 to p1 with the given tangents; exactly p0 at t = 0 and
    //! exactly p1 at t = 1.
    virtual vexel::common::Vector3 interpolateSpline(float t, const vexel::common::Vector3& p0,
                                                     const vexel::common::Vector3& p1,
                                                     const vexel::common::Vector3& tangent0,
                                                     const vexel::common::Vector3& tangent1);

protected:
    ~AnimationInterpolator() override = default;

private:
    //! The Hermite basis, row by row; the weights (t^3, t^2, t, 1) times a column give the
    //! weight of p0, p1, tangent0 and tangent1.
    float hermite_[4][4];
};
