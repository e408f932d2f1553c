// Primitives: Maya's counts and component numbering (compared with scene files Maya wrote),
// closed outward-facing surfaces, flags, axis and bad options.

#include <gtest/gtest.h>

#include <cmath>

#include "MeshTestSupport.h"
#include "geometry/MeshPrimitives.h"

namespace {

using namespace meshtest;

constexpr double kPi = 3.14159265358979323846;

void expectPoint(const Vec3& actual, const Vec3& expected, double tolerance = 1e-6) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectCounts(const Mesh& mesh, int vertices, int edges, int faces) {
    EXPECT_EQ(mesh.numVertices(), vertices);
    EXPECT_EQ(mesh.topology().numEdges(), edges);
    EXPECT_EQ(mesh.numFaces(), faces);
    EXPECT_TRUE(mesh.topology().followsEdgeOrder());
    expectTopologyInvariants(mesh);
}

// A closed primitive: Euler characteristic, one surface oriented outwards.
void expectClosedSurface(const Mesh& mesh, int euler, double volume, double tolerance) {
    EXPECT_TRUE(mesh.topology().isClosed());
    EXPECT_TRUE(mesh.topology().isManifold());
    EXPECT_EQ(eulerCharacteristic(mesh), euler);
    expectConsistentOrientation(mesh);
    EXPECT_NEAR(signedVolume(mesh), volume, tolerance * volume);
}

std::vector<int> ids(Span<int> values) {
    return values.toVector();
}

TEST(MeshPrimitives, CubeMatchesMaya) {
    const Mesh cube = makeCube();
    expectCounts(cube, 8, 12, 6);
    expectClosedSurface(cube, 2, 1.0, 1e-12);
    const Vec3 points[] = {{-.5, -.5, .5}, {.5, -.5, .5}, {-.5, .5, .5},   {.5, .5, .5},
                           {-.5, .5, -.5}, {.5, .5, -.5}, {-.5, -.5, -.5}, {.5, -.5, -.5}};
    for (int v = 0; v < 8; ++v) {
        expectPoint(cube.point(v), points[v]);
    }
    const std::vector<std::vector<int>> faces{{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6},
                                              {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(ids(cube.faceVertices(f)), faces[f]) << "face " << f;
    }
    EXPECT_EQ(
        cube.topology().edgeVertexPairs(),
        (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 1, 3, 2, 4, 3, 5, 4, 6, 5, 7, 6, 0, 7, 1}));
    EXPECT_EQ(ids(cube.topology().faceEdges(0)), (std::vector<int>{0, 5, 1, 4}));
    EXPECT_EQ(ids(cube.topology().faceEdges(4)), (std::vector<int>{11, 9, 7, 5}));
    EXPECT_EQ(ids(cube.topology().faceEdges(5)), (std::vector<int>{10, 4, 6, 8}));
}

TEST(MeshPrimitives, SubdividedCubeIsAClosedBox) {
    const Mesh cube = makeCube({2.0, 3.0, 4.0, 2, 3, 4});
    expectCounts(cube, 54, 104, 52);
    expectClosedSurface(cube, 2, 24.0, 1e-12);
    for (const Vec3& p : cube.points()) {
        const bool onSurface = std::abs(std::abs(p.x) - 1.0) < 1e-12 ||
                               std::abs(std::abs(p.y) - 1.5) < 1e-12 ||
                               std::abs(std::abs(p.z) - 2.0) < 1e-12;
        EXPECT_TRUE(onSurface);
    }
}

TEST(MeshPrimitives, SphereMatchesMaya) {
    const Mesh sphere = makeSphere();
    expectCounts(sphere, 382, 780, 400);
    expectClosedSurface(sphere, 2, 4.0 / 3.0 * kPi, 0.05);
    int quads = 0, triangles = 0;
    for (int f = 0; f < sphere.numFaces(); ++f) {
        quads += sphere.faceVertexCount(f) == 4;
        triangles += sphere.faceVertexCount(f) == 3;
    }
    EXPECT_EQ(quads, 360);
    EXPECT_EQ(triangles, 40);
    expectPoint(sphere.point(0), {0.14877813, -0.98768836, -0.048340943});
    expectPoint(sphere.point(19), {0.15643448, -0.98768836, 0});
    expectPoint(sphere.point(199), {1, 0, 0});
    expectPoint(sphere.point(380), {0, -1, 0});
    expectPoint(sphere.point(381), {0, 1, 0});
    const Topology& topology = sphere.topology();
    EXPECT_EQ(ids(sphere.faceVertices(0)), (std::vector<int>{0, 1, 21, 20}));
    EXPECT_EQ(ids(topology.faceEdges(0)), (std::vector<int>{0, 381, 20, 380}));
    EXPECT_EQ(ids(sphere.faceVertices(360)), (std::vector<int>{1, 0, 380}));
    EXPECT_EQ(ids(topology.faceEdges(360)), (std::vector<int>{0, 740, 741}));
    EXPECT_EQ(ids(sphere.faceVertices(399)), (std::vector<int>{379, 360, 381}));
    EXPECT_EQ(ids(topology.faceEdges(399)), (std::vector<int>{379, 760, 779}));
}

TEST(MeshPrimitives, PlaneMatchesMaya) {
    const Mesh plane = makePlane();
    expectCounts(plane, 121, 220, 100);
    EXPECT_EQ(plane.topology().borderEdgeCount(), 40);
    EXPECT_EQ(eulerCharacteristic(plane), 1);
    expectPoint(plane.point(0), {-0.5, 0, 0.5});
    expectPoint(plane.point(120), {0.5, 0, -0.5});
    expectPoint(plane.faceNormal(37), {0, 1, 0});
    EXPECT_EQ(ids(plane.faceVertices(0)), (std::vector<int>{0, 1, 12, 11}));
    EXPECT_EQ(ids(plane.topology().faceEdges(0)), (std::vector<int>{0, 3, 21, 1}));
    EXPECT_EQ(ids(plane.topology().faceEdges(99)), (std::vector<int>{207, 209, 219, 208}));
}

TEST(MeshPrimitives, CylinderMatchesMayaAndItsCapOptionsCloseIt) {
    const Mesh cylinder = makeCylinder();
    expectCounts(cylinder, 42, 100, 60);
    const double prism = 2.0 * 10.0 * std::sin(2.0 * kPi / 20.0);  // height * 20-gon area
    expectClosedSurface(cylinder, 2, prism, 1e-9);
    expectPoint(cylinder.point(0), {0.95105714, -1, -0.30901718});
    expectPoint(cylinder.point(41), {0, 1, 0});
    EXPECT_EQ(ids(cylinder.topology().faceEdges(0)), (std::vector<int>{0, 41, 20, 40}));
    EXPECT_EQ(ids(cylinder.faceVertices(20)), (std::vector<int>{1, 0, 40}));
    EXPECT_EQ(ids(cylinder.topology().faceEdges(20)), (std::vector<int>{0, 60, 61}));
    EXPECT_EQ(ids(cylinder.topology().faceEdges(59)), (std::vector<int>{39, 80, 99}));

    CylinderOptions polygonCaps;
    polygonCaps.subdivisionsCaps = 0;
    const Mesh flat = makeCylinder(polygonCaps);
    expectCounts(flat, 40, 60, 22);
    EXPECT_EQ(flat.faceVertexCount(21), 20);
    expectClosedSurface(flat, 2, prism, 1e-9);

    CylinderOptions rings;
    rings.subdivisionsHeight = 2;
    rings.subdivisionsCaps = 3;
    const Mesh ringed = makeCylinder(rings);
    expectCounts(ringed, 142, 300, 160);
    expectClosedSurface(ringed, 2, prism, 1e-9);

    CylinderOptions open;
    open.caps = false;
    const Mesh tube = makeCylinder(open);
    expectCounts(tube, 40, 60, 20);
    EXPECT_EQ(tube.topology().borderEdgeCount(), 40);
}

TEST(MeshPrimitives, TorusMatchesMaya) {
    const Mesh torus = makeTorus();
    expectCounts(torus, 400, 800, 400);
    expectClosedSurface(torus, 0, 2.0 * kPi * kPi * 0.25, 0.05);
    expectPoint(torus.point(0), {0.47552857, 0, -0.15450859});
    expectPoint(torus.point(20), {0.4988026, 0.1545085, -0.16207078});
    EXPECT_EQ(ids(torus.faceVertices(60)), (std::vector<int>{61, 60, 80, 81}));
    EXPECT_EQ(ids(torus.topology().faceEdges(60)), (std::vector<int>{60, 460, 80, 461}));
    EXPECT_EQ(ids(torus.topology().faceEdges(380)), (std::vector<int>{380, 780, 0, 781}));

    TorusOptions twisted;
    twisted.subdivisionsHeight = 4;
    twisted.twist = 45.0;
    const Mesh square = makeTorus(twisted);
    expectPoint(square.point(0),
                {(1.0 - 0.5 * std::sqrt(0.5)) * std::cos(kPi / 10.0), -0.5 * std::sqrt(0.5),
                 -(1.0 - 0.5 * std::sqrt(0.5)) * std::sin(kPi / 10.0)});
}

TEST(MeshPrimitives, AxisTurnsYOntoItKeepingTheSurfaceOutward) {
    SphereOptions alongX;
    alongX.axis = {3.0, 0.0, 0.0};
    const Mesh sphere = makeSphere(alongX);
    expectPoint(sphere.point(381), {1, 0, 0});
    expectPoint(sphere.point(380), {-1, 0, 0});
    EXPECT_GT(signedVolume(sphere), 0.0);

    CylinderOptions down;
    down.axis = {0.0, -1.0, 0.0};
    const Mesh cylinder = makeCylinder(down);
    expectPoint(cylinder.point(41), {0, -1, 0});
    EXPECT_GT(signedVolume(cylinder), 0.0);

    PlaneOptions alongZ;
    alongZ.axis = {0.0, 0.0, 1.0};
    expectPoint(makePlane(alongZ).faceNormal(0), {0, 0, 1});
}

TEST(MeshPrimitives, OptionsBelowMayasMinimumAreRaisedAndImpossibleOnesRefused) {
    const Mesh smallest = makeSphere({1.0, 1, 0});
    expectCounts(smallest, 5, 9, 6);
    EXPECT_TRUE(smallest.topology().isClosed());

    SphereOptions nanRadius;
    nanRadius.radius = std::nan("");
    EXPECT_FALSE(primitiveProblem(nanRadius).empty());
    EXPECT_EQ(makeSphere(nanRadius).numVertices(), 0);
    PlaneOptions noAxis;
    noAxis.axis = {};
    EXPECT_FALSE(primitiveProblem(noAxis).empty());
    EXPECT_EQ(makePlane(noAxis).numFaces(), 0);
    EXPECT_FALSE(primitiveProblem(CubeOptions{1, 1, 1, 100000, 100000, 1}).empty());
    EXPECT_TRUE(primitiveProblem(TorusOptions{}).empty());
}

}  // namespace
