// The NURBS primitives of Maya's `circle`, `nurbsPlane` and `nurbsSphere` commands.
//
// Each options struct holds the command's flags with Maya's defaults; the builder validates them
// and returns the geometry or the message for the command's error. Every primitive is first
// built around the local Z axis and then turned onto its normal or axis by the shortest rotation
// that takes Z there, which is what puts Maya's default Y-axis primitives where they are (a
// plane's v runs along -Z, a circle with normal Y starts at -Z).
#pragma once

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsCurve.h"
#include "NurbsSurface.h"
#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! `circle` flags (not modelled: -sweep, -useTolerance/-tolerance, -fixCenter off).
struct CircleOptions {
    MPoint center{0.0, 0.0, 0.0};       //!< -c
    MVector normal{0.0, 0.0, 1.0};      //!< -nr
    MVector firstPoint{1.0, 0.0, 0.0};  //!< -fp: with fixCenter on, the start direction
    double radius = 1.0;                //!< -r
    int degree = 3;                     //!< -d: 1 or 3
    int sections = 8;                   //!< -s
};

//! A periodic circle: degree 3 gives sections + 3 CVs (11 by default) on a circle of
//! radius * 3 / (2 + cos(360deg / sections)), so the curve meets the true circle at every knot
//! and stays within 0.2% of it between (8 sections); knots -2 -1 ... sections + 2, range 0 to
//! sections. Degree 1 gives sections + 1 CVs on the circle, knots 0 ... sections. CV 1 (the
//! curve's start, u = 0) sits 90 degrees from the first-point direction, counter-clockwise
//! about the normal, as Maya places it.
NurbsResult<NurbsCurve> makeCircle(const CircleOptions& options);

//! `nurbsPlane` flags.
struct PlaneOptions {
    MPoint pivot{0.0, 0.0, 0.0};  //!< -p: the plane's centre
    MVector axis{0.0, 1.0, 0.0};  //!< -ax: the normal
    double width = 1.0;           //!< -w: size along u
    double lengthRatio = 1.0;     //!< -lr: size along v, relative to the width
    int patchesU = 1;             //!< -u
    int patchesV = 1;             //!< -v
    int degree = 3;               //!< -d: 1, 2, 3, 5 or 7
};

//! An open plane: (patches + degree) CVs per direction, evenly spread in parameter (the CVs sit
//! at the knots' averages, so the surface is linear in u and v), knots 0 ... 1 with multiple end
//! knots (1 patch of degree 3: 0 0 0 1 1 1, CVs at -0.5, -1/6, 1/6, 0.5 of the width). The
//! normal du x dv points along the axis.
NurbsResult<NurbsSurface> makePlane(const PlaneOptions& options);

//! `nurbsSphere` flags (not modelled: -startSweep/-endSweep, -heightRatio, -useTolerance).
struct SphereOptions {
    MPoint pivot{0.0, 0.0, 0.0};  //!< -p: the centre
    MVector axis{0.0, 1.0, 0.0};  //!< -ax: through the poles
    double radius = 1.0;          //!< -r
    int sections = 8;             //!< -s: around the axis (v)
    int spans = 4;                //!< -nsp: pole to pole (u)
    int degree = 3;               //!< -d: 1 or 3
};

//! A sphere: u runs open from the pole at -axis to the pole at +axis (spans + 3 CVs, knots
//! 0 0 0 1 ... spans spans spans), v periodic around the axis (sections + 3 CVs, knots
//! -2 ... sections + 2) starting at local +X: 7 x 11 CVs by default. Its points at the knots lie
//! on the sphere; the normal points outwards. Degree 1 puts the CVs on the sphere.
NurbsResult<NurbsSurface> makeSphere(const SphereOptions& options);

}  // namespace nurbs
}  // namespace mayasim
