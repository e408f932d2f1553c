#include "StartupScene.h"

#include <maya/MEulerRotation.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnTransform.h>
#include <maya/MObject.h>
#include <maya/MVector.h>

#include <cmath>

namespace vxsim {
namespace {

// A new scene's persp camera: up and to the right of the origin, looking at it.
const MVector kPerspTranslation(28.0, 21.0, 28.0);
constexpr double kPerspTiltDegrees = -27.938;
constexpr double kPerspTurnDegrees = 45.0;

double radians(double degrees) {
    return degrees * M_PI / 180.0;
}

}  // namespace

MDagPath createDefaultCamera() {
    MStatus status;
    MFnTransform transform;
    MObject persp = transform.create(MObject::kNullObj, &status);
    if (!status)
        return MDagPath();
    transform.setName("persp");
    transform.setTranslation(kPerspTranslation, MSpace::kTransform);
    transform.setRotation(
        MEulerRotation(radians(kPerspTiltDegrees), radians(kPerspTurnDegrees), 0.0));
    // Maya's startup cameras are hidden: they never show up in a view or a framing.
    transform.findPlug("visibility").setValue(false);

    MFnCamera camera;
    MObject shape = camera.create(persp, &status);
    if (!status)
        return MDagPath();
    camera.setName("perspShape");
    MDagPath path;
    MFnDagNode(shape).getPath(path);
    return path;
}

}  // namespace vxsim
