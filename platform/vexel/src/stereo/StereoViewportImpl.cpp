#include "stereo/StereoViewportImpl.h"

#include "stereo/StereoWindowImpl.h"

#include <algorithm>

namespace vexel {
namespace stereo {
namespace detail {

StereoViewportImpl::StereoViewportImpl() : frustum_(*this) {}

void StereoViewportImpl::setViewport(int x, int y, int w, int h) {
    x_ = x;
    y_ = y;
    width_ = std::max(0, w);
    height_ = std::max(0, h);
}

void StereoViewportImpl::getDesktopRect(int& x, int& y, int& w, int& h) const {
    const int windowX = window_ != nullptr ? window_->getX() : 0;
    const int windowY = window_ != nullptr ? window_->getY() : 0;
    if (usingWindowSize_) {
        x = windowX;
        y = windowY;
        w = window_ != nullptr ? window_->getWidth() : 0;
        h = window_ != nullptr ? window_->getHeight() : 0;
        return;
    }
    x = windowX + x_;
    y = windowY + y_;
    w = width_;
    h = height_;
}

StereoWindow* StereoViewportImpl::getStereoWindow() const {
    return window_;
}

void StereoViewportImpl::attach(StereoWindowImpl* window, unsigned eyeMask) {
    window_ = window;
    eyeMask_ = eyeMask;
}

void StereoViewportImpl::detach() {
    window_ = nullptr;
    eyeMask_ = 0;
}

}  // namespace detail

StereoViewport* StereoViewport::create() {
    return new detail::StereoViewportImpl();
}

}  // namespace stereo
}  // namespace vexel
