#pragma once
// Function set for polygon meshes: creation from points and face lists, vertex access,
// topology queries, normals, ray intersection and closest points.

#include <maya/MFloatArray.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#define kMFnMeshTolerance 1.0e-3
#define kMFnMeshPointTolerance 1.0e-10

// How the intersection accelerator is to be built. The host always builds one bounding
// volume hierarchy; the grid divisions are kept only to be reported.
class MMeshIsectAccelParams {
public:
    MMeshIsectAccelParams() {}

private:
    friend class MFnMesh;
    int type = 0;
    int xDiv = 0;
    int yDiv = 0;
    int zDiv = 0;
    bool verbose = false;
};

class MFnMesh : public MFnDagNode {
public:
    declareDagMFnConstructors(MFnMesh)

        MFn::Type type() const override {
        return MFn::kMesh;
    }

    MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);
    MObject create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    int numVertices(MStatus* ReturnStatus = NULL) const;
    int numEdges(MStatus* ReturnStatus = NULL) const;
    int numPolygons(MStatus* ReturnStatus = NULL) const;
    int numFaceVertices(MStatus* ReturnStatus = NULL) const;
    int polygonVertexCount(int polygonId, MStatus* ReturnStatus = NULL) const;

    MStatus getPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
    MStatus setPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
    MStatus getPoint(int vertexId, MPoint& pos, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoint(int vertexId, const MPoint& pos, MSpace::Space space = MSpace::kObject);
    MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
    MStatus getVertices(MIntArray& vertexCount, MIntArray& vertexList) const;
    MStatus getEdgeVertices(int edgeId, int2& vertexList) const;
    MStatus getPolygonTriangleVertices(int polygonId, int triangleId, int vertexList[3]) const;
    MStatus getTriangles(MIntArray& triangleCounts, MIntArray& triangleVertices) const;
    MStatus getPolygonNormal(int polygonId, MVector& normal,
                             MSpace::Space space = MSpace::kObject) const;
    MStatus getVertexNormal(int vertexId, MVector& normal,
                            MSpace::Space space = MSpace::kObject) const;
    MStatus getVertexNormal(int vertexId, bool angleWeighted, MVector& normal,
                            MSpace::Space space = MSpace::kObject) const;
    MStatus updateSurface();

    bool intersect(const MPoint& raySource, const MVector& rayDirection, MPointArray& points,
                   double tolerance = kMFnMeshPointTolerance, MSpace::Space space = MSpace::kObject,
                   MIntArray* polygonIds = NULL, MStatus* ReturnStatus = NULL) const;
    bool closestIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                             const MIntArray* faceIds, const MIntArray* triIds, bool idsSorted,
                             MSpace::Space space, float maxParam, bool testBothDirections,
                             MMeshIsectAccelParams* accelerator, MFloatPoint& hitPoint,
                             float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                             float* hitBary2, float tolerance = 1e-6, MStatus* ReturnStatus = NULL);
    bool anyIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                         const MIntArray* faceIds, const MIntArray* triIds, bool idsSorted,
                         MSpace::Space space, float maxParam, bool testBothDirections,
                         MMeshIsectAccelParams* accelerator, MFloatPoint& hitPoint,
                         float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                         float* hitBary2, float tolerance = 1e-6, MStatus* ReturnStatus = NULL);
    bool allIntersections(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                          const MIntArray* faceIds, const MIntArray* triIds, bool idsSorted,
                          MSpace::Space space, float maxParam, bool testBothDirections,
                          MMeshIsectAccelParams* accelerator, bool sortHits,
                          MFloatPointArray& hitPoints, MFloatArray* hitRayParams,
                          MIntArray* hitFaces, MIntArray* hitTriangles, MFloatArray* hitBary1s,
                          MFloatArray* hitBary2s, float tolerance = 1e-6,
                          MStatus* ReturnStatus = NULL);
    MStatus getClosestPoint(const MPoint& toThisPoint, MPoint& theClosestPoint,
                            MSpace::Space space = MSpace::kObject,
                            int* closestPolygon = NULL) const;
    MStatus getClosestPointAndNormal(const MPoint& toThisPoint, MPoint& theClosestPoint,
                                     MVector& theNormal, MSpace::Space space = MSpace::kObject,
                                     int* closestPolygon = NULL) const;
    static MMeshIsectAccelParams uniformGridParams(int xDiv, int yDiv, int zDiv);
    static MMeshIsectAccelParams autoUniformGridParams();
    MStatus freeCachedIntersectionAccelerator();
    MString cachedIntersectionAcceleratorInfo(MStatus* ReturnStatus = NULL);
};
