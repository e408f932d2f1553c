#include <maya/MItMeshEdge.h>

#include <algorithm>

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

int edgeCount(const mesh::Mesh& m) {
    return m.topology().numEdges();
}

}  // namespace

MItMeshEdge::MItMeshEdge(MObject& polyObject, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(polyObject), MObject::kNullObj, ReturnStatus);
}

MItMeshEdge::MItMeshEdge(MObject& polyObject, MObject& component, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(polyObject), component, ReturnStatus);
}

MItMeshEdge::MItMeshEdge(const MDagPath& polyObject, MObject& component, MStatus* ReturnStatus) {
    init(polyObject, component, ReturnStatus);
}

MItMeshEdge::~MItMeshEdge() = default;

void MItMeshEdge::init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus) {
    report(ReturnStatus, mayasim::startMeshIteration(path, component, MFn::kMeshEdgeComponent,
                                                     edgeCount, path_, mesh_, indices_));
}

bool MItMeshEdge::valid() const {
    return mesh_ && position_ < indices_.size();
}

int MItMeshEdge::current() const {
    return indices_[position_];
}

bool MItMeshEdge::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return !valid();
}

MStatus MItMeshEdge::next() {
    if (!valid())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItMeshEdge::reset() {
    position_ = 0;
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

int MItMeshEdge::count(MStatus* ReturnStatus) {
    report(ReturnStatus, mesh_ ? MStatus::kSuccess : MStatus::kFailure);
    return static_cast<int>(indices_.size());
}

int MItMeshEdge::index(MStatus* ReturnStatus) const {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? current() : -1;
}

int MItMeshEdge::index(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && (index == 0 || index == 1);
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok ? mesh_->topology().edgeVertex(current(), index) : -1;
}

MObject MItMeshEdge::currentItem(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() ? mayasim::makeComponent(MFn::kMeshEdgeComponent, {current()}) : MObject();
}

MStatus MItMeshEdge::setIndex(int index, int& prevIndex) {
    return mayasim::moveIteration(indices_, position_, index, prevIndex);
}

MPoint MItMeshEdge::center(MSpace::Space space, MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid())
        return MPoint();
    const std::array<int, 2> ends = mesh_->topology().edgeVertices(current());
    const mesh::Vec3 middle = (mesh_->point(ends[0]) + mesh_->point(ends[1])) * 0.5;
    return toPoint(middle) * spaceMatrix(path_, space);
}

MPoint MItMeshEdge::point(int index, MSpace::Space space, MStatus* ReturnStatus) {
    const int vertex = this->index(index, ReturnStatus);
    return vertex < 0 ? MPoint() : toPoint(mesh_->point(vertex)) * spaceMatrix(path_, space);
}

MStatus MItMeshEdge::setPoint(const MPoint& point, unsigned int index, MSpace::Space space) {
    MStatus status;
    const int vertex = this->index(static_cast<int>(index), &status);
    if (!status)
        return status;
    const MPoint local = point * spaceMatrix(path_, space).inverse();
    return mesh_->setPoint(vertex, toVec3(local)) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MItMeshEdge::getLength(double& length, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    length = point(0, space).distanceTo(point(1, space));
    return MStatus::kSuccess;
}

MStatus MItMeshEdge::updateSurface() {
    return mesh_ ? MStatus::kSuccess : MStatus::kFailure;
}

int MItMeshEdge::getConnectedFaces(MIntArray& faceList, MStatus* ReturnStatus) const {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    faceList.clear();
    if (!valid())
        return 0;
    mayasim::copyRangeToArray(mesh_->topology().edgeFaces(current()), faceList);
    return static_cast<int>(faceList.length());
}

int MItMeshEdge::getConnectedEdges(MIntArray& edgeList, MStatus* ReturnStatus) const {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    edgeList.clear();
    if (!valid())
        return 0;
    std::vector<int> edges;
    mesh_->topology().connectedEdgesOfEdge(current(), edges);
    mayasim::copyToArray(edges, edgeList);
    return static_cast<int>(edges.size());
}

bool MItMeshEdge::connectedToEdge(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && index >= 0 && index < mesh_->topology().numEdges();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok && index != current() && mesh_->topology().edgesShareVertex(current(), index);
}

bool MItMeshEdge::connectedToFace(int index, MStatus* ReturnStatus) {
    const bool ok = valid() && index >= 0 && index < mesh_->numFaces();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return ok && mesh_->topology().edgeOnFace(current(), index);
}

bool MItMeshEdge::onBoundary(MStatus* ReturnStatus) {
    report(ReturnStatus, valid() ? MStatus::kSuccess : MStatus::kFailure);
    return valid() && mesh_->topology().isBorderEdge(current());
}
