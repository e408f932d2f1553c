#include "NurbsBasis.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace mayasim {
namespace nurbs {

std::string formatMessage(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::vector<double> textbookKnots(const std::vector<double>& knots) {
    std::vector<double> full;
    full.reserve(knots.size() + 2);
    full.push_back(knots.front());
    full.insert(full.end(), knots.begin(), knots.end());
    full.push_back(knots.back());
    return full;
}

int findSpan(const std::vector<double>& knots, int degree, int numCVs, double u) {
    const int first = degree - 1;
    int last = numCVs - 2;
    // Trailing empty spans (repeated end knots) hold no part of the curve.
    while (last > first && knots[last] >= knots[last + 1])
        --last;
    if (u >= knots[last + 1])
        return last;
    if (u <= knots[first + 1]) {
        int span = first;
        while (span < last && knots[span + 1] <= knots[span])
            ++span;
        return span;
    }
    // The last span whose start is at or before u.
    const auto begin = knots.begin() + first;
    const auto end = knots.begin() + last + 1;
    const auto it = std::upper_bound(begin, end, u);
    return static_cast<int>(it - knots.begin()) - 1;
}

void basisFunctions(const std::vector<double>& knots, int degree, int span, double u,
                    BasisValues& values) {
    BasisValues left{};
    BasisValues right{};
    values[0] = 1.0;
    for (int j = 1; j <= degree; ++j) {
        left[j] = u - knots[span + 1 - j];
        right[j] = knots[span + j] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            const double temp = values[r] / (right[r + 1] + left[j - r]);
            values[r] = saved + right[r + 1] * temp;
            saved = left[j - r] * temp;
        }
        values[j] = saved;
    }
}

void basisDerivatives(const std::vector<double>& knots, int degree, int span, double u, int order,
                      BasisDerivatives& derivatives) {
    const int p = degree;
    std::array<BasisValues, kMaxDegree + 1> ndu{};
    BasisValues left{};
    BasisValues right{};
    ndu[0][0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[j] = u - knots[span + 1 - j];
        right[j] = knots[span + j] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            // Lower triangle: knot differences; upper triangle: basis values.
            ndu[j][r] = right[r + 1] + left[j - r];
            const double temp = ndu[r][j - 1] / ndu[j][r];
            ndu[r][j] = saved + right[r + 1] * temp;
            saved = left[j - r] * temp;
        }
        ndu[j][j] = saved;
    }
    for (int j = 0; j <= p; ++j)
        derivatives[0][j] = ndu[j][p];

    std::array<BasisValues, 2> a{};
    for (int r = 0; r <= p; ++r) {
        int s1 = 0;
        int s2 = 1;
        a[0][0] = 1.0;
        for (int k = 1; k <= order; ++k) {
            double d = 0.0;
            const int rk = r - k;
            const int pk = p - k;
            if (r >= k) {
                a[s2][0] = a[s1][0] / ndu[pk + 1][rk];
                d = a[s2][0] * ndu[rk][pk];
            }
            const int j1 = rk >= -1 ? 1 : -rk;
            const int j2 = (r - 1 <= pk) ? k - 1 : p - r;
            for (int j = j1; j <= j2; ++j) {
                a[s2][j] = (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j];
                d += a[s2][j] * ndu[rk + j][pk];
            }
            if (r <= pk) {
                a[s2][k] = -a[s1][k - 1] / ndu[pk + 1][r];
                d += a[s2][k] * ndu[r][pk];
            }
            derivatives[k][r] = d;
            std::swap(s1, s2);
        }
    }
    double factor = p;
    for (int k = 1; k <= order; ++k) {
        for (int j = 0; j <= p; ++j)
            derivatives[k][j] *= factor;
        factor *= p - k;
    }
}

std::string checkKnotVector(const std::vector<double>& knots, int numCVs, int degree, bool periodic,
                            const char* what) {
    if (degree < 1 || degree > kMaxDegree)
        return formatMessage("Invalid degree %d: the degree must be between 1 and %d.", degree,
                             kMaxDegree);
    const int minCVs = periodic ? 2 * degree + 1 : degree + 1;
    if (numCVs < minCVs)
        return formatMessage("A %sdegree %d %s needs at least %d CVs; %d given.",
                             periodic ? "periodic " : "", degree, what, minCVs, numCVs);
    const int numKnots = static_cast<int>(knots.size());
    if (numKnots != numCVs + degree - 1)
        return formatMessage("A degree %d %s with %d CVs needs %d knots; %d given.", degree, what,
                             numCVs, numCVs + degree - 1, numKnots);
    for (int i = 1; i < numKnots; ++i) {
        if (knots[i] < knots[i - 1])
            return formatMessage("The knots must be non-decreasing: knot %d (%g) follows %g.", i,
                                 knots[i], knots[i - 1]);
    }
    for (int i = 0; i < numKnots;) {
        int run = 1;
        while (i + run < numKnots && knots[i + run] == knots[i])
            ++run;
        if (run > degree)
            return formatMessage("The knot %g appears %d times; degree %d allows at most %d.",
                                 knots[i], run, degree, degree);
        i += run;
    }
    if (!(knots[degree - 1] < knots[numCVs - 1]))
        return formatMessage("The knots leave the %s no parameter range.", what);
    if (periodic) {
        const int spans = numCVs - degree;
        const double period = knots[numCVs - 1] - knots[degree - 1];
        const double tolerance = 1.0e-9 * std::max(1.0, std::fabs(period));
        for (int i = 0; i + spans < numKnots; ++i) {
            if (std::fabs(knots[i + spans] - knots[i] - period) > tolerance)
                return formatMessage(
                    "The knot spacing of a periodic %s must repeat with its period.", what);
        }
    }
    return {};
}

int knotMultiplicity(const std::vector<double>& knots, double value, double tolerance) {
    return static_cast<int>(std::count_if(
        knots.begin(), knots.end(), [&](double k) { return std::fabs(k - value) <= tolerance; }));
}

}  // namespace nurbs
}  // namespace mayasim
