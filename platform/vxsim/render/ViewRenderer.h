#pragma once
// Renders the scene through a camera into an image: one pass per eye, composed into an
// anaglyph when both are asked for.

#include <string>

#include <maya/MDagPath.h>

#include "RgbaImage.h"

namespace vxsim::render {

enum class Eye { kCenter, kLeft, kRight, kAnaglyph };

//! The eye names `vxsim.render` takes, for messages.
extern const char* const kEyeChoices;

//! "center", "left", "right" or "anaglyph"; false for anything else.
bool eyeFromName(const std::string& name, Eye& eye);

//! The camera shape an eye looks through. When the view's camera is one of a stereo rig's
//! cameras (its transform's message feeds the rig root's centerCam, leftCam or rightCam),
//! the left and right eyes use the rig's left and right cameras; otherwise, and for the
//! center, the view's camera.
MDagPath eyeCamera(const MDagPath& viewCamera, Eye eye);

//! Renders a view of `width` by `height` pixels whose camera is `viewCamera`: background,
//! grid, visible meshes, then the draw callbacks. False with a message in `error` when the
//! camera is not a camera or no GL context can be made.
bool renderView(const MDagPath& viewCamera, int width, int height, Eye eye, RgbaImage& image,
                std::string* error);

}  // namespace vxsim::render
