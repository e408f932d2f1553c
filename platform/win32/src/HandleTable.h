// The process's table of kernel object handles and named objects.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "KernelObject.h"

namespace vxwin32 {

//! Handles are never reused, so a stale or closed handle fails cleanly
//! instead of reaching another object. An object lives while a handle to it is
//! open or a wait on it is under way.
class HandleTable {
public:
    static HandleTable& instance();

    HANDLE add(std::shared_ptr<KernelObject> object);
    std::shared_ptr<KernelObject> find(HANDLE handle) const;
    bool close(HANDLE handle);

    //! A new handle to the object named `name` while one is open, else to a
    //! new object from `make()`; `existed` tells which. Unnamed objects are
    //! always new. A name taken by another kind of object gives null.
    HANDLE openOrAdd(const std::string& name, KernelObject::Kind kind,
                     const std::function<std::shared_ptr<KernelObject>()>& make, bool& existed);

private:
    HandleTable() = default;

    mutable std::mutex mutex_;
    std::uintptr_t next_ = 4;  // Win32 handle values are multiples of 4
    std::map<std::uintptr_t, std::shared_ptr<KernelObject>> handles_;
};

}  // namespace vxwin32
