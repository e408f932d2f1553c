#include "TrackerThread.h"

#include "MutexLock.h"
#include "VcStylusFilter.h"
#include "VexelDeviceNode.h"
#include "ViewWindowHooks.h"

#include <maya/MEventMessage.h>
#include <maya/MString.h>

#include <algorithm>
#include <cmath>

using vexel::common::DisplayInfo;
using vexel::common::DisplayRecord;
using vexel::common::Matrix4;
using vexel::common::Vector3;
using vexel::tracker::PoseData;
using vexel::tracker::TrackerDisplayIntersection;

namespace {

TrackerThread* gInstance = nullptr;

constexpr double kSampleRate = 1000.0;
constexpr double kInitialCutoff = 33.0;
// A stylus must travel this far (metres) to take the pointer back from the mouse.
constexpr float kStylusModeDistance = 0.08f;
constexpr float kMaxMouseModeDepth = 0.2f;

float distance(const Vector3& a, const Vector3& b) {
    return (a - b).length();
}

}  // namespace

// --- Instance management ------------------------------------------------------

TrackerThread* TrackerThread::getInstance() {
    if (gInstance == nullptr) {
        gInstance = new TrackerThread();
        gInstance->start();
    }
    return gInstance;
}

bool TrackerThread::hasInstance() {
    return gInstance != nullptr;
}

void TrackerThread::destroyInstance() {
    if (gInstance == nullptr) {
        return;
    }
    gInstance->requestStop();
    gInstance->stop();
    delete gInstance;
    gInstance = nullptr;
}

TrackerThread::TrackerThread() {
    headMutex_ = CreateMutexA(nullptr, FALSE, nullptr);
    stylusMutex_ = CreateMutexA(nullptr, FALSE, nullptr);
    thresholdMutex_ = CreateMutexA(nullptr, FALSE, nullptr);
    pointerEvent_.type = INPUT_MOUSE;

    displayInfo_ = DisplayInfo::create();
    for (int i = 0; i < displayInfo_->getNumDisplays(); ++i) {
        const DisplayRecord* display = displayInfo_->getDisplay(i);
        if (display != nullptr && display->isStereo) {
            TrackerDisplayIntersection::setDisplayIntersectable(display->id, true);
            break;
        }
    }
    idleCallbackId_ = MEventMessage::addEventCallback("idle", &TrackerThread::idleCallback, this);
}

TrackerThread::~TrackerThread() {
    ViewWindowHooks::detach(this);
    if (idleCallbackId_ != 0) {
        MMessage::removeCallback(idleCallbackId_);
    }
    if (secondCallbackId_ != 0) {
        MMessage::removeCallback(secondCallbackId_);
    }
    if (displayInfo_ != nullptr) {
        displayInfo_->removeReference();
    }
    CloseHandle(headMutex_);
    CloseHandle(stylusMutex_);
    CloseHandle(thresholdMutex_);
}

// --- Queries and settings -----------------------------------------------------

bool TrackerThread::isButtonPressed(int index) const {
    const int count = buttonCount_.load(std::memory_order_acquire);
    if (index == -1) {
        for (int i = 0; i < count; ++i) {
            if (buttons_[i].load(kRelaxed)) {
                return true;
            }
        }
        return false;
    }
    return index >= 0 && index < count && buttons_[index].load(kRelaxed);
}

void TrackerThread::getHeadPose(Matrix4& pose) const {
    MutexLock lock(headMutex_);
    pose = *headFront_;
}

void TrackerThread::getStylusPose(Matrix4& pose) const {
    MutexLock lock(stylusMutex_);
    pose = isMouseMode() ? pointerModePose_ : *stylusFront_;
}

void TrackerThread::getStylusMatrix(MMatrix& matrix) const {
    Matrix4 pose;
    getStylusPose(pose);
    for (unsigned row = 0; row < 4; ++row) {
        for (unsigned column = 0; column < 4; ++column) {
            matrix[row][column] = static_cast<double>(pose[column][row]);
        }
    }
}

bool TrackerThread::isStylusPointerOnly() const {
    return stylusInScene_.load(kRelaxed) == 0 &&
           (buttonCount_.load(std::memory_order_acquire) == 0 || !isButtonPressed(0));
}

