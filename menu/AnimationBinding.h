// The link between a track and the property it animates.
#pragma once

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

#include "AnimationTarget.h"
#include "AnimationTrack.h"

//! A track and the target its values go to; holds a reference on both for its whole life.
//!
//! Reference counted: the creator holds the first reference; release with removeReference.
template <class T>
class AnimationBinding : public vexel::common::ReferenceObject {
public:
    AnimationBinding(AnimationTrack<T>* track, AnimationTarget<T>* target);

    //! Borrowed: valid while the binding lives.
    AnimationTrack<T>* getTrack() const { return track_; }
    AnimationTarget<T>* getTarget() const { return target_; }

protected:
    ~AnimationBinding() override;

private:
    AnimationTrack<T>* track_;
    AnimationTarget<T>* target_;
};

extern template class AnimationBinding<float>;
extern template class AnimationBinding<vexel::common::Vector3>;
extern template class AnimationBinding<vexel::common::Quaternion>;
