// Building and reading NURBS through the function sets, as plug-ins do: Maya's answers for
// forms, knots, lengths and parameters, and refusals that leave no node behind.

#include <cmath>

#include <maya/MDoubleArray.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MItGeometry.h>
#include <maya/MPointArray.h>

#include "SceneTestSupport.h"

namespace {

MPointArray points(std::initializer_list<MPoint> list) {
    MPointArray array;
    for (const MPoint& p : list)
        array.append(p);
    return array;
}

MDoubleArray doubles(std::initializer_list<double> list) {
    MDoubleArray array;
    for (double d : list)
        array.append(d);
    return array;
}

class NurbsFunctionSetTest : public scenetest::SceneTest {};

TEST_F(NurbsFunctionSetTest, CurvesAreCreatedInTheFormAskedOrNotAtAll) {
    MFnNurbsCurve fn;
    MStatus status;
    const MObject made =
        fn.create(points({{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 0, 0}}), doubles({0, 0, 0, 1, 1, 1}),
                  3, MFnNurbsCurve::kOpen, false, false, MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(made.hasFn(MFn::kTransform)) << "without a parent the transform comes back";
    EXPECT_EQ(run("listRelatives -s curve1").asStringArray(),
              std::vector<std::string>{"curveShape1"});
    double start = -1, end = -1;
    fn.getKnotDomain(start, end);
    EXPECT_EQ(start, 0.0);
    EXPECT_EQ(end, 1.0);
    double param = -1;
    MPoint on;
    fn.getPointAtParam(0.25, on);
    EXPECT_TRUE(fn.getParamAtPoint(on, param));
    EXPECT_NEAR(param, 0.25, 1e-6);
    EXPECT_FALSE(fn.getParamAtPoint(on + MVector(0, 0, 1), param)) << "off the curve";
    EXPECT_NEAR(fn.tangent(0.0).normal() * MVector(1, 1, 0).normal(), 1.0, 1e-9);

    // A straight line's length is exact; a circle's is 2 pi r within its 0.2% approximation.
    MFnNurbsCurve line;
    line.create(points({{0, 0, 0}, {3, 4, 0}}), doubles({0, 1}), 1, MFnNurbsCurve::kOpen, false,
                false);
    EXPECT_NEAR(line.length(), 5.0, 1e-12);
    run("circle -r 2 -n ring");
    EXPECT_NEAR(MFnNurbsCurve(pathTo("ring")).length(), 4.0 * M_PI, 4.0 * M_PI * 0.002);

    const std::string before = sceneState();
    MFnNurbsCurve bad;
    bad.create(points({{0, 0, 0}, {1, 0, 0}}), doubles({0, 0, 1}), 1, MFnNurbsCurve::kOpen, false,
               false, MObject::kNullObj, &status);
    EXPECT_EQ(status, MS::kInvalidParameter) << "one knot too many";
    bad.create(points({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}), doubles({0, 1, 2}), 1,
               MFnNurbsCurve::kClosed, false, false, MObject::kNullObj, &status);
    EXPECT_EQ(status, MS::kInvalidParameter) << "closed, but the ends do not meet";
    bad.create(points({{0, 0, 0}, {1, 0, 0}}), doubles({0, 1}), 1, MFnNurbsCurve::kOpen, false,
               true, MObject::kNullObj, &status);
    EXPECT_EQ(status, MS::kInvalidParameter) << "rational curves are not made";
    EXPECT_EQ(sceneState(), before);
}

TEST_F(NurbsFunctionSetTest, SurfacesAreCreatedFromTheirKnotsAndMovedPointByPoint) {
    // A bilinear patch of 2 x 3 CVs, u slowest.
    MFnNurbsSurface fn;
    MStatus status;
    fn.create(points({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {1, 0, 0}, {1, 1, 0}, {1, 2, 0}}),
              doubles({0, 1}), doubles({0, 1, 2}), 1, 1, MFnNurbsSurface::kOpen,
              MFnNurbsSurface::kOpen, false, MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(fn.numCVsInU(), 2);
    EXPECT_EQ(fn.numCVsInV(), 3);
    MPoint p;
    fn.getPointAtParam(0.5, 1.5, p);
    EXPECT_TRUE(p.isEquivalent(MPoint(0.5, 1.5, 0), 1e-12));
    EXPECT_TRUE(fn.normal(0.5, 0.5).isEquivalent(MVector(0, 0, 1), 1e-12));

    // Closing the patch by moving its last row onto its first makes it closed in u once
    // updateSurface runs, as MFnNurbsSurface's users are told to call it.
    MItGeometry it(fn.dagPath());
    MPointArray all;
    it.allPositions(all);
    for (unsigned int v = 0; v < 3; ++v)
        all[3 + v] = all[v];
    it.setAllPositions(all);
    fn.updateSurface();
    EXPECT_EQ(fn.formInU(), MFnNurbsSurface::kClosed);

    const std::string before = sceneState();
    fn.create(points({{0, 0, 0}, {1, 0, 0}}), doubles({0, 1}), doubles({0, 1}), 1, 1,
              MFnNurbsSurface::kOpen, MFnNurbsSurface::kOpen, false, MObject::kNullObj, &status);
    EXPECT_EQ(status, MS::kInvalidParameter) << "2 CVs for a 2 x 2 grid";
    EXPECT_EQ(sceneState(), before);
}

TEST_F(NurbsFunctionSetTest, ShapesKeepTheirGeometryWhenTheirHistoryGoes) {
    run("nurbsSphere -r 3; circle -r 2");
    run("delete makeNurbSphere1 makeNurbCircle1");
    EXPECT_NEAR(MFnNurbsSurface(pathTo("nurbsSphere1")).distanceToPoint(MPoint(0, 10, 0)), 7.0,
                1e-3);
    EXPECT_NEAR(MFnNurbsCurve(pathTo("nurbsCircle1")).distanceToPoint(MPoint(0, 7, 0)), 5.0, 0.01);
    EXPECT_EQ(run("getAttr nurbsSphereShape1.spansU").asInt(), 4);
    EXPECT_NEAR(run("getAttr nurbsSphereShape1.cp[76].yv").asDouble(), 3.0, 1e-12) << "the pole";
}

}  // namespace
