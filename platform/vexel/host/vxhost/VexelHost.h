// The simulated world behind the maker's libraries: displays, tracked devices
// and buttons, set by the host (vxsim) and by tests.
//
// Host-private: the plug-in never includes this. Display functions live in
// VXCommon, tracker functions in VXTracker. Every function is thread-safe:
// the host writes on its thread while a tracker thread polls.
#pragma once

#include <vexel/common/DisplayInfo.h>
#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vxhost {

// --- Displays (VXCommon) -----------------------------------------------------

//! The default display: one tracked-stereo display, id 0, at desktop (0, 0),
//! 1920 x 1080 pixels, 0.521 m x 0.293 m, centre (0, -0.3, -0.3), tilt 45.
VXCOMMON_API vexel::common::DisplayRecord defaultDisplay();

//! The most displays the system takes.
constexpr int kMaxDisplays = 8;

//! Replaces the displays. Rejects, changing nothing and describing the fault
//! in `error` (when given): an empty list, more than kMaxDisplays, non-positive
//! pixel or metre sizes, a tilt outside (-90, 90) degrees, duplicate ids or
//! overlapping desktop areas. DisplayInfo objects created earlier keep their
//! snapshot.
VXCOMMON_API bool setDisplays(const std::vector<vexel::common::DisplayRecord>& displays,
                              std::string* error = nullptr);
VXCOMMON_API std::vector<vexel::common::DisplayRecord> displays();
//! Copies up to `maxCount` current displays into `out` without allocating and
//! returns how many it copied.
VXCOMMON_API int copyDisplays(vexel::common::DisplayRecord* out, int maxCount);
//! Back to the single default display.
VXCOMMON_API void resetDisplays();

// --- Tracked devices (VXTracker) ---------------------------------------------

//! Target types, as in vexel::tracker::TargetType.
constexpr int kHead = 0;
constexpr int kStylus = 1;
//! The most buttons a stylus may have.
constexpr int kMaxButtons = 16;

//! Reports a new pose of the head / stylus (target space to tracker space,
//! metres), stamped with the host clock. `valid` false reports a sample in
//! which the tracker lost the device. Each sample is delivered to every
//! TrackerSystem at its next captureTargets(); at most the last 50 samples wait.
VXTRACKER_API void setHeadPose(const vexel::common::Matrix4& pose, bool valid = true);
VXTRACKER_API void setStylusPose(const vexel::common::Matrix4& pose, bool valid = true);

//! How a simulated device samples. A tracked device reports at its rate for as
//! long as it is tracked: every pose the host reports is one sample, and while
//! no new report comes the device repeats the last one every 1 / rate seconds,
//! so filters see every sample a real device would produce between two polls.
//! The pose history (TrackerTarget::kPoseBufferSize records) then spans
//! kPoseBufferSize / rate seconds: 0.42 s at the default rate.
struct DeviceSettings {
    //! Samples per second. 120 Hz is what desktop optical trackers commonly run at.
    double rate = 120.0;
    //! Standard deviation (metres) of the Gaussian noise added to each axis of
    //! every sample's position; the orientation stays exact.
    double positionNoise = 0.0;
    //! Seeds the noise; the same seed replays the same noise.
    std::uint32_t noiseSeed = 1;
};
constexpr double kMinDeviceRate = 1.0;
constexpr double kMaxDeviceRate = 2000.0;
constexpr double kMaxPositionNoise = 0.1;

//! Changes how a device samples. Rejects, changing nothing and describing the
//! fault in `error` (when given): an unknown type, a rate outside
//! [kMinDeviceRate, kMaxDeviceRate], a noise outside [0, kMaxPositionNoise].
//! Every accepted change restarts the noise sequence from its seed.
VXTRACKER_API bool setDeviceSettings(int type, const DeviceSettings& settings,
                                     std::string* error = nullptr);
//! The device's settings (the defaults for an unknown type).
VXTRACKER_API DeviceSettings deviceSettings(int type);

//! Connects or disconnects a device (both are connected initially). A target
//! already handed out stays, reporting itself disabled while disconnected.
//! Unknown types are ignored.
VXTRACKER_API void setTargetPresent(int type, bool present);
//! Whether a connected device is tracking (initially true).
VXTRACKER_API void setTargetEnabled(int type, bool enabled);

//! The stylus buttons: count and states, button 0 first (initially 3, all up).
//! Rejects more than kMaxButtons, changing nothing.
VXTRACKER_API bool setButtons(const std::vector<bool>& states);
VXTRACKER_API std::vector<bool> buttons();

//! Back to the initial tracker state: both devices connected and enabled at the
//! default settings, no pose reported yet, 3 buttons up, no display intersectable.
VXTRACKER_API void resetTracker();

//! A stylus pose `distance` metres in front of the screen whose ray meets the
//! centre of desktop pixel (x, y) head-on (its -z axis along the display's
//! inward normal, its x axis along the display's right axis). Returns false,
//! leaving `pose` alone, when no display shows that pixel.
VXTRACKER_API bool stylusPoseAtPixel(int x, int y, float distance, vexel::common::Matrix4& pose);

}  // namespace vxhost
