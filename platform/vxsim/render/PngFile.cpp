#include "PngFile.h"

#include <png.h>

#include <filesystem>
#include <system_error>

namespace vxsim::render {

namespace {

bool fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

}  // namespace

bool writePng(const std::string& path, const RgbaImage& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4) {
        return fail(error, "cannot write an empty image to " + path);
    }
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(parent, ignored);
    }
    // The simplified API reports errors through the struct, so no longjmp crosses C++ frames.
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.pixels.size() / 4 * 3);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        rgb.insert(rgb.end(), image.pixels.begin() + i, image.pixels.begin() + i + 3);
    }
    if (!png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), image.width * 3, nullptr)) {
        return fail(error, "cannot write " + path + ": " + png.message);
    }
    return true;
}

bool readPng(const std::string& path, RgbaImage& image, std::string* error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        return fail(error, "cannot read " + path + ": " + png.message);
    }
    png.format = PNG_FORMAT_RGBA;
    RgbaImage result(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, result.pixels.data(), result.width * 4, nullptr)) {
        const std::string message = png.message;
        png_image_free(&png);
        return fail(error, "cannot read " + path + ": " + message);
    }
    image = std::move(result);
    return true;
}

}  // namespace vxsim::render
