// The virtual desktop behind the Win32 user32 subset: screens, windows and
// their procedures, the active and focus windows, the cursor, the keyboard
// state, keyboard hooks and the input queue.
//
// Host-private: vxsim, the Maya stand-in and tests use it; the plug-in sees the
// desktop only through Win32 calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vxhost {

//! One message the desktop delivered (or would have, with no window there).
struct DeliveredMessage {
    std::uint64_t timeMicros = 0;  //!< host clock time of delivery
    HWND window = nullptr;         //!< receiver; null when the pointer was over no window
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    POINT cursor = {0, 0};   //!< screen position of the pointer for this event
    bool injected = false;   //!< came through SendInput or SetCursorPos
    bool swallowed = false;  //!< a keyboard hook kept it from the window

    bool operator==(const DeliveredMessage& other) const;
};

//! The desktop of the simulated machine. Thread-safe; window procedures and
//! hooks are always called without the desktop's lock held, so they may call
//! any Win32 function.
//!
//! Input model. Injected input (SendInput, SetCursorPos) and the host's own
//! mouse and keys change the cursor, the asynchronous key state
//! (GetAsyncKeyState) and the button state at once, on the calling thread, as
//! Windows does at injection time: the tracker thread reads its own move back
//! with GetCursorPos straight after SendInput. The window messages those events
//! make are queued and reach windows only when the host calls deliverInput() on
//! the thread that owns the windows (vxsim: at each step), in the order the
//! events were made.
//!
//! Windows: the rectangle of a window is its client area in screen pixels (no
//! frames); a child window lies inside its parent and above it. A mouse event
//! goes to the capture window if there is one, else to the deepest visible
//! window under the pointer, with client coordinates in lParam and MK_* flags
//! in wParam. A move event gives WM_MOUSEMOVE, then each button flag its
//! message, in the order move, left down, left up, right down, right up, middle
//! down, middle up. A button press within kDoubleClickMillis of the previous
//! press of the same button (times taken when the events were made) and within
//! kDoubleClickPixels / 2 of it on both axes, on the same window, reaches a
//! window whose class style has CS_DBLCLKS as WM_xBUTTONDBLCLK instead, as
//! Windows does; the press after a double click starts a new pair.
//!
//! Absolute coordinates (MOUSEEVENTF_ABSOLUTE) cover the primary screen, or with
//! MOUSEEVENTF_VIRTUALDESK the bounding box of all screens: a screen of width W
//! maps abs to left + round(abs * (W - 1) / 65535), so 0 and 65535 reach the
//! first and last pixel. Relative moves are in pixels, without acceleration.
//! The cursor stays on the screens (clamped to the nearest one).
//!
//! Keys: a key event runs the keyboard hooks of the focus window's thread
//! (newest first; CallNextHookEx passes it on) with the virtual key in wParam
//! and Win32's lParam (repeat count 1, scan code in bits 16-23, extended key bit
//! 24, Alt context bit 29, previous state bit 30, transition bit 31), then,
//! unless a hook returned non-zero, reaches the focus window as WM_KEYDOWN /
//! WM_KEYUP (WM_SYSKEYDOWN / WM_SYSKEYUP for Alt and keys pressed with Alt but
//! not Ctrl). Shift, Ctrl and Alt also set their left-hand keys' state.
class Desktop {
public:
    //! Host mouse buttons, for mouse().
    enum Button : unsigned { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
    //! Windows' defaults: GetDoubleClickTime and SM_CXDOUBLECLK / SM_CYDOUBLECLK.
    static constexpr unsigned kDoubleClickMillis = 500;
    static constexpr int kDoubleClickPixels = 4;

    static Desktop& instance();

    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    //! Back to a fresh desktop: one 1920x1080 screen at (0, 0), no windows, no
    //! hooks, cursor at (0, 0), every key up, empty queue and journal.
    void reset();

    // --- Screens -------------------------------------------------------------

    //! The screens in desktop pixels, the first one primary. Throws
    //! std::invalid_argument for an empty list or an empty rectangle.
    void setScreens(const std::vector<RECT>& screens);
    std::vector<RECT> screens() const;
    RECT primaryScreen() const;
    //! The bounding box of all screens.
    RECT virtualScreen() const;
    //! The pixel an absolute coordinate (0..65535) reaches along an extent
    //! starting at `origin`, `size` pixels long.
    static LONG absoluteToPixel(LONG absolute, LONG origin, LONG size);

