#pragma once
// An 8-bit RGBA image as the renderer produces it and the PNG writer stores it.

#include <cstdint>
#include <vector>

namespace vxsim::render {

//! Pixels row by row, top row first, four bytes (R, G, B, A) per pixel.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4) {}

    std::uint8_t* at(int x, int y) {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    const std::uint8_t* at(int x, int y) const {
        return &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

//! Mean absolute difference per colour channel (alpha ignored), in 0..255; images of
//! different sizes differ by 255. Renders are compared with this against a threshold,
//! since rasterisers may differ in a few edge pixels.
double meanChannelDifference(const RgbaImage& a, const RgbaImage& b);

}  // namespace vxsim::render
