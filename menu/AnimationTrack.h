// A sequence of keyframes of one value type, evaluated at any time.
#pragma once

#include <windows.h>

#include <vector>

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

#include "AnimationInterpolator.h"
#include "KeyFrame.h"

//! How a track blends between keyframes.
enum AnimationTrackMode { kAnimationLinear = 0, kAnimationSpline = 1 };

//! The keyframes around a time and how far the time lies from the first towards the second.
struct KeyFrameSpan {
    int first = 0;
    int second = 0;
    float fraction = 0.0f;
};

//! Finds the keyframes around `time` among `count` keys whose times, ascending, `timeAt(i)`
//! gives (the count is taken in 16 bits: a track holds at most 65535 keys). A time before the
//! first key or after the last one gives that key twice (the end value holds), a time on a key
//! gives that key twice, and equal neighbouring times give a fraction of 0.
template <class TimeAt>
KeyFrameSpan findKeyFrames(int count, float time, TimeAt timeAt) {
    KeyFrameSpan span;
    const int n = static_cast<unsigned short>(count);
    if (n == 0)
        return span;
    int lo = 0;
    int hi = n - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (time > timeAt(mid)) {
            lo = mid + 1;
        } else if (timeAt(mid) > time) {
            hi = mid - 1;
        } else {
            lo = hi = mid;
            break;
        }
    }
    if (hi < 0) {
        span.first = span.second = lo;
    } else if (lo < n) {
        span.first = hi;
        span.second = lo;
    } else {
        span.first = span.second = hi;
    }
    const float t0 = timeAt(span.first);
    const float t1 = timeAt(span.second);
    span.fraction = t0 == t1 ? 0.0f : (time - t0) / (t1 - t0);
    return span;
}

//! Keyframes of type T (float, Vector3 or Quaternion), kept in ascending time order; a key
//! added at the time of existing ones goes after them. Evaluation blends the two keys around a
//! time with the track's interpolator: linearly (mode 0), or for Vector3 tracks in mode 1 along
//! a Catmull-Rom spline, closed when the first and last values are equal. Quaternions always
//! take the shorter arc. Without an interpolator, or in another mode, a time between two
//! different values yields T's default (0, the zero vector, the identity).
//!
//! The keyframes and tangents sit behind the track's own mutex. Reference counted: the creator
//! holds the first reference; the track holds one on each keyframe and on its interpolator.
template <class T>
class AnimationTrack : public vexel::common::ReferenceObject {
public:
    //! The most keyframes a track holds; further ones are not added.
    static constexpr int kMaxKeyFrames = 65535;

    AnimationTrack();

    //! References the new interpolator (may be null) and releases the old one.
    void setInterpolator(AnimationInterpolator* interpolator);
    AnimationInterpolator* getInterpolator() const { return interpolator_; }

    void addKeyFrame(float time, const T& value);
    int getKeyFrameCount() const;
    //! Borrowed: valid while the track lives.
    KeyFrame<T>* getKeyFrame(int index) const;

    //! The track's value at `time`; an empty track yields T's default.
    T getValue(float time);

    int getMode() const { return mode_; }
    void setMode(int mode) { mode_ = mode; }

protected:
    ~AnimationTrack() override;

private:
    T blend(const KeyFrameSpan& span);
    void computeTangents();

    std::vector<KeyFrame<T>*> keyFrames_;
    std::vector<vexel::common::Vector3> tangents_;
    bool tangentsValid_ = false;
    int mode_ = kAnimationLinear;
    AnimationInterpolator* interpolator_ = nullptr;
    HANDLE mutex_;
};

// Each value type blends in its own way; only Vector3 tracks have spline tangents.
template <>
float AnimationTrack<float>::blend(const KeyFrameSpan& span);
template <>
vexel::common::Vector3 AnimationTrack<vexel::common::Vector3>::blend(const KeyFrameSpan& span);
template <>
vexel::common::Quaternion AnimationTrack<vexel::common::Quaternion>::blend(
    const KeyFrameSpan& span);
template <>
void AnimationTrack<vexel::common::Vector3>::computeTangents();

extern template class AnimationTrack<float>;
extern template class AnimationTrack<vexel::common::Vector3>;
extern template class AnimationTrack<vexel::common::Quaternion>;
