#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "NurbsCurve.h"
#include "NurbsCurveCreate.h"
#include "NurbsEditPoints.h"
#include "NurbsPrimitives.h"

using namespace mayasim::nurbs;

namespace {

constexpr double kPi = 3.14159265358979323846;

void expectPointNear(const MPoint& actual, const MPoint& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

NurbsCurve build(NurbsResult<NurbsCurve> result) {
    EXPECT_TRUE(result.ok()) << result.error();
    return result.value();
}

std::vector<MPoint> line(int count) {
    std::vector<MPoint> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(i, 0.5 * i * i, 0.0);
    return points;
}

// Both curves trace the same points over the same range.
void expectSameShape(const NurbsCurve& a, const NurbsCurve& b) {
    ASSERT_DOUBLE_EQ(a.minParam(), b.minParam());
    ASSERT_DOUBLE_EQ(a.maxParam(), b.maxParam());
    for (int k = 0; k <= 40; ++k) {
        const double u = a.minParam() + (a.maxParam() - a.minParam()) * k / 40.0;
        expectPointNear(a.pointAt(u), b.pointAt(u), 1e-9);
    }
}

}  // namespace

TEST(NurbsCurveKnots, DefaultPeriodicAndBezierKnotsFollowMayasCount) {
    EXPECT_EQ(defaultKnots(2, 1), (std::vector<double>{0, 1}));
    EXPECT_EQ(defaultKnots(4, 2), (std::vector<double>{0, 0, 1, 2, 2}));
    EXPECT_EQ(defaultKnots(5, 3), (std::vector<double>{0, 0, 0, 1, 2, 2, 2}));
    EXPECT_EQ(periodicKnots(7, 3), (std::vector<double>{-2, -1, 0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(bezierKnots(7, 3), (std::vector<double>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
    for (int degree = 1; degree <= kMaxDegree; ++degree) {
        const NurbsCurve curve = build(curveFromCVs(line(degree + 3), degree, false));
        EXPECT_EQ(curve.numKnots(), curve.numCVs() + degree - 1);
        EXPECT_EQ(curve.numSpans(), 3);
        EXPECT_EQ(curve.numEditPoints(), 4);
        // Multiple end knots: the curve starts and ends on its end CVs.
        expectPointNear(curve.pointAt(curve.minParam()), curve.cv(0), 1e-12);
        expectPointNear(curve.pointAt(curve.maxParam()), curve.cv(curve.numCVs() - 1), 1e-12);
    }
}

TEST(NurbsCurveKnots, BadInputFailsWithAMessage) {
    // Fewer CVs than degree + 1 fail, as `curve` does.
    for (int degree = 1; degree <= kMaxDegree; ++degree) {
        const auto result = curveFromCVs(line(degree), degree, false);
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.error().find("at least"), std::string::npos) << result.error();
    }
    EXPECT_FALSE(curveFromCVs(line(4), 0, false).ok());
    EXPECT_FALSE(curveFromCVs(line(9), 8, false).ok());
    EXPECT_FALSE(curveFromCVsAndKnots(line(4), {0, 0, 1, 1}, 3, false).ok());
    EXPECT_FALSE(curveFromCVsAndKnots(line(5), {0, 0, 0, 2, 1, 2, 2}, 3, false).ok());
    EXPECT_FALSE(curveFromCVsAndKnots(line(5), {0, 0, 0, 0, 1, 1, 1}, 3, false).ok());
    EXPECT_FALSE(curveFromCVsAndKnots(line(4), {1, 1, 1, 1, 1, 1}, 3, false).ok());
    // Periodic: the last `degree` CVs must repeat the first, the spacing must repeat.
    EXPECT_FALSE(curveFromCVs(line(7), 3, true).ok());
    std::vector<MPoint> closed = line(4);
    closed.insert(closed.end(), closed.begin(), closed.begin() + 3);
    EXPECT_TRUE(curveFromCVs(closed, 3, true).ok());
    EXPECT_FALSE(curveFromCVsAndKnots(closed, {-2, -1, 0, 1, 2, 3, 4, 5, 7}, 3, true).ok());
    EXPECT_FALSE(bezierCurveFromCVs(line(5), 3).ok());
    const NurbsCurve bezier = build(bezierCurveFromCVs(line(7), 3));
    EXPECT_EQ(bezier.knots(), bezierKnots(7, 3));
}

TEST(NurbsCurveEvaluation, LinearCurvesPassThroughTheirCVsAndBezierQuartersAreRound) {
    const std::vector<MPoint> cvs = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}, {-1, 3, 4}};
    const NurbsCurve polyline = build(curveFromCVs(cvs, 1, false));
    for (int i = 0; i < 4; ++i)
        expectPointNear(polyline.pointAt(i), cvs[i], 1e-12);
    expectPointNear(polyline.pointAt(1.25), MPoint(2, 0.75, 0), 1e-12);

    const double k = 4.0 / 3.0 * (std::sqrt(2.0) - 1.0);
    const NurbsCurve quarter =
        build(curveFromCVs({{1, 0, 0}, {1, k, 0}, {k, 1, 0}, {0, 1, 0}}, 3, false));
    for (int i = 0; i <= 20; ++i)
        EXPECT_NEAR(MVector(quarter.pointAt(i / 20.0)).length(), 1.0, 3e-4);
    const CurveSample start = quarter.sampleAt(0.0);
    EXPECT_NEAR(start.firstDerivative.x, 0.0, 1e-12);
    EXPECT_NEAR(start.firstDerivative.y, 3.0 * k, 1e-12);
}

TEST(NurbsCurveEvaluation, CircleHasMayasCVsAndStaysOnTheCircle) {
    const NurbsCurve circle = build(makeCircle(CircleOptions()));
    EXPECT_EQ(circle.form(), NurbsForm::kPeriodic);
    EXPECT_EQ(circle.numCVs(), 11);
    EXPECT_EQ(circle.numSpans(), 8);
    EXPECT_EQ(circle.numEditPoints(), 8);
    EXPECT_EQ(circle.knots(), periodicKnots(11, 3));
    EXPECT_DOUBLE_EQ(circle.minParam(), 0.0);
    EXPECT_DOUBLE_EQ(circle.maxParam(), 8.0);
    // The values Maya saves for a default circle.
    expectPointNear(circle.cv(0), MPoint(0.78361162489122449, 0.7836116248912246, 0), 1e-12);
    expectPointNear(circle.cv(1), MPoint(0, 1.1081941875543877, 0), 1e-12);
    expectPointNear(circle.cv(7), MPoint(1.1081941875543881, 0, 0), 1e-12);
    expectPointNear(circle.cv(8), circle.cv(0), 0.0);
    expectPointNear(circle.pointAt(0.0), MPoint(0, 1, 0), 1e-12);
    for (int i = 0; i <= 80; ++i) {
        const double radius = MVector(circle.pointAt(i / 10.0)).length();
        EXPECT_NEAR(radius, 1.0, i % 10 == 0 ? 1e-12 : 2e-3);
    }

    // Periodic: position and derivatives agree across the seam.
    const CurveSample before = circle.sampleAt(8.0 - 1e-9);
    const CurveSample after = circle.sampleAt(1e-9);
    expectPointNear(before.point, after.point, 1e-8);
    EXPECT_TRUE(before.firstDerivative.isEquivalent(after.firstDerivative, 1e-6));
    EXPECT_TRUE(before.secondDerivative.isEquivalent(after.secondDerivative, 1e-6));
    expectPointNear(circle.pointAt(9.5), circle.pointAt(1.5), 1e-12);

    CircleOptions yUp;
    yUp.normal = MVector(0, 1, 0);
    yUp.radius = 3.0;
    yUp.sections = 6;
    const NurbsCurve six = build(makeCircle(yUp));
    EXPECT_EQ(six.numCVs(), 9);
    // Maya's six-section circle of radius 3 about Y.
    expectPointNear(six.cv(0), MPoint(3.1176914536239817, 0, -1.8), 1e-9);
    expectPointNear(six.cv(1), MPoint(0, 0, -3.6), 1e-9);

    CircleOptions bad;
    bad.sections = 3;
    EXPECT_FALSE(makeCircle(bad).ok());
    bad = CircleOptions();
    bad.radius = 0.0;
    EXPECT_FALSE(makeCircle(bad).ok());
}

TEST(NurbsCurveEvaluation, MovingCVsKeepsPeriodicCopiesBoundAndRederivesTheForm) {
    NurbsCurve circle = build(makeCircle(CircleOptions()));
    circle.setCV(1, MPoint(0, 2, 0));
    expectPointNear(circle.cv(9), MPoint(0, 2, 0), 0.0);
    circle.setCV(10, MPoint(-1, 1, 0));
    expectPointNear(circle.cv(2), MPoint(-1, 1, 0), 0.0);

    NurbsCurve open = build(curveFromCVs({{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 0, 0}}, 3, false));
    EXPECT_EQ(open.form(), NurbsForm::kOpen);
    open.setCV(3, MPoint(0, 0, 0));
    EXPECT_EQ(open.form(), NurbsForm::kClosed);
}

TEST(NurbsCurveQueries, ClosestPointIsTheTrueMinimum) {
    const NurbsCurve circle = build(makeCircle(CircleOptions()));
    const MPoint target(2.0, 2.0, 0.5);
    const CurveClosestPoint closest = circle.closestPoint(target);
    // Analytically the circle point towards (2, 2), at 45 degrees.
    expectPointNear(closest.point, MPoint(std::sqrt(0.5), std::sqrt(0.5), 0), 2e-3);
    double brute = 1e300;
    for (int i = 0; i <= 80000; ++i)
        brute = std::min(brute, circle.pointAt(i * 8.0 / 80000).distanceTo(target));
    EXPECT_LE(closest.distance, brute + 1e-12);
    EXPECT_NEAR(circle.sampleAt(closest.param).firstDerivative * (closest.point - target), 0.0,
                1e-9);
    EXPECT_GE(closest.param, 0.0);
    EXPECT_LT(closest.param, 8.0);

    // Near the seam the answer wraps into the range.
    const CurveClosestPoint seam = circle.closestPoint(MPoint(-0.05, 3.0, 0));
    EXPECT_GE(seam.param, 0.0);
    EXPECT_LT(seam.param, 8.0);
    EXPECT_NEAR(seam.point.y, 1.0, 2e-3);

    // Beyond an open curve's end the end point is closest.
    const NurbsCurve open = build(curveFromCVs(line(5), 3, false));
    const CurveClosestPoint end = open.closestPoint(MPoint(10, 20, 0));
    EXPECT_DOUBLE_EQ(end.param, open.maxParam());

    EXPECT_TRUE(circle.isPointOnCurve(circle.pointAt(2.3)));
    EXPECT_FALSE(circle.isPointOnCurve(circle.pointAt(2.3) * 1.01));
    EXPECT_TRUE(circle.isPointOnCurve(circle.pointAt(2.3) * 1.01, 0.02));
}

TEST(NurbsCurveCreation, EditPointCurvesPassThroughThePoints) {
    const std::vector<MPoint> points = {{0, 0, 0}, {1, 2, 0}, {3, 3, 1}, {4, 1, 0}, {6, 0, 2}};
    for (int degree = 1; degree <= 5; ++degree) {
        const NurbsCurve curve =
            build(curveFromEditPoints(points, degree, Parameterization::kChordLength));
        EXPECT_EQ(curve.numCVs(), 5 + degree - 1);
        EXPECT_EQ(curve.numSpans(), 4);
        double chord = 0.0;
        for (size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                chord += points[i].distanceTo(points[i - 1]);
            EXPECT_DOUBLE_EQ(curve.editPointParams()[i], chord);
            expectPointNear(curve.pointAt(chord), points[i], 1e-9);
        }
    }

    // Interpolation reproduces a cubic polynomial exactly: nothing but the data shapes it.
    std::vector<MPoint> cubic;
    for (int t = 0; t <= 4; ++t)
        cubic.emplace_back(t, t * t, t * t * t);
    const NurbsCurve fitted = build(curveFromEditPoints(cubic, 3, Parameterization::kUniform));
    for (double t : {0.5, 1.7, 3.25})
        expectPointNear(fitted.pointAt(t), MPoint(t, t * t, t * t * t), 1e-9);

    // Too few points for the degree: the lowest-degree polynomial through them.
    const NurbsCurve straight =
        build(curveFromEditPoints({{0, 0, 0}, {3, 0, 0}}, 3, Parameterization::kChordLength));
    ASSERT_EQ(straight.numCVs(), 4);
    for (int i = 0; i < 4; ++i)
        expectPointNear(straight.cv(i), MPoint(i, 0, 0), 1e-12);
    const NurbsCurve parabola = build(
        curveFromEditPoints({{0, 0, 0}, {1, 1, 0}, {2, 4, 0}}, 5, Parameterization::kUniform));
    expectPointNear(parabola.pointAt(1.5), MPoint(1.5, 2.25, 0), 1e-9);

    EXPECT_FALSE(curveFromEditPoints({{0, 0, 0}}, 3, Parameterization::kChordLength).ok());
    EXPECT_FALSE(
        curveFromEditPoints({{0, 0, 0}, {1, 0, 0}, {1, 0, 0}}, 3, Parameterization::kChordLength)
            .ok());
}

TEST(NurbsCurveCreation, BezierConversionKeepsTheShapeWithTripleKnots) {
    const NurbsCurve open = build(curveFromCVs(line(7), 3, false));
    const NurbsCurve bezier = build(nurbsCurveToBezier(open));
    EXPECT_EQ(bezier.numCVs(), 3 * open.numSpans() + 1);
    EXPECT_EQ(bezier.knots(), (std::vector<double>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}));
    expectSameShape(open, bezier);

    const NurbsCurve circle = build(makeCircle(CircleOptions()));
    const NurbsCurve closedBezier = build(nurbsCurveToBezier(circle));
    EXPECT_EQ(closedBezier.form(), NurbsForm::kClosed);
    EXPECT_EQ(closedBezier.numCVs(), 25);
    expectSameShape(circle, closedBezier);

    const NurbsCurve inserted = open.insertKnot(1.5, 2);
    EXPECT_EQ(inserted.numCVs(), open.numCVs() + 2);
    expectSameShape(open, inserted);

    const NurbsCurve quadratic = build(curveFromCVs(line(5), 2, false));
    EXPECT_FALSE(nurbsCurveToBezier(quadratic).ok());
    expectSameShape(quadratic, toBezierForm(quadratic));
}

TEST(NurbsCurveQueries, TessellationCoversTheRangeEndToEnd) {
    const NurbsCurve circle = build(makeCircle(CircleOptions()));
    const std::vector<MPoint> points = circle.tessellate(4);
    ASSERT_EQ(points.size(), 8u * 4u + 1u);
    expectPointNear(points.front(), points.back(), 1e-12);
    for (size_t i = 0; i < points.size(); ++i)
        expectPointNear(points[i], circle.pointAt(i / 4.0), 1e-12);
}

TEST(NurbsEditPoints, MovingOneKeepsTheKnotsAndTheOthersAndUndoesExactly) {
    NurbsCurve open = build(curveFromCVs(line(7), 3, false));
    CircleOptions options;
    NurbsCurve circle = build(makeCircle(options));
    for (NurbsCurve* curve : {&open, &circle}) {
        const NurbsCurve original = *curve;
        const std::vector<double> params = curve->editPointParams();
        const MPoint target = curve->editPoint(1) + MVector(0.5, -1.0, 2.0);
        setEditPoints(*curve, {{1, target}});
        EXPECT_EQ(curve->knots(), original.knots());
        EXPECT_EQ(curve->form(), original.form());
        for (size_t i = 0; i < params.size(); ++i) {
            expectPointNear(curve->pointAt(params[i]),
                            i == 1 ? target : original.pointAt(params[i]), 1e-9);
        }
        setEditPoints(*curve, {{1, original.editPoint(1)}});
        for (int i = 0; i < curve->numCVs(); ++i)
            expectPointNear(curve->cv(i), original.cv(i), 1e-9);
    }
}
