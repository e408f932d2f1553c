#include "CameraTransformPlugs.h"

#include "DebugPrint.h"
#include "StereoCameraQueries.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnTransform.h>
#include <maya/MString.h>
#include <maya/MTransformationMatrix.h>

namespace {

const char* const kAxes[3] = {"X", "Y", "Z"};

MStatus fail(const MString& message, const MStatus& status) {
    reportError(message.asChar(), status);
    return status;
}

MStatus findPlug(const MFnDependencyNode& node, const MString& name, const MString& messageName,
                 MPlug& plug) {
    MStatus status;
    plug = node.findPlug(name, &status);
    if (!status) {
        return fail("Failed to find the " + messageName + " plug of camera node.", status);
    }
    return status;
}

}  // namespace

MStatus CameraTransformPlugs::open(const MDagPath& camera, bool withRotateOrder) {
    camera_ = camera;
    MStatus status;
    const MObject transform = camera.transform(&status);
    if (!status) {
        return fail("Failed to get MObject from the camera path.", status);
    }
    const MFnTransform transformFn(transform, &status);
    if (!status) {
        return fail("Failed to get MFnTransform from the camera transform object.", status);
    }
    for (int axis = 0; axis < 3; ++axis) {
        const MString translate = MString("translate") + kAxes[axis];
        status = findPlug(transformFn, translate, translate, translate_[axis]);
        if (!status) {
            return status;
        }
    }
    for (int axis = 0; axis < 3; ++axis) {
        const MString rotate = MString("rotate") + kAxes[axis];
        status = findPlug(transformFn, rotate, rotate, rotate_[axis]);
        if (!status) {
            return status;
        }
    }
    if (withRotateOrder) {
        status = findPlug(transformFn, "rotateOrder", "rotateOrderPlug", rotateOrder_);
    }
    return status;
}

MStatus CameraTransformPlugs::read() {
    MStatus status;
    for (int axis = 0; axis < 3; ++axis) {
        status = translate_[axis].getValue(translation_[axis]);
        if (!status) {
            return fail(MString("Failed to get the value of the translate") + kAxes[axis] +
                            " plug of camera node.",
                        status);
        }
    }
    double rotation[3] = {0.0, 0.0, 0.0};
    for (int axis = 0; axis < 3; ++axis) {
        status = rotate_[axis].getValue(rotation[axis]);
        if (!status) {
            return fail(MString("Failed to get the value of the rotate") + kAxes[axis] +
                            " plug of camera node.",
                        status);
        }
    }
    int order = 0;
    status = rotateOrder_.getValue(order);
    if (!status) {
        return fail("Failed to get the value of the rotateOrder of camera node.", status);
    }
    // The plug counts orders from xyz = 0, the transformation matrix from kXYZ = 1.
    MTransformationMatrix transformation;
    transformation.setTranslation(translation_, MSpace::kTransform);
    transformation.setRotation(rotation,
                               static_cast<MTransformationMatrix::RotationOrder>(order + 1));
    matrix_ = transformation.asMatrix();
    return status;
}

MVector CameraTransformPlugs::viewDirection() const {
    return -MVector(matrix_[2][0], matrix_[2][1], matrix_[2][2]);
}

MStatus CameraTransformPlugs::setTranslation(const MVector& translation) {
    for (int axis = 0; axis < 3; ++axis) {
        const MStatus status = translate_[axis].setValue(translation[axis]);
        if (!status) {
            return fail(
                MString("Failed to set the translate") + kAxes[axis] + " plug of camera node.",
                status);
        }
    }
    translation_ = translation;
    return MS::kSuccess;
}

MStatus CameraTransformPlugs::setRotation(double x, double y, double z) {
    const double rotation[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis) {
        const MStatus status = rotate_[axis].setValue(rotation[axis]);
        if (!status) {
            return fail(MString("Failed to set the rotate") + kAxes[axis] + " plug of camera node.",
                        status);
        }
    }
    return MS::kSuccess;
}

MStatus CameraTransformPlugs::setCenterOfInterest(double distance) {
    MStatus status;
    const MFnDagNode cameraFn(camera_.node(), &status);
    if (!status) {
        return fail("Failed to create MFnDagNode from camera object.", status);
    }
    MPlug plug = cameraFn.findPlug("centerOfInterest", &status);
    if (!status) {
        return fail("Failed to find the centerOfInterest plug of camera node.", status);
    }
    status = plug.setValue(distance);
    if (!status) {
        return fail("Failed to set value from centerOfInterest plug of camera node.", status);
    }
    return status;
}

MStatus readDeviceCenterOfInterest(const MDagPath& camera, double& distance) {
    MObject device;
    MStatus status = findDeviceNode(camera, device);
    if (!status) {
        return fail("Failed to find the vexelDeviceNode.", status);
    }
    const MPlug plug = MFnDependencyNode(device).findPlug("cameraCenterOfInterest", &status);
    if (!status) {
        return fail("Failed to find the cameraCenterOfInterest plug of vexelDeviceNode.", status);
    }
    status = plug.getValue(distance);
    if (!status) {
        return fail("Failed to get the cameraCenterOfInterest of vexelDeviceNode.", status);
    }
    return status;
}
