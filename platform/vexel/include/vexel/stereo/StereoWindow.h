// A desktop window that shows stereo content.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/ReferenceObject.h>

namespace vexel {
namespace stereo {

class StereoViewport;

//! A rectangle of the virtual desktop (pixels: x right, y down, see
//! common/DisplayInfo.h) that renders stereo, holding an ordered list of
//! viewports. Keep it in step with the application's window with move() and
//! resize().
//!
//! Reference counted: create() hands out one reference. The window holds a
//! reference to each viewport added to it and drops them when it dies.
//! Stereo objects are not thread-safe: use them from one thread.
class VXSTEREO_API StereoWindow : public common::ReferenceObject {
public:
    //! A window whose top-left pixel is (x, y) and size w x h pixels. Negative
    //! sizes are taken as 0.
    static StereoWindow* create(int x, int y, int w, int h);

    virtual void move(int x, int y) = 0;
    virtual void resize(int w, int h) = 0;
    virtual int getX() const = 0;
    virtual int getY() const = 0;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;

    //! Inserts `viewport` at position `index` of the list (-1 or any index past
    //! the end appends). `eyeMask` selects the eyes the viewport renders: bit 0
    //! left, bit 1 right; other bits are reserved (pass ~0u for all). Returns
    //! false, changing nothing, for a null viewport or one already in a window.
    virtual bool addStereoViewport(StereoViewport* viewport, int index, unsigned eyeMask) = 0;
    virtual int getNumStereoViewports() const = 0;
    //! The viewport at `index`, or nullptr. Borrowed.
    virtual StereoViewport* getStereoViewport(int index) const = 0;

protected:
    StereoWindow() = default;
    ~StereoWindow() override = default;
};

}  // namespace stereo
}  // namespace vexel
