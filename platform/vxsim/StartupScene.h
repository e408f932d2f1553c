// What a new Maya scene holds before anyone touches it.
#pragma once

#include <maya/MDagPath.h>

namespace vxsim {

//! Creates Maya's default perspective camera, "persp" with shape "perspShape", where a new
//! scene has it, and returns the path to its shape (what the first 3D view looks through).
MDagPath createDefaultCamera();

}  // namespace vxsim
