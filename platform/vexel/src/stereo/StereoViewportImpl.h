// The library's stereo viewport. Private to VXStereo.
#pragma once

#include <vexel/stereo/StereoViewport.h>

#include "stereo/StereoFrustumImpl.h"

namespace vexel {
namespace stereo {
namespace detail {

class StereoWindowImpl;

class StereoViewportImpl final : public StereoViewport {
public:
    StereoViewportImpl();

    void setUsingWindowSize(bool usingWindowSize) override { usingWindowSize_ = usingWindowSize; }
    bool isUsingWindowSize() const override { return usingWindowSize_; }
    void setViewport(int x, int y, int w, int h) override;
    void getDesktopRect(int& x, int& y, int& w, int& h) const override;
    StereoWindow* getStereoWindow() const override;
    unsigned getEyeMask() const override { return eyeMask_; }
    StereoFrustum* getStereoFrustum() override { return &frustum_; }

    //! Called by the window that takes the viewport in and lets it go.
    void attach(StereoWindowImpl* window, unsigned eyeMask);
    void detach();

private:
    ~StereoViewportImpl() override = default;

    StereoWindowImpl* window_ = nullptr;  // not owned; the window detaches on death
    unsigned eyeMask_ = 0;
    bool usingWindowSize_ = false;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    StereoFrustumImpl frustum_;
};

}  // namespace detail
}  // namespace stereo
}  // namespace vexel
