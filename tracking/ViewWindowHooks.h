// The hooks on the active 3D view: its subclassed window procedure and a
// keyboard hook of the main thread.
#pragma once

#include <windows.h>

class TrackerThread;

//! Process-wide: one view window is subclassed and one keyboard hook installed
//! at a time, both reporting to the tracker thread that moved them there.
//! Main thread only.
class ViewWindowHooks {
public:
    //! Moves the hooks to `window`: restores the previously subclassed window,
    //! removes the keyboard hook, then subclasses `window` and hooks the keyboard
    //! of the calling thread on behalf of `owner`.
    static void attach(HWND window, TrackerThread* owner);
    //! Restores the subclassed window and removes the keyboard hook, if `owner`
    //! is the one they report to.
    static void detach(TrackerThread* owner);
    //! The window subclassed last, null when none is.
    static HWND subclassedWindow();

private:
    static void release();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam);
};
