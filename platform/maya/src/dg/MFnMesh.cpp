#include <maya/MFnMesh.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "dg/SceneState.h"

using mayasim::MeshGeometry;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

MeshGeometry* geometryOf(const MObject& object) {
    mayasim::Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kMesh) ? &mayasim::meshGeometry(*node) : nullptr;
}

struct Hit {
    double t;
    double u;
    double v;
};

// Moeller-Trumbore: the ray parameter and barycentrics of the hit, if any.
bool intersectTriangle(const MPoint& origin, const MVector& dir, const MPoint& a, const MPoint& b,
                       const MPoint& c, Hit& hit) {
    const MVector e1 = b - a;
    const MVector e2 = c - a;
    const MVector p = dir ^ e2;
    const double det = e1 * p;
    if (std::fabs(det) < 1e-12)
        return false;
    const double inv = 1.0 / det;
    const MVector s = origin - a;
    hit.u = (s * p) * inv;
    if (hit.u < 0.0 || hit.u > 1.0)
        return false;
    const MVector q = s ^ e1;
    hit.v = (dir * q) * inv;
    if (hit.v < 0.0 || hit.u + hit.v > 1.0)
        return false;
    hit.t = (e2 * q) * inv;
    return true;
}

MPoint closestOnTriangle(const MPoint& p, const MPoint& a, const MPoint& b, const MPoint& c) {
    const MVector ab = b - a, ac = c - a, ap = p - a;
    const double d1 = ab * ap, d2 = ac * ap;
    if (d1 <= 0 && d2 <= 0)
        return a;
    const MVector bp = p - b;
    const double d3 = ab * bp, d4 = ac * bp;
    if (d3 >= 0 && d4 <= d3)
        return b;
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0)
        return a + ab * (d1 / (d1 - d3));
    const MVector cp = p - c;
    const double d5 = ab * cp, d6 = ac * cp;
    if (d6 >= 0 && d5 <= d6)
        return c;
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0)
        return a + ac * (d2 / (d2 - d6));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    }
    const double denom = 1.0 / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}

}  // namespace

MMatrix MFnMesh::spaceMatrix(MSpace::Space space) const {
    return space == MSpace::kWorld ? path().inclusiveMatrix() : MMatrix();
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    std::vector<MPoint> points;
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points.push_back(vertexArray[i]);
    std::vector<int> counts;
    std::vector<int> connects;
    for (unsigned int i = 0; i < polygonCounts.length(); ++i)
        counts.push_back(polygonCounts[i]);
    for (unsigned int i = 0; i < polygonConnects.length(); ++i) {
        connects.push_back(polygonConnects[i]);
    }
    auto geometry =
        std::make_shared<MeshGeometry>(std::move(points), std::move(counts), std::move(connects));
    mayasim::Node* parent = mayasim::nodeOf(parentOrOwner);
    if (numVertices != geometry->numVertices() || numPolygons != geometry->numPolygons() ||
        !geometry->isValid() || (parent && !parent->hasFn(MFn::kTransform))) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<mayasim::Node> shape;
    const MStatus status = mayasim::createNodeOfType("mesh", "", parent, nullptr, shape);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    shape->mesh = geometry;
    object_ = shape->handle();
    path_ = MDagPath();
    return parent ? object_ : shape->parent->handle();
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

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    return mesh ? mesh->numVertices() : 0;
}

int MFnMesh::numEdges(MStatus* ReturnStatus) const {
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    return mesh ? mesh->numEdges() : 0;
}

int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    return mesh ? mesh->numPolygons() : 0;
}

