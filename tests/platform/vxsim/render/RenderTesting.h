#pragma once
// Shared by the render tests: a scene with camera "cam" 10 units up the z axis looking at
// the origin, and where world points land in its pictures.

#include <gtest/gtest.h>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MPoint.h>
#include <maya/MSelectionList.h>

#include <mayasim/DrawPass.h>
#include <mayasim/Scene.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "render/ViewRenderer.h"

namespace vxsim::render::testing {

constexpr int kWidth = 240;
constexpr int kHeight = 180;

inline void mel(const std::string& command) {
    ASSERT_TRUE(MGlobal::executeCommand(command.c_str())) << command;
}

inline MDagPath pathTo(const char* name) {
    MSelectionList list;
    MDagPath path;
    list.add(name);
    list.getDagPath(0, path);
    return path;
}

//! Where a world point lands in a picture through `camera`: column and row (top row 0).
struct Pixel {
    int x = -1;
    int y = -1;
};

inline Pixel pixelOf(const MPoint& world, const char* camera = "camShape") {
    mayasim::views::DrawPass pass;
    pass.camera = pathTo(camera);
    pass.width = kWidth;
    pass.height = kHeight;
    const mayasim::views::DrawPassScope scope(pass);
    short x = 0, y = 0;
    M3dView().worldToView(world, x, y);
    return {x, kHeight - 1 - y};
}

inline bool near(const std::uint8_t* pixel, int r, int g, int b, int tolerance = 40) {
    return std::abs(pixel[0] - r) <= tolerance && std::abs(pixel[1] - g) <= tolerance &&
           std::abs(pixel[2] - b) <= tolerance;
}

//! Whether a pixel within one row or column of `at` has the colour (lines may rasterise
//! next to where their points project).
inline bool nearAround(const RgbaImage& image, const Pixel& at, int r, int g, int b,
                       int tolerance = 40) {
    for (int y = std::max(at.y - 1, 0); y <= std::min(at.y + 1, image.height - 1); ++y)
        for (int x = std::max(at.x - 1, 0); x <= std::min(at.x + 1, image.width - 1); ++x)
            if (near(image.at(x, y), r, g, b, tolerance))
                return true;
    return false;
}

//! Pixels of `image` within `tolerance` of the colour.
inline int countColour(const RgbaImage& image, int r, int g, int b, int tolerance = 40) {
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            count += near(image.at(x, y), r, g, b, tolerance);
    return count;
}

class SceneFixture : public ::testing::Test {
protected:
    void SetUp() override {
        mayasim::Scene::instance().reset();
        mel("camera -n cam; setAttr cam.translateZ 10");
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    RgbaImage render(Eye eye = Eye::kCenter, M3dView::DisplayStyle style = M3dView::kGouraudShaded,
                     const char* camera = "cam") {
        RgbaImage image;
        std::string error;
        EXPECT_TRUE(renderView(pathTo(camera), kWidth, kHeight, eye, image, &error, {-1, style}))
            << error;
        return image;
    }
};

}  // namespace vxsim::render::testing
