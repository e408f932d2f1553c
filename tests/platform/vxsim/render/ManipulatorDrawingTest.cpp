// The current tool's manipulators draw in every pass with the OpenGL the plug-in's tools
// use: lit GLU quadrics, mipmapped icon textures made outside a redraw, blending, culling,
// XOR stippled lines, big points and billboards, text and Maya's palette.

#include <GL/gl.h>
#include <GL/glu.h>

#include <maya/MColor.h>
#include <maya/MEvent.h>
#include <maya/MImage.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxManipContainer.h>

#include <mayasim/Contexts.h>
#include <mayasim/NodeTypes.h>

#include <png.h>

#include <functional>
#include <vector>

#include "RenderTesting.h"

namespace vxsim::render::testing {
namespace {

// What the probe manipulator draws; tests set it.
std::function<void(M3dView&)> gDraw;
// Made in the probe context's set-up, outside any redraw, as the plug-in's icons are.
GLuint gTexture = 0;

class ProbeManip : public MPxManipContainer {
public:
    static void* creator() { return new ProbeManip; }
    void draw(M3dView& view, const MDagPath&, M3dView::DisplayStyle,
              M3dView::DisplayStatus) override {
        if (gDraw)
            gDraw(view);
    }
};

// A 2 x 2 icon, red on top and blue below, loaded the way the plug-in loads its icons.
GLuint loadTwoToneTexture() {
    const std::string path = ::testing::TempDir() + "two_tone.png";
    const unsigned char rgba[] = {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 255};
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 2;
    png.height = 2;
    png.format = PNG_FORMAT_RGBA;
    png_image_write_to_file(&png, path.c_str(), 0, rgba, 0, nullptr);
    MImage image;
    unsigned int width = 0, height = 0;
    if (!image.readFromFile(path.c_str(), MImage::kByte) || !image.getSize(width, height))
        return 0;
    M3dView view = M3dView::active3dView();
    view.beginGL();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, int(width), int(height), GL_RGBA, GL_UNSIGNED_BYTE,
                      image.pixels());
    view.endGL();
    return texture;
}

class ProbeContext : public MPxContext {
public:
    void toolOnSetup(MEvent&) override {
        MObject node;
        MPxManipContainer::newManipulator("probeManip", node);
        addManipulator(node);
        gTexture = loadTwoToneTexture();
    }
    void toolOffCleanup() override { deleteManipulators(); }
};

class ProbeContextCommand : public MPxContextCommand {
public:
    static void* creator() { return new ProbeContextCommand; }
    MPxContext* makeObj() override { return new ProbeContext; }
};

// A square of `half` units about `centre`, facing +z, counter-clockwise seen from the camera.
void square(const MPoint& centre, double half) {
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex3d(centre.x - half, centre.y - half, centre.z);
    glTexCoord2d(1, 0);
    glVertex3d(centre.x + half, centre.y - half, centre.z);
    glTexCoord2d(1, 1);
    glVertex3d(centre.x + half, centre.y + half, centre.z);
    glTexCoord2d(0, 1);
    glVertex3d(centre.x - half, centre.y + half, centre.z);
    glEnd();
}

class ManipulatorDrawingTest : public SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        static const bool registered =
            mayasim::registerNodeType("probeManip", MTypeId(0x7f0a1), ProbeManip::creator,
                                      MPxManipContainer::initialize, MPxNode::kManipContainer,
                                      nullptr, "") &&
            mayasim::contexts::registerContextCommand(
                "probeManipContext", ProbeContextCommand::creator, "", nullptr, nullptr, "");
        ASSERT_TRUE(registered);
        mel("setToolTo `probeManipContext`");
        ASSERT_NE(gTexture, 0u);
    }
    void TearDown() override {
        gDraw = nullptr;
        mel("setToolTo selectSuperContext");
        SceneFixture::TearDown();
    }
};

