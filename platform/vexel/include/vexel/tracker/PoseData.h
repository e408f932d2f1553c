// One time-stamped pose of a tracker target.
#pragma once

#include <vexel/common/Matrix4.h>

namespace vexel {
namespace tracker {

//! A pose as the tracker delivered it.
struct PoseData {
    //! When the tracker sampled the pose, in seconds on the clock that
    //! common::Timer reads (common::Timer::now()); -1 for "no pose".
    double time = -1.0;
    //! Target space to tracker space, metres (see common/DisplayInfo.h).
    common::Matrix4 matrix;
};

}  // namespace tracker
}  // namespace vexel
