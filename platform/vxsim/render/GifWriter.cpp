#include "GifWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vxsim::render {
namespace {

constexpr int kPaletteSize = 256;

bool fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

std::string gifError(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "unknown giflib error";
}

// Browsers and viewers loop an animation when it carries the NETSCAPE2.0 extension.
bool putLoopForever(GifFileType* gif) {
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof(kApplication), kApplication) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof(kLoopForever), kLoopForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

}  // namespace

std::unique_ptr<GifWriter> GifWriter::create(const std::string& path, int width, int height,
                                             std::string* error) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) {
        fail(error, "cannot record " + std::to_string(width) + "x" + std::to_string(height) +
                        " pixels to " + path);
        return nullptr;
    }
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(parent, ignored);
    }
    // Opened here rather than by giflib, which would make the file readable by its owner only.
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (file < 0) {
        fail(error, "cannot write " + path + ": " + std::strerror(errno));
        return nullptr;
    }
    int code = 0;
    GifFileType* gif = EGifOpenFileHandle(file, &code);
    if (!gif) {
        close(file);
        fail(error, "cannot write " + path + ": " + gifError(code));
        return nullptr;
    }
    std::unique_ptr<GifWriter> writer(new GifWriter(gif, path, width, height));
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) != GIF_OK || !putLoopForever(gif)) {
        fail(error, "cannot write " + path + ": " + gifError(gif->Error));
        return nullptr;
    }
    return writer;
}

GifWriter::GifWriter(GifFileType* gif, std::string path, int width, int height)
    : gif_(gif), path_(std::move(path)), width_(width), height_(height) {}

GifWriter::~GifWriter() {
    finish(nullptr);
}

bool GifWriter::quantize(const RgbaImage& image, int left, int top, int width, int height,
                         std::vector<GifColorType>& palette) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    red_.resize(count);
    green_.resize(count);
    blue_.resize(count);
    indices_.resize(count);
    std::size_t i = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x, ++i) {
            const std::uint8_t* pixel = image.at(x, y);
            red_[i] = pixel[0];
            green_[i] = pixel[1];
            blue_[i] = pixel[2];
        }
    }
    int colours = kPaletteSize;
    palette.assign(kPaletteSize, GifColorType{0, 0, 0});
    return GifQuantizeBuffer(static_cast<unsigned int>(width), static_cast<unsigned int>(height),
                             &colours, red_.data(), green_.data(), blue_.data(), indices_.data(),
                             palette.data()) == GIF_OK;
}

bool GifWriter::addFrame(const RgbaImage& image, int left, int top, int width, int height,
                         int delayCentiseconds, std::string* error) {
    if (!gif_)
        return fail(error, path_ + " is already finished");
    if (image.width != width_ || image.height != height_ || left < 0 || top < 0 || width <= 0 ||
        height <= 0 || left + width > width_ || top + height > height_) {
        return fail(error, "a frame does not fit the animation in " + path_);
    }
    std::vector<GifColorType> palette;
    if (!quantize(image, left, top, width, height, palette))
        return fail(error, "cannot reduce a frame to 256 colours for " + path_);
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delayCentiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ColorMapObject* map = GifMakeMapObject(kPaletteSize, palette.data());
    bool ok =
        map &&
        EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, sizeof(extension), extension) == GIF_OK &&
        EGifPutImageDesc(gif_, left, top, width, height, false, map) == GIF_OK;
    for (int row = 0; ok && row < height; ++row) {
        ok = EGifPutLine(gif_, &indices_[static_cast<std::size_t>(row) * width], width) == GIF_OK;
    }
    GifFreeMapObject(map);
    return ok || fail(error, "cannot write " + path_ + ": " + gifError(gif_->Error));
}

bool GifWriter::finish(std::string* error) {
    if (!gif_)
        return true;
    int code = 0;
    const bool closed = EGifCloseFile(gif_, &code) == GIF_OK;
    gif_ = nullptr;
    return closed || fail(error, "cannot finish " + path_ + ": " + gifError(code));
}

}  // namespace vxsim::render
