#include "vxhost/HostClock.h"

#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using vxhost::HostClock;

constexpr std::uint64_t kMs = 1000;

//! A managed thread, registered before the constructor returns so that the
//! next advance() waits for it.
class ManagedThread {
public:
    template <class Fn>
    explicit ManagedThread(Fn body) {
        std::promise<void> registered;
        auto ready = registered.get_future();
        thread_ = std::thread([body = std::move(body), &registered]() mutable {
            HostClock::instance().registerManagedThread();
            registered.set_value();
            body();
            HostClock::instance().unregisterManagedThread();
        });
        ready.wait();
    }
    ~ManagedThread() { thread_.join(); }

private:
    std::thread thread_;
};

//! Records what managed threads did and at which clock time.
class Log {
public:
    void add(int who) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.emplace_back(HostClock::instance().nowMicros(), who);
    }
    std::vector<std::pair<std::uint64_t, int>> entries() {
        std::lock_guard<std::mutex> lock(mutex_);
        return entries_;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<std::uint64_t, int>> entries_;
};

TEST(HostClock, VirtualTimeMovesOnlyWhenAdvanced) {
    HostClock& clock = HostClock::instance();
    std::uint64_t start = clock.nowMicros();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(clock.nowMicros(), start);
    clock.advance(2500);
    EXPECT_EQ(clock.nowMicros(), start + 2500);
    EXPECT_EQ(clock.tickCountMillis(),
              static_cast<std::uint32_t>(HostClock::kUptimeAtStartMillis + (start + 2500) / kMs));
}

TEST(HostClock, SleepingThreadRunsInLockstepWithAdvance) {
    HostClock& clock = HostClock::instance();
    std::atomic<int> runs{0};
    std::atomic<bool> stop{false};
    {
        ManagedThread poller([&] {
            while (!stop) {
                ++runs;
                clock.sleepFor(17 * kMs);
            }
        });
        clock.advance(0);
        EXPECT_EQ(runs, 1);
        for (int step = 1; step <= 10; ++step) {
            clock.advance(17 * kMs);
            EXPECT_EQ(runs, 1 + step);
        }
        clock.advance(16 * kMs);
        EXPECT_EQ(runs, 11);
        stop = true;
        clock.advance(1 * kMs);
    }
    EXPECT_EQ(runs, 11);
}

TEST(HostClock, SleepersWakeInDeadlineOrderAtTheirDeadlines) {
    HostClock& clock = HostClock::instance();
    std::uint64_t start = clock.nowMicros();
    Log log;
    // At 20 ms the tie has waited since 0 ms and the fast thread only since
    // 10 ms: the tie goes first.
    {
        ManagedThread fast([&] {
            for (int i = 0; i < 3; ++i) {
                clock.sleepFor(10 * kMs);
                log.add(1);
            }
        });
        ManagedThread slow([&] {
            clock.sleepFor(25 * kMs);
            log.add(2);
        });
        ManagedThread tie([&] {
            clock.sleepFor(20 * kMs);
            log.add(3);
        });
        clock.advance(40 * kMs);
    }
    std::vector<std::pair<std::uint64_t, int>> expected = {{start + 10 * kMs, 1},
                                                           {start + 20 * kMs, 3},
                                                           {start + 20 * kMs, 1},
                                                           {start + 25 * kMs, 2},
                                                           {start + 30 * kMs, 1}};
    EXPECT_EQ(log.entries(), expected);
}

TEST(HostClock, UpdateWakesWaiterAndTimedWaitEndsAtDeadline) {
    HostClock& clock = HostClock::instance();
    std::uint64_t start = clock.nowMicros();
    bool signalled = false;  // guarded by the clock's lock
    std::atomic<bool> sawSignal{false};
    std::atomic<std::uint64_t> timedOutAt{0};
    {
        ManagedThread waiter([&] {
            sawSignal = clock.waitUntil([&] { return signalled; }, HostClock::kNoDeadline);
            bool again = clock.waitUntil([&] { return !signalled; }, clock.deadlineAfter(50 * kMs));
            EXPECT_FALSE(again);
            timedOutAt = clock.nowMicros();
        });
        clock.advance(5 * kMs);
        EXPECT_FALSE(sawSignal);
        clock.update([&] { signalled = true; });
        clock.advance(0);
        EXPECT_TRUE(sawSignal);
        clock.advance(100 * kMs);
    }
    EXPECT_EQ(timedOutAt, start + 55 * kMs);
}

TEST(HostClock, HostThreadWaitDrivesTimeUntilManagedThreadAnswers) {
    HostClock& clock = HostClock::instance();
    std::uint64_t start = clock.nowMicros();
    bool done = false;
    std::atomic<int> runs{0};
    {
        ManagedThread worker([&] {
            while (++runs < 4) {
                clock.sleepFor(17 * kMs);
            }
            clock.update([&] { done = true; });
        });
        EXPECT_TRUE(clock.waitUntil([&] { return done; }, HostClock::kNoDeadline));
    }
    EXPECT_EQ(clock.nowMicros(), start + 3 * 17 * kMs);

    clock.sleepFor(30 * kMs);
    EXPECT_EQ(clock.nowMicros(), start + 81 * kMs);
}

TEST(HostClock, LiveModeRunsOnTheWallClockFromTheVirtualTime) {
    HostClock& clock = HostClock::instance();
    clock.advance(3 * kMs);
    std::uint64_t start = clock.nowMicros();
    clock.setLive(true);
    auto wallStart = std::chrono::steady_clock::now();
    bool done = false;
    {
        ManagedThread sleeper([&] {
            clock.sleepFor(5 * kMs);
            clock.sleepFor(5 * kMs);
            clock.update([&] { done = true; });
        });
        EXPECT_TRUE(clock.waitUntil([&] { return done; }, HostClock::kNoDeadline));
    }
    auto wallElapsed = std::chrono::steady_clock::now() - wallStart;
    EXPECT_GE(wallElapsed, std::chrono::milliseconds(10));
    EXPECT_GE(clock.nowMicros(), start + 10 * kMs);
    clock.setLive(false);
    std::uint64_t frozen = clock.nowMicros();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(clock.nowMicros(), frozen);
}

}  // namespace
