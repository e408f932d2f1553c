// The poll and the mouse emulation, one poll at a time on the test's thread,
// against the simulated tracker and desktop on virtual time.
#include "PollDriver.h"
#include "TrackerThread.h"
#include "ViewWindowHooks.h"

#include <gtest/gtest.h>

#include <vxhost/DebugOutput.h>
#include <vxhost/Desktop.h>
#include <vxhost/VexelHost.h>

#include <cstdlib>
#include <string>
#include <vector>

using vexel::common::Matrix4;
using vexel::tracker::PoseData;
using vxhost::DeliveredMessage;

namespace {

class TrackerPoll : public ::testing::Test {
protected:
    void SetUp() override {
        vxhost::resetDisplays();
        vxhost::resetTracker();
        desktop().reset();
        vxhost::DebugOutput::instance().take();
    }

    static vxhost::Desktop& desktop() { return vxhost::Desktop::instance(); }

    static void stylusAt(int x, int y) {
        Matrix4 pose;
        EXPECT_TRUE(vxhost::stylusPoseAtPixel(x, y, 0.1f, pose));
        vxhost::setStylusPose(pose);
    }

    // The tracker reports at every poll, so the filtered stylus settles there.
    static void holdStylusAt(PollDriver& tracker, int x, int y, int polls) {
        for (int i = 0; i < polls; ++i) {
            stylusAt(x, y);
            tracker.poll();
        }
    }

    static void key(int virtualKey, bool down) {
        desktop().key(virtualKey, down);
        desktop().deliverInput();
    }

    static std::vector<DeliveredMessage> journal() {
        desktop().deliverInput();
        return desktop().takeJournal();
    }

    static std::vector<DeliveredMessage> only(const std::vector<DeliveredMessage>& messages,
                                              UINT message) {
        std::vector<DeliveredMessage> matching;
        for (const DeliveredMessage& entry : messages) {
            if (entry.message == message) {
                matching.push_back(entry);
            }
        }
        return matching;
    }
};

}  // namespace

TEST_F(TrackerPoll, ButtonQueries) {
    vxhost::setButtons({});
    {
        PollDriver tracker;
        tracker.poll();
        EXPECT_FALSE(tracker.isButtonPressed(-1));
        EXPECT_FALSE(tracker.isButtonPressed(0));
    }
    vxhost::setButtons({false, true, false});
    PollDriver tracker;
    tracker.poll();
    EXPECT_TRUE(tracker.isButtonPressed(-1));
    EXPECT_TRUE(tracker.isButtonPressed(1));
    EXPECT_FALSE(tracker.isButtonPressed(0));
    EXPECT_FALSE(tracker.isButtonPressed(3));
    EXPECT_FALSE(tracker.isButtonPressed(-2));
}

TEST_F(TrackerPoll, UserMouseMotionWinsOverStylusMotionInTheSamePoll) {
    PollDriver tracker;
    stylusAt(960, 540);
    tracker.poll();
    EXPECT_FALSE(tracker.isMouseMode());

    stylusAt(200, 200);
    desktop().mouse({500, 500}, 0);
    tracker.poll();
    EXPECT_TRUE(tracker.isMouseMode());
}

TEST_F(TrackerPoll, PoseLookupByAge) {
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(nullptr, 0, 0.18), -1);

    PoseData records[TrackerThread::kPoseBufferSize];
    records[0].time = 3.0;
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(records, 1, 0.18), 0);
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(records, 1, 0.0), 0);

    for (int i = 0; i < TrackerThread::kPoseBufferSize; ++i) {
        records[i].time = 3.0 - 0.017 * i;
    }
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(records, 50, 0.0), 0);
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(records, 50, 0.18), 11);
    EXPECT_EQ(TrackerThread::findPoseIndexByAge(records, 50, 10.0), 49);

    // The sample rate is read from the median interval, so lost samples and
    // reports at the same instant do not move it.
    EXPECT_EQ(TrackerThread::estimateSampleRate(records, 1), 0.0);
    EXPECT_NEAR(TrackerThread::estimateSampleRate(records, 50), 1.0 / 0.017, 1e-6);
    records[10].time = records[9].time;
    for (int i = 20; i < TrackerThread::kPoseBufferSize; ++i) {
        records[i].time -= 0.05;
    }
    EXPECT_NEAR(TrackerThread::estimateSampleRate(records, 50), 1.0 / 0.017, 1e-6);
}

