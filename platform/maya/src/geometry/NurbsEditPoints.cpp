#include "NurbsEditPoints.h"

#include <algorithm>
#include <cmath>

#include "NurbsBasis.h"

namespace mayasim {
namespace nurbs {

namespace {

// One row of the basis matrix: the CVs (independent ones: periodic copies folded onto their
// originals) an edit point depends on, and their weights.
struct BasisRow {
    int first = 0;
    int count = 0;
    int columns[kMaxDegree + 1] = {};
    double weights[kMaxDegree + 1] = {};
};

BasisRow basisRow(const NurbsCurve& curve, double u, int independent) {
    const int degree = curve.degree();
    const int span = findSpan(curve.knots(), degree, curve.numCVs(), u);
    BasisValues values{};
    basisFunctions(curve.knots(), degree, span, u, values);
    BasisRow row;
    row.count = degree + 1;
    for (int r = 0; r <= degree; ++r) {
        const int cv = firstCVOfSpan(span, degree) + r;
        row.columns[r] = cv % independent;
        row.weights[r] = values[r];
    }
    return row;
}

double dot(const BasisRow& a, const BasisRow& b) {
    double sum = 0.0;
    for (int i = 0; i < a.count; ++i) {
        for (int j = 0; j < b.count; ++j) {
            if (a.columns[i] == b.columns[j])
                sum += a.weights[i] * b.weights[j];
        }
    }
    return sum;
}

// Solves A x = b for a symmetric positive definite A whose entries vanish more than `band`
// off the diagonal (Cholesky on the band only). A is m x m, row-major; b holds 3 columns.
void solveBanded(std::vector<double>& a, std::vector<MVector>& b, int m, int band) {
    auto at = [&](int i, int j) -> double& { return a[static_cast<size_t>(i) * m + j]; };
    for (int i = 0; i < m; ++i) {
        for (int j = std::max(0, i - band); j <= i; ++j) {
            double sum = at(i, j);
            for (int k = std::max(0, i - band); k < j; ++k)
                sum -= at(i, k) * at(j, k);
            at(i, j) = i == j ? std::sqrt(std::max(sum, 1e-300)) : sum / at(j, j);
        }
    }
    for (int i = 0; i < m; ++i) {
        MVector sum = b[i];
        for (int k = std::max(0, i - band); k < i; ++k)
            sum -= b[k] * at(i, k);
        b[i] = sum / at(i, i);
    }
    for (int i = m - 1; i >= 0; --i) {
        MVector sum = b[i];
        for (int k = i + 1; k <= std::min(m - 1, i + band); ++k)
            sum -= b[k] * at(k, i);
        b[i] = sum / at(i, i);
    }
}

}  // namespace

void setEditPoints(NurbsCurve& curve, const std::vector<std::pair<int, MPoint>>& positions) {
    if (curve.isEmpty() || positions.empty())
        return;
    const std::vector<double> params = curve.editPointParams();
    const int m = static_cast<int>(params.size());
    const bool periodic = curve.form() == NurbsForm::kPeriodic;
    const int independent = periodic ? curve.numSpans() : curve.numCVs();
    std::vector<MVector> offsets(static_cast<size_t>(m), MVector::zero);
    bool anyMove = false;
    for (const auto& [index, position] : positions) {
        if (index < 0 || index >= m)
            continue;
        offsets[index] = MPoint(position.x, position.y, position.z) - curve.pointAt(params[index]);
        anyMove = anyMove || offsets[index] != MVector::zero;
    }
    if (!anyMove)
        return;
    std::vector<BasisRow> rows;
    rows.reserve(params.size());
    for (double u : params)
        rows.push_back(basisRow(curve, u, independent));
    // Edit points share CVs only with neighbours within the degree, except across a periodic
    // curve's seam.
    const int band = periodic ? m - 1 : std::min(m - 1, curve.degree());
    std::vector<double> gram(static_cast<size_t>(m) * m, 0.0);
    for (int i = 0; i < m; ++i) {
        for (int j = std::max(0, i - band); j <= std::min(m - 1, i + band); ++j)
            gram[static_cast<size_t>(i) * m + j] = dot(rows[i], rows[j]);
    }
    solveBanded(gram, offsets, m, band);
    std::vector<MVector> moves(static_cast<size_t>(independent), MVector::zero);
    for (int i = 0; i < m; ++i) {
        for (int r = 0; r < rows[i].count; ++r)
            moves[rows[i].columns[r]] += offsets[i] * rows[i].weights[r];
    }
    for (int cv = 0; cv < independent; ++cv) {
        if (moves[cv] != MVector::zero)
            curve.setCV(cv, curve.cv(cv) + moves[cv]);
    }
}

}  // namespace nurbs
}  // namespace mayasim
