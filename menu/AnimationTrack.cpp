#include "AnimationTrack.h"

#include <algorithm>

#include "MutexLock.h"

using vexel::common::Quaternion;
using vexel::common::Vector3;

template <class T>
AnimationTrack<T>::AnimationTrack() : mutex_(CreateMutexA(nullptr, FALSE, nullptr)) {}

template <class T>
AnimationTrack<T>::~AnimationTrack() {
    for (KeyFrame<T>* key : keyFrames_)
        key->removeReference();
    if (interpolator_ != nullptr)
        interpolator_->removeReference();
    CloseHandle(mutex_);
}

template <class T>
void AnimationTrack<T>::setInterpolator(AnimationInterpolator* interpolator) {
    MutexLock lock(mutex_);
    if (interpolator != nullptr)
        interpolator->addReference();
    if (interpolator_ != nullptr)
        interpolator_->removeReference();
    interpolator_ = interpolator;
}

template <class T>
void AnimationTrack<T>::addKeyFrame(float time, const T& value) {
    MutexLock lock(mutex_);
    if (static_cast<int>(keyFrames_.size()) >= kMaxKeyFrames)
        return;
    auto* key = new KeyFrame<T>(time, value);
    const auto after =
        std::upper_bound(keyFrames_.begin(), keyFrames_.end(), time,
                         [](float t, const KeyFrame<T>* k) { return t < k->getTime(); });
    key->addReference();
    keyFrames_.insert(after, key);
    key->removeReference();
    tangentsValid_ = false;
}

template <class T>
int AnimationTrack<T>::getKeyFrameCount() const {
    MutexLock lock(mutex_);
    return static_cast<int>(keyFrames_.size());
}

template <class T>
KeyFrame<T>* AnimationTrack<T>::getKeyFrame(int index) const {
    MutexLock lock(mutex_);
    return index >= 0 && index < static_cast<int>(keyFrames_.size()) ? keyFrames_[index] : nullptr;
}

template <class T>
T AnimationTrack<T>::getValue(float time) {
    MutexLock lock(mutex_);
    const int count = static_cast<int>(keyFrames_.size());
    if (count == 0)
        return T();
    const KeyFrameSpan span =
        findKeyFrames(count, time, [this](int i) { return keyFrames_[i]->getTime(); });
    const T& a = keyFrames_[span.first]->getValue();
    const T& b = keyFrames_[span.second]->getValue();
    if (a == b)
        return a;
    return blend(span);
}

template <class T>
void AnimationTrack<T>::computeTangents() {}

template <>
void AnimationTrack<Vector3>::computeTangents() {
    // Catmull-Rom: each tangent is half the step between the neighbouring keys; a track whose
    // first and last values agree is closed, and its ends share the tangent across the seam.
    const int n = static_cast<int>(keyFrames_.size());
    if (n < 2)
        return;
    tangents_.assign(n, Vector3::ZERO);
    auto p = [this](int i) { return keyFrames_[i]->getValue(); };
    const bool closed = p(0) == p(n - 1);
    tangents_[0] = (p(1) - (closed ? p(n - 2) : p(0))) * 0.5f;
    for (int i = 1; i < n - 1; ++i)
        tangents_[i] = (p(i + 1) - p(i - 1)) * 0.5f;
    tangents_[n - 1] = closed ? tangents_[0] : (p(n - 1) - p(n - 2)) * 0.5f;
}

template <>
float AnimationTrack<float>::blend(const KeyFrameSpan& span) {
    float result = 0.0f;
    if (interpolator_ != nullptr && (mode_ == kAnimationLinear || mode_ == kAnimationSpline))
        result = interpolator_->interpolate(span.fraction, keyFrames_[span.first]->getValue(),
                                            keyFrames_[span.second]->getValue());
    return result;
}

template <>
Vector3 AnimationTrack<Vector3>::blend(const KeyFrameSpan& span) {
    Vector3 result = Vector3::ZERO;
    if (interpolator_ == nullptr)
        return result;
    const Vector3& a = keyFrames_[span.first]->getValue();
    const Vector3& b = keyFrames_[span.second]->getValue();
    if (mode_ == kAnimationLinear) {
        result = interpolator_->interpolate(span.fraction, a, b);
    } else if (mode_ == kAnimationSpline) {
        if (!tangentsValid_) {
            computeTangents();
            tangentsValid_ = true;
        }
        result = interpolator_->interpolateSpline(span.fraction, a, b, tangents_[span.first],
                                                  tangents_[span.second]);
    }
    return result;
}

template <>
Quaternion AnimationTrack<Quaternion>::blend(const KeyFrameSpan& span) {
    Quaternion result(1.0f, 0.0f, 0.0f, 0.0f);
    if (interpolator_ != nullptr && (mode_ == kAnimationLinear || mode_ == kAnimationSpline))
        result = interpolator_->interpolate(span.fraction, keyFrames_[span.first]->getValue(),
                                            keyFrames_[span.second]->getValue());
    return result;
}

template class AnimationTrack<float>;
template class AnimationTrack<Vector3>;
template class AnimationTrack<Quaternion>;
