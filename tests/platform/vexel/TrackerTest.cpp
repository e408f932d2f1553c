// Targets, pose delivery through filters, pose history and buttons of VXTracker.
#include <vexel/tracker/TrackerSystem.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <gtest/gtest.h>

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
    static void tick() { vxhost::HostClock::instance().advance(17000); }

    TrackerSystem* system_ = nullptr;
    TrackerTarget* stylus_ = nullptr;
};

}  // namespace

TEST_F(TrackerTest, HistoryIsNewestFirstAndKeepsTheLastFifty) {
    stylus_->setPoseBufferingEnabled(true);
    for (int i = 0; i < 30; ++i) {
        vxhost::setStylusPose(at(static_cast<float>(i)));
        tick();
        if (i % 3 == 0) {
            system_->captureTargets();  // several samples per capture all reach the history
        }
    }
    for (int i = 30; i < 60; ++i) {
        vxhost::setStylusPose(at(static_cast<float>(i)));
        tick();
        system_->captureTargets();
    }
    PoseData records[64];
    ASSERT_EQ(stylus_->getPoseBuffer(records, 64), TrackerTarget::kPoseBufferSize);
    for (int i = 0; i < TrackerTarget::kPoseBufferSize; ++i) {
        EXPECT_EQ(records[i].matrix.getTrans().x, static_cast<float>(59 - i));
        if (i > 0) {
            EXPECT_GT(records[i - 1].time, records[i].time);
        }
    }
    EXPECT_EQ(stylus_->getPoseBuffer(records, 3), 3);
    EXPECT_EQ(records[2].matrix.getTrans().x, 57.0f);
    EXPECT_EQ(stylus_->getPoseBuffer(nullptr, 3), 0);

    stylus_->setPoseBufferingEnabled(false);
    EXPECT_EQ(stylus_->getPoseBuffer(records, 64), 0);
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

TEST_F(TrackerTest, AStylusAtRestKeepsReportingSoFiltersSettle) {
    stylus_->setPoseBufferingEnabled(true);
    ShiftingFilter* filter = ShiftingFilter::create();
    stylus_->setTrackerFilter(filter);
    vxhost::setStylusPose(at(0.1f));
    for (int i = 0; i < 3; ++i) {
        system_->captureTargets();
        tick();
    }
    EXPECT_EQ(filter->calls, 3);
    PoseData records[3];
    ASSERT_EQ(stylus_->getPoseBuffer(records, 3), 3);
    EXPECT_GT(records[0].time, records[1].time);
    EXPECT_FLOAT_EQ(records[2].matrix.getTrans().x, 0.11f);
    stylus_->setTrackerFilter(nullptr);
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
