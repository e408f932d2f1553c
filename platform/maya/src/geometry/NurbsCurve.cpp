#include "NurbsCurve.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "NurbsBasis.h"

namespace mayasim {
namespace nurbs {

namespace {

// Two points closer than this make a curve closed, and a periodic curve's bound CVs equal.
constexpr double kCoincidenceTolerance = 1.0e-6;
constexpr int kNewtonIterations = 30;
// Candidates from the coarse pass that Newton refines; more than one guards against a nearby
// local minimum winning over the true closest point.
constexpr int kClosestCandidates = 3;

// The last `degree` CVs of a periodic curve must repeat the first ones.
std::string checkPeriodicCVs(const std::vector<MPoint>& cvs, int degree) {
    const int spans = static_cast<int>(cvs.size()) - degree;
    for (int i = 0; i < degree; ++i) {
        if (!cvs[spans + i].isEquivalent(cvs[i], kCoincidenceTolerance))
            return formatMessage("The last %d CVs of a periodic curve must repeat its first %d.",
                                 degree, degree);
    }
    return {};
}

int fullMultiplicity(const std::vector<double>& full, double u) {
    const auto range = std::equal_range(full.begin(), full.end(), u);
    return static_cast<int>(range.second - range.first);
}

// Boehm's knot insertion of u, `times` times, on a textbook knot vector (The NURBS Book, A5.1).
void insertKnotFull(std::vector<MPoint>& cvs, std::vector<double>& full, int p, double u,
                    int times) {
    const int k =
        static_cast<int>(std::upper_bound(full.begin(), full.end(), u) - full.begin()) - 1;
    const int s = fullMultiplicity(full, u);
    const int np = static_cast<int>(cvs.size()) - 1;

    std::vector<double> newKnots(full.size() + times);
    std::copy(full.begin(), full.begin() + k + 1, newKnots.begin());
    std::fill(newKnots.begin() + k + 1, newKnots.begin() + k + 1 + times, u);
    std::copy(full.begin() + k + 1, full.end(), newKnots.begin() + k + 1 + times);

    std::vector<MPoint> newCVs(cvs.size() + times);
    for (int i = 0; i <= k - p; ++i)
        newCVs[i] = cvs[i];
    for (int i = k - s; i <= np; ++i)
        newCVs[i + times] = cvs[i];

    std::vector<MPoint> temp(cvs.begin() + (k - p), cvs.begin() + (k - s) + 1);
    int last = k - p;
    for (int j = 1; j <= times; ++j) {
        last = k - p + j;
        for (int i = 0; i <= p - j - s; ++i) {
            const double alpha = (u - full[last + i]) / (full[i + k + 1] - full[last + i]);
            const MPoint& a = temp[i + 1];
            const MPoint& b = temp[i];
            temp[i] = MPoint(alpha * a.x + (1.0 - alpha) * b.x, alpha * a.y + (1.0 - alpha) * b.y,
                             alpha * a.z + (1.0 - alpha) * b.z);
        }
        newCVs[last] = temp[0];
        newCVs[k + times - j - s] = temp[p - j - s];
    }
    for (int i = last + 1; i < k - s; ++i)
        newCVs[i] = temp[i - last];

    cvs = std::move(newCVs);
    full = std::move(newKnots);
}

// Keeps the kClosestCandidates best (smallest distance) parameters seen.
class Candidates {
public:
    void offer(double param, double distance) {
        if (size_ == kClosestCandidates && distance >= distances_[size_ - 1])
            return;
        int i = size_ < kClosestCandidates ? size_++ : size_ - 1;
        while (i > 0 && distances_[i - 1] > distance) {
            params_[i] = params_[i - 1];
            distances_[i] = distances_[i - 1];
            --i;
        }
        params_[i] = param;
        distances_[i] = distance;
    }
    int size() const { return size_; }
    double param(int i) const { return params_[i]; }

private:
    int size_ = 0;
    double params_[kClosestCandidates] = {};
    double distances_[kClosestCandidates] = {};
};

}  // namespace

NurbsCurve::NurbsCurve(std::vector<MPoint> cvs, std::vector<double> knots, int degree,
                       NurbsForm form)
    : degree_(degree), form_(form), cvs_(std::move(cvs)), knots_(std::move(knots)) {
    for (MPoint& p : cvs_)
        p.w = 1.0;
    if (form_ != NurbsForm::kPeriodic)
        deriveOpenOrClosedForm();
}

NurbsResult<NurbsCurve> NurbsCurve::create(std::vector<MPoint> cvs, std::vector<double> knots,
                                           int degree, bool periodic) {
    std::string error =
        checkKnotVector(knots, static_cast<int>(cvs.size()), degree, periodic, "curve");
    if (error.empty() && periodic)
        error = checkPeriodicCVs(cvs, degree);
    if (!error.empty())
        return NurbsResult<NurbsCurve>::failure(std::move(error));
    if (periodic) {
        const int spans = static_cast<int>(cvs.size()) - degree;
        for (int i = 0; i < degree; ++i)
            cvs[spans + i] = cvs[i];
    }
    return NurbsResult<NurbsCurve>::success(
        NurbsCurve(std::move(cvs), std::move(knots), degree,
                   periodic ? NurbsForm::kPeriodic : NurbsForm::kOpen));
}

void NurbsCurve::deriveOpenOrClosedForm() {
    const bool closed =
        pointAt(minParam()).isEquivalent(pointAt(maxParam()), kCoincidenceTolerance);
    form_ = closed ? NurbsForm::kClosed : NurbsForm::kOpen;
}

void NurbsCurve::setCV(int index, const MPoint& position) {
    const MPoint p(position.x, position.y, position.z);
    cvs_[index] = p;
    if (form_ == NurbsForm::kPeriodic) {
        const int spans = numSpans();
        if (index < degree_)
            cvs_[index + spans] = p;
        else if (index >= spans)
            cvs_[index - spans] = p;
        return;
    }
    deriveOpenOrClosedForm();
}

int NurbsCurve::numEditPoints() const {
    return static_cast<int>(editPointParams().size());
}

std::vector<double> NurbsCurve::editPointParams() const {
    std::vector<double> params;
    for (int i = degree_ - 1; i <= numCVs() - 1; ++i) {
        if (params.empty() || knots_[i] > params.back())
            params.push_back(knots_[i]);
    }
    if (form_ == NurbsForm::kPeriodic)
        params.pop_back();
    return params;
}

MPoint NurbsCurve::editPoint(int index) const {
    return pointAt(editPointParams()[index]);
}

double NurbsCurve::normalizeParam(double u) const {
    const double lo = minParam();
    const double hi = maxParam();
    if (form_ == NurbsForm::kPeriodic) {
        const double period = hi - lo;
        double offset = std::fmod(u - lo, period);
        if (offset < 0.0)
            offset += period;
        return lo + offset;
    }
    return std::clamp(u, lo, hi);
}

MPoint NurbsCurve::pointAt(double u) const {
    u = normalizeParam(u);
    const int span = findSpan(knots_, degree_, numCVs(), u);
    BasisValues basis;
    basisFunctions(knots_, degree_, span, u, basis);
    WeightedSum sum;
    for (int r = 0; r <= degree_; ++r)
        sum.add(spanCV(span, r), basis[r]);
    return sum.point();
}

CurveSample NurbsCurve::sampleAt(double u, int order) const {
    u = normalizeParam(u);
    order = std::clamp(order, 0, 2);
    const int span = findSpan(knots_, degree_, numCVs(), u);
    const int computed = std::min(order, degree_);
    BasisDerivatives ders;
    basisDerivatives(knots_, degree_, span, u, computed, ders);
    WeightedSum sums[3];
    for (int k = 0; k <= computed; ++k) {
        for (int r = 0; r <= degree_; ++r)
            sums[k].add(spanCV(span, r), ders[k][r]);
    }
    return CurveSample{sums[0].point(), sums[1].vector(), sums[2].vector()};
}

MVector NurbsCurve::tangentAt(double u) const {
    const MVector d = sampleAt(u, 1).firstDerivative;
    const double length = d.length();
    return length > 0.0 ? d / length : MVector(0.0, 0.0, 0.0);
}

CurveClosestPoint NurbsCurve::closestPoint(const MPoint& point) const {
    const int samplesPerSpan = 4 * degree_;
    Candidates candidates;
    BasisValues basis;
    for (int span = degree_ - 1; span <= numCVs() - 2; ++span) {
        const double u0 = knots_[span];
        const double u1 = knots_[span + 1];
        if (!(u1 > u0))
            continue;
        for (int k = 0; k <= samplesPerSpan; ++k) {
            const double u = u0 + (u1 - u0) * k / samplesPerSpan;
            basisFunctions(knots_, degree_, span, u, basis);
            WeightedSum sum;
            for (int r = 0; r <= degree_; ++r)
                sum.add(spanCV(span, r), basis[r]);
            candidates.offer(u, sum.point().distanceTo(point));
        }
    }

    CurveClosestPoint best;
    best.distance = -1.0;
    for (int c = 0; c < candidates.size(); ++c) {
        const CurveClosestPoint refined = refineClosest(point, candidates.param(c));
        if (best.distance < 0.0 || refined.distance < best.distance)
            best = refined;
    }
    return best;
}

CurveClosestPoint NurbsCurve::refineClosest(const MPoint& point, double u) const {
    // Newton on d/du |C(u) - point|^2 / 2, damped so that every accepted step gets closer.
    CurveSample s = sampleAt(u, 2);
    double distance = s.point.distanceTo(point);
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        const MVector offset = s.point - point;
        const double f = s.firstDerivative * offset;
        double df = s.firstDerivative * s.firstDerivative + s.secondDerivative * offset;
        // Away from a minimum the curvature term can make the step point uphill.
        if (df <= 0.0)
            df = s.firstDerivative * s.firstDerivative;
        if (!(df > 0.0))
            break;
        const double step = -f / df;
        bool improved = false;
        for (double scale = 1.0; scale > 1.0e-3; scale *= 0.5) {
            const double next = normalizeParam(u + scale * step);
            const CurveSample ns = sampleAt(next, 2);
            const double nextDistance = ns.point.distanceTo(point);
            if (nextDistance < distance) {
                improved = distance - nextDistance > 1.0e-15 * std::max(1.0, distance);
                u = next;
                s = ns;
                distance = nextDistance;
                break;
            }
        }
        if (!improved)
            break;
    }
    return CurveClosestPoint{s.point, normalizeParam(u), distance};
}

bool NurbsCurve::isPointOnCurve(const MPoint& point, double tolerance) const {
    return closestPoint(point).distance <= tolerance;
}

std::vector<MPoint> NurbsCurve::tessellate(int divisionsPerSpan) const {
    divisionsPerSpan = std::max(1, divisionsPerSpan);
    std::vector<MPoint> points;
    points.reserve(static_cast<size_t>(numSpans()) * divisionsPerSpan + 1);
    BasisValues basis;
    for (int span = degree_ - 1; span <= numCVs() - 2; ++span) {
        const double u0 = knots_[span];
        const double u1 = knots_[span + 1];
        if (!(u1 > u0))
            continue;
        for (int k = 0; k < divisionsPerSpan; ++k) {
            const double u = u0 + (u1 - u0) * k / divisionsPerSpan;
            basisFunctions(knots_, degree_, span, u, basis);
            WeightedSum sum;
            for (int r = 0; r <= degree_; ++r)
                sum.add(spanCV(span, r), basis[r]);
            points.push_back(sum.point());
        }
    }
    points.push_back(pointAt(maxParam()));
    return points;
}

NurbsCurve NurbsCurve::toClampedForm() const {
    const double lo = minParam();
    const double hi = maxParam();
    std::vector<MPoint> cvs = cvs_;
    std::vector<double> full = textbookKnots(knots_);
    const int p = degree_;
    if (fullMultiplicity(full, lo) < p)
        insertKnotFull(cvs, full, p, lo, p - fullMultiplicity(full, lo));
    if (fullMultiplicity(full, hi) < p)
        insertKnotFull(cvs, full, p, hi, p - fullMultiplicity(full, hi));

    const int startRun =
        static_cast<int>(std::lower_bound(full.begin(), full.end(), lo) - full.begin());
    const int firstCV = startRun + fullMultiplicity(full, lo) - 1 - p;
    const int endRun =
        static_cast<int>(std::lower_bound(full.begin(), full.end(), hi) - full.begin());
    const int lastCV = endRun - 1;

    std::vector<MPoint> clampedCVs(cvs.begin() + firstCV, cvs.begin() + lastCV + 1);
    std::vector<double> clampedKnots(full.begin() + firstCV + 1, full.begin() + endRun + p);
    return NurbsCurve(std::move(clampedCVs), std::move(clampedKnots), p, NurbsForm::kOpen);
}

NurbsCurve NurbsCurve::insertKnot(double u, int times) const {
    NurbsCurve base = form_ == NurbsForm::kPeriodic ? toClampedForm() : *this;
    if (!(u > base.minParam() && u < base.maxParam()))
        return base;
    std::vector<MPoint> cvs = base.cvs_;
    std::vector<double> full = textbookKnots(base.knots_);
    times = std::min(times, degree_ - fullMultiplicity(full, u));
    if (times <= 0)
        return base;
    insertKnotFull(cvs, full, degree_, u, times);
    std::vector<double> knots(full.begin() + 1, full.end() - 1);
    return NurbsCurve(std::move(cvs), std::move(knots), degree_, NurbsForm::kOpen);
}

}  // namespace nurbs
}  // namespace mayasim
