// One keyframe of an animation track: a time and the value the track has then.
#pragma once

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

//! A (time, value) pair, read-only once built. T is float, Vector3 or Quaternion.
//!
//! Reference counted: the creator holds the first reference; release with removeReference.
template <class T>
class KeyFrame : public vexel::common::ReferenceObject {
public:
    KeyFrame(float time, const T& value) : time_(time), value_(value) {}

    float getTime() const { return time_; }
    const T& getValue() const { return value_; }

protected:
    ~KeyFrame() override = default;

private:
    const float time_;
    const T value_;
};

extern template class KeyFrame<float>;
extern template class KeyFrame<vexel::common::Vector3>;
extern template class KeyFrame<vexel::common::Quaternion>;
