#include "StereoCameraQueries.h"

#include "DebugPrint.h"
#include "TrackerThread.h"

#include <maya/M3dView.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MTransformationMatrix.h>

using vexel::common::Matrix4;
using vexel::common::Vector3;

namespace {

constexpr double kMetresToCentimetres = 100.0;
const char* const kCenterCamShapeName = "vexelRigRootCenterCamShape";

MStatus fail(const char* message, const MStatus& status) {
    reportError(message, status);
    return status;
}

// The node of the first connection into `plug`, or the null object.
MObject firstSource(const MPlug& plug, MStatus* status = nullptr) {
    MPlugArray sources;
    plug.connectedTo(sources, true, false, status);
    return sources.length() > 0 ? sources[0].node() : MObject::kNullObj;
}

}  // namespace

MMatrix toMMatrix(const Matrix4& matrix) {
    MMatrix result;
    for (unsigned row = 0; row < 4; ++row) {
        for (unsigned column = 0; column < 4; ++column) {
            result[row][column] = static_cast<double>(matrix[column][row]);
        }
    }
    return result;
}

MObject findRigRoot(const MDagPath& camera) {
    MStatus status;
    const MObject transform = camera.transform(&status);
    if (!status) {
        return MObject::kNullObj;
    }
    const MPlug message = MFnDependencyNode(transform).findPlug("message", &status);
    if (!status) {
        return MObject::kNullObj;
    }
    MPlugArray destinations;
    message.connectedTo(destinations, false, true);
    for (unsigned i = 0; i < destinations.length(); ++i) {
        const MString name = destinations[i].partialName();
        if (name == "centerCam" || name == "leftCam" || name == "rightCam") {
            return destinations[i].node();
        }
    }
    return MObject::kNullObj;
}

bool isStereoCamera(const MDagPath& camera) {
    return !findRigRoot(camera).isNull();
}

MObject findRigCamera(const MObject& rigRoot, const MString& attributeName) {
    MStatus status;
    const MPlug plug = MFnDependencyNode(rigRoot).findPlug(attributeName, &status);
    return status ? firstSource(plug) : MObject::kNullObj;
}

MStatus getStereoCamera(MDagPath& camera, bool searchAllViews) {
    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    if (!status) {
        return fail("No active 3d view.", status);
    }
    view.getCamera(camera);
    if (!searchAllViews) {
        if (isStereoCamera(camera)) {
            return MS::kSuccess;
        }
        MGlobal::displayError("getStereoCamera command works only with vexelStereo environment.");
        return MS::kFailure;
    }
    for (unsigned i = 0; i < M3dView::numberOf3dViews(); ++i) {
        M3dView candidate;
        MDagPath path;
        if (M3dView::get3dView(i, candidate) && candidate.getCamera(path) && isStereoCamera(path)) {
            camera = path;
            return MS::kSuccess;
        }
    }
    return MS::kFailure;
}

MStatus getStereoCameraMatrix(MMatrix& matrix) {
    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    if (!status) {
        return fail("No active 3D view.", status);
    }
    MDagPath camera;
    status = view.getCamera(camera);
    if (!status) {
        return fail("No active camera.", status);
    }
    MDagPath transformPath;
    if (view.multipleDrawEnabled()) {
        const MObject rigRoot = findRigRoot(camera);
        if (rigRoot.isNull()) {
            debugPrint("ERROR: %s. [%s]\n", "Malformed stereoCamera.  Cannot determine rigRoot",
                       "(rigRoot == MObject::kNullObj)");
            return MS::kFailure;
        }
        const MObject centerCamera = findRigCamera(rigRoot, "centerCam");
        if (centerCamera.isNull()) {
            debugPrint("ERROR: %s. [%s]\n",
                       "Malformed stereoCamera.  Cannot determine centerCam from rigRoot",
                       "(centerCameraTObj == MObject::kNullObj)");
            return MS::kFailure;
        }
        status = MFnDagNode(centerCamera).getPath(transformPath);
        if (!status) {
            return fail("Unable to get MDagPath from centerCameraTransform object", status);
        }
    } else {
        transformPath = camera;
        transformPath.pop();
    }
    MFnTransform transform(transformPath, &status);
    if (!status) {
        return fail("Failed to get FnTransform from camera node.", status);
    }
    const MTransformationMatrix transformation = transform.transformation(&status);
    if (!status) {
        return fail("Failed to get MTransformationMatrix from transform.", status);
    }
    const MMatrix local = transformation.asMatrix();
    const MMatrix parent = transformPath.exclusiveMatrix(&status);
    if (!status) {
        return fail("Failed to get center camera transform local matrix", status);
    }
    matrix = local * parent;
    return MS::kSuccess;
}

