#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "NurbsCurveCreate.h"
#include "NurbsPrimitives.h"
#include "NurbsSurface.h"
#include "NurbsSurfaceLocator.h"

using namespace mayasim::nurbs;

namespace {

void expectPointNear(const MPoint& actual, const MPoint& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

NurbsSurface build(NurbsResult<NurbsSurface> result) {
    EXPECT_TRUE(result.ok()) << result.error();
    return result.value();
}

const NurbsSurface& defaultPlane() {
    static const NurbsSurface plane = build(makePlane(PlaneOptions()));
    return plane;
}

const NurbsSurface& defaultSphere() {
    static const NurbsSurface sphere = build(makeSphere(SphereOptions()));
    return sphere;
}

}  // namespace

TEST(NurbsPrimitives, PlaneHasMayasLayoutAndIsFlat) {
    const NurbsSurface& plane = defaultPlane();
    EXPECT_EQ(plane.numCVsInU(), 4);
    EXPECT_EQ(plane.numCVsInV(), 4);
    EXPECT_EQ(plane.formInU(), NurbsForm::kOpen);
    EXPECT_EQ(plane.formInV(), NurbsForm::kOpen);
    EXPECT_EQ(plane.knotsInU(), (std::vector<double>{0, 0, 0, 1, 1, 1}));
    // The CVs Maya saves for a default plane, u slowest.
    expectPointNear(plane.cv(0, 0), MPoint(-0.5, 0, 0.5), 1e-12);
    expectPointNear(plane.cv(0, 1), MPoint(-0.5, 0, 1.0 / 6.0), 1e-12);
    expectPointNear(plane.cv(1, 0), MPoint(-1.0 / 6.0, 0, 0.5), 1e-12);
    expectPointNear(plane.cvs()[15], MPoint(0.5, 0, -0.5), 1e-12);
    for (double u : {0.0, 0.3, 1.0}) {
        for (double v : {0.0, 0.55, 1.0}) {
            expectPointNear(plane.pointAt(u, v), MPoint(-0.5 + u, 0, 0.5 - v), 1e-12);
            expectPointNear(plane.normalAt(u, v), MPoint(0, 1, 0), 1e-12);
        }
    }

    PlaneOptions patches;
    patches.patchesV = 5;
    patches.lengthRatio = 10.0;
    const NurbsSurface long5 = build(makePlane(patches));
    EXPECT_EQ(long5.numCVsInV(), 8);
    EXPECT_EQ(long5.knotsInV(), (std::vector<double>{0, 0, 0, 0.2, 0.4, 0.6, 0.8, 1, 1, 1}));
    expectPointNear(long5.pointAt(0.5, 0.25), MPoint(0, 0, 2.5), 1e-9);

    PlaneOptions bad;
    bad.degree = 4;
    EXPECT_FALSE(makePlane(bad).ok());
    bad = PlaneOptions();
    bad.patchesU = 0;
    EXPECT_FALSE(makePlane(bad).ok());
}

TEST(NurbsPrimitives, SphereHasMayasLayoutAndLiesOnTheSphere) {
    const NurbsSurface& sphere = defaultSphere();
    EXPECT_EQ(sphere.numCVsInU(), 7);
    EXPECT_EQ(sphere.numCVsInV(), 11);
    EXPECT_EQ(sphere.formInU(), NurbsForm::kOpen);
    EXPECT_EQ(sphere.formInV(), NurbsForm::kPeriodic);
    EXPECT_EQ(sphere.knotsInU(), (std::vector<double>{0, 0, 0, 1, 2, 3, 4, 4, 4}));
    EXPECT_EQ(sphere.knotsInV(), periodicKnots(11, 3));
    // Maya's default sphere CVs (as a renderer export of it records them).
    expectPointNear(sphere.cv(0, 0), MPoint(0, -1, 0), 1e-9);
    expectPointNear(sphere.cv(1, 0), MPoint(0.199917, -1, -0.199917), 1e-6);
    expectPointNear(sphere.cv(1, 1), MPoint(0.282725, -1, 0), 1e-6);
    expectPointNear(sphere.cv(2, 0), MPoint(0.61643, -0.783612, -0.61643), 1e-6);
    expectPointNear(sphere.cv(3, 1), MPoint(1.22641, 0, 0), 1e-5);
    expectPointNear(sphere.cv(6, 4), MPoint(0, 1, 0), 1e-9);

    for (int i = 0; i <= 16; ++i) {
        for (int j = 0; j <= 32; ++j) {
            const double u = i / 4.0;
            const double v = j / 4.0;
            const MPoint p = sphere.pointAt(u, v);
            const double onKnots = (i % 4 == 0 && j % 4 == 0) ? 1e-12 : 1e-2;
            EXPECT_NEAR(MVector(p).length(), 1.0, onKnots) << u << " " << v;
            if (i > 0 && i < 16) {
                EXPECT_GT(sphere.normalAt(u, v) * MVector(p).normal(), 0.999) << u << " " << v;
            }
        }
    }
    // At the poles the normal still points outwards, along the axis.
    expectPointNear(sphere.normalAt(0.0, 2.0), MPoint(0, -1, 0), 1e-3);
    expectPointNear(sphere.normalAt(4.0, 5.0), MPoint(0, 1, 0), 1e-3);

    SphereOptions bad;
    bad.sections = 3;
    EXPECT_FALSE(makeSphere(bad).ok());
    bad = SphereOptions();
    bad.degree = 2;
    EXPECT_FALSE(makeSphere(bad).ok());
}

TEST(NurbsSurfaceData, CreationValidatesAndPeriodicCopiesStayBound) {
    std::vector<MPoint> grid(16, MPoint(0, 0, 0));
    EXPECT_FALSE(
        NurbsSurface::create(grid, 4, 3, {0, 0, 0, 1, 1, 1}, {0, 0, 1, 1}, 3, 2, false, false)
            .ok());
    EXPECT_FALSE(
        NurbsSurface::create(grid, 4, 4, {0, 0, 0, 1, 1, 1}, {0, 0, 1, 1}, 3, 3, false, false)
            .ok());

    NurbsSurface sphere = defaultSphere();
    std::vector<MPoint> cvs = sphere.cvs();
    cvs[2 * 11 + 9] = MPoint(5, 5, 5);  // breaks the periodic repeat in v
    EXPECT_FALSE(
        NurbsSurface::create(cvs, 7, 11, sphere.knotsInU(), sphere.knotsInV(), 3, 3, false, true)
            .ok());

    sphere.setCV(2, 1, MPoint(2, 0, 0));
    expectPointNear(sphere.cv(2, 9), MPoint(2, 0, 0), 0.0);
    sphere.updateSurface();
    EXPECT_EQ(sphere.formInV(), NurbsForm::kPeriodic);

    // Folding the plane's far edge onto its near edge closes it in u.
    NurbsSurface plane = defaultPlane();
    for (int v = 0; v < 4; ++v)
        plane.setCV(3, v, plane.cv(0, v));
    plane.updateSurface();
    EXPECT_EQ(plane.formInU(), NurbsForm::kClosed);
    EXPECT_EQ(plane.formInV(), NurbsForm::kOpen);
}

TEST(NurbsSurfaceQueries, ClosestPointsOnPlaneAndSphere) {
    const NurbsSurface& plane = defaultPlane();
    const SurfaceClosestPoint above = plane.closestPoint(MPoint(0.2, 5, -0.1));
    expectPointNear(above.point, MPoint(0.2, 0, -0.1), 1e-9);
    EXPECT_NEAR(above.distance, 5.0, 1e-9);
    EXPECT_NEAR(above.u, 0.7, 1e-9);
    EXPECT_NEAR(above.v, 0.6, 1e-9);
    // Beyond the edge: the nearest edge point.
    expectPointNear(plane.closestPoint(MPoint(2, 1, 0.25)).point, MPoint(0.5, 0, 0.25), 1e-9);
    EXPECT_TRUE(plane.isPointOnSurface(MPoint(0.1, 0.0005, 0.1)));
    EXPECT_FALSE(plane.isPointOnSurface(MPoint(0.1, 0.002, 0.1)));

    const NurbsSurface& sphere = defaultSphere();
    const NurbsSurfaceLocator locator(sphere);
    const SurfaceTessellation grid = sphere.tessellate(8, 8);
    for (const MPoint& target : {MPoint(1.2, 2.4, -1.6), MPoint(0.1, -0.3, 0.2), MPoint(0, 7, 0),
                                 MPoint(-3, 0.01, 0.02)}) {
        const SurfaceClosestPoint closest = locator.closestPoint(target);
        // Analytically the point in the target's direction; the NURBS sphere is within 1%.
        expectPointNear(closest.point, MVector(target).normal(), 1e-2);
        EXPECT_NEAR(closest.distance, std::fabs(MVector(target).length() - 1.0), 1e-2);
        // A true minimum: the offset is normal to the surface, and no sample is closer.
        const SurfaceSample s = sphere.sampleAt(closest.u, closest.v);
        const MVector offset = closest.point - target;
        if (s.du.length() > 1e-6) {
            EXPECT_NEAR(s.du.normal() * offset, 0.0, 1e-6);
        }
        if (s.dv.length() > 1e-6) {
            EXPECT_NEAR(s.dv.normal() * offset, 0.0, 1e-6);
        }
        for (const MPoint& p : grid.points)
            EXPECT_LE(closest.distance, p.distanceTo(target) + 1e-12);
    }
}

TEST(NurbsSurfaceQueries, RaysHitThePlaneAndTheSphereFirstSide) {
    const NurbsSurface& plane = defaultPlane();
    SurfaceHit hit;
    ASSERT_TRUE(plane.intersect(MPoint(0.1, 2, 0.2), MVector(0, -3, 0), hit));
    expectPointNear(hit.point, MPoint(0.1, 0, 0.2), 1e-6);
    EXPECT_NEAR(hit.distance, 2.0, 1e-6);
    EXPECT_NEAR(hit.u, 0.6, 1e-6);
    EXPECT_NEAR(hit.v, 0.3, 1e-6);
    EXPECT_FALSE(plane.intersect(MPoint(0.1, 2, 0.2), MVector(0, 1, 0), hit));
    EXPECT_FALSE(plane.intersect(MPoint(0.7, 2, 0.2), MVector(0, -1, 0), hit));
    EXPECT_FALSE(plane.intersect(MPoint(-2, 1, 0), MVector(1, 0, 0), hit));

    const NurbsSurfaceLocator sphere(defaultSphere());
    struct Ray {
        MPoint origin;
        MVector direction;
        double distance;
    };
    for (const Ray& ray : {Ray{MPoint(0.3, 0.2, 5), MVector(0, 0, -1), 5 - std::sqrt(0.87)},
                           Ray{MPoint(0, 0, 0), MVector(2, 0, 0), 1.0},
                           Ray{MPoint(-4, 3, 0.5), MVector(4, -3, -0.5), std::sqrt(25.25) - 1.0},
                           Ray{MPoint(0, -6, 0), MVector(0, 1, 0), 5.0}}) {
        ASSERT_TRUE(sphere.intersect(ray.origin, ray.direction, hit));
        EXPECT_NEAR(hit.distance, ray.distance, 1e-2);
        // On the ray and on the surface at the reported parameters.
        const MVector along = hit.point - ray.origin;
        EXPECT_NEAR((along ^ ray.direction.normal()).length(), 0.0, 1e-6);
        EXPECT_GT(along * ray.direction, 0.0);
        expectPointNear(defaultSphere().pointAt(hit.u, hit.v), hit.point, 1e-9);
    }
    EXPECT_FALSE(sphere.intersect(MPoint(1.5, 0, 5), MVector(0, 0, -1), hit));
    EXPECT_FALSE(sphere.intersect(MPoint(0, 0, 5), MVector(0, 0, 1), hit));
}

TEST(NurbsSurfaceQueries, TessellationGridIsWoundTowardsTheNormals) {
    const NurbsSurface& sphere = defaultSphere();
    const SurfaceTessellation mesh = sphere.tessellate(3, 2);
    EXPECT_EQ(mesh.rows, 4 * 3 + 1);
    EXPECT_EQ(mesh.columns, 8 * 2 + 1);
    ASSERT_EQ(mesh.points.size(), static_cast<size_t>(mesh.rows * mesh.columns));
    ASSERT_EQ(mesh.triangles.size(), static_cast<size_t>((mesh.rows - 1) * (mesh.columns - 1) * 6));
    int checked = 0;
    for (size_t t = 0; t < mesh.triangles.size(); t += 3) {
        const MPoint& a = mesh.points[mesh.triangles[t]];
        const MPoint& b = mesh.points[mesh.triangles[t + 1]];
        const MPoint& c = mesh.points[mesh.triangles[t + 2]];
        const MVector faceNormal = (b - a) ^ (c - a);
        if (faceNormal.length() < 1e-9)
            continue;  // collapsed at a pole
        EXPECT_GT(faceNormal * mesh.normals[mesh.triangles[t]], 0.0);
        EXPECT_GT(faceNormal * MVector(a), 0.0);
        ++checked;
    }
    EXPECT_GT(checked, static_cast<int>(mesh.triangles.size() / 3) * 9 / 10);
    for (size_t i = 0; i < mesh.points.size(); ++i)
        EXPECT_NEAR(mesh.normals[i].length(), 1.0, 1e-9);
}
