// Entry point of the tracking library.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/tracker/TrackerTarget.h>

namespace vexel {
namespace tracker {

//! The connection to the tracker. Typical use, from one polling thread:
//!
//!     TrackerSystem* system = TrackerSystem::create();
//!     TrackerTarget* stylus = system->getDefaultTrackerTarget(kTargetStylus);
//!     for (;;) {
//!         system->captureTargets();
//!         Matrix4 pose;
//!         if (stylus && stylus->getPose(pose)) { ... }
//!     }
//!     system->removeReference();
//!
//! Reference counted: create() hands out one reference. The targets belong to
//! the system and die with it.
class VXTRACKER_API TrackerSystem : public common::ReferenceObject {
public:
    static TrackerSystem* create();

    //! The system's target of a kind (kTargetHead, kTargetStylus), or nullptr
    //! when no such device is connected now or the type is unknown. The same
    //! pointer comes back on every call while the system lives.
    virtual TrackerTarget* getDefaultTrackerTarget(int type) = 0;

    //! Takes in everything the tracker reported since the previous call: each
    //! new pose of each target runs through the target's filter and into its
    //! history, in time order; then the newest pose, the presence and the
    //! button states are latched for the targets to report. Does not allocate.
    virtual void captureTargets() = 0;

protected:
    TrackerSystem() = default;
    ~TrackerSystem() override = default;
};

}  // namespace tracker
}  // namespace vexel
