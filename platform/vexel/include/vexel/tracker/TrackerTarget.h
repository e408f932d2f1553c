// A tracked device: the user's head (glasses) or the stylus.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>
#include <vexel/tracker/ButtonCapability.h>
#include <vexel/tracker/PoseData.h>
#include <vexel/tracker/TrackerFilter.h>

namespace vexel {
namespace tracker {

//! Kinds of target, as passed to TrackerSystem::getDefaultTrackerTarget().
enum TargetType { kTargetHead = 0, kTargetStylus = 1 };

//! Kinds of capability, as passed to TrackerTarget::getCapability().
enum CapabilityType { kCapabilityButtons = 0 };

//! One tracked device. Owned by the TrackerSystem that returned it and valid
//! as long as that system lives; not reference counted.
//!
//! Everything a target reports is the state latched by the system's last
//! captureTargets(), so one poll sees one consistent picture. A device can
//! disappear (unplugged, out of sight) and come back while the application
//! holds its target: it then reports itself disabled with no valid pose, and
//! resumes when the device returns (with no valid pose until its next one).
//!
//! Poses map target space to tracker space (metres, see common/DisplayInfo.h).
//! The stylus points along its -z axis: the third column of the rotation,
//! negated. The head's x axis runs from the left eye to the right eye.
//!
//! Calls are thread-safe.
class VXTRACKER_API TrackerTarget {
public:
    virtual TargetType getType() const = 0;
    //! Whether the device is present and tracking.
    virtual bool isEnabled() const = 0;
    //! Copies the newest pose (filtered, when a filter is attached) into `pose`
    //! and returns true; returns false, leaving `pose` alone, while the target
    //! is disabled or has no valid pose.
    virtual bool getPose(common::Matrix4& pose) const = 0;
    //! The time of the newest pose, or -1 while there is none.
    virtual double getPoseTime() const = 0;

    //! Turns recording of the pose history on or off (off initially; turning it
    //! off clears the history). The history keeps the last kPoseBufferSize
    //! valid poses delivered while recording.
    virtual void setPoseBufferingEnabled(bool enabled) = 0;
    virtual bool isPoseBufferingEnabled() const = 0;
    //! Copies up to `maxRecords` history records into `out`, newest first, and
    //! returns how many it wrote (0 when `out` is null or `maxRecords` < 1).
    virtual int getPoseBuffer(PoseData* out, int maxRecords) const = 0;

    //! Attaches a filter (adding a reference to it) in place of the previous
    //! one (whose reference is removed); null detaches.
    virtual void setTrackerFilter(TrackerFilter* filter) = 0;
    virtual TrackerFilter* getTrackerFilter() const = 0;

    //! The capability of a kind, or nullptr when the target has none of it.
    //! kCapabilityButtons: the stylus's buttons (possibly 0 of them); the head
    //! has none. The returned object is owned by the target.
    virtual ButtonCapability* getCapability(int type) = 0;

    static constexpr int kPoseBufferSize = 50;

protected:
    TrackerTarget() = default;
    virtual ~TrackerTarget() = default;
    TrackerTarget(const TrackerTarget&) = delete;
    TrackerTarget& operator=(const TrackerTarget&) = delete;
};

}  // namespace tracker
}  // namespace vexel
