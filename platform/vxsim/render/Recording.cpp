#include "Recording.h"

#include <maya/M3dView.h>

#include <mayasim/Views.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

#include "GifWriter.h"

namespace vxsim::render {
namespace {

// Browsers show frames of 0 or 1 hundredths as 10 hundredths; 2 is the shortest delay
// they honour, so a recording of 17 ms ticks plays a little slow rather than jerky.
constexpr int kShortestDelay = 2;

struct Changed {
    int left = 0, top = 0, width = 1, height = 1;
};

// The smallest rectangle holding every pixel that differs between the images (one pixel
// at the origin when none does, so every redraw still makes a frame).
Changed changedArea(const RgbaImage& before, const RgbaImage& after) {
    int left = after.width, top = after.height, right = -1, bottom = -1;
    const std::size_t rowBytes = static_cast<std::size_t>(after.width) * 4;
    for (int y = 0; y < after.height; ++y) {
        if (std::memcmp(before.at(0, y), after.at(0, y), rowBytes) == 0)
            continue;
        top = std::min(top, y);
        bottom = y;
        for (int x = 0; x < after.width; ++x) {
            if (std::memcmp(before.at(x, y), after.at(x, y), 4) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

class Recording {
public:
    Recording(std::unique_ptr<GifWriter> writer, Eye eye, int width, int height,
              double startSeconds)
        : writer_(std::move(writer)),
          eye_(eye),
          width_(width),
          height_(height),
          startSeconds_(startSeconds) {}

    // Renders the active view; the frame before it is written now that its length is known.
    bool takeFrame(double nowSeconds, std::string* error) {
        RgbaImage frame;
        if (!renderActive(frame, error) || !writePending(nowSeconds, error))
            return false;
        previous_ = std::move(pending_);
        pending_ = std::move(frame);
        return true;
    }

    bool finish(double nowSeconds, std::string* error) {
        return writePending(nowSeconds, error) && writer_->finish(error);
    }

    const std::string& path() const { return writer_->path(); }

private:
    bool renderActive(RgbaImage& frame, std::string* error) {
        const int view = mayasim::views::activeIndex();
        M3dView m3dView;
        MDagPath camera;
        if (view < 0 || !M3dView::get3dView(static_cast<unsigned int>(view), m3dView) ||
            !m3dView.getCamera(camera)) {
            if (error)
                *error = "there is no active 3D view with a camera";
            return false;
        }
        return renderView(camera, width_, height_, eye_, frame, error,
                          {view, m3dView.displayStyle()});
    }

    // Writes the held frame, shown from its redraw until `untilSeconds`, as the area that
    // changed since the frame before it.
    bool writePending(double untilSeconds, std::string* error) {
        if (pending_.pixels.empty())
            return true;
        const long due = std::lround((untilSeconds - startSeconds_) * 100.0);
        const int delay = static_cast<int>(std::max<long>(kShortestDelay, due - writtenCentis_));
        writtenCentis_ += delay;
        const Changed area = previous_.pixels.empty() ? Changed{0, 0, width_, height_}
                                                      : changedArea(previous_, pending_);
        return writer_->addFrame(pending_, area.left, area.top, area.width, area.height, delay,
                                 error);
    }

    std::unique_ptr<GifWriter> writer_;
    Eye eye_;
    int width_;
    int height_;
    double startSeconds_;
    long writtenCentis_ = 0;
    RgbaImage previous_;  // the last frame written
    RgbaImage pending_;   // rendered, waiting for its delay
};

std::unique_ptr<Recording> gRecording;
std::string gFailure;

}  // namespace

bool startRecording(const std::string& path, Eye eye, double nowSeconds, std::string* error) {
    if (gRecording) {
        if (error)
            *error = "already recording to " + gRecording->path();
        return false;
    }
    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    if (!status) {
        if (error)
            *error = "there is no active 3D view";
        return false;
    }
    auto writer = GifWriter::create(path, view.portWidth(), view.portHeight(), error);
    if (!writer)
        return false;
    auto recording = std::make_unique<Recording>(std::move(writer), eye, view.portWidth(),
                                                 view.portHeight(), nowSeconds);
    if (!recording->takeFrame(nowSeconds, error))
        return false;
    gRecording = std::move(recording);
    gFailure.clear();
    return true;
}

bool isRecording() {
    return gRecording != nullptr;
}

bool stopRecording(double nowSeconds, std::string* path, std::string* error) {
    if (path)
        path->clear();
    if (!gRecording) {
        if (gFailure.empty())
            return true;
        if (error)
            *error = std::exchange(gFailure, {});
        return false;
    }
    const std::unique_ptr<Recording> recording = std::move(gRecording);
    if (path)
        *path = recording->path();
    return recording->finish(nowSeconds, error);
}

void redrawActiveView(double nowSeconds) {
    if (!gRecording) {
        redrawManipulators(mayasim::views::activeIndex(), nullptr);
        return;
    }
    std::string error;
    if (!gRecording->takeFrame(nowSeconds, &error)) {
        gFailure = "recording " + gRecording->path() + " stopped: " + error;
        gRecording.reset();
    }
}

}  // namespace vxsim::render
