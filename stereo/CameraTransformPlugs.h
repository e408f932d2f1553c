// The plugs of a stereo centre camera that the stereo view commands read and
// move: its transform's translation and rotation, and its centre of interest.
#pragma once

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

//! Opens the camera's transform and finds its translate and rotate plugs;
//! every failure is reported with the plug's name and ends the operation.
class CameraTransformPlugs {
public:
    //! `withRotateOrder`: also find "rotateOrder", needed only to read the rotation.
    MStatus open(const MDagPath& camera, bool withRotateOrder);

    //! Reads translation, rotation and rotate order, and builds the transform.
    MStatus read();
    const MVector& translation() const { return translation_; }
    //! Row-vector transform of the translation and rotation (no scale).
    const MMatrix& matrix() const { return matrix_; }
    //! The camera's view direction: minus the third row of the matrix.
    MVector viewDirection() const;

    MStatus setTranslation(const MVector& translation);
    //! Sets "rotateX", "rotateY", "rotateZ" in radians.
    MStatus setRotation(double x, double y, double z);
    MStatus setCenterOfInterest(double distance);

private:
    MDagPath camera_;
    MPlug translate_[3];
    MPlug rotate_[3];
    MPlug rotateOrder_;
    MVector translation_;
    MMatrix matrix_;
};

//! The device node's "cameraCenterOfInterest" for the rig of `camera`.
MStatus readDeviceCenterOfInterest(const MDagPath& camera, double& distance);
