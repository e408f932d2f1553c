#include <vexel/tracker/TrackerDisplayIntersection.h>

#include <vexel/common/DisplayInfo.h>
#include <vexel/common/Math.h>
#include <vxhost/VexelHost.h>

#include "tracker/HostTracker.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>

namespace vexel {
namespace tracker {

using common::DisplayRecord;
using common::Matrix4;
using common::Vector3;

namespace {

struct IntersectableDisplays {
    std::mutex mutex;
    std::set<int> ids;
};

IntersectableDisplays& intersectables() {
    static IntersectableDisplays displays;
    return displays;
}

//! A display's surface: its centre and the camera-space axes in tracker space.
struct Screen {
    Vector3 centre;
    Vector3 right;
    Vector3 up;
    Vector3 normal;

    explicit Screen(const DisplayRecord& d) : centre(d.displayVector) {
        const Matrix4 r = common::DisplayInfo::getTrackerToCameraSpaceTransform(&d);
        right = Vector3(r[0][0], r[0][1], r[0][2]);
        up = Vector3(r[1][0], r[1][1], r[1][2]);
        normal = Vector3(r[2][0], r[2][1], r[2][2]);
    }
};

int pixelAlong(float offset, float extent, int pixels) {
    const int pixel = static_cast<int>(std::floor((offset / extent + 0.5f) * pixels));
    return std::clamp(pixel, 0, pixels - 1);
}

//! Maps a pixel to 0..65535 over the desktop span, rounding to nearest so
//! that the inverse mapping (abs * (span - 1) / 65535, rounded) returns it.
int absoluteUnits(int pixelFromEdge, int span) {
    if (span <= 1) {
        return 0;
    }
    const long long scaled = static_cast<long long>(pixelFromEdge) * 65535;
    return static_cast<int>((scaled + (span - 1) / 2) / (span - 1));
}

bool isIntersectable(int id) {
    IntersectableDisplays& displays = intersectables();
    std::lock_guard<std::mutex> guard(displays.mutex);
    return displays.ids.count(id) != 0;
}

}  // namespace

bool TrackerDisplayIntersection::intersect(const Matrix4& pose, IntersectionInfo& info) {
    DisplayRecord displays[vxhost::kMaxDisplays];
    const int count = vxhost::copyDisplays(displays, vxhost::kMaxDisplays);

    const common::Ray ray(pose.getTrans(), -Vector3(pose[0][2], pose[1][2], pose[2][2]));
    int bestDisplay = -1;
    float bestDistance = 0.0f;
    int bestX = -1;
    int bestY = -1;
    for (int i = 0; i < count; ++i) {
        const DisplayRecord& d = displays[i];
        if (!isIntersectable(d.id)) {
            continue;
        }
        const Screen screen(d);
        const auto hit = common::Math::intersects(ray, common::Plane(screen.normal, screen.centre));
        if (!hit.first || (bestDisplay >= 0 && hit.second >= bestDistance)) {
            continue;
        }
        const Vector3 local = ray.getPoint(hit.second) - screen.centre;
        const float alongRight = local.dotProduct(screen.right);
        const float alongUp = local.dotProduct(screen.up);
        if (std::fabs(alongRight) > 0.5f * d.physicalWidth ||
            std::fabs(alongUp) > 0.5f * d.physicalHeight) {
            continue;
        }
        bestDisplay = i;
        bestDistance = hit.second;
        bestX = d.desktopX + pixelAlong(alongRight, d.physicalWidth, d.pixelWidth);
        bestY = d.desktopY + pixelAlong(-alongUp, d.physicalHeight, d.pixelHeight);
    }

    info = IntersectionInfo{};
    if (bestDisplay < 0) {
        return false;
    }
    int left = displays[0].desktopX, top = displays[0].desktopY;
    int rightEdge = left + displays[0].pixelWidth, bottom = top + displays[0].pixelHeight;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, displays[i].desktopX);
        top = std::min(top, displays[i].desktopY);
        rightEdge = std::max(rightEdge, displays[i].desktopX + displays[i].pixelWidth);
        bottom = std::max(bottom, displays[i].desktopY + displays[i].pixelHeight);
    }
    info.display = bestDisplay;
    info.x = bestX;
    info.y = bestY;
    info.absoluteX = absoluteUnits(bestX - left, rightEdge - left);
    info.absoluteY = absoluteUnits(bestY - top, bottom - top);
    info.distance = bestDistance;
    return true;
}

void TrackerDisplayIntersection::setDisplayIntersectable(int displayId, bool intersectable) {
    IntersectableDisplays& displays = intersectables();
    std::lock_guard<std::mutex> guard(displays.mutex);
    if (intersectable) {
        displays.ids.insert(displayId);
    } else {
        displays.ids.erase(displayId);
    }
}

bool TrackerDisplayIntersection::isDisplayIntersectable(int displayId) {
    return isIntersectable(displayId);
}

void detail::clearIntersectableDisplays() {
    IntersectableDisplays& displays = intersectables();
    std::lock_guard<std::mutex> guard(displays.mutex);
    displays.ids.clear();
}

}  // namespace tracker
}  // namespace vexel

namespace vxhost {

using vexel::common::DisplayRecord;
using vexel::common::Matrix4;
using vexel::common::Vector3;

bool stylusPoseAtPixel(int x, int y, float distance, Matrix4& pose) {
    DisplayRecord displays[kMaxDisplays];
    const int count = copyDisplays(displays, kMaxDisplays);
    for (int i = 0; i < count; ++i) {
        const DisplayRecord& d = displays[i];
        if (x < d.desktopX || x >= d.desktopX + d.pixelWidth || y < d.desktopY ||
            y >= d.desktopY + d.pixelHeight) {
            continue;
        }
        const vexel::tracker::Screen screen(d);
        // The pixel's centre, as fractions of the display from its top-left corner.
        const float fx = (static_cast<float>(x - d.desktopX) + 0.5f) / d.pixelWidth;
        const float fy = (static_cast<float>(y - d.desktopY) + 0.5f) / d.pixelHeight;
        const Vector3 point = screen.centre + screen.right * ((fx - 0.5f) * d.physicalWidth) +
                              screen.up * ((0.5f - fy) * d.physicalHeight);
        vexel::common::Matrix3 axes;
        axes.SetColumn(0, screen.right);
        axes.SetColumn(1, screen.up);
        axes.SetColumn(2, screen.normal);
        pose = Matrix4(axes, point + screen.normal * distance);
        return true;
    }
    return false;
}

}  // namespace vxhost
