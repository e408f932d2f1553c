#include "stereo/StereoWindowImpl.h"

#include "stereo/StereoViewportImpl.h"

#include <algorithm>

namespace vexel {
namespace stereo {
namespace detail {

StereoWindowImpl::StereoWindowImpl(int x, int y, int w, int h) : x_(x), y_(y) {
    resize(w, h);
}

StereoWindowImpl::~StereoWindowImpl() {
    for (StereoViewportImpl* viewport : viewports_) {
        viewport->detach();
        viewport->removeReference();
    }
}

void StereoWindowImpl::move(int x, int y) {
    x_ = x;
    y_ = y;
}

void StereoWindowImpl::resize(int w, int h) {
    width_ = std::max(0, w);
    height_ = std::max(0, h);
}

bool StereoWindowImpl::addStereoViewport(StereoViewport* viewport, int index, unsigned eyeMask) {
    // Every viewport is made by StereoViewport::create(), so this is its class.
    auto* impl = static_cast<StereoViewportImpl*>(viewport);
    if (impl == nullptr || impl->getStereoWindow() != nullptr) {
        return false;
    }
    impl->addReference();
    impl->attach(this, eyeMask);
    const bool append = index < 0 || static_cast<std::size_t>(index) >= viewports_.size();
    viewports_.insert(append ? viewports_.end() : viewports_.begin() + index, impl);
    return true;
}

int StereoWindowImpl::getNumStereoViewports() const {
    return static_cast<int>(viewports_.size());
}

StereoViewport* StereoWindowImpl::getStereoViewport(int index) const {
    if (index < 0 || index >= getNumStereoViewports()) {
        return nullptr;
    }
    return viewports_[static_cast<std::size_t>(index)];
}

}  // namespace detail

StereoWindow* StereoWindow::create(int x, int y, int w, int h) {
    return new detail::StereoWindowImpl(x, y, w, h);
}

}  // namespace stereo
}  // namespace vexel
