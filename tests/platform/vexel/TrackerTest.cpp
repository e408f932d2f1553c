// Targets, pose delivery through filters, pose history and buttons of VXTracker.
#include <vexel/common/Timer.h>
#include <vexel/tracker/TrackerSystem.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace vexel::common;
using namespace vexel::tracker;

namespace {

Matrix4 at(float x, float y = 0.0f, float z = 0.0f) {
    Matrix4 m;
    m.setTrans(Vector3(x, y, z));
    return m;
}

//! Moves the stylus 1 cm to the right of its input and counts its calls.
class ShiftingFilter final : public TrackerFilter {
public:
    static ShiftingFilter* create() { return new ShiftingFilter(); }
    int calls = 0;
    void setThreshold(float) override {}
    float getThreshold() const override { return 0.0f; }
    void setLevel(float) override {}
    float getLevel() const override { return 0.0f; }
    void setStartRate(float) override {}
    float getStartRate() const override { return 0.0f; }
    void setStopRate(float) override {}
    float getStopRate() const override { return 0.0f; }
    void setCutoff(double, double) override {}
    bool filter(const Matrix4& in, Matrix4& out) override {
        ++calls;
        out = in;
        out.setTrans(in.getTrans() + Vector3(0.01f, 0, 0));
        return isEnabled();
    }

private:
    ShiftingFilter() = default;
};

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        vxhost::resetTracker();
        system_ = TrackerSystem::create();
        stylus_ = system_->getDefaultTrackerTarget(kTargetStylus);
        ASSERT_NE(stylus_, nullptr);
    }
    void TearDown() override {
        system_->removeReference();
        vxhost::resetTracker();
    }
    TrackerSystem* system_ = nullptr;
    TrackerTarget* stylus_ = nullptr;
};

}  // namespace

TEST_F(TrackerTest, TheDeviceSamplesAtItsRateAndTheHistoryKeepsTheLastFifty) {
    ASSERT_TRUE(vxhost::setDeviceSettings(vxhost::kStylus, {100.0}));
    stylus_->setPoseBufferingEnabled(true);
    ShiftingFilter* filter = ShiftingFilter::create();
    stylus_->setTrackerFilter(filter);

    // Every report is a sample; between reports the device repeats the last one
    // every 10 ms, and all of them reach the filter and the history at one capture.
    const double start = vexel::common::Timer::now();
    vxhost::setStylusPose(at(0.0f));
    vxhost::HostClock::instance().advance(25000);
    vxhost::setStylusPose(at(1.0f));
    vxhost::HostClock::instance().advance(25000);
    system_->captureTargets();
    EXPECT_EQ(filter->calls, 6);
    PoseData records[64];
    ASSERT_EQ(stylus_->getPoseBuffer(records, 64), 6);
    const double expectedTimes[6] = {0.045, 0.035, 0.025, 0.020, 0.010, 0.0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(records[i].time - start, expectedTimes[i], 1e-6) << i;
        EXPECT_FLOAT_EQ(records[i].matrix.getTrans().x, i < 3 ? 1.01f : 0.01f) << i;
    }

    // After a long pause the device's queue delivers its last fifty samples.
    vxhost::HostClock::instance().advance(1000000);
    system_->captureTargets();
    EXPECT_EQ(filter->calls, 6 + TrackerTarget::kPoseBufferSize);
    ASSERT_EQ(stylus_->getPoseBuffer(records, 64), TrackerTarget::kPoseBufferSize);
    EXPECT_NEAR(records[0].time, vexel::common::Timer::now(), 0.01);
    for (int i = 1; i < TrackerTarget::kPoseBufferSize; ++i) {
        EXPECT_NEAR(records[i - 1].time - records[i].time, 0.01, 1e-6) << i;
    }
    EXPECT_EQ(stylus_->getPoseBuffer(records, 3), 3);
    EXPECT_EQ(stylus_->getPoseBuffer(nullptr, 3), 0);

    stylus_->setPoseBufferingEnabled(false);
    EXPECT_EQ(stylus_->getPoseBuffer(records, 64), 0);
    stylus_->setTrackerFilter(nullptr);
    filter->removeReference();
}

