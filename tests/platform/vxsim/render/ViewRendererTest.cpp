// Rendering the scene through cameras: where a cube lands, how film offsets move it, which
// camera each eye uses, and the hook later drawing goes through.

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>
#include <maya/MVector.h>

#include <mayasim/Scene.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/DrawCallbacks.h"
#include "render/ViewRenderer.h"

namespace vxsim::render {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// Pixels differing from the background by more than this in a channel are scene content.
constexpr int kContentThreshold = 40;

// Where a 2-unit cube at the origin shows, seen from 10 units away through Maya's default
// lens and film (fitted to the height of a 200 x 150 view): its front face, 9 units away,
// spans +-24.3 pixels about the centre.
constexpr int kCubeLeft = 76, kCubeTop = 51, kCubeRight = 123, kCubeBottom = 98;

void mel(const std::string& command) {
    ASSERT_TRUE(MGlobal::executeCommand(command.c_str())) << command;
}

MDagPath pathTo(const char* name) {
    MSelectionList list;
    MDagPath path;
    list.add(name);
    list.getDagPath(0, path);
    return path;
}

// Where an image differs from the background: the share of the cube's square that does,
// the share of the pixels outside it (two pixels around it excluded, for edges), and the
// centroid of all differing pixels.
struct Content {
    double inside = 0.0;
    double outside = 0.0;
    double x = -1.0;
    double y = -1.0;
};

Content contentOf(const RgbaImage& image, const RgbaImage& background) {
    int in = 0, inTotal = 0, out = 0, outTotal = 0, count = 0;
    double sumX = 0.0, sumY = 0.0;
    const auto within = [](int x, int y, int m) {
        return x >= kCubeLeft - m && x <= kCubeRight + m && y >= kCubeTop - m &&
               y <= kCubeBottom + m;
    };
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            bool hit = false;
            for (int c = 0; c < 3; ++c) {
                hit |= std::abs(image.at(x, y)[c] - background.at(x, y)[c]) > kContentThreshold;
            }
            count += hit;
            sumX += hit ? x : 0;
            sumY += hit ? y : 0;
            if (within(x, y, -2)) {
                ++inTotal;
                in += hit;
            } else if (!within(x, y, 2)) {
                ++outTotal;
                out += hit;
            }
        }
    }
    Content content{double(in) / inTotal, double(out) / outTotal};
    if (count) {
        content.x = sumX / count;
        content.y = sumY / count;
    }
    return content;
}

class ViewRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        mayasim::Scene::instance().reset();
        mel("camera -n cam; setAttr cam.translateZ 10");
        background_ = render(Eye::kCenter);
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    // Shaded, so that a mesh covers what it hides.
    RgbaImage render(Eye eye) {
        RgbaImage image;
        std::string error;
        EXPECT_TRUE(renderView(pathTo("cam"), kWidth, kHeight, eye, image, &error,
                               {-1, M3dView::kGouraudShaded}))
            << error;
        return image;
    }

    RgbaImage background_;  // the empty scene: gradient and grid
};

TEST_F(ViewRendererTest, CubeCoversWhereTheCameraSeesIt) {
    mel("polyCube -w 2 -h 2 -d 2 -n cube");
    const Content front = contentOf(render(Eye::kCenter), background_);
    EXPECT_GT(front.inside, 0.97);
    EXPECT_LT(front.outside, 0.002);

    // Seen from behind the cube the same square shows: the camera's transform places it.
    mel("setAttr cam.translateZ -10; setAttr cam.rotateY 180");
    EXPECT_GT(contentOf(render(Eye::kCenter), background_).inside, 0.97);
}

TEST_F(ViewRendererTest, HiddenAndIntermediateMeshesAreNotDrawn) {
    mel("polyCube -n hidden; setAttr hidden.visibility 0");
    mel("polyCube -n kept; setAttr keptShape.intermediateObject 1");
    EXPECT_LT(meanChannelDifference(render(Eye::kCenter), background_), 0.01);
}

