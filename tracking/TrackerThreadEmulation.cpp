// The mouse emulation pass of the tracker thread: pointer roles, navigation
// chords, stylus buttons as mouse buttons and the cursor following the stylus.
#include "TrackerThread.h"

#include "DebugPrint.h"
#include "MutexLock.h"

#include <algorithm>

using vexel::common::Matrix4;
using vexel::tracker::IntersectionInfo;
using vexel::tracker::TrackerDisplayIntersection;

namespace {

constexpr int kMaxEmulatedButtons = 3;
constexpr DWORD kAbsoluteMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_ABSOLUTE;
constexpr DWORD kRelativeMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_VIRTUALDESK;
constexpr LONG kNudgePixels = 5;
// Below this the stylus counts as at rest (metres).
constexpr float kStylusRestDistance = 1e-5f;

// Process-wide, like the hooks: the nudge alternates sides at every pass.
bool gNudgeLeft = false;

}  // namespace

void TrackerThread::emulateMouse() {
    double nearThreshold = 0.0;
    {
        MutexLock lock(thresholdMutex_);
        nearThreshold = nearThreshold_;
    }
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    getViewportRect(left, top, width, height);
    const bool inside = intersection_.x > left && intersection_.x < left + width &&
                        intersection_.y > top && intersection_.y < top + height;
    insideView_.store(inside, kRelaxed);

    updatePointerRole(nearThreshold);
    if (inside) {
        lastInsideAbsoluteX_ = intersection_.absoluteX;
        lastInsideAbsoluteY_ = intersection_.absoluteY;
    }
    wasInsideView_.store(inside, kRelaxed);
    applyNavigationChords();

    if (inputMode_.load(kRelaxed) == kStylusMode && mouseEmulation_.load(kRelaxed)) {
        sendButtonEvents();
        sendCursorMove();
    }
}

void TrackerThread::updatePointerRole(double nearThreshold) {
    const bool inside = insideView_.load(kRelaxed);
    const bool wasInside = wasInsideView_.load(kRelaxed);
    const bool near = static_cast<double>(intersection_.distance) <= nearThreshold;
    if (inputMode_.load(kRelaxed) == kMouseMode) {
        stylusInScene_.store(inside || wasInside ? 1 : 0, kRelaxed);
        cursorFollowsStylus_.store(true, kRelaxed);
        return;
    }
    if (!emulationActive_.load(kRelaxed)) {
        return;
    }
    if (!inside && !near) {
        // Away from the screen the stylus works in the scene, whatever it points at.
        stylusInScene_.store(1, kRelaxed);
        cursorFollowsStylus_.store(false, kRelaxed);
    } else if (!inside && !wasInside) {
        // Close to the screen outside the view: the stylus is the desktop pointer.
        stylusInScene_.store(0, kRelaxed);
        cursorFollowsStylus_.store(true, kRelaxed);
    } else if (inside) {
        stylusInScene_.store(1, kRelaxed);
        cursorFollowsStylus_.store(true, kRelaxed);
    }
    // Leaving the view close to the screen keeps the role it had, so a drag
    // that slips over the view's edge is not cut.
}

void TrackerThread::applyNavigationChords() {
    const unsigned flags = inputFlags_.load(kRelaxed);
    const bool alt = (flags & kAltHeld) != 0;
    const bool mouseButton =
        (flags & (kLeftButtonHeld | kMiddleButtonHeld | kRightButtonHeld)) != 0;
    const bool stylusButton = buttonCount_.load(kRelaxed) > 0 && isButtonPressed(-1);
    if ((flags & kSpaceHeld) != 0 || (alt && mouseButton) || (alt && stylusButton)) {
        // Maya's camera navigation needs the mouse buttons, so the stylus acts as the mouse.
        stylusInScene_.store(0, kRelaxed);
        cursorFollowsStylus_.store(true, kRelaxed);
    }
}

