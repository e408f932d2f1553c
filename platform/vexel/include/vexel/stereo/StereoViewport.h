// A region of a stereo window with its own stereo frustum.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/ReferenceObject.h>

namespace vexel {
namespace stereo {

class StereoFrustum;
class StereoWindow;

//! A rectangle inside a StereoWindow, rendered with the off-axis projection of
//! its StereoFrustum. Either it follows the window's size (setUsingWindowSize)
//! or it has its own rectangle relative to the window's top-left pixel
//! (setViewport); initially the latter, with an empty rectangle at (0, 0).
//!
//! Reference counted: create() hands out one reference; a window it is added
//! to holds another. Not thread-safe: use from one thread.
class VXSTEREO_API StereoViewport : public common::ReferenceObject {
public:
    static StereoViewport* create();

    virtual void setUsingWindowSize(bool usingWindowSize) = 0;
    virtual bool isUsingWindowSize() const = 0;
    //! The viewport's own rectangle: (x, y) from the window's top-left pixel,
    //! size w x h pixels (negative sizes are taken as 0).
    virtual void setViewport(int x, int y, int w, int h) = 0;

    //! The rectangle in desktop pixels, as the window currently places it (a
    //! viewport in no window is placed as if its window were at (0, 0)).
    virtual void getDesktopRect(int& x, int& y, int& w, int& h) const = 0;
    //! The window holding the viewport, or nullptr. Borrowed.
    virtual StereoWindow* getStereoWindow() const = 0;
    //! The eye mask it was added with (0 while in no window).
    virtual unsigned getEyeMask() const = 0;

    //! The viewport's frustum, owned by the viewport and valid while it lives.
    virtual StereoFrustum* getStereoFrustum() = 0;

protected:
    StereoViewport() = default;
    ~StereoViewport() override = default;
};

}  // namespace stereo
}  // namespace vexel
