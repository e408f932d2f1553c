#include "vxhost/Desktop.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "vxhost/HostClock.h"

namespace vxhost {

namespace {

const RECT kDefaultScreen = {0, 0, 1920, 1080};

struct Window {
    HWND parent = nullptr;
    RECT rect = {0, 0, 0, 0};
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    void* hostData = nullptr;
    std::string title;
    UINT classStyle = 0;
    DWORD ownerThread = 0;
    bool visible = true;
    std::vector<HWND> children;  // bottom to top
};

struct QueuedInput {
    bool isKey = false;
    DWORD mouseFlags = 0;
    POINT cursor = {0, 0};
    int virtualKey = 0;
    bool keyUp = false;
    bool injected = false;
    std::uint32_t tickMillis = 0;  //!< GetTickCount when the event was made
};

//! The last button press, the first half of a possible double click.
struct Click {
    bool pending = false;
    int virtualKey = 0;
    HWND window = nullptr;
    POINT at = {0, 0};
    std::uint32_t tickMillis = 0;
};

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
    DWORD threadId;
};

//! The hook chain being run on this thread, so that CallNextHookEx knows
//! where it is; nested while a hook makes key events of its own.
struct HookFrame {
    std::vector<HHOOK> chain;
    std::size_t index;
};
thread_local std::vector<HookFrame> tHookFrames;

struct ButtonFlags {
    DWORD down;
    DWORD up;
    int virtualKey;
    UINT downMessage;
    UINT upMessage;
};
constexpr std::array<ButtonFlags, 3> kButtons = {{
    {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP},
    {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP},
    {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP},
}};

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

bool isEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

std::invalid_argument unknownWindow(HWND window) {
    char text[64];
    std::snprintf(text, sizeof(text), "no window %p on the desktop", static_cast<void*>(window));
    return std::invalid_argument(text);
}

//! Scan code and extended-key flag of the keys the desktop knows.
std::pair<int, bool> scanCode(int virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            return {0x01, false};
        case VK_BACK:
            return {0x0E, false};
        case VK_TAB:
            return {0x0F, false};
        case VK_RETURN:
            return {0x1C, false};
        case VK_CONTROL:
            return {0x1D, false};
        case VK_SHIFT:
            return {0x2A, false};
        case VK_MENU:
            return {0x38, false};
        case VK_SPACE:
            return {0x39, false};
        case VK_UP:
            return {0x48, true};
        case VK_LEFT:
            return {0x4B, true};
        case VK_RIGHT:
            return {0x4D, true};
        case VK_DOWN:
            return {0x50, true};
        case VK_DELETE:
            return {0x53, true};
        default:
            return {0, false};
    }
}

int leftHandKey(int virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
            return VK_LSHIFT;
        case VK_CONTROL:
            return VK_LCONTROL;
        case VK_MENU:
            return VK_LMENU;
        default:
            return 0;
    }
}

}  // namespace

bool DeliveredMessage::operator==(const DeliveredMessage& other) const {
    return timeMicros == other.timeMicros && window == other.window && message == other.message &&
           wParam == other.wParam && lParam == other.lParam && cursor.x == other.cursor.x &&
           cursor.y == other.cursor.y && injected == other.injected && swallowed == other.swallowed;
}

struct Desktop::Impl {
    mutable std::mutex mutex;
    std::vector<RECT> screens{kDefaultScreen};
    std::map<HWND, Window> windows;
    std::vector<HWND> topLevel;  // bottom to top
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    POINT cursor = {0, 0};
    std::array<bool, 256> asyncKeys{};  // as of the latest event made
    std::array<bool, 256> syncKeys{};   // as of the latest event delivered
    std::deque<QueuedInput> queue;
    std::vector<DeliveredMessage> journal;
    std::vector<Hook> hooks;  // oldest first
    Click lastClick;
    std::uintptr_t nextWindow = 0x10010;
    std::uintptr_t nextHook = 0x20010;

    Window* find(HWND window) {
        auto found = windows.find(window);
        return found == windows.end() ? nullptr : &found->second;
    }
    const Window* find(HWND window) const {
        auto found = windows.find(window);
        return found == windows.end() ? nullptr : &found->second;
    }
    Window& get(HWND window) {
        Window* found = find(window);
        if (found == nullptr) {
            throw unknownWindow(window);
        }
        return *found;
    }

