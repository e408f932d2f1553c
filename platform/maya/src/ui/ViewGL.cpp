#include <mayasim/ViewGL.h>

#include <GL/osmesa.h>

#include <cstdlib>
#include <cstring>

namespace mayasim::viewgl {
namespace {

constexpr int kMaxSide = 8192;

struct Context {
    OSMesaContext mesa = nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> buffer;  // bottom row first, as OpenGL's window coordinates
};

// Never destroyed: textures and display lists made in it must outlive every redraw, and
// Mesa keeps its framebuffers for the life of the process anyway.
Context& context() {
    static Context* instance = new Context;
    return *instance;
}

// Mesa keeps framebuffer records from OSMesaMakeCurrent that it never frees; allocations
// made while the leak checker of sanitized builds is paused are not reported.
extern "C" {
void __lsan_disable() __attribute__((weak));
void __lsan_enable() __attribute__((weak));
}

class LeakCheckPause {
public:
    LeakCheckPause() {
        if (__lsan_disable)
            __lsan_disable();
    }
    ~LeakCheckPause() {
        if (__lsan_enable)
            __lsan_enable();
    }
    LeakCheckPause(const LeakCheckPause&) = delete;
    LeakCheckPause& operator=(const LeakCheckPause&) = delete;
};

bool fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

// llvmpipe rasterises on worker threads by default; the host draws on one thread and its
// test runs use thread and leak checkers, so keep rasterising on the caller's thread.
void preferSingleThreadedRasteriser() {
    setenv("LP_NUM_THREADS", "0", 0);
}

}  // namespace

bool makeCurrent(int width, int height, std::string* error) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return fail(error,
                    "invalid view size " + std::to_string(width) + "x" + std::to_string(height));
    }
    Context& c = context();
    const LeakCheckPause pause;
    if (!c.mesa) {
        preferSingleThreadedRasteriser();
        c.mesa = OSMesaCreateContextExt(OSMESA_RGBA, 24, 8, 0, nullptr);
        if (!c.mesa)
            return fail(error, "cannot create an OSMesa context");
    }
    if (width != c.width || height != c.height) {
        c.buffer.assign(static_cast<std::size_t>(width) * height * 4, 0);
        c.width = width;
        c.height = height;
    } else if (OSMesaGetCurrentContext() == c.mesa) {
        return true;
    }
    if (!OSMesaMakeCurrent(c.mesa, c.buffer.data(), GL_UNSIGNED_BYTE, width, height))
        return fail(error, "cannot make the OSMesa context current");
    return true;
}

bool makeCurrent() {
    const Context& c = context();
    return c.width > 0 ? makeCurrent(c.width, c.height) : makeCurrent(1, 1);
}

bool isCurrent() {
    return context().mesa && OSMesaGetCurrentContext() == context().mesa;
}

int width() {
    return context().width;
}

int height() {
    return context().height;
}

std::vector<std::uint8_t> readPixels() {
    Context& c = context();
    std::vector<std::uint8_t> pixels(c.buffer.size());
    if (!isCurrent())
        return pixels;
    glFinish();
    const std::size_t rowBytes = static_cast<std::size_t>(c.width) * 4;
    for (int y = 0; y < c.height; ++y) {
        std::memcpy(&pixels[y * rowBytes], &c.buffer[(c.height - 1 - y) * rowBytes], rowBytes);
    }
    return pixels;
}

}  // namespace mayasim::viewgl
