#pragma once
// Session recordings: the active 3D view as an animated GIF, one frame per redraw.

#include <string>

#include "ViewRenderer.h"

namespace vxsim::render {

//! Starts recording the active 3D view to `path` at its present size, the first frame being
//! the view as it is now. False with a message in `error` when a recording is already
//! running, there is no active view, or the file cannot be written.
bool startRecording(const std::string& path, Eye eye, double nowSeconds, std::string* error);

bool isRecording();

//! Finishes the recording: the last frame shows until `nowSeconds`. Returns false with the
//! reason in `error` when the recording failed on the way (the file is then incomplete);
//! `path` receives the file's path. Without a recording, returns true and leaves `path`
//! empty.
bool stopRecording(double nowSeconds, std::string* path, std::string* error);

//! What the host does after each tick: records a frame when recording, otherwise lets the
//! current tool's manipulators draw for the active view. A recording that fails stops
//! taking frames and keeps its error for stopRecording.
void redrawActiveView(double nowSeconds);

}  // namespace vxsim::render
