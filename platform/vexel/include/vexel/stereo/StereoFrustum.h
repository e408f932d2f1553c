// Head-tracked, off-axis stereo geometry of one viewport.
#pragma once

#include <vexel/common/Export.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/Vector3.h>

namespace vexel {
namespace stereo {

//! Eyes, as passed to StereoFrustum::getEyePosition() and getViewMatrix().
enum Eye { kEyeLeft = 0, kEyeRight = 1, kEyeCenter = 2 };

//! Length units of the setters. Everything returned is in metres.
enum Unit { kUnitMetres = 0, kUnitCentimetres = 1, kUnitMillimetres = 2, kUnitInches = 3 };

//! The eyes of a tracked viewer relative to one viewport's rectangle on its
//! display, for off-axis projection. Spaces and axes as in common/DisplayInfo.h;
//! R below is the display's tracker-to-camera rotation, and the display is the
//! one under the viewport's centre pixel (the first display when none is;
//! with no display at all, R is the identity and the screen centre the origin).
//!
//! Eyes: with head pose H (tracker space), the left eye sits at
//!   e_left  = H.translation - (ipd / 2 * level) * H.x_axis
//! and the right eye at + (ipd / 2 * level) * H.x_axis; the center eye, and both
//! eyes at level 0, at H.translation.
//!
//! Owned by its StereoViewport (StereoViewport::getStereoFrustum()); not
//! reference counted. Not thread-safe: use from one thread. Defaults: identity
//! head pose, interpupillary distance 0.06 m, stereo level 1.
class VXSTEREO_API StereoFrustum {
public:
    //! The head pose, head space to tracker space; its translation in `unit`.
    virtual void setHeadPose(const common::Matrix4& headPose, int unit = kUnitMetres) = 0;
    //! The head pose, translation in metres.
    virtual common::Matrix4 getHeadPose() const = 0;
    //! Distance between the eyes (negative values are taken as 0).
    virtual void setInterPupillaryDistance(float distance, int unit = kUnitMetres) = 0;
    //! In metres.
    virtual float getInterPupillaryDistance() const = 0;
    //! Scales the eye separation: 0 puts both eyes at the head, 1 gives the
    //! natural separation (negative values are taken as 0).
    virtual void setStereoLevel(float level) = 0;
    virtual float getStereoLevel() const = 0;

    //! The eye relative to the viewport centre on the screen surface, in camera
    //! space axes, metres: R * (e - (display vector + viewport offset)). x and
    //! y are the eye's sideways and vertical offset from the viewport centre, z
    //! its distance from the screen plane (positive in front of the screen).
    //! Unknown eye values give the center eye.
    virtual common::Vector3 getEyePosition(int eye) const = 0;

    //! The view matrix of an eye: the translation by -(R * (e - viewport
    //! offset)), identity rotation. It maps camera space to the eye's space, so
    //! the negated translation is the eye relative to the nominal viewing
    //! position, in camera space axes, with the viewport moved to the display's
    //! centre: a rig built from these sees every viewport as if it stood
    //! straight ahead of the nominal viewing position, which is also where
    //! tracker-space poses land once the viewport offset is subtracted from
    //! them. Unknown eye values give the center eye.
    virtual common::Matrix4 getViewMatrix(int eye) const = 0;

protected:
    StereoFrustum() = default;
    virtual ~StereoFrustum() = default;
    StereoFrustum(const StereoFrustum&) = delete;
    StereoFrustum& operator=(const StereoFrustum&) = delete;
};

}  // namespace stereo
}  // namespace vexel
