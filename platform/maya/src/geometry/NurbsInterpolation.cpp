#include "NurbsInterpolation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "NurbsBasis.h"

namespace mayasim {
namespace nurbs {

namespace {

// One equation on the unknown CVs: coefficients for consecutive columns from `firstColumn`,
// and the vector the combination must equal.
struct Row {
    int firstColumn = 0;
    int count = 0;
    std::array<double, kMaxDegree + 2> coefficients{};
    MVector rhs{0.0, 0.0, 0.0};
};

// A square system whose rows (sorted by first column) are narrow, solved by Gaussian elimination
// with partial pivoting inside the band, so the work grows linearly with the number of rows.
class BandedSystem {
public:
    explicit BandedSystem(std::vector<Row> rows) : rows_(std::move(rows)) {
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const Row& a, const Row& b) { return a.firstColumn < b.firstColumn; });
        size_ = static_cast<int>(rows_.size());
        for (int r = 0; r < size_; ++r) {
            lower_ = std::max(lower_, r - rows_[r].firstColumn);
            upper_ = std::max(upper_, rows_[r].firstColumn + rows_[r].count - 1 - r);
        }
        width_ = 2 * lower_ + upper_ + 1;
        band_.assign(static_cast<size_t>(size_) * width_, 0.0);
        rhs_.resize(size_);
        for (int r = 0; r < size_; ++r) {
            // Derivative rows scale with the knot spacing to the power of their order; scaling
            // every row to a largest coefficient of 1 keeps pivoting and its threshold meaningful.
            double largest = 0.0;
            for (int c = 0; c < rows_[r].count; ++c)
                largest = std::max(largest, std::fabs(rows_[r].coefficients[c]));
            const double scale = largest > 0.0 ? 1.0 / largest : 1.0;
            for (int c = 0; c < rows_[r].count; ++c)
                at(r, rows_[r].firstColumn + c) = rows_[r].coefficients[c] * scale;
            rhs_[r] = rows_[r].rhs * scale;
        }
    }

    // The solution, or an empty vector when the system is singular.
    std::vector<MPoint> solve() {
        for (int c = 0; c < size_; ++c) {
            const int lastRow = std::min(size_ - 1, c + lower_);
            const int lastColumn = std::min(size_ - 1, c + upper_ + lower_);
            int pivot = c;
            for (int r = c + 1; r <= lastRow; ++r) {
                if (std::fabs(at(r, c)) > std::fabs(at(pivot, c)))
                    pivot = r;
            }
            if (std::fabs(at(pivot, c)) < 1.0e-12)
                return {};
            if (pivot != c) {
                for (int col = c; col <= lastColumn; ++col)
                    std::swap(at(c, col), at(pivot, col));
                std::swap(rhs_[c], rhs_[pivot]);
            }
            for (int r = c + 1; r <= lastRow; ++r) {
                const double factor = at(r, c) / at(c, c);
                if (factor == 0.0)
                    continue;
                for (int col = c; col <= lastColumn; ++col)
                    at(r, col) -= factor * at(c, col);
                rhs_[r] -= rhs_[c] * factor;
            }
        }
        std::vector<MPoint> solution(size_);
        for (int c = size_ - 1; c >= 0; --c) {
            MVector sum = rhs_[c];
            const int lastColumn = std::min(size_ - 1, c + upper_ + lower_);
            for (int col = c + 1; col <= lastColumn; ++col)
                sum -= MVector(solution[col]) * at(c, col);
            solution[c] = MPoint(sum / at(c, c));
        }
        return solution;
    }

private:
    double& at(int row, int column) {
        return band_[static_cast<size_t>(row) * width_ + (column - row + lower_)];
    }

