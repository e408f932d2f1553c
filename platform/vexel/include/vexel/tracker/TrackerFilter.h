// Application-supplied filters for tracker poses.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/ReferenceObject.h>

namespace vexel {
namespace tracker {

//! Base of pose filters an application attaches to a target with
//! TrackerTarget::setTrackerFilter().
//!
//! The library calls filter() once for every valid pose the target delivers,
//! in time order, on the thread that calls TrackerSystem::captureTargets(); the
//! filter's output is what getPose() returns and what the pose buffer records.
//! Configure the filter from that same thread and no locking is needed. The
//! target is locked meanwhile, so filter() must not call back into it.
//!
//! Reference counted: the target holds a reference while the filter is attached.
//! The parameters other than the enable state mean whatever the concrete
//! filter makes of them, so they are left to it.
class VXTRACKER_API TrackerFilter : public common::ReferenceObject {
public:
    //! Turns filtering on or off; a new filter is enabled. The library itself
    //! calls filter() either way: the filter decides what "disabled" means.
    virtual void setEnabled(bool enabled);
    virtual bool isEnabled() const;

    virtual void setThreshold(float threshold) = 0;
    virtual float getThreshold() const = 0;
    virtual void setLevel(float level) = 0;
    virtual float getLevel() const = 0;
    virtual void setStartRate(float rate) = 0;
    virtual float getStartRate() const = 0;
    virtual void setStopRate(float rate) = 0;
    virtual float getStopRate() const = 0;

    //! Filters one pose. Returns true when `out` holds the pose to deliver;
    //! false delivers `in` unchanged.
    virtual bool filter(const common::Matrix4& in, common::Matrix4& out) = 0;
    //! Sets the cut-off frequency (Hz) for poses arriving at `sampleRate` (Hz).
    virtual void setCutoff(double cutoff, double sampleRate) = 0;

protected:
    TrackerFilter() = default;
    ~TrackerFilter() override = default;

private:
    bool enabled_ = true;
};

}  // namespace tracker
}  // namespace vexel
