#pragma once
// The OpenGL context the 3D views draw with: one software context (Mesa's OSMesa) drawing
// into memory, shared by every view as Maya's views share textures. It lives for the
// process, so textures a plug-in makes outside a redraw (M3dView::beginGL) are still there
// when its manipulators draw.

#include <cstdint>
#include <string>
#include <vector>

namespace mayasim::viewgl {

//! Makes the context current on the calling thread drawing into a colour (RGBA) and depth
//! buffer of `width` x `height` pixels, resizing the buffer when needed. False with a
//! message in `error` for a size out of range or when Mesa cannot make the context.
bool makeCurrent(int width, int height, std::string* error = nullptr);

//! Makes the context current at its present size (1 x 1 before any draw).
bool makeCurrent();

//! Whether this context is current on the calling thread.
bool isCurrent();

int width();
int height();

//! Finishes drawing and returns the colour buffer as RGBA, top row first.
std::vector<std::uint8_t> readPixels();

}  // namespace mayasim::viewgl
