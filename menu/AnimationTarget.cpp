#include "AnimationTarget.h"

template <class T>
void AnimationTarget<T>::setValue(const T&) {}

template class AnimationTarget<float>;
template class AnimationTarget<vexel::common::Vector3>;
// Poses and clips carry quaternion values too, although nothing binds a quaternion track.
template class AnimationTarget<vexel::common::Quaternion>;
