#include "NurbsSurfaceLocator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace mayasim {
namespace nurbs {

namespace {

constexpr int kNewtonIterations = 30;
constexpr int kClosestGuesses = 4;
// Depth-first traversal stack; the tree over a grid of cells is about log2(cells) deep.
constexpr int kStackSize = 128;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

int cellsPerSpan(int degree) {
    return std::max(4, degree + 1);
}

double distanceToBox(const MPoint& p, const MPoint& lo, const MPoint& hi) {
    const double dx = std::max({lo.x - p.x, 0.0, p.x - hi.x});
    const double dy = std::max({lo.y - p.y, 0.0, p.y - hi.y});
    const double dz = std::max({lo.z - p.z, 0.0, p.z - hi.z});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Slab test: the ray parameter where the ray enters the box, or infinity when it misses.
double rayEntersBox(const MPoint& origin, const MVector& direction, const MPoint& lo,
                    const MPoint& hi) {
    double enter = 0.0;
    double leave = kInfinity;
    for (int axis = 0; axis < 3; ++axis) {
        const double o = origin[axis];
        const double d = direction[axis];
        if (d == 0.0) {
            if (o < lo[axis] || o > hi[axis])
                return kInfinity;
            continue;
        }
        double t0 = (lo[axis] - o) / d;
        double t1 = (hi[axis] - o) / d;
        if (t0 > t1)
            std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (enter > leave)
            return kInfinity;
    }
    return enter;
}

// Closest point of triangle abc to p, as barycentric weights of b and c (Ericson, Real-Time
// Collision Detection, 5.1.5).
void closestOnTriangle(const MPoint& p, const MPoint& a, const MPoint& b, const MPoint& c,
                       double& wb, double& wc) {
    const MVector ab = b - a;
    const MVector ac = c - a;
    const MVector ap = p - a;
    const double d1 = ab * ap;
    const double d2 = ac * ap;
    if (d1 <= 0.0 && d2 <= 0.0) {
        wb = wc = 0.0;
        return;
    }
    const MVector bp = p - b;
    const double d3 = ab * bp;
    const double d4 = ac * bp;
    if (d3 >= 0.0 && d4 <= d3) {
        wb = 1.0;
        wc = 0.0;
        return;
    }
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) {
        wb = d1 / (d1 - d3);
        wc = 0.0;
        return;
    }
    const MVector cp = p - c;
    const double d5 = ab * cp;
    const double d6 = ac * cp;
    if (d6 >= 0.0 && d5 <= d6) {
        wb = 0.0;
        wc = 1.0;
        return;
    }
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) {
        wb = 0.0;
        wc = d2 / (d2 - d6);
        return;
    }
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0) {
        wc = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        wb = 1.0 - wc;
        return;
    }
    const double denom = 1.0 / (va + vb + vc);
    wb = vb * denom;
    wc = vc * denom;
}

// Moller-Trumbore: the ray parameter of the hit with triangle abc (and the barycentric weights
// of b and c), or infinity.
double rayHitsTriangle(const MPoint& origin, const MVector& direction, const MPoint& a,
                       const MPoint& b, const MPoint& c, double& wb, double& wc) {
    const MVector e1 = b - a;
    const MVector e2 = c - a;
    const MVector pv = direction ^ e2;
    const double det = e1 * pv;
    if (std::fabs(det) < 1.0e-300)
        return kInfinity;
    const double inv = 1.0 / det;
    const MVector tv = origin - a;
    wb = (tv * pv) * inv;
    if (wb < 0.0 || wb > 1.0)
        return kInfinity;
    const MVector qv = tv ^ e1;
    wc = (direction * qv) * inv;
    if (wc < 0.0 || wb + wc > 1.0)
        return kInfinity;
    const double t = (e2 * qv) * inv;
    return t >= 0.0 ? t : kInfinity;
}

// Keeps the kClosestGuesses best-scoring guesses.
template <class Guess>
void offerGuess(std::array<Guess, kClosestGuesses>& guesses, int& count, const Guess& guess) {
    if (count == kClosestGuesses && guess.score >= guesses[count - 1].score)
        return;
    int i = count < kClosestGuesses ? count++ : count - 1;
    while (i > 0 && guesses[i - 1].score > guess.score) {
        guesses[i] = guesses[i - 1];
        --i;
    }
    guesses[i] = guess;
}

}  // namespace

