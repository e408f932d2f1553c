#pragma once
// An image in memory: RGBA pixels, bytes or floats, read from image files.

#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

class MImage {
public:
    enum MPixelType { kUnknown, kByte, kFloat };
    enum MImageFilterFormat {
        kNoFormat,
        kHeightFieldBumpFormat,
        kNormalMapBumpFormat,
        kUnknownFormat
    };

    MImage();
    ~MImage();
    MImage(const MImage&) = delete;
    MImage& operator=(const MImage&) = delete;

    //! Allocates a black, transparent image, releasing what was there.
    MStatus create(unsigned int width, unsigned int height, unsigned int channels = 4,
                   MPixelType type = kByte);
    //! Reads a PNG file as RGBA. A missing, unreadable or corrupt file fails and leaves the
    //! image as it was.
    MStatus readFromFile(MString pathname, MPixelType type = kByte);
    MStatus getSize(unsigned int& width, unsigned int& height) const;
    MPixelType pixelType() const;
    //! The pixels, 4 channels each, bottom row first (OpenGL's order, so they go up to a
    //! texture as they are). Null unless the image holds bytes.
    unsigned char* pixels() const;
    //! As pixels(), for float images (channels in 0..1).
    float* floatPixels() const;
    //! Copies `width` x `height` RGBA byte pixels into the image.
    void setPixels(unsigned char* pixels, unsigned int width, unsigned int height);
    //! Bytes per pixel: 4 for byte images, 16 for float images, 0 when empty.
    unsigned int depth() const;
    MStatus release();
    void verticalFlip();

private:
    unsigned int width_ = 0;
    unsigned int height_ = 0;
    MPixelType type_ = kUnknown;
    // mutable: Maya hands out writable pixel pointers from const images.
    mutable std::vector<unsigned char> bytes_;
    mutable std::vector<float> floats_;
};
