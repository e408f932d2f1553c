#include "AnimationPose.h"

using vexel::common::Quaternion;
using vexel::common::Vector3;

namespace {

template <class T>
void addPair(std::vector<std::pair<AnimationTarget<T>*, T>>& pairs, AnimationTarget<T>* target,
             const T& value) {
    target->addReference();
    pairs.emplace_back(target, value);
}

template <class T>
void applyPairs(const std::vector<std::pair<AnimationTarget<T>*, T>>& pairs) {
    for (const auto& pair : pairs)
        pair.first->setValue(pair.second);
}

template <class T>
void releasePairs(std::vector<std::pair<AnimationTarget<T>*, T>>& pairs) {
    for (auto& pair : pairs)
        pair.first->removeReference();
    pairs.clear();
}

}  // namespace

AnimationPose::~AnimationPose() {
    releasePairs(floats_);
    releasePairs(vectors_);
    releasePairs(rotations_);
}

void AnimationPose::add(AnimationTarget<float>* target, float value) {
    addPair(floats_, target, value);
}

void AnimationPose::add(AnimationTarget<Vector3>* target, const Vector3& value) {
    addPair(vectors_, target, value);
}

void AnimationPose::add(AnimationTarget<Quaternion>* target, const Quaternion& value) {
    addPair(rotations_, target, value);
}

void AnimationPose::apply() {
    applyPairs(floats_);
    applyPairs(vectors_);
    applyPairs(rotations_);
}
