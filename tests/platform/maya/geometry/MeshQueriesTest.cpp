// Ray and closest-point queries against analytic answers (sphere, plane), MFnMesh's conventions
// for params and barycentrics, bad input, and the accelerator's life cycle.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "MeshTestSupport.h"
#include "geometry/MeshPrimitives.h"
#include "geometry/MeshQueries.h"
#include "geometry/MeshTriangulation.h"

namespace {

using namespace meshtest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

RayQuery ray(const Vec3& source, const Vec3& direction) {
    RayQuery query;
    query.source = source;
    query.direction = direction;
    return query;
}

// Maya's barycentrics rebuild the hit from the triangle getTriangle reports.
template <typename Hit>
void expectBarycentricsRebuild(const Mesh& mesh, const Hit& hit) {
    const auto ids = mesh.triangulation().faceTriangle(hit.face, hit.triangle);
    const Vec3 rebuilt = mesh.point(ids[0]) * hit.bary1 + mesh.point(ids[1]) * hit.bary2 +
                         mesh.point(ids[2]) * (1.0 - hit.bary1 - hit.bary2);
    EXPECT_LT(length(rebuilt - hit.point), 1e-9);
}

// Where source + t * direction meets a sphere of radius r about the origin, nearer root first.
std::pair<double, double> sphereParams(const Vec3& source, const Vec3& direction, double r) {
    const double a = dot(direction, direction), b = 2 * dot(source, direction);
    const double c = dot(source, source) - r * r;
    const double root = std::sqrt(b * b - 4 * a * c);
    return {(-b - root) / (2 * a), (-b + root) / (2 * a)};
}

TEST(MeshQueries, RaysMeetTheSphereWhereItsSurfaceIs) {
    const Mesh sphere = makeSphere({2.0, 64, 64});
    const double chord = 2.0 * (1.0 - std::cos(3.14159265358979 / 64));  // largest facet sag
    const Vec3 source{5.0, 0.3, -0.2}, direction{-2.0, 0.1, 0.05};
    const auto [near, far] = sphereParams(source, direction, 2.0);
    const double slack = chord / length(direction) * 2;

    const auto hit = closestIntersection(sphere, ray(source, direction));
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->param, near, slack);
    EXPECT_LT(length(hit->point - (source + direction * hit->param)), 1e-9);
    expectBarycentricsRebuild(sphere, *hit);

    const std::vector<RayHit> hits = allIntersections(sphere, ray(source, direction));
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_NEAR(hits[0].param, near, slack);
    EXPECT_NEAR(hits[1].param, far, slack);
    EXPECT_EQ(intersect(sphere, source, direction).size(), 2u);

    RayQuery limited = ray(source, direction);
    limited.maxParam = near - slack;
    EXPECT_FALSE(closestIntersection(sphere, limited));
    EXPECT_EQ(allIntersections(sphere, limited).size(), 0u);
    limited.maxParam = near + slack;
    EXPECT_TRUE(anyIntersection(sphere, limited));
    EXPECT_EQ(allIntersections(sphere, limited).size(), 1u);

    // From inside, off centre: the nearer wall may be behind the source.
    RayQuery inside = ray({0.0, -0.5, 0.0}, {0.0, 1.0, 0.0});
    EXPECT_NEAR(closestIntersection(sphere, inside)->param, 2.5, chord);
    inside.testBothDirections = true;
    const auto behind = closestIntersection(sphere, inside);
    ASSERT_TRUE(behind);
    EXPECT_NEAR(behind->param, -1.5, chord);
    EXPECT_NEAR(behind->point.y, -2.0, chord);
    const std::vector<RayHit> both = allIntersections(sphere, inside);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_NEAR(both[0].param, -1.5, chord);
    EXPECT_NEAR(both[1].param, 2.5, chord);
    EXPECT_EQ(intersect(sphere, inside.source, inside.direction).size(), 1u);
}

TEST(MeshQueries, RayOntoAPlaneNamesFaceTriangleAndBarycentrics) {
    const Mesh plane = makePlane();
    // Column 7 (x 0.2..0.3), row 6 (z -0.1..-0.2) of the 10x10 grid: face 67.
    const RayQuery down = ray({0.23, 5.0, -0.17}, {0.0, -1.0, 0.0});
    const auto hit = closestIntersection(plane, down);
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->param, 5.0, 1e-12);
    EXPECT_EQ(hit->face, 67);
    expectBarycentricsRebuild(plane, *hit);
    EXPECT_FALSE(closestIntersection(plane, ray({0.23, 1.0, -0.17}, {1.0, 0.0, 0.0})));
    const auto tiny = closestIntersection(plane, ray(down.source, {0.0, -1e-30, 0.0}));
    ASSERT_TRUE(tiny) << "params are in units of the direction, however short";
    EXPECT_NEAR(tiny->param, 5e30, 1e18);

    RayQuery onlyFaces = down;
    const std::vector<int> neighbour{66}, right{67};
    onlyFaces.faceIds = neighbour;
    EXPECT_FALSE(closestIntersection(plane, onlyFaces));
    onlyFaces.faceIds = right;
    const auto same = closestIntersection(plane, onlyFaces);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->triangle, hit->triangle);
    EXPECT_NEAR(same->bary1, hit->bary1, 1e-9);
    const std::vector<int> otherTriangle{1 - hit->triangle};
    onlyFaces.triangleIds = otherTriangle;
    EXPECT_FALSE(closestIntersection(plane, onlyFaces));
}

