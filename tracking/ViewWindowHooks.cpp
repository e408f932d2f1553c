#include "ViewWindowHooks.h"

#include "TrackerThread.h"

namespace {

HWND gSubclassedWindow = nullptr;
WNDPROC gPreviousProc = nullptr;
HHOOK gKeyboardHook = nullptr;
TrackerThread* gOwner = nullptr;

}  // namespace

void ViewWindowHooks::attach(HWND window, TrackerThread* owner) {
    release();
    gOwner = owner;
    gSubclassedWindow = window;
    gPreviousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewWindowHooks::windowProc)));
    gKeyboardHook = SetWindowsHookExA(WH_KEYBOARD, &ViewWindowHooks::keyboardProc, nullptr,
                                      GetCurrentThreadId());
}

void ViewWindowHooks::detach(TrackerThread* owner) {
    if (gOwner == owner) {
        release();
        gOwner = nullptr;
    }
}

HWND ViewWindowHooks::subclassedWindow() {
    return gSubclassedWindow;
}

void ViewWindowHooks::release() {
    if (gSubclassedWindow != nullptr) {
        // Someone who subclassed the window after us still calls our procedure
        // through theirs; putting the old one back would cut them off.
        if (GetWindowLongPtrA(gSubclassedWindow, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(&ViewWindowHooks::windowProc)) {
            SetWindowLongPtrA(gSubclassedWindow, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(gPreviousProc));
            gPreviousProc = nullptr;
        }
        gSubclassedWindow = nullptr;
    }
    if (gKeyboardHook != nullptr) {
        UnhookWindowsHookEx(gKeyboardHook);
        gKeyboardHook = nullptr;
    }
}

LRESULT CALLBACK ViewWindowHooks::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    // Taken first: a listener may move the hooks while it runs.
    const WNDPROC previous = gPreviousProc;
    if (gOwner != nullptr) {
        gOwner->onWindowMessage(window, message, wParam, lParam);
    }
    return previous != nullptr ? CallWindowProcA(previous, window, message, wParam, lParam)
                               : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ViewWindowHooks::keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (gOwner != nullptr) {
        gOwner->onKeyboardHook(code, wParam, lParam);
    }
    return CallNextHookEx(gKeyboardHook, code, wParam, lParam);
}