// A positive horizontal film offset moves the film right behind the lens, so the picture
// moves left; a positive vertical one moves it down. 0.2 inch of a 1.26 inch wide fitted
// film is 31.7 pixels of 200; 0.1 inch of 0.945 is 15.9 pixels of 150.
TEST_F(ViewRendererTest, FilmOffsetShiftsThePicture) {
    mel("polyCube -w 2 -h 2 -d 2 -n cube");
    const RgbaImage centred = render(Eye::kCenter);
    mel("setAttr camShape.horizontalFilmOffset 0.2; setAttr camShape.verticalFilmOffset 0.1");
    const RgbaImage shifted = render(Eye::kCenter);
    // The grid's horizon moves with the film too, so compare with the empty scene so shifted.
    mel("setAttr cube.visibility 0");
    const RgbaImage shiftedBackground = render(Eye::kCenter);
    const Content before = contentOf(centred, background_);
    const Content after = contentOf(shifted, shiftedBackground);
    EXPECT_NEAR(after.x - before.x, -31.7, 1.0);
    EXPECT_NEAR(after.y - before.y, 15.9, 1.0);
}

class StereoRigTest : public ViewRendererTest {
protected:
    // A rig whose root holds the view's camera as its centre and eye cameras half a unit to
    // either side, connected the way Maya's stereo rigs connect them.
    void SetUp() override {
        ViewRendererTest::SetUp();
        mel("polyCube -w 2 -h 2 -d 2 -n cube");
        mel("camera -n camL; setAttr camL.translate -0.5 0 10");
        mel("camera -n camR; setAttr camR.translate 0.5 0 10");
        mel("createNode transform -n rig");
        for (const char* slot : {"centerCam", "leftCam", "rightCam"}) {
            mel(std::string("addAttr -ln ") + slot + " -at message rig");
        }
        mel("connectAttr cam.message rig.centerCam; connectAttr camL.message rig.leftCam; "
            "connectAttr camR.message rig.rightCam");
    }
};

TEST_F(StereoRigTest, EyesUseTheRigCamerasOnlyWhenTheViewCameraIsInARig) {
    EXPECT_EQ(eyeCamera(pathTo("camShape"), Eye::kLeft), pathTo("camLShape"));
    EXPECT_EQ(eyeCamera(pathTo("camShape"), Eye::kRight), pathTo("camRShape"));
    EXPECT_EQ(eyeCamera(pathTo("camLShape"), Eye::kRight), pathTo("camRShape"));
    EXPECT_EQ(eyeCamera(pathTo("camShape"), Eye::kCenter), pathTo("camShape"));
    // The left camera sees the cube to the right of centre, the right camera to the left.
    const double centre = contentOf(render(Eye::kCenter), background_).x;
    EXPECT_GT(contentOf(render(Eye::kLeft), background_).x, centre + 10.0);
    EXPECT_LT(contentOf(render(Eye::kRight), background_).x, centre - 10.0);
}

TEST_F(StereoRigTest, AnaglyphShowsRedAndCyanFringes) {
    const RgbaImage image = render(Eye::kAnaglyph);
    // The left eye sees the cube further right: a red fringe on its right, cyan on its left.
    int red = 0, cyan = 0;
    double redX = 0.0, cyanX = 0.0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = image.at(x, y);
            if (p[0] > p[1] + kContentThreshold) {
                ++red;
                redX += x;
            }
            if (p[1] > p[0] + kContentThreshold && p[2] > p[0] + kContentThreshold) {
                ++cyan;
                cyanX += x;
            }
        }
    }
    ASSERT_GT(red, 500);
    ASSERT_GT(cyan, 500);
    EXPECT_GT(redX / red, kWidth / 2 + 15.0);
    EXPECT_LT(cyanX / cyan, kWidth / 2 - 15.0);
}

