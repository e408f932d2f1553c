#include <maya/MItGeometry.h>

#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "geometry/MeshTopology.h"
#include "dg/NurbsComponents.h"

namespace nurbspoints = mayasim::nurbspoints;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

mayasim::mesh::Mesh* meshOf(const MObject& shape) {
    return mayasim::meshOf(shape);
}

}  // namespace

MItGeometry::MItGeometry(const MDagPath& dagPath, MStatus* ReturnStatus) {
    init(dagPath, MObject(), ReturnStatus);
}

MItGeometry::MItGeometry(const MDagPath& dagPath, MObject& component, MStatus* ReturnStatus) {
    init(dagPath, component, ReturnStatus);
}

MItGeometry::MItGeometry(MObject& dagObject, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(dagObject), MObject(), ReturnStatus);
}

void MItGeometry::init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus) {
    path_ = path;
    if (!path_.node().hasFn(MFn::kMesh) && !nurbspoints::isNurbsShape(path_.node()))
        path_.extendToShape();
    shape_ = path_.node();
    if (nurbspoints::isNurbsShape(shape_)) {
        const bool known = nurbspoints::indicesOf(shape_, component, indices_);
        report(ReturnStatus, known ? MStatus::kSuccess : MStatus::kInvalidParameter);
        return;
    }
    mayasim::mesh::Mesh* mesh = meshOf(shape_);
    if (!mesh) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return;
    }
    const MFn::Type type = component.isNull() ? MFn::kMeshVertComponent : component.apiType();
    if (type == MFn::kMeshVertComponent) {
        indices_ = mayasim::componentElements(component, type, mesh->numVertices());
    } else {
        // Edges and faces iterate the vertices they use, each once, in vertex order.
        const mayasim::mesh::Topology& topology = mesh->topology();
        const bool edges = type == MFn::kMeshEdgeComponent;
        std::vector<bool> used(static_cast<size_t>(mesh->numVertices()), false);
        const int count = edges ? topology.numEdges() : mesh->numFaces();
        for (int index : mayasim::componentElements(component, type, count)) {
            if (edges) {
                used[static_cast<size_t>(topology.edgeVertex(index, 0))] = true;
                used[static_cast<size_t>(topology.edgeVertex(index, 1))] = true;
            } else {
                for (int v : mesh->allFaceVertices(index))
                    used[static_cast<size_t>(v)] = true;
            }
        }
        for (int v = 0; v < mesh->numVertices(); ++v) {
            if (used[static_cast<size_t>(v)])
                indices_.push_back(v);
        }
    }
    report(ReturnStatus, MStatus::kSuccess);
}

MMatrix MItGeometry::toSpace(MSpace::Space space) const {
    return mayasim::spaceMatrix(path_, space);
}

bool MItGeometry::isDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return position_ >= indices_.size();
}

MStatus MItGeometry::next() {
    if (position_ >= indices_.size())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItGeometry::reset() {
    position_ = 0;
    return MStatus::kSuccess;
}

MPoint MItGeometry::position(MSpace::Space space, MStatus* ReturnStatus) const {
    if (nurbspoints::isNurbsShape(shape_) && position_ < indices_.size()) {
        report(ReturnStatus, MStatus::kSuccess);
        return nurbspoints::point(shape_, indices_[position_]) * toSpace(space);
    }
    mayasim::mesh::Mesh* mesh = meshOf(shape_);
    if (!mesh || position_ >= indices_.size()) {
        report(ReturnStatus, MStatus::kFailure);
        return MPoint();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return mayasim::toPoint(mesh->point(indices_[position_])) * toSpace(space);
}

MStatus MItGeometry::setPosition(const MPoint& point, MSpace::Space space) {
    if (nurbspoints::isNurbsShape(shape_) && position_ < indices_.size()) {
        nurbspoints::setPoints(shape_, {{indices_[position_], point * toSpace(space).inverse()}});
        return MStatus::kSuccess;
    }
    mayasim::mesh::Mesh* mesh = meshOf(shape_);
    if (!mesh || position_ >= indices_.size())
        return MStatus::kFailure;
    const MPoint local = point * toSpace(space).inverse();
    return mesh->setPoint(indices_[position_], mayasim::toVec3(local)) ? MStatus::kSuccess
                                                                       : MStatus::kInvalidParameter;
}

int MItGeometry::index(MStatus* ReturnStatus) const {
    const bool valid = position_ < indices_.size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kFailure);
    return valid ? indices_[position_] : -1;
}

MObject MItGeometry::currentItem(MStatus* ReturnStatus) const {
    const bool valid = position_ < indices_.size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kFailure);
    if (!valid)
        return MObject();
    if (nurbspoints::isNurbsShape(shape_))
        return nurbspoints::item(shape_, indices_[position_]);
    return mayasim::makeComponent(MFn::kMeshVertComponent, {indices_[position_]});
}

MObject MItGeometry::component(MStatus* ReturnStatus) const {
    return currentItem(ReturnStatus);
}

int MItGeometry::count(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return static_cast<int>(indices_.size());
}

MStatus MItGeometry::allPositions(MPointArray& points, MSpace::Space space) const {
    if (nurbspoints::isNurbsShape(shape_)) {
        points.clear();
        const MMatrix m = toSpace(space);
        for (int index : indices_)
            points.append(nurbspoints::point(shape_, index) * m);
        return MStatus::kSuccess;
    }
    mayasim::mesh::Mesh* mesh = meshOf(shape_);
    if (!mesh)
        return MStatus::kFailure;
    points.setLength(static_cast<unsigned int>(indices_.size()));
    const MMatrix m = toSpace(space);
    for (size_t i = 0; i < indices_.size(); ++i)
        points[static_cast<unsigned int>(i)] = mayasim::toPoint(mesh->point(indices_[i])) * m;
    return MStatus::kSuccess;
}

MStatus MItGeometry::setAllPositions(const MPointArray& points, MSpace::Space space) {
    if (nurbspoints::isNurbsShape(shape_)) {
        if (points.length() != indices_.size())
            return MStatus::kInvalidParameter;
        const MMatrix m = toSpace(space).inverse();
        std::vector<std::pair<int, MPoint>> moved;
        for (size_t i = 0; i < indices_.size(); ++i)
            moved.push_back({indices_[i], points[static_cast<unsigned int>(i)] * m});
        nurbspoints::setPoints(shape_, moved);
        return MStatus::kSuccess;
    }
    mayasim::mesh::Mesh* mesh = meshOf(shape_);
    if (!mesh || points.length() != indices_.size())
        return MStatus::kInvalidParameter;
    const MMatrix m = toSpace(space).inverse();
    std::vector<mayasim::mesh::Vec3> positions(indices_.size());
    for (size_t i = 0; i < indices_.size(); ++i)
        positions[i] = mayasim::toVec3(points[static_cast<unsigned int>(i)] * m);
    return mesh->setPoints(indices_, positions) ? MStatus::kSuccess : MStatus::kInvalidParameter;
}
