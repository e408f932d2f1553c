#include <maya/MFnMesh.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "geometry/MeshQueries.h"
#include "geometry/MeshTopology.h"
#include "geometry/MeshTriangulation.h"

using mayasim::spaceMatrix;
using mayasim::toPoint;
using mayasim::toVec3;
using mayasim::toVector;
namespace mesh = mayasim::mesh;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

bool inRange(int index, int count) {
    return index >= 0 && index < count;
}

std::vector<int> toVector(const MIntArray* ids) {
    std::vector<int> out;
    if (ids) {
        out.reserve(ids->length());
        for (unsigned int i = 0; i < ids->length(); ++i)
            out.push_back((*ids)[i]);
    }
    return out;
}

// A ray given in `space`, taken to the mesh's object space. The direction keeps its length
// through the matrix, so hit parameters mean the same in both spaces.
struct ObjectRay {
    ObjectRay(const MFloatPoint& source, const MFloatVector& direction, const MMatrix& toSpace) {
        const MMatrix fromSpace = toSpace.inverse();
        query.source = toVec3(MPoint(source) * fromSpace);
        query.direction = toVec3(MVector(direction) * fromSpace);
    }
    mesh::RayQuery query;
};

// The face and triangle filters of a query, kept alive while it runs.
struct IdFilters {
    IdFilters(const MIntArray* faceIds, const MIntArray* triIds)
        : faces(toVector(faceIds)), triangles(toVector(triIds)) {}
    void applyTo(mesh::RayQuery& query) const {
        query.faceIds = faces;
        query.triangleIds = triangles;
    }
    std::vector<int> faces;
    std::vector<int> triangles;
};

void writeHit(const mesh::RayHit& hit, const MMatrix& toSpace, MFloatPoint& hitPoint,
              float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
              float* hitBary2) {
    hitPoint = MFloatPoint(toPoint(hit.point) * toSpace);
    if (hitRayParam)
        *hitRayParam = static_cast<float>(hit.param);
    if (hitFace)
        *hitFace = hit.face;
    if (hitTriangle)
        *hitTriangle = hit.triangle;
    if (hitBary1)
        *hitBary1 = static_cast<float>(hit.bary1);
    if (hitBary2)
        *hitBary2 = static_cast<float>(hit.bary2);
}

// Angle between the two edges of a face at vertex `corner` of its outline.
double cornerAngle(const mesh::Mesh& m, int face, int corner) {
    const mesh::Span<int> verts = m.faceVertices(face);
    const int n = verts.count();
    const mesh::Vec3& at = m.point(verts[static_cast<std::size_t>(corner)]);
    const mesh::Vec3 a = m.point(verts[static_cast<std::size_t>((corner + n - 1) % n)]) - at;
    const mesh::Vec3 b = m.point(verts[static_cast<std::size_t>((corner + 1) % n)]) - at;
    const double la = mesh::length(a), lb = mesh::length(b);
    if (la == 0.0 || lb == 0.0)
        return 0.0;
    return std::acos(std::clamp(mesh::dot(a, b) / (la * lb), -1.0, 1.0));
}

}  // namespace

// ---- Creation ----

MObject MFnMesh::create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    std::vector<mesh::Vec3> points(vertexArray.length());
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points[i] = toVec3(vertexArray[i]);
    std::vector<int> counts = toVector(&polygonCounts);
    std::vector<int> connects = toVector(&polygonConnects);
    mayasim::Node* parent = mayasim::nodeOf(parentOrOwner);
    if (numVertices != static_cast<int>(points.size()) ||
        numPolygons != static_cast<int>(counts.size()) ||
        (parent && !parent->hasFn(MFn::kTransform))) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::optional<mesh::Mesh> built = mesh::Mesh::fromPolygons(std::move(points), counts, connects);
    if (!built) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    // Unparented, the mesh gets a transform named as Maya names it: polySurface1.
    std::shared_ptr<mayasim::Node> transform, shape;
    MStatus status = MStatus::kSuccess;
    if (!parent) {
        status =
            mayasim::createNodeOfType("transform", "polySurface1", nullptr, nullptr, transform);
        parent = transform.get();
    }
    if (status) {
        status = mayasim::createNodeOfType("mesh", mayasim::shapeNameFor(parent->name), parent,
                                           nullptr, shape);
    }
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    mayasim::setMeshOf(*shape, std::move(*built));
    object_ = shape->handle();
    path_ = MDagPath();
    return transform ? transform->handle() : object_;
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    MPointArray points;
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points.append(MPoint(vertexArray[i]));
    return create(numVertices, numPolygons, points, polygonCounts, polygonConnects, parentOrOwner,
                  ReturnStatus);
}

