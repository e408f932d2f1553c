// The host's one clock. Every time reading and every timed wait in the platform
// stand-ins (Win32 Sleep/WaitForSingleObject/GetTickCount, the maker's Timer)
// goes through it, so a session can run on virtual time and replay exactly.
//
// Host-private: vxsim, the stand-ins and tests include this; the plug-in never does.
#pragma once

#include <cstdint>

namespace vxhost {

//! Process-wide clock, virtual by default.
//!
//! Virtual mode: time stands still until the host calls advance(). Threads that
//! wait with a time-out (sleepFor, timed waits) are woken in deadline order, and
//! advance() only returns once every managed thread is blocked again, so the
//! tracker thread runs in lockstep with the host's steps.
//!
//! Live mode: the wall clock (steady), waits are real waits.
class HostClock {
public:
    static HostClock& instance();

    void setLive(bool live);
    bool isLive() const;

    //! Time since the clock started, in microseconds / seconds / milliseconds.
    std::uint64_t nowMicros() const;
    double nowSeconds() const;
    std::uint32_t tickCountMillis() const;

    //! Virtual mode: moves time forward by `micros`, waking sleepers in deadline
    //! order and waiting for each woken managed thread to block again.
    //! Live mode: sleeps the calling thread for that long.
    void advance(std::uint64_t micros);

    //! Blocks the calling thread for `micros` of clock time.
    void sleepFor(std::uint64_t micros);

    // --- For the waiting primitives of the stand-ins -------------------------

    //! Managed threads are the ones the host waits for in advance(). Threads
    //! started through CreateThread register themselves.
    void registerManagedThread();
    void unregisterManagedThread();

    //! A managed thread about to block on something the clock does not see
    //! (an event, a mutex, another thread) calls blockBegin() first and
    //! blockEnd() when it resumes, so advance() can tell it is idle.
    void blockBegin();
    void blockEnd();

    //! Wait until `ready()` holds or the clock reaches `deadlineMicros`
    //! (UINT64_MAX: no deadline). `ready` is evaluated under the clock's lock;
    //! whoever makes it true calls notifyAll(). Returns ready()'s last value.
    template <class Pred>
    bool waitUntil(Pred ready, std::uint64_t deadlineMicros);
    void notifyAll();

private:
    HostClock();
    struct Impl;
    Impl* impl_;  // never freed: the clock outlives every thread, including detached ones
};

}  // namespace vxhost