const DisplayRecord* TrackerThread::getDisplay(int index) const {
    return displayInfo_->getDisplay(index);
}

Matrix4 TrackerThread::getTrackerToCameraSpaceTransform(const DisplayRecord* display) {
    return DisplayInfo::getTrackerToCameraSpaceTransform(display);
}

void TrackerThread::getViewportRect(int& x, int& y, int& width, int& height) const {
    x = screenX_.load(kRelaxed) + viewportX_.load(kRelaxed);
    y = screenY_.load(kRelaxed) + viewportY_.load(kRelaxed);
    width = viewportWidth_.load(kRelaxed);
    height = viewportHeight_.load(kRelaxed);
}

Vector3 TrackerThread::getViewportOffset() const {
    return {viewportOffset_[0].load(kRelaxed), viewportOffset_[1].load(kRelaxed),
            viewportOffset_[2].load(kRelaxed)};
}

Vector3 TrackerThread::getDisplayVector() const {
    return {displayVector_[0].load(kRelaxed), displayVector_[1].load(kRelaxed),
            displayVector_[2].load(kRelaxed)};
}

void TrackerThread::setEmulationActive(bool active) {
    emulationActive_.store(active, kRelaxed);
    if (!active) {
        // Without a stylus tool the stylus is the desktop pointer wherever it points.
        cursorFollowsStylus_.store(true, kRelaxed);
    }
}

void TrackerThread::setNearThreshold(double threshold) {
    MutexLock lock(thresholdMutex_);
    nearThreshold_ = threshold;
}

double TrackerThread::getNearThreshold() const {
    MutexLock lock(thresholdMutex_);
    return nearThreshold_;
}

void TrackerThread::addMessageListener(WindowMessageListener key, void* context) {
    removeMessageListener(key);
    messageListeners_.emplace_back(key, context);
}

void TrackerThread::removeMessageListener(WindowMessageListener key) {
    messageListeners_.erase(std::remove_if(messageListeners_.begin(), messageListeners_.end(),
                                           [key](const auto& entry) { return entry.first == key; }),
                            messageListeners_.end());
}

void TrackerThread::addDeviceNode(VexelDeviceNode* node) {
    if (std::find(deviceNodes_.begin(), deviceNodes_.end(), node) == deviceNodes_.end()) {
        deviceNodes_.push_back(node);
    }
}

void TrackerThread::removeDeviceNode(VexelDeviceNode* node) {
    deviceNodes_.erase(std::remove(deviceNodes_.begin(), deviceNodes_.end(), node),
                       deviceNodes_.end());
}

// --- The poll ------------------------------------------------------------------

void TrackerThread::run() {
    deadEvent_ = CreateEventA(nullptr, TRUE, FALSE, "DEAD_EVENT");
    beginPolling();
    while (!isStopRequested()) {
        pollOnce();
        WaitForSingleObject(deadEvent_, static_cast<DWORD>(pollPeriodMillis()));
    }
    endPolling();
    CloseHandle(deadEvent_);
    deadEvent_ = nullptr;
}

void TrackerThread::beginPolling() {
    timer_.start();
    trackerSystem_ = vexel::tracker::TrackerSystem::create();
    headTarget_ = trackerSystem_->getDefaultTrackerTarget(vexel::tracker::kTargetHead);
    stylusTarget_ = trackerSystem_->getDefaultTrackerTarget(vexel::tracker::kTargetStylus);

    filter_ = VcStylusFilter::create();
    filter_->setCutoff(kInitialCutoff, kSampleRate);
    appliedCutoff_ = kInitialCutoff;
    appliedFilterEnabled_ = filter_->isEnabled();

    int count = 0;
    if (stylusTarget_ != nullptr) {
        stylusTarget_->setPoseBufferingEnabled(true);
        stylusTarget_->setTrackerFilter(filter_);
        buttonCapability_ = stylusTarget_->getCapability(vexel::tracker::kCapabilityButtons);
        if (buttonCapability_ != nullptr) {
            count = std::max(buttonCapability_->getNumButtons(), 0);
        }
    }
    if (count > 0) {
        buttons_.reset(new std::atomic<bool>[count]);
        previousButtons_.reset(new bool[count]);
        for (int i = 0; i < count; ++i) {
            buttons_[i].store(false, kRelaxed);
            previousButtons_[i] = false;
        }
    }
    buttonCount_.store(count, std::memory_order_release);
    // The pointer's position at start is not user motion.
    GetCursorPos(&cursor_);
}

