#pragma once
// PNG files of rendered views, and reading them back for comparisons.

#include <string>

#include "RgbaImage.h"

namespace vxsim::render {

//! Writes an opaque RGB PNG, creating missing parent folders. On failure returns false with
//! a message naming the file in `error`.
bool writePng(const std::string& path, const RgbaImage& image, std::string* error);

//! Reads any PNG as RGBA. On failure returns false with a message in `error`.
bool readPng(const std::string& path, RgbaImage& image, std::string* error);

}  // namespace vxsim::render
