// Mesh function sets and iterators over the kernel: topology as the iterators walk it,
// components, spaces, edits seen by every reader, degenerate faces and ray queries.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnMesh.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MFnTransform.h>
#include <maya/MItGeometry.h>
#include <maya/MItMeshEdge.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MPointArray.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

class MeshIteratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    // The transform's path of a new primitive.
    static MDagPath make(const std::string& mel) {
        mayasim::Value result;
        EXPECT_TRUE(
            mayasim::CommandEngine::instance().executeMel(mel.c_str(), &result, false, false));
        MDagPath path;
        mayasim::Scene::instance().findPath(result.asStringArray().front().c_str(), path);
        return path;
    }
    static MObject component(MFn::Type type, std::initializer_list<int> elements) {
        MFnSingleIndexedComponent fn;
        MObject made = fn.create(type);
        for (int element : elements)
            fn.addElement(element);
        return made;
    }
};

TEST_F(MeshIteratorTest, IteratorsWalkAClosedQuadSurface) {
    const MDagPath cube = make("polyCube");
    int vertices = 0, edges = 0, faces = 0;
    for (MItMeshVertex it(cube); !it.isDone(); it.next(), ++vertices) {
        MIntArray around;
        it.getConnectedFaces(around);
        EXPECT_EQ(around.length(), 3u);
        it.getConnectedVertices(around);
        EXPECT_EQ(around.length(), 3u);
        EXPECT_FALSE(it.onBoundary());
    }
    for (MItMeshEdge it(cube); !it.isDone(); it.next(), ++edges) {
        MIntArray around;
        EXPECT_EQ(it.getConnectedFaces(around), 2) << "edge " << it.index();
        EXPECT_EQ(it.getConnectedEdges(around), 4);
        for (unsigned int i = 0; i < around.length(); ++i)
            EXPECT_TRUE(it.connectedToEdge(around[i]));
        EXPECT_FALSE(it.connectedToEdge(it.index())) << "an edge is not its own neighbour";
    }
    MFnMesh fn(cube);
    for (MItMeshPolygon it(cube); !it.isDone(); it.next(), ++faces) {
        MIntArray verts, faceEdges, around;
        it.getVertices(verts);
        it.getEdges(faceEdges);
        ASSERT_EQ(faceEdges.length(), 4u);
        for (unsigned int i = 0; i < 4; ++i) {
            int2 ends;
            fn.getEdgeVertices(faceEdges[i], ends);
            const int a = verts[i], b = verts[(i + 1) % 4];
            EXPECT_TRUE((ends[0] == a && ends[1] == b) || (ends[0] == b && ends[1] == a))
                << "edge i runs from corner i to corner i + 1";
            EXPECT_TRUE(it.isConnectedToEdge(faceEdges[i]));
        }
        int triangles = 0;
        it.numTriangles(triangles);
        EXPECT_EQ(triangles, 2);
        EXPECT_TRUE(it.hasValidTriangulation());
        EXPECT_TRUE(it.isPlanar());
        it.getConnectedFaces(around);
        EXPECT_EQ(around.length(), 4u) << "a cube face touches all but its opposite";
        for (unsigned int i = 0; i < around.length(); ++i)
            EXPECT_TRUE(it.isConnectedToFace(around[i]));
    }
    EXPECT_EQ(vertices - edges + faces, 2) << "Euler characteristic of a sphere";
}

