// NURBS curves and surfaces through Maya's commands, function sets and iterators: names,
// defaults, history, world-space queries, CV iteration, undo and bad input.

#include <maya/MDoubleArray.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MItCurveCV.h>
#include <maya/MItGeometry.h>
#include <maya/MItSurfaceCV.h>
#include <maya/MPlug.h>
#include <maya/MPointArray.h>

#include <sstream>

#include "SceneTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

void expectNear(const MPoint& actual, const MPoint& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.distanceTo(expected), 0.0, tolerance)
        << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") vs (" << expected.x << ", "
        << expected.y << ", " << expected.z << ")";
}

std::vector<double> knotsOf(const MFnNurbsCurve& fn) {
    MDoubleArray knots;
    fn.getKnots(knots);
    std::vector<double> out;
    for (unsigned int i = 0; i < knots.length(); ++i)
        out.push_back(knots[i]);
    return out;
}

class NurbsTest : public scenetest::SceneTest {};

TEST_F(NurbsTest, CurveCommandMakesMayasCurves) {
    EXPECT_EQ(run("curve -d 3 -p 0 0 0 -p 1 1 0 -p 2 -1 0 -p 3 0 0").asString(), "curve1");
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"curve1"});
    EXPECT_EQ(run("listRelatives -s curve1").asStringArray(), Strings{"curveShape1"});
    EXPECT_EQ(run("nodeType curveShape1").asString(), "nurbsCurve");
    MFnNurbsCurve curve(pathTo("curve1"));
    EXPECT_EQ(curve.numCVs(), 4);
    EXPECT_EQ(curve.form(), MFnNurbsCurve::kOpen);
    EXPECT_EQ(knotsOf(curve), (std::vector<double>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(run("getAttr curveShape1.degree").asInt(), 3);
    EXPECT_EQ(run("getAttr curveShape1.spans").asInt(), 1);
    EXPECT_EQ(run("getAttr curveShape1.controlPoints[1]").asDoubleArray(),
              (std::vector<double>{1, 1, 0}));
    EXPECT_EQ(run("getAttr curve1.cp[2].yv").asDouble(), -1.0);

    // Through edit points, the curve passes through every one of them.
    run("curve -d 3 -ep 0 0 0 -ep 2 0 0 -ep 4 1 0 -ep 5 3 1 -n thru");
    MFnNurbsCurve thru(pathTo("thru"));
    for (const MPoint& p : {MPoint(0, 0, 0), MPoint(2, 0, 0), MPoint(4, 1, 0), MPoint(5, 3, 1)})
        EXPECT_TRUE(thru.isPointOnCurve(p, 1e-6));
    // Knots given; a periodic curve repeats its first CVs; -r rebuilds a live curve in place.
    run("curve -d 1 -p 0 0 0 -p 1 0 0 -p 1 1 0 -k 0 -k 2 -k 3 -n bent");
    EXPECT_EQ(knotsOf(MFnNurbsCurve(pathTo("bent"))), (std::vector<double>{0, 2, 3}));
    run("curve -d 3 -per 1 -p 0 0 0 -p 1 0 0 -p 1 1 0 -p 0 1 0 -p 0 0 0 -p 1 0 0 -p 1 1 0 "
        "-n loop");
    EXPECT_EQ(MFnNurbsCurve(pathTo("loop")).form(), MFnNurbsCurve::kPeriodic);
    const std::string before = sceneState();
    EXPECT_EQ(run("curve -r -d 1 -p 0 0 0 -p 5 0 0 curve1").asString(), "curve1");
    EXPECT_EQ(curve.numCVs(), 2);
    EXPECT_EQ(sceneState(), before) << "-r makes no new nodes";
    run("undo");
    EXPECT_EQ(curve.numCVs(), 4);
}

TEST_F(NurbsTest, BadCurvesFailWithAMessageAndChangeNothing) {
    run("curve -d 1 -p 0 0 0 -p 1 0 0");
    const std::string before = sceneState();
    for (const char* bad :
         {"curve -d 3 -p 0 0 0", "curve -d 9 -p 0 0 0 -p 1 0 0",
          "curve -p 0 0 0 -p 1 0 0 -ep 2 0 0", "curve -d 1 -p 0 0 0 -p 1 0 0 -k 0",
          "curve -d 1 -p 0 0 0 -p 1 0 0 "
          "-k 1 -k 0",
          "curve -d 1 -ep 0 0 0 -ep 0 0 0", "curve -r -d 1 -p 0 0 0 -p 1 0 0", "circle -d 2",
          "nurbsSphere -r 0", "nurbsPlane -u 0", "nurbsCurveToBezier"}) {
        fails(bad);
        EXPECT_EQ(sceneState(), before) << bad;
    }
    EXPECT_NE(fails("nurbsCurveToBezier curve1").find("cubic"), std::string::npos);
}

TEST_F(NurbsTest, PrimitivesHaveMayasDefaultsAndLiveHistory) {
    EXPECT_EQ(run("circle").asStringArray(), (Strings{"nurbsCircle1", "makeNurbCircle1"}));
    EXPECT_EQ(run("nurbsPlane").asStringArray(), (Strings{"nurbsPlane1", "makeNurbPlane1"}));
    EXPECT_EQ(run("nurbsSphere").asStringArray(), (Strings{"nurbsSphere1", "makeNurbSphere1"}));
    EXPECT_EQ(run("listRelatives -s nurbsSphere1").asStringArray(), Strings{"nurbsSphereShape1"});
    MFnNurbsCurve circle(pathTo("nurbsCircle1"));
    EXPECT_EQ(circle.numCVs(), 11);
    EXPECT_EQ(circle.form(), MFnNurbsCurve::kPeriodic);
    MFnNurbsSurface sphere(pathTo("nurbsSphere1"));
    EXPECT_EQ(sphere.numCVsInU(), 7);
    EXPECT_EQ(sphere.numCVsInV(), 11);
    EXPECT_EQ(sphere.formInV(), MFnNurbsSurface::kPeriodic);
    EXPECT_EQ(run("getAttr nurbsSphereShape1.formV").asInt(), 2);
    EXPECT_EQ(MFnNurbsSurface(pathTo("nurbsPlane1")).numCVsInU(), 4);

    // A CV moved on the shape stays moved, as a tweak, when the creator recomputes.
    MPoint cv0;
    circle.getCV(0, cv0);
    MPoint cv1;
    circle.getCV(1, cv1);
    circle.setCV(1, cv1 + MVector(0, 0, 1));
    run("setAttr makeNurbCircle1.radius 3");
    MPoint scaled0;
    circle.getCV(0, scaled0);
    expectNear(scaled0, MPoint(MVector(cv0) * 3.0));
    MPoint tweaked;
    circle.getCV(1, tweaked);
    expectNear(tweaked, MPoint(MVector(cv1) * 3.0) + MVector(0, 0, 1));
    run("undo");
    circle.getCV(0, scaled0);
    expectNear(scaled0, cv0);

    // Without history there is no creator; the shape holds the geometry itself.
    EXPECT_EQ(run("circle -ch 0 -r 2 -n plain").asStringArray(), Strings{"plain"});
    EXPECT_EQ(run("ls -type makeNurbCircle").asStringArray(), Strings{"makeNurbCircle1"});
    EXPECT_NEAR(MFnNurbsCurve(pathTo("plain")).distanceToPoint(MPoint(0, 0, 0)), 2.0, 0.01);
    run("undo");
    EXPECT_EQ(run("ls plain").asStringArray(), Strings{});
}

TEST_F(NurbsTest, BezierConversionKeepsTheShape) {
    run("curve -d 3 -p 0 0 0 -p 1 2 0 -p 3 2 0 -p 4 0 0 -p 6 -1 0");
    MFnNurbsCurve fn(pathTo("curve1"));
    std::vector<MPoint> before;
    for (double u : {0.0, 0.3, 1.0, 1.7, 2.0}) {
        MPoint p;
        fn.getPointAtParam(u, p);
        before.push_back(p);
    }
    run("nurbsCurveToBezier");
    EXPECT_EQ(knotsOf(fn), (std::vector<double>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
    int i = 0;
    for (double u : {0.0, 0.3, 1.0, 1.7, 2.0}) {
        MPoint p;
        fn.getPointAtParam(u, p);
        expectNear(p, before[i++]);
    }
}

TEST_F(NurbsTest, QueriesAnswerInTheSpaceAsked) {
    run("curve -d 1 -p 0 0 0 -p 10 0 0 -n line; setAttr line.ty 5; setAttr line.sx 2");
    MFnNurbsCurve line(pathTo("line"));
    double param = -1.0;
    expectNear(line.closestPoint(MPoint(4, 8, 0), &param, kMFnNurbsEpsilon, MSpace::kWorld),
               MPoint(4, 5, 0));
    EXPECT_NEAR(param, 0.2, 1e-9) << "the parameter is the curve's own";
    EXPECT_NEAR(line.distanceToPoint(MPoint(4, 8, 0), MSpace::kWorld), 3.0, 1e-9);
    EXPECT_TRUE(line.isPointOnCurve(MPoint(15, 5, 0), 1e-6, MSpace::kWorld));
    EXPECT_FALSE(line.isPointOnCurve(MPoint(15, 5, 0), 1e-6, MSpace::kObject));
    MPoint p;
    EXPECT_FALSE(line.getPointAtParam(1.5, p));

    // A plane facing +z, lifted by 2: ray hits, distances and closest points in world space.
    run("nurbsPlane -w 10 -ax 0 0 1 -n floor; setAttr floor.tz 2");
    MFnNurbsSurface plane(pathTo("floor"));
    double u = 0, v = 0, distance = 0;
    MPoint hit;
    EXPECT_TRUE(plane.intersect(MPoint(1, 2, 7), MVector(0, 0, -1), u, v, hit, 1e-3, MSpace::kWorld,
                                true, &distance));
    expectNear(hit, MPoint(1, 2, 2), 1e-6);
    EXPECT_NEAR(distance, 5.0, 1e-6);
    EXPECT_FALSE(
        plane.intersect(MPoint(1, 2, 7), MVector(1, 0, 0), u, v, hit, 1e-3, MSpace::kWorld));
    EXPECT_FALSE(
        plane.intersect(MPoint(20, 0, 7), MVector(0, 0, -1), u, v, hit, 1e-3, MSpace::kWorld))
        << "beside the plane";
    EXPECT_NEAR(plane.distanceToPoint(MPoint(1, 1, -1), MSpace::kWorld), 3.0, 1e-6);
    expectNear(plane.closestPoint(MPoint(9, 1, 4), nullptr, nullptr, false, 1e-3, MSpace::kWorld),
               MPoint(5, 1, 2), 1e-6);
    EXPECT_TRUE(plane.isPointOnSurface(MPoint(-3, 4, 2), 1e-6, MSpace::kWorld));
    // Turned and scaled evenly (answered in object space and carried back) the same holds.
    run("setAttr floor.scale 2 2 2; setAttr floor.rotateZ 90");
    EXPECT_TRUE(plane.intersect(MPoint(1, 2, 7), MVector(0, 0, -1), u, v, hit, 1e-3, MSpace::kWorld,
                                true, &distance));
    EXPECT_NEAR(distance, 5.0, 1e-6);
    expectNear(plane.closestPoint(MPoint(9, 1, 4), nullptr, nullptr, false, 1e-3, MSpace::kWorld),
               MPoint(9, 1, 2), 1e-6);
    EXPECT_NEAR(plane.distanceToPoint(MPoint(12, 0, 2), MSpace::kWorld), 2.0, 1e-6);

    // A sphere meets the true sphere at its knots and stays close in between.
    run("nurbsSphere -r 2 -n ball");
    MFnNurbsSurface ball(pathTo("ball"));
    EXPECT_TRUE(ball.intersect(MPoint(0, 0, 10), MVector(0, 0, -1), u, v, hit, 1e-3, MSpace::kWorld,
                               true, &distance));
    EXPECT_NEAR(distance, 8.0, 0.02);
    MDoubleArray us, vs;
    MPointArray hits;
    EXPECT_TRUE(
        ball.intersect(MPoint(0, 0, 10), MVector(0, 0, -1), us, vs, hits, 1e-3, MSpace::kWorld));
    EXPECT_EQ(hits.length(), 2u) << "in and out";
}

TEST_F(NurbsTest, IteratorsWalkCVsInRowsAlongU) {
    run("nurbsSphere -n ball");
    MDagPath ball = pathTo("ball");
    MItSurfaceCV all(ball);
    int rows = 0, total = 0;
    for (; !all.isDone(); all.nextRow(), ++rows) {
        int inRow = 0;
        for (; !all.isRowDone(); all.next(), ++inRow, ++total) {
            int u = -1, v = -1;
            all.getIndex(u, v);
            EXPECT_EQ(u, rows);
            EXPECT_EQ(v, inRow);
            EXPECT_EQ(all.index(), u * 11 + v);
        }
        EXPECT_EQ(inRow, 11);
    }
    EXPECT_EQ(rows, 7);
    EXPECT_EQ(total, 77);

    // Some CVs only, each once; moving them through the iterator moves the surface.
    MFnNurbsSurface fn(ball);
    MObject some = fn.cv(4, 0);
    MItSurfaceCV picked(ball, some);
    ASSERT_FALSE(picked.isDone());
    MPoint before = picked.position(MSpace::kWorld);
    picked.translateBy(MVector(0, 1, 0), MSpace::kWorld);
    picked.updateSurface();
    MPoint after;
    fn.getCV(4, 0, after);
    expectNear(after, before + MVector(0, 1, 0));

    run("circle -n ring; setAttr ring.tx 5");
    MFnNurbsCurve ring(pathTo("ring"));
    MObject cv3 = ring.cv(3);
    MItCurveCV one(pathTo("ring"), cv3);
    EXPECT_EQ(one.index(), 3);
    MPoint cv;
    ring.getCV(3, cv, MSpace::kWorld);
    expectNear(one.position(MSpace::kWorld), cv);
    one.next();
    EXPECT_TRUE(one.isDone());
    MItGeometry points(pathTo("ring"));
    EXPECT_EQ(points.count(), 11);
    EXPECT_EQ(points.position(MSpace::kWorld).x - points.position().x, 5.0);
}

}  // namespace

namespace {

class NurbsComponentTest : public scenetest::SceneTest {};

std::vector<double> position(const std::string& component) {
    mayasim::Value result;
    mayasim::CommandEngine::instance().executeMel(("pointPosition " + component).c_str(), &result,
                                                  false, false);
    return result.asDoubleArray();
}

TEST_F(NurbsComponentTest, CurveCVsAndEditPointsSelectMoveAndUndo) {
    run("curve -d 3 -p 0 0 0 -p 1 1 0 -p 2 1 0 -p 3 0 0 -p 4 0 0");
    run("select -r curve1.cv[2]; select -add curve1.cv[3] curve1.cv[1]");
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"curve1.cv[1:3]"});
    MSelectionList active = mayasim::Scene::instance().activeSelection();
    EXPECT_TRUE(active.hasItem(pathTo("curveShape1"), MFnNurbsCurve(pathTo("curve1")).cv(2)));
    // Picked with the transform's path (as iterators over a hilited object give them), a CV
    // is the same item, named and moved like one picked by name.
    MSelectionList picked;
    picked.add(pathTo("curve1"), MFnNurbsCurve(pathTo("curve1")).cv(0));
    MStringArray names;
    picked.getSelectionStrings(names);
    ASSERT_EQ(names.length(), 1u);
    EXPECT_EQ(std::string(names[0].asChar()), "curve1.cv[0]");
    mayasim::Scene::instance().setActiveSelection(picked);
    run("move -r 0 0 2");
    EXPECT_EQ(position("curve1.cv[0]"), (std::vector<double>{0, 0, 2}));
    run("undo");

    run("move -a -os 1 5 3 \"curve1.cv[2]\"");
    EXPECT_EQ(position("curve1.cv[2]"), (std::vector<double>{1, 5, 3}));
    run("undo");
    EXPECT_EQ(position("curve1.cv[2]"), (std::vector<double>{2, 1, 0}));

    // An edit point moves where it is sent; the knots and the other edit points stay.
    MFnNurbsCurve fn(pathTo("curve1"));
    const std::vector<double> knots = knotsOf(fn);
    const std::vector<double> ep1 = position("curve1.ep[1]");
    const std::vector<double> ep0 = position("curve1.ep[0]");
    run("move -r 0 2 0 curve1.ep[1]");
    const std::vector<double> moved = position("curve1.ep[1]");
    EXPECT_NEAR(moved[1], ep1[1] + 2.0, 1e-9);
    EXPECT_EQ(position("curve1.ep[0]"), ep0);
    EXPECT_EQ(knotsOf(fn), knots);

    // A periodic direction lists its CVs without the repeated ones.
    run("circle; select -r nurbsCircle1.cv[*]");
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"nurbsCircle1.cv[0:7]"});
    const std::string before = sceneState();
    for (const char* bad :
         {"select -r curve1.cv[9]", "select -r curve1.cv[1][1]", "move -a 1 1 1 curve1.cv[9]"}) {
        fails(bad);
        EXPECT_EQ(sceneState(), before) << bad;
    }
}

