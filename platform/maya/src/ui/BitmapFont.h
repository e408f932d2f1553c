#pragma once
// The text font of the 3D views: printable ASCII in 5 x 7 cells with a descender row,
// drawn at twice that size with glBitmap, so labels read at a desktop view's resolution.

#include <string>

namespace mayasim::font {

//! Pixels from one character's origin to the next.
int advance();
//! Pixels above the baseline (capital height) and below it (descenders).
int ascent();
int descent();
//! Width in pixels of `text` drawn in one line.
int textWidth(const std::string& text);
//! Draws `text` with its baseline starting at the current raster position, in the raster
//! colour, advancing the raster position. Characters outside printable ASCII show as '?'.
void drawBitmapText(const std::string& text);

}  // namespace mayasim::font