int MFnMesh::numFaceVertices(MStatus* ReturnStatus) const {
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    return mesh ? static_cast<int>(mesh->faceConnects.size()) : 0;
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* ReturnStatus) const {
    MeshGeometry* mesh = geometryOf(object_);
    const bool valid = mesh && polygonId >= 0 && polygonId < mesh->numPolygons();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? mesh->faceCounts[polygonId] : 0;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    const MMatrix toSpace = spaceMatrix(space);
    vertexArray.clear();
    for (const MPoint& point : mesh->points)
        vertexArray.append(point * toSpace);
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
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (vertexArray.length() != mesh->points.size())
        return MStatus::kInvalidParameter;
    const MMatrix fromSpace = spaceMatrix(space).inverse();
    for (unsigned int i = 0; i < vertexArray.length(); ++i) {
        mesh->points[i] = vertexArray[i] * fromSpace;
    }
    return MStatus::kSuccess;
}

MStatus MFnMesh::setPoints(MFloatPointArray& vertexArray, MSpace::Space space) {
    MPointArray points;
    for (unsigned int i = 0; i < vertexArray.length(); ++i)
        points.append(MPoint(vertexArray[i]));
    return setPoints(points, space);
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (vertexId < 0 || vertexId >= mesh->numVertices())
        return MStatus::kInvalidParameter;
    pos = mesh->points[vertexId] * spaceMatrix(space);
    return MStatus::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (vertexId < 0 || vertexId >= mesh->numVertices())
        return MStatus::kInvalidParameter;
    mesh->points[vertexId] = pos * spaceMatrix(space).inverse();
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (polygonId < 0 || polygonId >= mesh->numPolygons())
        return MStatus::kInvalidParameter;
    vertexList.clear();
    for (int v : mesh->faceVertices(polygonId))
        vertexList.append(v);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    vertexCount.clear();
    vertexList.clear();
    for (int count : mesh->faceCounts)
        vertexCount.append(count);
    for (int v : mesh->faceConnects)
        vertexList.append(v);
    return MStatus::kSuccess;
}

MStatus MFnMesh::getEdgeVertices(int edgeId, int2& vertexList) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (edgeId < 0 || edgeId >= mesh->numEdges())
        return MStatus::kInvalidParameter;
    vertexList[0] = mesh->edges()[edgeId].first;
    vertexList[1] = mesh->edges()[edgeId].second;
    return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonNormal(int polygonId, MVector& normal, MSpace::Space space) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (polygonId < 0 || polygonId >= mesh->numPolygons())
        return MStatus::kInvalidParameter;
    // Newell's method: robust for non-planar polygons.
    const std::vector<int> verts = mesh->faceVertices(polygonId);
    MVector sum;
    for (size_t i = 0; i < verts.size(); ++i) {
        const MPoint& a = mesh->points[verts[i]];
        const MPoint& b = mesh->points[verts[(i + 1) % verts.size()]];
        sum.x += (a.y - b.y) * (a.z + b.z);
        sum.y += (a.z - b.z) * (a.x + b.x);
        sum.z += (a.x - b.x) * (a.y + b.y);
    }
    normal = sum.normal();
    if (space == MSpace::kWorld)
        normal = normal.transformAsNormal(spaceMatrix(space));
    return MStatus::kSuccess;
}

MStatus MFnMesh::updateSurface() {
    return geometryOf(object_) ? MStatus::kSuccess : MStatus::kFailure;
}

bool MFnMesh::intersect(const MPoint& raySource, const MVector& rayDirection, MPointArray& points,
                        double, MSpace::Space space, MIntArray* polygonIds,
                        MStatus* ReturnStatus) const {
    points.clear();
    if (polygonIds)
        polygonIds->clear();
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    if (!mesh)
        return false;
    const MMatrix toSpace = spaceMatrix(space);
    const MMatrix fromSpace = toSpace.inverse();
    const MPoint origin = raySource * fromSpace;
    const MVector dir = rayDirection * fromSpace;
    std::vector<std::pair<double, int>> hits;
    for (int face = 0; face < mesh->numPolygons(); ++face) {
        const std::vector<int> verts = mesh->faceVertices(face);
        for (size_t i = 1; i + 1 < verts.size(); ++i) {
            Hit hit{};
            if (intersectTriangle(origin, dir, mesh->points[verts[0]], mesh->points[verts[i]],
                                  mesh->points[verts[i + 1]], hit) &&
                hit.t >= 0.0) {
                hits.push_back({hit.t, face});
                break;
            }
        }
    }
    std::sort(hits.begin(), hits.end());
    for (const auto& [t, face] : hits) {
        points.append((origin + dir * t) * toSpace);
        if (polygonIds)
            polygonIds->append(face);
    }
    return !hits.empty();
}

