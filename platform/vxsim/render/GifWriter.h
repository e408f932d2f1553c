#pragma once
// Animated GIF files written frame by frame (giflib), each frame with its own 256-colour
// palette cut from its pixels, so the anaglyph's reds and cyans keep their own entries.

#include <memory>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "RgbaImage.h"

namespace vxsim::render {

class GifWriter {
public:
    //! Opens `path` (creating missing parent folders) for a looping animation of `width` x
    //! `height` pixels. Null with a message naming the file in `error` when it cannot be
    //! written.
    static std::unique_ptr<GifWriter> create(const std::string& path, int width, int height,
                                             std::string* error);
    //! Finishes the file if finish was not called.
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    //! Adds the rectangle at (`left`, `top`) of `image`, top row first, shown for
    //! `delayCentiseconds`; the rest of the picture stays as the frames before left it.
    bool addFrame(const RgbaImage& image, int left, int top, int width, int height,
                  int delayCentiseconds, std::string* error);
    //! Writes the end of the file and closes it.
    bool finish(std::string* error);

    const std::string& path() const { return path_; }

private:
    GifWriter(GifFileType* gif, std::string path, int width, int height);
    bool quantize(const RgbaImage& image, int left, int top, int width, int height,
                  std::vector<GifColorType>& palette);

    GifFileType* gif_;
    std::string path_;
    int width_;
    int height_;
    // Reused from frame to frame: the rectangle's channels and its palette indices.
    std::vector<GifByteType> red_, green_, blue_, indices_;
};

}  // namespace vxsim::render
