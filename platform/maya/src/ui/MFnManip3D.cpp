#include <maya/MFnManip3D.h>

namespace {

// Maya's factory manipulator preferences: global scale 1, handles 30 pixels.
float gGlobalSize = 1.0f;
float gHandleSize = 30.0f;

}  // namespace

float MFnManip3D::globalSize() {
    return gGlobalSize;
}

// Maya ignores sizes that are not positive and keeps the current one.
void MFnManip3D::setGlobalSize(float size) {
    if (size > 0.0f)
        gGlobalSize = size;
}

float MFnManip3D::handleSize() {
    return gHandleSize;
}

void MFnManip3D::setHandleSize(float size) {
    if (size > 0.0f)
        gHandleSize = size;
}