    RECT virtualScreen() const {
        RECT box = screens.front();
        for (const RECT& screen : screens) {
            box.left = std::min(box.left, screen.left);
            box.top = std::min(box.top, screen.top);
            box.right = std::max(box.right, screen.right);
            box.bottom = std::max(box.bottom, screen.bottom);
        }
        return box;
    }

    POINT clampToScreens(POINT point) const {
        POINT best = point;
        long long bestDistance = -1;
        for (const RECT& screen : screens) {
            if (contains(screen, point)) {
                return point;
            }
            POINT clamped = {std::clamp(point.x, screen.left, screen.right - 1),
                             std::clamp(point.y, screen.top, screen.bottom - 1)};
            long long dx = clamped.x - point.x;
            long long dy = clamped.y - point.y;
            long long distance = dx * dx + dy * dy;
            if (bestDistance < 0 || distance < bestDistance) {
                best = clamped;
                bestDistance = distance;
            }
        }
        return best;
    }

    HWND deepestAt(const std::vector<HWND>& siblings, POINT point) const {
        for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
            const Window& window = windows.at(*it);
            if (window.visible && contains(window.rect, point)) {
                HWND child = deepestAt(window.children, point);
                return child != nullptr ? child : *it;
            }
        }
        return nullptr;
    }

    HWND topLevelOf(HWND window) const {
        for (const Window* w = find(window); w != nullptr && w->parent != nullptr;
             w = find(window)) {
            window = w->parent;
        }
        return window;
    }

    std::vector<HWND>& siblingsOf(HWND window) {
        HWND parent = get(window).parent;
        return parent != nullptr ? get(parent).children : topLevel;
    }

    void moveBy(HWND window, LONG dx, LONG dy) {
        Window& w = get(window);
        w.rect = {w.rect.left + dx, w.rect.top + dy, w.rect.right + dx, w.rect.bottom + dy};
        for (HWND child : w.children) {
            moveBy(child, dx, dy);
        }
    }

    void collectSubtree(HWND window, std::vector<HWND>& out) const {
        out.push_back(window);
        for (HWND child : windows.at(window).children) {
            collectSubtree(child, out);
        }
    }

    void setKey(int virtualKey, bool down, std::array<bool, 256>& keys) {
        keys[static_cast<std::size_t>(virtualKey)] = down;
        if (int left = leftHandKey(virtualKey); left != 0) {
            keys[static_cast<std::size_t>(left)] = down;
        }
    }

    WPARAM mouseKeyFlags() const {
        WPARAM flags = 0;
        flags |= syncKeys[VK_LBUTTON] ? MK_LBUTTON : 0;
        flags |= syncKeys[VK_RBUTTON] ? MK_RBUTTON : 0;
        flags |= syncKeys[VK_MBUTTON] ? MK_MBUTTON : 0;
        flags |= syncKeys[VK_SHIFT] ? MK_SHIFT : 0;
        flags |= syncKeys[VK_CONTROL] ? MK_CONTROL : 0;
        return flags;
    }

    void queueMouse(DWORD flags, bool injected) {
        DWORD kept = flags & (MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP |
                              MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEDOWN |
                              MOUSEEVENTF_MIDDLEUP);
        for (const ButtonFlags& button : kButtons) {
            if ((kept & button.down) != 0) {
                setKey(button.virtualKey, true, asyncKeys);
            }
            if ((kept & button.up) != 0) {
                setKey(button.virtualKey, false, asyncKeys);
            }
        }
        if (kept != 0) {
            QueuedInput input;
            input.mouseFlags = kept;
            input.cursor = cursor;
            input.injected = injected;
            input.tickMillis = HostClock::instance().tickCountMillis();
            queue.push_back(input);
        }
    }

    void queueKey(int virtualKey, bool up, bool injected) {
        if (virtualKey <= 0 || virtualKey > 255 ||
            (up && !asyncKeys[static_cast<std::size_t>(virtualKey)])) {
            return;
        }
        setKey(virtualKey, !up, asyncKeys);
        QueuedInput input;
        input.isKey = true;
        input.virtualKey = virtualKey;
        input.keyUp = up;
        input.cursor = cursor;
        input.injected = injected;
        input.tickMillis = HostClock::instance().tickCountMillis();
        queue.push_back(input);
    }

    //! The message a button press becomes: WM_xBUTTONDBLCLK when it completes a
    //! double click on a window whose class asks for them.
    UINT pressMessage(const ButtonFlags& button, HWND target, const QueuedInput& input) {
        const Click& last = lastClick;
        const bool isSecond = last.pending && last.virtualKey == button.virtualKey &&
                              last.window == target &&
                              input.tickMillis - last.tickMillis <= kDoubleClickMillis &&
                              std::abs(input.cursor.x - last.at.x) <= kDoubleClickPixels / 2 &&
                              std::abs(input.cursor.y - last.at.y) <= kDoubleClickPixels / 2;
        if (isSecond) {
            lastClick = Click{};
        } else {
            lastClick = {true, button.virtualKey, target, input.cursor, input.tickMillis};
        }
        const Window* window = find(target);
        const bool wantsDoubleClicks = window != nullptr && (window->classStyle & CS_DBLCLKS) != 0;
        // The double-click message follows the down message in each button's block.
        return isSecond && wantsDoubleClicks ? button.downMessage + 2 : button.downMessage;
    }

    void applyMouseInput(const MOUSEINPUT& mouse) {
        if ((mouse.dwFlags & MOUSEEVENTF_MOVE) != 0) {
            POINT target = {cursor.x + mouse.dx, cursor.y + mouse.dy};
            if ((mouse.dwFlags & MOUSEEVENTF_ABSOLUTE) != 0) {
                RECT area = (mouse.dwFlags & MOUSEEVENTF_VIRTUALDESK) != 0 ? virtualScreen()
                                                                           : screens.front();
                target = {absoluteToPixel(mouse.dx, area.left, area.right - area.left),
                          absoluteToPixel(mouse.dy, area.top, area.bottom - area.top)};
            }
            cursor = clampToScreens(target);
        }
        queueMouse(mouse.dwFlags, true);
    }

    std::vector<HHOOK> hookChain(DWORD threadId) const {
        std::vector<HHOOK> chain;
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
            if (it->threadId == threadId) {
                chain.push_back(it->handle);
            }
        }
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
            if (it->threadId == 0) {
                chain.push_back(it->handle);
            }
        }
        return chain;
    }

    HOOKPROC hookProc(HHOOK handle) const {
        for (const Hook& hook : hooks) {
            if (hook.handle == handle) {
                return hook.proc;
            }
        }
        return nullptr;
    }

    void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const QueuedInput& input,
                bool swallowed) {
        DeliveredMessage entry;
        entry.timeMicros = HostClock::instance().nowMicros();
        entry.window = window;
        entry.message = message;
        entry.wParam = wParam;
        entry.lParam = lParam;
        entry.cursor = input.cursor;
        entry.injected = input.injected;
        entry.swallowed = swallowed;
        journal.push_back(entry);
    }

    // Called without the lock held: they call window procedures and hooks.
    void deliverMouse(const QueuedInput& input);
    void deliverKey(const QueuedInput& input);
    LRESULT runHooks(std::vector<HHOOK> chain, int code, WPARAM wParam, LPARAM lParam);
    LRESULT callHookAtFrameIndex(int code, WPARAM wParam, LPARAM lParam);
};

