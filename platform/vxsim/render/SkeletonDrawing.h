#pragma once
// Joints, IK handles and emitters in the 3D view, roughly as Maya draws them: a joint as
// three circles around its centre with a pyramid bone to each child joint, an IK handle as
// a cross at its position with the handle vector from its start joint, an emitter as a
// small starburst; in the selection's colours.

#include "SelectionDisplay.h"

namespace vxsim::render {

//! Every visible joint, IK handle and emitter. Draws with the current (world) modelview.
void drawVisibleSkeletons(const SelectionDisplay& selection);

}  // namespace vxsim::render
