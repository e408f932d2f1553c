// What the view shows of the scene: the view's display style, and the selection in Maya's
// colours (objects, the lead object, picked vertices, edges and faces) in every eye.

#include <maya/MFnMesh.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>

#include <mayasim/Views.h>

#include <vxhost/Desktop.h>

#include "RenderTesting.h"

namespace vxsim::render::testing {
namespace {

// Maya's lead object light green, selection white, picked vertex yellow.
constexpr int kLead[3] = {67, 255, 163};
constexpr int kWhite[3] = {255, 255, 255};
constexpr int kYellow[3] = {255, 255, 0};

int countIn(const RgbaImage& image, const int (&rgb)[3], int fromX, int toX) {
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = fromX; x < toX; ++x)
            count += near(image.at(x, y), rgb[0], rgb[1], rgb[2], 30);
    return count;
}

MPoint worldPoint(const char* mesh, int vertex) {
    MPoint point;
    MFnMesh(pathTo(mesh)).getPoint(vertex, point, MSpace::kWorld);
    return point;
}

void pick(const char* mesh, MFn::Type type, std::initializer_list<int> elements) {
    MFnSingleIndexedComponent fn;
    MObject component = fn.create(type);
    for (int element : elements)
        fn.addElement(element);
    MSelectionList list;
    list.add(pathTo(mesh), component);
    MGlobal::setActiveSelectionList(list);
}

class SceneDisplayTest : public SceneFixture {};

TEST_F(SceneDisplayTest, ViewsStartInWireframeAndTakeTheStyleTheyAreGiven) {
    vxhost::Desktop::instance().reset();
    mayasim::views::create(nullptr, RECT{0, 0, kWidth, kHeight}, pathTo("cam"));
    mel("polyCube -w 2 -h 2 -d 2 -n cube; select -clear");
    M3dView view = M3dView::active3dView();
    EXPECT_EQ(view.displayStyle(), M3dView::kWireFrame);
    // Inside the cube's outline: the gradient behind in wireframe, the lit face when shaded.
    const auto insideCube = [] {
        RgbaImage image;
        EXPECT_TRUE(renderView(0, Eye::kCenter, image, nullptr));
        return int(image.at(kWidth / 2 + 5, kHeight / 2 - 10)[0]);
    };
    EXPECT_LT(insideCube(), 120);
    EXPECT_TRUE(view.setDisplayStyle(M3dView::kGouraudShaded));
    EXPECT_EQ(view.setDisplayStyle(M3dView::kWireFrame, true), MS::kNotImplemented);
    EXPECT_EQ(view.displayStyle(), M3dView::kGouraudShaded);
    EXPECT_GT(insideCube(), 150);

    // The dormant wireframe is Maya's dark blue; points and boxes draw something too.
    const RgbaImage wireframe = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_GT(countColour(wireframe, 0, 4, 96, 25), 100);
    EXPECT_GT(countColour(render(Eye::kCenter, M3dView::kBoundingBox), 0, 4, 96, 25), 100);
    EXPECT_GT(countColour(render(Eye::kCenter, M3dView::kPoints), 0, 4, 96, 25), 3);
    mayasim::views::clear();
}

TEST_F(SceneDisplayTest, SelectedObjectsShowWhiteAndTheLastOneLightGreen) {
    mel("polyCube -w 2 -h 2 -d 2 -n left; setAttr left.translateX -2");
    mel("polyCube -w 2 -h 2 -d 2 -n right; setAttr right.translateX 2");
    mel("select -r left right");
    for (M3dView::DisplayStyle style : {M3dView::kGouraudShaded, M3dView::kWireFrame}) {
        const RgbaImage image = render(Eye::kCenter, style);
        EXPECT_GT(countIn(image, kWhite, 0, kWidth / 2), 60) << style;
        EXPECT_EQ(countIn(image, kLead, 0, kWidth / 2), 0) << style;
        EXPECT_GT(countIn(image, kLead, kWidth / 2, kWidth), 60) << style;
        EXPECT_EQ(countIn(image, kWhite, kWidth / 2, kWidth), 0) << style;
    }
    // A selected group shows what is under it as selected.
    mel("group -n both left right; select -r both");
    const RgbaImage grouped = render();
    EXPECT_GT(countIn(grouped, kLead, 0, kWidth / 2), 60);
    EXPECT_GT(countIn(grouped, kLead, kWidth / 2, kWidth), 60);
    mel("select -clear");
    EXPECT_EQ(countIn(render(), kLead, 0, kWidth), 0);
}

TEST_F(SceneDisplayTest, PickedComponentsShowInEveryEye) {
    mel("polyCube -w 2 -h 2 -d 2 -n cube");
    mel("camera -n camL; setAttr camL.translate -0.3 0 10");
    mel("camera -n camR; setAttr camR.translate 0.3 0 10");
    mel("createNode transform -n rig");
    for (const char* slot : {"centerCam", "leftCam", "rightCam"})
        mel(std::string("addAttr -ln ") + slot + " -at message rig");
    mel("connectAttr cam.message rig.centerCam; connectAttr camL.message rig.leftCam; "
        "connectAttr camR.message rig.rightCam");

    // The front face's lower-left corner picked: yellow there, purple at the other corners.
    int2 edge = {0, 0};
    MFnMesh(pathTo("cubeShape")).getEdgeVertices(0, edge);
    const MPoint corner = worldPoint("cubeShape", edge[0]);
    const MPoint other = worldPoint("cubeShape", edge[1]);
    pick("cube", MFn::kMeshVertComponent, {edge[0]});
    for (Eye eye : {Eye::kLeft, Eye::kRight}) {
        const char* camera = eye == Eye::kLeft ? "camLShape" : "camRShape";
        const RgbaImage image = render(eye, M3dView::kWireFrame);
        const Pixel picked = pixelOf(corner, camera);
        const Pixel unpicked = pixelOf(other, camera);
        EXPECT_TRUE(near(image.at(picked.x, picked.y), kYellow[0], kYellow[1], kYellow[2], 30));
        EXPECT_TRUE(near(image.at(unpicked.x, unpicked.y), 200, 0, 200, 30));
    }

    // An edge (listed under the shape this time): light orange halfway along it, the rest
    // of the mesh hilited light blue.
    pick("cubeShape", MFn::kMeshEdgeComponent, {0});
    const RgbaImage edgeImage = render(Eye::kCenter, M3dView::kWireFrame);
    const Pixel middle = pixelOf((corner + MVector(other)) * 0.5);
    EXPECT_TRUE(nearAround(edgeImage, middle, 255, 153, 51, 30));
    EXPECT_GT(countColour(edgeImage, 100, 220, 255, 20), 60);

    // The face towards the camera: see-through light orange over its shading.
    const RgbaImage unpicked = render();
    MFnMesh mesh(pathTo("cubeShape"));
    int front = 0;
    for (MVector normal; mesh.getPolygonNormal(front, normal, MSpace::kWorld) && normal.z < 0.9;)
        ++front;
    MIntArray vertices;
    mesh.getPolygonVertices(front, vertices);
    MPoint centre(0.0, 0.0, 0.0);
    for (unsigned int i = 0; i < vertices.length(); ++i)
        centre += MVector(worldPoint("cubeShape", vertices[i])) / vertices.length();
    pick("cube", MFn::kMeshPolygonComponent, {front});
    const Pixel face = pixelOf(centre);
    const std::uint8_t* before = unpicked.at(face.x, face.y);
    const RgbaImage picked = render();
    const std::uint8_t* after = picked.at(face.x, face.y);
    EXPECT_GT(after[0], before[0] + 10);
    EXPECT_LT(after[2], before[2] - 40);
}

// A hilited mesh is light blue with its vertices while vertices are picked; a sphere shades
// differently smooth and flat; a concave face is filled only inside its outline.
TEST_F(SceneDisplayTest, HiliteShadingAndConcaveFaces) {
    mel("polySphere -r 2 -n ball; select -clear; hilite ball; selectType -ocm -vertex true");
    const RgbaImage hilited = render(Eye::kCenter, M3dView::kWireFrame);
    EXPECT_GT(countColour(hilited, 100, 220, 255, 20), 60) << "the hilite colour";
    EXPECT_GT(countColour(hilited, 200, 0, 200, 30), 20) << "its vertices";
    mel("hilite -u ball");
    const RgbaImage smooth = render(Eye::kCenter, M3dView::kGouraudShaded);
    const RgbaImage flat = render(Eye::kCenter, M3dView::kFlatShaded);
    EXPECT_GT(meanChannelDifference(smooth, flat), 0.1) << "facets show only when flat";
    mel("delete ball");

    // An L-shaped hexagon facing the camera: its notch (upper right) stays background.
    MPointArray points;
    for (const MPoint& p : {MPoint(-2, -2, 0), MPoint(2, -2, 0), MPoint(2, 0, 0), MPoint(0, 0, 0),
                            MPoint(0, 2, 0), MPoint(-2, 2, 0)}) {
        points.append(p);
    }
    MIntArray counts, connects;
    counts.append(6);
    for (int v = 0; v < 6; ++v)
        connects.append(v);
    MFnMesh().create(6, 1, points, counts, connects);
    const RgbaImage shape = render(Eye::kCenter, M3dView::kFlatShaded);
    const Pixel filled = pixelOf(MPoint(-1, -1, 0));
    const Pixel notch = pixelOf(MPoint(1, 1, 0));
    EXPECT_GT(shape.at(filled.x, filled.y)[0], 150);
    mel("delete polySurface1");
    const RgbaImage background = render(Eye::kCenter, M3dView::kFlatShaded);
    EXPECT_TRUE(near(shape.at(notch.x, notch.y), background.at(notch.x, notch.y)[0],
                     background.at(notch.x, notch.y)[1], background.at(notch.x, notch.y)[2], 8));
}

}  // namespace
}  // namespace vxsim::render::testing