TEST(MeshQueries, ClosestPointIsTheNearestPointOfTheSurface) {
    const Mesh plane = makePlane();
    const auto above = closestPoint(plane, {0.23, 2.0, -0.17});
    ASSERT_TRUE(above);
    EXPECT_LT(length(above->point - Vec3{0.23, 0.0, -0.17}), 1e-12);
    EXPECT_NEAR(above->distance, 2.0, 1e-12);
    EXPECT_EQ(above->face, 67);
    expectBarycentricsRebuild(plane, *above);
    const auto beside = closestPoint(plane, {1.5, 0.0, 0.1});
    ASSERT_TRUE(beside);
    EXPECT_LT(length(beside->point - Vec3{0.5, 0.0, 0.1}), 1e-12);
    EXPECT_FALSE(closestPoint(plane, {0.23, 2.0, -0.17}, 1.5));

    const Mesh sphere = makeSphere({2.0, 64, 64});
    const double chord = 2.0 * (1.0 - std::cos(3.14159265358979 / 64));
    for (const Vec3& p : {Vec3{3, 1, 1}, Vec3{-0.2, 0.3, 0.1}, Vec3{0, -7, 0.01}}) {
        const auto nearest = closestPoint(sphere, p);
        ASSERT_TRUE(nearest);
        EXPECT_NEAR(nearest->distance, std::abs(length(p) - 2.0), chord);
        EXPECT_LT(length(normalized(nearest->point) - normalized(p)), 0.05);
        expectBarycentricsRebuild(sphere, *nearest);
    }
}

TEST(MeshQueries, BadInputsGiveNoHit) {
    const Mesh plane = makePlane();
    const Vec3 up{0.0, 1.0, 0.0}, down{0.0, -1.0, 0.0}, above{0.1, 1.0, 0.1};
    for (const RayQuery& bad : {ray({kNaN, 1, 0}, down), ray(above, {0, -kInf, 0}),
                                ray(above, {0, kNaN, 0}), ray(above, {})}) {
        EXPECT_FALSE(closestIntersection(plane, bad));
        EXPECT_TRUE(allIntersections(plane, bad).empty());
    }
    RayQuery limit = ray(above, down);
    limit.maxParam = kNaN;
    EXPECT_FALSE(closestIntersection(plane, limit));
    limit.maxParam = -1.0;
    EXPECT_FALSE(closestIntersection(plane, limit));
    EXPECT_TRUE(intersect(plane, above, up).empty());
    EXPECT_FALSE(closestPoint(plane, {kNaN, 0, 0}));
    EXPECT_FALSE(closestPoint(plane, {0, kInf, 0}));
    EXPECT_FALSE(closestPoint(plane, above, -1.0));
    EXPECT_FALSE(closestPoint(Mesh(), above));
    EXPECT_FALSE(closestIntersection(Mesh(), ray(above, down)));

    // A face that uses vertex 0 twice has no triangulation, so rays pass through it.
    std::vector<Vec3> points{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {-1, 0, 0}, {-1, -1, 0}};
    const Mesh bowTie = *Mesh::fromPolygons(points, {5}, {0, 1, 2, 0, 3});
    EXPECT_FALSE(closestIntersection(bowTie, ray({0.8, 0.5, 1.0}, {0, 0, -1})));
    EXPECT_FALSE(closestPoint(bowTie, {0.8, 0.5, 1.0}));
}

TEST(MeshQueries, AcceleratorIsCachedRebuiltAfterEditsAndFreeable) {
    Mesh plane = makePlane();
    const RayQuery down = ray({0.23, 5.0, -0.17}, {0.0, -1.0, 0.0});
    EXPECT_FALSE(plane.hasRayAccelerator());
    ASSERT_TRUE(closestIntersection(plane, down));
    ASSERT_TRUE(plane.hasRayAccelerator());
    const RayAccelerator* built = &plane.rayAccelerator();
    EXPECT_EQ(built->numTriangles(), 200);
    EXPECT_NE(built->info().find("200 triangles"), std::string::npos);
    ASSERT_TRUE(closestIntersection(plane, down));
    EXPECT_EQ(&plane.rayAccelerator(), built) << "kept while the mesh is unchanged";

    std::vector<Vec3> raised = plane.points();
    for (Vec3& p : raised) {
        p.y += 1.0;
    }
    ASSERT_TRUE(plane.setPoints(raised));
    EXPECT_FALSE(plane.hasRayAccelerator());
    EXPECT_NEAR(closestIntersection(plane, down)->param, 4.0, 1e-12);
    EXPECT_NEAR(closestPoint(plane, {0.0, 0.0, 0.0})->distance, 1.0, 1e-12);

    plane.freeRayAccelerator();
    EXPECT_FALSE(plane.hasRayAccelerator());
    EXPECT_NEAR(closestIntersection(plane, down)->param, 4.0, 1e-12);
    EXPECT_TRUE(plane.hasRayAccelerator());
}

}  // namespace