TEST_F(TrackerPoll, ShortClickPressesAndReleasesWhereTheStylusAimedBeforeThePress) {
    vxhost::setButtons({false});
    PollDriver tracker;
    holdStylusAt(tracker, 400, 300, 60);

    // The press jolts the stylus far away; a quick release lands elsewhere again.
    vxhost::setButtons({true});
    holdStylusAt(tracker, 1500, 900, 2);
    vxhost::setButtons({false});
    holdStylusAt(tracker, 100, 1000, 1);
    std::vector<DeliveredMessage> messages = journal();
    const std::vector<DeliveredMessage> downs = only(messages, WM_LBUTTONDOWN);
    std::vector<DeliveredMessage> ups = only(messages, WM_LBUTTONUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NEAR(downs[0].cursor.x, 400, 1);
    EXPECT_NEAR(downs[0].cursor.y, 300, 1);
    EXPECT_EQ(ups[0].cursor.x, downs[0].cursor.x);
    EXPECT_EQ(ups[0].cursor.y, downs[0].cursor.y);

    // A long press is released where the stylus is.
    vxhost::setButtons({true});
    holdStylusAt(tracker, 700, 800, 60);
    vxhost::setButtons({false});
    holdStylusAt(tracker, 700, 800, 1);
    ups = only(journal(), WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NEAR(ups[0].cursor.x, 700, 1);
    EXPECT_NEAR(ups[0].cursor.y, 800, 1);
}

TEST_F(TrackerPoll, FourButtonsWarnAtEveryPassAndEmulateOnlyTheFirstThree) {
    vxhost::setButtons({false, false, false, false});
    PollDriver tracker;
    stylusAt(960, 540);
    tracker.poll();
    journal();
    const std::string warning =
        "Unable to process mouse events for buttons above 3.  4 to process.";
    EXPECT_EQ(vxhost::DebugOutput::instance().takeLines(), std::vector<std::string>{warning});

    vxhost::setButtons({true, true, true, true});
    tracker.poll();
    EXPECT_EQ(vxhost::DebugOutput::instance().takeLines(), std::vector<std::string>{warning});
    const std::vector<DeliveredMessage> messages = journal();
    EXPECT_EQ(only(messages, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(only(messages, WM_RBUTTONDOWN).size(), 1u);
    EXPECT_EQ(only(messages, WM_MBUTTONDOWN).size(), 1u);
    EXPECT_EQ(messages.size(), 3u + only(messages, WM_MOUSEMOVE).size());
}

TEST_F(TrackerPoll, NudgeAlternatesAroundTheRestingCursor) {
    PollDriver tracker;
    stylusAt(960, 540);
    tracker.poll();
    tracker.setCursorNudgeOff(false);
    std::vector<POINT> cursors;
    for (int i = 0; i < 6; ++i) {
        tracker.poll();
        cursors.push_back(desktop().cursor());
    }
    for (int i = 0; i + 2 < 6; ++i) {
        EXPECT_EQ(std::abs(cursors[i + 1].x - cursors[i].x), 5);
        EXPECT_EQ(cursors[i + 2].x, cursors[i].x);
        EXPECT_EQ(cursors[i].y, 540);
    }
    EXPECT_FALSE(tracker.isMouseMode());
}

TEST_F(TrackerPoll, KeyboardHookAndViewWindowReportHeldKeysAndMouseButtons) {
    PollDriver tracker;
    const HWND view = desktop().createWindow(nullptr, RECT{0, 0, 800, 600}, nullptr);
    desktop().setActiveWindow(view);
    ViewWindowHooks::attach(view, &tracker);

    key(VK_MENU, true);
    key(VK_SPACE, true);
    key(VK_SPACE, true);  // auto-repeat
    EXPECT_EQ(tracker.getInputFlags(), TrackerThread::kAltHeld | TrackerThread::kSpaceHeld);
    key(VK_SPACE, false);
    key(VK_SHIFT, true);
    EXPECT_EQ(tracker.getInputFlags(), TrackerThread::kAltHeld | TrackerThread::kShiftHeld);
    EXPECT_TRUE(tracker.isShiftHeld());
    key(VK_MENU, false);
    key(VK_SHIFT, false);
    EXPECT_EQ(tracker.getInputFlags(), 0u);

    // Mouse buttons on the view count only in mouse mode.
    desktop().sendMessage(view, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(tracker.getInputFlags(), 0u);
    desktop().mouse({100, 100}, 0);
    tracker.poll();
    ASSERT_TRUE(tracker.isMouseMode());
    desktop().sendMessage(view, WM_RBUTTONDOWN, 0, 0);
    desktop().sendMessage(view, WM_MBUTTONDOWN, 0, 0);
    EXPECT_EQ(tracker.getInputFlags(),
              TrackerThread::kRightButtonHeld | TrackerThread::kMiddleButtonHeld);
    desktop().sendMessage(view, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(tracker.getInputFlags(), TrackerThread::kMiddleButtonHeld);

    ViewWindowHooks::detach(&tracker);
    EXPECT_EQ(ViewWindowHooks::subclassedWindow(), nullptr);
    key(VK_MENU, true);
    EXPECT_EQ(tracker.getInputFlags() & TrackerThread::kAltHeld, 0u);
}

TEST_F(TrackerPoll, ListenersSeeViewMessagesOncePerKey) {
    PollDriver tracker;
    const HWND view = desktop().createWindow(nullptr, RECT{0, 0, 800, 600}, nullptr);
    ViewWindowHooks::attach(view, &tracker);
    auto count = [](void* context, HWND, UINT, WPARAM, LPARAM) { ++*static_cast<int*>(context); };
    int first = 0;
    int second = 0;
    tracker.addMessageListener(count, &first);
    tracker.addMessageListener(count, &second);
    desktop().sendMessage(view, WM_USER, 0, 0);
    tracker.removeMessageListener(count);
    desktop().sendMessage(view, WM_USER, 0, 0);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    ViewWindowHooks::detach(&tracker);
}

TEST_F(TrackerPoll, ZoomIsFixedOncePerSettledChange) {
    PollDriver tracker;
    const std::vector<std::pair<double, bool>> steps = {{5.0, false}, {6.0, false}, {6.0, true},
                                                        {6.0, false}, {7.0, false}, {7.0, true}};
    for (const auto& [focalDistance, fix] : steps) {
        EXPECT_EQ(tracker.noteFocalDistance(focalDistance), fix) << focalDistance;
    }
}
