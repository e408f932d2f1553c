#include <vexel/tracker/TrackerFilter.h>

namespace vexel {
namespace tracker {

void TrackerFilter::setEnabled(bool enabled) {
    enabled_ = enabled;
}

bool TrackerFilter::isEnabled() const {
    return enabled_;
}

}  // namespace tracker
}  // namespace vexel
