#include "tracker/TrackerTargetImpl.h"

#include <vexel/common/Timer.h>

#include <algorithm>
#include <cmath>

namespace vexel {
namespace tracker {
namespace detail {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Sample times closer than this are the same instant (the clock counts microseconds).
constexpr double kSameInstant = 1e-7;

}  // namespace

TrackerTargetImpl::TrackerTargetImpl(TargetType type) : type_(type) {
    // Latch the device state now, so that the buttons can be counted before the
    // first capture; the newest waiting sample is still delivered by it.
    HostTracker::instance().snapshot(type_, UINT64_MAX, scratch_);
    latchState(scratch_);
    takeSettings(scratch_);
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
    takeSettings(scratch_);
    for (int i = 0; i < scratch_.sampleCount; ++i) {
        sampleUntil(scratch_.samples[i].time, false);
        deliver(scratch_.samples[i]);
    }
    lastSequence_ = scratch_.newestSequence;
    latchState(scratch_);
    if (present_ && enabled_) {
        sampleUntil(common::Timer::now(), true);
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

void TrackerTargetImpl::takeSettings(const TargetSnapshot& snapshot) {
    samplePeriod_ = 1.0 / snapshot.settings.rate;
    if (snapshot.noiseGeneration != noiseGeneration_) {
        noiseGeneration_ = snapshot.noiseGeneration;
        positionNoise_ = snapshot.settings.positionNoise;
        noiseEngine_.seed(snapshot.settings.noiseSeed);
        hasSpareGaussian_ = false;
    }
}

void TrackerTargetImpl::sampleUntil(double limit, bool inclusive) {
    if (!hasRaw_) {
        return;
    }
    double next = lastRaw_.time + samplePeriod_;
    // The device's queue holds the last kSampleRingSize samples: after a long
    // pause only those arrive, still on the device's clock.
    const double queueStart = limit - kSampleRingSize * samplePeriod_;
    if (next <= queueStart) {
        next += (std::floor((queueStart - next) / samplePeriod_) + 1.0) * samplePeriod_;
    }
    const double last = inclusive ? limit + kSameInstant : limit - kSameInstant;
    while (next <= last) {
        HostSample sample = lastRaw_;
        sample.time = next;
        deliver(sample);
        next += samplePeriod_;
    }
}

void TrackerTargetImpl::deliver(const HostSample& sample) {
    lastRaw_ = sample;
    hasRaw_ = true;
    poseValid_ = sample.valid;
    if (!sample.valid) {
        return;
    }
    common::Matrix4 measured = sample.pose;
    addNoise(measured);
    common::Matrix4 filtered;
    const bool useFiltered = filter_ != nullptr && filter_->filter(measured, filtered);
    pose_ = useFiltered ? filtered : measured;
    poseTime_ = sample.time;
    if (buffering_) {
        historyNewest_ = (historyNewest_ + 1) % kPoseBufferSize;
        history_[historyNewest_] = PoseData{poseTime_, pose_};
        historyCount_ = std::min(historyCount_ + 1, kPoseBufferSize);
    }
}

void TrackerTargetImpl::addNoise(common::Matrix4& pose) {
    if (positionNoise_ <= 0.0) {
        return;
    }
    float* m = pose.ptr();
    for (int index : {3, 7, 11}) {
        m[index] += static_cast<float>(positionNoise_ * gaussian());
    }
}

// Box-Muller over the engine's raw output, so a seed gives the same noise with
// any standard library.
double TrackerTargetImpl::gaussian() {
    if (hasSpareGaussian_) {
        hasSpareGaussian_ = false;
        return spareGaussian_;
    }
    auto uniform = [this] { return static_cast<double>(noiseEngine_() >> 11) * 0x1.0p-53; };
    const double u1 = 1.0 - uniform();  // (0, 1]: the logarithm stays finite
    const double u2 = uniform();
    const double radius = std::sqrt(-2.0 * std::log(u1));
    spareGaussian_ = radius * std::sin(kTwoPi * u2);
    hasSpareGaussian_ = true;
    return radius * std::cos(kTwoPi * u2);
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