Desktop& Desktop::instance() {
    static Desktop* desktop = new Desktop;
    return *desktop;
}

Desktop::Desktop() : impl_(new Impl) {}

void Desktop::reset() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->screens = {kDefaultScreen};
    impl_->windows.clear();
    impl_->topLevel.clear();
    impl_->active = impl_->focus = impl_->capture = nullptr;
    impl_->cursor = {0, 0};
    impl_->asyncKeys = {};
    impl_->syncKeys = {};
    impl_->queue.clear();
    impl_->journal.clear();
    impl_->hooks.clear();
    impl_->lastClick = Click{};
}

// --- Screens -------------------------------------------------------------------

void Desktop::setScreens(const std::vector<RECT>& screens) {
    if (screens.empty()) {
        throw std::invalid_argument("the desktop needs at least one screen");
    }
    for (const RECT& screen : screens) {
        if (isEmpty(screen)) {
            throw std::invalid_argument("a screen rectangle is empty");
        }
    }
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->screens = screens;
    impl_->cursor = impl_->clampToScreens(impl_->cursor);
}

std::vector<RECT> Desktop::screens() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->screens;
}

RECT Desktop::primaryScreen() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->screens.front();
}

RECT Desktop::virtualScreen() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->virtualScreen();
}

LONG Desktop::absoluteToPixel(LONG absolute, LONG origin, LONG size) {
    return origin + static_cast<LONG>(std::lround(static_cast<double>(absolute) *
                                                  static_cast<double>(size - 1) / 65535.0));
}