bool MFnMesh::closestIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                                  const MIntArray* faceIds, const MIntArray*, bool,
                                  MSpace::Space space, float maxParam, bool testBothDirections,
                                  MMeshIsectAccelParams*, MFloatPoint& hitPoint, float* hitRayParam,
                                  int* hitFace, int* hitTriangle, float* hitBary1, float* hitBary2,
                                  float, MStatus* ReturnStatus) {
    MeshGeometry* mesh = geometryOf(object_);
    report(ReturnStatus, mesh ? MStatus::kSuccess : MStatus::kFailure);
    if (!mesh)
        return false;
    const MMatrix toSpace = spaceMatrix(space);
    const MMatrix fromSpace = toSpace.inverse();
    const MPoint origin = MPoint(raySource) * fromSpace;
    const MVector dir = MVector(rayDirection) * fromSpace;
    std::vector<int> faces;
    if (faceIds) {
        for (unsigned int i = 0; i < faceIds->length(); ++i)
            faces.push_back((*faceIds)[i]);
    } else {
        for (int face = 0; face < mesh->numPolygons(); ++face)
            faces.push_back(face);
    }
    bool found = false;
    Hit best{std::numeric_limits<double>::max(), 0, 0};
    int bestFace = -1;
    int bestTriangle = -1;
    for (int face : faces) {
        const std::vector<int> verts = mesh->faceVertices(face);
        for (size_t i = 1; i + 1 < verts.size(); ++i) {
            Hit hit{};
            if (!intersectTriangle(origin, dir, mesh->points[verts[0]], mesh->points[verts[i]],
                                   mesh->points[verts[i + 1]], hit)) {
                continue;
            }
            if ((hit.t < 0.0 && !testBothDirections) || std::fabs(hit.t) > maxParam)
                continue;
            if (std::fabs(hit.t) < std::fabs(best.t)) {
                best = hit;
                bestFace = face;
                bestTriangle = static_cast<int>(i) - 1;
                found = true;
            }
        }
    }
    if (!found)
        return false;
    hitPoint = MFloatPoint((origin + dir * best.t) * toSpace);
    if (hitRayParam)
        *hitRayParam = static_cast<float>(best.t);
    if (hitFace)
        *hitFace = bestFace;
    if (hitTriangle)
        *hitTriangle = bestTriangle;
    if (hitBary1)
        *hitBary1 = static_cast<float>(1.0 - best.u - best.v);
    if (hitBary2)
        *hitBary2 = static_cast<float>(best.u);
    return true;
}

MStatus MFnMesh::getClosestPoint(const MPoint& toThisPoint, MPoint& theClosestPoint,
                                 MSpace::Space space, int* closestPolygon) const {
    MeshGeometry* mesh = geometryOf(object_);
    if (!mesh)
        return MStatus::kFailure;
    if (mesh->numPolygons() == 0)
        return MStatus::kInvalidParameter;
    const MMatrix toSpace = spaceMatrix(space);
    const MPoint target = toThisPoint * toSpace.inverse();
    double bestDistance = std::numeric_limits<double>::max();
    for (int face = 0; face < mesh->numPolygons(); ++face) {
        const std::vector<int> verts = mesh->faceVertices(face);
        for (size_t i = 1; i + 1 < verts.size(); ++i) {
            const MPoint candidate = closestOnTriangle(
                target, mesh->points[verts[0]], mesh->points[verts[i]], mesh->points[verts[i + 1]]);
            const double distance = candidate.distanceTo(target);
            if (distance < bestDistance) {
                bestDistance = distance;
                theClosestPoint = candidate * toSpace;
                if (closestPolygon)
                    *closestPolygon = face;
            }
        }
    }
    return MStatus::kSuccess;
}
