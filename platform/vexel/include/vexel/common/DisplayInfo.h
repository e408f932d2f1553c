// The displays attached to the system and the geometry that links the tracker to them.
//
// Coordinate conventions used throughout the libraries
// ----------------------------------------------------
// Tracker space: right-handed, metres, gravity-aligned. The origin is the
// nominal viewing position, where the user's head is when the head pose is the
// identity. +x points right, +y up, +z horizontally towards the user, so the
// displays are in front of the user along -z.
//
// Display geometry: each display is a flat rectangle whose centre lies at its
// display vector (tracker space; typically (0, -0.3, -0.3)). Its surface leans
// back from vertical by the tilt angle t (typically 45 degrees), so
//   right axis           r = (1, 0, 0)
//   up along the screen  u = (0, cos t, -sin t)
//   normal to the user   n = (0, sin t,  cos t).
//
// Camera space (display-aligned): origin at the nominal viewing position, axes
// +x = r, +y = u, +z = n. getTrackerToCameraSpaceTransform() is the rotation
// whose rows are r, u and n; with the typical display it maps the display
// vector (0, -0.3, -0.3) to (0, 0, -0.4243): the screen centre straight ahead.
//
// Desktop pixels: one virtual desktop holds every display; x grows right and y
// grows down, and each display covers the pixels from its desktop position to
// desktop position + resolution - 1. Pixel (0, 0) of a display is its top-left
// corner as the user sees it, at centre - r * width/2 + u * height/2.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/ReferenceObject.h>
#include <vexel/common/Vector3.h>

#include <vector>

namespace vexel {
namespace common {

//! One display as the system knows it. Plain data.
struct VXCOMMON_API DisplayRecord {
    //! Whether the display shows tracked stereo (has a tracker attached).
    bool isStereo = true;
    //! The system's identifier of the display (see
    //! TrackerDisplayIntersection::setDisplayIntersectable).
    int id = 0;
    //! Top-left corner on the virtual desktop, pixels.
    int desktopX = 0;
    int desktopY = 0;
    //! Resolution, pixels.
    int pixelWidth = 1920;
    int pixelHeight = 1080;
    //! Size of the visible area, metres.
    float physicalWidth = 0.521f;
    float physicalHeight = 0.293f;
    //! The screen centre in tracker space, metres.
    Vector3 displayVector{0.0f, -0.3f, -0.3f};
    //! Lean of the screen back from vertical, degrees.
    float tiltDegrees = 45.0f;
};

//! The list of displays, read once when the object is created (a later change
//! of the system's configuration needs a new DisplayInfo), plus the static
//! geometry helpers that relate tracker space, camera space and desktop pixels.
//!
//! Reference counted: create() hands out one reference; release it with
//! removeReference(). Records returned by getDisplay() live as long as the
//! DisplayInfo. Reading is thread-safe (the object never changes).
class VXCOMMON_API DisplayInfo : public ReferenceObject {
public:
    //! A snapshot of the displays the system has now.
    static DisplayInfo* create();

    int getNumDisplays() const;
    //! The record at `index` (0 .. getNumDisplays() - 1), or nullptr.
    const DisplayRecord* getDisplay(int index) const;
    //! The index of the display that shows desktop pixel (x, y), or -1.
    int getDisplayIndex(int x, int y) const;

    //! The rotation from tracker space to the display's camera space: rows r,
    //! u and n of the conventions above, zero translation. The identity for a
    //! null display.
    static Matrix4 getTrackerToCameraSpaceTransform(const DisplayRecord* display);

    //! The vector, in tracker space and metres, from the display's centre to
    //! the centre of a viewport on it, given the viewport's desktop pixels
    //! (x, y is its top-left pixel, w, h its size). Lies in the screen plane,
    //! so display vector + offset is the viewport centre in tracker space.
    //! ZERO for a null display.
    static Vector3 getViewportOffset(const DisplayRecord* display, int x, int y, int w, int h);

private:
    explicit DisplayInfo(std::vector<DisplayRecord> displays);
    ~DisplayInfo() override;

    std::vector<DisplayRecord> displays_;
};

}  // namespace common
}  // namespace vexel