    // --- Windows -------------------------------------------------------------

    //! Creates a window owned by the calling thread, on top of its siblings.
    //! `baseProc` is the bottom of its procedure chain (null: DefWindowProcA);
    //! subclassing through SetWindowLongPtrA(GWLP_WNDPROC) stacks on top of it.
    //! A null `parent` makes a top-level window. `classStyle` holds the CS_*
    //! bits of its window class. Throws std::invalid_argument for an unknown
    //! parent.
    HWND createWindow(HWND parent, const RECT& screenRect, WNDPROC baseProc,
                      const std::string& title = {}, UINT classStyle = 0);
    //! Sends WM_DESTROY to the window and then its children, and removes them.
    void destroyWindow(HWND window);
    bool isWindow(HWND window) const;
    //! Moves and resizes a window; its children move with it.
    void setWindowRect(HWND window, const RECT& screenRect);
    RECT windowRect(HWND window) const;
    HWND parent(HWND window) const;
    //! The thread that created the window (GetCurrentThreadId), 0 if none.
    DWORD windowThread(HWND window) const;
    std::string title(HWND window) const;
    void setVisible(HWND window, bool visible);
    //! A slot for the host's own per-window object (the Maya stand-in's view).
    void setHostData(HWND window, void* data);
    void* hostData(HWND window) const;

    //! Activates the top-level window of `window`, raises it and gives
    //! `window` the keyboard focus.
    void setActiveWindow(HWND window);
    //! The active / focus window whatever the calling thread (GetActiveWindow
    //! and GetFocus answer only the thread that owns it).
    HWND activeWindow() const;
    HWND focusWindow() const;
    void setFocus(HWND window);
    void setCapture(HWND window);
    HWND capture() const;

    //! The deepest visible window at a screen point, or null.
    HWND windowAt(POINT screen) const;

    //! Calls the window's current procedure (the top of its chain).
    LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC windowProc(HWND window) const;
    WNDPROC setWindowProc(HWND window, WNDPROC proc);
    LONG_PTR userData(HWND window) const;
    LONG_PTR setUserData(HWND window, LONG_PTR data);

    // --- Pointer and keyboard --------------------------------------------------

    POINT cursor() const;
    //! SetCursorPos's work: moves the cursor (clamped to the screens) and, if
    //! it moved, queues a mouse move for the window under it.
    void setCursor(POINT screen);
    //! The user's mouse: moves the pointer to `screen` and holds exactly the
    //! `buttons` (Button bits) down, through the same path as injected input.
    void mouse(POINT screen, unsigned buttons);
    //! The user's keyboard: a key press or release (a press of a key already
    //! down is an auto-repeat; a release of a key that is up is ignored).
    void key(int virtualKey, bool down);
    //! The virtual key of a key name: "shift", "ctrl", "alt", "space", "enter",
    //! "esc", "backspace", "delete", "tab", "left", "right", "up", "down", or a
    //! single letter or digit. -1 for an unknown name.
    static int virtualKeyFromName(const std::string& name);
    bool isKeyDown(int virtualKey) const;

    //! SendInput's work: queues the events, returns how many were taken.
    UINT sendInput(const INPUT* inputs, UINT count);

    //! Delivers every queued event to its window. Call on the thread that owns
    //! the windows.
    void deliverInput();
    std::size_t pendingInput() const;

    // --- Keyboard hooks ---------------------------------------------------------

    //! Thread hooks (threadId != 0) and global hooks (threadId 0); thread hooks
    //! run first.
    HHOOK addKeyboardHook(HOOKPROC proc, DWORD threadId);
    bool removeKeyboardHook(HHOOK hook);
    //! CallNextHookEx's work: the next hook of the chain being run on this
    //! thread, or 0 at its end.
    LRESULT callNextHook(int code, WPARAM wParam, LPARAM lParam);

    // --- Journal -------------------------------------------------------------

    //! Every message delivered since the last take, in delivery order.
    std::vector<DeliveredMessage> takeJournal();

private:
    Desktop();
    ~Desktop() = delete;

    struct Impl;
    Impl* impl_;  // never freed: tracker threads may still call in at exit
};

}  // namespace vxhost