TEST_F(NurbsComponentTest, SurfaceCVsAreAddressedByUAndV) {
    run("nurbsSphere");
    run("select -r nurbsSphere1.cv[1:2][3] nurbsSphere1.cv[4][0]");
    EXPECT_EQ(run("ls -sl").asStringArray(),
              (Strings{"nurbsSphere1.cv[1:2][3]", "nurbsSphere1.cv[4][0]"}));
    run("select -r nurbsSphere1.cv[*][*]");
    EXPECT_EQ(run("ls -sl").asStringArray(), Strings{"nurbsSphere1.cv[0:6][0:7]"});
    MPoint before;
    MFnNurbsSurface fn(pathTo("nurbsSphere1"));
    fn.getCV(4, 0, before);
    run("move -r 0 0 2 nurbsSphere1.cv[4][0]");
    MPoint after;
    fn.getCV(4, 0, after);
    EXPECT_NEAR(after.z - before.z, 2.0, 1e-12);
    fn.getCV(4, 8, after);
    EXPECT_NEAR(after.z - before.z, 2.0, 1e-12) << "the periodic copy moves along";
    fails("select -r nurbsSphere1.cv[1]");
}

TEST_F(NurbsComponentTest, ShapesAnswerThroughTheirTransformAndDuplicatesAreIndependent) {
    run("curve -d 1 -p 0 0 0 -p 1 0 0; setAttr \".dispCV\" 1");
    EXPECT_EQ(run("getAttr curveShape1.dispCV").asInt(), 1) << "the selected curve's shape";
    EXPECT_EQ(run("getAttr curve1.degree").asInt(), 1);

    run("duplicate curve1; move -a 0 3 0 curve2.cv[0]");
    EXPECT_EQ(position("curve1.cv[0]"), (std::vector<double>{0, 0, 0}));
    run("circle -n ring; duplicate ring; setAttr makeNurbCircle1.radius 5");
    EXPECT_NEAR(MFnNurbsCurve(pathTo("ring1")).distanceToPoint(MPoint(0, 0, 0)), 1.0, 0.01)
        << "a duplicate keeps its shape, not its history";
    EXPECT_NEAR(MFnNurbsCurve(pathTo("ring")).distanceToPoint(MPoint(0, 0, 0)), 5.0, 0.05);
}

}  // namespace

