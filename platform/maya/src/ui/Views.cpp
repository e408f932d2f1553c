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

// The bottom of a view window's procedure chain: pointer input drives the current tool
// context, as Maya's model panels do. The right button is Maya's own (marking menus).
LRESULT CALLBACK viewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = indexOfWindow(window);
    MPxContext* context = contexts::current();
    if (index < 0 || !context)
        return DefWindowProcA(window, message, wParam, lParam);
    View& view = registry().views[index];
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            setActive(index);
            MEvent event =
                eventFrom(window, wParam, lParam,
                          message == WM_LBUTTONDOWN ? MEvent::kLeftMouse : MEvent::kMiddleMouse);
            view.dragging = true;
            context->doPress(event);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (view.dragging && (wParam & (MK_LBUTTON | MK_MBUTTON))) {
                MEvent event =
                    eventFrom(window, wParam, lParam,
                              (wParam & MK_LBUTTON) ? MEvent::kLeftMouse : MEvent::kMiddleMouse);
                context->doDrag(event);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
            if (view.dragging) {
                view.dragging = false;
                MEvent event =
                    eventFrom(window, wParam, lParam,
                              message == WM_LBUTTONUP ? MEvent::kLeftMouse : MEvent::kMiddleMouse);
                context->doRelease(event);
            }
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int create(HWND parent, const RECT& screenRect, const MDagPath& camera) {
    HWND window =
        vxhost::Desktop::instance().createWindow(parent, screenRect, viewProc, "modelPanel");
    Registry& r = registry();
    r.views.push_back({window, camera, false, M3dView::kWireFrame});
    if (r.active < 0)
        r.active = 0;
    return static_cast<int>(r.views.size()) - 1;
}

void clear() {
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

unsigned int takeRefreshRequests() {
    const unsigned int requests = registry().refreshRequests;
    registry().refreshRequests = 0;
    return requests;
}

void requestRefresh() {
    ++registry().refreshRequests;
}

}  // namespace mayasim::views
