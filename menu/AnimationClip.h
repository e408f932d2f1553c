// A named animation: tracks bound to targets, a clock, and how it loops.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <vexel/common/Quaternion.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

#include "AnimationBinding.h"
#include "AnimationPose.h"
#include "AnimationTarget.h"
#include "AnimationTrack.h"

//! Plays bound tracks over `length` seconds of clip time, `loopCount` times (1: once and hold
//! the end; 0 or less: for ever, also backwards). The clock advances by dt * speed.
//!
//! The three binding sequences (float, Vector3, Quaternion) each sit behind a mutex of their
//! own. Reference counted: the creator holds the first reference; the clip holds one on each
//! binding, which holds its track and target.
class AnimationClip : public vexel::common::ReferenceObject {
public:
    //! addBinding's index that appends.
    static constexpr unsigned kAppend = 0xFFFFFFFFu;

    explicit AnimationClip(const char* name);

    const std::string& getName() const { return name_; }
    void setLength(float length) { length_ = length; }
    float getLength() const { return length_; }
    void setSpeed(float speed) { speed_ = speed; }
    float getSpeed() const { return speed_; }
    void setTime(float time) { time_ = time; }
    float getTime() const { return time_; }
    void setLoopCount(int loopCount) { loopCount_ = loopCount; }
    int getLoopCount() const { return loopCount_; }
    float getWeight() const { return weight_; }
    int getPriority() const { return priority_; }

    //! time += dt * speed.
    void advance(float dt);

    //! The clip time folded into [0, length] by the loop count: clamped for one loop; clamped to
    //! all loops and wrapped for several (so exactly the end of the last loop is 0 again); wrapped
    //! for ever for 0 or less, a negative time running backwards from the end. A clip of no
    //! length is at 0.
    float getWrappedTime() const;

    //! Binds a track to a target: appends for kAppend, otherwise inserts before `index` (or
    //! appends when `index` is past the end).
    void addBinding(AnimationTrack<float>* track, AnimationTarget<float>* target,
                    unsigned index = kAppend);
    void addBinding(AnimationTrack<vexel::common::Vector3>* track,
                    AnimationTarget<vexel::common::Vector3>* target, unsigned index = kAppend);

    //! A new pose with every binding's track value at `time`: float bindings first, then
    //! Vector3, then Quaternion, each in binding order. The caller owns one reference.
    AnimationPose* createPose(float time);

    //! One update of a playing clip: advance by dt, apply the pose at the wrapped time and, once
    //! a clip with a finite loop count has run past either end, stop it there. Returns whether
    //! the clip finished in this update.
    bool play(float dt);

protected:
    ~AnimationClip() override;

private:
    template <class T>
    struct Bindings {
        std::vector<AnimationBinding<T>*> list;
        HANDLE mutex;
    };

    template <class T>
    void insertBinding(Bindings<T>& bindings, AnimationTrack<T>* track, AnimationTarget<T>* target,
                       unsigned index);
    template <class T>
    void addToPose(Bindings<T>& bindings, AnimationPose* pose, float time);
    template <class T>
    void release(Bindings<T>& bindings);

    std::string name_;
    float time_ = 0.0f;
    float speed_ = 1.0f;
    float length_ = 0.0f;
    //! Kept for blending clips by weight; nothing reads it yet.
    float weight_ = 1.0f;
    int loopCount_ = 1;
    //! Kept for ordering clips that share targets; nothing reads it yet.
    int priority_ = 0;
    Bindings<float> floatBindings_;
    Bindings<vexel::common::Vector3> vectorBindings_;
    Bindings<vexel::common::Quaternion> rotationBindings_;
};
