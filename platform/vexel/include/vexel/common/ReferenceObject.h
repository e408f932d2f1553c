// Reference counting for every object the libraries hand out.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Lockable.h>

namespace vexel {
namespace common {

//! Base of reference-counted objects.
//!
//! Ownership rules, for every object of the libraries derived from this class:
//! - A factory function (for example TrackerSystem::create()) returns an
//!   object with a count of 1 that belongs to the caller.
//! - Whoever keeps a pointer it did not create calls addReference(); every
//!   owner calls removeReference() exactly once when done. The object deletes
//!   itself when the count reaches 0; never delete it directly (the destructor
//!   is protected).
//! - Pointers returned by plain getters (for example
//!   StereoViewport::getStereoFrustum()) are borrowed: they stay valid while the
//!   object that returned them lives and are not released.
//!
//! The count is guarded by the object's own lock, so references may be added
//! and removed from any thread.
//!
//! Applications derive their own shared objects from this class too; such a
//! class constructs the Mutex base implicitly.
class VXCOMMON_API ReferenceObject : public Lockable {
protected:
    // Declared first so that the destructor takes the first virtual slot,
    // ahead of the counting functions.
    virtual ~ReferenceObject();
    ReferenceObject();

public:
    ReferenceObject(const ReferenceObject&) = delete;
    ReferenceObject& operator=(const ReferenceObject&) = delete;

    //! Adds one reference.
    virtual void addReference();
    //! Drops one reference; deletes the object when it was the last one.
    //! Returns the count left (0: the object no longer exists).
    virtual int removeReference();
    //! The current count; only a hint while other threads hold references.
    virtual int getReferenceCount() const;

private:
    int referenceCount_;
};

}  // namespace common
}  // namespace vexel
