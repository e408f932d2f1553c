#include "vxhost/HostClock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vxhost {

namespace {

using SteadyClock = std::chrono::steady_clock;

thread_local bool tManaged = false;

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return b > HostClock::kNoDeadline - a ? HostClock::kNoDeadline : a + b;
}

//! A thread blocked in waitUntil(). Lives on the waiting thread's stack.
struct Waiter {
    std::uint64_t deadline;
    std::uint64_t sequence;  // orders equal deadlines: first come, first woken
    bool managed;
    bool woken = false;
};

}  // namespace

// One mutex and one condition variable for everything: few threads wait at
// once, and a single notify_all cannot lose a wake-up between predicates.
struct HostClock::Impl {
    mutable std::mutex mutex;
    std::condition_variable changed;

    bool live = false;
    std::uint64_t virtualNow = 0;
    std::uint64_t liveBase = 0;  // clock time when live mode began
    SteadyClock::time_point liveStart;

    int running = 0;       // managed threads not blocked
    int managedCount = 0;  // managed threads alive
    bool driving = false;  // a thread is moving virtual time
    std::uint64_t nextSequence = 0;
    std::vector<Waiter*> waiters;

    std::uint64_t now() const {
        if (!live) {
            return virtualNow;
        }
        auto elapsed =
            std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - liveStart);
        return liveBase + static_cast<std::uint64_t>(elapsed.count());
    }

    // The waker counts a managed thread as running the moment it decides to wake
    // it, so advance() cannot see "all idle" before the thread actually resumes.
    void wake(Waiter& waiter) {
        if (!waiter.woken) {
            waiter.woken = true;
            if (waiter.managed) {
                ++running;
            }
        }
    }

    void wakeAll() {
        for (Waiter* waiter : waiters) {
            wake(*waiter);
        }
        changed.notify_all();
    }

    // Host threads waiting passively may be able to drive time now.
    void wakeHostThreads() {
        for (Waiter* waiter : waiters) {
            if (!waiter->managed) {
                wake(*waiter);
            }
        }
        changed.notify_all();
    }

    void managedThreadBlocked() {
        if (--running == 0) {
            wakeHostThreads();
        }
    }

    void waitIdle(std::unique_lock<std::mutex>& lock) {
        changed.wait(lock, [this] { return running == 0; });
    }

    //! The sleeper to wake next: earliest deadline not after `limit`, then
    //! earliest arrival.
    Waiter* nextSleeper(std::uint64_t limit) {
        Waiter* next = nullptr;
        for (Waiter* waiter : waiters) {
            if (waiter->woken || waiter->deadline > limit) {
                continue;
            }
            if (next == nullptr || waiter->deadline < next->deadline ||
                (waiter->deadline == next->deadline && waiter->sequence < next->sequence)) {
                next = waiter;
            }
        }
        return next;
    }

    void acquireDriving(std::unique_lock<std::mutex>& lock) {
        changed.wait(lock, [this] { return !driving; });
        driving = true;
    }

    void releaseDriving() {
        driving = false;
        wakeHostThreads();
    }

    //! Moves virtual time to `end`, one sleeper at a time. Driving held.
    void advanceTo(std::unique_lock<std::mutex>& lock, std::uint64_t end) {
        for (;;) {
            waitIdle(lock);
            Waiter* next = nextSleeper(end);
            if (next == nullptr) {
                break;
            }
            virtualNow = std::max(virtualNow, next->deadline);
            wake(*next);
            changed.notify_all();
        }
        virtualNow = std::max(virtualNow, end);
    }

    //! One step of a host thread waiting on virtual time: lets woken managed
    //! threads settle, or else moves time to the next deadline (its own
    //! included). False when it cannot drive: someone else does, or no deadline
    //! is left and only another thread can change anything.
    bool driveStep(std::unique_lock<std::mutex>& lock, std::uint64_t ownDeadline) {
        if (driving) {
            return false;
        }
        driving = true;
        if (running > 0) {
            waitIdle(lock);
            releaseDriving();
            return true;
        }
        Waiter* next = nextSleeper(ownDeadline);
        std::uint64_t target = next != nullptr ? next->deadline : ownDeadline;
        if (target == kNoDeadline) {
            releaseDriving();
            return false;
        }
        virtualNow = std::max(virtualNow, target);
        if (next != nullptr) {
            wake(*next);
            changed.notify_all();
            waitIdle(lock);
        }
        releaseDriving();
        return true;
    }

    void removeWaiter(Waiter& waiter) {
        waiters.erase(std::find(waiters.begin(), waiters.end(), &waiter));
    }

    void block(std::unique_lock<std::mutex>& lock, std::uint64_t deadline) {
        Waiter waiter{deadline, nextSequence++, tManaged};
        waiters.push_back(&waiter);
        if (waiter.managed) {
            managedThreadBlocked();
        }
        if (live) {
            if (deadline == kNoDeadline) {
                changed.wait(lock);
            } else {
                changed.wait_until(lock,
                                   liveStart + std::chrono::microseconds(deadline - liveBase));
            }
        } else {
            changed.wait(lock, [&] { return waiter.woken || live; });
        }
        removeWaiter(waiter);
        wake(waiter);  // woke by itself (time-out, mode switch): count it running again
    }
};

