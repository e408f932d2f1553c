#include "dg/NodeClass.h"

#include <algorithm>

#include <maya/MPxNode.h>

#include "dg/BuiltinTypes.h"
#include "mayasim/NodeTypes.h"

namespace mayasim {

namespace {

struct Registry {
    std::vector<std::unique_ptr<NodeClass>> types;
    // Deregistered types stay alive for deleted nodes the undo queue still holds.
    std::vector<std::unique_ptr<NodeClass>> retired;
    NodeClass* initializing = nullptr;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

Registry& populated() {
    Registry& reg = registry();
    static bool builtinsAdded = false;
    if (!builtinsAdded) {
        builtinsAdded = true;
        addBuiltinTypes();
    }
    return reg;
}

struct PluginKind {
    MFn::Type apiType;
    std::vector<MFn::Type> bases;
    bool dag;
};

PluginKind pluginKindFor(int pxType) {
    switch (pxType) {
        case MPxNode::kLocatorNode:
            return {MFn::kPluginLocatorNode,
                    {MFn::kDependencyNode, MFn::kDagNode, MFn::kShape, MFn::kLocator},
                    true};
        case MPxNode::kManipContainer:
            return {MFn::kPluginManipContainer,
                    {MFn::kDependencyNode, MFn::kDagNode, MFn::kTransform, MFn::kManipContainer},
                    true};
        case MPxNode::kDeformerNode:
            return {MFn::kPluginDeformerNode, {MFn::kDependencyNode}, false};
        default:
            return {MFn::kPluginDependNode, {MFn::kDependencyNode}, false};
    }
}

}  // namespace

bool NodeClass::derivesFrom(MFn::Type fn) const {
    return fn == apiType || std::find(bases.begin(), bases.end(), fn) != bases.end();
}

namespace {

// Depth first, without allocating: plug look-ups by name run on every channel a tool reads.
const Attribute* findIn(const std::vector<std::shared_ptr<Attribute>>& attributes,
                        const std::string& attrName) {
    for (const auto& attr : attributes) {
        if (attr->matches(attrName))
            return attr.get();
        if (const Attribute* child = findIn(attr->children, attrName))
            return child;
    }
    return nullptr;
}

}  // namespace

// Found attributes are remembered: a type's attributes are never removed or renamed, so a hit
// stays right, while a miss is looked up again (attributes may be added later).
const Attribute* NodeClass::findAttribute(const std::string& attrName) const {
    auto known = foundByName_.find(attrName);
    if (known != foundByName_.end())
        return known->second;
    const Attribute* found = findIn(attributes, attrName);
    if (found)
        foundByName_.emplace(attrName, found);
    return found;
}

void NodeClass::addAffects(const Attribute* whenChanges, const Attribute* isAffected) {
    auto& list = affects[whenChanges];
    if (std::find(list.begin(), list.end(), isAffected) == list.end())
        list.push_back(isAffected);
}

bool NodeClass::isAffected(const Attribute* attr) const {
    for (const auto& [source, targets] : affects) {
        (void)source;
        if (std::find(targets.begin(), targets.end(), attr) != targets.end())
            return true;
    }
    return false;
}

NodeClass* findNodeClass(const std::string& typeName) {
    for (auto& type : populated().types) {
        if (type->name == typeName)
            return type.get();
    }
    return nullptr;
}

NodeClass* findNodeClass(const MTypeId& id) {
    for (auto& type : populated().types) {
        if (type->id == id)
            return type.get();
    }
    return nullptr;
}

NodeClass* initializingClass() {
    return registry().initializing;
}

NodeClass& addBuiltinClass(std::unique_ptr<NodeClass> type) {
    registry().types.push_back(std::move(type));
    return *registry().types.back();
}

MStatus registerNodeType(const MString& typeName, const MTypeId& id, MCreatorFunction creator,
                         MInitializeFunction initialize, int type, const MString* classification,
                         const MString& owner) {
    Registry& reg = populated();
    if (!creator || typeName.length() == 0)
        return MStatus::kInvalidParameter;
    if (findNodeClass(typeName.asChar()) || findNodeClass(id))
        return MStatus::kFailure;

    auto nodeClass = std::make_unique<NodeClass>();
    const PluginKind kind = pluginKindFor(type);
    nodeClass->name = typeName.asChar();
    nodeClass->id = id;
    nodeClass->creator = creator;
    nodeClass->initialize = initialize;
    nodeClass->pxType = type;
    nodeClass->classification = classification ? classification->asChar() : "";
    nodeClass->owner = owner.asChar();
    nodeClass->apiType = kind.apiType;
    nodeClass->bases = kind.bases;
    nodeClass->dag = kind.dag;
    nodeClass->shape = type == MPxNode::kLocatorNode;
    nodeClass->attributes = kind.dag ? dagNodeAttributes() : dependNodeAttributes();
    if (kind.dag)
        addDagBehaviour(*nodeClass);

    reg.initializing = nodeClass.get();
    const MStatus status = initialize ? initialize() : MStatus(MStatus::kSuccess);
    reg.initializing = nullptr;
    if (!status)
        return status;
    reg.types.push_back(std::move(nodeClass));
    return MStatus::kSuccess;
}

MStatus deregisterNodeType(const MTypeId& id) {
    auto& types = populated().types;
    auto it = std::find_if(types.begin(), types.end(), [&](const auto& type) {
        return type->id == id && !type->owner.empty();
    });
    if (it == types.end())
        return MStatus::kInvalidParameter;
    if ((*it)->liveNodes > 0)
        return MStatus::kFailure;
    registry().retired.push_back(std::move(*it));
    types.erase(it);
    return MStatus::kSuccess;
}

int liveNodeCountOfOwner(const MString& owner, bool countManipulators) {
    int count = 0;
    for (const auto& type : populated().types) {
        if (!type->owner.empty() && type->owner == owner.asChar() &&
            (countManipulators || type->pxType != MPxNode::kManipContainer))
            count += type->liveNodes;
    }
    return count;
}

bool isNodeTypeRegistered(const MString& typeName) {
    return findNodeClass(typeName.asChar()) != nullptr;
}

std::vector<std::string> nodeTypeNamesOfOwner(const MString& owner) {
    std::vector<std::string> names;
    for (const auto& type : populated().types) {
        if (!type->owner.empty() && type->owner == owner.asChar())
            names.push_back(type->name);
    }
    return names;
}

std::vector<std::string> nodeTypeNames() {
    std::vector<std::string> names;
    for (const auto& type : populated().types)
        names.push_back(type->name);
    return names;
}

}  // namespace mayasim
