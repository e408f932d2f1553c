// A minimal Win32 worker thread with a stop flag and a fixed poll period.
#pragma once

#include <windows.h>

#include <atomic>

//! Base of the plug-in's background threads. start() runs run() on a new Win32
//! thread; the subclass's loop checks isStopRequested() between periods.
class Thread {
public:
    Thread() = default;
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    //! Waits without limit until the thread has ended; returns at once when it
    //! was never started.
    virtual void stop();
    virtual void run() = 0;

    //! Creates the Win32 thread that calls run(). False when it could not.
    bool start();
    void requestStop() { stopRequested_.store(true); }
    bool isStopRequested() const { return stopRequested_.load(); }
    int pollPeriodMillis() const { return pollPeriodMillis_; }

private:
    static DWORD WINAPI threadEntry(LPVOID self);

    DWORD threadId_ = static_cast<DWORD>(-1);
    HANDLE threadHandle_ = nullptr;
    std::atomic<bool> stopRequested_{false};
    int pollPeriodMillis_ = 17;
};
