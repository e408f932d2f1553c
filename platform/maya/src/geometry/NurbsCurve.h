// A non-rational NURBS curve as Maya stores it, with the queries MFnNurbsCurve answers.
#pragma once

#include <vector>

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "NurbsTypes.h"

namespace mayasim {
namespace nurbs {

//! A point of a curve and its first two derivatives with respect to the parameter.
struct CurveSample {
    MPoint point;
    MVector firstDerivative;
    MVector secondDerivative;
};

//! The answer of a closest-point query.
struct CurveClosestPoint {
    MPoint point;
    double param = 0.0;
    double distance = 0.0;
};

//! A NURBS curve of degree 1 to 7 in Maya's representation (the data of a nurbsCurve shape).
//!
//! - CVs: numCVs = spans + degree. A periodic curve stores its last `degree` CVs as copies of its
//!   first ones (a periodic cubic circle of 8 spans has 11 CVs); setCV keeps the copies bound.
//! - Knots: Maya's convention, numKnots = numCVs + degree - 1 (no extra end knot at either end),
//!   non-decreasing. The parameter range is [knots[degree - 1], knots[numCVs - 1]].
//! - Form: kPeriodic as built; otherwise kClosed when the curve's two end points coincide and
//!   kOpen when they do not (moving an end CV changes it, as in Maya).
//!
//! Build curves with create() (full validation) or the constructions of NurbsCurveCreate.h. A
//! default-constructed curve is empty (degree 0, no CVs) and answers no queries.
//!
//! Parameters outside the range are clamped; on a periodic curve they wrap around instead.
class NurbsCurve {
public:
    NurbsCurve() = default;

    //! Validates and builds a curve. `periodic` asks for a periodic curve; its last `degree` CVs
    //! must repeat the first ones and its knot spacing must repeat with the period. The messages
    //! name what is wrong ("... needs at least 4 CVs ...", "... knots must be non-decreasing").
    static NurbsResult<NurbsCurve> create(std::vector<MPoint> cvs, std::vector<double> knots,
                                          int degree, bool periodic);

    int degree() const { return degree_; }
    NurbsForm form() const { return form_; }
    int numCVs() const { return static_cast<int>(cvs_.size()); }
    int numKnots() const { return static_cast<int>(knots_.size()); }
    int numSpans() const { return numCVs() - degree_; }
    //! Edit points: the curve's points at its distinct knot values in range; a periodic curve's
    //! last one equals its first and is not repeated (Maya's ep[] count: spans + 1, or spans).
    int numEditPoints() const;
    bool isEmpty() const { return cvs_.empty(); }

    const std::vector<MPoint>& cvs() const { return cvs_; }
    const std::vector<double>& knots() const { return knots_; }
    const MPoint& cv(int index) const { return cvs_[index]; }
    //! Moves one CV (w is kept at 1). On a periodic curve the bound copy moves too; on other
    //! curves the form is re-derived, so moving an end CV opens or closes the curve.
    void setCV(int index, const MPoint& position);

    double minParam() const { return knots_[degree_ - 1]; }
    double maxParam() const { return knots_[numCVs() - 1]; }
    //! A parameter brought into the range: clamped, or wrapped on a periodic curve.
    double normalizeParam(double u) const;

    MPoint pointAt(double u) const;
    //! The point and its derivatives up to `order` (0 to 2) at u.
    CurveSample sampleAt(double u, int order = 2) const;
    //! The unit tangent at u; the zero vector where the curve has a zero derivative.
    MVector tangentAt(double u) const;
    //! Edit point i (see numEditPoints).
    MPoint editPoint(int index) const;
    //! The knot values of the edit points, in order.
    std::vector<double> editPointParams() const;

    //! The closest point of the curve to `point`: coarse sampling of every span, then Newton
    //! iterations from the best samples, clamped to the range (wrapped on periodic curves).
    CurveClosestPoint closestPoint(const MPoint& point) const;
    double distanceToPoint(const MPoint& point) const { return closestPoint(point).distance; }
    bool isPointOnCurve(const MPoint& point, double tolerance = kNurbsEpsilon) const;

    //! A polyline for drawing: `divisionsPerSpan` segments per non-empty span, the last point
    //! at the end of the range (equal to the first on closed and periodic curves).
    std::vector<MPoint> tessellate(int divisionsPerSpan) const;

    //! The same curve with the knot u inserted `times` times (Boehm's algorithm); the shape and the
    //! parameterisation do not change. u must lie strictly inside the range and the resulting
    //! multiplicity may not exceed the degree. Periodic curves are opened first (see
    //! toClampedForm).
    NurbsCurve insertKnot(double u, int times) const;

    //! The same shape with multiple end knots: the range ends get multiplicity `degree`, CVs and
    //! knots outside the range are dropped. A periodic curve becomes a closed one.
    NurbsCurve toClampedForm() const;

private:
    NurbsCurve(std::vector<MPoint> cvs, std::vector<double> knots, int degree, NurbsForm form);

    void deriveOpenOrClosedForm();
    CurveClosestPoint refineClosest(const MPoint& point, double u) const;
    //! The CV of a span's r-th basis function.
    const MPoint& spanCV(int span, int r) const { return cvs_[span - degree_ + 1 + r]; }

    int degree_ = 0;
    NurbsForm form_ = NurbsForm::kInvalid;
    std::vector<MPoint> cvs_;
    std::vector<double> knots_;
};

}  // namespace nurbs
}  // namespace mayasim
