#pragma once
// Walks the faces of a mesh, all of them or those of a face component: their vertices, edges,
// triangles, normals and neighbourhoods.

#include <memory>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

namespace mayasim::mesh {
class Mesh;
}

class MItMeshPolygon {
public:
    MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus = NULL);
    MItMeshPolygon(const MDagPath& polyObject, MObject& component = MObject::kNullObj,
                   MStatus* ReturnStatus = NULL);
    virtual ~MItMeshPolygon();

    bool isDone(MStatus* ReturnStatus = NULL);
    MStatus next();
    MStatus reset();
    unsigned int count(MStatus* ReturnStatus = NULL);
    unsigned int index(MStatus* ReturnStatus = NULL);
    MObject currentItem(MStatus* ReturnStatus = NULL);
    MStatus setIndex(int index, int& prevIndex);

    unsigned int polygonVertexCount(MStatus* ReturnStatus = NULL);
    unsigned int vertexIndex(int index, MStatus* ReturnStatus = NULL);
    MStatus getVertices(MIntArray& vertices);
    MStatus getEdges(MIntArray& edges);
    MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
    MStatus getPoints(MPointArray& pointArray, MSpace::Space space = MSpace::kObject);
    MStatus setPoint(const MPoint& point, unsigned int index,
                     MSpace::Space space = MSpace::kObject);
    MStatus setPoints(MPointArray& pointArray, MSpace::Space space = MSpace::kObject);
    MPoint center(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL);
    MStatus getNormal(MVector& normal, MSpace::Space space = MSpace::kObject) const;
    MStatus getArea(double& area, MSpace::Space space = MSpace::kObject);
    bool zeroArea(MStatus* ReturnStatus = NULL);
    bool isPlanar(MStatus* ReturnStatus = NULL);
    MStatus updateSurface();

    bool hasValidTriangulation(MStatus* ReturnStatus = NULL) const;
    MStatus numTriangles(int& triCount) const;
    //! The points and mesh vertex ids of one of the face's triangles.
    MStatus getTriangle(int localTriIndex, MPointArray& points, MIntArray& vertexList,
                        MSpace::Space space = MSpace::kObject) const;
    MStatus getTriangles(MPointArray& points, MIntArray& vertexList,
                         MSpace::Space space = MSpace::kObject) const;

    bool isConnectedToFace(int index, MStatus* ReturnStatus = NULL);
    bool isConnectedToEdge(int index, MStatus* ReturnStatus = NULL);
    bool isConnectedToVertex(int index, MStatus* ReturnStatus = NULL);
    MStatus getConnectedFaces(MIntArray& faces);
    MStatus getConnectedEdges(MIntArray& edges);
    MStatus getConnectedVertices(MIntArray& vertices);
    bool onBoundary(MStatus* ReturnStatus = NULL);

private:
    MItMeshPolygon(const MItMeshPolygon&) = delete;
    MItMeshPolygon& operator=(const MItMeshPolygon&) = delete;
    void init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus);
    bool valid() const;
    int current() const;

    MDagPath path_;
    std::shared_ptr<mayasim::mesh::Mesh> mesh_;
    std::vector<int> indices_;
    std::size_t position_ = 0;
};