namespace {

// Every node with its parent and transform values, every curve's and surface's CVs, and
// the selection: what undo must restore.
std::string fullState() {
    std::ostringstream out;
    for (const MObject& node : mayasim::Scene::instance().nodes()) {
        MDagPath path;
        const bool dag = MDagPath::getAPathTo(node, path);
        out << (dag ? path.fullPathName() : MFnDependencyNode(node).name()) << "\n";
        for (const char* attr : {"tx", "ty", "tz", "rx", "ry", "rz", "jox", "joy", "joz", "radi"}) {
            MStatus status;
            const MPlug plug = MFnDependencyNode(node).findPlug(attr, &status);
            if (status)
                out << " " << plug.asDouble();
        }
        MPointArray cvs;
        if (node.hasFn(MFn::kNurbsCurve))
            MFnNurbsCurve(node).getCVs(cvs);
        if (node.hasFn(MFn::kNurbsSurface))
            MFnNurbsSurface(node).getCVs(cvs);
        for (unsigned int i = 0; i < cvs.length(); ++i)
            out << " (" << cvs[i].x << " " << cvs[i].y << " " << cvs[i].z << ")";
        out << "\n";
    }
    MStringArray selected;
    mayasim::Scene::instance().activeSelection().getSelectionStrings(selected);
    for (unsigned int i = 0; i < selected.length(); ++i)
        out << "sel " << selected[i] << "\n";
    return out.str();
}

class NurbsUndoTest : public scenetest::SceneTest {};

TEST_F(NurbsUndoTest, EveryEditUndoesAndRedoesExactly) {
    run("curve -d 3 -p 0 0 0 -p 1 2 0 -p 3 2 0 -p 4 0 0 -p 5 1 0; circle -n ring; nurbsSphere");
    run("select -cl; joint -p 0 0 0; joint -p 0 0 4; joint -p 3 0 4; select -cl");
    run("flushUndo");
    const char* edits[] = {
        "curve -d 1 -p 0 0 0 -p 2 2 2",
        "curve -r -d 1 -p 0 0 0 -p 2 2 2 curve1",
        "circle -s 6 -r 3",
        "nurbsPlane -u 2 -v 3 -ch 0",
        "nurbsSphere -r 2 -d 1",
        "nurbsCurveToBezier curve1",
        "setAttr makeNurbCircle1.radius 4",
        "move -r 0 1 0 ring.cv[2]",
        "move -r 1 0 0 curve1.ep[1]",
        "move -r 0 0 1 nurbsSphere1.cv[2][3]",
        "joint -p 5 5 5",
        "joint -e -zso -oj yzx -sao zup -ch joint1",
        "joint -e -p 1 1 1 -co joint2",
        "joint -e -rad 3 -o 10 20 30 joint3",
        "ikHandle -sj joint1 -ee joint3",
        "emitter -pos 1 2 3 -type surf",
    };
    for (const char* edit : edits) {
        const std::string before = fullState();
        run(edit);
        const std::string after = fullState();
        EXPECT_NE(before, after) << edit << " changed nothing";
        run("undo");
        EXPECT_EQ(fullState(), before) << "undo of: " << edit;
        run("redo");
        EXPECT_EQ(fullState(), after) << "redo of: " << edit;
        run("undo");
    }
}

}  // namespace
