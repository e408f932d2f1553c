#pragma once
// The projection of a camera shape through its film back: aperture, film offset, focal
// length, film fit and overscan, for a view of a given aspect ratio.

#include <maya/MMatrix.h>

namespace mayasim {

class Node;

struct FilmBack {
    double horizontalAperture = 1.41732;  // inches
    double verticalAperture = 0.94488;
    double horizontalOffset = 0.0;  // inches
    double verticalOffset = 0.0;
    double focalLength = 35.0;  // millimetres
    int filmFit = 0;            // fill, horizontal, vertical, overscan
    double overscan = 1.0;
    double nearClip = 0.1;
    double farClip = 10000.0;
    bool orthographic = false;
    double orthographicWidth = 30.0;
};

FilmBack filmBackOf(Node& camera);
// Row-vector (Maya) form of the OpenGL projection: eye space -> clip space.
MMatrix projectionOf(const FilmBack& film, double viewAspect);

}  // namespace mayasim
