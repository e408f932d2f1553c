// The tracker thread itself, running on virtual time: start-up state, the
// double-buffered poses and the configuration command.
#include "ConfigurationCmd.h"
#include "TrackerThread.h"

#include <gtest/gtest.h>

#include <mayasim/CommandEngine.h>
#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

using vexel::common::Matrix4;

namespace {

constexpr std::uint64_t kPollMicros = 17000;

void runPolls(int count) {
    vxhost::HostClock::instance().advance(kPollMicros * count);
}

class TrackerThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        vxhost::resetDisplays();
        vxhost::resetTracker();
        vxhost::Desktop::instance().reset();
    }
    void TearDown() override { TrackerThread::destroyInstance(); }
};

}  // namespace

TEST_F(TrackerThreadTest, WithoutTargetsTheThreadOnlySleeps) {
    vxhost::setTargetPresent(vxhost::kHead, false);
    vxhost::setTargetPresent(vxhost::kStylus, false);
    vxhost::Desktop::instance().mouse({300, 200}, 0);
    vxhost::Desktop::instance().deliverInput();
    vxhost::Desktop::instance().takeJournal();

    TrackerThread* tracker = TrackerThread::getInstance();
    EXPECT_TRUE(TrackerThread::hasInstance());
    runPolls(10);
    Matrix4 pose;
    tracker->getHeadPose(pose);
    EXPECT_EQ(pose, Matrix4::IDENTITY);
    tracker->getStylusPose(pose);
    EXPECT_EQ(pose, Matrix4::IDENTITY);
    EXPECT_FALSE(tracker->isButtonPressed(-1));
    EXPECT_FALSE(tracker->isMouseMode());
    EXPECT_FALSE(tracker->isStylusEnabled());
    EXPECT_FALSE(tracker->isHeadEnabled());
    EXPECT_FALSE(tracker->isStylusPointerOnly());
    EXPECT_EQ(tracker->getDisplayIndex(), -1);
    EXPECT_TRUE(tracker->getMouseEmulation());
    vxhost::Desktop::instance().deliverInput();
    EXPECT_TRUE(vxhost::Desktop::instance().takeJournal().empty());

    TrackerThread::destroyInstance();
    EXPECT_FALSE(TrackerThread::hasInstance());
}

TEST_F(TrackerThreadTest, HeadPoseReachesReadersAfterAPoll) {
    TrackerThread* tracker = TrackerThread::getInstance();
    const Matrix4 head(1, 0, 0, 0.01f, 0, 1, 0, 0.02f, 0, 0, 1, 0.03f, 0, 0, 0, 1);
    vxhost::setHeadPose(head);
    runPolls(2);
    Matrix4 pose;
    tracker->getHeadPose(pose);
    EXPECT_EQ(pose, head);
    EXPECT_TRUE(tracker->isHeadEnabled());
}

TEST_F(TrackerThreadTest, ToggleMouseEmulationTwiceRestoresIt) {
    auto& engine = mayasim::CommandEngine::instance();
    ASSERT_TRUE(engine.registerCommand(ConfigurationCmd::kName, &ConfigurationCmd::creator,
                                       &ConfigurationCmd::newSyntax, "test"));
    const bool initial = TrackerThread::getInstance()->getMouseEmulation();
    ASSERT_TRUE(engine.executeMel("vexelConfigurationCmd -tme", nullptr, false, true));
    EXPECT_NE(TrackerThread::getInstance()->getMouseEmulation(), initial);
    ASSERT_TRUE(
        engine.executeMel("vexelConfigurationCmd -toggleMouseEmulation", nullptr, false, true));
    EXPECT_EQ(TrackerThread::getInstance()->getMouseEmulation(), initial);
    ASSERT_TRUE(engine.executeMel("vexelConfigurationCmd", nullptr, false, true));
    EXPECT_EQ(TrackerThread::getInstance()->getMouseEmulation(), initial);
    engine.deregisterCommand(ConfigurationCmd::kName);
}
