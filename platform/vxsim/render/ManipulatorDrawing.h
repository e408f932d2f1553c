#pragma once
// Drawing after the scene, as Maya draws a view's overlays: the current tool's manipulators,
// then the host's draw callbacks.

#include <mayasim/DrawPass.h>

namespace vxsim::render {

//! The GL state a manipulator's draw starts with (see DrawCallbacks.h).
void resetOverlayState();

//! Calls draw on every manipulator of the current tool context, each with the state of
//! resetOverlayState and its own attribute and matrix stacks, so one manipulator's leftover
//! state never reaches the next.
void drawManipulators(const mayasim::views::DrawPass& pass);

}  // namespace vxsim::render
