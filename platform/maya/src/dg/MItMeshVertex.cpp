#include <maya/MItMeshVertex.h>

#include <algorithm>

#include <maya/MFnMesh.h>

#include "dg/MeshAccess.h"
#include "geometry/MeshTopology.h"

using mayasim::spaceMatrix;
using mayasim::toPoint;
using mayasim::toVec3;
namespace mesh = mayasim::mesh;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

int vertexCount(const mesh::Mesh& m) {
    return m.numVertices();
}

}  // namespace

MItMeshVertex::MItMeshVertex(MObject& polyObject, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(polyObject), MObject::kNullObj, ReturnStatus);
}

MItMeshVertex::MItMeshVertex(const MDagPath& polyObject, MObject& component,
                             MStatus* ReturnStatus) {
    init(polyObject, component, ReturnStatus);
}

MItMeshVertex::~MItMeshVertex() = default;

void MItMeshVertex::init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus) {
    report(ReturnStatus, mayasim::startMeshIteration(path, component, MFn::kMeshVertComponent,
                                                     vertexCount, path_, mesh_, indices_));
}

bool MItMeshVertex::valid() const {
    return mesh_ && position_ < indices_.size();
}

int MItMeshVertex::current() const {
    return indices_[position_];
}

bool MItMeshVertex::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return !valid();
}

MStatus MItMeshVertex::next() {
    if (!valid())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::reset() {
    position_ = 0;
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

int MItMeshVertex::count(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return static_cast<int>(indices_.size());
}

int MItMeshVertex::index(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? current() : -1;
}

MObject MItMeshVertex::currentItem(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? mayasim::makeComponent(MFn::kMeshVertComponent, {current()}) : MObject();
}

MStatus MItMeshVertex::setIndex(int index, int& prevIndex) {
    return mayasim::moveIteration(indices_, position_, index, prevIndex);
}

MPoint MItMeshVertex::position(MSpace::Space space, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? toPoint(mesh_->point(current())) * spaceMatrix(path_, space) : MPoint();
}

MStatus MItMeshVertex::setPosition(const MPoint& point, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    const MPoint local = point * spaceMatrix(path_, space).inverse();
    return mesh_->setPoint(current(), toVec3(local)) ? MStatus::kSuccess
                                                     : MStatus::kInvalidParameter;
}

MStatus MItMeshVertex::translateBy(const MVector& vector, MSpace::Space space) {
    MStatus status;
    const MPoint at = position(space, &status);
    return status ? setPosition(at + vector, space) : status;
}

MStatus MItMeshVertex::updateSurface() {
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MItMeshVertex::getNormal(MVector& vector, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    return MFnMesh(path_).getVertexNormal(current(), false, vector, space);
}

MStatus MItMeshVertex::getConnectedFaces(MIntArray& faceList) {
    if (!valid())
        return MStatus::kFailure;
    mayasim::copyRangeToArray(mesh_->topology().vertexFaces(current()), faceList);
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::getConnectedEdges(MIntArray& edgeList) {
    if (!valid())
        return MStatus::kFailure;
    mayasim::copyRangeToArray(mesh_->topology().vertexEdges(current()), edgeList);
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::getConnectedVertices(MIntArray& vertexList) {
    if (!valid())
        return MStatus::kFailure;
    std::vector<int> vertices;
    mesh_->topology().connectedVerticesOfVertex(current(), vertices);
    mayasim::copyToArray(vertices, vertexList);
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::numConnectedFaces(int& faceCount) const {
    if (!valid())
        return MStatus::kFailure;
    faceCount = mesh_->topology().vertexFaces(current()).count();
    return MStatus::kSuccess;
}

MStatus MItMeshVertex::numConnectedEdges(int& edgeCount) const {
    if (!valid())
        return MStatus::kFailure;
    edgeCount = mesh_->topology().vertexEdges(current()).count();
    return MStatus::kSuccess;
}

bool MItMeshVertex::connectedToFace(int index, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return false;
    const mesh::Span<int> faces = mesh_->topology().vertexFaces(current());
    return std::binary_search(faces.begin(), faces.end(), index);
}

bool MItMeshVertex::connectedToEdge(int index, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return false;
    const mesh::Span<int> edges = mesh_->topology().vertexEdges(current());
    return std::binary_search(edges.begin(), edges.end(), index);
}

bool MItMeshVertex::onBoundary(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() && mesh_->topology().isBorderVertex(current());
}
