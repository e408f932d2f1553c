// The host's display configuration, read by DisplayInfo and the tracker.
#include <vxhost/VexelHost.h>

#include <algorithm>
#include <mutex>
#include <set>

namespace vxhost {

using vexel::common::DisplayRecord;

namespace {

struct DisplayConfiguration {
    std::mutex mutex;
    std::vector<DisplayRecord> displays{defaultDisplay()};
};

DisplayConfiguration& configuration() {
    static DisplayConfiguration config;
    return config;
}

bool overlap(const DisplayRecord& a, const DisplayRecord& b) {
    return a.desktopX < b.desktopX + b.pixelWidth && b.desktopX < a.desktopX + a.pixelWidth &&
           a.desktopY < b.desktopY + b.pixelHeight && b.desktopY < a.desktopY + a.pixelHeight;
}

std::string validate(const std::vector<DisplayRecord>& displays) {
    if (displays.empty()) {
        return "at least one display is needed";
    }
    if (displays.size() > static_cast<std::size_t>(kMaxDisplays)) {
        return "at most " + std::to_string(kMaxDisplays) + " displays are supported";
    }
    std::set<int> ids;
    for (std::size_t i = 0; i < displays.size(); ++i) {
        const DisplayRecord& d = displays[i];
        const std::string which = "display " + std::to_string(i) + ": ";
        if (d.pixelWidth <= 0 || d.pixelHeight <= 0) {
            return which + "the resolution must be positive";
        }
        if (!(d.physicalWidth > 0.0f) || !(d.physicalHeight > 0.0f)) {
            return which + "the size in metres must be positive";
        }
        if (!(d.tiltDegrees > -90.0f && d.tiltDegrees < 90.0f)) {
            return which + "the tilt must lie between -90 and 90 degrees";
        }
        if (!ids.insert(d.id).second) {
            return which + "the id " + std::to_string(d.id) + " is already used";
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (overlap(d, displays[j])) {
                return which + "overlaps display " + std::to_string(j) + " on the desktop";
            }
        }
    }
    return {};
}

}  // namespace

DisplayRecord defaultDisplay() {
    return DisplayRecord{};
}

bool setDisplays(const std::vector<DisplayRecord>& displays, std::string* error) {
    const std::string fault = validate(displays);
    if (!fault.empty()) {
        if (error != nullptr) {
            *error = fault;
        }
        return false;
    }
    DisplayConfiguration& config = configuration();
    std::lock_guard<std::mutex> guard(config.mutex);
    config.displays = displays;
    return true;
}

std::vector<DisplayRecord> displays() {
    DisplayConfiguration& config = configuration();
    std::lock_guard<std::mutex> guard(config.mutex);
    return config.displays;
}

int copyDisplays(DisplayRecord* out, int maxCount) {
    DisplayConfiguration& config = configuration();
    std::lock_guard<std::mutex> guard(config.mutex);
    const int count = std::min(maxCount, static_cast<int>(config.displays.size()));
    std::copy_n(config.displays.begin(), std::max(count, 0), out);
    return std::max(count, 0);
}

void resetDisplays() {
    setDisplays({defaultDisplay()});
}

}  // namespace vxhost
