// Curves through given points: the global interpolation behind `curve -ep` and the primitives.
#pragma once

#include <vector>

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsCurve.h"
#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! The parameters interpolation gives `points`: 0, 1, 2 ... (uniform) or the running distance
//! along them (chord length).
std::vector<double> pointParameters(const std::vector<MPoint>& points,
                                    Parameterization parameterization);

//! The curve through `points` described at curveFromEditPoints (NurbsCurveCreate.h). Fails when
//! fewer than two points are given or two consecutive points coincide.
NurbsResult<NurbsCurve> interpolateEditPoints(const std::vector<MPoint>& points, int degree,
                                              Parameterization parameterization);

//! The cubic through `points` at `params` (multiple end knots) whose first derivatives at its two
//! ends are the given vectors: n points give n + 2 CVs. For building primitives whose end
//! tangents are known exactly.
NurbsResult<NurbsCurve> interpolateCubicWithEndDerivatives(const std::vector<MPoint>& points,
                                                           const std::vector<double>& params,
                                                           const MVector& startDerivative,
                                                           const MVector& endDerivative);

}  // namespace nurbs
}  // namespace mayasim
