// Curves, surfaces, joints and emitters in the view: drawn where they are, in Maya's
// colours, with CVs when asked for and when picked.

#include <maya/MFnNurbsCurve.h>

#include "RenderTesting.h"

namespace vxsim::render::testing {
namespace {

constexpr int kDormant[3] = {0, 4, 96};
constexpr int kLead[3] = {67, 255, 163};
constexpr int kPurple[3] = {200, 0, 200};
constexpr int kYellow[3] = {255, 255, 0};

bool shows(const RgbaImage& image, const MPoint& world, const int (&rgb)[3]) {
    return nearAround(image, pixelOf(world), rgb[0], rgb[1], rgb[2], 30);
}

class NurbsDisplayTest : public SceneFixture {};

TEST_F(NurbsDisplayTest, CurvesShowTheirLineCVsAndPicks) {
    mel("curve -d 1 -p -3 2 0 -p 3 2 0 -n line; select -clear");
    RgbaImage image = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_TRUE(shows(image, MPoint(0, 2, 0), kDormant));
    EXPECT_FALSE(shows(image, MPoint(-3, 2, 0), kPurple)) << "CVs hidden by default";

    mel("hilite line");
    EXPECT_TRUE(shows(render(Eye::kCenter, M3dView::kWireFrame), MPoint(-3, 2, 0), kPurple))
        << "a hilited curve shows its CVs";
    mel("hilite -u line; setAttr lineShape.dispCV 1");
    EXPECT_TRUE(shows(render(Eye::kCenter, M3dView::kWireFrame), MPoint(-3, 2, 0), kPurple));

    mel("select -r line");
    EXPECT_TRUE(shows(render(Eye::kCenter, M3dView::kWireFrame), MPoint(1, 2, 0), kLead));

    MSelectionList picked;
    picked.add(pathTo("line"), MFnNurbsCurve(pathTo("line")).cv(1));
    MGlobal::setActiveSelectionList(picked);
    image = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_TRUE(shows(image, MPoint(3, 2, 0), kYellow));
    EXPECT_TRUE(shows(image, MPoint(-3, 2, 0), kPurple));
}

TEST_F(NurbsDisplayTest, SurfacesShadeAndShowIsoparms) {
    mel("nurbsPlane -w 4 -ax 0 0 1 -n card; select -clear");
    const Pixel middle = pixelOf(MPoint(0.3, 0.3, 0));
    EXPECT_GT(render(Eye::kCenter, M3dView::kGouraudShaded).at(middle.x, middle.y)[0], 150);
    const RgbaImage wire = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_LT(wire.at(middle.x, middle.y)[0], 120) << "no faces in wireframe";
    EXPECT_TRUE(shows(wire, MPoint(2, 1, 0), kDormant)) << "the border isoparm";

    mel("setAttr card.visibility 0");
    EXPECT_FALSE(shows(render(Eye::kCenter, M3dView::kWireFrame), MPoint(2, 1, 0), kDormant));
}

TEST_F(NurbsDisplayTest, JointsBonesHandlesAndEmittersDraw) {
    mel("select -clear; joint -p -4 -3 0; joint -p 0 -3 0; joint -p 0 0 0");
    mel("ikHandle -sj joint1 -ee joint3; emitter -pos 4 2 0; select -clear");
    const RgbaImage image = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_TRUE(shows(image, MPoint(-4.5, -3, 0), kDormant)) << "joint1's sphere";
    EXPECT_TRUE(shows(image, MPoint(-2, -3, 0), kDormant)) << "the bone to joint2";
    EXPECT_TRUE(shows(image, MPoint(-2, -1.5, 0), kDormant)) << "the handle vector";
    EXPECT_TRUE(shows(image, MPoint(4.3, 2, 0), kDormant)) << "the emitter";
    EXPECT_FALSE(shows(image, MPoint(-2, 1, 0), kDormant));
}

}  // namespace
}  // namespace vxsim::render::testing
