// Curves built the way Maya's `curve` and `nurbsCurveToBezier` commands build them.
//
// A `curve` command maps onto these as follows (the wrapper parses flags, converts units and
// reports a failure's message as the command's error, creating nothing):
//   curve -d D -p ...              curveFromCVs(cvs, D, false)
//   curve -d D -per 1 -p ...       curveFromCVs(cvs, D, true)       (last D CVs repeat the first)
//   curve -d D -p ... -k ...       curveFromCVsAndKnots(cvs, knots, D, periodic)
//   curve -bezier -d D -p ...      bezierCurveFromCVs(cvs, D)       (-k given:
//   curveFromCVsAndKnots) curve -d D -ep ...             curveFromEditPoints(points, D,
//   Parameterization::kChordLength) nurbsCurveToBezier             nurbsCurveToBezier(curve)
#pragma once

#include <vector>

#include <maya/MPoint.h>

#include "NurbsCurve.h"
#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! The knots `curve -p` uses without -k: `degree` equal knots at each end and unit steps between,
//! so the curve starts and ends on its end CVs (5 CVs of degree 3: 0 0 0 1 2 2 2).
std::vector<double> defaultKnots(int numCVs, int degree);

//! The knots of a uniform periodic curve: unit steps starting at 1 - degree, so the range starts
//! at 0 (11 CVs of degree 3: -2 -1 0 ... 10; the range is 0 to 8).
std::vector<double> periodicKnots(int numCVs, int degree);

//! Bezier-style knots: every value `degree` times (7 CVs of degree 3: 0 0 0 1 1 1 2 2 2), so
//! the curve is a chain of Bezier segments joined at every `degree`-th CV.
std::vector<double> bezierKnots(int numCVs, int degree);

//! `curve -p` without -k: default knots (periodic: uniform periodic knots, and the last `degree`
//! CVs must repeat the first). Fewer than degree + 1 CVs (2 * degree + 1 when periodic) fail,
//! as in Maya.
NurbsResult<NurbsCurve> curveFromCVs(std::vector<MPoint> cvs, int degree, bool periodic);

//! `curve -p ... -k ...`: the knots are checked for count (numCVs + degree - 1), order
//! (non-decreasing), multiplicity (at most `degree`) and, when periodic, a repeating spacing.
NurbsResult<NurbsCurve> curveFromCVsAndKnots(std::vector<MPoint> cvs, std::vector<double> knots,
                                             int degree, bool periodic);

//! `curve -bezier -p`: numCVs must be 1 + a multiple of `degree`; the knots are bezierKnots.
NurbsResult<NurbsCurve> bezierCurveFromCVs(std::vector<MPoint> cvs, int degree);

//! `curve -ep`: the curve of `degree` through the edit points, in order, one span between
//! consecutive points (numCVs = points + degree - 1), its knots the points' parameters
//! (chord length: the running distance along the points; uniform: 0, 1, 2 ...) with multiple
//! end knots. Interpolation leaves degree - 1 conditions free; they are chosen so the curve is
//! a single polynomial across the spans next to its ends (no jump of its degree-th derivative at
//! the first and last interior knots). With fewer than degree + 1 points the curve is the
//! lowest-degree polynomial through them: two points give a straight line with evenly spaced CVs.
//! At least two points are needed, and consecutive points may not coincide.
NurbsResult<NurbsCurve> curveFromEditPoints(const std::vector<MPoint>& points, int degree,
                                            Parameterization parameterization);

//! The same curve as a chain of Bezier segments: knot insertion until every knot value in the
//! range has multiplicity `degree`, with multiple end knots (a periodic curve comes out closed).
//! The shape and the parameterisation are unchanged. Works for any degree, in linear time.
NurbsCurve toBezierForm(const NurbsCurve& curve);

//! What `nurbsCurveToBezier` does: toBezierForm of a cubic curve. Maya's Bezier curves are
//! cubic, so other degrees fail with a message rather than change degree silently.
NurbsResult<NurbsCurve> nurbsCurveToBezier(const NurbsCurve& curve);

}  // namespace nurbs
}  // namespace mayasim
