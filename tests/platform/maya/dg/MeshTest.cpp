// Mesh geometry: polyCube topology and winding, history updates, ray intersection and
// closest points, in object and world space.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include <maya/MBoundingBox.h>
#include <maya/MDagPath.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnTransform.h>
#include <maya/MPointArray.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

class MeshTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
    }
    void TearDown() override { mayasim::Scene::instance().reset(); }

    static MDagPath cube(const std::string& flags) {
        mayasim::Value result;
        EXPECT_TRUE(mayasim::CommandEngine::instance().executeMel(("polyCube " + flags).c_str(),
                                                                  &result, false, false));
        MDagPath path;
        mayasim::Scene::instance().findPath(result.asStringArray().front().c_str(), path);
        path.extendToShape();
        return path;
    }
};

TEST_F(MeshTest, PolyCubeBuildsClosedOutwardFacingTopology) {
    MFnMesh mesh(cube("-w 2 -h 4 -d 6"));
    EXPECT_EQ(mesh.numVertices(), 8);
    EXPECT_EQ(mesh.numPolygons(), 6);
    EXPECT_EQ(mesh.numEdges(), 12);
    for (int face = 0; face < mesh.numPolygons(); ++face) {
        MVector normal;
        ASSERT_TRUE(mesh.getPolygonNormal(face, normal));
        MIntArray verts;
        mesh.getPolygonVertices(face, verts);
        MPoint centre;
        for (unsigned int i = 0; i < verts.length(); ++i) {
            MPoint p;
            mesh.getPoint(verts[i], p);
            centre += MVector(p) / verts.length();
        }
        EXPECT_GT(normal * MVector(centre), 0.0) << "face " << face << " faces inwards";
    }
    EXPECT_DOUBLE_EQ(mesh.boundingBox().height(), 4.0);

    MFnMesh divided(cube("-sx 2 -sy 3 -sz 4"));
    EXPECT_EQ(divided.numPolygons(), 2 * (2 * 3 + 2 * 4 + 3 * 4));
    EXPECT_EQ(divided.numVertices(), 3 * 4 * 5 - 1 * 2 * 3)
        << "the grid's surface points, once each";
}

TEST_F(MeshTest, HistoryRebuildsTheShapeWhenTheCubeChanges) {
    MDagPath shape = cube("-n \"box\"");
    MFnMesh mesh(shape);
    MPoint corner;
    mesh.getPoint(0, corner);
    EXPECT_DOUBLE_EQ(std::fabs(corner.x), 0.5);
    MFnDependencyNode(mayasim::Scene::instance().findNode("polyCube1")).findPlug("w").setValue(4.0);
    mesh.getPoint(0, corner);
    EXPECT_DOUBLE_EQ(std::fabs(corner.x), 2.0);

    mesh.setPoint(0, MPoint(9, 9, 9));
    mesh.getPoint(0, corner);
    EXPECT_EQ(corner, MPoint(9, 9, 9)) << "edits stay until the history changes again";
}

TEST_F(MeshTest, IntersectsRaysAndFindsClosestPointsInWorldSpace) {
    MDagPath shape = cube("-w 2 -h 2 -d 2");
    MDagPath transform = shape;
    transform.pop();
    MFnTransform(transform).setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    MFnMesh mesh(shape);

    MFloatPoint hit;
    float param = 0;
    int face = -1;
    ASSERT_TRUE(mesh.closestIntersection(MFloatPoint(10, 0, 10), MFloatVector(0, 0, -1), nullptr,
                                         nullptr, false, MSpace::kWorld, 100.0f, false, nullptr,
                                         hit, &param, &face, nullptr, nullptr, nullptr));
    EXPECT_NEAR(hit.z, 1.0f, 1e-5);
    EXPECT_NEAR(param, 9.0f, 1e-5);
    MVector normal;
    mesh.getPolygonNormal(face, normal, MSpace::kWorld);
    EXPECT_TRUE(normal.isEquivalent(MVector(0, 0, 1), 1e-9));
    EXPECT_FALSE(mesh.closestIntersection(MFloatPoint(10, 0, 10), MFloatVector(0, 0, -1), nullptr,
                                          nullptr, false, MSpace::kWorld, 5.0f, false, nullptr, hit,
                                          &param, &face, nullptr, nullptr, nullptr))
        << "beyond maxParam";
    EXPECT_FALSE(mesh.closestIntersection(MFloatPoint(10, 0, 10), MFloatVector(0, 0, 1), nullptr,
                                          nullptr, false, MSpace::kWorld, 100.0f, false, nullptr,
                                          hit, &param, &face, nullptr, nullptr, nullptr))
        << "behind the ray";

    MPointArray hits;
    ASSERT_TRUE(mesh.intersect(MPoint(10, 0, 10), MVector(0, 0, -1), hits, 1e-10, MSpace::kWorld));
    ASSERT_EQ(hits.length(), 2u);
    EXPECT_NEAR(hits[0].z, 1.0, 1e-9);
    EXPECT_NEAR(hits[1].z, -1.0, 1e-9);

    MPoint closest;
    ASSERT_TRUE(mesh.getClosestPoint(MPoint(13, 0.5, 0.25), closest, MSpace::kWorld));
    EXPECT_TRUE(closest.isEquivalent(MPoint(11, 0.5, 0.25), 1e-9));
}

}  // namespace

TEST_F(MeshTest, TransformBoxesAreInTheParentSpace) {
    MDagPath shape = cube("-w 2 -h 2 -d 2");
    MDagPath transform = shape;
    transform.pop();
    MFnTransform(transform).setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    EXPECT_EQ(MFnDagNode(shape).boundingBox().center(), MPoint(0, 0, 0)) << "shapes: object space";
    EXPECT_EQ(MFnDagNode(transform).boundingBox().center(), MPoint(10, 0, 0));

    mayasim::Value group;
    ASSERT_TRUE(mayasim::CommandEngine::instance().executeMel(
        "group -n outer pCube1; setAttr outer.ty 4", &group, false, false));
    MDagPath outer;
    ASSERT_TRUE(mayasim::Scene::instance().findPath("outer", outer));
    const MBoundingBox box = MFnDagNode(outer).boundingBox();
    EXPECT_EQ(box.center(), MPoint(10, 4, 0)) << "nested transforms compose";
    EXPECT_DOUBLE_EQ(box.width(), 2.0);
}

namespace {

TEST_F(MeshTest, SubdividedCubeIsAClosedQuadSurface) {
    MFnMesh mesh(cube("-sx 2 -sy 3 -sz 4"));
    const int faces = mesh.numPolygons();
    EXPECT_EQ(mesh.numEdges(), mesh.numVertices() + faces - 2) << "a closed genus-0 surface";
    std::map<std::pair<int, int>, int> uses;
    for (int face = 0; face < faces; ++face) {
        MIntArray verts;
        mesh.getPolygonVertices(face, verts);
        ASSERT_EQ(verts.length(), 4u) << "face " << face;
        for (unsigned int i = 0; i < 4; ++i) {
            const int a = verts[i];
            const int b = verts[(i + 1) % 4];
            ++uses[{std::min(a, b), std::max(a, b)}];
        }
    }
    EXPECT_EQ(static_cast<int>(uses.size()), mesh.numEdges());
    for (const auto& [edge, count] : uses)
        EXPECT_EQ(count, 2) << "edge " << edge.first << "-" << edge.second;
}

}  // namespace