TEST_F(ManipulatorDrawingTest, DrawsInEveryPassWithTheViewOfThatPass) {
    std::vector<std::string> calls;
    gDraw = [&calls](M3dView& view) {
        calls.push_back(std::to_string(view.portWidth()) +
                        (view.multipleDrawEnabled() ? " x2" : ""));
        // Leaves state and a pushed matrix behind: the next draw must not see them.
        glPushMatrix();
        glEnable(GL_LIGHTING);
    };
    render(Eye::kCenter);
    render(Eye::kAnaglyph);
    EXPECT_EQ(calls, (std::vector<std::string>{"240", "240 x2", "240 x2"}));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);

    mel("setToolTo selectSuperContext");
    calls.clear();
    render(Eye::kCenter);
    EXPECT_TRUE(calls.empty());
}

// A red ball lit from above by a directional light fixed to the eye, as the stylus is lit.
TEST_F(ManipulatorDrawingTest, LitSmoothQuadricsAndFaceCulling) {
    gDraw = [](M3dView&) {
        glPushMatrix();
        glLoadIdentity();
        const GLfloat above[4] = {0.0f, 2.0f, 1.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, above);
        glPopMatrix();
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glShadeModel(GL_SMOOTH);
        glColor3f(1.0f, 0.0f, 0.0f);
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluSphere(quadric, 1.0, 18, 18);
        gluDeleteQuadric(quadric);
        glDisable(GL_LIGHTING);
        // Culled: wound clockwise as the camera sees it.
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glColor3f(0.0f, 1.0f, 0.0f);
        glBegin(GL_TRIANGLES);
        glVertex3d(2.0, 0.0, 0.0);
        glVertex3d(2.5, 1.0, 0.0);
        glVertex3d(3.0, 0.0, 0.0);
        glEnd();
    };
    const RgbaImage image = render();
    const Pixel top = pixelOf({0.0, 0.7, 0.5});
    const Pixel bottom = pixelOf({0.0, -0.7, 0.5});
    const std::uint8_t* lit = image.at(top.x, top.y);
    const std::uint8_t* dark = image.at(bottom.x, bottom.y);
    EXPECT_GT(lit[0], 150);
    EXPECT_LT(lit[1], 40);
    EXPECT_GT(lit[0], dark[0] + 60);
    EXPECT_EQ(countColour(image, 0, 255, 0, 60), 0);
}

TEST_F(ManipulatorDrawingTest, IconTexturesComeUpUprightAndModulated) {
    gDraw = [](M3dView&) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, gTexture);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        square({-1.5, 0.0, 0.0}, 1.0);
        glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
        square({1.5, 0.0, 0.0}, 1.0);
    };
    const RgbaImage image = render();
    const auto at = [&image](double x, double y) {
        const Pixel p = pixelOf({x, y, 0.0});
        return image.at(p.x, p.y);
    };
    EXPECT_TRUE(near(at(-1.5, 0.5), 255, 0, 0));
    EXPECT_TRUE(near(at(-1.5, -0.5), 0, 0, 255));
    EXPECT_TRUE(near(at(1.5, 0.5), 128, 0, 0));
    EXPECT_TRUE(near(at(1.5, -0.5), 0, 0, 128));
}

TEST_F(ManipulatorDrawingTest, BlendingXorStippledLinesPointsAndDepth) {
    mel("polyCube -w 2 -h 2 -d 2 -n cube");
    const RgbaImage background = render();
    gDraw = [](M3dView&) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0.0f, 0.0f, 1.0f, 0.5f);
        square({-2.0, 1.0, 0.0}, 0.5);
        glDisable(GL_BLEND);
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(2, 0x5555);
        glEnable(GL_COLOR_LOGIC_OP);
        glLogicOp(GL_XOR);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_LINES);
        glVertex3d(-3.0, -1.5, 0.0);
        glVertex3d(3.0, -1.5, 0.0);
        glEnd();
        glDisable(GL_COLOR_LOGIC_OP);
        glDisable(GL_LINE_STIPPLE);
        glPointSize(9.0f);
        glColor3f(1.0f, 1.0f, 0.0f);
        glBegin(GL_POINTS);
        glVertex3d(2.0, 1.0, 0.0);
        glVertex3d(0.0, 0.0, -2.0);  // behind the cube: hidden
        glEnd();
    };
    const RgbaImage image = render();

    const Pixel blended = pixelOf({-2.0, 1.0, 0.0});
    const std::uint8_t* under = background.at(blended.x, blended.y);
    EXPECT_NEAR(image.at(blended.x, blended.y)[2], (under[2] + 255) / 2, 6);
    EXPECT_NEAR(image.at(blended.x, blended.y)[0], under[0] / 2, 6);

    // Along the line every other pair of pixels is inverted, the others untouched. The line
    // may fall on the row next to its projection.
    int inverted = 0, untouched = 0;
    for (int row = pixelOf({0.0, -1.5, 0.0}).y - 1;
         inverted == 0 && row <= pixelOf({0.0, -1.5, 0.0}).y + 1; ++row) {
        untouched = 0;
        for (int x = pixelOf({-2.5, -1.5, 0.0}).x; x < pixelOf({-0.5, -1.5, 0.0}).x; ++x) {
            const std::uint8_t* p = image.at(x, row);
            const std::uint8_t* b = background.at(x, row);
            inverted += std::abs(p[1] - (255 - b[1])) <= 2;
            untouched += p[1] == b[1];
        }
    }
    EXPECT_GT(inverted, 10);
    EXPECT_NEAR(inverted, untouched, 4);

    EXPECT_NEAR(countColour(image, 255, 255, 0, 30), 81, 6);
}