// Each eye's pass projects through that eye's camera: the pixel worldToView names is where
// the point shows in that eye's picture (origin at the lower left), and viewToWorld's ray
// through it passes the point.
TEST_F(StereoRigTest, ProjectionsFollowTheEyeBeingDrawn) {
    const MPoint point(0.3, 0.4, 1.5);
    std::vector<std::pair<short, short>> projected;
    double miss = 1.0;
    const unsigned int id = addDrawCallback([&](const DrawPass&) {
        M3dView view;
        short x = 0, y = 0;
        EXPECT_TRUE(view.worldToView(point, x, y));
        projected.emplace_back(x, y);
        MPoint origin;
        MVector ray;
        EXPECT_TRUE(view.viewToWorld(x, y, origin, ray));
        miss = std::min(miss, ((point - origin) ^ ray).length());
        glPointSize(3.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_POINTS);
        glVertex3d(point.x, point.y, point.z);
        glEnd();
    });
    const RgbaImage image = render(Eye::kAnaglyph);
    removeDrawCallback(id);
    ASSERT_EQ(projected.size(), 2u);
    // The left eye (red) sees the point further right than the right eye (cyan).
    const std::uint8_t* left = image.at(projected[0].first, kHeight - 1 - projected[0].second);
    const std::uint8_t* right = image.at(projected[1].first, kHeight - 1 - projected[1].second);
    EXPECT_GT(projected[0].first, projected[1].first + 3);
    EXPECT_GT(left[0], 240);
    EXPECT_GT(right[1], 240);
    EXPECT_LT(miss, 0.03);  // about half a pixel at that distance
    // Outside a redraw a view with no window has nothing to project through.
    short x = 0, y = 0;
    MStatus status;
    M3dView().worldToView(point, x, y, &status);
    EXPECT_FALSE(status);
}

TEST_F(ViewRendererTest, DrawCallbacksDrawInWorldSpaceOverTheScene) {
    mel("polyCube -w 2 -h 2 -d 2 -n cube");
    std::vector<std::string> eyes;
    const unsigned int id = addDrawCallback([&eyes](const DrawPass& pass) {
        eyes.push_back(pass.eye);
        // In front of the cube's face: the depth test keeps it; behind it: hidden.
        GLUquadric* quadric = gluNewQuadric();
        glColor3f(1.0f, 0.0f, 0.0f);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 1.5f);
        gluDisk(quadric, 0.0, 0.3, 16, 1);
        glTranslatef(0.6f, 0.0f, -3.0f);
        gluDisk(quadric, 0.0, 0.3, 16, 1);
        glPopMatrix();
        gluDeleteQuadric(quadric);
    });
    const RgbaImage image = render(Eye::kCenter);
    // A few rows above the centre, clear of the grid's horizon line.
    const int row = kHeight / 2 - 3;
    const std::uint8_t* front = image.at(kWidth / 2, row);
    EXPECT_GT(front[0], 200);
    EXPECT_LT(front[1], 30);
    const std::uint8_t* behind = image.at(kWidth / 2 + 11, row);
    EXPECT_LT(behind[0], behind[1] + kContentThreshold);

    render(Eye::kAnaglyph);
    removeDrawCallback(id);
    render(Eye::kCenter);
    EXPECT_EQ(eyes, (std::vector<std::string>{"center", "left", "right"}));
}

TEST_F(ViewRendererTest, RejectsWhatIsNotACamera) {
    RgbaImage image;
    std::string error;
    mel("polyCube -n cube");
    EXPECT_FALSE(renderView(pathTo("cube"), kWidth, kHeight, Eye::kCenter, image, &error));
    EXPECT_NE(error.find("not a camera"), std::string::npos) << error;
    EXPECT_FALSE(renderView(pathTo("cam"), 0, kHeight, Eye::kCenter, image, &error));
}

}  // namespace
}  // namespace vxsim::render
