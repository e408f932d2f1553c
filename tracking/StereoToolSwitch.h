// Swapping Maya's own tools and the stylus tools when the stereo view is
// entered or left.
#pragma once

//! Entering the stereo view replaces Maya's current tool by the matching stylus
//! tool; leaving it puts Maya's tool back. A current tool without a counterpart
//! is left alone.
void switchStereoTools(bool enteringStereoView);
