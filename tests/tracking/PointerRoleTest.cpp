// Who the stylus works for, seen from the desktop: whether the pointer follows it
// (cursor) and whether it is only the desktop pointer (isStylusPointerOnly), as a
// stylus tool is set up and cleaned up, around the near-screen threshold and
// under the navigation chords.
#include "PollDriver.h"
#include "TrackerThread.h"

#include <gtest/gtest.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Views.h>
#include <vxhost/Desktop.h>
#include <vxhost/VexelHost.h>

#include <cstdlib>

using vexel::common::Matrix4;

namespace {

constexpr float kFar = 0.3f;    // metres from the screen, beyond the 0.1 threshold
constexpr float kNear = 0.05f;  // within it
constexpr int kSettle = 80;     // polls for the damped stylus to arrive

class PointerRole : public ::testing::Test {
protected:
    void SetUp() override {
        mayasim::views::clear();
        desktop().reset();
        vxhost::resetDisplays();
        vxhost::resetTracker();
        // The 3D view covers desktop pixels (400, 200) to (1200, 800).
        mayasim::views::create(nullptr, RECT{400, 200, 1200, 800});
        desktop().setActiveWindow(mayasim::views::window(0));
    }
    void TearDown() override { mayasim::views::clear(); }

    static vxhost::Desktop& desktop() { return vxhost::Desktop::instance(); }

    // The idle callback takes the view's place on the desktop and hooks its keys.
    static void followView() { mayasim::CommandEngine::instance().runIdle(); }

    static void aimAt(PollDriver& tracker, int x, int y, float distance, int polls = kSettle) {
        Matrix4 pose;
        ASSERT_TRUE(vxhost::stylusPoseAtPixel(x, y, distance, pose));
        for (int i = 0; i < polls; ++i) {
            vxhost::setStylusPose(pose);
            tracker.poll();
        }
    }

    static void key(int virtualKey, bool down) {
        desktop().key(virtualKey, down);
        desktop().deliverInput();
    }

    static bool cursorAt(int x, int y) {
        const POINT cursor = desktop().cursor();
        return std::abs(cursor.x - x) <= 1 && std::abs(cursor.y - y) <= 1;
    }
    // The damped stylus's last point inside the view on its way out to the left along
    // y = 500, on the way from x = 800 to the edge at x = 400.
    static bool cursorWhereTheStylusLeftTheView() {
        const POINT cursor = desktop().cursor();
        return cursor.x > 400 && cursor.x < 700 && std::abs(cursor.y - 500) <= 1;
    }
};

}  // namespace

TEST_F(PointerRole, WhileAToolIsActiveTheNearThresholdDecides) {
    PollDriver tracker;
    followView();
    tracker.setEmulationActive(true);
    aimAt(tracker, 800, 500, kFar);
    EXPECT_TRUE(cursorAt(800, 500));
    EXPECT_FALSE(tracker.isStylusPointerOnly());
    // Far from the screen outside the view the stylus stays in the scene and the pointer
    // waits where the stylus left the view; near the screen the stylus is the pointer.
    aimAt(tracker, 200, 500, kFar);
    EXPECT_TRUE(cursorWhereTheStylusLeftTheView());
    EXPECT_FALSE(tracker.isStylusPointerOnly());
    aimAt(tracker, 200, 500, kNear);
    EXPECT_TRUE(cursorAt(200, 500));
    EXPECT_TRUE(tracker.isStylusPointerOnly());
    tracker.setNearThreshold(0.5);
    aimAt(tracker, 150, 600, kFar);
    EXPECT_TRUE(cursorAt(150, 600));
    EXPECT_TRUE(tracker.isStylusPointerOnly());
}

TEST_F(PointerRole, ToolCleanUpGivesThePointerBackToTheStylus) {
    PollDriver tracker;
    followView();
    tracker.setEmulationActive(true);
    aimAt(tracker, 800, 500, kFar);
    aimAt(tracker, 200, 500, kFar);
    ASSERT_TRUE(cursorWhereTheStylusLeftTheView());
    tracker.setEmulationActive(false);
    aimAt(tracker, 150, 600, kFar);
    EXPECT_TRUE(cursorAt(150, 600));
}

TEST_F(PointerRole, NavigationChordsHandTheStylusToTheDesktop) {
    PollDriver tracker;
    followView();
    tracker.setEmulationActive(true);
    aimAt(tracker, 200, 500, kFar);
    ASSERT_FALSE(tracker.isStylusPointerOnly());
    key(VK_SPACE, true);
    aimAt(tracker, 200, 500, kFar, 1);
    EXPECT_TRUE(tracker.isStylusPointerOnly());
    key(VK_SPACE, false);
    aimAt(tracker, 200, 500, kFar, 1);
    EXPECT_FALSE(tracker.isStylusPointerOnly());
    // Alt alone does nothing until a stylus button joins it (button 0 stays up, so the
    // stylus still counts as a pointer only).
    key(VK_MENU, true);
    aimAt(tracker, 200, 500, kFar, 1);
    EXPECT_FALSE(tracker.isStylusPointerOnly());
    vxhost::setButtons({false, true, false});
    aimAt(tracker, 150, 600, kFar);
    EXPECT_TRUE(tracker.isStylusPointerOnly());
    EXPECT_TRUE(cursorAt(150, 600));
    key(VK_MENU, false);
}
