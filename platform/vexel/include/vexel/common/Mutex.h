// Recursive mutual exclusion shared by the library's thread-safe objects.
#pragma once

#include <vexel/common/Export.h>

#include <mutex>

namespace vexel {
namespace common {

//! A recursive mutex: the thread that holds it may lock it again, and must
//! unlock it as many times. Satisfies the standard BasicLockable requirements,
//! so std::lock_guard<Mutex> works. Not copyable.
class VXCOMMON_API Mutex {
public:
    Mutex() = default;
    ~Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    //! Blocks until the calling thread holds the mutex.
    void lock();
    //! Takes the mutex if no other thread holds it; returns whether it did.
    bool tryLock();
    //! Releases one level of ownership held by the calling thread.
    void unlock();

private:
    std::recursive_mutex mutex_;
};

}  // namespace common
}  // namespace vexel
