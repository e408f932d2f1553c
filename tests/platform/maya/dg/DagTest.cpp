// The DAG: Maya's transform order of operations, matrices through a hierarchy, paths,
// traversal, and a camera's film-back projection.

#include <gtest/gtest.h>

#include <cmath>

#include <maya/MDagModifier.h>
#include <maya/MDagPath.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMatrixData.h>
#include <maya/MFnMesh.h>
#include <maya/MFnTransform.h>
#include <maya/MItDag.h>
#include <maya/MItGeometry.h>
#include <maya/MTransformationMatrix.h>

#include "mayasim/Scene.h"
#include "mayasim/SceneQuery.h"

namespace {

constexpr double kTol = 1e-9;

class DagTest : public ::testing::Test {
protected:
    void TearDown() override { mayasim::Scene::instance().reset(); }

    static void setTriple(MFnDependencyNode& fn, const char* attr, double x, double y, double z) {
        MPlug plug = fn.findPlug(attr);
        plug.child(0).setValue(x);
        plug.child(1).setValue(y);
        plug.child(2).setValue(z);
    }
};

TEST_F(DagTest, TransformAttributesComposeInMayasOrderOfOperations) {
    MFnTransform fn;
    fn.create();
    setTriple(fn, "translate", 1, 2, 3);
    setTriple(fn, "rotate", 0.3, -0.7, 1.1);
    setTriple(fn, "scale", 2, 0.5, 1.5);
    setTriple(fn, "shear", 0.2, 0.1, -0.3);
    setTriple(fn, "rotatePivot", 0.5, -1, 2);
    setTriple(fn, "rotatePivotTranslate", 0.1, 0.2, 0.3);
    setTriple(fn, "scalePivot", -2, 1, 0.5);
    setTriple(fn, "scalePivotTranslate", 0.4, 0.5, 0.6);
    setTriple(fn, "rotateAxis", 0.2, 0.4, -0.6);
    fn.findPlug("rotateOrder").setValue(2);  // zxy

    MTransformationMatrix expected;
    const double rotation[3] = {0.3, -0.7, 1.1};
    const double scale[3] = {2, 0.5, 1.5};
    const double shear[3] = {0.2, 0.1, -0.3};
    expected.setScalePivot(MPoint(-2, 1, 0.5), MSpace::kTransform, false);
    expected.setScalePivotTranslation(MVector(0.4, 0.5, 0.6), MSpace::kTransform);
    expected.setRotatePivot(MPoint(0.5, -1, 2), MSpace::kTransform, false);
    expected.setRotatePivotTranslation(MVector(0.1, 0.2, 0.3), MSpace::kTransform);
    expected.setScale(scale, MSpace::kTransform);
    expected.setShear(shear, MSpace::kTransform);
    expected.setRotationOrientation(MEulerRotation(0.2, 0.4, -0.6).asQuaternion());
    expected.setRotation(rotation, MTransformationMatrix::kZXY);
    expected.setTranslation(MVector(1, 2, 3), MSpace::kTransform);

    EXPECT_TRUE(fn.transformationMatrix().isEquivalent(expected.asMatrix(), 1e-9));
    EXPECT_TRUE(fn.transformation().asMatrix().isEquivalent(expected.asMatrix(), 1e-9));
}

TEST_F(DagTest, MatricesAndPathsFollowTheHierarchy) {
    MFnTransform parentFn;
    MObject parent = parentFn.create();
    parentFn.setTranslation(MVector(0, 10, 0), MSpace::kTransform);
    parentFn.setRotation(MEulerRotation(0, M_PI / 2, 0));
    MFnTransform childFn;
    MObject child = childFn.create(parent);
    childFn.setTranslation(MVector(1, 0, 0), MSpace::kTransform);
    MFnCamera cameraFn;
    MObject camera = cameraFn.create(child);

    MDagPath cameraPath = MDagPath::getAPathTo(camera);
    EXPECT_EQ(cameraPath.length(), 3u);
    EXPECT_EQ(cameraPath.fullPathName(), "|transform1|transform2|camera1");
    EXPECT_EQ(cameraPath.partialPathName(), "camera1");
    EXPECT_EQ(cameraPath.transform(), child);

    const MPoint eye = MPoint() * cameraPath.inclusiveMatrix();
    EXPECT_TRUE(eye.isEquivalent(MPoint(0, 10, -1), kTol));
    EXPECT_TRUE(cameraPath.exclusiveMatrix().isEquivalent(
        MDagPath::getAPathTo(child).inclusiveMatrix(), kTol));
    EXPECT_TRUE(cameraFn.eyePoint(MSpace::kWorld).isEquivalent(eye, kTol));
    EXPECT_TRUE(cameraFn.viewDirection(MSpace::kWorld).isEquivalent(MVector(-1, 0, 0), kTol));
    EXPECT_TRUE(childFn.getTranslation(MSpace::kWorld).isEquivalent(MVector(0, 10, -1), kTol));

    MFnMatrixData world(childFn.findPlug("worldMatrix").elementByLogicalIndex(0).asMObject());
    EXPECT_TRUE(world.matrix().isEquivalent(MDagPath::getAPathTo(child).inclusiveMatrix(), kTol));

    // A moved parent moves the child's world matrix on the next read.
    parentFn.setTranslation(MVector(0, 0, 0), MSpace::kTransform);
    MFnMatrixData moved(childFn.findPlug("worldMatrix").elementByLogicalIndex(0).asMObject());
    EXPECT_NEAR(moved.matrix()[3][1], 0.0, kTol);

    EXPECT_TRUE(cameraPath.pop());
    EXPECT_TRUE(cameraPath.extendToShape());
    EXPECT_EQ(cameraPath.node(), camera);
}

TEST_F(DagTest, IteratesDepthAndBreadthFirstWithAFilter) {
    MFnTransform fn;
    MObject a = fn.create();
    MObject b = fn.create(a);
    fn.create(b);
    MObject c = fn.create();
    MFnCamera camera;
    camera.create(c);

    auto names = [](MItDag::TraversalType order, MFn::Type filter) {
        std::string out;
        for (MItDag it(order, filter); !it.isDone(); it.next()) {
            out += std::string(it.partialPathName().asChar()) + " ";
        }
        return out;
    };
    EXPECT_EQ(names(MItDag::kDepthFirst, MFn::kTransform),
              "transform1 transform2 transform3 transform4 ");
    EXPECT_EQ(names(MItDag::kBreadthFirst, MFn::kDagNode),
              " transform1 transform4 transform2 camera1 transform3 ");
}

TEST_F(DagTest, MeshesKeepTheirTopologyAndIterateVertices) {
    MPointArray points;
    for (const MPoint& p :
         {MPoint(0, 0, 0), MPoint(1, 0, 0), MPoint(1, 1, 0), MPoint(0, 1, 0), MPoint(2, 0, 0)}) {
        points.append(p);
    }
    MIntArray counts;
    counts.append(4);
    counts.append(3);
    MIntArray connects;
    for (int v : {0, 1, 2, 3, 1, 4, 2})
        connects.append(v);
    MFnMesh meshFn;
    MObject transform = meshFn.create(5, 2, points, counts, connects);
    EXPECT_TRUE(transform.hasFn(MFn::kTransform));
    EXPECT_EQ(meshFn.numEdges(), 6);
    MFnTransform(transform).setTranslation(MVector(0, 0, 5), MSpace::kTransform);

    MDagPath path = MDagPath::getAPathTo(transform);
    int visited = 0;
    for (MItGeometry it(path); !it.isDone(); it.next(), ++visited) {
        EXPECT_NEAR(it.position(MSpace::kWorld).z, 5.0, kTol);
    }
    EXPECT_EQ(visited, 5);

    MIntArray bad;
    bad.append(0);
    bad.append(1);
    bad.append(9);
    MIntArray one;
    one.append(3);
    MStatus status;
    MFnMesh().create(5, 1, points, one, bad, MObject::kNullObj, &status);
    EXPECT_FALSE(status) << "a face using a missing vertex is refused";
}

TEST_F(DagTest, CameraProjectionUsesTheFilmBack) {
    MFnCamera camera;
    camera.create();
    camera.setObject(MDagPath::getAPathTo(camera.object()));
    camera.setHorizontalFilmAperture(1.0);
    camera.setVerticalFilmAperture(0.5);
    camera.setFocalLength(25.4);  // one inch: the frustum spans the aperture at unit distance
    camera.setHorizontalFilmOffset(0.25);
    camera.setNearClippingPlane(1.0);
    camera.setFarClippingPlane(100.0);

    const MFloatMatrix p = camera.projectionMatrix();
    auto ndc = [&](double x, double y, double z) {
        const double v[4] = {x, y, z, 1.0};
        double out[4] = {0, 0, 0, 0};
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r)
                out[c] += v[r] * p(r, c);
        }
        return MPoint(out[0] / out[3], out[1] / out[3], out[2] / out[3]);
    };
    // The offset shifts the window to [-0.25, 0.75] x [-0.25, 0.25] at the near plane.
    EXPECT_TRUE(ndc(0.75, 0.25, -1).isEquivalent(MPoint(1, 1, -1), 1e-5));
    EXPECT_TRUE(ndc(-0.5, -0.5, -2).isEquivalent(MPoint(-1, -1, ndc(0, 0, -2).z), 1e-5));
    EXPECT_NEAR(ndc(0, 0, -100).z, 1.0, 1e-5);
    EXPECT_NEAR(camera.horizontalFieldOfView(), 2 * std::atan(0.5), kTol);
}

