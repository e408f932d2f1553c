#include <mayasim/Views.h>

#include <maya/MEvent.h>
#include <maya/MPxContext.h>

#include <mayasim/Contexts.h>

#include <vxhost/Desktop.h>

#include <algorithm>
#include <vector>

#include "UiAccess.h"

namespace mayasim::views {
namespace {

struct View {
    HWND window = nullptr;
    MDagPath camera;
    bool dragging = false;
    // Maya's model panels start in wireframe.
    M3dView::DisplayStyle displayStyle = M3dView::kWireFrame;
};

struct Registry {
    std::vector<View> views;
    int active = -1;
    unsigned int refreshRequests = 0;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

bool valid(int index) {
    return index >= 0 && index < static_cast<int>(registry().views.size());
}

// Client pixels (y down) to Maya's view coordinates (origin at the lower left).
MEvent eventFrom(HWND window, WPARAM wParam, LPARAM lParam, MEvent::MouseButtonType button) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    int modifiers = 0;
    if (wParam & MK_SHIFT)
        modifiers |= MEvent::shiftKey;
    if (wParam & MK_CONTROL)
        modifiers |= MEvent::controlKey;
    MEvent event;
    EventAccess::set(event, static_cast<short>(x),
                     static_cast<short>((rect.bottom - rect.top) - 1 - y), button, modifiers);
    return event;
}

// The gesture under way: the view and the button that started it. One at a time, as in Maya:
// a second button pressed during a drag is ignored.
struct Gesture {
    int view = -1;
    MEvent::MouseButtonType button = MEvent::kLeftMouse;
    WPARAM heldFlag = 0;
};

Gesture& gesture() {
    static Gesture current;
    return current;
}

bool isLeft(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP;
}

// A press starts a gesture. The second press of a double click is a press too: Maya's view
// hands the context a press either way. Alt with a button is Maya's camera navigation, which
// never reaches the tool.
void press(int index, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
           MPxContext& context) {
    if (gesture().view >= 0 || vxhost::Desktop::instance().isKeyDown(VK_MENU))
        return;
    setActive(index);
    const bool left = isLeft(message);
    gesture() = {index, left ? MEvent::kLeftMouse : MEvent::kMiddleMouse,
                 static_cast<WPARAM>(left ? MK_LBUTTON : MK_MBUTTON)};
    registry().views[index].dragging = true;
    SetCapture(window);
    MEvent event = eventFrom(window, wParam, lParam, gesture().button);
    context.doPress(event);
}

void drag(int index, HWND window, WPARAM wParam, LPARAM lParam, MPxContext& context) {
    const Gesture current = gesture();
    if (current.view != index || !(wParam & current.heldFlag))
        return;
    MEvent event = eventFrom(window, wParam, lParam, current.button);
    context.doDrag(event);
}

void release(int index, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
             MPxContext& context) {
    const Gesture current = gesture();
    const bool left = message == WM_LBUTTONUP;
    if (current.view != index || (current.button == MEvent::kLeftMouse) != left)
        return;
    endGestures();
    MEvent event = eventFrom(window, wParam, lParam, current.button);
    context.doRelease(event);
}

// The keys Maya gives the current tool: Enter completes, Backspace and Delete delete, Esc
// aborts.
void key(WPARAM virtualKey, MPxContext& context) {
    switch (virtualKey) {
        case VK_RETURN:
            context.completeAction();
            break;
        case VK_BACK:
        case VK_DELETE:
            context.deleteAction();
            break;
        case VK_ESCAPE:
            context.abortAction();
            break;
        default:
            break;
    }
}

// The bottom of a view window's procedure chain: pointer input and the tool keys drive the
// current tool context, as Maya's model panels do. The right button is Maya's own (marking
// menus).
LRESULT CALLBACK viewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = indexOfWindow(window);
    MPxContext* context = contexts::current();
    if (index < 0 || !context)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            press(index, window, message, wParam, lParam, *context);
            return 0;
        case WM_MOUSEMOVE:
            drag(index, window, wParam, lParam, *context);
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
            release(index, window, message, wParam, lParam, *context);
            return 0;
        case WM_KEYDOWN:
            key(wParam, *context);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int create(HWND parent, const RECT& screenRect, const MDagPath& camera) {
    // Maya's panels take double clicks (CS_DBLCLKS); the plug-in's window hook listens for them.
    HWND window = vxhost::Desktop::instance().createWindow(parent, screenRect, viewProc,
                                                           "modelPanel", CS_DBLCLKS);
    Registry& r = registry();
    r.views.push_back({window, camera, false, M3dView::kWireFrame});
    if (r.active < 0)
        r.active = 0;
    return static_cast<int>(r.views.size()) - 1;
}

void clear() {
    endGestures();
    Registry& r = registry();
    for (const View& view : r.views) {
        if (vxhost::Desktop::instance().isWindow(view.window)) {
            vxhost::Desktop::instance().destroyWindow(view.window);
        }
    }
    r.views.clear();
    r.active = -1;
}

unsigned int count() {
    return static_cast<unsigned int>(registry().views.size());
}
int activeIndex() {
    return registry().active;
}

void setActive(int index) {
    if (valid(index))
        registry().active = index;
}

HWND window(int index) {
    return valid(index) ? registry().views[index].window : nullptr;
}

int indexOfWindow(HWND window) {
    const auto& views = registry().views;
    auto it = std::find_if(views.begin(), views.end(),
                           [&](const View& view) { return view.window == window; });
    return it == views.end() ? -1 : static_cast<int>(it - views.begin());
}

MDagPath camera(int index) {
    return valid(index) ? registry().views[index].camera : MDagPath();
}

void setCamera(int index, const MDagPath& camera) {
    if (valid(index))
        registry().views[index].camera = camera;
}

M3dView::DisplayStyle displayStyle(int index) {
    return valid(index) ? registry().views[index].displayStyle : M3dView::kWireFrame;
}

void setDisplayStyle(int index, M3dView::DisplayStyle style) {
    if (valid(index))
        registry().views[index].displayStyle = style;
}

void endGestures() {
    Gesture& current = gesture();
    if (current.view < 0)
        return;
    if (valid(current.view))
        registry().views[current.view].dragging = false;
    current = Gesture{};
    ReleaseCapture();
}

bool gestureUnderWay() {
    return gesture().view >= 0;
}

unsigned int takeRefreshRequests() {
    const unsigned int requests = registry().refreshRequests;
    registry().refreshRequests = 0;
    return requests;
}

void requestRefresh() {
    ++registry().refreshRequests;
}

}  // namespace mayasim::views
