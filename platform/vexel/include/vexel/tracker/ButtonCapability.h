// The buttons of a tracker target.
#pragma once

#include <vexel/common/Export.h>

namespace vexel {
namespace tracker {

//! The button states of a target, as of its system's last captureTargets().
//! Owned by the target (TrackerTarget::getCapability); never deleted by callers.
class VXTRACKER_API ButtonCapability {
public:
    //! How many buttons the device has (0 or more); button 0 is the primary one.
    virtual int getNumButtons() const = 0;
    //! Whether button `index` is held down; false for an index out of range.
    virtual bool isButtonPressed(int index) const = 0;

protected:
    ButtonCapability() = default;
    virtual ~ButtonCapability() = default;
};

}  // namespace tracker
}  // namespace vexel
