#include "dg/CameraProjection.h"

#include "dg/Graph.h"
#include "dg/Node.h"

namespace mayasim {

namespace {

constexpr double kMillimetresPerInch = 25.4;

double number(Node& node, const char* name, double fallback) {
    const Attribute* attr = node.findAttribute(name);
    return attr ? pull(node, {attr, -1}).get() : fallback;
}

// The film extents the view shows, in inches, after the film fit.
void fittedExtents(const FilmBack& film, double viewAspect, double& width, double& height) {
    const double filmAspect = film.horizontalAperture / film.verticalAperture;
    bool horizontal = true;
    switch (film.filmFit) {
        case 1:
            horizontal = true;
            break;
        case 2:
            horizontal = false;
            break;
        case 3:
            horizontal = viewAspect < filmAspect;
            break;
        default:
            horizontal = viewAspect > filmAspect;
            break;
    }
    if (horizontal) {
        width = film.horizontalAperture;
        height = width / viewAspect;
    } else {
        height = film.verticalAperture;
        width = height * viewAspect;
    }
    width *= film.overscan;
    height *= film.overscan;
}

}  // namespace

FilmBack filmBackOf(Node& camera) {
    FilmBack film;
    film.horizontalAperture = number(camera, "hfa", film.horizontalAperture);
    film.verticalAperture = number(camera, "vfa", film.verticalAperture);
    film.horizontalOffset = number(camera, "hfo", 0.0);
    film.verticalOffset = number(camera, "vfo", 0.0);
    film.focalLength = number(camera, "fl", film.focalLength);
    film.filmFit = static_cast<int>(number(camera, "ff", 0.0));
    film.overscan = number(camera, "ovr", 1.0);
    film.nearClip = number(camera, "ncp", film.nearClip);
    film.farClip = number(camera, "fcp", film.farClip);
    film.orthographic = number(camera, "o", 0.0) != 0.0;
    film.orthographicWidth = number(camera, "ow", film.orthographicWidth);
    return film;
}

MMatrix projectionOf(const FilmBack& film, double viewAspect) {
    if (viewAspect <= 0.0)
        viewAspect = film.horizontalAperture / film.verticalAperture;
    const double n = film.nearClip;
    const double f = film.farClip;
    double l = 0, r = 0, b = 0, t = 0;
    if (film.orthographic) {
        r = film.orthographicWidth / 2.0;
        l = -r;
        t = r / viewAspect;
        b = -t;
    } else {
        double width = 0, height = 0;
        fittedExtents(film, viewAspect, width, height);
        const double toNear = n * kMillimetresPerInch / film.focalLength;
        l = (-width / 2.0 + film.horizontalOffset) * toNear;
        r = (width / 2.0 + film.horizontalOffset) * toNear;
        b = (-height / 2.0 + film.verticalOffset) * toNear;
        t = (height / 2.0 + film.verticalOffset) * toNear;
    }
    MMatrix p;
    p.setToIdentity();
    if (film.orthographic) {
        p[0][0] = 2.0 / (r - l);
        p[1][1] = 2.0 / (t - b);
        p[2][2] = -2.0 / (f - n);
        p[3][0] = -(r + l) / (r - l);
        p[3][1] = -(t + b) / (t - b);
        p[3][2] = -(f + n) / (f - n);
        return p;
    }
    p[0][0] = 2.0 * n / (r - l);
    p[1][1] = 2.0 * n / (t - b);
    p[2][0] = (r + l) / (r - l);
    p[2][1] = (t + b) / (t - b);
    p[2][2] = -(f + n) / (f - n);
    p[2][3] = -1.0;
    p[3][2] = -2.0 * f * n / (f - n);
    p[3][3] = 0.0;
    return p;
}

}  // namespace mayasim