void TrackerThread::sendButtonEvents() {
    const int count = buttonCount_.load(kRelaxed);
    if (count > kMaxEmulatedButtons) {
        debugPrint("Unable to process mouse events for buttons above 3.  %d to process.\n", count);
    }
    const int handled = std::min(count, kMaxEmulatedButtons);
    for (int i = 0; i < handled; ++i) {
        const bool pressed = buttons_[i].load(kRelaxed);
        if (pressed == previousButtons_[i]) {
            continue;
        }
        IntersectionInfo record;
        record.absoluteX = lastInsideAbsoluteX_;
        record.absoluteY = lastInsideAbsoluteY_;
        const bool follows = cursorFollowsStylus_.load(kRelaxed);
        if (follows) {
            // The button is pressed a moment after the user aimed: take the pose
            // from before the press jolted the stylus. A short click is released
            // where it was pressed, so it stays a click.
            if (pressed) {
                stylusPoseByAge(pressLookBack_, pressPose_);
                pressTime_ = pollTime_;
                TrackerDisplayIntersection::intersect(pressPose_, record);
            } else {
                if (pollTime_ - pressTime_ < clickWindow_) {
                    releasePose_ = pressPose_;
                } else {
                    stylusPoseByAge(releaseLookBack_, releasePose_);
                }
                TrackerDisplayIntersection::intersect(releasePose_, record);
            }
        }
        const DWORD buttonFlag = (pressed ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP) << (2 * i);
        sendPointerEvent(kAbsoluteMove | buttonFlag, record.absoluteX, record.absoluteY);
        const IntersectionInfo& target = follows ? intersection_ : record;
        sendPointerEvent(kAbsoluteMove, target.absoluteX, target.absoluteY);
    }
}

void TrackerThread::sendCursorMove() {
    const Matrix4& front = frontStylusPose();
    const bool moved =
        front != stylusReferencePose_ &&
        (front.getTrans() - stylusReferencePose_.getTrans()).length() >= kStylusRestDistance;
    DWORD flags = 0;
    LONG dx = 0;
    LONG dy = 0;
    if (!cursorNudgeOff_.load(kRelaxed)) {
        // Keeps Maya's drag going while the stylus is held still.
        gNudgeLeft = !gNudgeLeft;
        flags = kRelativeMove;
        dx = gNudgeLeft ? -kNudgePixels : kNudgePixels;
    } else if (moved && intersection_.display != -1) {
        flags = kAbsoluteMove;
        const bool follows = cursorFollowsStylus_.load(kRelaxed);
        dx = follows ? intersection_.absoluteX : lastInsideAbsoluteX_;
        dy = follows ? intersection_.absoluteY : lastInsideAbsoluteY_;
    }
    stylusReferencePose_ = front;
    if (flags != 0) {
        sendPointerEvent(flags, dx, dy);
    }
}

void TrackerThread::sendPointerEvent(DWORD flags, LONG dx, LONG dy) {
    pointerEvent_.type = INPUT_MOUSE;
    pointerEvent_.mi.dx = dx;
    pointerEvent_.mi.dy = dy;
    pointerEvent_.mi.mouseData = 0;
    pointerEvent_.mi.dwFlags = flags;
    pointerEvent_.mi.time = 0;
    pointerEvent_.mi.dwExtraInfo = 0;
    SendInput(1, &pointerEvent_, sizeof(INPUT));
    // Our own move must not look like the user's mouse at the next poll.
    GetCursorPos(&cursor_);
}

void TrackerThread::onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (inputMode_.load(kRelaxed) == kMouseMode) {
        switch (message) {
            case WM_LBUTTONDOWN:
                inputFlags_.fetch_or(kLeftButtonHeld, kRelaxed);
                break;
            case WM_LBUTTONUP:
                inputFlags_.fetch_and(~kLeftButtonHeld, kRelaxed);
                break;
            case WM_RBUTTONDOWN:
                inputFlags_.fetch_or(kRightButtonHeld, kRelaxed);
                break;
            case WM_RBUTTONUP:
                inputFlags_.fetch_and(~kRightButtonHeld, kRelaxed);
                break;
            case WM_MBUTTONDOWN:
                inputFlags_.fetch_or(kMiddleButtonHeld, kRelaxed);
                break;
            case WM_MBUTTONUP:
                inputFlags_.fetch_and(~kMiddleButtonHeld, kRelaxed);
                break;
            default:
                break;
        }
    }
    // A listener may add or remove listeners while it runs.
    const auto listeners = messageListeners_;
    for (const auto& [listener, context] : listeners) {
        listener(context, window, message, wParam, lParam);
    }
}

void TrackerThread::onKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HC_ACTION) {
        return;
    }
    unsigned flag = 0;
    switch (wParam) {
        case VK_MENU:
            flag = kAltHeld;
            break;
        case VK_SPACE:
            flag = kSpaceHeld;
            break;
        case VK_SHIFT:
            flag = kShiftHeld;
            break;
        default:
            return;
    }
    const DWORD state = static_cast<DWORD>(lParam);
    const bool released = (state & 0x80000000u) != 0;
    const bool wasDown = (state & 0x40000000u) != 0;
    if (!released && !wasDown) {
        inputFlags_.fetch_or(flag, kRelaxed);
    } else if (released && wasDown) {
        inputFlags_.fetch_and(~flag, kRelaxed);
    }
}
