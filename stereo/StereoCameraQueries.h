// Queries on the stereo camera rig of the active 3D view, shared by the stereo
// commands and the stylus tools: the rig's cameras and device node, the rig's
// scale and centre of interest, and the stylus mapped into world space.
#pragma once

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vexel/common/Matrix4.h>

//! The maker's poses are column-vector matrices, Maya's row-vector ones: the
//! MMatrix is the transpose, widened to double.
MMatrix toMMatrix(const vexel::common::Matrix4& matrix);

//! The rig root whose "centerCam", "leftCam" or "rightCam" attribute the
//! camera's transform feeds, or the null object. Any stereo rig counts.
MObject findRigRoot(const MDagPath& camera);
bool isStereoCamera(const MDagPath& camera);
//! The node connected into the rig root's attribute `attributeName`, or the null object.
MObject findRigCamera(const MObject& rigRoot, const MString& attributeName);

//! The active view's camera when it belongs to a stereo rig; with
//! `searchAllViews`, the camera of the first 3D view that shows one.
MStatus getStereoCamera(MDagPath& camera, bool searchAllViews);
//! The world matrix of the rig's centre camera transform (the active camera's
//! own transform when the view draws one camera).
MStatus getStereoCameraMatrix(MMatrix& matrix);

//! A stylus pose (tracker space, translation relative to the viewport offset)
//! in world space, through the display's tracker-to-camera matrix and the rig.
MStatus getStylusWorldMatrix(const vexel::common::Matrix4& stylusPose,
                             const MMatrix& trackerToCamera, MMatrix& world);
//! As getStylusWorldMatrix, with the active view's viewport offset and display.
MStatus stylusPoseToWorld(const vexel::common::Matrix4& stylusPose, MMatrix& world);

//! The "vexelDevice" node driving the camera, found through its "triggerUpdate"
//! or "filmOffset" connection.
MStatus findDeviceNode(const MDagPath& camera, MObject& deviceNode);

//! The stereo centre camera's centre of interest; -1.0 for any other camera.
double getFocalDistance();
double getStereoCameraFarClippingPlane();
//! The rig's "cameraScale", 1.0 when it cannot be read.
double getCameraScale();
MStatus setCameraScaleAndCenterOfInterest(const MDagPath& camera, double scale,
                                          double centerOfInterest);
