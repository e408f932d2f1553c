// The main-thread half of the tracker thread: Maya's idle event follows the
// active 3D view, switches tools at the stereo view's border and refreshes the
// device nodes.
#include "TrackerThread.h"

#include "FixZoomCmd.h"
#include "StereoCameraQueries.h"
#include "StereoToolSwitch.h"
#include "VexelDeviceNode.h"
#include "ViewWindowHooks.h"

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MString.h>

#include <ctime>

using vexel::common::DisplayRecord;
using vexel::common::Vector3;

namespace {

// A camera belongs to a stereo rig when its transform's "message" plug feeds
// one of the rig root's camera attributes.
bool isStereoRigCamera(const MDagPath& camera) {
    MStatus status;
    const MObject transform = camera.transform(&status);
    if (!status) {
        return false;
    }
    const MFnDependencyNode transformFn(transform);
    const MPlug message = transformFn.findPlug("message", &status);
    if (!status) {
        return false;
    }
    MPlugArray destinations;
    message.connectedTo(destinations, false, true);
    for (unsigned i = 0; i < destinations.length(); ++i) {
        const MString name = destinations[i].partialName();
        if (name == "centerCam" || name == "leftCam" || name == "rightCam") {
            return true;
        }
    }
    return false;
}

}  // namespace

void TrackerThread::idleCallback(void* clientData) {
    static_cast<TrackerThread*>(clientData)->onIdle();
}

void TrackerThread::onIdle() {
    updateViewState();
    triggerUpdate();
    watchZoom();
}

void TrackerThread::updateViewState() {
    hasActiveWindow_ = GetActiveWindow() != nullptr;

    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    if (!status) {
        return;
    }
    MDagPath camera;
    activeViewIsStereo_ = view.getCamera(camera) == MS::kSuccess && isStereoRigCamera(camera);

    const HWND window = view.window(&status);
    if (status && window != nullptr && window != ViewWindowHooks::subclassedWindow()) {
        ViewWindowHooks::attach(window, this);
    }

    int screenX = 0;
    int screenY = 0;
    view.getScreenPosition(screenX, screenY);
    const int displayIndex = displayInfo_->getDisplayIndex(screenX, screenY);
    const DisplayRecord* display = displayInfo_->getDisplay(displayIndex);
    if (display != nullptr) {
        for (int i = 0; i < 3; ++i) {
            displayVector_[i].store(display->displayVector[i], kRelaxed);
        }
    }

    unsigned x = 0;
    unsigned y = 0;
    unsigned width = 0;
    unsigned height = 0;
    view.viewport(x, y, width, height);
    const int vx = static_cast<int>(x);
    const int vy = static_cast<int>(y);
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (displayIndex != displayIndex_.load(kRelaxed) || screenX != screenX_.load(kRelaxed) ||
        screenY != screenY_.load(kRelaxed) || vx != viewportX_.load(kRelaxed) ||
        vy != viewportY_.load(kRelaxed) || w != viewportWidth_.load(kRelaxed) ||
        h != viewportHeight_.load(kRelaxed)) {
        displayIndex_.store(displayIndex, kRelaxed);
        screenX_.store(screenX, kRelaxed);
        screenY_.store(screenY, kRelaxed);
        viewportX_.store(vx, kRelaxed);
        viewportY_.store(vy, kRelaxed);
        viewportWidth_.store(w, kRelaxed);
        viewportHeight_.store(h, kRelaxed);
        if (display != nullptr) {
            const Vector3 offset = vexel::common::DisplayInfo::getViewportOffset(
                display, vx + screenX, vy + screenY, w, h);
            for (int i = 0; i < 3; ++i) {
                viewportOffset_[i].store(offset[i], kRelaxed);
            }
            viewWidthMetres_.store(static_cast<float>(w) / static_cast<float>(display->pixelWidth) *
                                       display->physicalWidth,
                                   kRelaxed);
            viewHeightMetres_.store(static_cast<float>(h) /
                                        static_cast<float>(display->pixelHeight) *
                                        display->physicalHeight,
                                    kRelaxed);
        }
        viewChanged_.store(true, kRelaxed);
    }

    if (activeViewIsStereo_ != previousActiveViewIsStereo_) {
        switchStereoTools(activeViewIsStereo_);
        if (!activeViewIsStereo_) {
            cursorNudgeOff_.store(true, kRelaxed);
        }
    }
    previousActiveViewIsStereo_ = activeViewIsStereo_;
}

void TrackerThread::triggerUpdate() {
    // Any new value dirties the outputs; the processor clock always moves on.
    const double stamp = static_cast<double>(std::clock());
    for (VexelDeviceNode* node : deviceNodes_) {
        MPlug plug(node->thisMObject(), VexelDeviceNode::aTriggerUpdate);
        plug.setValue(stamp);
    }
}

bool TrackerThread::noteFocalDistance(double focalDistance) {
    bool settled = false;
    if (!zoomWatching_ && focalDistance != lastZoomValue_) {
        zoomWatching_ = true;
        zoomCounter_ = 0;
    } else if (zoomWatching_ && focalDistance == lastZoomValue_) {
        settled = true;
        zoomWatching_ = false;
        zoomCounter_ = 0;
    }
    lastZoomValue_ = focalDistance;
    return settled;
}

void TrackerThread::watchZoom() {
    VexelDeviceNode* node = VexelDeviceNode::deviceNode();
    if (node == nullptr || !node->isStereoCorrectionEnabled() || !activeViewIsStereo_) {
        return;
    }
    if (noteFocalDistance(readFocalDistance())) {
        fixZoom();
    }
}

double TrackerThread::readFocalDistance() const {
    return getFocalDistance();
}

void TrackerThread::fixZoom() {
    FixZoomCmd::fixZoom();
}
