#pragma once
// The hook through which later drawing (manipulators, the stylus beam, menus) reaches the
// rendered view, standing in for Maya calling each manipulator's draw after the scene.
//
// When a callback runs, the OpenGL state is the one Maya gives a manipulator's draw:
//  - the projection is the rendered camera's, the modelview maps world space to eye space,
//    so callbacks draw in world coordinates; the matrix mode is GL_MODELVIEW;
//  - the depth buffer holds the scene, depth testing is on (GL_LESS), depth writes are on;
//  - lighting, texturing, blending, face culling, logic ops and line stipple are off; the
//    light model and material are OpenGL's defaults and GL_LIGHT0 is the view's headlight;
//    the colour is opaque white, the line width and point size 1, shading smooth; the
//    viewport covers the whole view.
// Each manipulator's draw starts from this state, whatever the one before it left.
// Callbacks may change any state; the next callback gets it as they leave it, so balance
// changes with glPushAttrib/glPopAttrib and glPushMatrix/glPopMatrix.

#include <functional>
#include <string>

#include <maya/MDagPath.h>

namespace vxsim::render {

//! What is being drawn: the camera shape of this pass, the view size in pixels, and the
//! eye ("left", "right" or "center"; an anaglyph runs a left and a right pass).
struct DrawPass {
    MDagPath camera;
    int width = 0;
    int height = 0;
    std::string eye;
};

using DrawCallback = std::function<void(const DrawPass&)>;

//! Adds a callback, called after the scene in every pass from now on, in the order added.
//! Returns the id that removes it.
unsigned int addDrawCallback(DrawCallback callback);
void removeDrawCallback(unsigned int id);

//! Runs the callbacks registered when called; a callback may add or remove callbacks.
void runDrawCallbacks(const DrawPass& pass);

}  // namespace vxsim::render
