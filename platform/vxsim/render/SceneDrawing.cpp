#include "SceneDrawing.h"

#include <GL/gl.h>

#include <mayasim/SceneQuery.h>

#include "MeshDrawing.h"

namespace vxsim::render {

namespace {

constexpr GLfloat kBackgroundTop[3] = {0.54f, 0.54f, 0.54f};
constexpr GLfloat kBackgroundBottom[3] = {0.15f, 0.15f, 0.15f};

constexpr int kGridHalfSize = 12;
constexpr int kGridMajorEvery = 5;
constexpr GLfloat kGridMinor[3] = {0.42f, 0.42f, 0.42f};
constexpr GLfloat kGridMajor[3] = {0.32f, 0.32f, 0.32f};
constexpr GLfloat kGridAxis[3] = {0.0f, 0.0f, 0.0f};

// The default lambert's look under the headlight: light grey faces facing the eye, never
// black when seen edge-on.
constexpr GLfloat kMaterialDiffuse[4] = {0.7f, 0.7f, 0.7f, 1.0f};
constexpr GLfloat kMaterialAmbient[4] = {0.15f, 0.15f, 0.15f, 1.0f};
constexpr GLfloat kSelectedWire[3] = {0.26f, 1.0f, 0.64f};

void drawMesh(const mayasim::RenderMesh& mesh) {
    glPushMatrix();
    // A row-vector MMatrix stored row by row is OpenGL's column-major column-vector matrix.
    glMultMatrixd(&mesh.world.matrix[0][0]);
    glEnable(GL_LIGHTING);
    // Pushes the faces back a little so the selection outline is not hidden by them.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    drawShaded(mesh);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
    if (mesh.selected) {
        glColor3fv(kSelectedWire);
        drawWireframe(mesh);
    }
    glPopMatrix();
}

}  // namespace

void drawBackground() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glBegin(GL_QUADS);
    glColor3fv(kBackgroundBottom);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glColor3fv(kBackgroundTop);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void setUpHeadlight() {
    const GLfloat towardsEye[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, towardsEye);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
    // Maya lights back faces too, so open meshes do not show black insides.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kMaterialDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kMaterialAmbient);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
}

void drawGrid() {
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    for (int i = -kGridHalfSize; i <= kGridHalfSize; ++i) {
        if (i == 0) {
            glColor3fv(kGridAxis);
        } else if (i % kGridMajorEvery == 0) {
            glColor3fv(kGridMajor);
        } else {
            glColor3fv(kGridMinor);
        }
        const auto at = static_cast<GLfloat>(i);
        const auto edge = static_cast<GLfloat>(kGridHalfSize);
        glVertex3f(at, 0.0f, -edge);
        glVertex3f(at, 0.0f, edge);
        glVertex3f(-edge, 0.0f, at);
        glVertex3f(edge, 0.0f, at);
    }
    glEnd();
}

void drawVisibleMeshes() {
    for (const mayasim::RenderMesh& mesh : mayasim::visibleMeshes())
        drawMesh(mesh);
}

}  // namespace vxsim::render
