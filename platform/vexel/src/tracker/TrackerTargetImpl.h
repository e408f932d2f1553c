// The library's tracker target. Private to VXTracker.
#pragma once

#include <vexel/tracker/TrackerTarget.h>

#include "tracker/HostTracker.h"

#include <cstdint>
#include <mutex>
#include <random>

namespace vexel {
namespace tracker {
namespace detail {

class TrackerTargetImpl final : public TrackerTarget {
public:
    explicit TrackerTargetImpl(TargetType type);
    ~TrackerTargetImpl() override;

    //! Delivers the samples the device produced since the last capture (the
    //! host's reports and, between them, the device's own samples at its rate)
    //! and latches the device state. Allocation-free.
    void capture();

    TargetType getType() const override { return type_; }
    bool isEnabled() const override;
    bool getPose(common::Matrix4& pose) const override;
    double getPoseTime() const override;
    void setPoseBufferingEnabled(bool enabled) override;
    bool isPoseBufferingEnabled() const override;
    int getPoseBuffer(PoseData* out, int maxRecords) const override;
    void setTrackerFilter(TrackerFilter* filter) override;
    TrackerFilter* getTrackerFilter() const override;
    ButtonCapability* getCapability(int type) override;

private:
    class Buttons final : public ButtonCapability {
    public:
        explicit Buttons(const TrackerTargetImpl& target) : target_(target) {}
        ~Buttons() override = default;
        int getNumButtons() const override;
        bool isButtonPressed(int index) const override;

    private:
        const TrackerTargetImpl& target_;
    };

    void latchState(const TargetSnapshot& snapshot);
    void takeSettings(const TargetSnapshot& snapshot);
    //! Repeats the last reading at the device rate up to `limit` (seconds),
    //! which itself is included only when `inclusive`.
    void sampleUntil(double limit, bool inclusive);
    void deliver(const HostSample& sample);
    void addNoise(common::Matrix4& pose);
    double gaussian();
    void clearPoses();

    const TargetType type_;
    mutable std::mutex mutex_;
    TargetSnapshot scratch_;  // capture's working copy, kept to avoid allocating
    std::uint64_t lastSequence_ = 0;
    std::uint64_t resetCount_ = 0;

    bool present_ = false;
    bool enabled_ = false;
    bool poseValid_ = false;
    common::Matrix4 pose_;
    double poseTime_ = -1.0;
    HostSample lastRaw_{};  // the device's newest reading, noise-free, repeated at its rate
    bool hasRaw_ = false;

    double samplePeriod_ = 1.0 / vxhost::DeviceSettings{}.rate;
    double positionNoise_ = 0.0;
    std::uint64_t noiseGeneration_ = 0;
    std::mt19937_64 noiseEngine_;
    double spareGaussian_ = 0.0;
    bool hasSpareGaussian_ = false;

    bool buffering_ = false;
    PoseData history_[kPoseBufferSize];
    int historyNewest_ = 0;
    int historyCount_ = 0;

    TrackerFilter* filter_ = nullptr;
    int buttonCount_ = 0;
    bool buttons_[vxhost::kMaxButtons] = {};
    Buttons capability_{*this};
};

}  // namespace detail
}  // namespace tracker
}  // namespace vexel
