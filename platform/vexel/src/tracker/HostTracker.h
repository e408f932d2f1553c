// The simulated tracker hardware: what the host reported, waiting to be
// captured by every TrackerSystem. Private to VXTracker.
#pragma once

#include <vexel/common/Matrix4.h>
#include <vexel/tracker/TrackerTarget.h>
#include <vxhost/VexelHost.h>

#include <cstdint>
#include <mutex>
#include <string>

namespace vexel {
namespace tracker {
namespace detail {

constexpr int kSampleRingSize = TrackerTarget::kPoseBufferSize;
constexpr int kTargetTypes = 2;

struct HostSample {
    std::uint64_t sequence = 0;
    double time = -1.0;
    common::Matrix4 pose;
    bool valid = false;
};

//! One target's view of the hardware at a capture: its state and the samples
//! it has not seen yet, oldest first.
struct TargetSnapshot {
    bool present = false;
    bool enabled = false;
    std::uint64_t resetCount = 0;
    vxhost::DeviceSettings settings;
    //! Changes whenever the noise setting does, so targets restart its sequence.
    std::uint64_t noiseGeneration = 0;
    std::uint64_t newestSequence = 0;
    int sampleCount = 0;
    HostSample samples[kSampleRingSize];
    int buttonCount = 0;
    bool buttons[vxhost::kMaxButtons] = {};
};

class HostTracker {
public:
    static HostTracker& instance();

    void pushPose(int type, const common::Matrix4& pose, bool valid, double time);
    void setPresent(int type, bool present);
    void setEnabled(int type, bool enabled);
    bool setSettings(int type, const vxhost::DeviceSettings& settings, std::string* error);
    vxhost::DeviceSettings settings(int type) const;
    bool setButtons(const bool* states, int count);
    int copyButtons(bool* states, int maxCount) const;
    void reset();

    bool isPresent(int type) const;
    //! Fills `out` without allocating; samples are those after `afterSequence`.
    void snapshot(int type, std::uint64_t afterSequence, TargetSnapshot& out) const;

private:
    struct Device {
        bool present = true;
        bool enabled = true;
        vxhost::DeviceSettings settings;
        std::uint64_t noiseGeneration = 0;
        std::uint64_t newestSequence = 0;
        int sampleCount = 0;
        HostSample ring[kSampleRingSize];
    };

    HostTracker();
    static bool validType(int type) { return type >= 0 && type < kTargetTypes; }
    void resetLocked();

    mutable std::mutex mutex_;
    Device devices_[kTargetTypes];
    int buttonCount_ = 0;
    bool buttons_[vxhost::kMaxButtons] = {};
    std::uint64_t resetCount_ = 0;
};

//! Makes every display non-intersectable again (defined with the intersection).
void clearIntersectableDisplays();

}  // namespace detail
}  // namespace tracker
}  // namespace vexel
