#pragma once
// Renders the scene through a camera into an image: one pass per eye, composed into an
// anaglyph when both are asked for.

#include <string>

#include <maya/M3dView.h>
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

//! Which view is drawn and how.
struct ViewOptions {
    int view = -1;  //!< the 3D view whose M3dView manipulators get; -1 for none
    M3dView::DisplayStyle style = M3dView::kWireFrame;
};

//! Renders a view of `width` by `height` pixels whose camera is `viewCamera`: background,
//! grid, visible meshes and the selection, the current tool's manipulators, then the draw
//! callbacks. False with a message in `error` when the camera is not a camera or no GL
//! context can be made.
bool renderView(const MDagPath& viewCamera, int width, int height, Eye eye, RgbaImage& image,
                std::string* error, const ViewOptions& options = {});

//! Renders 3D view `view` through its camera at its size and style.
bool renderView(int view, Eye eye, RgbaImage& image, std::string* error);

//! A redraw of view `view` that nobody looks at: only the current tool's manipulators draw,
//! through the view's camera, as they would in a full redraw. Tools whose state follows
//! their drawing (a stylus beam, a menu's animation) stay current between renders.
bool redrawManipulators(int view, std::string* error);

}  // namespace vxsim::render
