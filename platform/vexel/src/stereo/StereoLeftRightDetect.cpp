#include <vexel/stereo/StereoLeftRightDetect.h>

#include <atomic>

namespace vexel {
namespace stereo {

namespace {

std::atomic<bool> initialized{false};

}  // namespace

bool StereoLeftRightDetect::initialize(StereoWindow* window, int, void*) {
    if (window == nullptr) {
        return false;
    }
    initialized = true;
    return true;
}

void StereoLeftRightDetect::update() {}

void StereoLeftRightDetect::shutdown() {
    initialized = false;
}

bool StereoLeftRightDetect::isInitialized() {
    return initialized;
}

}  // namespace stereo
}  // namespace vexel
