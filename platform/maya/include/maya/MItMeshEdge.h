#pragma once
// Walks the edges of a mesh, all of them or those of an edge component, with their end points
// and neighbourhoods.

#include <memory>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace mayasim::mesh {
class Mesh;
}

class MItMeshEdge {
public:
    MItMeshEdge(MObject& polyObject, MStatus* ReturnStatus = NULL);
    MItMeshEdge(MObject& polyObject, MObject& component, MStatus* ReturnStatus = NULL);
    MItMeshEdge(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                MStatus* ReturnStatus = NULL);
    virtual ~MItMeshEdge();

    bool isDone(MStatus* ReturnStatus = NULL);
    MStatus next();
    MStatus reset();
    int count(MStatus* ReturnStatus = NULL);
    //! The current edge's id.
    int index(MStatus* ReturnStatus = NULL) const;
    //! The vertex id at end 0 or 1 of the current edge.
    int index(int index, MStatus* ReturnStatus = NULL);
    MObject currentItem(MStatus* ReturnStatus = NULL);
    MStatus setIndex(int index, int& prevIndex);

    MPoint center(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
    MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
    MStatus setPoint(const MPoint& point, unsigned int index,
                     MSpace::Space space = MSpace::kObject);
    MStatus getLength(double& length, MSpace::Space space = MSpace::kObject);
    MStatus updateSurface();

    //! The faces on the current edge; returns how many.
    int getConnectedFaces(MIntArray& faceList, MStatus* ReturnStatus = NULL) const;
    //! The edges sharing a vertex with the current edge; returns how many.
    int getConnectedEdges(MIntArray& edgeList, MStatus* ReturnStatus = NULL) const;
    bool connectedToEdge(int index, MStatus* ReturnStatus = NULL);
    bool connectedToFace(int index, MStatus* ReturnStatus = NULL);
    bool onBoundary(MStatus* ReturnStatus = NULL);

private:
    MItMeshEdge(const MItMeshEdge&) = delete;
    MItMeshEdge& operator=(const MItMeshEdge&) = delete;
    void init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus);
    bool valid() const;
    int current() const;

    MDagPath path_;
    std::shared_ptr<mayasim::mesh::Mesh> mesh_;
    std::vector<int> indices_;
    std::size_t position_ = 0;
};
