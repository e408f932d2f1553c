#include "FilmBackProjection.h"

#include <GL/gl.h>

namespace vxsim::render {

namespace {

constexpr double kMillimetresPerInch = 25.4;

bool fitsHorizontally(MFnCamera::FilmFit fit, double viewAspect, double filmAspect) {
    switch (fit) {
        case MFnCamera::kHorizontalFilmFit:
            return true;
        case MFnCamera::kVerticalFilmFit:
            return false;
        case MFnCamera::kOverscanFilmFit:
            return viewAspect < filmAspect;
        default:
            return viewAspect > filmAspect;
    }
}

}  // namespace

FilmBack filmBackOf(const MFnCamera& camera) {
    FilmBack film;
    film.horizontalAperture = camera.horizontalFilmAperture();
    film.verticalAperture = camera.verticalFilmAperture();
    film.horizontalOffset = camera.horizontalFilmOffset();
    film.verticalOffset = camera.verticalFilmOffset();
    film.focalLength = camera.focalLength();
    film.filmFit = camera.filmFit();
    film.nearClip = camera.nearClippingPlane();
    film.farClip = camera.farClippingPlane();
    film.orthographic = camera.isOrtho();
    film.orthographicWidth = camera.orthoWidth();
    return film;
}

Frustum frustumOf(const FilmBack& film, double viewAspect) {
    const double filmAspect = film.verticalAperture > 0.0
                                  ? film.horizontalAperture / film.verticalAperture
                                  : 1.0;
    if (viewAspect <= 0.0) viewAspect = filmAspect;

    // Extents of the visible film, and the film offset, in the units the frustum is built in:
    // inches on the film for perspective, scene units for orthographic cameras.
    double scale = 1.0;
    if (film.orthographic) {
        scale = film.horizontalAperture > 0.0 ? film.orthographicWidth / film.horizontalAperture
                                              : 1.0;
    }
    double width = 0.0;
    double height = 0.0;
    if (fitsHorizontally(film.filmFit, viewAspect, filmAspect)) {
        width = film.horizontalAperture;
        height = width / viewAspect;
    } else {
        height = film.verticalAperture;
        width = height * viewAspect;
    }

    Frustum frustum;
    frustum.nearClip = film.nearClip;
    frustum.farClip = film.farClip;
    frustum.orthographic = film.orthographic;
    // A perspective camera sees the film through a pinhole one focal length away: an extent
    // on the film maps to extent * near / focal length at the near plane.
    if (!film.orthographic) {
        const double focalLength = film.focalLength > 0.0 ? film.focalLength : FilmBack{}.focalLength;
        scale = film.nearClip * kMillimetresPerInch / focalLength;
    }
    frustum.left = (-width / 2.0 + film.horizontalOffset) * scale;
    frustum.right = (width / 2.0 + film.horizontalOffset) * scale;
    frustum.bottom = (-height / 2.0 + film.verticalOffset) * scale;
    frustum.top = (height / 2.0 + film.verticalOffset) * scale;
    return frustum;
}

void applyProjection(const Frustum& frustum) {
    if (frustum.orthographic) {
        glOrtho(frustum.left, frustum.right, frustum.bottom, frustum.top, frustum.nearClip,
                frustum.farClip);
    } else {
        glFrustum(frustum.left, frustum.right, frustum.bottom, frustum.top, frustum.nearClip,
                  frustum.farClip);
    }
}

}  // namespace vxsim::render