// ---- Counts and points ----

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    return m ? m->numVertices() : 0;
}

int MFnMesh::numEdges(MStatus* ReturnStatus) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    return m ? m->topology().numEdges() : 0;
}

int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    return m ? m->numFaces() : 0;
}

int MFnMesh::numFaceVertices(MStatus* ReturnStatus) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m)
        return 0;
    int total = 0;
    for (int face = 0; face < m->numFaces(); ++face)
        total += m->faceVertexCount(face);
    return total;
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* ReturnStatus) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    const bool valid = m && inRange(polygonId, m->numFaces());
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? m->faceVertexCount(polygonId) : 0;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    const MMatrix toSpace = spaceMatrix(path(), space);
    vertexArray.setLength(static_cast<unsigned int>(m->numVertices()));
    for (int v = 0; v < m->numVertices(); ++v)
        vertexArray[static_cast<unsigned int>(v)] = toPoint(m->point(v)) * toSpace;
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPoints(MFloatPointArray& vertexArray, MSpace::Space space) const {
    MPointArray points;
    const MStatus status = getPoints(points, space);
    vertexArray.clear();
    for (unsigned int i = 0; i < points.length(); ++i)
        vertexArray.append(MFloatPoint(points[i]));
    return status;
}

MStatus MFnMesh::setPoints(MPointArray& vertexArray, MSpace::Space space) {
    mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (vertexArray.length() != static_cast<unsigned int>(m->numVertices()))
        return MStatus::kInvalidParameter;
    const MMatrix fromSpace = spaceMatrix(path(), space).inverse();
    std::vector<mesh::Vec3> points(vertexArray.length());
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points[i] = toVec3(vertexArray[i] * fromSpace);
    return m->setPoints(std::move(points)) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MFnMesh::setPoints(MFloatPointArray& vertexArray, MSpace::Space space) {
    MPointArray points;
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points.append(MPoint(vertexArray[i]));
    return setPoints(points, space);
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (!inRange(vertexId, m->numVertices()))
        return MStatus::kInvalidParameter;
    pos = toPoint(m->point(vertexId)) * spaceMatrix(path(), space);
    return MStatus::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
    mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (!inRange(vertexId, m->numVertices()))
        return MStatus::kInvalidParameter;
    const MPoint local = pos * spaceMatrix(path(), space).inverse();
    return m->setPoint(vertexId, toVec3(local)) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

// ---- Topology ----

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (!inRange(polygonId, m->numFaces()))
        return MStatus::kInvalidParameter;
    vertexList.clear();
    for (int v : m->faceVertices(polygonId))
        vertexList.append(v);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    vertexCount.clear();
    vertexList.clear();
    for (int face = 0; face < m->numFaces(); ++face) {
        vertexCount.append(m->faceVertexCount(face));
        for (int v : m->faceVertices(face))
            vertexList.append(v);
    }
    return MStatus::kSuccess;
}

MStatus MFnMesh::getEdgeVertices(int edgeId, int2& vertexList) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    const mesh::Topology& topology = m->topology();
    if (!inRange(edgeId, topology.numEdges()))
        return MStatus::kInvalidParameter;
    vertexList[0] = topology.edgeVertex(edgeId, 0);
    vertexList[1] = topology.edgeVertex(edgeId, 1);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonTriangleVertices(int polygonId, int triangleId,
                                            int vertexList[3]) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    const mesh::Triangulation& triangles = m->triangulation();
    if (!inRange(polygonId, m->numFaces()) ||
        !inRange(triangleId, triangles.faceTriangleCount(polygonId))) {
        return MStatus::kInvalidParameter;
    }
    const std::array<int, 3> ids = triangles.faceTriangle(polygonId, triangleId);
    std::copy(ids.begin(), ids.end(), vertexList);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getTriangles(MIntArray& triangleCounts, MIntArray& triangleVertices) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    const mesh::Triangulation& triangles = m->triangulation();
    triangleCounts.clear();
    triangleVertices.clear();
    for (int face = 0; face < m->numFaces(); ++face)
        triangleCounts.append(triangles.faceTriangleCount(face));
    for (int id : triangles.triangleVertexIds())
        triangleVertices.append(id);
    return MStatus::kSuccess;
}

