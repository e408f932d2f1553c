#include <gtest/gtest.h>

#include <maya/M3dView.h>
#include <maya/MEvent.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>

#include <maya/MPxManipContainer.h>

#include <mayasim/Contexts.h>
#include <mayasim/DgCommands.h>
#include <mayasim/NodeTypes.h>
#include <mayasim/Scene.h>
#include <mayasim/Views.h>

#include <vxhost/Desktop.h>

#include "EngineFixture.h"

namespace {

std::vector<std::string> events;

class TraceManip : public MPxManipContainer {
public:
    static void* creator() { return new TraceManip; }
};

class TraceContext : public MPxContext {
public:
    void toolOnSetup(MEvent&) override {
        events.push_back("setup");
        MObject manip;
        MPxManipContainer::newManipulator("traceManip", manip);
        addManipulator(manip);
    }
    void toolOffCleanup() override { events.push_back("cleanup"); }
    void completeAction() override { events.push_back("complete"); }
    void deleteAction() override { events.push_back("delete"); }
    void abortAction() override { events.push_back("abort"); }
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
    static void SetUpTestSuite() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
        mayasim::registerNodeType("traceManip", MTypeId(0x7f003), TraceManip::creator,
                                  MPxManipContainer::initialize, MPxNode::kManipContainer, nullptr,
                                  "viewTests");
    }
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
        mayasim::Scene::instance().reset();
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
    EXPECT_EQ(events, (std::vector<std::string>{"setup", "press 10,99 shift", "drag 12,9",
                                                "release 12,0"}));
    EXPECT_EQ(mayasim::views::activeIndex(), second);
    EXPECT_NE(first, second);
}

// Enter, Backspace, Delete and Esc reach the tool as Maya's actions; Alt with a button is
// camera navigation, which the tool never sees.
TEST_F(ViewTest, ToolKeysReachTheContextAndAltClicksDoNot) {
    const int view = mayasim::views::create(nullptr, RECT{0, 0, 200, 100});
    ASSERT_TRUE(mel("setToolTo `traceContext`")) << lastMessage();
    auto& desktop = vxhost::Desktop::instance();
    desktop.setActiveWindow(mayasim::views::window(view));
    for (int key : {VK_RETURN, VK_BACK, VK_DELETE, VK_ESCAPE, VK_SPACE}) {
        desktop.key(key, true);
        desktop.key(key, false);
    }
    desktop.key(VK_MENU, true);
    desktop.mouse({50, 50}, vxhost::Desktop::kLeftButton);
    desktop.mouse({50, 50}, 0);
    desktop.deliverInput();
    EXPECT_EQ(events, (std::vector<std::string>{"setup", "complete", "delete", "delete", "abort"}));
}

// A tool change in the middle of a drag: the old tool cleans up and loses its manipulators,
// and the button's release reaches neither tool.
TEST_F(ViewTest, ToolSwitchMidDragEndsTheGesture) {
    const int view = mayasim::views::create(nullptr, RECT{0, 0, 200, 100});
    mayasim::Value first;
    mayasim::Value second;
    ASSERT_TRUE(mel("traceContext", &first) && mel("traceContext", &second));
    ASSERT_TRUE(mel("setToolTo " + first.asString()));
    EXPECT_EQ(value("ls -type traceManip").size(), 1u);
    auto& desktop = vxhost::Desktop::instance();
    HWND window = mayasim::views::window(view);
    desktop.sendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(mel("setToolTo " + second.asString()));
    EXPECT_FALSE(mayasim::views::gestureUnderWay());
    desktop.sendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    desktop.sendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(events, (std::vector<std::string>{"setup", "press 10,89", "cleanup", "setup"}));
    EXPECT_EQ(value("ls -type traceManip").size(), 1u) << "the old tool's manipulator went";
}

TEST_F(ViewTest, ContextCommandsAnswerExistsImagesAndBadNames) {
    mayasim::Value made;
    ASSERT_TRUE(mel("traceContext -i1 \"trace.png\" myTrace", &made));
    EXPECT_EQ(made.asString(), "myTrace");
    EXPECT_EQ(value("traceContext -exists myTrace").asInt(), 1);
    EXPECT_EQ(value("traceContext -exists nothing").asInt(), 0);
    EXPECT_EQ(value("traceContext -q -i1 myTrace").asString(), "trace.png");
    EXPECT_EQ(value("contextInfo -i1 myTrace").asString(), "trace.png");
    EXPECT_FALSE(mel("traceContext -e -i1 \"x.png\" nothing"));
    EXPECT_FALSE(mel("setToolTo nothing"));
    EXPECT_EQ(value("currentCtx").asString(), "selectSuperContext");
}

}  // namespace
