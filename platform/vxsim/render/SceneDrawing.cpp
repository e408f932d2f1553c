#include "SceneDrawing.h"

#include <GL/gl.h>

#include <maya/MColor.h>

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

// Maya's default display colours (entries of its colour palette): meshes' dormant
// wireframe dark blue, the selection white, the lead object light green, a mesh in
// component mode light blue; unpicked vertices purple, picked ones yellow.
constexpr unsigned int kDormantWireIndex = 5;
constexpr unsigned int kActiveWireIndex = 16;
constexpr unsigned int kLeadWireIndex = 19;
constexpr unsigned int kHiliteWireIndex = 18;
constexpr unsigned int kVertexIndex = 9;
constexpr unsigned int kPickedVertexIndex = 17;
// Picked edges and faces show light orange, faces see-through.
constexpr GLfloat kPickedEdge[4] = {1.0f, 0.6f, 0.2f, 1.0f};
constexpr GLfloat kPickedFace[4] = {1.0f, 0.6f, 0.2f, 0.35f};
constexpr GLfloat kVertexSize = 4.0f;

void drawShadedFaces(const mayasim::RenderMesh& mesh, bool smooth) {
    glEnable(GL_LIGHTING);
    // Pushes the faces back a little so wireframes and components on them show.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    drawShaded(mesh, smooth);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_LIGHTING);
}

// Picked components over the mesh: faces, then edges, then every vertex when vertices are
// being picked, the picked ones last.
void drawComponents(const mayasim::RenderMesh& mesh, const MeshComponents& components) {
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(kPickedFace);
    drawFaces(mesh, components.faces);
    glDisable(GL_BLEND);
    glColor4fv(kPickedEdge);
    drawEdges(mesh, components.edges);
    if (components.showVertices || !components.vertices.empty()) {
        glPointSize(kVertexSize);
        setPaletteColor(kVertexIndex);
        drawPoints(mesh);
        setPaletteColor(kPickedVertexIndex);
        drawPoints(mesh, &components.vertices);
        glPointSize(1.0f);
    }
    glDepthFunc(GL_LESS);
}

void drawMesh(const mayasim::RenderMesh& mesh, M3dView::DisplayStyle style,
              const SelectionDisplay& selection) {
    const M3dView::DisplayStatus status = selection.statusOf(mesh.path);
    glPushMatrix();
    // A row-vector MMatrix stored row by row is OpenGL's column-major column-vector matrix.
    glMultMatrixd(&mesh.world.matrix[0][0]);
    const bool shaded = style == M3dView::kFlatShaded || style == M3dView::kGouraudShaded;
    if (shaded)
        drawShadedFaces(mesh, style == M3dView::kGouraudShaded);
    setPaletteColor(wireIndexOf(status));
    if (style == M3dView::kBoundingBox) {
        drawBoundingBox(mesh);
    } else if (style == M3dView::kPoints) {
        drawPoints(mesh);
    } else if (!shaded || status != M3dView::kDormant) {
        drawWireframe(mesh);
    }
    if (const MeshComponents* components = selection.componentsOf(mesh.path))
        drawComponents(mesh, *components);
    glPopMatrix();
}

}  // namespace

void setPaletteColor(unsigned int index) {
    const MColor color = M3dView().colorAtIndex(index, M3dView::kDormantColors);
    glColor4f(color.r, color.g, color.b, 1.0f);
}

unsigned int wireIndexOf(M3dView::DisplayStatus status) {
    switch (status) {
        case M3dView::kLead:
            return kLeadWireIndex;
        case M3dView::kActive:
            return kActiveWireIndex;
        case M3dView::kHilite:
            return kHiliteWireIndex;
        default:
            return kDormantWireIndex;
    }
}

void setPointComponentColor(bool picked) {
    setPaletteColor(picked ? kPickedVertexIndex : kVertexIndex);
}

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

void drawVisibleMeshes(M3dView::DisplayStyle style, const SelectionDisplay& selection) {
    for (const mayasim::RenderMesh& mesh : mayasim::visibleMeshes())
        drawMesh(mesh, style, selection);
}

}  // namespace vxsim::render
