#include "ManipulatorDrawing.h"

#include <GL/gl.h>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPxManipContainer.h>

#include <mayasim/Contexts.h>

namespace vxsim::render {

void resetOverlayState() {
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_COLOR_LOGIC_OP);
    glDisable(GL_LINE_STIPPLE);
    glShadeModel(GL_SMOOTH);
    // OpenGL's default light model and material: the scene's own lighting set-up (a bright
    // ambient, two-sided) must not wash out a manipulator's lit handles.
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);
    glPointSize(1.0f);
}

namespace {

struct StackDepths {
    GLint attributes = 0;
    GLint modelview = 0;
    GLint projection = 0;
};

StackDepths stackDepths() {
    StackDepths depths;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depths.attributes);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths.modelview);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths.projection);
    return depths;
}

// Pops what a draw pushed and left, so an unbalanced manipulator cannot upset the rest.
void popTo(const StackDepths& saved) {
    const StackDepths now = stackDepths();
    for (GLint i = now.attributes; i > saved.attributes; --i)
        glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    for (GLint i = now.projection; i > saved.projection; --i)
        glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    for (GLint i = now.modelview; i > saved.modelview; --i)
        glPopMatrix();
}

}  // namespace

void drawManipulators(const mayasim::views::DrawPass& pass) {
    M3dView view;
    if (pass.view >= 0)
        M3dView::get3dView(static_cast<unsigned int>(pass.view), view);
    for (const MObject& node : mayasim::contexts::currentManipulators()) {
        auto* manipulator = dynamic_cast<MPxManipContainer*>(MFnDependencyNode(node).userNode());
        if (!manipulator)
            continue;
        const StackDepths saved = stackDepths();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        resetOverlayState();
        MDagPath path;
        MDagPath::getAPathTo(node, path);
        // Drawn as active, as the current tool's handles are.
        manipulator->draw(view, path, pass.style, M3dView::kActive);
        popTo(saved);
    }
}

}  // namespace vxsim::render