HostClock& HostClock::instance() {
    static HostClock* clock = new HostClock;
    return *clock;
}

HostClock::HostClock() : impl_(new Impl) {}

void HostClock::setLive(bool live) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->live == live) {
        return;
    }
    if (live) {
        impl_->liveBase = impl_->virtualNow;
        impl_->liveStart = SteadyClock::now();
    } else {
        impl_->virtualNow = impl_->now();
    }
    impl_->live = live;
    impl_->wakeAll();
}

bool HostClock::isLive() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->live;
}

std::uint64_t HostClock::nowMicros() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->now();
}

double HostClock::nowSeconds() const {
    return static_cast<double>(nowMicros()) * 1e-6;
}

std::uint32_t HostClock::tickCountMillis() const {
    return static_cast<std::uint32_t>(kUptimeAtStartMillis + nowMicros() / 1000);
}

std::uint64_t HostClock::deadlineAfter(std::uint64_t micros) const {
    return saturatingAdd(nowMicros(), micros);
}

void HostClock::advance(std::uint64_t micros) {
    std::unique_lock<std::mutex> lock(impl_->mutex);
    if (impl_->live || tManaged) {
        std::uint64_t deadline = saturatingAdd(impl_->now(), micros);
        lock.unlock();
        waitUntil([] { return false; }, deadline);
        return;
    }
    impl_->acquireDriving(lock);
    impl_->advanceTo(lock, saturatingAdd(impl_->virtualNow, micros));
    impl_->releaseDriving();
}

void HostClock::sleepFor(std::uint64_t micros) {
    waitUntil([] { return false; }, deadlineAfter(micros));
}

void HostClock::registerManagedThread() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (!tManaged) {
        tManaged = true;
        ++impl_->running;
        ++impl_->managedCount;
    }
}

void HostClock::unregisterManagedThread() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (tManaged) {
        tManaged = false;
        --impl_->managedCount;
        impl_->managedThreadBlocked();
    }
}

int HostClock::managedThreadCount() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->managedCount;
}

bool HostClock::isManagedThread() const {
    return tManaged;
}

void HostClock::blockBegin() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (tManaged) {
        impl_->managedThreadBlocked();
    }
}

void HostClock::blockEnd() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (tManaged) {
        ++impl_->running;
    }
}

bool HostClock::waitUntilImpl(bool (*ready)(void*), void* state, std::uint64_t deadlineMicros) {
    std::unique_lock<std::mutex> lock(impl_->mutex);
    for (;;) {
        if (ready(state)) {
            return true;
        }
        if (impl_->now() >= deadlineMicros) {
            return false;
        }
        if (!impl_->live && !tManaged && impl_->driveStep(lock, deadlineMicros)) {
            continue;
        }
        impl_->block(lock, deadlineMicros);
    }
}

void HostClock::updateImpl(bool (*change)(void*), void* state) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    change(state);
    impl_->wakeAll();
}

void HostClock::notifyAll() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->wakeAll();
}

}  // namespace vxhost
