// Display conventions, the host display configuration and stylus-to-screen intersection.
#include <vexel/common/DisplayInfo.h>
#include <vexel/common/Matrix3.h>
#include <vexel/tracker/TrackerDisplayIntersection.h>
#include <vxhost/VexelHost.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace vexel::common;
using vexel::tracker::IntersectionInfo;
using vexel::tracker::TrackerDisplayIntersection;

namespace {

constexpr float kTol = 1e-4f;
const float kHalfRoot2 = std::sqrt(0.5f);

//! A stylus at `position` pointing along `direction` (its -z axis).
Matrix4 stylusPointing(const Vector3& position, const Vector3& direction) {
    const Vector3 z = -direction.normalisedCopy();
    const Vector3 x = Vector3::UNIT_Y.crossProduct(z).normalisedCopy();
    Matrix3 axes;
    axes.SetColumn(0, x);
    axes.SetColumn(1, z.crossProduct(x));
    axes.SetColumn(2, z);
    return Matrix4(axes, position);
}

class DisplayGeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        vxhost::resetDisplays();
        vxhost::resetTracker();
        TrackerDisplayIntersection::setDisplayIntersectable(0, true);
    }
    void TearDown() override {
        vxhost::resetDisplays();
        vxhost::resetTracker();
    }
};

}  // namespace

TEST_F(DisplayGeometryTest, CameraSpaceLooksStraightAtTheScreenCentre) {
    DisplayInfo* info = DisplayInfo::create();
    ASSERT_EQ(info->getNumDisplays(), 1);
    const DisplayRecord* display = info->getDisplay(0);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(info->getDisplay(1), nullptr);

    const Matrix4 r = DisplayInfo::getTrackerToCameraSpaceTransform(display);
    const Vector3 centre = r * display->displayVector;
    EXPECT_NEAR(centre.x, 0.0f, kTol);
    EXPECT_NEAR(centre.y, 0.0f, kTol);
    EXPECT_NEAR(centre.z, -0.4243f, kTol);
    EXPECT_EQ(r.getTrans(), Vector3::ZERO);
    // The screen's up axis leans back: (0, cos 45, -sin 45) in tracker space.
    EXPECT_NEAR(r[1][1], kHalfRoot2, kTol);
    EXPECT_NEAR(r[1][2], -kHalfRoot2, kTol);

    EXPECT_EQ(info->getDisplayIndex(0, 0), 0);
    EXPECT_EQ(info->getDisplayIndex(1919, 1079), 0);
    EXPECT_EQ(info->getDisplayIndex(1920, 5), -1);
    EXPECT_EQ(info->getDisplayIndex(5, -1), -1);
    info->removeReference();
}

TEST_F(DisplayGeometryTest, ViewportOffsetRunsAlongTheScreenSurface) {
    DisplayInfo* info = DisplayInfo::create();
    const DisplayRecord* display = info->getDisplay(0);
    const Vector3 whole = DisplayInfo::getViewportOffset(display, 0, 0, 1920, 1080);
    EXPECT_NEAR(whole.length(), 0.0f, kTol);
    // Top-right quarter: a quarter of the width right, a quarter of the height up the screen.
    const Vector3 quarter = DisplayInfo::getViewportOffset(display, 960, 0, 960, 540);
    EXPECT_NEAR(quarter.x, 0.521f / 4, kTol);
    EXPECT_NEAR(quarter.y, 0.293f / 4 * kHalfRoot2, kTol);
    EXPECT_NEAR(quarter.z, -0.293f / 4 * kHalfRoot2, kTol);
    EXPECT_EQ(DisplayInfo::getViewportOffset(nullptr, 0, 0, 10, 10), Vector3::ZERO);
    info->removeReference();
}

TEST_F(DisplayGeometryTest, BadDisplayListIsRejectedAndChangesNothing) {
    DisplayRecord second = vxhost::defaultDisplay();
    second.id = 1;
    second.desktopX = 1000;  // overlaps the first
    std::string error;
    EXPECT_FALSE(vxhost::setDisplays({vxhost::defaultDisplay(), second}, &error));
    EXPECT_NE(error.find("overlaps"), std::string::npos) << error;

    DisplayRecord flat = vxhost::defaultDisplay();
    flat.physicalWidth = 0.0f;
    EXPECT_FALSE(vxhost::setDisplays({flat}, &error));
    EXPECT_FALSE(vxhost::setDisplays({}, &error));
    ASSERT_EQ(vxhost::displays().size(), 1u);
    EXPECT_EQ(vxhost::displays()[0].physicalWidth, 0.521f);

    second.desktopX = 1920;
    EXPECT_TRUE(vxhost::setDisplays({vxhost::defaultDisplay(), second}, &error));
    DisplayInfo* info = DisplayInfo::create();
    EXPECT_EQ(info->getDisplayIndex(1920, 0), 1);
    vxhost::resetDisplays();
    EXPECT_EQ(info->getNumDisplays(), 2);  // a snapshot keeps what it saw
    info->removeReference();
}