// ---- Normals ----

MStatus MFnMesh::getPolygonNormal(int polygonId, MVector& normal, MSpace::Space space) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (!inRange(polygonId, m->numFaces()))
        return MStatus::kInvalidParameter;
    normal = toVector(m->faceNormal(polygonId));
    if (space == MSpace::kWorld)
        normal = normal.transformAsNormal(spaceMatrix(path(), space));
    return MStatus::kSuccess;
}

MStatus MFnMesh::getVertexNormal(int vertexId, MVector& normal, MSpace::Space space) const {
    return getVertexNormal(vertexId, false, normal, space);
}

MStatus MFnMesh::getVertexNormal(int vertexId, bool angleWeighted, MVector& normal,
                                 MSpace::Space space) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    if (!inRange(vertexId, m->numVertices()))
        return MStatus::kInvalidParameter;
    mesh::Vec3 sum;
    for (int face : m->topology().vertexFaces(vertexId)) {
        double weight = 1.0;
        if (angleWeighted) {
            const mesh::Span<int> verts = m->faceVertices(face);
            const auto at = std::find(verts.begin(), verts.end(), vertexId);
            weight = at == verts.end() ? 0.0 : cornerAngle(*m, face, int(at - verts.begin()));
        }
        sum += m->faceNormal(face) * weight;
    }
    normal = toVector(mesh::normalized(sum));
    if (space == MSpace::kWorld)
        normal = normal.transformAsNormal(spaceMatrix(path(), space));
    return MStatus::kSuccess;
}

MStatus MFnMesh::updateSurface() {
    return mayasim::meshOf(object_) ? MStatus::kSuccess : MStatus::kFailure;
}

// ---- Ray queries ----

bool MFnMesh::intersect(const MPoint& raySource, const MVector& rayDirection, MPointArray& points,
                        double, MSpace::Space space, MIntArray* polygonIds,
                        MStatus* ReturnStatus) const {
    points.clear();
    if (polygonIds)
        polygonIds->clear();
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m)
        return false;
    const MMatrix toSpace = spaceMatrix(path(), space);
    const MMatrix fromSpace = toSpace.inverse();
    const std::vector<mesh::RayHit> hits =
        mesh::intersect(*m, toVec3(raySource * fromSpace), toVec3(rayDirection * fromSpace));
    for (const mesh::RayHit& hit : hits) {
        points.append(toPoint(hit.point) * toSpace);
        if (polygonIds)
            polygonIds->append(hit.face);
    }
    return !hits.empty();
}

bool MFnMesh::closestIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                                  const MIntArray* faceIds, const MIntArray* triIds, bool,
                                  MSpace::Space space, float maxParam, bool testBothDirections,
                                  MMeshIsectAccelParams*, MFloatPoint& hitPoint, float* hitRayParam,
                                  int* hitFace, int* hitTriangle, float* hitBary1, float* hitBary2,
                                  float, MStatus* ReturnStatus) {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m)
        return false;
    const MMatrix toSpace = spaceMatrix(path(), space);
    ObjectRay ray(raySource, rayDirection, toSpace);
    const IdFilters filters(faceIds, triIds);
    filters.applyTo(ray.query);
    ray.query.maxParam = maxParam;
    ray.query.testBothDirections = testBothDirections;
    const std::optional<mesh::RayHit> hit = mesh::closestIntersection(*m, ray.query);
    if (hit) {
        writeHit(*hit, toSpace, hitPoint, hitRayParam, hitFace, hitTriangle, hitBary1, hitBary2);
    }
    return hit.has_value();
}

bool MFnMesh::anyIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                              const MIntArray* faceIds, const MIntArray* triIds, bool,
                              MSpace::Space space, float maxParam, bool testBothDirections,
                              MMeshIsectAccelParams*, MFloatPoint& hitPoint, float* hitRayParam,
                              int* hitFace, int* hitTriangle, float* hitBary1, float* hitBary2,
                              float, MStatus* ReturnStatus) {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m)
        return false;
    const MMatrix toSpace = spaceMatrix(path(), space);
    ObjectRay ray(raySource, rayDirection, toSpace);
    const IdFilters filters(faceIds, triIds);
    filters.applyTo(ray.query);
    ray.query.maxParam = maxParam;
    ray.query.testBothDirections = testBothDirections;
    const std::optional<mesh::RayHit> hit = mesh::anyIntersection(*m, ray.query);
    if (hit) {
        writeHit(*hit, toSpace, hitPoint, hitRayParam, hitFace, hitTriangle, hitBary1, hitBary2);
    }
    return hit.has_value();
}

