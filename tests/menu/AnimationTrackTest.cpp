// Keyframe tracks: the search around a time, linear, spline and rotation blending.
#include "AnimationTrack.h"

#include <gtest/gtest.h>

#include <cmath>

using vexel::common::Quaternion;
using vexel::common::Vector3;

namespace {

// A track with an interpolator, released at the end of the test.
template <class T>
struct TrackHandle {
    explicit TrackHandle(int mode = kAnimationLinear) : track(new AnimationTrack<T>()) {
        auto* interpolator = new AnimationInterpolator();
        track->setInterpolator(interpolator);
        interpolator->removeReference();
        track->setMode(mode);
    }
    ~TrackHandle() { track->removeReference(); }
    AnimationTrack<T>* operator->() { return track; }

    AnimationTrack<T>* track;
};

void expectVectorNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

}  // namespace

TEST(AnimationTrack, TimesBeforeAfterAndOnKeysAndOneKeyHoldValues) {
    TrackHandle<float> track;
    track->addKeyFrame(3.0f, 30.0f);
    track->addKeyFrame(1.0f, 10.0f);
    EXPECT_EQ(track->getKeyFrame(0)->getTime(), 1.0f);
    EXPECT_EQ(track->getValue(-5.0f), 10.0f);
    EXPECT_EQ(track->getValue(1.0f), 10.0f);
    EXPECT_EQ(track->getValue(2.5f), 25.0f);
    EXPECT_EQ(track->getValue(3.0f), 30.0f);
    EXPECT_EQ(track->getValue(9.0f), 30.0f);

    TrackHandle<Vector3> single(kAnimationSpline);
    single->addKeyFrame(2.0f, Vector3(1, 2, 3));
    TrackHandle<Quaternion> rotation;
    const Quaternion q(0.5f, 0.5f, 0.5f, 0.5f);
    rotation->addKeyFrame(2.0f, q);
    for (float t : {-1.0f, 2.0f, 7.0f}) {
        EXPECT_EQ(single->getValue(t), Vector3(1, 2, 3));
        EXPECT_EQ(rotation->getValue(t), q);
    }

    TrackHandle<float> empty;
    EXPECT_EQ(empty->getValue(1.0f), 0.0f);
}

TEST(AnimationTrack, KeysAtEqualTimesKeepTheirOrder) {
    TrackHandle<float> track;
    track->addKeyFrame(0.0f, 0.0f);
    track->addKeyFrame(2.0f, 30.0f);
    track->addKeyFrame(1.0f, 10.0f);
    track->addKeyFrame(1.0f, 20.0f);
    ASSERT_EQ(track->getKeyFrameCount(), 4);
    EXPECT_EQ(track->getKeyFrame(1)->getValue(), 10.0f);
    EXPECT_EQ(track->getKeyFrame(2)->getValue(), 20.0f);
    // Before the pair the earlier key is the target, after it the later one is the start.
    EXPECT_EQ(track->getValue(0.5f), 5.0f);
    EXPECT_EQ(track->getValue(1.5f), 25.0f);
    const float on = track->getValue(1.0f);
    EXPECT_TRUE(on == 10.0f || on == 20.0f) << on;

    const KeyFrameSpan span = findKeyFrames(2, 1.0f, [](int) { return 1.0f; });
    EXPECT_EQ(span.fraction, 0.0f);
}

TEST(AnimationTrack, SplineUsesCatmullRomTangentsAndClosesLoops) {
    TrackHandle<Vector3> open(kAnimationSpline);
    open->addKeyFrame(0.0f, Vector3(0, 0, 0));
    open->addKeyFrame(1.0f, Vector3(1, 1, 0));
    open->addKeyFrame(2.0f, Vector3(2, 0, 0));
    // Hermite weights at 0.5 are (1/2, 1/2, 1/8, -1/8); the tangents (1/2, 1/2, 0) and (1, 0, 0).
    expectVectorNear(open->getValue(0.5f), Vector3(0.4375f, 0.5625f, 0));
    EXPECT_EQ(open->getValue(1.0f), Vector3(1, 1, 0));
    // A key added later invalidates the tangents.
    open->addKeyFrame(3.0f, Vector3(2, 2, 0));
    expectVectorNear(open->getValue(1.5f), Vector3(1.5625f, 0.4375f, 0));

    TrackHandle<Vector3> closed(kAnimationSpline);
    closed->addKeyFrame(0.0f, Vector3(0, 0, 0));
    closed->addKeyFrame(1.0f, Vector3(1, 0, 0));
    closed->addKeyFrame(2.0f, Vector3(1, 1, 0));
    closed->addKeyFrame(3.0f, Vector3(0, 0, 0));
    // The end tangent is the start tangent (0, -1/2, 0), not (p3 - p2) / 2.
    expectVectorNear(closed->getValue(2.5f), Vector3(0.4375f, 0.5625f, 0));

    TrackHandle<Vector3> linear;
    linear->addKeyFrame(0.0f, Vector3(0, 0, 0));
    linear->addKeyFrame(1.0f, Vector3(1, 1, 0));
    linear->addKeyFrame(2.0f, Vector3(2, 0, 0));
    expectVectorNear(linear->getValue(0.5f), Vector3(0.5f, 0.5f, 0));
}

TEST(AnimationTrack, RotationsSlerpAlongTheShorterArc) {
    const float s = std::sqrt(0.5f);
    const Quaternion quarterTurn(s, 0, 0, s);  // 90 degrees about z
    for (const Quaternion& end : {quarterTurn, -quarterTurn}) {
        TrackHandle<Quaternion> track;
        track->addKeyFrame(0.0f, Quaternion::IDENTITY);
        track->addKeyFrame(1.0f, end);
        const Vector3 turned = track->getValue(0.5f) * Vector3::UNIT_X;
        expectVectorNear(turned, Vector3(s, s, 0));
    }

    // No interpolator: a time between different keys yields the identity.
    auto* bare = new AnimationTrack<Quaternion>();
    bare->addKeyFrame(0.0f, Quaternion::IDENTITY);
    bare->addKeyFrame(1.0f, quarterTurn);
    EXPECT_EQ(bare->getValue(0.5f), Quaternion::IDENTITY);
    bare->removeReference();
}