TEST_F(TrackerTest, SeededNoiseMovesThePositionOnlyAndReplays) {
    constexpr double kNoise = 0.0005;
    const Matrix4 held(0, -1, 0, 0.1f, 1, 0, 0, 0.2f, 0, 0, 1, 0.3f, 0, 0, 0, 1);
    auto sampleSecond = [&](std::uint32_t seed) {
        EXPECT_TRUE(vxhost::setDeviceSettings(vxhost::kStylus, {1000.0, kNoise, seed}));
        vxhost::setStylusPose(held);
        std::vector<Matrix4> poses;
        for (int capture = 0; capture < 25; ++capture) {
            vxhost::HostClock::instance().advance(40000);
            system_->captureTargets();
            PoseData records[TrackerTarget::kPoseBufferSize];
            const int count = stylus_->getPoseBuffer(records, TrackerTarget::kPoseBufferSize);
            for (int i = std::min(count, 40) - 1; i >= 0; --i) {
                poses.push_back(records[i].matrix);
            }
        }
        return poses;
    };
    stylus_->setPoseBufferingEnabled(true);
    const std::vector<Matrix4> first = sampleSecond(7);
    ASSERT_EQ(first.size(), 1000u);
    double sum = 0.0;
    double squares = 0.0;
    for (const Matrix4& pose : first) {
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                ASSERT_EQ(pose[row][column], held[row][column]);
            }
            const double offset = pose[row][3] - held[row][3];
            sum += offset;
            squares += offset * offset;
        }
    }
    const double n = 3.0 * first.size();
    EXPECT_NEAR(sum / n, 0.0, 4.0 * kNoise / std::sqrt(n));
    EXPECT_NEAR(std::sqrt(squares / n), kNoise, 0.05 * kNoise);

    EXPECT_EQ(sampleSecond(7), first);
    EXPECT_NE(sampleSecond(8), first);
}

TEST_F(TrackerTest, DeviceSettingsOutOfRangeAreRefusedAndResetRestoresTheDefaults) {
    ASSERT_TRUE(vxhost::setDeviceSettings(vxhost::kHead, {90.0, 0.001, 3}));
    std::string error;
    for (const double rate : {0.0, -60.0, std::nan(""), vxhost::kMaxDeviceRate * 2}) {
        EXPECT_FALSE(vxhost::setDeviceSettings(vxhost::kHead, {rate}, &error)) << rate;
        EXPECT_NE(error.find("device rate"), std::string::npos) << error;
    }
    EXPECT_FALSE(vxhost::setDeviceSettings(vxhost::kHead, {90.0, -0.001}, &error));
    EXPECT_NE(error.find("noise"), std::string::npos) << error;
    EXPECT_FALSE(vxhost::setDeviceSettings(7, {}, &error));
    EXPECT_EQ(vxhost::deviceSettings(vxhost::kHead).rate, 90.0);
    EXPECT_EQ(vxhost::deviceSettings(vxhost::kHead).positionNoise, 0.001);

    vxhost::resetTracker();
    EXPECT_EQ(vxhost::deviceSettings(vxhost::kHead).rate, vxhost::DeviceSettings{}.rate);
    EXPECT_EQ(vxhost::deviceSettings(vxhost::kHead).positionNoise, 0.0);
}

