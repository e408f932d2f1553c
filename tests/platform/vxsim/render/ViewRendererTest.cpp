// Rendering the scene through cameras: where a cube lands, how film offsets move it, which
// camera each eye uses, and the hook later drawing goes through.

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <maya/MDGModifier.h>
#include <maya/MDagPath.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnTransform.h>
#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MPointArray.h>
#include <maya/MVector.h>

#include <mayasim/Scene.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "render/DrawCallbacks.h"
#include "render/ViewRenderer.h"

namespace vxsim::render {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

// Pixels differing from the background by more than this are scene content.
constexpr int kContentThreshold = 40;

struct Box {
    int x0, y0, x1, y1;  // inclusive
};

// Where a 2-unit cube at the origin shows, seen from 10 units away through Maya's default
// lens: its front face, 9 units away, spans 1/9 of the near-plane half-extent units, i.e.
// +-24 pixels about the centre in a 200 x 150 view (film fitted to the view's height).
constexpr Box kCubeBox{76, 51, 123, 98};

MObject transformOf(const MObject& created) {
    MDagPath path;
    MDagPath::getAPathTo(created, path);
    return path.transform();
}

MDagPath shapeUnder(const MObject& transform) {
    MDagPath path;
    MDagPath::getAPathTo(transform, path);
    path.extendToShape();
    return path;
}

MObject makeCube(const MVector& at) {
    MPointArray points;
    for (int i = 0; i < 8; ++i) {
        points.append(MPoint(i & 1 ? 1.0 : -1.0, i & 2 ? 1.0 : -1.0, i & 4 ? 1.0 : -1.0));
    }
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    MIntArray counts;
    MIntArray connects;
    for (const auto& face : faces) {
        counts.append(4);
        for (int v : face)
            connects.append(v);
    }
    MStatus status;
    const MObject mesh =
        MFnMesh().create(8, 6, points, counts, connects, MObject::kNullObj, &status);
    EXPECT_TRUE(status);
    const MObject transform = transformOf(mesh);
    MFnTransform(transform).setTranslation(at, MSpace::kTransform);
    return transform;
}

MObject makeCamera(const MVector& at) {
    const MObject transform = transformOf(MFnCamera().create());
    MFnTransform(transform).setTranslation(at, MSpace::kTransform);
    return transform;
}

void setNumber(const MObject& node, const char* attribute, double value) {
    ASSERT_TRUE(MFnDependencyNode(node).findPlug(attribute).setValue(value)) << attribute;
}

bool differs(const RgbaImage& a, const RgbaImage& b, int x, int y) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(int(a.at(x, y)[c]) - int(b.at(x, y)[c])) > kContentThreshold)
            return true;
    }
    return false;
}

// Share of the box's pixels (or, with `outside`, of all other pixels) that differ.
double coverage(const RgbaImage& image, const RgbaImage& background, const Box& box,
                bool outside = false) {
    int hits = 0;
    int total = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const bool in = x >= box.x0 && x <= box.x1 && y >= box.y0 && y <= box.y1;
            if (in == outside)
                continue;
            ++total;
            hits += differs(image, background, x, y) ? 1 : 0;
        }
    }
    return total ? double(hits) / total : 0.0;
}

double centroidX(const RgbaImage& image, const RgbaImage& background) {
    double sum = 0.0;
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (differs(image, background, x, y)) {
                sum += x;
                ++count;
            }
        }
    }
    return count ? sum / count : -1.0;
}

double centroidY(const RgbaImage& image, const RgbaImage& background) {
    RgbaImage transposedImage(image.height, image.width);
    RgbaImage transposedBackground(image.height, image.width);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::copy_n(image.at(x, y), 4, transposedImage.at(y, x));
            std::copy_n(background.at(x, y), 4, transposedBackground.at(y, x));
        }
    }
    return centroidX(transposedImage, transposedBackground);
}

class ViewRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        mayasim::Scene::instance().reset();
        camera_ = makeCamera(MVector(0.0, 0.0, 10.0));
        background_ = render(Eye::kCenter);
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    RgbaImage render(Eye eye) {
        RgbaImage image;
        std::string error;
        EXPECT_TRUE(renderView(shapeUnder(camera_), kWidth, kHeight, eye, image, &error)) << error;
        return image;
    }

    MObject camera_;
    RgbaImage background_;  // the empty scene: gradient and grid
};

TEST_F(ViewRendererTest, CubeCoversWhereTheCameraSeesIt) {
    makeCube(MVector());
    const RgbaImage image = render(Eye::kCenter);
    EXPECT_GT(coverage(image, background_,
                       {kCubeBox.x0 + 2, kCubeBox.y0 + 2, kCubeBox.x1 - 2, kCubeBox.y1 - 2}),
              0.97);
    EXPECT_LT(coverage(image, background_,
                       {kCubeBox.x0 - 2, kCubeBox.y0 - 2, kCubeBox.x1 + 2, kCubeBox.y1 + 2}, true),
              0.002);

    // Seen from behind the cube the same square shows: the camera's transform places it.
    MFnTransform(camera_).setTranslation(MVector(0.0, 0.0, -10.0), MSpace::kTransform);
    MFnTransform(camera_).setRotation(MEulerRotation(0.0, 3.14159265358979323846, 0.0));
    EXPECT_GT(coverage(render(Eye::kCenter), background_,
                       {kCubeBox.x0 + 2, kCubeBox.y0 + 2, kCubeBox.x1 - 2, kCubeBox.y1 - 2}),
              0.97);
}

