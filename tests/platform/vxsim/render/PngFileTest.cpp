// Image plumbing of the renderer: PNG files and anaglyph composition.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/Anaglyph.h"
#include "render/PngFile.h"
#include "render/RgbaImage.h"

namespace vxsim::render {
namespace {

RgbaImage filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    RgbaImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.at(x, y);
            p[0] = r;
            p[1] = g;
            p[2] = b;
            p[3] = 255;
        }
    }
    return image;
}

TEST(PngFileTest, RoundTripKeepsPixelsAndRowOrder) {
    const std::string path =
        (std::filesystem::path(::testing::TempDir()) / "vxsim_render" / "nested" / "t.png")
            .string();
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    RgbaImage image = filled(3, 2, 10, 20, 30);
    image.at(2, 0)[0] = 250;  // top right
    image.at(0, 1)[2] = 200;  // bottom left

    std::string error;
    ASSERT_TRUE(writePng(path, image, &error)) << error;
    RgbaImage back;
    ASSERT_TRUE(readPng(path, back, &error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels);
    EXPECT_EQ(meanChannelDifference(back, image), 0.0);
}

TEST(PngFileTest, FailuresNameTheFile) {
    std::string error;
    EXPECT_FALSE(writePng("/proc/no/such/dir/x.png", filled(2, 2, 0, 0, 0), &error));
    EXPECT_NE(error.find("/proc/no/such/dir/x.png"), std::string::npos) << error;
    EXPECT_FALSE(writePng(::testing::TempDir() + "/empty.png", RgbaImage(), &error));
    RgbaImage image;
    EXPECT_FALSE(readPng(::testing::TempDir() + "/does-not-exist.png", image, &error));
    EXPECT_NE(error.find("does-not-exist.png"), std::string::npos) << error;
}

TEST(AnaglyphTest, RedFromLeftGreenAndBlueFromRight) {
    const RgbaImage left = filled(2, 2, 200, 10, 20);
    const RgbaImage right = filled(2, 2, 30, 150, 160);
    const RgbaImage both = composeAnaglyph(left, right);
    ASSERT_EQ(both.width, 2);
    const std::uint8_t* p = both.at(1, 1);
    EXPECT_EQ(p[0], 200);
    EXPECT_EQ(p[1], 150);
    EXPECT_EQ(p[2], 160);
    EXPECT_TRUE(composeAnaglyph(left, filled(3, 2, 0, 0, 0)).pixels.empty());
}

}  // namespace
}  // namespace vxsim::render
