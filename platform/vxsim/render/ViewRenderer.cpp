#include "ViewRenderer.h"

#include <GL/gl.h>

#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include <mayasim/SceneQuery.h>

#include "Anaglyph.h"
#include "DrawCallbacks.h"
#include "OffscreenContext.h"
#include "SceneDrawing.h"

namespace vxsim::render {

const char* const kEyeChoices = "'left', 'right', 'center' or 'anaglyph'";

namespace {

bool isRigCameraSlot(const MString& attribute) {
    return attribute == "centerCam" || attribute == "leftCam" || attribute == "rightCam";
}

// The rig root whose camera slots the transform's message feeds, or a null object.
MObject rigRootOf(const MObject& cameraTransform) {
    MStatus status;
    const MPlug message = MFnDependencyNode(cameraTransform).findPlug("message", &status);
    MPlugArray targets;
    if (!status || !message.connectedTo(targets, false, true))
        return MObject::kNullObj;
    for (unsigned int i = 0; i < targets.length(); ++i) {
        if (isRigCameraSlot(MFnAttribute(targets[i].attribute()).name())) {
            return targets[i].node();
        }
    }
    return MObject::kNullObj;
}

// The camera shape under the transform connected to the rig root's slot, or an invalid path.
MDagPath cameraInSlot(const MObject& rigRoot, const char* slot) {
    MStatus status;
    const MPlug plug = MFnDependencyNode(rigRoot).findPlug(slot, &status);
    MPlugArray sources;
    if (!status || !plug.connectedTo(sources, true, false) || sources.length() == 0) {
        return MDagPath();
    }
    MDagPath path;
    if (!MDagPath::getAPathTo(sources[0].node(), path) || !path.extendToShape() ||
        !path.hasFn(MFn::kCamera)) {
        return MDagPath();
    }
    return path;
}

void setUpManipulatorState() {
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);
    glPointSize(1.0f);
}

// Draws one eye's pass into the current context; false when `camera` is not a camera.
bool drawPass(const MDagPath& camera, int width, int height, const char* eyeName) {
    mayasim::CameraView view;
    if (!mayasim::cameraView(camera, double(width) / double(height), view))
        return false;
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackground();

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(&view.projection.matrix[0][0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setUpHeadlight();
    glLoadMatrixd(&view.worldToCamera.matrix[0][0]);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    drawGrid();
    drawVisibleMeshes();

    setUpManipulatorState();
    runDrawCallbacks({camera, width, height, eyeName});
    return true;
}

const char* nameOf(Eye eye) {
    switch (eye) {
        case Eye::kLeft:
            return "left";
        case Eye::kRight:
            return "right";
        case Eye::kAnaglyph:
            return "anaglyph";
        default:
            return "center";
    }
}

}  // namespace

bool eyeFromName(const std::string& name, Eye& eye) {
    if (name == "center") {
        eye = Eye::kCenter;
    } else if (name == "left") {
        eye = Eye::kLeft;
    } else if (name == "right") {
        eye = Eye::kRight;
    } else if (name == "anaglyph") {
        eye = Eye::kAnaglyph;
    } else {
        return false;
    }
    return true;
}

MDagPath eyeCamera(const MDagPath& viewCamera, Eye eye) {
    if (eye != Eye::kLeft && eye != Eye::kRight)
        return viewCamera;
    const MObject root = rigRootOf(viewCamera.transform());
    if (root.isNull())
        return viewCamera;
    const MDagPath camera = cameraInSlot(root, eye == Eye::kLeft ? "leftCam" : "rightCam");
    return camera.isValid() && camera.length() > 0 ? camera : viewCamera;
}

bool renderView(const MDagPath& viewCamera, int width, int height, Eye eye, RgbaImage& image,
                std::string* error) {
    MDagPath camera(viewCamera);
    if (!camera.hasFn(MFn::kCamera))
        camera.extendToShape();
    const auto context = OffscreenContext::create(width, height, error);
    if (!context)
        return false;
    const bool anaglyph = eye == Eye::kAnaglyph;
    RgbaImage left;
    const Eye first = anaglyph ? Eye::kLeft : eye;
    bool drawn = drawPass(eyeCamera(camera, first), width, height, nameOf(first));
    if (drawn && anaglyph) {
        left = context->readImage();
        drawn = drawPass(eyeCamera(camera, Eye::kRight), width, height, nameOf(Eye::kRight));
    }
    if (!drawn) {
        if (error) {
            *error = "the view's camera '" + std::string(viewCamera.fullPathName().asChar()) +
                     "' is not a camera";
        }
        return false;
    }
    image = anaglyph ? composeAnaglyph(left, context->readImage()) : context->readImage();
    return true;
}

}  // namespace vxsim::render