// --- Windows -------------------------------------------------------------------

HWND Desktop::createWindow(HWND parent, const RECT& screenRect, WNDPROC baseProc,
                           const std::string& title, UINT classStyle) {
    DWORD owner = GetCurrentThreadId();
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (parent != nullptr && impl_->find(parent) == nullptr) {
        throw unknownWindow(parent);
    }
    HWND handle = reinterpret_cast<HWND>(impl_->nextWindow);
    impl_->nextWindow += 2;
    Window window;
    window.parent = parent;
    window.rect = screenRect;
    window.proc = baseProc != nullptr ? baseProc : &DefWindowProcA;
    window.title = title;
    window.classStyle = classStyle;
    window.ownerThread = owner;
    impl_->windows.emplace(handle, std::move(window));
    (parent != nullptr ? impl_->get(parent).children : impl_->topLevel).push_back(handle);
    return handle;
}

void Desktop::destroyWindow(HWND window) {
    std::vector<HWND> doomed;
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->get(window);
        impl_->collectSubtree(window, doomed);
    }
    for (HWND each : doomed) {
        if (isWindow(each)) {
            sendMessage(each, WM_DESTROY, 0, 0);
        }
    }
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->find(window) != nullptr) {
        std::vector<HWND>& siblings = impl_->siblingsOf(window);
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    for (HWND each : doomed) {
        impl_->windows.erase(each);
        for (HWND* slot : {&impl_->active, &impl_->focus, &impl_->capture}) {
            if (*slot == each) {
                *slot = nullptr;
            }
        }
    }
}

bool Desktop::isWindow(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->find(window) != nullptr;
}

void Desktop::setWindowRect(HWND window, const RECT& screenRect) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    Window& w = impl_->get(window);
    impl_->moveBy(window, screenRect.left - w.rect.left, screenRect.top - w.rect.top);
    w.rect = screenRect;
}

RECT Desktop::windowRect(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->rect : RECT{0, 0, 0, 0};
}

HWND Desktop::parent(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->parent : nullptr;
}

DWORD Desktop::windowThread(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->ownerThread : 0;
}

std::string Desktop::title(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->title : std::string();
}

void Desktop::setVisible(HWND window, bool visible) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->get(window).visible = visible;
}

void Desktop::setHostData(HWND window, void* data) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->get(window).hostData = data;
}

void* Desktop::hostData(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->hostData : nullptr;
}

void Desktop::setActiveWindow(HWND window) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->get(window);
    HWND top = impl_->topLevelOf(window);
    std::vector<HWND>& order = impl_->topLevel;
    order.erase(std::remove(order.begin(), order.end(), top), order.end());
    order.push_back(top);
    impl_->active = top;
    impl_->focus = window;
}

HWND Desktop::activeWindow() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->active;
}

HWND Desktop::focusWindow() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->focus;
}

void Desktop::setFocus(HWND window) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (window != nullptr) {
        impl_->get(window);
    }
    impl_->focus = window;
}

void Desktop::setCapture(HWND window) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (window != nullptr) {
        impl_->get(window);
    }
    impl_->capture = window;
}

HWND Desktop::capture() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->capture;
}

HWND Desktop::windowAt(POINT screen) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->deepestAt(impl_->topLevel, screen);
}

LRESULT Desktop::sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = windowProc(window);
    return proc != nullptr ? proc(window, message, wParam, lParam) : 0;
}

WNDPROC Desktop::windowProc(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->proc : nullptr;
}

WNDPROC Desktop::setWindowProc(HWND window, WNDPROC proc) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    Window& w = impl_->get(window);
    return std::exchange(w.proc, proc != nullptr ? proc : &DefWindowProcA);
}

LONG_PTR Desktop::userData(HWND window) const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    const Window* w = impl_->find(window);
    return w != nullptr ? w->userData : 0;
}

LONG_PTR Desktop::setUserData(HWND window, LONG_PTR data) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return std::exchange(impl_->get(window).userData, data);
}

