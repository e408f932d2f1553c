// MImage as the plug-in loads icons with it: PNG files as RGBA, bottom row first; files
// that are missing or broken fail and leave the image as it was. And the icons themselves.

#include <gtest/gtest.h>

#include <maya/MFnManip3D.h>
#include <maya/MImage.h>

#include <png.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A 2 x 3 image: rows red, green, blue from the top, the blue row half transparent.
const unsigned char kRows[] = {255, 0,   0, 255, 255, 0, 0,   255, 0, 255, 0,   255,
                               0,   255, 0, 255, 0,   0, 255, 128, 0, 0,   255, 128};

std::string writeTestPng(const char* name) {
    const std::string path = ::testing::TempDir() + name;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 2;
    png.height = 3;
    png.format = PNG_FORMAT_RGBA;
    EXPECT_TRUE(png_image_write_to_file(&png, path.c_str(), 0, kRows, 0, nullptr));
    return path;
}

std::string writeBytes(const char* name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(ImageTest, ReadsPngBottomRowFirstAsBytesOrFloats) {
    const std::string path = writeTestPng("rows.png");
    MImage image;
    ASSERT_TRUE(image.readFromFile(path.c_str(), MImage::kByte));
    unsigned int width = 0, height = 0;
    ASSERT_TRUE(image.getSize(width, height));
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 3u);
    EXPECT_EQ(image.depth(), 4u);
    const unsigned char* pixels = image.pixels();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(pixels, pixels + 4),
              (std::vector<unsigned char>{0, 0, 255, 128}));
    EXPECT_EQ(std::vector<unsigned char>(pixels + 16, pixels + 20),
              (std::vector<unsigned char>{255, 0, 0, 255}));
    image.verticalFlip();
    EXPECT_EQ(image.pixels()[0], 255);

    MImage floats;
    ASSERT_TRUE(floats.readFromFile(path.c_str(), MImage::kFloat));
    EXPECT_EQ(floats.pixels(), nullptr);
    EXPECT_EQ(floats.depth(), 16u);
    EXPECT_FLOAT_EQ(floats.floatPixels()[2], 1.0f);
    EXPECT_NEAR(floats.floatPixels()[3], 0.502f, 0.001f);
}

TEST(ImageTest, MissingOrBrokenFilesFailAndChangeNothing) {
    const std::string good = writeTestPng("good.png");
    std::ifstream in(good, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 60u);
    const std::vector<std::string> bad = {
        ::testing::TempDir() + "no_such_icon.png",
        writeBytes("text.png", "not an image at all"),
        writeBytes("truncated.png", bytes.substr(0, bytes.size() - 20)),
        writeBytes("header_only.png", bytes.substr(0, 8)),
        ::testing::TempDir(),  // a folder
    };
    MImage image;
    ASSERT_TRUE(image.readFromFile(good.c_str()));
    for (const std::string& path : bad) {
        EXPECT_FALSE(image.readFromFile(path.c_str())) << path;
        unsigned int width = 0, height = 0;
        EXPECT_TRUE(image.getSize(width, height)) << path;
        EXPECT_EQ(width * height, 6u) << path;
        EXPECT_EQ(image.pixels()[0], 0) << path;
    }
    MImage empty;
    unsigned int width = 7, height = 7;
    EXPECT_FALSE(empty.readFromFile(bad.front().c_str()));
    EXPECT_FALSE(empty.getSize(width, height));
    EXPECT_EQ(empty.pixels(), nullptr);
}

// Every icon the plug-in names loads, square, with see-through and solid pixels.
TEST(ImageTest, ShippedIconsLoad) {
    std::vector<std::string> names = {
        "vexelMayaCursor", "vexelSelectTool",    "vexelMoveTool",    "vexelRotateTool",
        "vexelScaleTool",  "vexelTransformTool", "vexelExtrudeTool", "vexelCreatePolygonTool",
        "vexelSplitTool",  "vexelEdgeLoopTool",  "vexelCurveTool",   "vexelJointTool"};
    for (const char* item : {"move", "rotate", "scale", "transform"})
        for (const char* state : {"base", "hover", "select"})
            names.push_back(std::string("icon_") + item + "_" + state);
    for (const char* item :
         {"utility", "attributeEditor", "propertySheet", "channelEditor", "shadedMode"})
        for (const char* state : {"base", "hover"})
            names.push_back(std::string("icon_") + item + "_" + state);
    for (const std::string& name : names) {
        MImage image;
        const std::string path = std::string(VX_ICON_DIR) + "/" + name + ".png";
        ASSERT_TRUE(image.readFromFile(path.c_str())) << path;
        unsigned int width = 0, height = 0;
        image.getSize(width, height);
        EXPECT_EQ(width, height) << name;
        int clear = 0, solid = 0;
        for (unsigned int i = 0; i < width * height; ++i) {
            clear += image.pixels()[i * 4 + 3] == 0;
            solid += image.pixels()[i * 4 + 3] == 255;
        }
        EXPECT_GT(clear, 0) << name;
        EXPECT_GT(solid, 0) << name;
    }
}

// Maya's factory manipulator preferences; sizes that are not positive are ignored.
TEST(ImageTest, ManipulatorSizesStartAtMayasDefaults) {
    EXPECT_FLOAT_EQ(MFnManip3D::globalSize(), 1.0f);
    EXPECT_FLOAT_EQ(MFnManip3D::handleSize(), 30.0f);
    MFnManip3D::setHandleSize(0.0f);
    MFnManip3D::setGlobalSize(-2.0f);
    EXPECT_FLOAT_EQ(MFnManip3D::handleSize(), 30.0f);
    EXPECT_FLOAT_EQ(MFnManip3D::globalSize(), 1.0f);
}

}  // namespace
