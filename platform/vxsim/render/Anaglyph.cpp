#include "Anaglyph.h"

namespace vxsim::render {

RgbaImage composeAnaglyph(const RgbaImage& left, const RgbaImage& right) {
    if (left.width != right.width || left.height != right.height)
        return {};
    RgbaImage result = right;
    for (std::size_t i = 0; i < result.pixels.size(); i += 4) {
        result.pixels[i] = left.pixels[i];
        result.pixels[i + 3] = 255;
    }
    return result;
}

}  // namespace vxsim::render
