#include "AnimationBinding.h"

template <class T>
AnimationBinding<T>::AnimationBinding(AnimationTrack<T>* track, AnimationTarget<T>* target)
    : track_(track), target_(target) {
    track_->addReference();
    target_->addReference();
}

template <class T>
AnimationBinding<T>::~AnimationBinding() {
    track_->removeReference();
    target_->removeReference();
}

template class AnimationBinding<float>;
template class AnimationBinding<vexel::common::Vector3>;
template class AnimationBinding<vexel::common::Quaternion>;