TEST_F(TrackerTest, FilterOutputIsWhatGetPoseAndTheHistoryReport) {
    stylus_->setPoseBufferingEnabled(true);
    ShiftingFilter* filter = ShiftingFilter::create();
    stylus_->setTrackerFilter(filter);
    EXPECT_EQ(filter->getReferenceCount(), 2);

    vxhost::setStylusPose(at(0.1f));
    vxhost::setStylusPose(at(0.2f));
    system_->captureTargets();
    EXPECT_EQ(filter->calls, 2);
    Matrix4 pose;
    ASSERT_TRUE(stylus_->getPose(pose));
    EXPECT_FLOAT_EQ(pose.getTrans().x, 0.21f);
    PoseData newest;
    ASSERT_EQ(stylus_->getPoseBuffer(&newest, 1), 1);
    EXPECT_EQ(newest.matrix, pose);

    // A filter that declines delivers the raw pose; invalid samples skip it.
    filter->setEnabled(false);
    vxhost::setStylusPose(at(0.3f));
    vxhost::setStylusPose(at(9.0f), false);
    system_->captureTargets();
    EXPECT_EQ(filter->calls, 3);
    EXPECT_FALSE(stylus_->getPose(pose));
    vxhost::setStylusPose(at(0.4f));
    system_->captureTargets();
    ASSERT_TRUE(stylus_->getPose(pose));
    EXPECT_FLOAT_EQ(pose.getTrans().x, 0.4f);

    stylus_->setTrackerFilter(nullptr);
    EXPECT_EQ(filter->getReferenceCount(), 1);
    filter->removeReference();
}

TEST_F(TrackerTest, TargetsVanishAndComeBack) {
    vxhost::setStylusPose(at(0.5f));
    system_->captureTargets();
    Matrix4 pose;
    ASSERT_TRUE(stylus_->isEnabled());
    ASSERT_TRUE(stylus_->getPose(pose));

    vxhost::setTargetPresent(vxhost::kStylus, false);
    EXPECT_EQ(system_->getDefaultTrackerTarget(kTargetStylus), nullptr);
    EXPECT_TRUE(stylus_->isEnabled());  // nothing changes before the next capture
    system_->captureTargets();
    EXPECT_FALSE(stylus_->isEnabled());
    EXPECT_FALSE(stylus_->getPose(pose));

    vxhost::setTargetPresent(vxhost::kStylus, true);
    system_->captureTargets();
    EXPECT_EQ(system_->getDefaultTrackerTarget(kTargetStylus), stylus_);
    EXPECT_TRUE(stylus_->isEnabled());
    EXPECT_FALSE(stylus_->getPose(pose));  // no stale pose after a return
    vxhost::setStylusPose(at(0.6f));
    system_->captureTargets();
    ASSERT_TRUE(stylus_->getPose(pose));
    EXPECT_EQ(pose.getTrans().x, 0.6f);

    vxhost::setTargetEnabled(vxhost::kHead, false);
    TrackerTarget* head = system_->getDefaultTrackerTarget(kTargetHead);
    ASSERT_NE(head, nullptr);
    system_->captureTargets();
    EXPECT_FALSE(head->isEnabled());
    EXPECT_EQ(head->getCapability(kCapabilityButtons), nullptr);
    EXPECT_EQ(system_->getDefaultTrackerTarget(5), nullptr);

    // A system created while a device is away does not hand it out at all.
    vxhost::setTargetPresent(vxhost::kHead, false);
    TrackerSystem* later = TrackerSystem::create();
    EXPECT_EQ(later->getDefaultTrackerTarget(kTargetHead), nullptr);
    later->removeReference();
}

TEST_F(TrackerTest, ButtonsAreCountedAtCreationAndLatchedAtCapture) {
    ButtonCapability* buttons = stylus_->getCapability(kCapabilityButtons);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->getNumButtons(), 3);

    ASSERT_TRUE(vxhost::setButtons({false, true, false, true}));
    EXPECT_FALSE(buttons->isButtonPressed(1));
    system_->captureTargets();
    EXPECT_EQ(buttons->getNumButtons(), 4);
    EXPECT_TRUE(buttons->isButtonPressed(1));
    EXPECT_TRUE(buttons->isButtonPressed(3));
    EXPECT_FALSE(buttons->isButtonPressed(4));
    EXPECT_FALSE(buttons->isButtonPressed(-1));

    EXPECT_FALSE(vxhost::setButtons(std::vector<bool>(vxhost::kMaxButtons + 1, true)));
    EXPECT_EQ(vxhost::buttons().size(), 4u);
}