// With the upper-left 3 x 3 of the modelview set to the identity a square faces the eye
// whatever the camera's turn; drawn plainly it is foreshortened.
TEST_F(ManipulatorDrawingTest, BillboardsFaceTheEye) {
    mel("setAttr cam.translate 5 0 8.66; setAttr cam.rotateY 30");
    bool billboard = true;
    gDraw = [&billboard](M3dView&) {
        glPushMatrix();
        if (billboard) {
            GLfloat m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            for (int column = 0; column < 3; ++column)
                for (int row = 0; row < 3; ++row)
                    m[column * 4 + row] = column == row ? 1.0f : 0.0f;
            glLoadMatrixf(m);
        }
        glColor3f(1.0f, 0.0f, 1.0f);
        square({0.0, 0.0, 0.0}, 1.0);
        glPopMatrix();
    };
    const auto extent = [](const RgbaImage& image) {
        int left = image.width, right = -1, top = image.height, bottom = -1;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (near(image.at(x, y), 255, 0, 255, 30)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        return std::make_pair(right - left + 1, bottom - top + 1);
    };
    const auto faced = extent(render());
    billboard = false;
    const auto plain = extent(render());
    EXPECT_NEAR(faced.first, faced.second, 1);
    EXPECT_LT(plain.first, plain.second - 4);
}

TEST_F(ManipulatorDrawingTest, TextShowsInTheDrawColourWithItsAlignment) {
    MStatus colour18;
    MStatus outOfRange;
    M3dView::TextPosition position = M3dView::kLeft;
    gDraw = [&](M3dView& view) {
        colour18 = view.setDrawColor(18, M3dView::kActiveColors);
        outOfRange = view.setDrawColor(32, M3dView::kActiveColors);
        view.drawText("-1.25", MPoint(0.0, 0.0, 0.0), position);
    };
    // Where the text's pixels start and end, in columns from the anchor point's.
    const auto span = [this]() {
        const RgbaImage image = render();
        const int anchor = pixelOf({0.0, 0.0, 0.0}).x;
        int left = kWidth, right = -1, count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (near(image.at(x, y), 100, 220, 255, 12)) {
                    left = std::min(left, x), right = std::max(right, x), ++count;
                }
        EXPECT_GT(count, 60);
        return std::make_pair(left - anchor, right - anchor);
    };
    // The glyphs' own margins put the ink up to a few pixels inside the text's box.
    const auto left = span();
    EXPECT_TRUE(colour18);
    EXPECT_EQ(outOfRange, MS::kInvalidParameter);
    EXPECT_GE(left.first, 0);
    EXPECT_LE(left.first, 5);
    position = M3dView::kRight;
    const auto right = span();
    EXPECT_GE(right.second, -6);
    EXPECT_LE(right.second, 0);
    position = M3dView::kCenter;
    const auto centre = span();
    EXPECT_NEAR(centre.first + centre.second, 0, 6);
    EXPECT_NEAR(centre.second - centre.first, left.second - left.first, 1);
}

}  // namespace
}  // namespace vxsim::render::testing
