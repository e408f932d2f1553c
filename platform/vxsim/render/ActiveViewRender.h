#pragma once
// vxsim.render: the active 3D view as an image file.

#include <string>

#include "ViewRenderer.h"

namespace vxsim::render {

//! Renders the active 3D view through its camera at its viewport size and writes the PNG
//! `path`. False with a message in `error` when there is no active view or the image cannot
//! be made or written.
bool renderActiveView(const std::string& path, Eye eye, std::string* error);

}  // namespace vxsim::render