    std::vector<Row> rows_;
    int size_ = 0;
    int lower_ = 0;
    int upper_ = 0;
    int width_ = 0;
    std::vector<double> band_;
    std::vector<MVector> rhs_;
};

// Knots in Maya's convention for a curve through points at `params`: multiple end knots and one
// knot per inner point.
std::vector<double> interpolationKnots(const std::vector<double>& params, int degree) {
    std::vector<double> knots;
    knots.reserve(params.size() + 2 * degree - 2);
    knots.insert(knots.end(), degree - 1, params.front());
    knots.insert(knots.end(), params.begin(), params.end());
    knots.insert(knots.end(), degree - 1, params.back());
    return knots;
}

// The combination of one span's CVs giving the curve's `order`-th derivative at u.
Row derivativeRow(const std::vector<double>& knots, int degree, int span, double u, int order) {
    BasisDerivatives ders;
    basisDerivatives(knots, degree, span, u, order, ders);
    Row row;
    row.firstColumn = firstCVOfSpan(span, degree);
    row.count = degree + 1;
    for (int r = 0; r <= degree; ++r)
        row.coefficients[r] = ders[order][r];
    return row;
}

// The jump of the degree-th derivative across the knot between `leftSpan` and the next span.
Row jumpRow(const std::vector<double>& knots, int degree, int leftSpan) {
    const double u = knots[leftSpan + 1];
    const Row left = derivativeRow(knots, degree, leftSpan, u, degree);
    const Row right = derivativeRow(knots, degree, leftSpan + 1, u, degree);
    Row row;
    row.firstColumn = left.firstColumn;
    row.count = degree + 2;
    for (int r = 0; r <= degree; ++r) {
        row.coefficients[r] -= left.coefficients[r];
        row.coefficients[r + 1] += right.coefficients[r];
    }
    return row;
}

std::vector<Row> interpolationRows(const std::vector<MPoint>& points,
                                   const std::vector<double>& params,
                                   const std::vector<double>& knots, int degree, int numCVs) {
    std::vector<Row> rows;
    rows.reserve(numCVs);
    for (size_t i = 0; i < points.size(); ++i) {
        Row row =
            derivativeRow(knots, degree, findSpan(knots, degree, numCVs, params[i]), params[i], 0);
        row.rhs = MVector(points[i]);
        rows.push_back(row);
    }
    return rows;
}

NurbsResult<NurbsCurve> solveForCurve(std::vector<Row> rows, std::vector<double> knots,
                                      int degree) {
    std::vector<MPoint> cvs = BandedSystem(std::move(rows)).solve();
    if (cvs.empty())
        return NurbsResult<NurbsCurve>::failure("The points cannot be interpolated.");
    return NurbsCurve::create(std::move(cvs), std::move(knots), degree, false);
}

}  // namespace

std::vector<double> pointParameters(const std::vector<MPoint>& points,
                                    Parameterization parameterization) {
    std::vector<double> params(points.size(), 0.0);
    for (size_t i = 1; i < points.size(); ++i) {
        const double step = parameterization == Parameterization::kUniform
                                ? 1.0
                                : points[i].distanceTo(points[i - 1]);
        params[i] = params[i - 1] + step;
    }
    return params;
}

NurbsResult<NurbsCurve> interpolateEditPoints(const std::vector<MPoint>& points, int degree,
                                              Parameterization parameterization) {
    const int count = static_cast<int>(points.size());
    if (count < 2)
        return NurbsResult<NurbsCurve>::failure(
            formatMessage("A curve through edit points needs at least 2 points; %d given.", count));
    for (int i = 1; i < count; ++i) {
        if (points[i].distanceTo(points[i - 1]) <= 1.0e-12)
            return NurbsResult<NurbsCurve>::failure(
                formatMessage("Edit points %d and %d coincide.", i - 1, i));
    }
    const std::vector<double> params = pointParameters(points, parameterization);
    std::vector<double> knots = interpolationKnots(params, degree);
    const int numCVs = count + degree - 1;
    std::vector<Row> rows = interpolationRows(points, params, knots, degree, numCVs);

    // The remaining degree - 1 conditions remove the first and last interior knots (alternately
    // from each end); what is left over when there are too few makes the curve's highest
    // derivatives vanish, lowering the polynomial's degree to fit the points.
    const int conditions = degree - 1;
    const int interiorKnots = count - 2;
    const int jumps = std::min(conditions, interiorKnots);
    for (int j = 0; j < jumps; ++j) {
        // Interior knot i (1-based among the points) lies between spans degree - 2 + i and the
        // next.
        const int point = j % 2 == 0 ? 1 + j / 2 : count - 2 - j / 2;
        rows.push_back(jumpRow(knots, degree, degree - 2 + point));
    }
    for (int order = degree; order > degree - (conditions - jumps); --order)
        rows.push_back(derivativeRow(knots, degree, degree - 1, params.front(), order));
    return solveForCurve(std::move(rows), std::move(knots), degree);
}

NurbsResult<NurbsCurve> interpolateCubicWithEndDerivatives(const std::vector<MPoint>& points,
                                                           const std::vector<double>& params,
                                                           const MVector& startDerivative,
                                                           const MVector& endDerivative) {
    constexpr int kDegree = 3;
    const int count = static_cast<int>(points.size());
    if (count < 2 || params.size() != points.size())
        return NurbsResult<NurbsCurve>::failure("The points cannot be interpolated.");
    std::vector<double> knots = interpolationKnots(params, kDegree);
    const int numCVs = count + kDegree - 1;
    std::vector<Row> rows = interpolationRows(points, params, knots, kDegree, numCVs);
    Row start = derivativeRow(knots, kDegree, kDegree - 1, params.front(), 1);
    start.rhs = startDerivative;
    Row end = derivativeRow(knots, kDegree, numCVs - 2, params.back(), 1);
    end.rhs = endDerivative;
    rows.push_back(start);
    rows.push_back(end);
    return solveForCurve(std::move(rows), std::move(knots), kDegree);
}

}  // namespace nurbs
}  // namespace mayasim
