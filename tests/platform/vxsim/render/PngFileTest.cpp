// PNG files of rendered views.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/PngFile.h"
#include "render/RgbaImage.h"

namespace vxsim::render {
namespace {

RgbaImage filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    RgbaImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        image.pixels[i] = r;
        image.pixels[i + 1] = g;
        image.pixels[i + 2] = b;
        image.pixels[i + 3] = 255;
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

}  // namespace
}  // namespace vxsim::render