void TrackerThread::endPolling() {
    if (stylusTarget_ != nullptr) {
        stylusTarget_->setTrackerFilter(nullptr);
    }
    stylusTarget_ = nullptr;
    headTarget_ = nullptr;
    buttonCapability_ = nullptr;
    if (trackerSystem_ != nullptr) {
        trackerSystem_->removeReference();
        trackerSystem_ = nullptr;
    }
    if (filter_ != nullptr) {
        filter_->removeReference();
        filter_ = nullptr;
    }
}

void TrackerThread::pollOnce() {
    pollTime_ = timer_.getElapsedSeconds();
    if (headTarget_ == nullptr && stylusTarget_ == nullptr) {
        return;
    }
    trackerSystem_->captureTargets();
    headEnabled_.store(headTarget_ != nullptr && headTarget_->isEnabled(), kRelaxed);
    if (headTarget_ != nullptr) {
        headTarget_->getPose(*headBack_);
    }
    stylusEnabled_.store(stylusTarget_ != nullptr && stylusTarget_->isEnabled(), kRelaxed);
    if (stylusEnabled_.load(kRelaxed)) {
        readStylus();
    }
    swapPoseBuffers();
    if (stylusTarget_ != nullptr) {
        emulateMouse();
    }
    const int count = buttonCount_.load(kRelaxed);
    for (int i = 0; i < count; ++i) {
        previousButtons_[i] = buttons_[i].load(kRelaxed);
    }
}

void TrackerThread::readStylus() {
    const int count = buttonCount_.load(kRelaxed);
    for (int i = 0; i < count; ++i) {
        buttons_[i].store(buttonCapability_->isButtonPressed(i), kRelaxed);
    }
    lastCursor_ = cursor_;
    GetCursorPos(&cursor_);
    stylusPoseValid_.store(stylusTarget_->getPose(*stylusBack_), kRelaxed);
    intersection_.display = -1;
    applyFilterSettings();
    chooseInputMode();
    if (inputMode_.load(kRelaxed) == kStylusMode) {
        TrackerDisplayIntersection::intersect(*stylusBack_, intersection_);
    } else {
        buildPointerModePose();
    }
}

void TrackerThread::applyFilterSettings() {
    VexelDeviceNode::StylusFilterSettings settings;
    if (!VexelDeviceNode::readFilterSettings(settings)) {
        return;
    }
    if (settings.cutoff != appliedCutoff_) {
        filter_->setCutoff(settings.cutoff, kSampleRate);
        appliedCutoff_ = settings.cutoff;
    }
    if (settings.enabled != appliedFilterEnabled_) {
        filter_->setEnabled(settings.enabled);
        appliedFilterEnabled_ = settings.enabled;
    }
    filter_->setMode(settings.mode);
    if (filter_->getMode() == VcStylusFilter::kOneEuro) {
        applyOneEuroSettings(settings.oneEuro);
    }
}

void TrackerThread::applyOneEuroSettings(const VcOneEuroFilter::Parameters& parameters) {
    if (parameters.minCutoff != appliedOneEuro_.minCutoff ||
        parameters.speedCoefficient != appliedOneEuro_.speedCoefficient ||
        parameters.derivativeCutoff != appliedOneEuro_.derivativeCutoff) {
        filter_->setOneEuroParameters(parameters);
        appliedOneEuro_ = parameters;
    }
    // Unlike the low-pass, the adaptive filter works in seconds, so it needs the
    // rate the stylus really reports at, which its time stamps tell.
    const int count = stylusTarget_->getPoseBuffer(poseBuffer_, kPoseBufferSize);
    const double rate = estimateSampleRate(poseBuffer_, count);
    if (rate > 0.0) {
        filter_->setOneEuroSampleRate(rate);
    }
}

