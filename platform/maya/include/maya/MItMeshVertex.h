#pragma once
// Walks the vertices of a mesh, all of them or those of a vertex component, with their
// positions and neighbourhoods.

#include <memory>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

namespace mayasim::mesh {
class Mesh;
}

class MItMeshVertex {
public:
    MItMeshVertex(MObject& polyObject, MStatus* ReturnStatus = NULL);
    MItMeshVertex(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                  MStatus* ReturnStatus = NULL);
    virtual ~MItMeshVertex();

    bool isDone(MStatus* ReturnStatus = NULL);
    MStatus next();
    MStatus reset();
    int count(MStatus* ReturnStatus = NULL);
    int index(MStatus* ReturnStatus = NULL);
    MObject currentItem(MStatus* ReturnStatus = NULL);
    MStatus setIndex(int index, int& prevIndex);

    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
    MStatus setPosition(const MPoint& point, MSpace::Space space = MSpace::kObject);
    MStatus translateBy(const MVector& vector, MSpace::Space space = MSpace::kObject);
    MStatus updateSurface();
    MStatus getNormal(MVector& vector, MSpace::Space space = MSpace::kObject);

    MStatus getConnectedFaces(MIntArray& faceList);
    MStatus getConnectedEdges(MIntArray& edgeList);
    MStatus getConnectedVertices(MIntArray& vertexList);
    MStatus numConnectedFaces(int& faceCount) const;
    MStatus numConnectedEdges(int& edgeCount) const;
    bool connectedToFace(int index, MStatus* ReturnStatus = NULL);
    bool connectedToEdge(int index, MStatus* ReturnStatus = NULL);
    bool onBoundary(MStatus* ReturnStatus = NULL);

private:
    MItMeshVertex(const MItMeshVertex&) = delete;
    MItMeshVertex& operator=(const MItMeshVertex&) = delete;
    void init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus);
    bool valid() const;
    int current() const;

    MDagPath path_;
    std::shared_ptr<mayasim::mesh::Mesh> mesh_;
    std::vector<int> indices_;
    std::size_t position_ = 0;
};
