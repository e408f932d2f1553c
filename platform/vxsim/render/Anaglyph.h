#pragma once
// Red/cyan anaglyph composition of a stereo pair.

#include "RgbaImage.h"

namespace vxsim::render {

//! Red from the left eye, green and blue from the right, so red/cyan glasses separate the
//! pair. The images must have the same size; an empty image is returned otherwise.
RgbaImage composeAnaglyph(const RgbaImage& left, const RgbaImage& right);

}  // namespace vxsim::render
