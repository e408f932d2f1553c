#include "NurbsPrimitives.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <maya/MQuaternion.h>

#include "NurbsCurveCreate.h"
#include "NurbsInterpolation.h"

namespace mayasim {
namespace nurbs {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Turns a primitive built about local Z onto its axis and moves it to its centre.
class Placement {
public:
    Placement(const MVector& axis, const MPoint& centre)
        : rotation_(MVector(0.0, 0.0, 1.0), axis), centre_(centre) {}

    MPoint place(double x, double y, double z) const {
        return centre_ + MVector(x, y, z).rotateBy(rotation_);
    }
    MVector turn(const MVector& local) const { return local.rotateBy(rotation_); }

private:
    MQuaternion rotation_;
    MPoint centre_;
};

// The radius of the CV circle that makes a uniform periodic cubic pass through the unit circle
// at its knots: there the curve is (P[i-1] + 4 P[i] + P[i+1]) / 6.
double cubicCircleScale(int sections) {
    return 3.0 / (2.0 + std::cos(2.0 * kPi / sections));
}

template <class T>
NurbsResult<T> fail(std::string message) {
    return NurbsResult<T>::failure(std::move(message));
}

std::string checkCircularOptions(const char* what, int degree, int sections, double radius,
                                 const MVector& axis, const char* axisName) {
    if (degree != 1 && degree != 3)
        return formatMessage("Invalid degree %d: a %s's degree must be 1 or 3.", degree, what);
    const int minSections = degree == 3 ? 4 : 3;
    if (sections < minSections)
        return formatMessage("A degree %d %s needs at least %d sections; %d given.", degree, what,
                             minSections, sections);
    if (!(radius > 0.0))
        return formatMessage("The %s's radius must be greater than 0.", what);
    if (!(axis.length() > 0.0))
        return formatMessage("The %s's %s must not be a zero vector.", what, axisName);
    return {};
}

// Knots 0 ... 1 with `degree` equal knots at each end, `patches` spans between.
std::vector<double> unitClampedKnots(int patches, int degree) {
    std::vector<double> knots(degree - 1, 0.0);
    for (int i = 0; i <= patches; ++i)
        knots.push_back(static_cast<double>(i) / patches);
    knots.insert(knots.end(), degree - 1, 1.0);
    return knots;
}

// The CV positions that make the surface linear in its parameter: the averages of the
// `degree` knots each CV's basis function starts from (Greville abscissae).
std::vector<double> grevilleAbscissae(const std::vector<double>& knots, int degree, int numCVs) {
    std::vector<double> abscissae(numCVs, 0.0);
    for (int i = 0; i < numCVs; ++i) {
        double sum = 0.0;
        for (int k = 0; k < degree; ++k)
            sum += knots[i + k];
        abscissae[i] = sum / degree;
    }
    return abscissae;
}

// The sphere's profile from pole to pole in the (radius, height) plane: x is the distance from
// the axis, z the height. Cubic: interpolates the unit semicircle at evenly spaced latitudes,
// with tangents along the circle whose length is the chord of one span; linear: the points.
std::vector<MPoint> sphereProfile(int spans, int degree) {
    std::vector<MPoint> points(spans + 1);
    for (int k = 0; k <= spans; ++k) {
        const double latitude = -0.5 * kPi + kPi * k / spans;
        points[k] = MPoint(std::cos(latitude), 0.0, std::sin(latitude));
    }
    if (degree == 1)
        return points;
    const double chord = 2.0 * std::sin(0.5 * kPi / spans);
    std::vector<double> params(spans + 1);
    for (int k = 0; k <= spans; ++k)
        params[k] = k;
    return interpolateCubicWithEndDerivatives(points, params, MVector(chord, 0.0, 0.0),
                                              MVector(-chord, 0.0, 0.0))
        .value()
        .cvs();
}

}  // namespace

NurbsResult<NurbsCurve> makeCircle(const CircleOptions& options) {
    const std::string error = checkCircularOptions("circle", options.degree, options.sections,
                                                   options.radius, options.normal, "normal");
    if (!error.empty())
        return fail<NurbsCurve>(error);

    const MVector normal = options.normal.normal();
    const Placement placement(normal, options.center);
    MVector xAxis = options.firstPoint - normal * (options.firstPoint * normal);
    if (xAxis.length() < 1.0e-12 * std::max(1.0, options.firstPoint.length()))
        xAxis = placement.turn(MVector(1.0, 0.0, 0.0));
    xAxis.normalize();
    const MVector yAxis = normal ^ xAxis;

    const int s = options.sections;
    const bool cubic = options.degree == 3;
    const double cvRadius = cubic ? options.radius * cubicCircleScale(s) : options.radius;
    const int numCVs = s + options.degree;
    // The cubic's CV 1 carries its start; the linear circle starts on CV 0. Both start 90 degrees
    // round from the first-point direction.
    const int startCV = cubic ? 1 : 0;
    std::vector<MPoint> cvs(numCVs);
    for (int j = 0; j < numCVs; ++j) {
        const double angle = 0.5 * kPi + 2.0 * kPi * (j - startCV) / s;
        cvs[j] = options.center + (xAxis * std::cos(angle) + yAxis * std::sin(angle)) * cvRadius;
    }
    return NurbsCurve::create(std::move(cvs), periodicKnots(numCVs, options.degree), options.degree,
                              true);
}

NurbsResult<NurbsSurface> makePlane(const PlaneOptions& options) {
    const int d = options.degree;
    if (d != 1 && d != 2 && d != 3 && d != 5 && d != 7)
        return fail<NurbsSurface>(
            formatMessage("Invalid degree %d: a plane's degree must be 1, 2, 3, 5 or 7.", d));
    if (options.patchesU < 1 || options.patchesV < 1)
        return fail<NurbsSurface>(
            formatMessage("A plane needs at least 1 patch in U and V; %d x %d given.",
                          options.patchesU, options.patchesV));
    if (!(options.width > 0.0) || !(options.lengthRatio > 0.0))
        return fail<NurbsSurface>("The plane's width and length ratio must be greater than 0.");
    if (!(options.axis.length() > 0.0))
        return fail<NurbsSurface>("The plane's axis must not be a zero vector.");

    const Placement placement(options.axis.normal(), options.pivot);
    std::vector<double> knotsU = unitClampedKnots(options.patchesU, d);
    std::vector<double> knotsV = unitClampedKnots(options.patchesV, d);
    const int numU = options.patchesU + d;
    const int numV = options.patchesV + d;
    const std::vector<double> gu = grevilleAbscissae(knotsU, d, numU);
    const std::vector<double> gv = grevilleAbscissae(knotsV, d, numV);
    const double length = options.width * options.lengthRatio;
    std::vector<MPoint> cvs;
    cvs.reserve(static_cast<size_t>(numU) * numV);
    for (int i = 0; i < numU; ++i) {
        for (int j = 0; j < numV; ++j)
            cvs.push_back(
                placement.place((gu[i] - 0.5) * options.width, (gv[j] - 0.5) * length, 0.0));
    }
    return NurbsSurface::create(std::move(cvs), numU, numV, std::move(knotsU), std::move(knotsV), d,
                                d, false, false);
}

NurbsResult<NurbsSurface> makeSphere(const SphereOptions& options) {
    const std::string error = checkCircularOptions("sphere", options.degree, options.sections,
                                                   options.radius, options.axis, "axis");
    if (!error.empty())
        return fail<NurbsSurface>(error);
    const int minSpans = options.degree == 3 ? 1 : 2;
    if (options.spans < minSpans)
        return fail<NurbsSurface>(
            formatMessage("A degree %d sphere needs at least %d spans; %d given.", options.degree,
                          minSpans, options.spans));

    const bool cubic = options.degree == 3;
    const Placement placement(options.axis.normal(), options.pivot);
    const std::vector<MPoint> profile = sphereProfile(options.spans, options.degree);
    const int s = options.sections;
    const int numU = static_cast<int>(profile.size());
    const int numV = s + options.degree;
    const double ringScale = cubic ? cubicCircleScale(s) : 1.0;
    // Around the axis the CVs run clockwise seen from the north pole, so that du x dv points
    // outwards; v = 0 lies on local +X (the cubic's column 1, the linear one's column 0).
    const int startColumn = cubic ? 1 : 0;
    std::vector<MPoint> cvs;
    cvs.reserve(static_cast<size_t>(numU) * numV);
    for (int i = 0; i < numU; ++i) {
        const double ring = profile[i].x * ringScale * options.radius;
        const double height = profile[i].z * options.radius;
        for (int j = 0; j < numV; ++j) {
            const double angle = 2.0 * kPi * (j - startColumn) / s;
            cvs.push_back(placement.place(ring * std::cos(angle), -ring * std::sin(angle), height));
        }
    }

    std::vector<double> knotsU(options.degree - 1, 0.0);
    for (int k = 0; k <= options.spans; ++k)
        knotsU.push_back(k);
    knotsU.insert(knotsU.end(), options.degree - 1, static_cast<double>(options.spans));
    return NurbsSurface::create(std::move(cvs), numU, numV, std::move(knotsU),
                                periodicKnots(numV, options.degree), options.degree, options.degree,
                                false, true);
}

}  // namespace nurbs
}  // namespace mayasim
