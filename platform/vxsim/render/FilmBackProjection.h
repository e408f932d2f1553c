#pragma once
// The projection of a Maya camera: its film back, lens and clipping planes fitted to the
// view's aspect ratio, as the viewport draws through it.

#include <maya/MFnCamera.h>

namespace vxsim::render {

//! A camera shape's film back and lens; defaults are those of a new Maya camera.
struct FilmBack {
    double horizontalAperture = 1.41732;  // inches
    double verticalAperture = 0.94488;    // inches
    double horizontalOffset = 0.0;        // inches, positive moves the film right
    double verticalOffset = 0.0;          // inches, positive moves the film up
    double focalLength = 35.0;            // millimetres
    MFnCamera::FilmFit filmFit = MFnCamera::kFillFilmFit;
    double nearClip = 0.1;
    double farClip = 10000.0;
    bool orthographic = false;
    double orthographicWidth = 30.0;
};

//! The view volume in eye space, with the extents at the near plane as glFrustum takes
//! them (or the box glOrtho takes for orthographic cameras).
struct Frustum {
    double left = -1.0;
    double right = 1.0;
    double bottom = -1.0;
    double top = 1.0;
    double nearClip = 0.1;
    double farClip = 10000.0;
    bool orthographic = false;
};

FilmBack filmBackOf(const MFnCamera& camera);

//! Fits the film to a view of `viewAspect` (width / height). Fill shows the film's full
//! width when the view is wider than the film and its full height otherwise, so the film
//! always covers the view; horizontal and vertical fix one extent; overscan shows all of it.
Frustum frustumOf(const FilmBack& film, double viewAspect);

//! Multiplies the current OpenGL matrix by the frustum's projection.
void applyProjection(const Frustum& frustum);

}  // namespace vxsim::render
