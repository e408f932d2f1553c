#include "ActiveViewRender.h"

#include <mayasim/Views.h>

#include "PngFile.h"

namespace vxsim::render {

bool renderActiveView(const std::string& path, Eye eye, std::string* error) {
    const int view = mayasim::views::activeIndex();
    if (view < 0) {
        if (error)
            *error = "there is no active 3D view with a camera";
        return false;
    }
    RgbaImage image;
    return renderView(view, eye, image, error) && writePng(path, image, error);
}

}  // namespace vxsim::render
