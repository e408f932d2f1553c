#include <maya/MItGeometry.h>

#include "dg/DataObjects.h"
#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "dg/NurbsComponents.h"

namespace nurbspoints = mayasim::nurbspoints;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

mayasim::MeshGeometry* geometryOf(const MObject& shape) {
    mayasim::Node* node = mayasim::nodeOf(shape);
    return node && node->hasFn(MFn::kMesh) ? &mayasim::meshGeometry(*node) : nullptr;
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
    mayasim::MeshGeometry* mesh = geometryOf(shape_);
    if (!mesh) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return;
    }
    auto* parts = mayasim::ObjectAccess::as<mayasim::Component>(component);
    if (parts && parts->componentType == MFn::kMeshVertComponent) {
        for (int index : parts->resolved()) {
            if (index >= 0 && index < mesh->numVertices())
                indices_.push_back(index);
        }
    } else if (parts) {
        // Edges and faces iterate the vertices they use, each once.
        std::vector<bool> used(static_cast<size_t>(mesh->numVertices()), false);
        for (int index : parts->resolved()) {
            std::vector<int> verts;
            if (parts->componentType == MFn::kMeshEdgeComponent && index >= 0 &&
                index < mesh->numEdges()) {
                verts = {mesh->edges()[index].first, mesh->edges()[index].second};
            } else if (parts->componentType == MFn::kMeshPolygonComponent) {
                verts = mesh->faceVertices(index);
            }
            for (int v : verts)
                used[static_cast<size_t>(v)] = true;
        }
        for (int v = 0; v < mesh->numVertices(); ++v) {
            if (used[static_cast<size_t>(v)])
                indices_.push_back(v);
        }
    } else {
        for (int v = 0; v < mesh->numVertices(); ++v)
            indices_.push_back(v);
    }
    report(ReturnStatus, MStatus::kSuccess);
}

MMatrix MItGeometry::toSpace(MSpace::Space space) const {
    return space == MSpace::kWorld ? path_.inclusiveMatrix() : MMatrix();
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
    mayasim::MeshGeometry* mesh = geometryOf(shape_);
    if (!mesh || position_ >= indices_.size()) {
        report(ReturnStatus, MStatus::kFailure);
        return MPoint();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return mesh->points[static_cast<size_t>(indices_[position_])] * toSpace(space);
}

MStatus MItGeometry::setPosition(const MPoint& point, MSpace::Space space) {
    if (nurbspoints::isNurbsShape(shape_) && position_ < indices_.size()) {
        nurbspoints::setPoints(shape_, {{indices_[position_], point * toSpace(space).inverse()}});
        return MStatus::kSuccess;
    }
    mayasim::MeshGeometry* mesh = geometryOf(shape_);
    if (!mesh || position_ >= indices_.size())
        return MStatus::kFailure;
    mesh->points[static_cast<size_t>(indices_[position_])] = point * toSpace(space).inverse();
    return MStatus::kSuccess;
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
    auto item = std::make_shared<mayasim::Component>(MFn::kMeshVertComponent);
    item->add(indices_[position_]);
    return mayasim::ObjectAccess::wrap(item);
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
    mayasim::MeshGeometry* mesh = geometryOf(shape_);
    if (!mesh)
        return MStatus::kFailure;
    points.clear();
    const MMatrix m = toSpace(space);
    for (int index : indices_)
        points.append(mesh->points[static_cast<size_t>(index)] * m);
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
    mayasim::MeshGeometry* mesh = geometryOf(shape_);
    if (!mesh || points.length() != indices_.size())
        return MStatus::kInvalidParameter;
    const MMatrix m = toSpace(space).inverse();
    for (size_t i = 0; i < indices_.size(); ++i) {
        mesh->points[static_cast<size_t>(indices_[i])] = points[static_cast<unsigned int>(i)] * m;
    }
    return MStatus::kSuccess;
}