double TrackerThread::estimateSampleRate(const PoseData* records, int count) {
    double intervals[kPoseBufferSize];
    int intervalCount = 0;
    for (int i = 1; i < std::min(count, kPoseBufferSize); ++i) {
        const double interval = records[i - 1].time - records[i].time;
        if (interval > 0.0) {
            intervals[intervalCount++] = interval;
        }
    }
    if (intervalCount == 0) {
        return 0.0;
    }
    // The median: samples lost in between or reported in a burst do not move it.
    double* middle = intervals + intervalCount / 2;
    std::nth_element(intervals, middle, intervals + intervalCount);
    return 1.0 / *middle;
}

void TrackerThread::chooseInputMode() {
    const Matrix4& front = frontStylusPose();
    if (cursor_.x != lastCursor_.x || cursor_.y != lastCursor_.y) {
        inputMode_.store(kMouseMode, kRelaxed);
    } else if (front != stylusReferencePose_ &&
               distance(front.getTrans(), stylusReferencePose_.getTrans()) >= kStylusModeDistance) {
        inputMode_.store(kStylusMode, kRelaxed);
    }
}

void TrackerThread::buildPointerModePose() {
    const DisplayRecord* display = displayInfo_->getDisplay(displayIndex_.load(kRelaxed));
    const int w = viewportWidth_.load(kRelaxed);
    const int h = viewportHeight_.load(kRelaxed);
    if (display == nullptr || w == 0 || h == 0) {
        return;
    }
    const float viewWidth = viewWidthMetres_.load(kRelaxed);
    const float viewHeight = viewHeightMetres_.load(kRelaxed);
    const int left = screenX_.load(kRelaxed) + viewportX_.load(kRelaxed);
    const int top = screenY_.load(kRelaxed) + viewportY_.load(kRelaxed);
    const float offsetX = viewportOffset_[0].load(kRelaxed);
    const float offsetY = viewportOffset_[1].load(kRelaxed);

    if ((inputFlags_.load(kRelaxed) & kAltHeld) != 0) {
        mouseModeDepth_ += static_cast<float>(cursor_.y - lastCursor_.y) * -(viewHeight / h);
        mouseModeDepth_ = std::clamp(mouseModeDepth_, -kMaxMouseModeDepth, kMaxMouseModeDepth);
    }
    const float x =
        static_cast<float>(cursor_.x - left) * -(viewWidth / w) - (offsetX - viewWidth * 0.5f);
    const float y =
        static_cast<float>(top - cursor_.y + h) * -(viewHeight / h) - (offsetY - viewHeight * 0.5f);
    const float z = mouseModeDepth_ - 2.0f * display->displayVector.z;

    Matrix4 pose = DisplayInfo::getTrackerToCameraSpaceTransform(display);
    pose.setTrans(Vector3(x, y, z));
    {
        MutexLock lock(stylusMutex_);
        pointerModePose_ = pose.inverse();
    }
    stylusPoseValid_.store(true, kRelaxed);
    intersection_.x = cursor_.x;
    intersection_.y = cursor_.y;
}

void TrackerThread::swapPoseBuffers() {
    {
        MutexLock lock(headMutex_);
        std::swap(headFront_, headBack_);
    }
    MutexLock lock(stylusMutex_);
    std::swap(stylusFront_, stylusBack_);
}

int TrackerThread::findPoseIndexByAge(const PoseData* records, int count, double lookBack) {
    if (count <= 0) {
        return -1;
    }
    const double limit = records[0].time - lookBack;
    for (int i = 0; i < count; ++i) {
        if (records[i].time <= limit) {
            return i;
        }
    }
    return count - 1;
}

void TrackerThread::stylusPoseByAge(double lookBack, Matrix4& pose) {
    const int count = stylusTarget_->getPoseBuffer(poseBuffer_, kPoseBufferSize);
    const int index = findPoseIndexByAge(poseBuffer_, count, lookBack);
    pose = index < 0 ? frontStylusPose() : poseBuffer_[index].matrix;
}
