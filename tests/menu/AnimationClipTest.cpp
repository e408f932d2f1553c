// Clips: wrapping by loop count, poses in binding order, playing to the end, and every
// reference given back.
#include "AnimationClip.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using vexel::common::Quaternion;
using vexel::common::Vector3;

namespace {

int liveTracks = 0;
int liveTargets = 0;

// Targets that log what they receive into a shared journal, and count themselves.
template <class T>
class JournalTarget : public AnimationTarget<T> {
public:
    JournalTarget(std::string name, std::vector<std::string>* journal)
        : name_(std::move(name)), journal_(journal) {
        ++liveTargets;
    }
    void setValue(const T& value) override {
        last = value;
        if (journal_ != nullptr)
            journal_->push_back(name_);
    }
    T last{};

protected:
    ~JournalTarget() override { --liveTargets; }

private:
    std::string name_;
    std::vector<std::string>* journal_;
};

template <class T>
class CountedTrack : public AnimationTrack<T> {
public:
    CountedTrack() { ++liveTracks; }

protected:
    ~CountedTrack() override { --liveTracks; }
};

// A linear track from `from` at time 0 to `to` at time 1.
template <class T>
CountedTrack<T>* ramp(const T& from, const T& to, AnimationInterpolator* interpolator) {
    auto* track = new CountedTrack<T>();
    track->setInterpolator(interpolator);
    track->addKeyFrame(0.0f, from);
    track->addKeyFrame(1.0f, to);
    return track;
}

float wrapped(AnimationClip* clip, float time) {
    clip->setTime(time);
    return clip->getWrappedTime();
}

struct ClipFixture : ::testing::Test {
    void SetUp() override {
        interpolator = new AnimationInterpolator();
        clip = new AnimationClip("open");
    }
    void TearDown() override {
        clip->removeReference();
        interpolator->removeReference();
        EXPECT_EQ(liveTracks, 0);
        EXPECT_EQ(liveTargets, 0);
    }
    // Binds a new ramp to a new target; the clip keeps the only references.
    template <class T>
    JournalTarget<T>* bind(const std::string& name, const T& from, const T& to,
                           unsigned index = AnimationClip::kAppend) {
        CountedTrack<T>* track = ramp(from, to, interpolator);
        auto* target = new JournalTarget<T>(name, &journal);
        clip->addBinding(track, target, index);
        track->removeReference();
        target->removeReference();
        return target;
    }

    AnimationInterpolator* interpolator = nullptr;
    AnimationClip* clip = nullptr;
    std::vector<std::string> journal;
};

}  // namespace

TEST_F(ClipFixture, WrappedTimeFollowsTheLoopCount) {
    clip->setLength(2.0f);
    EXPECT_EQ(clip->getLoopCount(), 1);
    EXPECT_EQ(wrapped(clip, -1.0f), 0.0f);
    EXPECT_EQ(wrapped(clip, 1.5f), 1.5f);
    EXPECT_EQ(wrapped(clip, 3.0f), 2.0f);

    clip->setLoopCount(3);
    EXPECT_EQ(wrapped(clip, -1.0f), 0.0f);
    EXPECT_EQ(wrapped(clip, 2.0f), 0.0f);
    EXPECT_EQ(wrapped(clip, 5.0f), 1.0f);
    EXPECT_EQ(wrapped(clip, 6.0f), 0.0f);  // the end of the last loop is 0 again
    EXPECT_EQ(wrapped(clip, 9.0f), 0.0f);

    for (int forever : {0, -1}) {
        clip->setLoopCount(forever);
        EXPECT_EQ(wrapped(clip, 5.0f), 1.0f);
        EXPECT_EQ(wrapped(clip, -0.5f), 1.5f);  // backwards from the end
        EXPECT_EQ(wrapped(clip, -3.0f), 1.0f);
    }

    clip->setLength(0.0f);
    EXPECT_EQ(wrapped(clip, 3.0f), 0.0f);
}

