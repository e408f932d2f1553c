#pragma once
// The native handle of a view's window: an HWND, as on Windows.

#include <windows.h>

typedef HWND MNativeWindowHdl;
