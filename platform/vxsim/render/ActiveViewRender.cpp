#include "ActiveViewRender.h"

#include <maya/M3dView.h>
#include <maya/MDagPath.h>

#include "PngFile.h"

namespace vxsim::render {

bool renderActiveView(const std::string& path, Eye eye, std::string* error) {
    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    MDagPath camera;
    if (!status || !view.getCamera(camera)) {
        if (error)
            *error = "there is no active 3D view with a camera";
        return false;
    }
    RgbaImage image;
    return renderView(camera, view.portWidth(), view.portHeight(), eye, image, error) &&
           writePng(path, image, error);
}

}  // namespace vxsim::render
