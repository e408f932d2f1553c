#include "NurbsSurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "NurbsBasis.h"
#include "NurbsSurfaceLocator.h"

namespace mayasim {
namespace nurbs {

namespace {

constexpr double kCoincidenceTolerance = 1.0e-6;

// One direction's knots, evaluated once per sample parameter for the tessellation.
struct DirectionSample {
    int span = 0;
    BasisDerivatives ders;
};

std::vector<DirectionSample> directionSamples(const std::vector<double>& knots, int degree,
                                              int numCVs, const std::vector<double>& params) {
    std::vector<DirectionSample> samples(params.size());
    for (size_t i = 0; i < params.size(); ++i) {
        samples[i].span = findSpan(knots, degree, numCVs, params[i]);
        basisDerivatives(knots, degree, samples[i].span, params[i], std::min(1, degree),
                         samples[i].ders);
    }
    return samples;
}

// Whether du x dv is too small, against the derivatives' own size, to give a direction: at a
// pole one derivative is zero but for rounding noise, whose direction means nothing.
bool isDegenerate(const MVector& du, const MVector& dv, const MVector& cross) {
    const double size = std::max(du * du, dv * dv);
    return !(cross.length() > 1.0e-10 * size);
}

double wrapOrClamp(double t, double lo, double hi, bool periodic) {
    if (!periodic)
        return std::clamp(t, lo, hi);
    const double period = hi - lo;
    double offset = std::fmod(t - lo, period);
    if (offset < 0.0)
        offset += period;
    return lo + offset;
}

}  // namespace

std::vector<double> sampleParams(const std::vector<double>& knots, int degree, int numCVs,
                                 int divisions) {
    divisions = std::max(1, divisions);
    std::vector<double> params;
    params.reserve(static_cast<size_t>(numCVs - degree) * divisions + 1);
    for (int span = degree - 1; span <= numCVs - 2; ++span) {
        const double t0 = knots[span];
        const double t1 = knots[span + 1];
        if (!(t1 > t0))
            continue;
        for (int k = 0; k < divisions; ++k)
            params.push_back(t0 + (t1 - t0) * k / divisions);
    }
    params.push_back(knots[numCVs - 1]);
    return params;
}

NurbsResult<NurbsSurface> NurbsSurface::create(std::vector<MPoint> cvs, int numCVsInU,
                                               int numCVsInV, std::vector<double> knotsU,
                                               std::vector<double> knotsV, int degreeU, int degreeV,
                                               bool periodicU, bool periodicV) {
    using Result = NurbsResult<NurbsSurface>;
    std::string error = checkKnotVector(knotsU, numCVsInU, degreeU, periodicU, "surface (in U)");
    if (error.empty())
        error = checkKnotVector(knotsV, numCVsInV, degreeV, periodicV, "surface (in V)");
    if (!error.empty())
        return Result::failure(std::move(error));
    if (static_cast<long>(cvs.size()) != static_cast<long>(numCVsInU) * numCVsInV)
        return Result::failure(formatMessage("A surface of %d x %d CVs needs %d CVs; %d given.",
                                             numCVsInU, numCVsInV, numCVsInU * numCVsInV,
                                             static_cast<int>(cvs.size())));
    const int spansU = numCVsInU - degreeU;
    const int spansV = numCVsInV - degreeV;
    for (int u = 0; u < numCVsInU; ++u) {
        for (int v = 0; v < numCVsInV; ++v) {
            const MPoint& p = cvs[u * numCVsInV + v];
            const bool repeatsU = periodicU && u >= spansU;
            const bool repeatsV = periodicV && v >= spansV;
            const MPoint& source =
                cvs[(repeatsU ? u - spansU : u) * numCVsInV + (repeatsV ? v - spansV : v)];
            if ((repeatsU || repeatsV) && !p.isEquivalent(source, kCoincidenceTolerance))
                return Result::failure(formatMessage(
                    "The last CVs in a periodic direction must repeat the first ones (cv[%d][%d]).",
                    u, v));
        }
    }

    NurbsSurface surface;
    surface.degreeU_ = degreeU;
    surface.degreeV_ = degreeV;
    surface.numCVsU_ = numCVsInU;
    surface.numCVsV_ = numCVsInV;
    surface.knotsU_ = std::move(knotsU);
    surface.knotsV_ = std::move(knotsV);
    surface.cvs_ = std::move(cvs);
    for (MPoint& p : surface.cvs_)
        p.w = 1.0;
    surface.formU_ = periodicU ? NurbsForm::kPeriodic : NurbsForm::kOpen;
    surface.formV_ = periodicV ? NurbsForm::kPeriodic : NurbsForm::kOpen;
    surface.updateSurface();
    return Result::success(std::move(surface));
}

NurbsForm NurbsSurface::deriveForm(bool alongU) const {
    // Closed when the boundary curves at the two ends of the range coincide; sampled at every
    // span of the other direction and halfway between.
    const std::vector<double> across = alongU ? sampleParams(knotsV_, degreeV_, numCVsV_, 2)
                                              : sampleParams(knotsU_, degreeU_, numCVsU_, 2);
    for (double t : across) {
        const MPoint a = alongU ? pointAt(minU(), t) : pointAt(t, minV());
        const MPoint b = alongU ? pointAt(maxU(), t) : pointAt(t, maxV());
        if (!a.isEquivalent(b, kCoincidenceTolerance))
            return NurbsForm::kOpen;
    }
    return NurbsForm::kClosed;
}

void NurbsSurface::setCV(int u, int v, const MPoint& position) {
    const MPoint p(position.x, position.y, position.z);
    const int spansU = numSpansInU();
    const int spansV = numSpansInV();
    int us[2] = {u, -1};
    int vs[2] = {v, -1};
    if (formU_ == NurbsForm::kPeriodic)
        us[1] = u < degreeU_ ? u + spansU : (u >= spansU ? u - spansU : -1);
    if (formV_ == NurbsForm::kPeriodic)
        vs[1] = v < degreeV_ ? v + spansV : (v >= spansV ? v - spansV : -1);
    for (int cu : us) {
        for (int cv : vs) {
            if (cu >= 0 && cv >= 0)
                cvs_[index(cu, cv)] = p;
        }
    }
}

void NurbsSurface::updateSurface() {
    if (formU_ != NurbsForm::kPeriodic)
        formU_ = deriveForm(true);
    if (formV_ != NurbsForm::kPeriodic)
        formV_ = deriveForm(false);
}

double NurbsSurface::normalizeU(double u) const {
    return wrapOrClamp(u, minU(), maxU(), formU_ == NurbsForm::kPeriodic);
}

double NurbsSurface::normalizeV(double v) const {
    return wrapOrClamp(v, minV(), maxV(), formV_ == NurbsForm::kPeriodic);
}

MPoint NurbsSurface::pointAt(double u, double v) const {
    return sampleAt(u, v, 0).point;
}

SurfaceSample NurbsSurface::sampleAt(double u, double v, int order) const {
    u = normalizeU(u);
    v = normalizeV(v);
    order = std::clamp(order, 0, 2);
    const int spanU = findSpan(knotsU_, degreeU_, numCVsU_, u);
    const int spanV = findSpan(knotsV_, degreeV_, numCVsV_, v);
    const int orderU = std::min(order, degreeU_);
    const int orderV = std::min(order, degreeV_);
    BasisDerivatives du;
    BasisDerivatives dv;
    basisDerivatives(knotsU_, degreeU_, spanU, u, orderU, du);
    basisDerivatives(knotsV_, degreeV_, spanV, v, orderV, dv);

    // sums[k][l]: derivative k times in u and l times in v.
    WeightedSum sums[3][3];
    const int firstU = firstCVOfSpan(spanU, degreeU_);
    const int firstV = firstCVOfSpan(spanV, degreeV_);
    for (int i = 0; i <= degreeU_; ++i) {
        for (int j = 0; j <= degreeV_; ++j) {
            const MPoint& p = cvs_[index(firstU + i, firstV + j)];
            for (int k = 0; k <= orderU; ++k) {
                for (int l = 0; l <= orderV && k + l <= order; ++l)
                    sums[k][l].add(p, du[k][i] * dv[l][j]);
            }
        }
    }
    SurfaceSample sample;
    sample.point = sums[0][0].point();
    sample.du = sums[1][0].vector();
    sample.dv = sums[0][1].vector();
    sample.duu = sums[2][0].vector();
    sample.duv = sums[1][1].vector();
    sample.dvv = sums[0][2].vector();
    return sample;
}

MVector NurbsSurface::normalAt(double u, double v) const {
    u = normalizeU(u);
    v = normalizeV(v);
    const SurfaceSample s = sampleAt(u, v, 1);
    MVector n = s.du ^ s.dv;
    if (!isDegenerate(s.du, s.dv, n))
        return n.normal();
    // A degenerate point: step a little into the range, where the normal is defined.
    const double stepU = 1.0e-4 * (maxU() - minU());
    const double stepV = 1.0e-4 * (maxV() - minV());
    const double nu = u + (u + stepU <= maxU() ? stepU : -stepU);
    const double nv = v + (v + stepV <= maxV() ? stepV : -stepV);
    const SurfaceSample near = sampleAt(nu, nv, 1);
    n = near.du ^ near.dv;
    return n.length() > 0.0 ? n.normal() : MVector(0.0, 0.0, 0.0);
}

SurfaceClosestPoint NurbsSurface::closestPoint(const MPoint& point) const {
    return NurbsSurfaceLocator(*this).closestPoint(point);
}

bool NurbsSurface::isPointOnSurface(const MPoint& point, double tolerance) const {
    return closestPoint(point).distance <= tolerance;
}

bool NurbsSurface::intersect(const MPoint& origin, const MVector& direction, SurfaceHit& hit,
                             double tolerance) const {
    return NurbsSurfaceLocator(*this).intersect(origin, direction, hit, tolerance);
}

SurfaceTessellation NurbsSurface::tessellate(int divisionsU, int divisionsV) const {
    SurfaceTessellation mesh;
    mesh.uParams = sampleParams(knotsU_, degreeU_, numCVsU_, divisionsU);
    mesh.vParams = sampleParams(knotsV_, degreeV_, numCVsV_, divisionsV);
    mesh.rows = static_cast<int>(mesh.uParams.size());
    mesh.columns = static_cast<int>(mesh.vParams.size());
    const std::vector<DirectionSample> us =
        directionSamples(knotsU_, degreeU_, numCVsU_, mesh.uParams);
    const std::vector<DirectionSample> vs =
        directionSamples(knotsV_, degreeV_, numCVsV_, mesh.vParams);

    const size_t count = static_cast<size_t>(mesh.rows) * mesh.columns;
    mesh.points.resize(count);
    mesh.normals.resize(count);
    for (int r = 0; r < mesh.rows; ++r) {
        const DirectionSample& su = us[r];
        const int firstU = firstCVOfSpan(su.span, degreeU_);
        for (int c = 0; c < mesh.columns; ++c) {
            const DirectionSample& sv = vs[c];
            const int firstV = firstCVOfSpan(sv.span, degreeV_);
            WeightedSum point;
            WeightedSum du;
            WeightedSum dv;
            for (int i = 0; i <= degreeU_; ++i) {
                for (int j = 0; j <= degreeV_; ++j) {
                    const MPoint& p = cvs_[index(firstU + i, firstV + j)];
                    point.add(p, su.ders[0][i] * sv.ders[0][j]);
                    du.add(p, su.ders[1][i] * sv.ders[0][j]);
                    dv.add(p, su.ders[0][i] * sv.ders[1][j]);
                }
            }
            const size_t k = static_cast<size_t>(r) * mesh.columns + c;
            mesh.points[k] = point.point();
            const MVector n = du.vector() ^ dv.vector();
            mesh.normals[k] = isDegenerate(du.vector(), dv.vector(), n)
                                  ? normalAt(mesh.uParams[r], mesh.vParams[c])
                                  : n.normal();
        }
    }

    mesh.triangles.reserve(static_cast<size_t>(mesh.rows - 1) * (mesh.columns - 1) * 6);
    for (int r = 0; r + 1 < mesh.rows; ++r) {
        for (int c = 0; c + 1 < mesh.columns; ++c) {
            const int a = r * mesh.columns + c;
            const int b = (r + 1) * mesh.columns + c;
            const int d = a + 1;
            const int e = b + 1;
            mesh.triangles.insert(mesh.triangles.end(), {a, b, e, a, e, d});
        }
    }
    return mesh;
}

}  // namespace nurbs
}  // namespace mayasim
