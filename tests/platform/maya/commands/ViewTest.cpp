#include <gtest/gtest.h>

#include <maya/M3dView.h>
#include <maya/MEvent.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>

#include <mayasim/Contexts.h>
#include <mayasim/Views.h>

#include <vxhost/Desktop.h>

#include "EngineFixture.h"

namespace {

std::vector<std::string> events;

class TraceContext : public MPxContext {
public:
    MStatus doPress(MEvent& event) override { return trace("press", event); }
    MStatus doDrag(MEvent& event) override { return trace("drag", event); }
    MStatus doRelease(MEvent& event) override { return trace("release", event); }

private:
    MStatus trace(const char* what, MEvent& event) {
        short x = 0;
        short y = 0;
        event.getPosition(x, y);
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) +
                         (event.isModifierShift() ? " shift" : ""));
        return MS::kSuccess;
    }
};

class TraceContextCmd : public MPxContextCommand {
public:
    static void* creator() { return new TraceContextCmd; }
    MPxContext* makeObj() override { return new TraceContext; }
};

class ViewTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        events.clear();
        vxhost::Desktop::instance().reset();
        mayasim::contexts::registerContextCommand("traceContext", TraceContextCmd::creator, "",
                                                  nullptr, nullptr, "");
    }
    void TearDown() override {
        mayasim::contexts::deregisterContextCommand("traceContext", "");
        mayasim::views::clear();
        EngineFixture::TearDown();
    }
};

TEST_F(ViewTest, ViewGeometryComesFromItsWindow) {
    EXPECT_EQ(M3dView::numberOf3dViews(), 0u);
    MStatus status;
    M3dView::active3dView(&status);
    EXPECT_FALSE(status);

    mayasim::views::create(nullptr, RECT{100, 50, 740, 530});
    M3dView view = M3dView::active3dView(&status);
    ASSERT_TRUE(status);
    int x = 0;
    int y = 0;
    view.getScreenPosition(x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(view.portWidth(), 640);
    EXPECT_EQ(view.portHeight(), 480);
    EXPECT_EQ(view.window(), mayasim::views::window(0));
    MDagPath camera;
    EXPECT_FALSE(view.getCamera(camera));
}

TEST_F(ViewTest, MouseMessagesReachTheCurrentContext) {
    const int first = mayasim::views::create(nullptr, RECT{0, 0, 200, 100});
    const int second = mayasim::views::create(nullptr, RECT{200, 0, 400, 100});
    ASSERT_TRUE(mel("setToolTo `traceContext`")) << lastMessage();
    auto& desktop = vxhost::Desktop::instance();
    HWND window = mayasim::views::window(second);
    desktop.sendMessage(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // no button: no drag
    desktop.sendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 0));
    desktop.sendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 90));
    desktop.sendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(12, 99));
    EXPECT_EQ(events, (std::vector<std::string>{"press 10,99 shift", "drag 12,9", "release 12,0"}));
    EXPECT_EQ(mayasim::views::activeIndex(), second);
    EXPECT_NE(first, second);
}

}  // namespace
