#include "RgbaImage.h"

#include <cstdlib>

namespace vxsim::render {

double meanChannelDifference(const RgbaImage& a, const RgbaImage& b) {
    if (a.width != b.width || a.height != b.height)
        return 255.0;
    if (a.pixels.empty())
        return 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < a.pixels.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            sum += std::abs(int(a.pixels[i + c]) - int(b.pixels[i + c]));
        }
    }
    return sum / (double(a.pixels.size()) / 4.0 * 3.0);
}

}  // namespace vxsim::render
