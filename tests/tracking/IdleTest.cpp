// Maya's idle event on the tracker thread: following the active view, tool
// switching at the stereo view's border, and the mouse-mode stylus depth.
#include "PollDriver.h"
#include "TrackerThread.h"
#include "ViewWindowHooks.h"

#include <gtest/gtest.h>

#include <maya/MDagPath.h>
#include <maya/MString.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Scene.h>
#include <mayasim/Value.h>
#include <mayasim/Views.h>
#include <vxhost/Desktop.h>
#include <vxhost/VexelHost.h>

#include <algorithm>
#include <string>
#include <vector>

using vexel::common::Matrix4;

namespace {

class TrackerIdle : public ::testing::Test {
protected:
    void SetUp() override {
        mayasim::views::clear();
        mayasim::Scene::instance().reset();
        vxhost::Desktop::instance().reset();
        vxhost::resetDisplays();
        vxhost::resetTracker();
        engine().setPythonRunner([this](const std::string& code, mayasim::Value* result) {
            if (code.find("currentCtx") != std::string::npos) {
                *result = mayasim::Value(currentContext_);
            } else {
                pythonRun_.push_back(code);
            }
            return MStatus(MS::kSuccess);
        });
    }
    void TearDown() override {
        engine().setPythonRunner(nullptr);
        mayasim::views::clear();
    }

    static mayasim::CommandEngine& engine() { return mayasim::CommandEngine::instance(); }

    static std::string mel(const char* source) {
        mayasim::Value result;
        EXPECT_TRUE(engine().executeMel(source, &result, false, false)) << source;
        return result.asString();
    }

    static MDagPath cameraPath(const char* shape) {
        MDagPath path;
        EXPECT_TRUE(mayasim::Scene::instance().findPath(shape, path));
        return path;
    }

    std::string currentContext_;
    std::vector<std::string> pythonRun_;
};

}  // namespace

TEST_F(TrackerIdle, FollowsTheActiveView) {
    PollDriver tracker;
    mayasim::views::create(nullptr, RECT{100, 50, 900, 650});
    mayasim::views::create(nullptr, RECT{1000, 100, 1600, 500});
    mayasim::views::setActive(1);
    engine().runIdle();
    EXPECT_EQ(ViewWindowHooks::subclassedWindow(), mayasim::views::window(1));
    EXPECT_TRUE(tracker.isViewChanged());
    int x = 0, y = 0, width = 0, height = 0;
    tracker.getViewportRect(x, y, width, height);
    EXPECT_EQ(std::vector<int>({x, y, width, height}), std::vector<int>({1000, 100, 600, 400}));
    EXPECT_EQ(tracker.getDisplayIndex(), 0);

    tracker.clearViewChanged();
    engine().runIdle();
    EXPECT_FALSE(tracker.isViewChanged());

    mayasim::views::setActive(0);
    engine().runIdle();
    EXPECT_EQ(ViewWindowHooks::subclassedWindow(), mayasim::views::window(0));
    EXPECT_TRUE(tracker.isViewChanged());
}

TEST_F(TrackerIdle, ToolsSwitchAtTheStereoViewBorder) {
    mel("createNode transform -n rigRoot; addAttr -ln centerCam -at message rigRoot;"
        "createNode transform -n centerCam; createNode camera -n centerCamShape -p centerCam;"
        "connectAttr centerCam.message rigRoot.centerCam;"
        "createNode transform -n plainCam; createNode camera -n plainCamShape -p plainCam;");
    const MDagPath stereo = cameraPath("centerCamShape");
    const MDagPath plain = cameraPath("plainCamShape");
    PollDriver tracker;
    mayasim::views::create(nullptr, RECT{0, 0, 800, 600}, plain);
    mel("setToolTo scaleSuperContext");

    currentContext_ = "moveSuperContext";
    engine().runIdle();
    EXPECT_TRUE(pythonRun_.empty());
    mayasim::views::setCamera(0, stereo);
    engine().runIdle();
    EXPECT_TRUE(tracker.isActiveViewStereo());
    EXPECT_EQ(pythonRun_, std::vector<std::string>{"vexelUtils.setToolToMoveToolContext()"});
    EXPECT_EQ(mel("currentCtx"), "selectSuperContext");

    currentContext_ = "vexelRotateToolContext1";
    mayasim::views::setCamera(0, plain);
    engine().runIdle();
    EXPECT_FALSE(tracker.isActiveViewStereo());
    EXPECT_EQ(mel("currentCtx"), "RotateSuperContext");

    // A tool with no counterpart stays, both ways.
    currentContext_ = "polySelectContext";
    mayasim::views::setCamera(0, stereo);
    engine().runIdle();
    mayasim::views::setCamera(0, plain);
    engine().runIdle();
    EXPECT_EQ(pythonRun_.size(), 1u);
    EXPECT_EQ(mel("currentCtx"), "RotateSuperContext");
}

TEST_F(TrackerIdle, AltDragKeepsTheMouseModeDepthWithinReach) {
    PollDriver tracker;
    mayasim::views::create(nullptr, RECT{0, 0, 1920, 1080});
    vxhost::Desktop& desktop = vxhost::Desktop::instance();
    desktop.setActiveWindow(mayasim::views::window(0));
    engine().runIdle();
    float lowest = 1.0f;
    float highest = -1.0f;
    auto sweep = [&](int from, int to, bool alt) {
        desktop.key(VK_MENU, alt);
        desktop.deliverInput();
        const int step = from < to ? 90 : -90;
        for (int y = from; step > 0 ? y <= to : y >= to; y += step) {
            desktop.mouse({960, y}, 0);
            tracker.poll();
            ASSERT_TRUE(tracker.isMouseMode());
            Matrix4 pose;
            tracker.getStylusPose(pose);
            // The pose inverts a camera-space transform whose z is the depth + 0.6.
            const float depth = pose.inverse().getTrans().z - 0.6f;
            EXPECT_GE(depth, -0.2f - 1e-5f) << y;
            EXPECT_LE(depth, 0.2f + 1e-5f) << y;
            lowest = std::min(lowest, depth);
            highest = std::max(highest, depth);
        }
    };
    // Alt-dragging down a whole screen, then up two screens' worth.
    sweep(0, 1079, true);
    sweep(1079, 0, true);
    sweep(0, 1079, false);
    sweep(1079, 0, true);
    EXPECT_NEAR(lowest, -0.2f, 1e-5f);
    EXPECT_NEAR(highest, 0.2f, 1e-5f);
}