NurbsSurfaceLocator::NurbsSurfaceLocator(const NurbsSurface& surface) : surface_(surface) {
    fineU_ = sampleParams(surface.knotsInU(), surface.degreeU(), surface.numCVsInU(),
                          2 * cellsPerSpan(surface.degreeU()));
    fineV_ = sampleParams(surface.knotsInV(), surface.degreeV(), surface.numCVsInV(),
                          2 * cellsPerSpan(surface.degreeV()));
    const int fineRows = static_cast<int>(fineU_.size());
    fineColumns_ = static_cast<int>(fineV_.size());
    cellRows_ = (fineRows - 1) / 2;
    cellColumns_ = (fineColumns_ - 1) / 2;
    finePoints_.resize(static_cast<size_t>(fineRows) * fineColumns_);
    for (int i = 0; i < fineRows; ++i) {
        for (int j = 0; j < fineColumns_; ++j)
            finePoints_[static_cast<size_t>(i) * fineColumns_ + j] =
                surface.pointAt(fineU_[i], fineV_[j]);
    }
    nodes_.reserve(2 * static_cast<size_t>(cellRows_) * cellColumns_);
    nodes_.resize(1);
    buildNode(0, 0, cellRows_, 0, cellColumns_);
}

NurbsSurfaceLocator::Box NurbsSurfaceLocator::cellBox(int cell) const {
    const int i = cell / cellColumns_;
    const int j = cell % cellColumns_;
    Box box{MPoint(kInfinity, kInfinity, kInfinity), MPoint(-kInfinity, -kInfinity, -kInfinity)};
    for (int a = 0; a <= 2; ++a) {
        for (int b = 0; b <= 2; ++b) {
            const MPoint& p = fine(2 * i + a, 2 * j + b);
            for (int axis = 0; axis < 3; ++axis) {
                box.lo[axis] = std::min(box.lo[axis], p[axis]);
                box.hi[axis] = std::max(box.hi[axis], p[axis]);
            }
        }
    }
    // The surface bulges between samples; a margin proportional to the cell keeps it inside.
    const double margin = 0.1 * box.lo.distanceTo(box.hi) + 1.0e-9;
    for (int axis = 0; axis < 3; ++axis) {
        box.lo[axis] -= margin;
        box.hi[axis] += margin;
    }
    return box;
}

void NurbsSurfaceLocator::buildNode(int index, int i0, int i1, int j0, int j1) {
    if (i1 - i0 == 1 && j1 - j0 == 1) {
        nodes_[index].cell = i0 * cellColumns_ + j0;
        nodes_[index].box = cellBox(nodes_[index].cell);
        return;
    }
    // Children sit next to each other, so one index reaches both.
    const int first = static_cast<int>(nodes_.size());
    nodes_.resize(nodes_.size() + 2);
    nodes_[index].first = first;
    if (i1 - i0 >= j1 - j0) {
        const int mid = (i0 + i1) / 2;
        buildNode(first, i0, mid, j0, j1);
        buildNode(first + 1, mid, i1, j0, j1);
    } else {
        const int mid = (j0 + j1) / 2;
        buildNode(first, i0, i1, j0, mid);
        buildNode(first + 1, i0, i1, mid, j1);
    }
    Box& box = nodes_[index].box;
    const Box& a = nodes_[first].box;
    const Box& b = nodes_[first + 1].box;
    for (int axis = 0; axis < 3; ++axis) {
        box.lo[axis] = std::min(a.lo[axis], b.lo[axis]);
        box.hi[axis] = std::max(a.hi[axis], b.hi[axis]);
    }
}

template <class Visit>
void NurbsSurfaceLocator::forEachTriangle(int cell, Visit&& visit) const {
    const int i = 2 * (cell / cellColumns_);
    const int j = 2 * (cell % cellColumns_);
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            const int i0 = i + a;
            const int j0 = j + b;
            visit(i0, j0, i0 + 1, j0, i0 + 1, j0 + 1);
            visit(i0, j0, i0 + 1, j0 + 1, i0, j0 + 1);
        }
    }
}

