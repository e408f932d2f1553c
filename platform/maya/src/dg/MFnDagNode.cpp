#include <maya/MFnDagNode.h>

#include <maya/MDagPathArray.h>

#include "dg/BuiltinTypes.h"
#include "dg/MeshAccess.h"
#include "dg/NodeClass.h"
#include "dg/NurbsNodes.h"
#include "dg/SceneState.h"

using mayasim::Node;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

// As in Maya, a shape's function set given its transform's path works on the shape below.
void MFnDagNode::attachPath(const MDagPath& path, MStatus* status) {
    MDagPath target = path;
    if (!target.node().hasFn(type()) && target.hasFn(type()))
        target.extendToShape();
    attach(target.node(), status);
    path_ = object_.isNull() ? MDagPath() : target;
}

MStatus MFnDagNode::setObject(MObject& object) {
    return setObject(static_cast<const MObject&>(object));
}

MStatus MFnDagNode::setObject(const MObject& object) {
    MStatus status;
    attach(object, &status);
    path_ = MDagPath();
    return status;
}

MStatus MFnDagNode::setObject(const MDagPath& path) {
    MStatus status;
    attachPath(path, &status);
    return status;
}

MDagPath MFnDagNode::path() const {
    if (path_.length() > 0)
        return path_;
    return MDagPath::getAPathTo(object_);
}

MObject MFnDagNode::create(const MString& type, const MObject& parent, MStatus* ReturnStatus) {
    return create(type, "", parent, ReturnStatus);
}

MObject MFnDagNode::create(const MString& type, const MString& name, const MObject& parent,
                           MStatus* ReturnStatus) {
    mayasim::NodeClass* nodeClass = mayasim::findNodeClass(type.asChar());
    if (!nodeClass || !nodeClass->dag) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<Node> created;
    const MStatus status = mayasim::createNodeOfType(type.asChar(), name.asChar(),
                                                     mayasim::nodeOf(parent), nullptr, created);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    object_ = created->handle();
    path_ = MDagPath();
    // Maya returns the new transform when it made one for an unparented shape.
    if (parent.isNull() && created->type->shape)
        return created->parent->handle();
    return object_;
}

unsigned int MFnDagNode::parentCount(MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    return node && node->parent ? 1u : 0u;
}

MObject MFnDagNode::parent(unsigned int i, MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    if (!node || !node->parent || i != 0) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return node->parent->handle();
}

unsigned int MFnDagNode::childCount(MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    return node ? static_cast<unsigned int>(node->children.size()) : 0u;
}

MObject MFnDagNode::child(unsigned int i, MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    if (!node || i >= node->children.size()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return node->children[i]->handle();
}

MStatus MFnDagNode::addChild(MObject& child, unsigned int, bool keepExistingParents) {
    Node* node = mayasim::nodeOf(object_);
    Node* childNode = mayasim::nodeOf(child);
    if (!node || !childNode || keepExistingParents)
        return MStatus::kInvalidParameter;
    return mayasim::reparentNode(*childNode, node, nullptr);
}

MStatus MFnDagNode::removeChild(MObject& child) {
    Node* node = mayasim::nodeOf(object_);
    Node* childNode = mayasim::nodeOf(child);
    if (!node || !childNode || childNode->parent != node)
        return MStatus::kInvalidParameter;
    return mayasim::reparentNode(*childNode, nullptr, nullptr);
}

bool MFnDagNode::hasParent(const MObject& node, MStatus* ReturnStatus) const {
    Node* self = mayasim::nodeOf(object_);
    report(ReturnStatus, self ? MStatus::kSuccess : MStatus::kFailure);
    return self && self->parent && self->parent == mayasim::nodeOf(node);
}

bool MFnDagNode::hasChild(const MObject& node, MStatus* ReturnStatus) const {
    Node* other = mayasim::nodeOf(node);
    report(ReturnStatus, other ? MStatus::kSuccess : MStatus::kFailure);
    return other && other->parent == mayasim::nodeOf(object_);
}

bool MFnDagNode::isChildOf(const MObject& node, MStatus* ReturnStatus) const {
    return hasParent(node, ReturnStatus);
}

bool MFnDagNode::isParentOf(const MObject& node, MStatus* ReturnStatus) const {
    return hasChild(node, ReturnStatus);
}

bool MFnDagNode::isInstanced(bool, MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return false;
}

unsigned int MFnDagNode::instanceCount(bool, MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return 1;
}

MStatus MFnDagNode::getPath(MDagPath& path) const {
    if (object_.isNull())
        return MStatus::kFailure;
    path = this->path();
    return MStatus::kSuccess;
}

MStatus MFnDagNode::getAllPaths(MDagPathArray& paths) const {
    paths.clear();
    MDagPath path;
    const MStatus status = getPath(path);
    if (status)
        paths.append(path);
    return status;
}

MDagPath MFnDagNode::dagPath(MStatus* ReturnStatus) const {
    report(ReturnStatus, object_.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return path();
}

MString MFnDagNode::fullPathName(MStatus* ReturnStatus) const {
    return dagPath(ReturnStatus).fullPathName();
}

MString MFnDagNode::partialPathName(MStatus* ReturnStatus) const {
    return dagPath(ReturnStatus).partialPathName();
}

MMatrix MFnDagNode::transformationMatrix(MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    return node ? mayasim::localMatrix(*node) : MMatrix();
}

bool MFnDagNode::isIntermediateObject(MStatus* ReturnStatus) const {
    return findPlug("intermediateObject", ReturnStatus).asBool();
}

MStatus MFnDagNode::setIntermediateObject(bool isIntermediate) {
    MStatus status;
    MPlug plug = findPlug("intermediateObject", &status);
    return status ? plug.setValue(isIntermediate) : status;
}

MBoundingBox MFnDagNode::boundingBox(MStatus* ReturnStatus) const {
    Node* node = mayasim::nodeOf(object_);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    MBoundingBox box;
    if (!node)
        return box;
    if (node->hasFn(MFn::kMesh)) {
        const mayasim::mesh::Bounds bounds = mayasim::meshOf(*node).bounds();
        if (!bounds.isEmpty()) {
            box.expand(mayasim::toPoint(bounds.min));
            box.expand(mayasim::toPoint(bounds.max));
        }
        return box;
    }
    if (node->hasFn(MFn::kNurbsCurve) || node->hasFn(MFn::kNurbsSurface))
        return mayasim::nurbsBoundingBox(*node);
    if (node->hasFn(MFn::kCamera)) {
        box.expand(MPoint(-0.5, -0.5, -0.5));
        box.expand(MPoint(0.5, 0.5, 0.5));
        return box;
    }
    // As in Maya, a transform's box is in its parent's space: its children's boxes (shapes
    // in its space, child transforms already in it) through its own matrix, so that the
    // path's exclusive matrix takes it to world space.
    for (Node* child : node->children) {
        MFnDagNode childFn(child->handle());
        MBoundingBox childBox = childFn.boundingBox();
        if (childBox.width() == 0 && childBox.height() == 0 && childBox.depth() == 0 &&
            childBox.min() == MPoint() && child->children.empty() && !child->hasFn(MFn::kMesh)) {
            continue;
        }
        box.expand(childBox);
    }
    box.transformUsing(mayasim::localMatrix(*node));
    return box;
}