TEST_F(ViewRendererTest, HiddenAndIntermediateMeshesAreNotDrawn) {
    const MObject hidden = makeCube(MVector());
    setNumber(hidden, "visibility", 0.0);
    const MObject intermediate = makeCube(MVector(3.0, 0.0, 0.0));
    setNumber(shapeUnder(intermediate).node(), "intermediateObject", 1.0);
    EXPECT_LT(meanChannelDifference(render(Eye::kCenter), background_), 0.01);
}

// A positive horizontal film offset moves the film right behind the lens, so the picture
// moves left; a positive vertical one moves it down. 0.2 inch of a 1.26 inch wide fitted
// film is 31.7 pixels of 200; 0.1 inch of 0.945 is 15.9 pixels of 150.
TEST_F(ViewRendererTest, FilmOffsetShiftsThePicture) {
    const MObject cube = makeCube(MVector());
    const MObject shape = shapeUnder(camera_).node();
    const RgbaImage centred = render(Eye::kCenter);
    setNumber(shape, "horizontalFilmOffset", 0.2);
    setNumber(shape, "verticalFilmOffset", 0.1);
    const RgbaImage shifted = render(Eye::kCenter);
    // The grid's horizon moves with the film too, so compare with the empty scene so shifted.
    setNumber(cube, "visibility", 0.0);
    const RgbaImage shiftedBackground = render(Eye::kCenter);
    EXPECT_NEAR(centroidX(shifted, shiftedBackground) - centroidX(centred, background_), -31.7,
                1.0);
    EXPECT_NEAR(centroidY(shifted, shiftedBackground) - centroidY(centred, background_), 15.9, 1.0);
}

class StereoRigTest : public ViewRendererTest {
protected:
    // A rig whose root holds the centre camera (the view's) and eye cameras half a unit to
    // either side, connected the way Maya's stereo rigs connect them.
    void makeRig() {
        left_ = makeCamera(MVector(-0.5, 0.0, 10.0));
        right_ = makeCamera(MVector(0.5, 0.0, 10.0));
        const MObject root = MFnTransform().create();
        MDGModifier connections;
        for (const auto& [slot, camera] :
             {std::pair{"centerCam", camera_}, {"leftCam", left_}, {"rightCam", right_}}) {
            MFnMessageAttribute attribute;
            MFnDependencyNode(root).addAttribute(attribute.create(slot, slot));
            connections.connect(MFnDependencyNode(camera).findPlug("message"),
                                MFnDependencyNode(root).findPlug(slot));
        }
        ASSERT_TRUE(connections.doIt());
    }

    MObject left_;
    MObject right_;
};

TEST_F(StereoRigTest, EyesUseTheRigCamerasOnlyWhenTheViewCameraIsInARig) {
    makeCube(MVector());
    const RgbaImage centre = render(Eye::kCenter);
    EXPECT_LT(meanChannelDifference(render(Eye::kLeft), centre), 0.01);

    makeRig();
    EXPECT_EQ(eyeCamera(shapeUnder(camera_), Eye::kLeft), shapeUnder(left_));
    EXPECT_EQ(eyeCamera(shapeUnder(camera_), Eye::kRight), shapeUnder(right_));
    EXPECT_EQ(eyeCamera(shapeUnder(left_), Eye::kRight), shapeUnder(right_));
    // The left camera sees the cube to the right of centre, the right camera to the left.
    EXPECT_GT(centroidX(render(Eye::kLeft), background_), centroidX(centre, background_) + 3.0);
    EXPECT_LT(centroidX(render(Eye::kRight), background_), centroidX(centre, background_) - 3.0);
}

TEST_F(StereoRigTest, AnaglyphShowsRedAndCyanFringes) {
    makeCube(MVector());
    makeRig();
    const RgbaImage image = render(Eye::kAnaglyph);
    int redRight = 0;
    int cyanLeft = 0;
    int redLeft = 0;
    int cyanRight = 0;
    for (int y = kCubeBox.y0 + 4; y <= kCubeBox.y1 - 4; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = image.at(x, y);
            const bool red = p[0] > p[1] + kContentThreshold;
            const bool cyan = p[1] > p[0] + kContentThreshold && p[2] > p[0] + kContentThreshold;
            const bool rightHalf = x >= kWidth / 2;
            redRight += red && rightHalf;
            redLeft += red && !rightHalf;
            cyanLeft += cyan && !rightHalf;
            cyanRight += cyan && rightHalf;
        }
    }
    EXPECT_GT(redRight, 50);
    EXPECT_GT(cyanLeft, 50);
    EXPECT_EQ(redLeft, 0);
    EXPECT_EQ(cyanRight, 0);
}

TEST_F(ViewRendererTest, DrawCallbacksDrawInWorldSpaceOverTheScene) {
    makeCube(MVector());
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

TEST_F(ViewRendererTest, RejectsWhatIsNotACameraAndUnknownEyes) {
    RgbaImage image;
    std::string error;
    EXPECT_FALSE(
        renderView(shapeUnder(makeCube(MVector())), kWidth, kHeight, Eye::kCenter, image, &error));
    EXPECT_NE(error.find("not a camera"), std::string::npos) << error;
    EXPECT_FALSE(renderView(shapeUnder(camera_), 0, kHeight, Eye::kCenter, image, &error));
    Eye eye = Eye::kCenter;
    EXPECT_TRUE(eyeFromName("anaglyph", eye));
    EXPECT_EQ(eye, Eye::kAnaglyph);
    EXPECT_FALSE(eyeFromName("Left", eye));
}

}  // namespace
}  // namespace vxsim::render