TEST_F(DagTest, TheViewportSeesVisibleMeshesThroughAFittedCamera) {
    MObject shown, hidden;
    auto& scene = mayasim::Scene::instance();
    scene.createNode("mesh", "shownShape", MObject(), shown);
    scene.createNode("mesh", "hiddenShape", MObject(), hidden);
    MFnDagNode hiddenFn(hidden);
    MFnDependencyNode(hiddenFn.parent(0)).findPlug("visibility").setValue(false);
    const auto meshes = mayasim::visibleMeshes();
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].path.node(), shown);

    MFnCamera camera;
    MObject transform = camera.create();
    camera.setHorizontalFilmAperture(1.5);
    camera.setVerticalFilmAperture(1.0);
    camera.setFocalLength(25.4);
    camera.setNearClippingPlane(1.0);
    MFnTransform(transform).setTranslation(MVector(0, 0, 10), MSpace::kTransform);
    mayasim::CameraView view;
    ASSERT_TRUE(mayasim::cameraView(MDagPath::getAPathTo(transform), 3.0, view));
    // Fill fit on a view wider than the film: the horizontal aperture spans the view.
    const MPoint edge = MPoint(0.75, 0, 9) * view.worldToCamera;
    const double x = (edge.x * view.projection[0][0] + edge.z * view.projection[2][0]) /
                     (edge.z * view.projection[2][3]);
    EXPECT_NEAR(x, 1.0, 1e-9);
    EXPECT_FALSE(mayasim::cameraView(MDagPath::getAPathTo(shown), 1.0, view));
}

}  // namespace

