// B-spline basis functions over knot vectors in Maya's convention.
//
// Maya stores n + p - 1 knots for n CVs of degree p: the textbook vector without its first and
// last knot, which never influence the curve over its domain [K[p - 1], K[n - 1]]. Every function
// here takes knots in that convention. A span s (p - 1 <= s <= n - 2) is the parameter interval
// [K[s], K[s + 1]]; its p + 1 basis functions belong to CVs s - p + 1 ... s + 1.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! Basis function values (or derivatives) for the p + 1 CVs of one span.
using BasisValues = std::array<double, kMaxDegree + 1>;

//! Basis values and their derivatives: row k holds the k-th derivatives.
using BasisDerivatives = std::array<BasisValues, kMaxDegree + 1>;

//! A weighted sum of CV positions (non-rational: w is ignored).
struct WeightedSum {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    void add(const MPoint& p, double weight) {
        x += weight * p.x;
        y += weight * p.y;
        z += weight * p.z;
    }
    MPoint point() const { return MPoint(x, y, z); }
    MVector vector() const { return MVector(x, y, z); }
};

//! The index of the first CV a span's basis functions belong to.
inline int firstCVOfSpan(int span, int degree) {
    return span - degree + 1;
}

//! The span holding u (clamped to the domain); the domain's end belongs to the last non-empty
//! span, so the curve's last point is evaluated from the last span like every other.
int findSpan(const std::vector<double>& knots, int degree, int numCVs, double u);

//! The p + 1 non-zero basis function values at u in `span`.
void basisFunctions(const std::vector<double>& knots, int degree, int span, double u,
                    BasisValues& values);

//! The basis functions and their derivatives up to `order` (at most `degree`) at u, evaluated
//! from the polynomial piece of `span` (u may lie on the span's ends, or outside it).
void basisDerivatives(const std::vector<double>& knots, int degree, int span, double u, int order,
                      BasisDerivatives& derivatives);

//! Checks a knot vector for `numCVs` CVs of `degree`: degree 1 to 7, enough CVs (degree + 1, or
//! 2 * degree + 1 when periodic), numCVs + degree - 1 knots, non-decreasing, no value more than
//! `degree` times, a non-empty range and, when periodic, a spacing that repeats with the period.
//! Returns the message for the first problem found (naming `what`, e.g. "curve"), or "".
std::string checkKnotVector(const std::vector<double>& knots, int numCVs, int degree, bool periodic,
                            const char* what);

//! The textbook knot vector of Maya's: one more knot at each end. Algorithms that read every
//! knot (insertion, Bezier decomposition) work on it; the added end knots never matter.
std::vector<double> textbookKnots(const std::vector<double>& knots);

//! How many knots equal `value` within `tolerance`.
int knotMultiplicity(const std::vector<double>& knots, double value, double tolerance);

}  // namespace nurbs
}  // namespace mayasim
