#pragma once
// What the host's viewport needs to draw the scene: the visible meshes with their world
// placement, and a camera's view and projection.

#include <memory>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>

#include "geometry/Mesh.h"

namespace mayasim {

struct RenderMesh {
    MDagPath path;  // the mesh shape
    MMatrix world;  // object space -> world space
    // The shape's mesh as it is now (shared, not copied: views draw it as it is edited).
    std::shared_ptr<const mesh::Mesh> geometry;
    bool selected = false;  // the shape or its transform is in the active selection
};

// Meshes whose every ancestor is visible and that are not intermediate objects, in DAG
// order.
std::vector<RenderMesh> visibleMeshes();

struct CameraView {
    MMatrix cameraToWorld;
    MMatrix worldToCamera;
    // Row-vector form of the OpenGL projection for a view of the given aspect ratio, with
    // the camera's film fit, film offset and clipping planes.
    MMatrix projection;
};

// Fails for a path that is not a camera shape (or a transform with one).
MStatus cameraView(const MDagPath& camera, double viewAspect, CameraView& view);

}  // namespace mayasim
