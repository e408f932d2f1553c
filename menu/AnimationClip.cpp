#include "AnimationClip.h"

#include <cmath>

#include "MutexLock.h"

using vexel::common::Quaternion;
using vexel::common::Vector3;

AnimationClip::AnimationClip(const char* name) : name_(name != nullptr ? name : "") {
    floatBindings_.mutex = CreateMutexA(nullptr, FALSE, nullptr);
    vectorBindings_.mutex = CreateMutexA(nullptr, FALSE, nullptr);
    rotationBindings_.mutex = CreateMutexA(nullptr, FALSE, nullptr);
}

AnimationClip::~AnimationClip() {
    release(floatBindings_);
    release(vectorBindings_);
    release(rotationBindings_);
}

template <class T>
void AnimationClip::release(Bindings<T>& bindings) {
    {
        MutexLock lock(bindings.mutex);
        for (AnimationBinding<T>* binding : bindings.list)
            binding->removeReference();
        bindings.list.clear();
    }
    CloseHandle(bindings.mutex);
}

void AnimationClip::advance(float dt) {
    time_ += dt * speed_;
}

float AnimationClip::getWrappedTime() const {
    const float t = time_;
    const float length = length_;
    if (loopCount_ == 1)
        return std::fmin(std::fmax(t, 0.0f), length);
    if (!(length > 0.0f))
        return 0.0f;
    if (loopCount_ > 1) {
        const float clamped = std::fmin(std::fmax(t, 0.0f), loopCount_ * length);
        return std::fmod(clamped, length);
    }
    const float r = std::fmod(std::fabs(t), length);
    return t >= 0.0f ? r : length - r;
}

template <class T>
void AnimationClip::insertBinding(Bindings<T>& bindings, AnimationTrack<T>* track,
                                  AnimationTarget<T>* target, unsigned index) {
    auto* binding = new AnimationBinding<T>(track, target);
    {
        MutexLock lock(bindings.mutex);
        binding->addReference();
        const auto position =
            index < bindings.list.size() ? bindings.list.begin() + index : bindings.list.end();
        bindings.list.insert(position, binding);
    }
    binding->removeReference();
}

void AnimationClip::addBinding(AnimationTrack<float>* track, AnimationTarget<float>* target,
                               unsigned index) {
    insertBinding(floatBindings_, track, target, index);
}

void AnimationClip::addBinding(AnimationTrack<Vector3>* track, AnimationTarget<Vector3>* target,
                               unsigned index) {
    insertBinding(vectorBindings_, track, target, index);
}

template <class T>
void AnimationClip::addToPose(Bindings<T>& bindings, AnimationPose* pose, float time) {
    MutexLock lock(bindings.mutex);
    for (AnimationBinding<T>* binding : bindings.list)
        pose->add(binding->getTarget(), binding->getTrack()->getValue(time));
}

AnimationPose* AnimationClip::createPose(float time) {
    auto* pose = new AnimationPose();
    addToPose(floatBindings_, pose, time);
    addToPose(vectorBindings_, pose, time);
    addToPose(rotationBindings_, pose, time);
    return pose;
}

bool AnimationClip::play(float dt) {
    advance(dt);
    const float t = getTime();
    AnimationPose* pose = createPose(getWrappedTime());
    pose->apply();
    pose->removeReference();
    if (loopCount_ < 1)
        return false;
    const float end = loopCount_ * length_;
    if (t < 0.0f) {
        setTime(0.0f);
        return true;
    }
    if (t > end) {
        setTime(end);
        return true;
    }
    return false;
}