TEST_F(ClipFixture, PosesHoldBindingValuesAndApplyFloatsThenVectors) {
    bind<Vector3>("v1", Vector3(0, 0, 0), Vector3(2, 4, 6));
    bind<float>("a", 0.0f, 10.0f);
    bind<float>("b", 0.0f, 20.0f);
    JournalTarget<float>* c = bind<float>("c", 0.0f, 30.0f, 0);
    bind<Vector3>("v2", Vector3(0, 0, 0), Vector3(1, 1, 1), 1);
    JournalTarget<Vector3>* v3 = bind<Vector3>("v3", Vector3(0, 0, 0), Vector3(1, 0, 0), 0);

    AnimationPose* pose = clip->createPose(0.5f);
    EXPECT_TRUE(journal.empty());
    pose->apply();
    pose->removeReference();
    EXPECT_EQ(journal, (std::vector<std::string>{"c", "a", "b", "v3", "v1", "v2"}));
    EXPECT_EQ(c->last, 15.0f);
    EXPECT_EQ(v3->last, Vector3(0.5f, 0, 0));

    // A pose applies its own pairs in the same type order, whatever order they came in.
    journal.clear();
    auto* rotation = new JournalTarget<Quaternion>("q", &journal);
    auto* scalar = new JournalTarget<float>("f", &journal);
    pose = new AnimationPose();
    pose->add(rotation, Quaternion::IDENTITY);
    pose->add(scalar, 1.0f);
    rotation->removeReference();
    scalar->removeReference();
    pose->apply();
    pose->removeReference();
    EXPECT_EQ(journal, (std::vector<std::string>{"f", "q"}));
}

TEST_F(ClipFixture, PlayingAppliesEachUpdateAndStopsAtEitherEnd) {
    JournalTarget<float>* target = bind<float>("alpha", 0.0f, 10.0f);
    clip->setLength(1.0f);
    for (float expected : {2.5f, 5.0f, 7.5f}) {
        EXPECT_FALSE(clip->play(0.25f));
        EXPECT_EQ(target->last, expected);
    }
    EXPECT_TRUE(clip->play(0.5f));
    EXPECT_EQ(target->last, 10.0f);
    EXPECT_EQ(clip->getTime(), 1.0f);

    clip->setSpeed(-2.0f);
    EXPECT_FALSE(clip->play(0.25f));
    EXPECT_EQ(target->last, 5.0f);
    EXPECT_TRUE(clip->play(0.5f));
    EXPECT_EQ(target->last, 0.0f);
    EXPECT_EQ(clip->getTime(), 0.0f);

    clip->setSpeed(1.0f);
    clip->setLoopCount(2);
    EXPECT_FALSE(clip->play(1.25f));
    EXPECT_EQ(target->last, 2.5f);
    EXPECT_TRUE(clip->play(1.0f));
    EXPECT_EQ(clip->getTime(), 2.0f);

    clip->setLoopCount(0);
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(clip->play(0.75f));
}

TEST(AnimationReferences, ManyClipsBuiltAndPlayedReleaseEverything) {
    auto* interpolator = new AnimationInterpolator();
    KeyFrame<float>* watchedKey = nullptr;
    JournalTarget<Vector3>* watchedTarget = nullptr;
    for (int i = 0; i < 200; ++i) {
        auto* clip = new AnimationClip("clip");
        clip->setLength(1.0f);
        clip->setLoopCount(i % 3);
        auto* alpha = new JournalTarget<float>("alpha", nullptr);
        auto* position = new JournalTarget<Vector3>("position", nullptr);
        CountedTrack<float>* fade = ramp(0.0f, 1.0f, interpolator);
        CountedTrack<Vector3>* move = ramp(Vector3::ZERO, Vector3::UNIT_Y, interpolator);
        move->setMode(kAnimationSpline);
        // Two bindings share the fade track.
        clip->addBinding(fade, alpha);
        clip->addBinding(fade, alpha, 0);
        clip->addBinding(move, position);
        if (i == 0) {
            watchedKey = fade->getKeyFrame(0);
            watchedKey->addReference();
            watchedTarget = position;
            watchedTarget->addReference();
        }
        fade->removeReference();
        move->removeReference();
        alpha->removeReference();
        position->removeReference();
        EXPECT_EQ(interpolator->getReferenceCount(), 3);
        for (int step = 0; step < 10; ++step)
            clip->play(0.3f);
        if (i == 0) {
            EXPECT_EQ(watchedTarget->getReferenceCount(), 2);  // the binding's and ours
        }
        clip->removeReference();
    }
    EXPECT_EQ(liveTracks, 0);
    EXPECT_EQ(liveTargets, 1);
    EXPECT_EQ(interpolator->getReferenceCount(), 1);
    EXPECT_EQ(watchedKey->getReferenceCount(), 1);
    EXPECT_EQ(watchedTarget->getReferenceCount(), 1);
    EXPECT_EQ(watchedKey->removeReference(), 0);
    EXPECT_EQ(watchedTarget->removeReference(), 0);
    EXPECT_EQ(liveTargets, 0);
    EXPECT_EQ(interpolator->removeReference(), 0);
}