MStatus getStylusWorldMatrix(const Matrix4& stylusPose, const MMatrix& trackerToCamera,
                             MMatrix& world) {
    MMatrix camera;
    const MStatus status = getStereoCameraMatrix(camera);
    if (!status) {
        return fail("Failed to query vexelStereo camera matrix.", status);
    }
    MMatrix pose = toMMatrix(stylusPose);
    for (unsigned column = 0; column < 3; ++column) {
        pose[3][column] *= kMetresToCentimetres;
    }
    world = pose * trackerToCamera * camera;
    return MS::kSuccess;
}

MStatus stylusPoseToWorld(const Matrix4& stylusPose, MMatrix& world) {
    const TrackerThread* thread = TrackerThread::getInstance();
    Matrix4 pose = stylusPose;
    pose.setTrans(pose.getTrans() - thread->getViewportOffset());
    const Matrix4 trackerToCamera = TrackerThread::getTrackerToCameraSpaceTransform(
        thread->getDisplay(thread->getDisplayIndex()));
    return getStylusWorldMatrix(pose, toMMatrix(trackerToCamera), world);
}

MStatus findDeviceNode(const MDagPath& camera, MObject& deviceNode) {
    MStatus status;
    const MFnDagNode cameraFn(camera, &status);
    if (!status) {
        return fail("Failed to create MFnDagNode from camera node.", status);
    }
    // Without "triggerUpdate" no device drives this camera, whatever feeds its film offset:
    // the rig's scale could not be set through it.
    MPlug plug = cameraFn.findPlug("triggerUpdate", &status);
    if (!status) {
        return fail("Failed to find the triggerUpdate plug camera node.", status);
    }
    MObject found = firstSource(plug, &status);
    if (!status) {
        return fail("Failed in plug.connectedTo().", status);
    }
    if (found.isNull()) {
        plug = cameraFn.findPlug("filmOffset", &status);
        if (!status) {
            return fail("Failed to find the filmOffset plug camera node.", status);
        }
        found = firstSource(plug, &status);
        if (!status) {
            return fail("Failed in plug.connectedTo().", status);
        }
    }
    if (found.isNull()) {
        std::cerr << "No connection to vexelDevice node could be found." << std::endl;
        return MS::kFailure;
    }
    deviceNode = found;
    return MS::kSuccess;
}

double getFocalDistance() {
    MDagPath camera;
    const MStatus status = getStereoCamera(camera, false);
    if (!status) {
        reportError("getFocalDistance: Failed to find the camera path.", status);
        return -1.0;
    }
    if (camera.partialPathName() != kCenterCamShapeName) {
        debugPrint("getFocalDistance: works only with vexel center camera.\n");
        return -1.0;
    }
    return MFnCamera(camera).centerOfInterest();
}

double getStereoCameraFarClippingPlane() {
    MDagPath camera;
    const MStatus status = getStereoCamera(camera, false);
    if (!status) {
        reportError("getStereoCameraFarClippingPlane: Failed to find the camera path.", status);
        return -1.0;
    }
    return MFnCamera(camera).farClippingPlane();
}

double getCameraScale() {
    MDagPath camera;
    MStatus status = getStereoCamera(camera, true);
    if (!status) {
        reportError("No active camera.", status);
        return 1.0;
    }
    MObject device;
    if (!findDeviceNode(camera, device)) {
        return 1.0;
    }
    const MPlug plug = MFnDependencyNode(device).findPlug("cameraScale", &status);
    if (!status) {
        reportError("Cannot get vexelDevice.cameraScale", status);
        return 1.0;
    }
    double scale = 1.0;
    status = plug.getValue(scale);
    if (!status) {
        reportError("Cannot get vexelDevice.cameraScale value", status);
        return 1.0;
    }
    return scale;
}

MStatus setCameraScaleAndCenterOfInterest(const MDagPath& camera, double scale,
                                          double centerOfInterest) {
    MStatus status;
    const MPlug trigger = MFnDagNode(camera).findPlug("triggerUpdate", &status);
    if (!status) {
        return fail("Failed to find the triggerUpdate plug camera node.", status);
    }
    const MObject device = firstSource(trigger, &status);
    if (!status) {
        return fail("Failed to find the connection.", status);
    }
    if (device.isNull()) {
        std::cerr << "No connection was found." << std::endl;
        return MS::kFailure;
    }
    const MFnDependencyNode deviceFn(device);
    MPlug plug = deviceFn.findPlug("cameraScale", &status);
    if (!status) {
        return fail("Failed to find the cameraScale plug camera node.", status);
    }
    status = plug.setValue(scale);
    if (!status) {
        return fail("Failed to set the camera scale of vexelDeviceNodeNode.", status);
    }
    plug = deviceFn.findPlug("cameraCenterOfInterest", &status);
    if (!status) {
        return fail("Failed to find the cameraCenterOfInterest plug camera node.", status);
    }
    status = plug.setValue(centerOfInterest);
    if (!status) {
        return fail("Failed to set the cameraCenterOfInterest of vexelDeviceNodeNode.", status);
    }
    return MS::kSuccess;
}