SurfaceClosestPoint NurbsSurfaceLocator::closestPoint(const MPoint& point) const {
    std::array<Guess, kClosestGuesses> guesses{};
    int guessCount = 0;
    double bound = kInfinity;  // distance to the nearest sample: the answer is no farther
    std::array<int, kStackSize> stack{};
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const Node& node = nodes_[stack[--top]];
        if (distanceToBox(point, node.box.lo, node.box.hi) > bound)
            continue;
        if (node.cell < 0) {
            const Node& a = nodes_[node.first];
            const Node& b = nodes_[node.first + 1];
            const bool aFirst = distanceToBox(point, a.box.lo, a.box.hi) <=
                                distanceToBox(point, b.box.lo, b.box.hi);
            if (top + 2 > kStackSize)
                continue;
            stack[top++] = aFirst ? node.first + 1 : node.first;
            stack[top++] = aFirst ? node.first : node.first + 1;
            continue;
        }
        forEachTriangle(node.cell, [&](int ai, int aj, int bi, int bj, int ci, int cj) {
            const MPoint& a = fine(ai, aj);
            const MPoint& b = fine(bi, bj);
            const MPoint& c = fine(ci, cj);
            bound =
                std::min({bound, a.distanceTo(point), b.distanceTo(point), c.distanceTo(point)});
            double wb = 0.0;
            double wc = 0.0;
            closestOnTriangle(point, a, b, c, wb, wc);
            const double wa = 1.0 - wb - wc;
            const MPoint onTriangle(wa * a.x + wb * b.x + wc * c.x, wa * a.y + wb * b.y + wc * c.y,
                                    wa * a.z + wb * b.z + wc * c.z);
            Guess guess;
            guess.u = wa * fineU(ai) + wb * fineU(bi) + wc * fineU(ci);
            guess.v = wa * fineV(aj) + wb * fineV(bj) + wc * fineV(cj);
            guess.score = onTriangle.distanceTo(point);
            offerGuess(guesses, guessCount, guess);
        });
    }

    SurfaceClosestPoint best;
    best.distance = kInfinity;
    for (int g = 0; g < guessCount; ++g) {
        const SurfaceClosestPoint candidate = refineClosest(point, guesses[g].u, guesses[g].v);
        if (candidate.distance < best.distance)
            best = candidate;
    }
    return best;
}

SurfaceClosestPoint NurbsSurfaceLocator::refineClosest(const MPoint& point, double u,
                                                       double v) const {
    u = surface_.normalizeU(u);
    v = surface_.normalizeV(v);
    SurfaceSample s = surface_.sampleAt(u, v, 2);
    double distance = s.point.distanceTo(point);
    for (int iteration = 0; iteration < kNewtonIterations; ++iteration) {
        const MVector r = s.point - point;
        const double gu = s.du * r;
        const double gv = s.dv * r;
        double huu = s.du * s.du + s.duu * r;
        double huv = s.du * s.dv + s.duv * r;
        double hvv = s.dv * s.dv + s.dvv * r;
        if (huu <= 0.0 || huu * hvv - huv * huv <= 0.0) {
            // Not a minimum's neighbourhood: fall back to Gauss-Newton, always a descent step.
            huu = s.du * s.du;
            huv = s.du * s.dv;
            hvv = s.dv * s.dv;
        }
        const double det = huu * hvv - huv * huv;
        if (!(std::fabs(det) > 0.0))
            break;
        const double stepU = -(hvv * gu - huv * gv) / det;
        const double stepV = -(huu * gv - huv * gu) / det;
        bool improved = false;
        for (double scale = 1.0; scale > 1.0e-3; scale *= 0.5) {
            const double nu = surface_.normalizeU(u + scale * stepU);
            const double nv = surface_.normalizeV(v + scale * stepV);
            const SurfaceSample next = surface_.sampleAt(nu, nv, 2);
            const double nextDistance = next.point.distanceTo(point);
            if (nextDistance < distance) {
                improved = distance - nextDistance > 1.0e-15 * std::max(1.0, distance);
                u = nu;
                v = nv;
                s = next;
                distance = nextDistance;
                break;
            }
        }
        if (!improved)
            break;
    }
    return SurfaceClosestPoint{s.point, u, v, distance};
}

