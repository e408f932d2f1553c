// Stereo windows, viewports and the off-axis eye geometry of VXStereo.
#include <vexel/common/Math.h>
#include <vexel/stereo/StereoFrustum.h>
#include <vexel/stereo/StereoLeftRightDetect.h>
#include <vexel/stereo/StereoViewport.h>
#include <vexel/stereo/StereoWindow.h>
#include <vxhost/VexelHost.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace vexel::common;
using namespace vexel::stereo;

namespace {

constexpr float kTol = 1e-4f;
const float kHalfRoot2 = std::sqrt(0.5f);
// The default display, 45 degrees tilt: its normal and up axis in tracker space.
const Vector3 kNormal(0, kHalfRoot2, kHalfRoot2);
const Vector3 kUp(0, kHalfRoot2, -kHalfRoot2);
const Vector3 kScreenCentre(0, -0.3f, -0.3f);

void expectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTol);
    EXPECT_NEAR(actual.y, expected.y, kTol);
    EXPECT_NEAR(actual.z, expected.z, kTol);
}

class StereoTest : public ::testing::Test {
protected:
    void SetUp() override {
        vxhost::resetDisplays();
        window_ = StereoWindow::create(0, 0, 1920, 1080);
        viewport_ = StereoViewport::create();
        ASSERT_TRUE(window_->addStereoViewport(viewport_, -1, ~0u));
        viewport_->setUsingWindowSize(true);
        frustum_ = viewport_->getStereoFrustum();
    }
    void TearDown() override {
        window_->removeReference();
        viewport_->removeReference();
    }

    StereoWindow* window_ = nullptr;
    StereoViewport* viewport_ = nullptr;
    StereoFrustum* frustum_ = nullptr;
};

}  // namespace

TEST_F(StereoTest, EyesSitAtTheHeadAtLevelZeroAndMeasureTheirDistanceFromTheScreen) {
    Matrix4 head;
    head.setTrans(kScreenCentre + kNormal * 0.5f);
    frustum_->setHeadPose(head);
    frustum_->setStereoLevel(0.0f);
    for (int eye : {kEyeLeft, kEyeRight, kEyeCenter}) {
        expectNear(frustum_->getEyePosition(eye), Vector3(0, 0, 0.5f));
    }
    // The screen is 0.4243 m ahead of the nominal position, so the eye is 0.0757 m
    // behind it, and the view matrix moves the scene the other way.
    expectNear(frustum_->getViewMatrix(kEyeLeft).getTrans(), Vector3(0, 0, -0.0757f));

    // Level 1: the eyes part by the interpupillary distance along the head's x axis.
    frustum_->setStereoLevel(1.0f);
    frustum_->setInterPupillaryDistance(6.4f, kUnitCentimetres);
    expectNear(frustum_->getEyePosition(kEyeLeft), Vector3(-0.032f, 0, 0.5f));
    expectNear(frustum_->getEyePosition(kEyeRight), Vector3(0.032f, 0, 0.5f));
    expectNear(frustum_->getEyePosition(kEyeCenter), Vector3(0, 0, 0.5f));
    frustum_->setStereoLevel(-1.0f);
    EXPECT_EQ(frustum_->getStereoLevel(), 0.0f);
}

TEST_F(StereoTest, ViewportCornersLieWhereTheEyeOffsetsSay) {
    // A quarter of the screen, bottom right, and a turned, displaced head.
    viewport_->setUsingWindowSize(false);
    viewport_->setViewport(960, 540, 960, 540);
    const float width = 0.521f / 2, height = 0.293f / 2;
    Matrix3 turned;
    turned.FromEulerAnglesZYX(0.2f, 0.5f, -0.1f);
    frustum_->setHeadPose(Matrix4(turned, Vector3(0.05f, 0.1f, 0.02f)));
    frustum_->setStereoLevel(1.5f);

    // Camera space by hand: the view matrices move the viewport to the screen
    // centre, 0.4243 m straight ahead, so it spans +-width/2, +-height/2 there.
    const float screenZ = -std::sqrt(0.18f);
    for (int eye : {kEyeLeft, kEyeRight}) {
        const Vector3 offsets = frustum_->getEyePosition(eye);
        const Vector3 eyeInCamera = -frustum_->getViewMatrix(eye).getTrans();
        for (float sx : {-1.0f, 1.0f}) {
            for (float sy : {-1.0f, 1.0f}) {
                const Vector3 corner(sx * width / 2, sy * height / 2, screenZ);
                expectNear(corner - eyeInCamera, Vector3(sx * width / 2 - offsets.x,
                                                         sy * height / 2 - offsets.y, -offsets.z));
            }
        }
    }
    // The eyes are the ipd times the level apart, in any axes.
    const Vector3 apart = frustum_->getEyePosition(kEyeRight) - frustum_->getEyePosition(kEyeLeft);
    EXPECT_NEAR(apart.length(), 0.06f * 1.5f, kTol);
}

TEST_F(StereoTest, WindowsPlaceAndOwnTheirViewports) {
    int x = 0, y = 0, w = 0, h = 0;
    window_->move(100, 50);
    window_->resize(800, -5);
    viewport_->getDesktopRect(x, y, w, h);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 0);

    EXPECT_FALSE(window_->addStereoViewport(viewport_, 0, 1u));  // already in a window
    EXPECT_FALSE(window_->addStereoViewport(nullptr, 0, 1u));
    StereoViewport* first = StereoViewport::create();
    ASSERT_TRUE(window_->addStereoViewport(first, 0, 1u));
    EXPECT_EQ(window_->getStereoViewport(0), first);
    EXPECT_EQ(first->getEyeMask(), 1u);
    EXPECT_EQ(first->getReferenceCount(), 2);
    first->removeReference();  // the window keeps it alive

    StereoWindow* other = StereoWindow::create(0, 0, 10, 10);
    StereoViewport* kept = StereoViewport::create();
    ASSERT_TRUE(other->addStereoViewport(kept, -1, ~0u));
    other->removeReference();
    EXPECT_EQ(kept->getStereoWindow(), nullptr);
    EXPECT_EQ(kept->getReferenceCount(), 1);
    kept->removeReference();

    EXPECT_FALSE(StereoLeftRightDetect::initialize(nullptr, 0, nullptr));
    EXPECT_TRUE(StereoLeftRightDetect::initialize(window_, 0, nullptr));
    StereoLeftRightDetect::update();
    StereoLeftRightDetect::shutdown();
    EXPECT_FALSE(StereoLeftRightDetect::isInitialized());
}
