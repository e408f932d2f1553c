#include <vexel/common/Timer.h>

#include <vxhost/HostClock.h>

namespace vexel {
namespace common {

void Timer::start() {
    if (!running_) {
        restart();
    }
}

void Timer::restart() {
    startSeconds_ = now();
    running_ = true;
}

double Timer::getElapsedSeconds() const {
    return running_ ? now() - startSeconds_ : 0.0;
}

double Timer::now() {
    return vxhost::HostClock::instance().nowSeconds();
}

}  // namespace common
}  // namespace vexel
