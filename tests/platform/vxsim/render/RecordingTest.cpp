// Recordings of the active view: one GIF frame per redraw, timed by the host clock, each
// frame's palette keeping the anaglyph's colours; failures reported at once.

#include <gif_lib.h>

#include <mayasim/Views.h>

#include <vxhost/Desktop.h>

#include <fstream>
#include <memory>
#include <vector>

#include "RenderTesting.h"
#include "render/Anaglyph.h"
#include "render/GifWriter.h"
#include "render/Recording.h"

namespace vxsim::render::testing {
namespace {

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

Gif readGif(const std::string& path) {
    int error = 0;
    Gif gif(DGifOpenFileName(path.c_str(), &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK)
        gif.reset();
    return gif;
}

int delayOf(const GifFileType* gif, int frame) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(const_cast<GifFileType*>(gif), frame, &control);
    return control.DelayTime;
}

// Frame `index` of a GIF whose frames all cover the whole picture, as RGBA.
RgbaImage decodedFrame(const GifFileType* gif, int index) {
    const SavedImage& frame = gif->SavedImages[index];
    RgbaImage image(frame.ImageDesc.Width, frame.ImageDesc.Height);
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    for (int i = 0; i < image.width * image.height; ++i) {
        const GifColorType& colour = map->Colors[frame.RasterBits[i]];
        image.pixels[i * 4] = colour.Red;
        image.pixels[i * 4 + 1] = colour.Green;
        image.pixels[i * 4 + 2] = colour.Blue;
        image.pixels[i * 4 + 3] = 255;
    }
    return image;
}

class RecordingTest : public SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        mel("polyCube -w 2 -h 2 -d 2 -n cube; select -clear");
        path_ = ::testing::TempDir() + "recording.gif";
    }
    void TearDown() override {
        stopRecording(0.0, nullptr, nullptr);
        mayasim::views::clear();
        SceneFixture::TearDown();
    }
    std::string path_;
};

TEST_F(RecordingTest, FramesKeepTheAnaglyphsRedsAndCyans) {
    mel("camera -n camL; setAttr camL.translate -0.5 0 10");
    const RgbaImage left = render(Eye::kCenter, M3dView::kGouraudShaded, "camL");
    const RgbaImage anaglyph = composeAnaglyph(left, render());
    std::string error;
    {
        auto writer = GifWriter::create(path_, kWidth, kHeight, &error);
        ASSERT_TRUE(writer) << error;
        ASSERT_TRUE(writer->addFrame(anaglyph, 0, 0, kWidth, kHeight, 7, &error)) << error;
        ASSERT_TRUE(writer->finish(&error)) << error;
    }
    const Gif gif = readGif(path_);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 1);
    EXPECT_EQ(delayOf(gif.get(), 0), 7);
    const RgbaImage decoded = decodedFrame(gif.get(), 0);
    EXPECT_LT(meanChannelDifference(decoded, anaglyph), 4.5);  // under 2% per channel
    // The red fringe, where only the left eye sees the cube, keeps its size.
    const auto reddish = [](const RgbaImage& image) {
        int count = 0;
        for (std::size_t i = 0; i < image.pixels.size(); i += 4)
            count += image.pixels[i] > image.pixels[i + 1] + 60;
        return count;
    };
    const int red = reddish(anaglyph);
    ASSERT_GT(red, 100);
    EXPECT_NEAR(reddish(decoded), red, red / 20);
}

TEST_F(RecordingTest, OneFramePerRedrawOfWhatChanged) {
    vxhost::Desktop::instance().reset();
    mayasim::views::create(nullptr, RECT{0, 0, kWidth, kHeight}, pathTo("cam"));
    std::string error;
    ASSERT_TRUE(startRecording(path_, Eye::kCenter, 1.0, &error)) << error;
    EXPECT_FALSE(startRecording(path_, Eye::kCenter, 1.0, &error));
    EXPECT_NE(error.find("already recording"), std::string::npos) << error;
    redrawActiveView(1.017);
    mel("setAttr cube.translateY 0.5");
    redrawActiveView(1.034);
    redrawActiveView(1.25);
    std::string written;
    ASSERT_TRUE(stopRecording(1.5, &written, &error)) << error;
    EXPECT_EQ(written, path_);
    EXPECT_FALSE(isRecording());

    const Gif gif = readGif(path_);
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 4);
    EXPECT_EQ(gif->SWidth, kWidth);
    // Ticks of 17 ms show for the shortest delay browsers honour; later frames catch up
    // with the clock.
    EXPECT_EQ(delayOf(gif.get(), 0), 2);
    EXPECT_EQ(delayOf(gif.get(), 1), 2);
    EXPECT_EQ(delayOf(gif.get(), 2), 25 - 4);
    EXPECT_EQ(delayOf(gif.get(), 3), 25);
    // After the whole first picture, only what changed: nothing, then the moved cube.
    const GifImageDesc& unchanged = gif->SavedImages[1].ImageDesc;
    const GifImageDesc& moved = gif->SavedImages[2].ImageDesc;
    EXPECT_EQ(unchanged.Width * unchanged.Height, 1);
    EXPECT_GT(moved.Width, 30);
    EXPECT_LT(moved.Width, kWidth / 2);
}

TEST_F(RecordingTest, UnwritablePlacesAndMissingViewsFailAtTheStart) {
    std::string error;
    EXPECT_FALSE(startRecording(path_, Eye::kCenter, 0.0, &error));
    EXPECT_NE(error.find("no active 3D view"), std::string::npos) << error;

    vxhost::Desktop::instance().reset();
    mayasim::views::create(nullptr, RECT{0, 0, kWidth, kHeight}, pathTo("cam"));
    const std::string file = ::testing::TempDir() + "plain_file";
    std::ofstream(file) << "x";
    EXPECT_FALSE(startRecording(file + "/inside.gif", Eye::kAnaglyph, 0.0, &error));
    EXPECT_NE(error.find(file + "/inside.gif"), std::string::npos) << error;
    EXPECT_FALSE(isRecording());
    std::string written = "unchanged";
    EXPECT_TRUE(stopRecording(0.0, &written, &error));
    EXPECT_TRUE(written.empty());
}

}  // namespace
}  // namespace vxsim::render::testing
