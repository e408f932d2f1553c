#include "tracker/HostTracker.h"

#include <vexel/common/Timer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vexel {
namespace tracker {
namespace detail {

namespace {

constexpr int kDefaultButtonCount = 3;

}  // namespace

HostTracker& HostTracker::instance() {
    static HostTracker tracker;
    return tracker;
}

HostTracker::HostTracker() {
    resetLocked();
}

void HostTracker::pushPose(int type, const common::Matrix4& pose, bool valid, double time) {
    if (!validType(type)) {
        return;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    Device& device = devices_[type];
    const std::uint64_t sequence = ++device.newestSequence;
    HostSample& slot = device.ring[sequence % kSampleRingSize];
    slot.sequence = sequence;
    slot.time = time;
    slot.pose = pose;
    slot.valid = valid;
    device.sampleCount = std::min(device.sampleCount + 1, kSampleRingSize);
}

void HostTracker::setPresent(int type, bool present) {
    if (validType(type)) {
        std::lock_guard<std::mutex> guard(mutex_);
        devices_[type].present = present;
    }
}

void HostTracker::setEnabled(int type, bool enabled) {
    if (validType(type)) {
        std::lock_guard<std::mutex> guard(mutex_);
        devices_[type].enabled = enabled;
    }
}

bool HostTracker::setSettings(int type, const vxhost::DeviceSettings& settings,
                              std::string* error) {
    char fault[160] = {};
    if (!validType(type)) {
        std::snprintf(fault, sizeof(fault), "no tracked device of type %d", type);
    } else if (!(settings.rate >= vxhost::kMinDeviceRate &&
                 settings.rate <= vxhost::kMaxDeviceRate)) {
        std::snprintf(fault, sizeof(fault), "a device rate must lie in %g to %g Hz, not %g",
                      vxhost::kMinDeviceRate, vxhost::kMaxDeviceRate, settings.rate);
    } else if (!(settings.positionNoise >= 0.0 &&
                 settings.positionNoise <= vxhost::kMaxPositionNoise)) {
        std::snprintf(fault, sizeof(fault), "position noise must lie in 0 to %g m, not %g",
                      vxhost::kMaxPositionNoise, settings.positionNoise);
    }
    if (fault[0] != '\0') {
        if (error != nullptr) {
            *error = fault;
        }
        return false;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    Device& device = devices_[type];
    device.settings = settings;
    ++device.noiseGeneration;
    return true;
}

vxhost::DeviceSettings HostTracker::settings(int type) const {
    std::lock_guard<std::mutex> guard(mutex_);
    return validType(type) ? devices_[type].settings : vxhost::DeviceSettings{};
}

bool HostTracker::setButtons(const bool* states, int count) {
    if (count < 0 || count > vxhost::kMaxButtons) {
        return false;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    buttonCount_ = count;
    std::fill(std::begin(buttons_), std::end(buttons_), false);
    std::copy_n(states, count, buttons_);
    return true;
}

int HostTracker::copyButtons(bool* states, int maxCount) const {
    std::lock_guard<std::mutex> guard(mutex_);
    const int count = std::clamp(buttonCount_, 0, maxCount);
    std::copy_n(buttons_, count, states);
    return count;
}

void HostTracker::reset() {
    std::lock_guard<std::mutex> guard(mutex_);
    resetLocked();
}

void HostTracker::resetLocked() {
    for (Device& device : devices_) {
        // Sequences keep counting so that targets never mistake a new sample
        // for one they have already seen.
        device.present = true;
        device.enabled = true;
        device.settings = vxhost::DeviceSettings{};
        ++device.noiseGeneration;
        device.sampleCount = 0;
    }
    buttonCount_ = kDefaultButtonCount;
    std::fill(std::begin(buttons_), std::end(buttons_), false);
    ++resetCount_;
}

bool HostTracker::isPresent(int type) const {
    std::lock_guard<std::mutex> guard(mutex_);
    return validType(type) && devices_[type].present;
}

void HostTracker::snapshot(int type, std::uint64_t afterSequence, TargetSnapshot& out) const {
    std::lock_guard<std::mutex> guard(mutex_);
    out.resetCount = resetCount_;
    out.sampleCount = 0;
    out.buttonCount = 0;
    if (!validType(type)) {
        out.present = out.enabled = false;
        return;
    }
    const Device& device = devices_[type];
    out.present = device.present;
    out.enabled = device.enabled;
    out.settings = device.settings;
    out.noiseGeneration = device.noiseGeneration;
    out.newestSequence = device.newestSequence;
    const std::uint64_t oldestKept =
        device.newestSequence - static_cast<std::uint64_t>(device.sampleCount) + 1;
    const std::uint64_t first = afterSequence >= device.newestSequence
                                    ? device.newestSequence + 1
                                    : std::max(afterSequence + 1, oldestKept);
    for (std::uint64_t s = first; s <= device.newestSequence; ++s) {
        out.samples[out.sampleCount++] = device.ring[s % kSampleRingSize];
    }
    if (type == kTargetStylus) {
        out.buttonCount = buttonCount_;
        std::copy_n(buttons_, buttonCount_, out.buttons);
    }
}

}  // namespace detail
}  // namespace tracker
}  // namespace vexel

namespace vxhost {

using vexel::tracker::detail::HostTracker;

void setHeadPose(const vexel::common::Matrix4& pose, bool valid) {
    HostTracker::instance().pushPose(kHead, pose, valid, vexel::common::Timer::now());
}

void setStylusPose(const vexel::common::Matrix4& pose, bool valid) {
    HostTracker::instance().pushPose(kStylus, pose, valid, vexel::common::Timer::now());
}

bool setDeviceSettings(int type, const DeviceSettings& settings, std::string* error) {
    return HostTracker::instance().setSettings(type, settings, error);
}

DeviceSettings deviceSettings(int type) {
    return HostTracker::instance().settings(type);
}

void setTargetPresent(int type, bool present) {
    HostTracker::instance().setPresent(type, present);
}

void setTargetEnabled(int type, bool enabled) {
    HostTracker::instance().setEnabled(type, enabled);
}

bool setButtons(const std::vector<bool>& states) {
    if (states.size() > static_cast<std::size_t>(kMaxButtons)) {
        return false;
    }
    bool copy[kMaxButtons] = {};
    std::copy(states.begin(), states.end(), copy);
    return HostTracker::instance().setButtons(copy, static_cast<int>(states.size()));
}

std::vector<bool> buttons() {
    bool states[kMaxButtons] = {};
    const int count = HostTracker::instance().copyButtons(states, kMaxButtons);
    return std::vector<bool>(states, states + count);
}

void resetTracker() {
    HostTracker::instance().reset();
    vexel::tracker::detail::clearIntersectableDisplays();
}

}  // namespace vxhost
