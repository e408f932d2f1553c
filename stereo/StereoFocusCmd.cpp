#include "StereoFocusCmd.h"

#include "CameraTransformPlugs.h"
#include "DebugPrint.h"
#include "StereoCameraQueries.h"
#include "TrackerThread.h"

#include <maya/MArgDatabase.h>
#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MIOStream.h>
#include <maya/MItGeometry.h>
#include <maya/MItSelectionList.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MVector.h>

#include <algorithm>
#include <cmath>

const char* const StereoFocusCmd::kName = "vexelStereoFocus";

namespace {

constexpr const char* kResetFlag = "-r";
constexpr const char* kResetLongFlag = "-reset";
const char* const kRootGroupName = "vexelRootGroup";
// How much of the display the framed box fills.
constexpr double kFramingFactor = 0.6;
constexpr double kMetresToCentimetres = 100.0;

// Visible top-level nodes frame the scene when nothing is selected.
const char* const kVisibleAssemblies =
    "[n for n in maya.cmds.ls(assemblies=True) if maya.cmds.getAttr(n+'.v') == True]";

bool isRigNode(const MString& name) {
    return name == kRootGroupName || name == "vexelCamera" || name == "vexelRigRoot";
}

MStatus readAperture(const MFnDependencyNode& camera, const char* name, double& value) {
    MStatus status;
    const MPlug plug = camera.findPlug(name, &status);
    if (!status) {
        reportError((MString("Failed to find the ") + name + " plug of camera node.").asChar(),
                    status);
        return status;
    }
    status = plug.getValue(value);
    if (!status) {
        reportError((MString("Failed to get the ") + name + " value of camera node.").asChar(),
                    status);
    }
    return status;
}

MBoundingBox componentBox(const MDagPath& path, MObject& component) {
    MBoundingBox box;
    for (MItGeometry points(path, component); !points.isDone(); points.next()) {
        box.expand(points.position(MSpace::kObject));
    }
    box.transformUsing(path.inclusiveMatrix());
    return box;
}

}  // namespace

void* StereoFocusCmd::creator() {
    return new StereoFocusCmd();
}

MSyntax StereoFocusCmd::newSyntax() {
    MSyntax syntax;
    if (!syntax.addFlag(kResetFlag, kResetLongFlag)) {
        std::cerr << "Failed to create syntax on StereoFocusCmd" << std::endl;
    }
    return syntax;
}

MStatus StereoFocusCmd::doIt(const MArgList& args) {
    MStatus status;
    const MArgDatabase parsed(syntax(), args, &status);
    if (!status) {
        return status;
    }
    MDagPath camera;
    status = getStereoCamera(camera, false);
    if (!status) {
        reportError("StereoFocusCmd: Failed to find the camera path.", status);
        return status;
    }
    if (parsed.isFlagSet(kResetFlag)) {
        reset(camera);
        return MS::kSuccess;
    }
    MBoundingBox box;
    if (!selectionBox(box)) {
        // What the selection holds cannot be framed: the view stays as it is, and like a
        // failed focus this is reported but does not fail the command.
        return MS::kSuccess;
    }
    if (box.width() == 0.0 && box.height() == 0.0 && box.depth() == 0.0) {
        reset(camera);
    } else {
        focus(camera, box);
    }
    return MS::kSuccess;
}

bool StereoFocusCmd::isUndoable() const {
    return false;
}

bool StereoFocusCmd::hasSyntax() const {
    return true;
}

MStatus StereoFocusCmd::selectionBox(MBoundingBox& box) {
    MSelectionList selection;
    MStatus status = MGlobal::getActiveSelectionList(selection);
    if (!status) {
        reportError("Failed to query the current selection list.", status);
        return status;
    }
    if (selection.length() == 0) {
        MStringArray names;
        MGlobal::executePythonCommand(kVisibleAssemblies, names);
        for (unsigned i = 0; i < names.length(); ++i) {
            if (names[i] != kRootGroupName) {
                selection.add(names[i]);
            }
        }
    }
    for (MItSelectionList item(selection); !item.isDone(); item.next()) {
        MDagPath path;
        MObject component;
        status = item.getDagPath(path, component);
        if (!status) {
            reportError("Failed to query selection list.", status);
            return status;
        }
        if (isRigNode(path.partialPathName())) {
            continue;
        }
        if (!component.isNull()) {
            box.expand(componentBox(path, component));
        } else if (path.node().hasFn(MFn::kDagNode)) {
            MBoundingBox nodeBox = MFnDagNode(path).boundingBox(&status);
            if (!status) {
                reportError("Failed to query the bounding box of nodes.", status);
                return status;
            }
            nodeBox.transformUsing(path.exclusiveMatrix());
            box.expand(nodeBox);
        }
    }
    return MS::kSuccess;
}

double StereoFocusCmd::cameraScaleFor(const MDagPath& camera, const MBoundingBox& box) {
    const MFnDependencyNode cameraFn(camera.node());
    double horizontal = 0.0;
    double vertical = 0.0;
    if (!readAperture(cameraFn, "horizontalFilmAperture", horizontal) ||
        !readAperture(cameraFn, "verticalFilmAperture", vertical)) {
        return 1.0;
    }
    const double extent = std::max({box.width(), box.height(), box.depth()});
    return extent / std::min(horizontal, vertical) * kFramingFactor;
}

MStatus StereoFocusCmd::focus(const MDagPath& camera, const MBoundingBox& box) {
    const double scale = cameraScaleFor(camera, box);
    double distance = 0.0;
    MStatus status = readDeviceCenterOfInterest(camera, distance);
    if (!status) {
        return status;
    }
    status = setCameraScaleAndCenterOfInterest(camera, scale, distance);
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
    const MMatrix& matrix = plugs.matrix();
    const MPoint position(matrix[3][0], matrix[3][1], matrix[3][2]);
    const MPoint interest = (position + plugs.viewDirection() * distance) * scale;
    const MPoint moved = MPoint(plugs.translation()) + (box.center() - interest) / scale;
    status = plugs.setTranslation(MVector(moved));
    if (!status) {
        return status;
    }
    return plugs.setCenterOfInterest(distance);
}

MStatus StereoFocusCmd::reset(const MDagPath& camera) {
    CameraTransformPlugs plugs;
    MStatus status = plugs.open(camera, false);
    if (!status) {
        return status;
    }
    const vexel::common::Vector3 displayVector = TrackerThread::getInstance()->getDisplayVector();
    const MVector home(-kMetresToCentimetres * displayVector.x,
                       -kMetresToCentimetres * displayVector.y,
                       -kMetresToCentimetres * displayVector.z);
    status = plugs.setTranslation(home);
    if (!status) {
        return status;
    }
    // Looking from the home position back at the origin.
    status = plugs.setRotation(-std::atan2(home.y, home.z), -std::atan2(home.x, home.z), 0.0);
    if (!status) {
        return status;
    }
    const double distance = home.length();
    status = plugs.setCenterOfInterest(distance);
    if (!status) {
        return status;
    }
    return setCameraScaleAndCenterOfInterest(camera, 1.0, distance);
}