bool MFnMesh::allIntersections(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                               const MIntArray* faceIds, const MIntArray* triIds, bool,
                               MSpace::Space space, float maxParam, bool testBothDirections,
                               MMeshIsectAccelParams*, bool sortHits, MFloatPointArray& hitPoints,
                               MFloatArray* hitRayParams, MIntArray* hitFaces,
                               MIntArray* hitTriangles, MFloatArray* hitBary1s,
                               MFloatArray* hitBary2s, float, MStatus* ReturnStatus) {
    hitPoints.clear();
    for (MFloatArray* list : {hitRayParams, hitBary1s, hitBary2s}) {
        if (list)
            list->clear();
    }
    for (MIntArray* list : {hitFaces, hitTriangles}) {
        if (list)
            list->clear();
    }
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m)
        return false;
    const MMatrix toSpace = spaceMatrix(path(), space);
    ObjectRay ray(raySource, rayDirection, toSpace);
    const IdFilters filters(faceIds, triIds);
    filters.applyTo(ray.query);
    ray.query.maxParam = maxParam;
    ray.query.testBothDirections = testBothDirections;
    const std::vector<mesh::RayHit> hits = mesh::allIntersections(*m, ray.query, sortHits);
    for (const mesh::RayHit& hit : hits) {
        hitPoints.append(MFloatPoint(toPoint(hit.point) * toSpace));
        if (hitRayParams)
            hitRayParams->append(static_cast<float>(hit.param));
        if (hitFaces)
            hitFaces->append(hit.face);
        if (hitTriangles)
            hitTriangles->append(hit.triangle);
        if (hitBary1s)
            hitBary1s->append(static_cast<float>(hit.bary1));
        if (hitBary2s)
            hitBary2s->append(static_cast<float>(hit.bary2));
    }
    return !hits.empty();
}

// Closest points are found in object space; under a non-uniform scale that is the closest
// point of the object's own metric, as for any query answered through the inverse matrix.
MStatus MFnMesh::getClosestPoint(const MPoint& toThisPoint, MPoint& theClosestPoint,
                                 MSpace::Space space, int* closestPolygon) const {
    MVector normal;
    return getClosestPointAndNormal(toThisPoint, theClosestPoint, normal, space, closestPolygon);
}

MStatus MFnMesh::getClosestPointAndNormal(const MPoint& toThisPoint, MPoint& theClosestPoint,
                                          MVector& theNormal, MSpace::Space space,
                                          int* closestPolygon) const {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    const MMatrix toSpace = spaceMatrix(path(), space);
    const std::optional<mesh::SurfacePoint> found =
        mesh::closestPoint(*m, toVec3(toThisPoint * toSpace.inverse()));
    if (!found)
        return MStatus::kInvalidParameter;
    theClosestPoint = toPoint(found->point) * toSpace;
    theNormal = toVector(m->faceNormal(found->face));
    if (space == MSpace::kWorld)
        theNormal = theNormal.transformAsNormal(toSpace);
    if (closestPolygon)
        *closestPolygon = found->face;
    return MStatus::kSuccess;
}

// ---- The accelerator ----

MMeshIsectAccelParams MFnMesh::uniformGridParams(int xDiv, int yDiv, int zDiv) {
    MMeshIsectAccelParams params;
    params.type = 1;
    params.xDiv = xDiv;
    params.yDiv = yDiv;
    params.zDiv = zDiv;
    return params;
}

MMeshIsectAccelParams MFnMesh::autoUniformGridParams() {
    MMeshIsectAccelParams params;
    params.type = 2;
    return params;
}

MStatus MFnMesh::freeCachedIntersectionAccelerator() {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    if (!m)
        return MStatus::kFailure;
    m->freeRayAccelerator();
    return MStatus::kSuccess;
}

MString MFnMesh::cachedIntersectionAcceleratorInfo(MStatus* ReturnStatus) {
    const mesh::Mesh* m = mayasim::meshOf(object_);
    report(ReturnStatus, m ? MStatus::kSuccess : MStatus::kFailure);
    if (!m || !m->hasRayAccelerator())
        return MString();
    return MString(m->rayAccelerator().info().c_str());
}
