#include <maya/MImage.h>

#include <png.h>

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned int kChannels = 4;
// Larger images are refused rather than risking an allocation a bad header asks for.
constexpr png_uint_32 kMaxSide = 16384;

std::size_t byteCount(unsigned int width, unsigned int height) {
    return static_cast<std::size_t>(width) * height * kChannels;
}

// Reverses the row order of `rows` rows of `rowLength` values each.
template <typename T>
void flipRows(std::vector<T>& values, unsigned int rows, std::size_t rowLength) {
    if (rows < 2)
        return;
    for (unsigned int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(values.begin() + top * rowLength, values.begin() + (top + 1) * rowLength,
                         values.begin() + bottom * rowLength);
    }
}

// Decodes a PNG file to RGBA bytes, top row first. The simplified API reports errors
// through its struct, so no longjmp crosses these frames.
bool decodePng(const char* path, unsigned int& width, unsigned int& height,
               std::vector<unsigned char>& rgba) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path))
        return false;
    if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) {
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> decoded(byteCount(png.width, png.height));
    if (!png_image_finish_read(&png, nullptr, decoded.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    width = png.width;
    height = png.height;
    rgba = std::move(decoded);
    return true;
}

}  // namespace

MImage::MImage() = default;
MImage::~MImage() = default;

MStatus MImage::create(unsigned int width, unsigned int height, unsigned int channels,
                       MPixelType type) {
    if (width == 0 || height == 0 || channels != kChannels || (type != kByte && type != kFloat))
        return MS::kInvalidParameter;
    release();
    width_ = width;
    height_ = height;
    type_ = type;
    if (type == kByte) {
        bytes_.assign(byteCount(width, height), 0);
    } else {
        floats_.assign(byteCount(width, height), 0.0f);
    }
    return MS::kSuccess;
}

MStatus MImage::readFromFile(MString pathname, MPixelType type) {
    if (type != kByte && type != kFloat)
        return MS::kInvalidParameter;
    unsigned int width = 0;
    unsigned int height = 0;
    std::vector<unsigned char> rgba;
    if (!decodePng(pathname.asChar(), width, height, rgba))
        return MS::kFailure;
    // Maya's images keep the bottom row first.
    flipRows(rgba, height, static_cast<std::size_t>(width) * kChannels);
    release();
    width_ = width;
    height_ = height;
    type_ = type;
    if (type == kByte) {
        bytes_ = std::move(rgba);
    } else {
        floats_.resize(rgba.size());
        std::transform(rgba.begin(), rgba.end(), floats_.begin(),
                       [](unsigned char value) { return value / 255.0f; });
    }
    return MS::kSuccess;
}

MStatus MImage::getSize(unsigned int& width, unsigned int& height) const {
    if (type_ == kUnknown)
        return MS::kFailure;
    width = width_;
    height = height_;
    return MS::kSuccess;
}

MImage::MPixelType MImage::pixelType() const {
    return type_;
}

unsigned char* MImage::pixels() const {
    return type_ == kByte ? bytes_.data() : nullptr;
}

float* MImage::floatPixels() const {
    return type_ == kFloat ? floats_.data() : nullptr;
}

void MImage::setPixels(unsigned char* pixels, unsigned int width, unsigned int height) {
    if (!pixels || width == 0 || height == 0)
        return;
    release();
    width_ = width;
    height_ = height;
    type_ = kByte;
    bytes_.assign(pixels, pixels + byteCount(width, height));
}

unsigned int MImage::depth() const {
    switch (type_) {
        case kByte:
            return kChannels;
        case kFloat:
            return kChannels * sizeof(float);
        default:
            return 0;
    }
}

MStatus MImage::release() {
    width_ = 0;
    height_ = 0;
    type_ = kUnknown;
    bytes_ = {};
    floats_ = {};
    return MS::kSuccess;
}

void MImage::verticalFlip() {
    const std::size_t rowLength = static_cast<std::size_t>(width_) * kChannels;
    if (type_ == kByte) {
        flipRows(bytes_, height_, rowLength);
    } else if (type_ == kFloat) {
        flipRows(floats_, height_, rowLength);
    }
}
