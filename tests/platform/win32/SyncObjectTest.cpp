#include <windows.h>

#include <atomic>

#include <gtest/gtest.h>

#include "vxhost/HostClock.h"

namespace {

using vxhost::HostClock;

constexpr std::uint64_t kMs = 1000;

//! The tracker thread's shape: poll, then sleep on an event nobody signals.
struct Poller {
    HANDLE idle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<int> polls{0};
    std::atomic<DWORD> lastWait{0};

    static DWORD WINAPI run(LPVOID self) {
        auto* poller = static_cast<Poller*>(self);
        while (!poller->stop) {
            ++poller->polls;
            poller->lastWait = WaitForSingleObject(poller->idle, 17);
        }
        return 7;
    }
    ~Poller() { CloseHandle(idle); }
};

TEST(Win32Threads, PollLoopRunsOncePerPeriodAndStopsWhenJoined) {
    Poller poller;
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &Poller::run, &poller, 0, &threadId);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(threadId, 0u);
    EXPECT_NE(threadId, GetCurrentThreadId());

    DWORD startTicks = GetTickCount();
    HostClock::instance().advance(5 * 17 * kMs);
    EXPECT_EQ(poller.polls, 6);
    EXPECT_EQ(poller.lastWait, static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(GetTickCount() - startTicks, 85u);

    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(STILL_ACTIVE));

    // The host's infinite wait moves time until the poller's next wake-up.
    poller.stop = true;
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(GetTickCount() - startTicks, 102u);
    EXPECT_TRUE(GetExitCodeThread(thread, &exitCode));
    EXPECT_EQ(exitCode, 7u);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_FALSE(CloseHandle(thread));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
}

struct Waiter {
    HANDLE event;
    std::atomic<int> woken{0};

    static DWORD WINAPI run(LPVOID self) {
        auto* waiter = static_cast<Waiter*>(self);
        while (WaitForSingleObject(waiter->event, INFINITE) == WAIT_OBJECT_0 &&
               waiter->woken.fetch_add(1) < 1) {
        }
        return 0;
    }
};

TEST(Win32Threads, AutoResetEventReleasesOneWaiterPerSignal) {
    Waiter waiter{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    HANDLE threads[2] = {CreateThread(nullptr, 0, &Waiter::run, &waiter, 0, nullptr),
                         CreateThread(nullptr, 0, &Waiter::run, &waiter, 0, nullptr)};
    HostClock& clock = HostClock::instance();
    clock.advance(0);
    EXPECT_EQ(waiter.woken, 0);
    for (int signal = 1; signal <= 3; ++signal) {
        SetEvent(waiter.event);
        clock.advance(0);
        EXPECT_EQ(waiter.woken, signal);
    }
    SetEvent(waiter.event);
    for (HANDLE thread : threads) {
        EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
        CloseHandle(thread);
    }
    // The last signal found no waiter: an auto-reset event keeps it for the next.
    EXPECT_EQ(WaitForSingleObject(waiter.event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(waiter.event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(waiter.event);
}

TEST(Win32Threads, ManualResetEventAndTimedWaitsOnTheHostThread) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::uint64_t start = HostClock::instance().nowMicros();
    EXPECT_EQ(WaitForSingleObject(event, 40), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(HostClock::instance().nowMicros(), start + 40 * kMs);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 40), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    ResetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    Sleep(10);
    EXPECT_EQ(HostClock::instance().nowMicros(), start + 50 * kMs);
    CloseHandle(event);
}

TEST(Win32Threads, NamedObjectsAreSharedWhileOpen) {
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, "DEAD_EVENT");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE second = CreateEventA(nullptr, FALSE, TRUE, "DEAD_EVENT");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    ASSERT_NE(second, first);
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(second, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(CreateMutexA(nullptr, FALSE, "DEAD_EVENT"), nullptr);
    CloseHandle(first);
    CloseHandle(second);
    HANDLE fresh = CreateEventA(nullptr, TRUE, FALSE, "DEAD_EVENT");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(fresh);
}

struct Contender {
    HANDLE mutex;
    std::atomic<bool> owns{false};

    static DWORD WINAPI run(LPVOID self) {
        auto* contender = static_cast<Contender*>(self);
        WaitForSingleObject(contender->mutex, INFINITE);
        contender->owns = true;
        Sleep(5);
        contender->owns = false;
        ReleaseMutex(contender->mutex);
        return 0;
    }
};

TEST(Win32Threads, MutexIsRecursiveForItsOwnerOnly) {
    Contender contender{CreateMutexA(nullptr, TRUE, nullptr)};
    EXPECT_EQ(WaitForSingleObject(contender.mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    HANDLE thread = CreateThread(nullptr, 0, &Contender::run, &contender, 0, nullptr);
    HostClock::instance().advance(20 * kMs);
    EXPECT_FALSE(contender.owns);

    EXPECT_TRUE(ReleaseMutex(contender.mutex));
    HostClock::instance().advance(0);
    EXPECT_FALSE(contender.owns) << "one release per acquisition";
    EXPECT_TRUE(ReleaseMutex(contender.mutex));
    HostClock::instance().advance(0);
    EXPECT_TRUE(contender.owns);
    EXPECT_FALSE(ReleaseMutex(contender.mutex));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    EXPECT_EQ(WaitForSingleObject(contender.mutex, 3), static_cast<DWORD>(WAIT_TIMEOUT));

    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(contender.mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(ReleaseMutex(contender.mutex));
    CloseHandle(thread);
    CloseHandle(contender.mutex);
}

}  // namespace
