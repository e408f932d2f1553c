// The tracker thread and the process-wide tracking state every other part reads.
#pragma once

#include "Thread.h"
#include "VcOneEuroFilter.h"

#include <windows.h>

#include <maya/MMatrix.h>
#include <maya/MMessage.h>

#include <vexel/common/DisplayInfo.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/Timer.h>
#include <vexel/common/Vector3.h>
#include <vexel/tracker/ButtonCapability.h>
#include <vexel/tracker/PoseData.h>
#include <vexel/tracker/TrackerDisplayIntersection.h>
#include <vexel/tracker/TrackerSystem.h>
#include <vexel/tracker/TrackerTarget.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class VcStylusFilter;
class VexelDeviceNode;

//! Receives every message of the subclassed 3D view window before the window does.
using WindowMessageListener = void (*)(void* context, HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam);

//! Polls the tracker about sixty times a second on its own thread: head and
//! stylus poses (double-buffered), stylus buttons, the stylus ray on the screen
//! and the choice between stylus and mouse input, and emulates the desktop mouse
//! with the stylus. On Maya's main thread its idle callback follows the active 3D
//! view and switches tools when the stereo view is entered or left.
//!
//! Fields shared between the two threads without a lock are atomics read with
//! relaxed order: readers accept a value one poll old, as the design intends.
class TrackerThread : public Thread {
public:
    enum InputMode { kStylusMode = 1, kMouseMode = 2 };
    enum InputFlag : unsigned {
        kLeftButtonHeld = 1u << 0,
        kMiddleButtonHeld = 1u << 1,
        kRightButtonHeld = 1u << 2,
        kAltHeld = 1u << 3,
        kSpaceHeld = 1u << 4,
        kShiftHeld = 1u << 5,
    };
    static constexpr int kPoseBufferSize = 50;

    //! The instance, created and started on the first call.
    static TrackerThread* getInstance();
    static bool hasInstance();
    //! Stops the thread, waits for it to end and deletes the instance.
    static void destroyInstance();

    ~TrackerThread() override;

    bool isButtonPressed(int index) const;
    void getHeadPose(vexel::common::Matrix4& pose) const;
    void getStylusPose(vexel::common::Matrix4& pose) const;
    void getStylusMatrix(MMatrix& matrix) const;
    bool isStylusEnabled() const { return stylusEnabled_.load(kRelaxed); }
    bool isHeadEnabled() const { return headEnabled_.load(kRelaxed); }
    bool isMouseMode() const { return inputMode_.load(kRelaxed) == kMouseMode; }
    bool isShiftHeld() const { return (inputFlags_.load(kRelaxed) & kShiftHeld) != 0; }
    bool isStylusPointerOnly() const;
    unsigned getInputFlags() const { return inputFlags_.load(kRelaxed); }

    int getDisplayIndex() const { return displayIndex_.load(kRelaxed); }
    const vexel::common::DisplayRecord* getDisplay(int index) const;
    static vexel::common::Matrix4 getTrackerToCameraSpaceTransform(
        const vexel::common::DisplayRecord* display);
    void getViewportRect(int& x, int& y, int& width, int& height) const;
    vexel::common::Vector3 getViewportOffset() const;
    vexel::common::Vector3 getDisplayVector() const;
    bool isViewChanged() const { return viewChanged_.load(kRelaxed); }
    void clearViewChanged() { viewChanged_.store(false, kRelaxed); }
    bool isActiveViewStereo() const { return activeViewIsStereo_; }

    void setCursorNudgeOff(bool off) { cursorNudgeOff_.store(off, kRelaxed); }
    void setEmulationActive(bool active);
    void setMouseEmulation(bool on) { mouseEmulation_.store(on, kRelaxed); }
    bool getMouseEmulation() const { return mouseEmulation_.load(kRelaxed); }
    void setNearThreshold(double threshold);
    double getNearThreshold() const;

    //! One entry per key: adding replaces an entry with the same key.
    void addMessageListener(WindowMessageListener key, void* context);
    void removeMessageListener(WindowMessageListener key);

    void addDeviceNode(VexelDeviceNode* node);
    void removeDeviceNode(VexelDeviceNode* node);
    //! Sets "triggerUpdate" on every registered device node so that its
    //! outputs re-evaluate.
    void triggerUpdate();

    //! The index into `records` (newest first) of the pose at least `lookBack`
    //! seconds older than the newest one, the oldest when none is that old,
    //! and -1 when there are no records.
    static int findPoseIndexByAge(const vexel::tracker::PoseData* records, int count,
                                  double lookBack);
    //! The rate (Hz) at which `records` (newest first) were sampled: the inverse
    //! of their median interval; 0 when fewer than two distinct times.
    static double estimateSampleRate(const vexel::tracker::PoseData* records, int count);

    // Called from the subclassed view window and the keyboard hook (main thread).
    void onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onKeyboardHook(int code, WPARAM wParam, LPARAM lParam);

protected:
    //! Builds the state and registers the idle callback; does not start the
    //! thread. Only getInstance creates the process's tracking state; test
    //! drivers derive to run the poll steps on their own thread.
    TrackerThread();

    void run() override;

    // The thread function in steps, so that a driver can run single polls.
    void beginPolling();
    void pollOnce();
    void endPolling();

    //! The idle work of the main thread.
    void onIdle();

    //! The zoom watch: true once the focal distance has settled after a change,
    //! when the stereo view's apparent size is to be fixed.
    bool noteFocalDistance(double focalDistance);

private:
    static constexpr std::memory_order kRelaxed = std::memory_order_relaxed;

