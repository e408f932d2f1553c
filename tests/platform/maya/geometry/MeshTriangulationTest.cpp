// Triangulation: concave faces and faces with holes are covered exactly (triangle areas sum to
// the face's area, no triangle outside it, winding kept); degenerate faces get no triangles.

#include <gtest/gtest.h>

#include <cmath>

#include "MeshTestSupport.h"
#include "geometry/MeshPrimitives.h"
#include "geometry/MeshTriangulation.h"

namespace {

using namespace meshtest;

struct Point2 {
    double u, v;
};
using Ring = std::vector<Point2>;

// The plane the test polygons are drawn in: tilted, so no axis is special.
const Vec3 kOrigin{0.3, -1.0, 2.0};
const Vec3 kAxisU = normalized({1.0, 1.0, 0.0});
const Vec3 kAxisV = normalized({-1.0, 1.0, 1.0});

Vec3 embed(const Point2& p) {
    return kOrigin + kAxisU * p.u + kAxisV * p.v;
}

double ringArea(const Ring& ring) {
    double area = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Point2& a = ring[i];
        const Point2& b = ring[(i + 1) % ring.size()];
        area += a.u * b.v - b.u * a.v;
    }
    return std::abs(area) / 2.0;
}

bool insideRing(const Ring& ring, const Point2& p) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const Point2& a = ring[i];
        const Point2& b = ring[j];
        if ((a.v > p.v) != (b.v > p.v) && p.u < (b.u - a.u) * (p.v - a.v) / (b.v - a.v) + a.u) {
            inside = !inside;
        }
    }
    return inside;
}

// Builds a one-face mesh from an outline and holes, and checks that its triangles cover exactly
// the face: the expected count, areas summing to the face's, every centroid inside the outline
// and outside the holes, every triangle facing the face's way.
void expectExactCover(const Ring& outline, const std::vector<Ring>& holes) {
    std::vector<Vec3> points;
    std::vector<int> loopSizes{static_cast<int>(outline.size())};
    std::vector<Point2> flat(outline);
    for (const Ring& hole : holes) {
        loopSizes.push_back(static_cast<int>(hole.size()));
        flat.insert(flat.end(), hole.begin(), hole.end());
    }
    std::vector<int> connects;
    for (const Point2& p : flat) {
        connects.push_back(static_cast<int>(points.size()));
        points.push_back(embed(p));
    }
    const Mesh mesh =
        *Mesh::fromLoops(points, {static_cast<int>(loopSizes.size())}, loopSizes, connects);
    const Triangulation& triangulation = mesh.triangulation();
    ASSERT_EQ(triangulation.faceTriangleCount(0),
              static_cast<int>(flat.size() + 2 * holes.size()) - 2);

    double area = ringArea(outline);
    for (const Ring& hole : holes) {
        area -= ringArea(hole);
    }
    const Vec3 normal = cross(kAxisU, kAxisV);
    double covered = 0.0;
    for (int t = 0; t < triangulation.faceTriangleCount(0); ++t) {
        const auto ids = triangulation.faceTriangle(0, t);
        const Vec3 doubleArea =
            cross(mesh.point(ids[1]) - mesh.point(ids[0]), mesh.point(ids[2]) - mesh.point(ids[0]));
        EXPECT_GT(dot(doubleArea, normal), 0.0) << "triangle " << t << " is flipped or flat";
        covered += length(doubleArea) / 2.0;
        const Point2 centroid{(flat[ids[0]].u + flat[ids[1]].u + flat[ids[2]].u) / 3.0,
                              (flat[ids[0]].v + flat[ids[1]].v + flat[ids[2]].v) / 3.0};
        EXPECT_TRUE(insideRing(outline, centroid)) << "triangle " << t << " leaves the outline";
        for (const Ring& hole : holes) {
            EXPECT_FALSE(insideRing(hole, centroid)) << "triangle " << t << " covers a hole";
        }
    }
    EXPECT_NEAR(covered, area, 1e-9 * area);
}

