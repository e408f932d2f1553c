// The host's one clock. Every time reading and every timed wait in the platform
// stand-ins (Win32 Sleep/WaitForSingleObject/GetTickCount, the maker's Timer)
// goes through it, so a session can run on virtual time and replay exactly.
//
// Host-private: vxsim, the stand-ins and tests include this; the plug-in never does.
#pragma once

#include <cstdint>
#include <type_traits>

namespace vxhost {

//! Process-wide clock, virtual by default.
//!
//! Virtual mode: time stands still until the host calls advance(). Threads that
//! wait with a time-out (sleepFor, timed waits) are woken one at a time in
//! deadline order (equal deadlines: first come, first woken), and advance() only
//! moves on once every managed thread is blocked again, so the tracker thread
//! runs in lockstep with the host's steps.
//!
//! Two kinds of threads:
//! - managed threads (started through CreateThread, or calling
//!   registerManagedThread) are the simulated machine's threads: advance() waits
//!   for them to block before moving time on;
//! - every other thread is a host thread. A host thread that waits on virtual
//!   time drives the clock itself: a Sleep(100) on it is an advance(100 ms), and
//!   a wait for a managed thread's event moves time from deadline to deadline
//!   until the event comes. Only one thread drives time at once.
//!
//! Live mode: the wall clock (steady), waits are real waits. Switch modes before
//! starting managed threads.
class HostClock {
public:
    static constexpr std::uint64_t kNoDeadline = UINT64_MAX;

    static HostClock& instance();

    HostClock(const HostClock&) = delete;
    HostClock& operator=(const HostClock&) = delete;

    void setLive(bool live);
    bool isLive() const;

    //! Time since the clock started, in microseconds / seconds.
    std::uint64_t nowMicros() const;
    double nowSeconds() const;
    //! Win32's GetTickCount: milliseconds since the simulated machine started,
    //! which is kUptimeAtStartMillis before the clock's zero, so that a tick
    //! count of 0 never looks recent. Wraps at 2^32 as the real one does.
    std::uint32_t tickCountMillis() const;
    static constexpr std::uint32_t kUptimeAtStartMillis = 60000;

    //! Virtual mode: moves time forward by `micros`, waking sleepers in deadline
    //! order and waiting for each woken managed thread to block again; advance(0)
    //! just lets woken managed threads settle. Called from a managed thread it
    //! is a sleepFor. Live mode: sleeps the calling thread for that long.
    void advance(std::uint64_t micros);

    //! Blocks the calling thread for `micros` of clock time.
    void sleepFor(std::uint64_t micros);

    //! Deadline `micros` from now, saturating at kNoDeadline.
    std::uint64_t deadlineAfter(std::uint64_t micros) const;

    // --- For the waiting primitives of the stand-ins -------------------------

    //! Makes the calling thread a managed thread, counted as running. Whoever
    //! starts the thread should wait until it has registered (CreateThread
    //! does), or advance() may run before the thread is known.
    void registerManagedThread();
    void unregisterManagedThread();
    bool isManagedThread() const;
    //! How many managed threads are alive (started and not yet ended).
    int managedThreadCount() const;

    //! A managed thread about to block on something the clock does not see (a
    //! foreign lock, a pipe) calls blockBegin() first and blockEnd() when it
    //! resumes, so advance() can tell it is idle. Waits through waitUntil()
    //! need neither.
    void blockBegin();
    void blockEnd();

    //! Waits until `ready()` holds or the clock reaches `deadlineMicros`
    //! (kNoDeadline: no deadline). `ready` runs under the clock's lock, on the
    //! waiting thread only, so it may also take what it waited for (a mutex's
    //! ownership, an auto-reset event's signal); it must not call back into the
    //! clock. Returns ready()'s last value.
    template <class Pred>
    bool waitUntil(Pred ready, std::uint64_t deadlineMicros) {
        return waitUntilImpl(&invoke<Pred>, &ready, deadlineMicros);
    }

    //! Runs `change` under the clock's lock, then wakes every waiter to look
    //! again. State that waiters' predicates read is changed only this way.
    template <class Fn>
    void update(Fn change) {
        updateImpl(&invoke<Fn>, &change);
    }
    //! Wakes every waiter to look again (for state their predicates read
    //! atomically).
    void notifyAll();

private:
    HostClock();
    ~HostClock() = delete;

    template <class Fn>
    static bool invoke(void* fn) {
        if constexpr (std::is_same_v<decltype((*static_cast<Fn*>(fn))()), void>) {
            (*static_cast<Fn*>(fn))();
            return true;
        } else {
            return (*static_cast<Fn*>(fn))();
        }
    }
    bool waitUntilImpl(bool (*ready)(void*), void* state, std::uint64_t deadlineMicros);
    void updateImpl(bool (*change)(void*), void* state);

    struct Impl;
    Impl* impl_;  // never freed: the clock outlives every thread, including detached ones
};

}  // namespace vxhost