// --- Pointer and keyboard ----------------------------------------------------------

POINT Desktop::cursor() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->cursor;
}

void Desktop::setCursor(POINT screen) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    POINT target = impl_->clampToScreens(screen);
    if (target.x != impl_->cursor.x || target.y != impl_->cursor.y) {
        impl_->cursor = target;
        impl_->queueMouse(MOUSEEVENTF_MOVE, true);
    }
}

void Desktop::mouse(POINT screen, unsigned buttons) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    POINT target = impl_->clampToScreens(screen);
    DWORD flags = 0;
    if (target.x != impl_->cursor.x || target.y != impl_->cursor.y) {
        flags |= MOUSEEVENTF_MOVE;
        impl_->cursor = target;
    }
    constexpr std::array<unsigned, 3> kHostBits = {kLeftButton, kRightButton, kMiddleButton};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        bool wanted = (buttons & kHostBits[i]) != 0;
        if (wanted != impl_->asyncKeys[static_cast<std::size_t>(kButtons[i].virtualKey)]) {
            flags |= wanted ? kButtons[i].down : kButtons[i].up;
        }
    }
    impl_->queueMouse(flags, false);
}

void Desktop::key(int virtualKey, bool down) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->queueKey(virtualKey, !down, false);
}

int Desktop::virtualKeyFromName(const std::string& name) {
    static const std::map<std::string, int> kNames = {
        {"shift", VK_SHIFT},  {"ctrl", VK_CONTROL}, {"alt", VK_MENU},       {"space", VK_SPACE},
        {"enter", VK_RETURN}, {"esc", VK_ESCAPE},   {"backspace", VK_BACK}, {"delete", VK_DELETE},
        {"tab", VK_TAB},      {"left", VK_LEFT},    {"right", VK_RIGHT},    {"up", VK_UP},
        {"down", VK_DOWN}};
    auto found = kNames.find(name);
    if (found != kNames.end()) {
        return found->second;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    return -1;
}

bool Desktop::isKeyDown(int virtualKey) const {
    if (virtualKey < 0 || virtualKey > 255) {
        return false;
    }
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->asyncKeys[static_cast<std::size_t>(virtualKey)];
}

UINT Desktop::sendInput(const INPUT* inputs, UINT count) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    UINT taken = 0;
    for (; taken < count; ++taken) {
        const INPUT& input = inputs[taken];
        if (input.type == INPUT_MOUSE) {
            impl_->applyMouseInput(input.mi);
        } else if (input.type == INPUT_KEYBOARD) {
            impl_->queueKey(input.ki.wVk, (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0, true);
        } else {
            break;
        }
    }
    return taken;
}

std::size_t Desktop::pendingInput() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->queue.size();
}

void Desktop::deliverInput() {
    std::size_t count = pendingInput();  // what procedures inject now waits for the next call
    for (std::size_t i = 0; i < count; ++i) {
        QueuedInput input;
        {
            std::lock_guard<std::mutex> lock(impl_->mutex);
            if (impl_->queue.empty()) {
                return;
            }
            input = impl_->queue.front();
            impl_->queue.pop_front();
        }
        if (input.isKey) {
            impl_->deliverKey(input);
        } else {
            impl_->deliverMouse(input);
        }
    }
}

void Desktop::Impl::deliverMouse(const QueuedInput& input) {
    struct Step {
        UINT message;
        const ButtonFlags* button;  // null for a move
        bool down;
    };
    std::vector<Step> steps;
    if ((input.mouseFlags & MOUSEEVENTF_MOVE) != 0) {
        steps.push_back({WM_MOUSEMOVE, nullptr, false});
    }
    for (const ButtonFlags& button : kButtons) {
        if ((input.mouseFlags & button.down) != 0) {
            steps.push_back({button.downMessage, &button, true});
        }
        if ((input.mouseFlags & button.up) != 0) {
            steps.push_back({button.upMessage, &button, false});
        }
    }
    for (const Step& step : steps) {
        HWND target = nullptr;
        WNDPROC proc = nullptr;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        UINT message = step.message;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (step.button != nullptr) {
                setKey(step.button->virtualKey, step.down, syncKeys);
            }
            target = capture != nullptr && find(capture) != nullptr
                         ? capture
                         : deepestAt(topLevel, input.cursor);
            if (step.button != nullptr && step.down) {
                message = pressMessage(*step.button, target, input);
            }
            wParam = mouseKeyFlags();
            if (const Window* window = find(target)) {
                lParam = MAKELPARAM(input.cursor.x - window->rect.left,
                                    input.cursor.y - window->rect.top);
                proc = window->proc;
            }
            record(target, message, wParam, lParam, input, false);
        }
        if (proc != nullptr) {
            proc(target, message, wParam, lParam);
        }
    }
}

