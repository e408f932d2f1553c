#include "OffscreenContext.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

// Mesa's OSMesa never frees the framebuffer records OSMesaMakeCurrent allocates; the leak
// checker of sanitized builds would otherwise fail every process that renders.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\n";
}

namespace vxsim::render {

namespace {

constexpr int kMaxSide = 8192;

// llvmpipe rasterises on worker threads by default; the host is single-threaded and its
// test runs use thread and leak checkers, so keep rasterising on the caller's thread.
void preferSingleThreadedRasteriser() {
    setenv("LP_NUM_THREADS", "0", 0);
}

}  // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::create(int width, int height,
                                                           std::string* error) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        if (error) {
            *error = "invalid view size " + std::to_string(width) + "x" + std::to_string(height);
        }
        return nullptr;
    }
    preferSingleThreadedRasteriser();
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
    if (context == nullptr) {
        if (error)
            *error = "cannot create an OSMesa context";
        return nullptr;
    }
    std::unique_ptr<OffscreenContext> result(new OffscreenContext(context, width, height));
    if (!OSMesaMakeCurrent(context, result->buffer_.data(), GL_UNSIGNED_BYTE, width, height)) {
        if (error)
            *error = "cannot make the OSMesa context current";
        return nullptr;
    }
    return result;
}

OffscreenContext::OffscreenContext(OSMesaContext context, int width, int height)
    : context_(context),
      width_(width),
      height_(height),
      buffer_(static_cast<std::size_t>(width) * height * 4) {}

OffscreenContext::~OffscreenContext() {
    if (OSMesaGetCurrentContext() == context_) {
        OSMesaMakeCurrent(nullptr, nullptr, GL_UNSIGNED_BYTE, 0, 0);
    }
    OSMesaDestroyContext(context_);
}

RgbaImage OffscreenContext::readImage() const {
    glFinish();
    // OSMesa's buffer holds the bottom row first, as OpenGL's window coordinates do.
    RgbaImage image(width_, height_);
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y) {
        std::memcpy(image.at(0, y), &buffer_[(height_ - 1 - y) * rowBytes], rowBytes);
    }
    return image;
}

}  // namespace vxsim::render
