// The values of a clip's tracks at one time, ready to be written into their targets.
#pragma once

#include <utility>
#include <vector>

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

#include "AnimationTarget.h"

//! (target, value) pairs for float, Vector3 and Quaternion targets. Holds a reference on each
//! target until it is released.
//!
//! Reference counted: the creator holds the first reference; release with removeReference.
class AnimationPose : public vexel::common::ReferenceObject {
public:
    AnimationPose() = default;

    void add(AnimationTarget<float>* target, float value);
    void add(AnimationTarget<vexel::common::Vector3>* target, const vexel::common::Vector3& value);
    void add(AnimationTarget<vexel::common::Quaternion>* target,
             const vexel::common::Quaternion& value);

    //! Writes every value into its target: the float pairs first, then the Vector3 pairs, then
    //! the Quaternion pairs, each in the order they were added.
    void apply();

protected:
    ~AnimationPose() override;

private:
    template <class T>
    using Pairs = std::vector<std::pair<AnimationTarget<T>*, T>>;

    Pairs<float> floats_;
    Pairs<vexel::common::Vector3> vectors_;
    Pairs<vexel::common::Quaternion> rotations_;
};
