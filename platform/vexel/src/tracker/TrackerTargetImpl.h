// The library's tracker target. Private to VXTracker.
#pragma once

#include <vexel/tracker/TrackerTarget.h>

#include "tracker/HostTracker.h"

#include <cstdint>
#include <mutex>

namespace vexel {
namespace tracker {
namespace detail {

class TrackerTargetImpl final : public TrackerTarget {
public:
    explicit TrackerTargetImpl(TargetType type);
    ~TrackerTargetImpl() override;

    //! Delivers the samples reported since the last capture and latches the
    //! device state. Allocation-free.
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
    void deliver(const HostSample& sample);
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
    HostSample lastRaw_{};  // the device's newest reading, re-reported while it holds still
    bool hasRaw_ = false;

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
