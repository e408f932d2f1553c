#include "FixZoomCmd.h"

#include "CameraTransformPlugs.h"
#include "DebugPrint.h"
#include "StereoCameraQueries.h"

#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MVector.h>

const char* const FixZoomCmd::kName = "vexelStereoFixZoom";

void* FixZoomCmd::creator() {
    return new FixZoomCmd();
}

MStatus FixZoomCmd::doIt(const MArgList& /*args*/) {
    return fixZoom();
}

bool FixZoomCmd::isUndoable() const {
    return false;
}

bool FixZoomCmd::hasSyntax() const {
    return false;
}

MStatus FixZoomCmd::fixZoom() {
    MDagPath camera;
    MStatus status = getStereoCamera(camera, false);
    if (!status) {
        reportError("FixZoomCmd: Failed to find the camera path.", status);
        return status;
    }
    double wanted = 0.0;
    status = readDeviceCenterOfInterest(camera, wanted);
    if (!status) {
        return status;
    }
    CameraTransformPlugs plugs;
    status = plugs.open(camera, true);
    if (status) {
        status = plugs.read();
    }
    if (!status) {
        return status;
    }
    const double scale = getCameraScale();
    const double current = MFnCamera(camera).centerOfInterest();

    // Back along the view by what the dolly took off the centre of interest,
    // with the rig scaled by the same ratio, keeps the framing.
    const double newScale = current / (wanted / scale);
    const MVector newTranslation = plugs.translation() - plugs.viewDirection() * (wanted - current);
    status = setCameraScaleAndCenterOfInterest(camera, newScale, wanted);
    if (!status) {
        return status;
    }
    status = plugs.setTranslation(newTranslation);
    if (!status) {
        return status;
    }
    status = plugs.setCenterOfInterest(wanted);
    return status ? MStatus(MS::kSuccess) : status;
}
