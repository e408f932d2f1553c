// Waitable kernel objects behind Win32 HANDLEs: threads, mutexes and events.
#pragma once

#include <windows.h>

#include <string>

namespace vxwin32 {

//! A waitable object. Its state is read and changed only under the host
//! clock's lock (HostClock::waitUntil / update), so waiters see every change.
class KernelObject {
public:
    enum class Kind { kThread, kMutex, kEvent };

    KernelObject(Kind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
    virtual ~KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    //! Whether a wait by `threadId` is satisfied now; takes what the wait
    //! consumes (mutex ownership, an auto-reset signal). Clock lock held.
    virtual bool acquire(DWORD threadId) = 0;

private:
    Kind kind_;
    std::string name_;
};

class ThreadObject : public KernelObject {
public:
    explicit ThreadObject(DWORD id) : KernelObject(Kind::kThread, {}), id_(id) {}

    bool acquire(DWORD) override { return finished_; }

    DWORD id() const { return id_; }
    DWORD exitCode() const { return finished_ ? exitCode_ : STILL_ACTIVE; }
    void finish(DWORD exitCode) {
        exitCode_ = exitCode;
        finished_ = true;
    }

private:
    DWORD id_;
    DWORD exitCode_ = 0;
    bool finished_ = false;
};

//! Recursive per owner thread, as Win32's: the owner may wait again and must
//! release once per successful wait.
class MutexObject : public KernelObject {
public:
    explicit MutexObject(std::string name) : KernelObject(Kind::kMutex, std::move(name)) {}

    bool acquire(DWORD threadId) override {
        if (count_ != 0 && owner_ != threadId) {
            return false;
        }
        owner_ = threadId;
        ++count_;
        return true;
    }
    bool release(DWORD threadId) {
        if (count_ == 0 || owner_ != threadId) {
            return false;
        }
        if (--count_ == 0) {
            owner_ = 0;
        }
        return true;
    }

private:
    DWORD owner_ = 0;
    unsigned count_ = 0;
};

class EventObject : public KernelObject {
public:
    EventObject(std::string name, bool manualReset, bool signalled)
        : KernelObject(Kind::kEvent, std::move(name)),
          manualReset_(manualReset),
          signalled_(signalled) {}

    bool acquire(DWORD) override {
        if (!signalled_) {
            return false;
        }
        if (!manualReset_) {
            signalled_ = false;
        }
        return true;
    }
    void set(bool signalled) { signalled_ = signalled; }

private:
    bool manualReset_;
    bool signalled_;
};

}  // namespace vxwin32
