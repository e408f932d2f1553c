// Scoped ownership of a Win32 mutex.
#pragma once

#include <windows.h>

//! Holds a Win32 mutex for one scope, waiting without limit to take it.
class MutexLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) { WaitForSingleObject(mutex_, INFINITE); }
    ~MutexLock() { ReleaseMutex(mutex_); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    HANDLE mutex_;
};
