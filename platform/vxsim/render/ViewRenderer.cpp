#include "ViewRenderer.h"

#include <GL/gl.h>

#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include <mayasim/Contexts.h>
#include <mayasim/DrawPass.h>
#include <mayasim/SceneQuery.h>
#include <mayasim/ViewGL.h>

#include <algorithm>
#include <utility>

#include "Anaglyph.h"
#include "DrawCallbacks.h"
#include "ManipulatorDrawing.h"
#include "NurbsDrawing.h"
#include "SceneDrawing.h"
#include "SelectionDisplay.h"
#include "SkeletonDrawing.h"

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

bool fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

std::string notACamera(const MDagPath& camera) {
    return "the view's camera '" + std::string(camera.fullPathName().asChar()) +
           "' is not a camera";
}

// Loads the pass camera's projection and view; false when it is not a camera.
bool loadCamera(const mayasim::views::DrawPass& pass) {
    mayasim::CameraView view;
    if (!mayasim::cameraView(pass.camera, double(pass.width) / double(pass.height), view))
        return false;
    glViewport(0, 0, pass.width, pass.height);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(&view.projection.matrix[0][0]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setUpHeadlight();
    glLoadMatrixd(&view.worldToCamera.matrix[0][0]);
    return true;
}

// Draws one eye's pass into the current context; false when its camera is not a camera.
bool drawPass(const mayasim::views::DrawPass& pass, const SelectionDisplay& selection) {
    const mayasim::views::DrawPassScope running(pass);
    glViewport(0, 0, pass.width, pass.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackground();
    if (!loadCamera(pass))
        return false;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    drawGrid();
    drawVisibleMeshes(pass.style, selection);
    drawVisibleNurbs(pass.style, selection);
    drawVisibleSkeletons(selection);
    drawManipulators(pass);
    resetOverlayState();
    runDrawCallbacks({pass.camera, pass.width, pass.height, pass.eye});
    return true;
}

MDagPath cameraShape(const MDagPath& camera) {
    MDagPath shape(camera);
    if (!shape.hasFn(MFn::kCamera))
        shape.extendToShape();
    return shape;
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
                std::string* error, const ViewOptions& options) {
    if (!mayasim::viewgl::makeCurrent(width, height, error))
        return false;
    const MDagPath camera = cameraShape(viewCamera);
    const bool anaglyph = eye == Eye::kAnaglyph;
    const SelectionDisplay selection = SelectionDisplay::ofActiveSelection();
    mayasim::views::DrawPass pass;
    pass.view = options.view;
    pass.width = width;
    pass.height = height;
    pass.style = options.style;
    pass.passCount = anaglyph ? 2 : 1;
    const Eye first = anaglyph ? Eye::kLeft : eye;
    pass.camera = eyeCamera(camera, first);
    pass.eye = nameOf(first);
    if (!drawPass(pass, selection))
        return fail(error, notACamera(viewCamera));
    RgbaImage drawn(width, height);
    drawn.pixels = mayasim::viewgl::readPixels();
    if (anaglyph) {
        pass.camera = eyeCamera(camera, Eye::kRight);
        pass.eye = nameOf(Eye::kRight);
        if (!drawPass(pass, selection))
            return fail(error, notACamera(viewCamera));
        RgbaImage right(width, height);
        right.pixels = mayasim::viewgl::readPixels();
        drawn = composeAnaglyph(drawn, right);
    }
    image = std::move(drawn);
    return true;
}

bool renderView(int view, Eye eye, RgbaImage& image, std::string* error) {
    M3dView m3dView;
    MDagPath camera;
    if (!M3dView::get3dView(static_cast<unsigned int>(std::max(view, 0)), m3dView) ||
        !m3dView.getCamera(camera)) {
        return fail(error, "there is no 3D view with a camera");
    }
    return renderView(camera, m3dView.portWidth(), m3dView.portHeight(), eye, image, error,
                      {view, m3dView.displayStyle()});
}

bool redrawManipulators(int view, std::string* error) {
    M3dView m3dView;
    MDagPath camera;
    if (view < 0 || !M3dView::get3dView(static_cast<unsigned int>(view), m3dView) ||
        !m3dView.getCamera(camera)) {
        return fail(error, "there is no 3D view with a camera");
    }
    if (mayasim::contexts::currentManipulators().empty())
        return true;
    mayasim::views::DrawPass pass;
    pass.view = view;
    pass.camera = cameraShape(camera);
    pass.width = m3dView.portWidth();
    pass.height = m3dView.portHeight();
    pass.style = m3dView.displayStyle();
    if (!mayasim::viewgl::makeCurrent(pass.width, pass.height, error))
        return false;
    const mayasim::views::DrawPassScope running(pass);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!loadCamera(pass))
        return fail(error, notACamera(camera));
    drawManipulators(pass);
    return true;
}

}  // namespace vxsim::render
