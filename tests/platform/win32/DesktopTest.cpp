#include <windows.h>

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vxhost/Desktop.h"
#include "vxhost/HostClock.h"

namespace {

using vxhost::Desktop;

static_assert(sizeof(INPUT) == 40, "the plug-in's INPUT record is 40 bytes on x86_64");

struct Seen {
    std::string who;
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Seen& o) const {
        return who == o.who && window == o.window && message == o.message && wParam == o.wParam &&
               lParam == o.lParam;
    }
};
void PrintTo(const Seen& s, std::ostream* out) {
    *out << s.who << " " << s.window << " 0x" << std::hex << s.message << " w=0x" << s.wParam
         << " l=0x" << s.lParam << std::dec;
}
std::vector<Seen> seen;  // procedures and hooks run on the test thread

LRESULT CALLBACK baseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back({"base", window, message, wParam, lParam});
    return 1;
}

WNDPROC previousProc = nullptr;
LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back({"subclass", window, message, wParam, lParam});
    return CallWindowProcA(previousProc, window, message, wParam, lParam) + 10;
}

LRESULT CALLBACK olderHook(int code, WPARAM wParam, LPARAM lParam) {
    seen.push_back({"olderHook", nullptr, static_cast<UINT>(code), wParam, lParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK newerHook(int code, WPARAM wParam, LPARAM lParam) {
    seen.push_back({"newerHook", nullptr, static_cast<UINT>(code), wParam, lParam});
    if (wParam == VK_ESCAPE) {
        return 1;  // swallowed
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INPUT mouseInput(LONG dx, LONG dy, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

POINT cursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.reset();
        seen.clear();
        desktop.setScreens({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
        mainWindow = desktop.createWindow(nullptr, {0, 0, 1920, 1080}, &baseProc, "Maya");
        view = desktop.createWindow(mainWindow, {100, 200, 900, 800}, &baseProc, "modelPanel4");
        desktop.setActiveWindow(view);
    }

    Desktop& desktop = Desktop::instance();
    HWND mainWindow = nullptr;
    HWND view = nullptr;
};

TEST_F(DesktopTest, InjectedMovesApplyAtOnceAndMapAbsoluteUnitsToPixels) {
    const DWORD absolute = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT moves[] = {mouseInput(65535, 65535, absolute | MOUSEEVENTF_VIRTUALDESK),
                     mouseInput(0, 32768, absolute | MOUSEEVENTF_VIRTUALDESK)};
    ASSERT_EQ(SendInput(1, &moves[0], sizeof(INPUT)), 1u);
    EXPECT_EQ(cursorPos().x, 3199);
    EXPECT_EQ(cursorPos().y, 1023) << "clamped to the second screen, which is shorter";
    SendInput(1, &moves[1], sizeof(INPUT));
    EXPECT_EQ(cursorPos().x, 0);
    EXPECT_EQ(cursorPos().y, 540);

    // Without the virtual-desk flag absolute units cover the primary screen.
    INPUT primary = mouseInput(65535, 0, absolute);
    SendInput(1, &primary, sizeof(INPUT));
    EXPECT_EQ(cursorPos().x, 1919);

    INPUT relative[] = {mouseInput(-5, 7, MOUSEEVENTF_MOVE), mouseInput(1000, 0, 0)};
    EXPECT_EQ(SendInput(2, relative, sizeof(INPUT)), 2u);
    EXPECT_EQ(cursorPos().x, 1914);
    EXPECT_EQ(cursorPos().y, 7) << "no move flag, no move";

    // The inverse of the absolute mapping lands on the same pixel.
    for (LONG pixel : {0, 1, 777, 1918, 1919}) {
        LONG units = pixel * 65535 / (1920 - 1);
        EXPECT_EQ(Desktop::absoluteToPixel(units, 0, 1920), pixel);
    }
    EXPECT_EQ(SendInput(1, relative, sizeof(INPUT) - 8), 0u);
    EXPECT_EQ(seen.size(), 0u) << "messages wait for deliverInput";
}

TEST_F(DesktopTest, QueuedEventsReachTheWindowUnderThePointerInOrder) {
    vxhost::HostClock::instance().advance(1000);
    const DWORD move = MOUSEEVENTF_MOVE;
    INPUT events[] = {
        mouseInput(150, 250, move),  // into the view at client (50, 50)
        mouseInput(0, 0, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN),
        mouseInput(10, -5, move | MOUSEEVENTF_LEFTUP),
        mouseInput(0, 0, MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_RIGHTUP),
        mouseInput(2000, 0, move | MOUSEEVENTF_MIDDLEUP),  // over no window
    };
    SendInput(4, events, sizeof(INPUT));
    EXPECT_NE(GetAsyncKeyState(VK_MBUTTON), 0) << "button state changes at injection";
    SendInput(1, &events[4], sizeof(INPUT));
    EXPECT_EQ(desktop.pendingInput(), 5u);
    desktop.deliverInput();

    std::vector<Seen> expected = {
        {"base", view, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50)},
        {"base", view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50)},
        {"base", view, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(50, 50)},
        {"base", view, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(60, 45)},
        {"base", view, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(60, 45)},
        {"base", view, WM_RBUTTONUP, 0, MAKELPARAM(60, 45)},  // right flags come first
        {"base", view, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(60, 45)},
    };
    EXPECT_EQ(seen, expected);

    std::vector<vxhost::DeliveredMessage> journal = desktop.takeJournal();
    ASSERT_EQ(journal.size(), 9u) << "the two messages over no window are journalled too";
    EXPECT_EQ(journal[3].cursor.x, 160);
    EXPECT_EQ(journal[3].cursor.y, 245);
    EXPECT_TRUE(journal[3].injected);
    EXPECT_EQ(journal[7].window, nullptr);
    EXPECT_EQ(journal[8].message, static_cast<UINT>(WM_MBUTTONUP));
    EXPECT_EQ(journal[8].timeMicros, vxhost::HostClock::instance().nowMicros());
    EXPECT_EQ(desktop.pendingInput(), 0u);
}

TEST_F(DesktopTest, HostMouseTakesTheSamePathWithModifierFlags) {
    desktop.key(VK_SHIFT, true);
    desktop.mouse({500, 300}, Desktop::kLeftButton);
    EXPECT_EQ(cursorPos().x, 500);
    desktop.mouse({500, 300}, 0);
    desktop.mouse({10, 10}, 0);  // over the main window only
    desktop.deliverInput();
    seen.erase(seen.begin());  // the Shift key itself
    std::vector<Seen> expected = {
        {"base", view, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(400, 100)},
        {"base", view, WM_LBUTTONDOWN, MK_SHIFT | MK_LBUTTON, MAKELPARAM(400, 100)},
        {"base", view, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(400, 100)},
        {"base", mainWindow, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(10, 10)},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(desktop.takeJournal().back().injected);
}

// A second press within the double-click time and rectangle is a double click only for a
// window whose class asks for it; a third press starts over, and a pair that is too slow,
// too far apart or of different buttons is two presses.
TEST_F(DesktopTest, DoubleClicksReachOnlyWindowsWithDoubleClickClassStyle) {
    auto& clock = vxhost::HostClock::instance();
    desktop.createWindow(mainWindow, {1000, 200, 1400, 600}, &baseProc, "panel", CS_DBLCLKS);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
    auto click = [&](POINT at, unsigned button, int waitMillis) {
        clock.advance(static_cast<std::uint64_t>(waitMillis) * 1000);
        desktop.mouse(at, button);
        desktop.mouse(at, 0);
    };
    auto presses = [&]() {
        desktop.deliverInput();
        std::vector<UINT> out;
        for (const Seen& s : seen) {
            if (s.message != WM_MOUSEMOVE && s.message != WM_LBUTTONUP && s.message != WM_MBUTTONUP)
                out.push_back(s.message);
        }
        seen.clear();
        return out;
    };
    click({1100, 300}, Desktop::kLeftButton, 10);
    click({1102, 298}, Desktop::kLeftButton, 500);
    click({1102, 298}, Desktop::kLeftButton, 100);
    EXPECT_EQ(presses(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));

    click({1105, 298}, Desktop::kLeftButton, 100);  // 3 px away
    click({1105, 298}, Desktop::kLeftButton, 501);  // too late
    click({1105, 298}, Desktop::kMiddleButton, 10);
    click({1105, 298}, Desktop::kMiddleButton, 10);
    EXPECT_EQ(presses(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_MBUTTONDOWN,
                                            WM_MBUTTONDBLCLK}));

    click({500, 300}, Desktop::kLeftButton, 10);  // the view has no CS_DBLCLKS
    click({500, 300}, Desktop::kLeftButton, 10);
    EXPECT_EQ(presses(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
}

TEST_F(DesktopTest, SubclassedWindowRunsTheNewProcedureFirstUntilRestored) {
    EXPECT_EQ(GetWindowLongPtrA(view, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&baseProc));
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
    EXPECT_EQ(previousProc, &baseProc);
    EXPECT_EQ(GetWindowLongPtrA(view, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&subclassProc));

    EXPECT_EQ(SendMessageA(view, WM_USER, 1, 2), 11);
    desktop.mouse({150, 250}, Desktop::kRightButton);
    desktop.deliverInput();
    std::vector<Seen> expected = {
        {"subclass", view, WM_USER, 1, 2},
        {"base", view, WM_USER, 1, 2},
        {"subclass", view, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50)},
        {"base", view, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50)},
        {"subclass", view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50)},
        {"base", view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50)},
    };
    EXPECT_EQ(seen, expected);

    SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    EXPECT_EQ(SendMessageA(view, WM_USER, 0, 0), 1);

    HWND gone = reinterpret_cast<HWND>(0x42);
    EXPECT_EQ(GetWindowLongPtrA(gone, GWLP_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(DesktopTest, KeyboardHooksSeeWin32KeyStateBitsBeforeTheFocusWindow) {
    HHOOK older = SetWindowsHookExA(WH_KEYBOARD, &olderHook, nullptr, GetCurrentThreadId());
    HHOOK newer = SetWindowsHookExA(WH_KEYBOARD, &newerHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(older, nullptr);
    ASSERT_NE(newer, nullptr);
    EXPECT_EQ(SetWindowsHookExA(WH_KEYBOARD, &olderHook, nullptr, 0), nullptr);

    desktop.key(VK_SPACE, true);
    desktop.key(VK_SPACE, true);  // auto-repeat
    EXPECT_NE(GetAsyncKeyState(VK_SPACE), 0);
    desktop.key(VK_SPACE, false);
    desktop.key(VK_SPACE, false);  // not down: nothing happens
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    desktop.deliverInput();

    const LPARAM press = 0x00390001;
    const LPARAM repeat = press | 1 << 30;
    const LPARAM release = static_cast<LPARAM>(0xC0390001u);
    std::vector<Seen> expected;
    for (LPARAM bits : {press, repeat, release}) {
        UINT message = bits == release ? WM_KEYUP : WM_KEYDOWN;
        expected.push_back({"newerHook", nullptr, HC_ACTION, VK_SPACE, bits});
        expected.push_back({"olderHook", nullptr, HC_ACTION, VK_SPACE, bits});
        expected.push_back({"base", view, message, VK_SPACE, bits});
    }
    EXPECT_EQ(seen, expected);

    // Alt is a system key; a hook that returns non-zero keeps the key from the window.
    seen.clear();
    desktop.key(VK_MENU, true);
    desktop.key(VK_ESCAPE, true);
    desktop.deliverInput();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2], (Seen{"base", view, WM_SYSKEYDOWN, VK_MENU, 0x20380001}));
    EXPECT_EQ(seen[3].who, "newerHook");
    EXPECT_TRUE(desktop.takeJournal().back().swallowed);

    EXPECT_TRUE(UnhookWindowsHookEx(newer));
    EXPECT_FALSE(UnhookWindowsHookEx(newer));
    seen.clear();
    desktop.key(VK_MENU, false);
    desktop.deliverInput();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].who, "olderHook");
    EXPECT_EQ(seen[1],
              (Seen{"base", view, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001u)}));
    UnhookWindowsHookEx(older);
}

struct ActiveWindowProbe {
    std::atomic<HWND> seenActive{reinterpret_cast<HWND>(1)};
    static DWORD WINAPI run(LPVOID self) {
        static_cast<ActiveWindowProbe*>(self)->seenActive = GetActiveWindow();
        return 0;
    }
};

TEST_F(DesktopTest, ActiveWindowIsVisibleOnlyToItsOwnerThread) {
    EXPECT_EQ(GetActiveWindow(), mainWindow);
    EXPECT_EQ(GetFocus(), view);
    ActiveWindowProbe probe;
    HANDLE thread = CreateThread(nullptr, 0, &ActiveWindowProbe::run, &probe, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(probe.seenActive.load(), nullptr);
}

}  // namespace
