#pragma once
// A software OpenGL context drawing into memory (Mesa's OSMesa), standing in for the view
// window's GL context.

#include <GL/osmesa.h>

#include <memory>
#include <string>
#include <vector>

#include "RgbaImage.h"

namespace vxsim::render {

class OffscreenContext {
public:
    //! A context with an RGBA colour buffer, a 24-bit depth and an 8-bit stencil buffer of
    //! `width` by `height` pixels, made current on the calling thread. Null with a message
    //! in `error` when Mesa cannot create it.
    static std::unique_ptr<OffscreenContext> create(int width, int height, std::string* error);

    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    //! Finishes drawing and copies the colour buffer, top row first.
    RgbaImage readImage() const;

private:
    OffscreenContext(OSMesaContext context, int width, int height);

    OSMesaContext context_;
    int width_;
    int height_;
    std::vector<unsigned char> buffer_;
};

}  // namespace vxsim::render