TEST(MeshTriangulation, ConcaveFacesAreCoveredExactly) {
    expectExactCover({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}, {});          // L
    expectExactCover({{0, 0}, {4, 0}, {4, 3}, {3, 1}, {2, 3}, {1, 1}, {0, 3}}, {});  // comb
    expectExactCover({{0, 0}, {2, 1}, {4, 0}, {2, 4}}, {});  // dart: concave quad
    expectExactCover({{0, 0}, {3, 0}, {3, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 3}, {0, 3}}, {});  // C
}

TEST(MeshTriangulation, FacesWithHolesAreCoveredExactly) {
    const Ring square{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const Ring counterClockwise{{1, 1}, {2, 1}, {2, 2}, {1, 2}};
    const Ring clockwise{{2.5, 2.5}, {2.5, 3.5}, {3.5, 3.5}, {3.5, 2.5}};
    expectExactCover(square, {counterClockwise});
    expectExactCover(square, {counterClockwise, clockwise});
    // A hole beside a notch cut into the outline: bridges must not cross the notch.
    expectExactCover({{0, 0}, {6, 0}, {6, 6}, {3, 6}, {3, 3.5}, {2.5, 3.5}, {2.5, 6}, {0, 6}},
                     {{{1, 4}, {2, 4}, {2, 5}, {1, 5}}});
}

TEST(MeshTriangulation, DegenerateFacesHaveNoTriangulation) {
    std::vector<Vec3> points{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                             {2, 0, 0}, {3, 0, 0}, {1, 0, 0}, {std::nan(""), 0, 0}};
    // A valid quad; collinear points; a vertex used twice; a point that is not a number; two
    // distinct vertices at the same place.
    const Mesh mesh = *Mesh::fromPolygons(points, {4, 3, 4, 3, 3},
                                          {0, 1, 2, 3, 0, 1, 4, 0, 1, 0, 2, 0, 1, 7, 0, 1, 6});
    const Triangulation& triangulation = mesh.triangulation();
    EXPECT_TRUE(triangulation.hasValidTriangulation(0));
    for (int face = 1; face < mesh.numFaces(); ++face) {
        EXPECT_FALSE(triangulation.hasValidTriangulation(face)) << "face " << face;
        EXPECT_EQ(triangulation.faceTriangleCount(face), 0);
    }
    EXPECT_EQ(triangulation.numTriangles(), 2);
    EXPECT_EQ(triangulation.triangleFace(1), 0);
    std::vector<int> out;
    PolygonTriangulator triangulator;
    EXPECT_FALSE(triangulator.triangulate(std::vector<Vec3>(points.begin(), points.begin() + 4),
                                          std::vector<int>{3}, out));
    EXPECT_TRUE(out.empty());
}

TEST(MeshTriangulation, EveryFaceOfAPrimitiveGetsCornersMinusTwoTriangles) {
    const Mesh sphere = makeSphere();
    const Triangulation& triangulation = sphere.triangulation();
    EXPECT_EQ(triangulation.numTriangles(), 360 * 2 + 40);
    for (int face = 0; face < sphere.numFaces(); ++face) {
        ASSERT_EQ(triangulation.faceTriangleCount(face), sphere.faceVertexCount(face) - 2);
        for (int t = 0; t < triangulation.faceTriangleCount(face); ++t) {
            const auto tri = triangulation.faceTriangle(face, t);
            const Vec3 normal = cross(sphere.point(tri[1]) - sphere.point(tri[0]),
                                      sphere.point(tri[2]) - sphere.point(tri[0]));
            EXPECT_GT(dot(normal, sphere.faceNormal(face)), 0.0);
            EXPECT_EQ(triangulation.triangleFace(triangulation.faceTriangleOffset(face) + t), face);
        }
    }
}

}  // namespace