TEST_F(DisplayGeometryTest, StylusPointingAtAPixelHitsThatPixel) {
    for (const auto& pixel : {std::pair<int, int>{0, 0}, {1919, 1079}, {700, 300}, {960, 540}}) {
        Matrix4 pose;
        ASSERT_TRUE(vxhost::stylusPoseAtPixel(pixel.first, pixel.second, 0.1f, pose));
        IntersectionInfo info;
        ASSERT_TRUE(TrackerDisplayIntersection::intersect(pose, info));
        EXPECT_EQ(info.display, 0);
        EXPECT_EQ(info.x, pixel.first);
        EXPECT_EQ(info.y, pixel.second);
        EXPECT_NEAR(info.distance, 0.1f, kTol);
        // Inverting the absolute units the way pointer input does gives the pixel back.
        EXPECT_EQ(std::lround(info.absoluteX * 1919.0 / 65535.0), pixel.first);
        EXPECT_EQ(std::lround(info.absoluteY * 1079.0 / 65535.0), pixel.second);
    }

    // From the nominal viewing position straight at the screen centre, built by hand:
    // the ray runs 0.4243 m to the point where pixels 959/960 and 539/540 meet.
    IntersectionInfo info;
    ASSERT_TRUE(TrackerDisplayIntersection::intersect(
        stylusPointing(Vector3::ZERO, Vector3(0, -0.3f, -0.3f)), info));
    EXPECT_NEAR(info.distance, 0.4243f, kTol);
    EXPECT_NEAR(info.x, 960, 1);
    EXPECT_NEAR(info.y, 540, 1);
    EXPECT_EQ(info.absoluteX, std::lround(info.x * 65535.0 / 1919.0));
}

TEST_F(DisplayGeometryTest, MissesLeaveTheNoneValues) {
    IntersectionInfo info;
    info.display = 3;
    info.distance = 9.0f;
    const Vector3 alongScreen(0, kHalfRoot2, -kHalfRoot2);
    EXPECT_FALSE(
        TrackerDisplayIntersection::intersect(stylusPointing(Vector3::ZERO, alongScreen), info));
    EXPECT_EQ(info.display, -1);
    EXPECT_EQ(info.x, -1);
    EXPECT_EQ(info.distance, 0.0f);

    // Pointing away from the screen, and beside it.
    EXPECT_FALSE(TrackerDisplayIntersection::intersect(
        stylusPointing(Vector3::ZERO, Vector3(0, 0.3f, 0.3f)), info));
    EXPECT_FALSE(TrackerDisplayIntersection::intersect(
        stylusPointing(Vector3::ZERO, Vector3(1.0f, -0.3f, -0.3f)), info));

    // A display that was not made intersectable is not hit.
    Matrix4 pose;
    ASSERT_TRUE(vxhost::stylusPoseAtPixel(100, 100, 0.1f, pose));
    TrackerDisplayIntersection::setDisplayIntersectable(0, false);
    EXPECT_FALSE(TrackerDisplayIntersection::intersect(pose, info));
    EXPECT_FALSE(vxhost::stylusPoseAtPixel(2000, 100, 0.1f, pose));
}

TEST_F(DisplayGeometryTest, AbsoluteUnitsSpanTheWholeDesktop) {
    DisplayRecord right = vxhost::defaultDisplay();
    right.id = 7;
    right.desktopX = 1920;
    right.displayVector = Vector3(0.6f, -0.3f, -0.3f);
    ASSERT_TRUE(vxhost::setDisplays({vxhost::defaultDisplay(), right}));
    TrackerDisplayIntersection::setDisplayIntersectable(7, true);

    Matrix4 pose;
    ASSERT_TRUE(vxhost::stylusPoseAtPixel(3839, 1079, 0.05f, pose));
    IntersectionInfo info;
    ASSERT_TRUE(TrackerDisplayIntersection::intersect(pose, info));
    EXPECT_EQ(info.display, 1);
    EXPECT_EQ(info.x, 3839);
    EXPECT_EQ(info.absoluteX, 65535);
    EXPECT_EQ(info.absoluteY, 65535);
    ASSERT_TRUE(vxhost::stylusPoseAtPixel(0, 0, 0.05f, pose));
    ASSERT_TRUE(TrackerDisplayIntersection::intersect(pose, info));
    EXPECT_EQ(info.absoluteX, 0);
}
