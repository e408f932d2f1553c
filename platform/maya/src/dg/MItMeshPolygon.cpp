#include <maya/MItMeshPolygon.h>

#include <algorithm>
#include <cmath>

#include "dg/MeshAccess.h"
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

int faceCount(const mesh::Mesh& m) {
    return m.numFaces();
}

// Corners further from the face's plane than this fraction of its size make it non-planar
// (our tolerance; Maya does not document its own).
constexpr double kPlanarTolerance = 1e-6;

}  // namespace

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(polyObject), MObject::kNullObj, ReturnStatus);
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, MObject& component,
                               MStatus* ReturnStatus) {
    init(polyObject, component, ReturnStatus);
}

MItMeshPolygon::~MItMeshPolygon() = default;

void MItMeshPolygon::init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus) {
    report(ReturnStatus, mayasim::startMeshIteration(path, component, MFn::kMeshPolygonComponent,
                                                     faceCount, path_, mesh_, indices_));
}

bool MItMeshPolygon::valid() const {
    return mesh_ && position_ < indices_.size();
}

int MItMeshPolygon::current() const {
    return indices_[position_];
}

bool MItMeshPolygon::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return !valid();
}

MStatus MItMeshPolygon::next() {
    if (!valid())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::reset() {
    position_ = 0;
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

unsigned int MItMeshPolygon::count(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return static_cast<unsigned int>(indices_.size());
}

unsigned int MItMeshPolygon::index(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? static_cast<unsigned int>(current()) : 0u;
}

MObject MItMeshPolygon::currentItem(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? mayasim::makeComponent(MFn::kMeshPolygonComponent, {current()}) : MObject();
}

MStatus MItMeshPolygon::setIndex(int index, int& prevIndex) {
    return mayasim::moveIteration(indices_, position_, index, prevIndex);
}

// ---- Vertices, edges and points ----

unsigned int MItMeshPolygon::polygonVertexCount(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? static_cast<unsigned int>(mesh_->faceVertexCount(current())) : 0u;
}

unsigned int MItMeshPolygon::vertexIndex(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && index >= 0 && index < mesh_->faceVertexCount(current());
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok ? static_cast<unsigned int>(
                    mesh_->faceVertices(current())[static_cast<std::size_t>(index)])
              : 0u;
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) {
    if (!valid())
        return MStatus::kFailure;
    mayasim::copyRangeToArray(mesh_->faceVertices(current()), vertices);
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getEdges(MIntArray& edges) {
    if (!valid())
        return MStatus::kFailure;
    mayasim::copyRangeToArray(mesh_->topology().faceEdges(current()), edges);
    return MStatus::kSuccess;
}

MPoint MItMeshPolygon::point(int index, MSpace::Space space, MStatus* ReturnStatus) {
    MStatus status;
    const int vertex = static_cast<int>(vertexIndex(index, &status));
    report(ReturnStatus, status);
    return status ? toPoint(mesh_->point(vertex)) * spaceMatrix(path_, space) : MPoint();
}

MStatus MItMeshPolygon::getPoints(MPointArray& pointArray, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    const MMatrix toSpace = spaceMatrix(path_, space);
    pointArray.clear();
    for (int vertex : mesh_->faceVertices(current()))
        pointArray.append(toPoint(mesh_->point(vertex)) * toSpace);
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::setPoint(const MPoint& point, unsigned int index, MSpace::Space space) {
    MStatus status;
    const int vertex = static_cast<int>(vertexIndex(static_cast<int>(index), &status));
    if (!status)
        return status;
    const MPoint local = point * spaceMatrix(path_, space).inverse();
    return mesh_->setPoint(vertex, toVec3(local)) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MItMeshPolygon::setPoints(MPointArray& pointArray, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    const mesh::Span<int> vertices = mesh_->faceVertices(current());
    if (pointArray.length() != vertices.size())
        return MStatus::kInvalidParameter;
    const MMatrix fromSpace = spaceMatrix(path_, space).inverse();
    std::vector<mesh::Vec3> positions(vertices.size());
    for (unsigned int i = 0; i < pointArray.length(); ++i)
        positions[i] = toVec3(pointArray[i] * fromSpace);
    return mesh_->setPoints(vertices, positions) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MPoint MItMeshPolygon::center(MSpace::Space space, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? toPoint(mesh_->faceCenter(current())) * spaceMatrix(path_, space) : MPoint();
}

MStatus MItMeshPolygon::getNormal(MVector& normal, MSpace::Space space) const {
    if (!valid())
        return MStatus::kFailure;
    normal = toVector(mesh_->faceNormal(current()));
    if (space == MSpace::kWorld)
        normal = normal.transformAsNormal(spaceMatrix(path_, space));
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getArea(double& area, MSpace::Space space) {
    MPointArray points;
    MIntArray ids;
    const MStatus status = getTriangles(points, ids, space);
    if (!status)
        return status;
    area = 0.0;
    for (unsigned int i = 0; i + 2 < points.length(); i += 3)
        area += 0.5 * ((points[i + 1] - points[i]) ^ (points[i + 2] - points[i])).length();
    return MStatus::kSuccess;
}

bool MItMeshPolygon::zeroArea(MStatus* ReturnStatus) {
    double area = 0.0;
    const MStatus status = getArea(area);
    report(ReturnStatus, status);
    return status && area == 0.0;
}

bool MItMeshPolygon::isPlanar(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return false;
    const int face = current();
    const mesh::Vec3 normal = mesh_->faceNormal(face);
    const mesh::Vec3 middle = mesh_->faceCenter(face);
    double size = 0.0;
    double offPlane = 0.0;
    for (int vertex : mesh_->allFaceVertices(face)) {
        const mesh::Vec3 from = mesh_->point(vertex) - middle;
        size = std::max(size, mesh::length(from));
        offPlane = std::max(offPlane, std::fabs(mesh::dot(from, normal)));
    }
    return offPlane <= kPlanarTolerance * size;
}

MStatus MItMeshPolygon::updateSurface() {
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

// ---- Triangles ----

bool MItMeshPolygon::hasValidTriangulation(MStatus* ReturnStatus) const {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() && mesh_->triangulation().hasValidTriangulation(current());
}

MStatus MItMeshPolygon::numTriangles(int& triCount) const {
    if (!valid())
        return MStatus::kFailure;
    triCount = mesh_->triangulation().faceTriangleCount(current());
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getTriangle(int localTriIndex, MPointArray& points, MIntArray& vertexList,
                                    MSpace::Space space) const {
    if (!valid())
        return MStatus::kFailure;
    const mesh::Triangulation& triangles = mesh_->triangulation();
    if (localTriIndex < 0 || localTriIndex >= triangles.faceTriangleCount(current()))
        return MStatus::kInvalidParameter;
    const MMatrix toSpace = spaceMatrix(path_, space);
    points.clear();
    vertexList.clear();
    for (int id : triangles.faceTriangle(current(), localTriIndex)) {
        points.append(toPoint(mesh_->point(id)) * toSpace);
        vertexList.append(id);
    }
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getTriangles(MPointArray& points, MIntArray& vertexList,
                                     MSpace::Space space) const {
    if (!valid())
        return MStatus::kFailure;
    const mesh::Triangulation& triangles = mesh_->triangulation();
    const MMatrix toSpace = spaceMatrix(path_, space);
    points.clear();
    vertexList.clear();
    for (int t = 0; t < triangles.faceTriangleCount(current()); ++t) {
        for (int id : triangles.faceTriangle(current(), t)) {
            points.append(toPoint(mesh_->point(id)) * toSpace);
            vertexList.append(id);
        }
    }
    return MStatus::kSuccess;
}

// ---- Neighbourhoods ----

bool MItMeshPolygon::isConnectedToFace(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && index >= 0 && index < mesh_->numFaces();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok && index != current() && mesh_->topology().facesShareEdge(current(), index);
}

bool MItMeshPolygon::isConnectedToEdge(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && index >= 0 && index < mesh_->topology().numEdges();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok && mesh_->topology().edgeOnFace(index, current());
}

bool MItMeshPolygon::isConnectedToVertex(int index, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return false;
    const mesh::Span<int> vertices = mesh_->allFaceVertices(current());
    return std::find(vertices.begin(), vertices.end(), index) != vertices.end();
}

MStatus MItMeshPolygon::getConnectedFaces(MIntArray& faces) {
    if (!valid())
        return MStatus::kFailure;
    std::vector<int> found;
    mesh_->topology().connectedFacesOfFace(current(), found);
    mayasim::copyToArray(found, faces);
    return MStatus::kSuccess;
}

MStatus MItMeshPolygon::getConnectedEdges(MIntArray& edges) {
    if (!valid())
        return MStatus::kFailure;
    std::vector<int> found;
    mesh_->topology().connectedEdgesOfFace(current(), found);
    mayasim::copyToArray(found, edges);
    return MStatus::kSuccess;
}

// The vertices joined by an edge to the face's corners, the face's own excluded.
MStatus MItMeshPolygon::getConnectedVertices(MIntArray& vertices) {
    if (!valid())
        return MStatus::kFailure;
    const mesh::Span<int> own = mesh_->allFaceVertices(current());
    std::vector<int> found;
    std::vector<int> around;
    for (int vertex : own) {
        mesh_->topology().connectedVerticesOfVertex(vertex, around);
        for (int other : around) {
            if (std::find(own.begin(), own.end(), other) == own.end())
                found.push_back(other);
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    mayasim::copyToArray(found, vertices);
    return MStatus::kSuccess;
}

bool MItMeshPolygon::onBoundary(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return false;
    const mesh::Topology& topology = mesh_->topology();
    for (int edge : topology.allFaceEdges(current())) {
        if (topology.isBorderEdge(edge))
            return true;
    }
    return false;
}
