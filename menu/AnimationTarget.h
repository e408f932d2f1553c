// A property an animation writes to, such as a menu element's position or alpha.
#pragma once

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

//! Receives the values a pose applies. The base ignores them; a subclass writes them where
//! they belong (the tool menu's position, scale and alpha targets).
//!
//! Reference counted: the creator holds the first reference; release with removeReference.
template <class T>
class AnimationTarget : public vexel::common::ReferenceObject {
public:
    AnimationTarget() = default;

    virtual void setValue(const T& value);

protected:
    ~AnimationTarget() override = default;
};

extern template class AnimationTarget<float>;
extern template class AnimationTarget<vexel::common::Vector3>;
extern template class AnimationTarget<vexel::common::Quaternion>;
