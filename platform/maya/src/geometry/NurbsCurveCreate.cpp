#include "NurbsCurveCreate.h"

#include <algorithm>
#include <utility>

#include "NurbsBasis.h"
#include "NurbsInterpolation.h"

namespace mayasim {
namespace nurbs {

namespace {

bool degreeInRange(int degree) {
    return degree >= 1 && degree <= kMaxDegree;
}

std::string degreeError(int degree) {
    return formatMessage("Invalid degree %d: the degree must be between 1 and %d.", degree,
                         kMaxDegree);
}

}  // namespace

std::vector<double> defaultKnots(int numCVs, int degree) {
    std::vector<double> knots;
    if (!degreeInRange(degree) || numCVs < degree + 1)
        return knots;
    const int spans = numCVs - degree;
    knots.reserve(numCVs + degree - 1);
    knots.insert(knots.end(), degree - 1, 0.0);
    for (int i = 0; i <= spans; ++i)
        knots.push_back(i);
    knots.insert(knots.end(), degree - 1, static_cast<double>(spans));
    return knots;
}

std::vector<double> periodicKnots(int numCVs, int degree) {
    std::vector<double> knots(std::max(0, numCVs + degree - 1));
    for (size_t i = 0; i < knots.size(); ++i)
        knots[i] = static_cast<double>(i) - (degree - 1);
    return knots;
}

std::vector<double> bezierKnots(int numCVs, int degree) {
    std::vector<double> knots;
    if (!degreeInRange(degree) || numCVs < degree + 1)
        return knots;
    const int segments = (numCVs - 1) / degree;
    knots.reserve(numCVs + degree - 1);
    for (int i = 0; i <= segments; ++i)
        knots.insert(knots.end(), degree, static_cast<double>(i));
    return knots;
}

NurbsResult<NurbsCurve> curveFromCVs(std::vector<MPoint> cvs, int degree, bool periodic) {
    if (!degreeInRange(degree))
        return NurbsResult<NurbsCurve>::failure(degreeError(degree));
    const int numCVs = static_cast<int>(cvs.size());
    std::vector<double> knots =
        periodic ? periodicKnots(numCVs, degree) : defaultKnots(numCVs, degree);
    // Too few CVs leave the knots empty; create() names the shortage.
    if (knots.empty())
        knots.resize(std::max(0, numCVs + degree - 1));
    return NurbsCurve::create(std::move(cvs), std::move(knots), degree, periodic);
}

NurbsResult<NurbsCurve> curveFromCVsAndKnots(std::vector<MPoint> cvs, std::vector<double> knots,
                                             int degree, bool periodic) {
    return NurbsCurve::create(std::move(cvs), std::move(knots), degree, periodic);
}

NurbsResult<NurbsCurve> bezierCurveFromCVs(std::vector<MPoint> cvs, int degree) {
    if (!degreeInRange(degree))
        return NurbsResult<NurbsCurve>::failure(degreeError(degree));
    const int numCVs = static_cast<int>(cvs.size());
    if (numCVs < degree + 1 || (numCVs - 1) % degree != 0)
        return NurbsResult<NurbsCurve>::failure(formatMessage(
            "A degree %d Bezier curve needs 1 + a multiple of %d CVs (at least %d); %d given.",
            degree, degree, degree + 1, numCVs));
    std::vector<double> knots = bezierKnots(numCVs, degree);
    return NurbsCurve::create(std::move(cvs), std::move(knots), degree, false);
}

NurbsResult<NurbsCurve> curveFromEditPoints(const std::vector<MPoint>& points, int degree,
                                            Parameterization parameterization) {
    if (!degreeInRange(degree))
        return NurbsResult<NurbsCurve>::failure(degreeError(degree));
    return interpolateEditPoints(points, degree, parameterization);
}

NurbsCurve toBezierForm(const NurbsCurve& curve) {
    // Bezier decomposition of the clamped curve (The NURBS Book, A5.6): one pass over the
    // knots, each segment's CVs computed from the previous segment's.
    const NurbsCurve clamped = curve.toClampedForm();
    const int p = clamped.degree();
    const std::vector<double> u = textbookKnots(clamped.knots());
    const std::vector<MPoint>& cvs = clamped.cvs();
    const int m = static_cast<int>(u.size()) - 1;

    std::vector<MPoint> bezierCVs;
    std::vector<double> bezierKnotValues;
    std::vector<MPoint> segment(cvs.begin(), cvs.begin() + p + 1);
    std::vector<MPoint> next(p + 1);
    BasisValues alphas{};
    int a = p;
    int b = p + 1;
    bezierKnotValues.push_back(u[a]);
    while (b < m) {
        const int i = b;
        while (b < m && u[b + 1] == u[b])
            ++b;
        const int mult = b - i + 1;
        if (mult < p) {
            const double numer = u[b] - u[a];
            for (int j = p; j > mult; --j)
                alphas[j - mult - 1] = numer / (u[a + j] - u[a]);
            const int r = p - mult;
            for (int j = 1; j <= r; ++j) {
                const int save = r - j;
                const int s = mult + j;
                for (int k = p; k >= s; --k) {
                    const double alpha = alphas[k - s];
                    const MPoint& q = segment[k];
                    const MPoint& q1 = segment[k - 1];
                    segment[k] = MPoint(alpha * q.x + (1.0 - alpha) * q1.x,
                                        alpha * q.y + (1.0 - alpha) * q1.y,
                                        alpha * q.z + (1.0 - alpha) * q1.z);
                }
                if (b < m)
                    next[save] = segment[p];
            }
        }
        // Consecutive segments share their joining CV.
        bezierCVs.insert(bezierCVs.end(), segment.begin() + (bezierCVs.empty() ? 0 : 1),
                         segment.end());
        bezierKnotValues.push_back(u[b]);
        if (b < m) {
            for (int k = p - mult; k <= p; ++k)
                next[k] = cvs[b - p + k];
            std::swap(segment, next);
            a = b;
            ++b;
        }
    }

    std::vector<double> knots;
    knots.reserve(bezierKnotValues.size() * p);
    for (double value : bezierKnotValues)
        knots.insert(knots.end(), p, value);
    return NurbsCurve::create(std::move(bezierCVs), std::move(knots), p, false).value();
}

NurbsResult<NurbsCurve> nurbsCurveToBezier(const NurbsCurve& curve) {
    if (curve.degree() != 3)
        return NurbsResult<NurbsCurve>::failure(
            formatMessage("Only cubic curves convert to Bezier curves; this curve has degree %d.",
                          curve.degree()));
    return NurbsResult<NurbsCurve>::success(toBezierForm(curve));
}

}  // namespace nurbs
}  // namespace mayasim
