#include <maya/MDagPath.h>

#include <maya/MDagPathArray.h>

#include "dg/BuiltinTypes.h"
#include "dg/Node.h"
#include "dg/NodeClass.h"
#include "dg/SceneState.h"

using mayasim::Node;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

Node* at(const std::vector<MObject>& nodes, size_t i) {
    return mayasim::nodeOf(nodes[i]);
}

std::string joined(const std::vector<MObject>& nodes, size_t from) {
    std::string text;
    for (size_t i = from; i < nodes.size(); ++i) {
        if (i > from)
            text += "|";
        text += at(nodes, i)->name;
    }
    return text;
}

}  // namespace

bool MDagPath::stale() const {
    for (size_t i = 0; i < nodes_.size(); ++i) {
        Node* node = at(nodes_, i);
        if (!node->inScene)
            return true;
        Node* expectedParent = i == 0 ? mayasim::scene().world.get() : at(nodes_, i - 1);
        if (node->parent != expectedParent)
            return true;
    }
    return false;
}

MStatus MDagPath::set(const MDagPath& src) {
    nodes_ = src.nodes_;
    return MStatus::kSuccess;
}

MStatus MDagPath::getAPathTo(const MObject& node, MDagPath& path) {
    Node* target = mayasim::nodeOf(node);
    if (!target || !target->isDag())
        return MStatus::kInvalidParameter;
    path.nodes_.clear();
    for (Node* walk = target; walk && walk != mayasim::scene().world.get(); walk = walk->parent) {
        path.nodes_.insert(path.nodes_.begin(), walk->handle());
    }
    return MStatus::kSuccess;
}

MDagPath MDagPath::getAPathTo(const MObject& node, MStatus* ReturnStatus) {
    MDagPath path;
    report(ReturnStatus, getAPathTo(node, path));
    return path;
}

MStatus MDagPath::getAllPathsTo(const MObject& node, MDagPathArray& paths) {
    paths.clear();
    MDagPath path;
    const MStatus status = getAPathTo(node, path);
    if (status)
        paths.append(path);
    return status;
}

bool MDagPath::hasFn(MFn::Type type, MStatus* ReturnStatus) const {
    const MObject last = node(ReturnStatus);
    if (last.hasFn(type))
        return true;
    // As in Maya, a transform's path also answers for its only shape.
    Node* transform = mayasim::nodeOf(last);
    if (!transform || !last.hasFn(MFn::kTransform))
        return false;
    const Node* shape = nullptr;
    for (Node* child : transform->children) {
        if (!child->type->shape)
            continue;
        if (shape)
            return false;
        shape = child;
    }
    return shape && shape->hasFn(type);
}

MFn::Type MDagPath::apiType(MStatus* ReturnStatus) const {
    return node(ReturnStatus).apiType();
}

bool MDagPath::isValid(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return !stale();
}

MObject MDagPath::node(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return nodes_.empty() ? mayasim::scene().world->handle() : nodes_.back();
}

MObject MDagPath::transform(MStatus* ReturnStatus) const {
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) {
        if (it->hasFn(MFn::kTransform)) {
            report(ReturnStatus, MStatus::kSuccess);
            return *it;
        }
    }
    report(ReturnStatus, MStatus::kInvalidParameter);
    return MObject();
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return static_cast<unsigned int>(nodes_.size());
}

MStatus MDagPath::numberOfShapesDirectlyBelow(unsigned int& count) const {
    count = 0;
    Node* last = mayasim::nodeOf(node());
    if (!last)
        return MStatus::kFailure;
    for (Node* child : last->children) {
        if (child->type->shape)
            ++count;
    }
    return MStatus::kSuccess;
}

MStatus MDagPath::extendToShapeDirectlyBelow(unsigned int index) {
    Node* last = mayasim::nodeOf(node());
    if (!last)
        return MStatus::kFailure;
    unsigned int seen = 0;
    for (Node* child : last->children) {
        if (!child->type->shape)
            continue;
        if (seen++ == index) {
            nodes_.push_back(child->handle());
            return MStatus::kSuccess;
        }
    }
    return MStatus::kInvalidParameter;
}

MStatus MDagPath::extendToShape() {
    Node* last = mayasim::nodeOf(node());
    if (!last)
        return MStatus::kFailure;
    if (last->type->shape)
        return MStatus::kSuccess;
    unsigned int shapes = 0;
    numberOfShapesDirectlyBelow(shapes);
    // Maya refuses when the choice is ambiguous.
    if (shapes != 1)
        return MStatus::kFailure;
    return extendToShapeDirectlyBelow(0);
}

MStatus MDagPath::push(const MObject& child) {
    Node* childNode = mayasim::nodeOf(child);
    Node* last = mayasim::nodeOf(node());
    if (!childNode || childNode->parent != last)
        return MStatus::kInvalidParameter;
    nodes_.push_back(child);
    return MStatus::kSuccess;
}

MStatus MDagPath::pop(unsigned int num) {
    if (num > nodes_.size())
        return MStatus::kInvalidParameter;
    nodes_.resize(nodes_.size() - num);
    return MStatus::kSuccess;
}

unsigned int MDagPath::childCount(MStatus* ReturnStatus) const {
    Node* last = mayasim::nodeOf(node(ReturnStatus));
    return last ? static_cast<unsigned int>(last->children.size()) : 0u;
}

MObject MDagPath::child(unsigned int i, MStatus* ReturnStatus) const {
    Node* last = mayasim::nodeOf(node());
    if (!last || i >= last->children.size()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return last->children[i]->handle();
}

MMatrix MDagPath::inclusiveMatrix(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    MMatrix result;
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) {
        result = result * mayasim::localMatrix(*mayasim::nodeOf(*it));
    }
    return result;
}

MMatrix MDagPath::exclusiveMatrix(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    MMatrix result;
    if (nodes_.empty())
        return result;
    for (auto it = nodes_.rbegin() + 1; it != nodes_.rend(); ++it) {
        result = result * mayasim::localMatrix(*mayasim::nodeOf(*it));
    }
    return result;
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return inclusiveMatrix(ReturnStatus).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return exclusiveMatrix(ReturnStatus).inverse();
}

unsigned int MDagPath::pathCount(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return 1;
}

MStatus MDagPath::getPath(MDagPath& path, unsigned int i) const {
    if (i != 0)
        return MStatus::kInvalidParameter;
    path = *this;
    return MStatus::kSuccess;
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return nodes_.empty() ? MString() : MString(("|" + joined(nodes_, 0)).c_str());
}

MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    if (nodes_.empty())
        return MString();
    // Names are unique in this scene, so the shortest unique path is the last name.
    return MString(at(nodes_, nodes_.size() - 1)->name.c_str());
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return false;
}

unsigned int MDagPath::instanceNumber(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return 0;
}

// ---- MDagPathArray ----

MDagPathArray::MDagPathArray(unsigned int initializeSize, const MDagPath& initialValue)
    : items_(initializeSize, initialValue) {}

MStatus MDagPathArray::set(const MDagPath& element, unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_[index] = element;
    return MStatus::kSuccess;
}

MStatus MDagPathArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MDagPathArray::remove(unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_.erase(items_.begin() + index);
    return MStatus::kSuccess;
}

MStatus MDagPathArray::insert(const MDagPath& element, unsigned int index) {
    if (index > items_.size())
        return MStatus::kInvalidParameter;
    items_.insert(items_.begin() + index, element);
    return MStatus::kSuccess;
}

MStatus MDagPathArray::append(const MDagPath& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MDagPathArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}
