#include "mayasim/SceneQuery.h"

#include <maya/MItDag.h>
#include <maya/MSelectionList.h>

#include "dg/CameraProjection.h"
#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "dg/SceneState.h"

namespace mayasim {

namespace {

bool flag(Node& node, const char* attr) {
    const Attribute* a = node.findAttribute(attr);
    return a && pull(node, {a, -1}).get() != 0.0;
}

bool visible(const MDagPath& path) {
    MDagPath walk = path;
    for (; walk.length() > 0; walk.pop()) {
        Node* node = nodeOf(walk.node());
        if (!flag(*node, "visibility") || flag(*node, "intermediateObject"))
            return false;
    }
    return true;
}

bool isSelected(const MDagPath& shape) {
    const MSelectionList& selection = scene().selection;
    MDagPath transform = shape;
    transform.pop();
    return selection.hasItem(shape) || selection.hasItem(transform);
}

}  // namespace

std::vector<RenderMesh> visibleMeshes() {
    std::vector<RenderMesh> meshes;
    for (MItDag it(MItDag::kDepthFirst, MFn::kMesh); !it.isDone(); it.next()) {
        MDagPath path;
        it.getPath(path);
        if (!visible(path))
            continue;
        meshes.push_back(
            {path, path.inclusiveMatrix(), sharedMeshOf(*nodeOf(path.node())), isSelected(path)});
    }
    return meshes;
}

MStatus cameraView(const MDagPath& camera, double viewAspect, CameraView& view) {
    MDagPath shape = camera;
    if (!shape.node().hasFn(MFn::kCamera) && !shape.extendToShape()) {
        return MStatus::kInvalidParameter;
    }
    if (!shape.node().hasFn(MFn::kCamera))
        return MStatus::kInvalidParameter;
    view.cameraToWorld = shape.inclusiveMatrix();
    view.worldToCamera = view.cameraToWorld.inverse();
    view.projection = projectionOf(filmBackOf(*nodeOf(shape.node())), viewAspect);
    return MStatus::kSuccess;
}

}  // namespace mayasim
