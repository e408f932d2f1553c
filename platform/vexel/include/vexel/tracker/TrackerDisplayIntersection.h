// Where a tracked pointer meets the displays.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>

namespace vexel {
namespace tracker {

//! The result of TrackerDisplayIntersection::intersect().
struct IntersectionInfo {
    //! Index of the display hit (as in common::DisplayInfo), -1 for none.
    int display = -1;
    //! The desktop pixel hit; -1, -1 for none.
    int x = -1;
    int y = -1;
    //! The same point in absolute pointer units: 0 .. 65535 across the bounding
    //! box of all displays, as absolute pointer input on the virtual desktop
    //! expects: absoluteX = round((x - left) * 65535 / (desktop width - 1)),
    //! likewise for y (0 for a one-pixel-wide desktop). 0, 0 for none.
    int absoluteX = 0;
    int absoluteY = 0;
    //! Distance from the ray origin to the hit point, metres; 0 for none.
    float distance = 0.0f;
};

//! Intersection of a pointer pose with the displays.
class VXTRACKER_API TrackerDisplayIntersection {
public:
    //! Casts a ray from the pose's translation along the pose's -z axis (the
    //! third column of its rotation, negated) against every intersectable
    //! display and fills `info` with the nearest hit inside a screen rectangle.
    //! A ray parallel to a screen, pointing away from it or passing beside it
    //! misses; on a miss `info` holds the "none" values. Returns whether a
    //! display was hit. Reads the system's current displays; thread-safe.
    static bool intersect(const common::Matrix4& pose, IntersectionInfo& info);

    //! Makes the display with identifier `displayId` (DisplayRecord::id) take
    //! part in intersect() or not. Displays do not take part until enabled.
    static void setDisplayIntersectable(int displayId, bool intersectable);
    static bool isDisplayIntersectable(int displayId);

    TrackerDisplayIntersection() = delete;
};

}  // namespace tracker
}  // namespace vexel
