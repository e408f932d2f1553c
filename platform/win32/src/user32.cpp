// user32 functions of the Win32 subset, on the host's virtual desktop.
#include <windows.h>

#include "vxhost/Desktop.h"

using vxhost::Desktop;

namespace {

Desktop& desktop() {
    return Desktop::instance();
}

bool checkWindow(HWND window) {
    if (!desktop().isWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

// Active and focus windows belong to the thread that owns them, as Win32's
// per-thread input state has it.
HWND ifOwnedByCaller(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return desktop().windowThread(window) == GetCurrentThreadId() ? window : nullptr;
}

}  // namespace

extern "C" {

UINT WINAPI GetDoubleClickTime(void) {
    return Desktop::kDoubleClickMillis;
}

// Only the metrics the plug-in and the desktop use; others are 0, as for an unknown index.
int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return Desktop::kDoubleClickPixels;
        default:
            return 0;
    }
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
    return desktop().isKeyDown(vKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpPoint = desktop().cursor();
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    desktop().setCursor({X, Y});
    return TRUE;
}

UINT WINAPI SendInput(UINT cInputs, LPINPUT pInputs, int cbSize) {
    if (pInputs == nullptr || cbSize != static_cast<int>(sizeof(INPUT))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    UINT taken = desktop().sendInput(pInputs, cInputs);
    if (taken != cInputs) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    return taken;
}

HWND WINAPI GetActiveWindow(void) {
    return ifOwnedByCaller(desktop().activeWindow());
}

HWND WINAPI GetFocus(void) {
    return ifOwnedByCaller(desktop().focusWindow());
}

HWND WINAPI GetParent(HWND hWnd) {
    return checkWindow(hWnd) ? desktop().parent(hWnd) : nullptr;
}

BOOL WINAPI IsWindow(HWND hWnd) {
    return desktop().isWindow(hWnd) ? TRUE : FALSE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    if (!checkWindow(hWnd) || lpRect == nullptr) {
        return FALSE;
    }
    *lpRect = desktop().windowRect(hWnd);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    if (!checkWindow(hWnd) || lpRect == nullptr) {
        return FALSE;
    }
    RECT rect = desktop().windowRect(hWnd);
    *lpRect = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    if (!checkWindow(hWnd) || lpPoint == nullptr) {
        return FALSE;
    }
    RECT rect = desktop().windowRect(hWnd);
    lpPoint->x -= rect.left;
    lpPoint->y -= rect.top;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    if (!checkWindow(hWnd) || lpPoint == nullptr) {
        return FALSE;
    }
    RECT rect = desktop().windowRect(hWnd);
    lpPoint->x += rect.left;
    lpPoint->y += rect.top;
    return TRUE;
}

HWND WINAPI WindowFromPoint(POINT Point) {
    return desktop().windowAt(Point);
}

HWND WINAPI SetCapture(HWND hWnd) {
    if (!checkWindow(hWnd)) {
        return nullptr;
    }
    HWND previous = ifOwnedByCaller(desktop().capture());
    desktop().setCapture(hWnd);
    return previous;
}

BOOL WINAPI ReleaseCapture(void) {
    desktop().setCapture(nullptr);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    return ifOwnedByCaller(desktop().capture());
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    if (!checkWindow(hWnd)) {
        return 0;
    }
    switch (nIndex) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(desktop().windowProc(hWnd));
        case GWLP_USERDATA:
            return desktop().userData(hWnd);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    if (!checkWindow(hWnd)) {
        return 0;
    }
    SetLastError(ERROR_SUCCESS);  // a previous value of 0 is not an error
    switch (nIndex) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(
                desktop().setWindowProc(hWnd, reinterpret_cast<WNDPROC>(dwNewLong)));
        case GWLP_USERDATA:
            return desktop().setUserData(hWnd, dwNewLong);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
    return lpPrevWndFunc != nullptr ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return checkWindow(hWnd) ? desktop().sendMessage(hWnd, Msg, wParam, lParam) : 0;
}

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    if (idHook != WH_KEYBOARD || lpfn == nullptr) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (dwThreadId == 0 && hmod == nullptr) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    return desktop().addKeyboardHook(lpfn, dwThreadId);
}

LRESULT WINAPI CallNextHookEx(HHOOK, int nCode, WPARAM wParam, LPARAM lParam) {
    return desktop().callNextHook(nCode, wParam, lParam);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    if (!desktop().removeKeyboardHook(hhk)) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // extern "C"
