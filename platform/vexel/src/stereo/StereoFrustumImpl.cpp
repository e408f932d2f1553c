#include "stereo/StereoFrustumImpl.h"

#include <vexel/common/DisplayInfo.h>

#include "stereo/StereoViewportImpl.h"

#include <algorithm>

namespace vexel {
namespace stereo {
namespace detail {

using common::DisplayInfo;
using common::DisplayRecord;
using common::Matrix4;
using common::Vector3;

namespace {

float metresPer(int unit) {
    switch (unit) {
        case kUnitCentimetres:
            return 0.01f;
        case kUnitMillimetres:
            return 0.001f;
        case kUnitInches:
            return 0.0254f;
        default:
            return 1.0f;
    }
}

//! The display geometry a viewport sits on: tracker-to-camera rotation and the
//! viewport centre on the screen surface, tracker space.
struct ViewportPlacement {
    Matrix4 toCamera;
    Vector3 centre;  // display vector + viewport offset
    Vector3 offset;  // viewport offset alone
};

ViewportPlacement placementOf(const StereoViewportImpl& viewport) {
    int x = 0, y = 0, w = 0, h = 0;
    viewport.getDesktopRect(x, y, w, h);
    DisplayInfo* info = DisplayInfo::create();
    int index = info->getDisplayIndex(x + w / 2, y + h / 2);
    const DisplayRecord* display = info->getDisplay(index >= 0 ? index : 0);
    ViewportPlacement placement;
    if (display != nullptr) {
        placement.toCamera = DisplayInfo::getTrackerToCameraSpaceTransform(display);
        placement.offset = DisplayInfo::getViewportOffset(display, x, y, w, h);
        placement.centre = display->displayVector + placement.offset;
    }
    info->removeReference();
    return placement;
}

}  // namespace

void StereoFrustumImpl::setHeadPose(const Matrix4& headPose, int unit) {
    headPose_ = headPose;
    headPose_.setTrans(headPose.getTrans() * metresPer(unit));
}

void StereoFrustumImpl::setInterPupillaryDistance(float distance, int unit) {
    ipd_ = std::max(0.0f, distance * metresPer(unit));
}

void StereoFrustumImpl::setStereoLevel(float level) {
    level_ = std::max(0.0f, level);
}

Vector3 StereoFrustumImpl::eyeInTracker(int eye) const {
    const Vector3 head = headPose_.getTrans();
    if (eye != kEyeLeft && eye != kEyeRight) {
        return head;
    }
    const Vector3 headRight(headPose_[0][0], headPose_[1][0], headPose_[2][0]);
    const float side = eye == kEyeLeft ? -1.0f : 1.0f;
    return head + headRight * (side * 0.5f * ipd_ * level_);
}

Vector3 StereoFrustumImpl::getEyePosition(int eye) const {
    const ViewportPlacement placement = placementOf(viewport_);
    // The rotation has no translation, so transforming the difference is exact.
    return placement.toCamera * (eyeInTracker(eye) - placement.centre);
}

Matrix4 StereoFrustumImpl::getViewMatrix(int eye) const {
    const ViewportPlacement placement = placementOf(viewport_);
    Matrix4 view;
    // Relative to the viewport rather than the display, so a view off the display's
    // centre is seen, like the stylus, as if it stood straight ahead.
    view.setTrans(-(placement.toCamera * (eyeInTracker(eye) - placement.offset)));
    return view;
}

}  // namespace detail
}  // namespace stereo
}  // namespace vexel
