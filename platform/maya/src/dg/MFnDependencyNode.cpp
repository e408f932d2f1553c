#include <maya/MFnDependencyNode.h>

#include <maya/MPlugArray.h>

#include "dg/Graph.h"
#include "dg/NodeClass.h"
#include "dg/SceneState.h"

using mayasim::Attribute;
using mayasim::Node;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

Node* nodeIn(const MObject& object, MStatus* ReturnStatus) {
    Node* node = mayasim::nodeOf(object);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    return node;
}

MObject wrapAttribute(const Attribute* attr) {
    return mayasim::ObjectAccess::wrap(const_cast<Attribute*>(attr)->shared_from_this());
}

}  // namespace

MObject MFnDependencyNode::create(const MString& type, MStatus* ReturnStatus) {
    return create(type, "", ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& type, const MString& name, MStatus* ReturnStatus) {
    std::shared_ptr<Node> created;
    const MStatus status =
        mayasim::createNodeOfType(type.asChar(), name.asChar(), nullptr, nullptr, created);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    object_ = created->handle();
    return object_;
}

MTypeId MFnDependencyNode::typeId(MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    return node ? node->type->id : MTypeId();
}

MString MFnDependencyNode::typeName(MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    return node ? MString(node->type->name.c_str()) : MString();
}

MString MFnDependencyNode::name(MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    return node ? MString(node->name.c_str()) : MString();
}

MString MFnDependencyNode::setName(const MString& name, MStatus* ReturnStatus) {
    Node* node = nodeIn(object_, ReturnStatus);
    if (!node)
        return MString();
    const MStatus status = mayasim::renameNode(*node, name.asChar(), nullptr);
    report(ReturnStatus, status);
    return MString(node->name.c_str());
}

unsigned int MFnDependencyNode::attributeCount(MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    return node ? static_cast<unsigned int>(node->allAttributes().size()) : 0u;
}

MObject MFnDependencyNode::attribute(unsigned int index, MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    if (!node)
        return MObject();
    const auto all = node->allAttributes();
    if (index >= all.size()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    return wrapAttribute(all[index]);
}

MObject MFnDependencyNode::attribute(const MString& attrName, MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    if (!node)
        return MObject();
    const Attribute* attr = node->findAttribute(attrName.asChar());
    report(ReturnStatus, attr ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return attr ? wrapAttribute(attr) : MObject();
}

bool MFnDependencyNode::hasAttribute(const MString& name, MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    return node && node->findAttribute(name.asChar());
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, bool, MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    if (!node)
        return MPlug();
    const Attribute* attribute = mayasim::attributeOf(attr);
    if (!node->ownsAttribute(attribute)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    return mayasim::PlugAccess::make(*node, {attribute, -1});
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, bool, MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    if (!node)
        return MPlug();
    const Attribute* attr = node->findAttribute(attrName.asChar());
    if (!attr) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    return mayasim::PlugAccess::make(*node, {attr, -1});
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, MStatus* ReturnStatus) const {
    return findPlug(attr, false, ReturnStatus);
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* ReturnStatus) const {
    return findPlug(attrName, false, ReturnStatus);
}

MStatus MFnDependencyNode::getConnections(MPlugArray& array) const {
    array.clear();
    Node* node = mayasim::nodeOf(object_);
    if (!node)
        return MStatus::kFailure;
    std::set<mayasim::PlugKey> keys;
    for (const auto& entry : node->incoming)
        keys.insert(entry.first);
    for (const auto& entry : node->outgoing)
        keys.insert(entry.first);
    for (const auto& key : keys)
        array.append(mayasim::PlugAccess::make(*node, key));
    return MStatus::kSuccess;
}

MStatus MFnDependencyNode::addAttribute(const MObject& attr) {
    Node* node = mayasim::nodeOf(object_);
    Attribute* attribute = mayasim::attributeOf(attr);
    if (!node || !attribute || attribute->parent)
        return MStatus::kInvalidParameter;
    std::vector<const Attribute*> names{attribute};
    for (const auto& child : attribute->children)
        names.push_back(child.get());
    for (const Attribute* named : names) {
        if (node->findAttribute(named->longName) || node->findAttribute(named->shortName)) {
            return MStatus::kInvalidParameter;
        }
    }
    attribute->dynamic = true;
    node->dynamicAttributes.push_back(
        std::static_pointer_cast<Attribute>(attribute->shared_from_this()));
    return MStatus::kSuccess;
}

MStatus MFnDependencyNode::removeAttribute(const MObject& attr) {
    Node* node = mayasim::nodeOf(object_);
    Attribute* attribute = mayasim::attributeOf(attr);
    if (!node || !attribute)
        return MStatus::kInvalidParameter;
    auto& dynamic = node->dynamicAttributes;
    for (auto it = dynamic.begin(); it != dynamic.end(); ++it) {
        if (it->get() == attribute) {
            dynamic.erase(it);
            return MStatus::kSuccess;
        }
    }
    return MStatus::kInvalidParameter;
}

MPxNode* MFnDependencyNode::userNode(MStatus* ReturnStatus) const {
    Node* node = nodeIn(object_, ReturnStatus);
    if (node && !node->user)
        report(ReturnStatus, MStatus::kFailure);
    return node ? node->user.get() : nullptr;
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* ReturnStatus) const {
    nodeIn(object_, ReturnStatus);
    return false;
}

bool MFnDependencyNode::hasUniqueName(MStatus* ReturnStatus) const {
    return nodeIn(object_, ReturnStatus) != nullptr;
}

bool MFnDependencyNode::isLocked(MStatus* ReturnStatus) const {
    nodeIn(object_, ReturnStatus);
    return false;
}