namespace {

TEST_F(DagTest, ReparentingMovesPathsTraversalAndMatrices) {
    MFnTransform fn;
    MObject left = fn.create();
    fn.setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    MObject right = fn.create();
    fn.setTranslation(MVector(0, 0, -3), MSpace::kTransform);
    MObject leaf = fn.create(left);
    fn.setTranslation(MVector(0, 1, 0), MSpace::kTransform);

    MDagModifier modifier;
    ASSERT_TRUE(modifier.reparentNode(leaf, right));
    ASSERT_TRUE(modifier.doIt());
    MDagPath path = MDagPath::getAPathTo(leaf);
    EXPECT_EQ(path.fullPathName(), "|transform2|transform3");
    EXPECT_TRUE((MPoint() * path.inclusiveMatrix()).isEquivalent(MPoint(0, 1, -3), kTol))
        << "local values are kept: the leaf moves with its new parent";
    EXPECT_EQ(MFnDagNode(left).childCount(), 0u);
    EXPECT_EQ(MFnDagNode(leaf).parent(0), right);

    std::string below;
    MItDag it;
    it.reset(MDagPath::getAPathTo(right), MItDag::kDepthFirst, MFn::kTransform);
    for (; !it.isDone(); it.next())
        below +=
            std::string(it.partialPathName().asChar()) + "@" + std::to_string(it.depth()) + " ";
    EXPECT_EQ(below, "transform2@0 transform3@1 ");

    ASSERT_TRUE(modifier.undoIt());
    EXPECT_EQ(MDagPath::getAPathTo(leaf).fullPathName(), "|transform1|transform3");
    ASSERT_TRUE(modifier.reparentNode(leaf));
    ASSERT_TRUE(modifier.doIt());
    EXPECT_EQ(MDagPath::getAPathTo(leaf).fullPathName(), "|transform3") << "null parent: world";
    EXPECT_EQ(MDagPath::getAPathTo(leaf).length(), 1u);
}

TEST_F(DagTest, CameraFilmBackDefaultsAndFrustum) {
    MFnCamera camera;
    camera.create();
    camera.setObject(MDagPath::getAPathTo(camera.object()));
    EXPECT_DOUBLE_EQ(camera.horizontalFilmAperture(), 1.41732);
    EXPECT_DOUBLE_EQ(camera.verticalFilmAperture(), 0.94488);
    EXPECT_DOUBLE_EQ(camera.focalLength(), 35.0);
    EXPECT_NEAR(camera.aspectRatio(), 1.5, 1e-5);
    EXPECT_EQ(camera.filmFit(), MFnCamera::kFillFilmFit);
    EXPECT_NEAR(camera.horizontalFieldOfView() * 180 / M_PI, 54.4322, 1e-3);
    EXPECT_NEAR(camera.verticalFieldOfView() * 180 / M_PI, 37.8493, 1e-3);
    EXPECT_DOUBLE_EQ(camera.nearClippingPlane(), 0.1);
    EXPECT_DOUBLE_EQ(camera.farClippingPlane(), 10000.0);
    EXPECT_FALSE(camera.isOrtho());

    camera.setFocalLength(50.8);  // two inches
    camera.setVerticalFilmOffset(0.1);
    double h = 0, v = 0, hOffset = 0, vOffset = 0;
    ASSERT_TRUE(camera.getFilmFrustum(10.0, h, v, hOffset, vOffset));
    EXPECT_NEAR(h, 1.41732 * 5, 1e-9) << "the aperture scaled to the distance";
    EXPECT_NEAR(v, 0.94488 * 5, 1e-9);
    EXPECT_NEAR(hOffset, 0.0, 1e-12);
    EXPECT_NEAR(vOffset, 0.5, 1e-9);
    MFnDependencyNode shape(camera.object());
    EXPECT_DOUBLE_EQ(shape.findPlug("cameraAperture").child(1).asDouble(), 0.94488);
    EXPECT_DOUBLE_EQ(shape.findPlug("filmOffset").child(1).asDouble(), 0.1);
}

}  // namespace