    void readStylus();
    void applyFilterSettings();
    void applyOneEuroSettings(const VcOneEuroFilter::Parameters& parameters);
    void chooseInputMode();
    void buildPointerModePose();
    void swapPoseBuffers();
    void stylusPoseByAge(double lookBack, vexel::common::Matrix4& pose);
    const vexel::common::Matrix4& frontStylusPose() const { return *stylusFront_; }

    void emulateMouse();
    void updatePointerRole(double nearThreshold);
    void applyNavigationChords();
    void sendButtonEvents();
    void sendCursorMove();
    void sendPointerEvent(DWORD flags, LONG dx, LONG dy);

    void updateViewState();
    void switchToolsIfStereoChanged();
    void watchZoom();
    double readFocalDistance() const;
    void fixZoom();

    static void idleCallback(void* clientData);

    // Registered device nodes (main thread only).
    std::vector<VexelDeviceNode*> deviceNodes_;

    vexel::tracker::TrackerSystem* trackerSystem_ = nullptr;
    vexel::tracker::TrackerTarget* headTarget_ = nullptr;
    vexel::tracker::ButtonCapability* buttonCapability_ = nullptr;

    // Double buffers: the poll writes the back pose and swaps the pointers under
    // the buffer's mutex; readers copy the front pose under the same mutex.
    vexel::common::Matrix4 headPoses_[2];
    vexel::common::Matrix4* headFront_ = &headPoses_[0];
    vexel::common::Matrix4* headBack_ = &headPoses_[1];
    HANDLE headMutex_ = nullptr;
    vexel::common::Matrix4 stylusPoses_[2];
    vexel::common::Matrix4* stylusFront_ = &stylusPoses_[0];
    vexel::common::Matrix4* stylusBack_ = &stylusPoses_[1];
    HANDLE stylusMutex_ = nullptr;

    // The arrays are made before the count is published, so a reader that sees
    // a count sees the arrays.
    std::atomic<int> buttonCount_{0};
    std::unique_ptr<std::atomic<bool>[]> buttons_;
    std::unique_ptr<bool[]> previousButtons_;

    vexel::common::Matrix4 stylusReferencePose_;
    std::atomic<bool> stylusPoseValid_{false};

    std::atomic<std::int32_t> stylusInScene_{1};
    std::atomic<bool> insideView_{false};
    std::atomic<bool> wasInsideView_{false};
    std::atomic<bool> emulationActive_{false};
    std::atomic<bool> cursorFollowsStylus_{true};

    double nearThreshold_ = static_cast<double>(0.1f);
    HANDLE thresholdMutex_ = nullptr;

    vexel::tracker::IntersectionInfo intersection_{};

    INPUT pointerEvent_{};
    int lastInsideAbsoluteX_ = 0;
    int lastInsideAbsoluteY_ = 0;

    vexel::common::DisplayInfo* displayInfo_ = nullptr;

    // Active view geometry, written by the idle callback.
    std::atomic<int> displayIndex_{-1};
    std::atomic<float> viewWidthMetres_{0.0f};
    std::atomic<float> viewHeightMetres_{0.0f};
    std::atomic<float> displayVector_[3] = {{0.0f}, {-0.3f}, {-0.3f}};
    std::atomic<float> viewportOffset_[3] = {{0.0f}, {0.0f}, {0.0f}};
    std::atomic<int> viewportX_{0};
    std::atomic<int> viewportY_{0};
    std::atomic<int> viewportWidth_{0};
    std::atomic<int> viewportHeight_{0};
    std::atomic<int> screenX_{0};
    std::atomic<int> screenY_{0};

    std::atomic<bool> viewChanged_{false};
    bool hasActiveWindow_ = false;
    bool activeViewIsStereo_ = false;
    bool previousActiveViewIsStereo_ = false;
    std::atomic<bool> stylusEnabled_{false};
    std::atomic<bool> headEnabled_{false};
    std::atomic<bool> cursorNudgeOff_{true};
    std::atomic<bool> mouseEmulation_{true};

    // Guarded by the stylus mutex: getStylusPose hands it out in mouse mode.
    vexel::common::Matrix4 pointerModePose_;

    std::atomic<int> inputMode_{kStylusMode};

    // The zoom watch (main thread only).
    bool zoomWatching_ = false;
    int zoomCounter_ = 0;
    double lastZoomValue_ = -1.0;

    std::atomic<unsigned> inputFlags_{0};

    vexel::tracker::TrackerTarget* stylusTarget_ = nullptr;
    vexel::tracker::PoseData poseBuffer_[kPoseBufferSize];

    vexel::common::Timer timer_;
    double pollTime_ = 0.0;
    double pressTime_ = 0.0;
    const double clickWindow_ = 0.2;
    const double pressLookBack_ = 0.18;
    const double releaseLookBack_ = 0.0;

    vexel::common::Matrix4 pressPose_;
    vexel::common::Matrix4 releasePose_;

    POINT cursor_{0, 0};
    POINT lastCursor_{0, 0};
    float mouseModeDepth_ = 0.0f;

    MCallbackId idleCallbackId_ = 0;
    MCallbackId secondCallbackId_ = 0;

    VcStylusFilter* filter_ = nullptr;
    double appliedCutoff_ = 33.0;
    bool appliedFilterEnabled_ = true;
    VcOneEuroFilter::Parameters appliedOneEuro_;

    std::vector<std::pair<WindowMessageListener, void*>> messageListeners_;
    HANDLE deadEvent_ = nullptr;
};