void Desktop::Impl::deliverKey(const QueuedInput& input) {
    HWND target = nullptr;
    DWORD hookThread = GetCurrentThreadId();
    UINT message = 0;
    LPARAM lParam = 0;
    std::vector<HHOOK> chain;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto vk = static_cast<std::size_t>(input.virtualKey);
        bool wasDown = syncKeys[vk];
        setKey(input.virtualKey, !input.keyUp, syncKeys);
        bool alt = syncKeys[VK_MENU];
        bool system = !syncKeys[VK_CONTROL] && (input.virtualKey == VK_MENU || alt);
        auto [scan, extended] = scanCode(input.virtualKey);
        DWORD bits = 1u | static_cast<DWORD>(scan) << 16;
        bits |= extended ? 1u << 24 : 0u;
        bits |= system && alt ? 1u << 29 : 0u;
        bits |= wasDown ? 1u << 30 : 0u;
        bits |= input.keyUp ? 1u << 31 : 0u;
        lParam = static_cast<LPARAM>(bits);
        message =
            input.keyUp ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
        if (const Window* focused = find(focus)) {
            target = focus;
            hookThread = focused->ownerThread;
        }
        chain = hookChain(hookThread);
    }
    auto wParam = static_cast<WPARAM>(input.virtualKey);
    bool swallowed = runHooks(std::move(chain), HC_ACTION, wParam, lParam) != 0;
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        record(target, message, wParam, lParam, input, swallowed);
        if (const Window* window = find(target); window != nullptr && !swallowed) {
            proc = window->proc;
        }
    }
    if (proc != nullptr) {
        proc(target, message, wParam, lParam);
    }
}

// --- Keyboard hooks -------------------------------------------------------------------

HHOOK Desktop::addKeyboardHook(HOOKPROC proc, DWORD threadId) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    HHOOK handle = reinterpret_cast<HHOOK>(impl_->nextHook);
    impl_->nextHook += 2;
    impl_->hooks.push_back({handle, proc, threadId});
    return handle;
}

bool Desktop::removeKeyboardHook(HHOOK hook) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    auto& hooks = impl_->hooks;
    auto found = std::find_if(hooks.begin(), hooks.end(),
                              [&](const Hook& each) { return each.handle == hook; });
    if (found == hooks.end()) {
        return false;
    }
    hooks.erase(found);
    return true;
}

LRESULT Desktop::Impl::runHooks(std::vector<HHOOK> chain, int code, WPARAM wParam, LPARAM lParam) {
    if (chain.empty()) {
        return 0;
    }
    tHookFrames.push_back({std::move(chain), 0});
    LRESULT result = callHookAtFrameIndex(code, wParam, lParam);
    tHookFrames.pop_back();
    return result;
}

LRESULT Desktop::callNextHook(int code, WPARAM wParam, LPARAM lParam) {
    if (tHookFrames.empty()) {
        return 0;
    }
    ++tHookFrames.back().index;
    return impl_->callHookAtFrameIndex(code, wParam, lParam);
}

// Hooks removed while the chain runs are skipped, as Windows does.
LRESULT Desktop::Impl::callHookAtFrameIndex(int code, WPARAM wParam, LPARAM lParam) {
    HookFrame& frame = tHookFrames.back();
    HOOKPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (; frame.index < frame.chain.size(); ++frame.index) {
            proc = hookProc(frame.chain[frame.index]);
            if (proc != nullptr) {
                break;
            }
        }
    }
    return proc != nullptr ? proc(code, wParam, lParam) : 0;
}

// --- Journal ----------------------------------------------------------------------------

std::vector<DeliveredMessage> Desktop::takeJournal() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    std::vector<DeliveredMessage> taken;
    taken.swap(impl_->journal);
    return taken;
}

}  // namespace vxhost