TEST_F(MeshIteratorTest, ComponentsChooseTheElements) {
    const MDagPath cube = make("polyCube");
    MObject someEdges = component(MFn::kMeshEdgeComponent, {5, 0, 99});
    MItMeshEdge edges(cube, someEdges);
    EXPECT_EQ(edges.count(), 2) << "out-of-range ids are dropped";
    EXPECT_EQ(edges.index(), 5) << "in the component's order";

    MObject face = component(MFn::kMeshPolygonComponent, {0});
    MItGeometry points(cube, face);
    EXPECT_EQ(points.count(), 4) << "a face's points";

    MStatus status;
    MItMeshVertex wrongKind(cube, face, &status);
    EXPECT_EQ(status, MStatus::kInvalidParameter);
    MObject camera = make("camera").node();
    MItMeshPolygon notAMesh(camera, &status);
    EXPECT_FALSE(status);

    MItMeshVertex all(cube);
    int previous = -1;
    ASSERT_TRUE(all.setIndex(6, previous));
    EXPECT_EQ(previous, 0);
    EXPECT_EQ(all.index(), 6);
    MFnSingleIndexedComponent item(all.currentItem());
    EXPECT_EQ(item.element(0), 6);
}

// Edits in world space through one iterator land in object space and every other reader
// sees them; a transform's path reaches its shape as in Maya.
TEST_F(MeshIteratorTest, EditsInWorldSpaceAreSeenByEveryReader) {
    const MDagPath cube = make("polyCube");
    MFnTransform(cube).setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    MStatus status;
    MFnMesh fromTransformPath(cube, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(fromTransformPath.numVertices(), 8);
    MFnMesh fromTransformNode(cube.node(), &status);
    EXPECT_FALSE(status) << "a transform object is not a mesh";

    MItMeshVertex it(cube);
    ASSERT_TRUE(it.setPosition(MPoint(12, 1, 1), MSpace::kWorld));
    MPoint local;
    fromTransformPath.getPoint(0, local);
    EXPECT_EQ(local, MPoint(2, 1, 1));
    EXPECT_TRUE(it.translateBy(MVector(0, 1, 0)));
    MItMeshPolygon face(cube);
    MPoint corner = face.point(0, MSpace::kWorld);
    EXPECT_EQ(corner, MPoint(12, 2, 1)) << "face 0 starts at vertex 0";
}

TEST_F(MeshIteratorTest, DegenerateAndNonPlanarFaces) {
    // A flat quad, a face whose corners lie on a line and a bent quad.
    MPointArray points;
    for (const MPoint& p :
         {MPoint(0, 0, 0), MPoint(1, 0, 0), MPoint(1, 1, 0), MPoint(0, 1, 0), MPoint(2, 0, 0),
          MPoint(3, 0, 0), MPoint(0, 0, 5), MPoint(1, 0, 5), MPoint(1, 1, 6), MPoint(0, 1, 5)}) {
        points.append(p);
    }
    MIntArray counts, connects;
    for (int c : {4, 3, 4})
        counts.append(c);
    for (int v : {0, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9})
        connects.append(v);
    MFnMesh fn;
    MStatus status;
    const MObject transform =
        fn.create(10, 3, points, counts, connects, MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    MDagPath path = MDagPath::getAPathTo(transform);
    MItMeshPolygon faces(path);
    EXPECT_TRUE(faces.hasValidTriangulation());
    faces.next();
    EXPECT_FALSE(faces.hasValidTriangulation()) << "corners on a line";
    int triangles = -1;
    faces.numTriangles(triangles);
    EXPECT_EQ(triangles, 0);
    MPointArray triangle;
    MIntArray ids;
    EXPECT_FALSE(faces.getTriangle(0, triangle, ids));
    EXPECT_TRUE(faces.zeroArea());
    faces.next();
    EXPECT_FALSE(faces.isPlanar());
    EXPECT_TRUE(faces.hasValidTriangulation()) << "a bent quad still has two triangles";

    MFnMesh mesh(path);
    MFloatPoint hit;
    EXPECT_FALSE(mesh.closestIntersection(
        MFloatPoint(2.5f, 0.0f, 1.0f), MFloatVector(0, 0, -1), nullptr, nullptr, false,
        MSpace::kObject, 100.0f, false, nullptr, hit, nullptr, nullptr, nullptr, nullptr, nullptr))
        << "a degenerate face is never hit";

    const size_t nodes = mayasim::Scene::instance().nodes().size();
    MIntArray badCounts;
    badCounts.append(2);
    MIntArray badConnects;
    badConnects.append(0);
    badConnects.append(1);
    fn.create(10, 1, points, badCounts, badConnects, MObject::kNullObj, &status);
    EXPECT_EQ(status, MStatus::kInvalidParameter) << "a face of two vertices";
    connects.set(42, 0);
    fn.create(10, 3, points, counts, connects, MObject::kNullObj, &status);
    EXPECT_EQ(status, MStatus::kInvalidParameter) << "a vertex id out of range";
    EXPECT_EQ(mayasim::Scene::instance().nodes().size(), nodes);
}

// A unit sphere seen along X: two hits, the nearer first; the closest point of the faceted
// sphere lies within its chord error of the analytic one.
TEST_F(MeshIteratorTest, RayAndClosestPointQueriesMatchTheSphere) {
    MFnMesh sphere(make("polySphere -sx 40 -sy 40"));
    MFloatPointArray hits;
    MFloatArray params;
    MIntArray hitFaces;
    MMeshIsectAccelParams accel = MFnMesh::autoUniformGridParams();
    ASSERT_TRUE(sphere.allIntersections(MFloatPoint(-5, 0.01f, 0.02f), MFloatVector(1, 0, 0),
                                        nullptr, nullptr, false, MSpace::kWorld, 100.0f, false,
                                        &accel, true, hits, &params, &hitFaces, nullptr, nullptr,
                                        nullptr));
    ASSERT_EQ(hits.length(), 2u);
    EXPECT_NEAR(params[0], 4.0, 0.01);
    EXPECT_NEAR(params[1], 6.0, 0.01);
    EXPECT_FALSE(sphere.cachedIntersectionAcceleratorInfo().length() == 0);
    sphere.freeCachedIntersectionAccelerator();
    EXPECT_EQ(sphere.cachedIntersectionAcceleratorInfo().length(), 0u);

    MFloatPoint hit;
    float param = 0.0f;
    ASSERT_TRUE(sphere.closestIntersection(MFloatPoint(0, 0, 0), MFloatVector(0, 0, 2), nullptr,
                                           nullptr, false, MSpace::kWorld, 100.0f, true, &accel,
                                           hit, &param, nullptr, nullptr, nullptr, nullptr));
    EXPECT_NEAR(std::fabs(param), 0.5, 0.01) << "params count in direction lengths";

    MPoint closest;
    int face = -1;
    ASSERT_TRUE(sphere.getClosestPoint(MPoint(3, 1, 2), closest, MSpace::kWorld, &face));
    // The facets lie inside the unit sphere, at most the chord's sagitta below it.
    const MVector expected = MVector(3, 1, 2).normal();
    const double distance = closest.distanceTo(MPoint(3, 1, 2));
    const double sagitta = 1.0 - std::cos(M_PI / 40.0);
    EXPECT_GE(distance, std::sqrt(14.0) - 1.0 - 1e-9);
    EXPECT_LE(distance, std::sqrt(14.0) - 1.0 + sagitta);
    MVector normal;
    sphere.getPolygonNormal(face, normal);
    EXPECT_GT(normal * expected, 0.99);
}

// Normals, filters and spaces: a cube's corner normal points out along the diagonal; face
// filters restrict hits; a rotated, scaled object answers in world space.
TEST_F(MeshIteratorTest, NormalsFiltersAndTransformedObjects) {
    const MDagPath cube = make("polyCube -w 2 -h 2 -d 2");
    MFnMesh fn(cube);
    for (bool angleWeighted : {false, true}) {
        MVector normal;
        ASSERT_TRUE(fn.getVertexNormal(0, angleWeighted, normal));
        MPoint corner;
        fn.getPoint(0, corner);
        EXPECT_TRUE(normal.isEquivalent(MVector(corner).normal(), 1e-9)) << angleWeighted;
    }
    MIntArray triangleCounts, triangleVertices;
    fn.getTriangles(triangleCounts, triangleVertices);
    EXPECT_EQ(triangleCounts.length(), 6u);
    EXPECT_EQ(triangleVertices.length(), 36u);

    // Along -Z through the middle: the front face, then the back; only the back when the
    // front is filtered out.
    MFloatPointArray hits;
    MIntArray faces;
    fn.allIntersections(MFloatPoint(0.2f, 0.3f, 5), MFloatVector(0, 0, -1), nullptr, nullptr, false,
                        MSpace::kObject, 100.0f, false, nullptr, true, hits, nullptr, &faces,
                        nullptr, nullptr, nullptr);
    ASSERT_EQ(faces.length(), 2u);
    MIntArray backOnly;
    backOnly.append(faces[1]);
    MFloatPoint hit;
    int face = -1;
    ASSERT_TRUE(fn.anyIntersection(MFloatPoint(0.2f, 0.3f, 5), MFloatVector(0, 0, -1), &backOnly,
                                   nullptr, false, MSpace::kObject, 100.0f, false, nullptr, hit,
                                   nullptr, &face, nullptr, nullptr, nullptr));
    EXPECT_EQ(face, faces[1]);
    EXPECT_NEAR(hit.z, -1.0f, 1e-5);

    // Turned a quarter about Y and doubled: the +Z face now faces +X, 2 units out.
    mayasim::CommandEngine::instance().executeMel("setAttr pCube1.ry 90; setAttr pCube1.s 2 2 2",
                                                  nullptr, false, false);
    float param = 0.0f;
    ASSERT_TRUE(fn.closestIntersection(MFloatPoint(10, 0.5f, 0.5f), MFloatVector(-1, 0, 0), nullptr,
                                       nullptr, false, MSpace::kWorld, 100.0f, false, nullptr, hit,
                                       &param, &face, nullptr, nullptr, nullptr));
    EXPECT_NEAR(hit.x, 2.0f, 1e-5);
    EXPECT_NEAR(param, 8.0f, 1e-4);
    MVector normal;
    fn.getPolygonNormal(face, normal, MSpace::kWorld);
    EXPECT_TRUE(normal.normal().isEquivalent(MVector(1, 0, 0), 1e-9));
    MPoint closest;
    ASSERT_TRUE(fn.getClosestPoint(MPoint(0, 5, 0), closest, MSpace::kWorld));
    EXPECT_TRUE(closest.isEquivalent(MPoint(0, 2, 0), 1e-9));
    MItMeshEdge edges(cube);
    double length = 0.0;
    edges.getLength(length, MSpace::kWorld);
    EXPECT_NEAR(length, 4.0, 1e-9);
}

TEST_F(MeshIteratorTest, PlaneBordersAndCorners) {
    const MDagPath plane = make("polyPlane -sx 2 -sy 2");
    int border = 0;
    for (MItMeshVertex it(plane); !it.isDone(); it.next()) {
        int edgeCount = 0;
        it.numConnectedEdges(edgeCount);
        EXPECT_EQ(it.onBoundary(), edgeCount < 4) << "vertex " << it.index();
        border += it.onBoundary();
    }
    EXPECT_EQ(border, 8) << "all but the middle vertex";
    int borderEdges = 0;
    for (MItMeshEdge it(plane); !it.isDone(); it.next()) {
        MIntArray faces;
        borderEdges += it.onBoundary();
        EXPECT_EQ(it.getConnectedFaces(faces), it.onBoundary() ? 1 : 2);
    }
    EXPECT_EQ(borderEdges, 8);
    for (MItMeshPolygon it(plane); !it.isDone(); it.next())
        EXPECT_TRUE(it.onBoundary()) << "every face of a 2 x 2 plane touches its border";
}

}  // namespace
