#include <vexel/common/DisplayInfo.h>

#include <vexel/common/Math.h>
#include <vxhost/VexelHost.h>

#include <cmath>
#include <utility>

namespace vexel {
namespace common {

DisplayInfo* DisplayInfo::create() {
    return new DisplayInfo(vxhost::displays());
}

DisplayInfo::DisplayInfo(std::vector<DisplayRecord> displays) : displays_(std::move(displays)) {}

DisplayInfo::~DisplayInfo() = default;

int DisplayInfo::getNumDisplays() const {
    return static_cast<int>(displays_.size());
}

const DisplayRecord* DisplayInfo::getDisplay(int index) const {
    if (index < 0 || index >= getNumDisplays()) {
        return nullptr;
    }
    return &displays_[static_cast<std::size_t>(index)];
}

int DisplayInfo::getDisplayIndex(int x, int y) const {
    for (int i = 0; i < getNumDisplays(); ++i) {
        const DisplayRecord& d = displays_[static_cast<std::size_t>(i)];
        if (x >= d.desktopX && x < d.desktopX + d.pixelWidth && y >= d.desktopY &&
            y < d.desktopY + d.pixelHeight) {
            return i;
        }
    }
    return -1;
}

Matrix4 DisplayInfo::getTrackerToCameraSpaceTransform(const DisplayRecord* display) {
    if (display == nullptr) {
        return Matrix4::IDENTITY;
    }
    const float tilt = display->tiltDegrees * Math::fDeg2Rad;
    const float c = std::cos(tilt);
    const float s = std::sin(tilt);
    // Rows: the screen's right, up-along-the-screen and towards-the-user axes.
    return Matrix4(1.0f, 0.0f, 0.0f, 0.0f,  //
                   0.0f, c, -s, 0.0f,       //
                   0.0f, s, c, 0.0f,        //
                   0.0f, 0.0f, 0.0f, 1.0f);
}

Vector3 DisplayInfo::getViewportOffset(const DisplayRecord* display, int x, int y, int w, int h) {
    if (display == nullptr || display->pixelWidth <= 0 || display->pixelHeight <= 0) {
        return Vector3::ZERO;
    }
    // Viewport centre as a fraction of the display, 0 at the left / top edge.
    const float fx = (static_cast<float>(x - display->desktopX) + 0.5f * static_cast<float>(w)) /
                     static_cast<float>(display->pixelWidth);
    const float fy = (static_cast<float>(y - display->desktopY) + 0.5f * static_cast<float>(h)) /
                     static_cast<float>(display->pixelHeight);
    const float right = (fx - 0.5f) * display->physicalWidth;
    const float up = (0.5f - fy) * display->physicalHeight;
    const Matrix4 toCamera = getTrackerToCameraSpaceTransform(display);
    const Vector3 rightAxis(toCamera[0][0], toCamera[0][1], toCamera[0][2]);
    const Vector3 upAxis(toCamera[1][0], toCamera[1][1], toCamera[1][2]);
    return rightAxis * right + upAxis * up;
}

}  // namespace common
}  // namespace vexel
