// Base of objects that carry their own lock.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Mutex.h>

namespace vexel {
namespace common {

//! An object that can be locked as a whole with lock() / unlock().
//!
//! Mutex is a virtual base so that a class combining several Lockable bases
//! still has exactly one lock; the most derived class constructs it.
class VXCOMMON_API Lockable : public virtual Mutex {
protected:
    Lockable() = default;
    ~Lockable() = default;
};

}  // namespace common
}  // namespace vexel
