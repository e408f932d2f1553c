// The library's stereo window. Private to VXStereo.
#pragma once

#include <vexel/stereo/StereoWindow.h>

#include <vector>

namespace vexel {
namespace stereo {
namespace detail {

class StereoViewportImpl;

class StereoWindowImpl final : public StereoWindow {
public:
    StereoWindowImpl(int x, int y, int w, int h);

    void move(int x, int y) override;
    void resize(int w, int h) override;
    int getX() const override { return x_; }
    int getY() const override { return y_; }
    int getWidth() const override { return width_; }
    int getHeight() const override { return height_; }
    bool addStereoViewport(StereoViewport* viewport, int index, unsigned eyeMask) override;
    int getNumStereoViewports() const override;
    StereoViewport* getStereoViewport(int index) const override;

private:
    ~StereoWindowImpl() override;

    int x_;
    int y_;
    int width_ = 0;
    int height_ = 0;
    std::vector<StereoViewportImpl*> viewports_;  // one reference held on each
};

}  // namespace detail
}  // namespace stereo
}  // namespace vexel
