#include "tracker/TrackerTargetImpl.h"

#include <algorithm>

#include <vexel/common/Timer.h>

namespace vexel {
namespace tracker {
namespace detail {

TrackerTargetImpl::TrackerTargetImpl(TargetType type) : type_(type) {
    // Latch the device state now, so that the buttons can be counted before the
    // first capture; the newest waiting sample is still delivered by it.
    HostTracker::instance().snapshot(type_, UINT64_MAX, scratch_);
    latchState(scratch_);
    lastSequence_ = scratch_.newestSequence > 0 ? scratch_.newestSequence - 1 : 0;
    resetCount_ = scratch_.resetCount;
}

TrackerTargetImpl::~TrackerTargetImpl() {
    if (filter_ != nullptr) {
        filter_->removeReference();
    }
}

void TrackerTargetImpl::capture() {
    std::lock_guard<std::mutex> guard(mutex_);
    HostTracker::instance().snapshot(type_, lastSequence_, scratch_);
    if (scratch_.resetCount != resetCount_) {
        resetCount_ = scratch_.resetCount;
        clearPoses();
    }
    for (int i = 0; i < scratch_.sampleCount; ++i) {
        deliver(scratch_.samples[i]);
    }
    lastSequence_ = scratch_.newestSequence;
    latchState(scratch_);
    // A real device keeps reporting at its rate while it holds still, so filters
    // settle and the history keeps time: repeat the newest reading, stamped now.
    if (scratch_.sampleCount == 0 && hasRaw_ && present_ && enabled_) {
        HostSample repeat = lastRaw_;
        repeat.time = common::Timer::now();
        deliver(repeat);
    }
}

void TrackerTargetImpl::latchState(const TargetSnapshot& snapshot) {
    present_ = snapshot.present;
    enabled_ = snapshot.enabled;
    if (!(present_ && enabled_)) {
        // A device that comes back reports afresh rather than its last pose.
        poseValid_ = false;
        hasRaw_ = false;
    }
    buttonCount_ = snapshot.buttonCount;
    std::copy_n(snapshot.buttons, snapshot.buttonCount, buttons_);
}

void TrackerTargetImpl::deliver(const HostSample& sample) {
    lastRaw_ = sample;
    hasRaw_ = true;
    poseValid_ = sample.valid;
    if (!sample.valid) {
        return;
    }
    common::Matrix4 filtered;
    const bool useFiltered = filter_ != nullptr && filter_->filter(sample.pose, filtered);
    pose_ = useFiltered ? filtered : sample.pose;
    poseTime_ = sample.time;
    if (buffering_) {
        historyNewest_ = (historyNewest_ + 1) % kPoseBufferSize;
        history_[historyNewest_] = PoseData{poseTime_, pose_};
        historyCount_ = std::min(historyCount_ + 1, kPoseBufferSize);
    }
}

void TrackerTargetImpl::clearPoses() {
    hasRaw_ = false;
    poseValid_ = false;
    pose_ = common::Matrix4::IDENTITY;
    poseTime_ = -1.0;
    historyCount_ = 0;
}

bool TrackerTargetImpl::isEnabled() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return present_ && enabled_;
}

bool TrackerTargetImpl::getPose(common::Matrix4& pose) const {
    std::lock_guard<std::mutex> guard(mutex_);
    if (!(present_ && enabled_ && poseValid_)) {
        return false;
    }
    pose = pose_;
    return true;
}

double TrackerTargetImpl::getPoseTime() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return poseTime_;
}

void TrackerTargetImpl::setPoseBufferingEnabled(bool enabled) {
    std::lock_guard<std::mutex> guard(mutex_);
    buffering_ = enabled;
    if (!enabled) {
        historyCount_ = 0;
    }
}

bool TrackerTargetImpl::isPoseBufferingEnabled() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return buffering_;
}

int TrackerTargetImpl::getPoseBuffer(PoseData* out, int maxRecords) const {
    if (out == nullptr || maxRecords < 1) {
        return 0;
    }
    std::lock_guard<std::mutex> guard(mutex_);
    const int count = std::min(maxRecords, historyCount_);
    for (int i = 0; i < count; ++i) {
        out[i] = history_[(historyNewest_ - i + kPoseBufferSize) % kPoseBufferSize];
    }
    return count;
}

void TrackerTargetImpl::setTrackerFilter(TrackerFilter* filter) {
    if (filter != nullptr) {
        filter->addReference();
    }
    TrackerFilter* previous = nullptr;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        previous = filter_;
        filter_ = filter;
    }
    // Released outside the lock: the last reference runs the filter's destructor.
    if (previous != nullptr) {
        previous->removeReference();
    }
}

TrackerFilter* TrackerTargetImpl::getTrackerFilter() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return filter_;
}

ButtonCapability* TrackerTargetImpl::getCapability(int type) {
    if (type == kCapabilityButtons && type_ == kTargetStylus) {
        return &capability_;
    }
    return nullptr;
}

int TrackerTargetImpl::Buttons::getNumButtons() const {
    std::lock_guard<std::mutex> guard(target_.mutex_);
    return target_.buttonCount_;
}

bool TrackerTargetImpl::Buttons::isButtonPressed(int index) const {
    std::lock_guard<std::mutex> guard(target_.mutex_);
    return index >= 0 && index < target_.buttonCount_ && target_.buttons_[index];
}

}  // namespace detail
}  // namespace tracker
}  // namespace vexel