bool NurbsSurfaceLocator::intersect(const MPoint& origin, const MVector& direction, SurfaceHit& hit,
                                    double tolerance) const {
    if (!(direction.length() > 0.0))
        return false;
    double bestT = kInfinity;
    std::array<int, kStackSize> stack{};
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const Node& node = nodes_[stack[--top]];
        if (rayEntersBox(origin, direction, node.box.lo, node.box.hi) > bestT)
            continue;
        if (node.cell < 0) {
            if (top + 2 > kStackSize)
                continue;
            const Node& a = nodes_[node.first];
            const Node& b = nodes_[node.first + 1];
            const bool aFirst = rayEntersBox(origin, direction, a.box.lo, a.box.hi) <=
                                rayEntersBox(origin, direction, b.box.lo, b.box.hi);
            stack[top++] = aFirst ? node.first + 1 : node.first;
            stack[top++] = aFirst ? node.first : node.first + 1;
            continue;
        }
        // The nearest triangle hit of the cell seeds Newton; a ray that grazes the cell without
        // touching its triangles starts from the cell's centre.
        double seedT = kInfinity;
        double seedU = 0.0;
        double seedV = 0.0;
        forEachTriangle(node.cell, [&](int ai, int aj, int bi, int bj, int ci, int cj) {
            double wb = 0.0;
            double wc = 0.0;
            const double t = rayHitsTriangle(origin, direction, fine(ai, aj), fine(bi, bj),
                                             fine(ci, cj), wb, wc);
            if (t < seedT) {
                const double wa = 1.0 - wb - wc;
                seedT = t;
                seedU = wa * fineU(ai) + wb * fineU(bi) + wc * fineU(ci);
                seedV = wa * fineV(aj) + wb * fineV(bj) + wc * fineV(cj);
            }
        });
        if (seedT == kInfinity) {
            const int ci = 2 * (node.cell / cellColumns_) + 1;
            const int cj = 2 * (node.cell % cellColumns_) + 1;
            seedU = fineU(ci);
            seedV = fineV(cj);
            seedT = std::max(0.0, (fine(ci, cj) - origin) * direction / (direction * direction));
        }
        SurfaceHit candidate;
        if (refineHit(origin, direction, tolerance, seedU, seedV, seedT, candidate)) {
            const double t = candidate.distance / direction.length();
            if (t < bestT) {
                bestT = t;
                hit = candidate;
            }
        }
    }
    return bestT < kInfinity;
}

bool NurbsSurfaceLocator::refineHit(const MPoint& origin, const MVector& direction,
                                    double tolerance, double u, double v, double t,
                                    SurfaceHit& hit) const {
    // Newton on S(u, v) - (origin + t * direction) = 0, three equations in u, v and t.
    u = surface_.normalizeU(u);
    v = surface_.normalizeV(v);
    double residual = kInfinity;
    SurfaceSample s;
    for (int iteration = 0; iteration <= kNewtonIterations; ++iteration) {
        s = surface_.sampleAt(u, v, 1);
        const MVector f = s.point - (origin + direction * t);
        residual = f.length();
        if (residual <= 1.0e-3 * tolerance || iteration == kNewtonIterations)
            break;
        const MVector negD = -direction;
        const double det = s.du * (s.dv ^ negD);
        if (!(std::fabs(det) > 0.0))
            break;
        // Cramer's rule for [du dv -d] * (du, dv, dt) = -f.
        const MVector rhs = -f;
        const double stepU = rhs * (s.dv ^ negD) / det;
        const double stepV = s.du * (rhs ^ negD) / det;
        const double stepT = s.du * (s.dv ^ rhs) / det;
        u = surface_.normalizeU(u + stepU);
        v = surface_.normalizeV(v + stepV);
        t += stepT;
    }
    if (!(residual <= tolerance) || t < 0.0)
        return false;
    hit.point = s.point;
    hit.u = u;
    hit.v = v;
    hit.distance = (s.point - origin).length();
    return true;
}

}  // namespace nurbs
}  // namespace mayasim
