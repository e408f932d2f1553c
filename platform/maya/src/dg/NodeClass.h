#pragma once
// A node type: its attributes, dependencies and how its nodes are made and computed.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <maya/MFn.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

#include "dg/Attribute.h"

class MPlug;
class MDataBlock;

namespace mayasim {

class Node;

// The compute of a built-in type; plug-in types compute through their MPxNode.
using BuiltinCompute = MStatus (*)(Node& node, const MPlug& plug, MDataBlock& data);

class NodeClass {
public:
    bool derivesFrom(MFn::Type fn) const;
    const Attribute* findAttribute(const std::string& name) const;
    void addAffects(const Attribute* whenChanges, const Attribute* isAffected);
    bool isAffected(const Attribute* attr) const;

    std::string name;
    MTypeId id;
    MCreatorFunction creator = nullptr;
    MInitializeFunction initialize = nullptr;
    int pxType = 0;
    std::string classification;
    std::string owner;  // plug-in name, empty for built-in types
    MFn::Type apiType = MFn::kDependencyNode;
    std::vector<MFn::Type> bases;  // types it derives from, kBase excluded
    bool dag = false;
    bool shape = false;
    bool creatable = true;
    std::vector<std::shared_ptr<Attribute>> attributes;  // top level, in order
    std::map<const Attribute*, std::vector<const Attribute*>> affects;
    std::vector<const Attribute*> volatileOutputs;  // recomputed on every read
    BuiltinCompute compute = nullptr;
    int liveNodes = 0;

private:
    mutable std::unordered_map<std::string, const Attribute*> foundByName_;
};

NodeClass* findNodeClass(const std::string& name);
NodeClass* findNodeClass(const MTypeId& id);
// The type whose initializer is running: where MPxNode::addAttribute adds.
NodeClass* initializingClass();
// Registers a type of the host itself (transform, camera, mesh, time...).
NodeClass& addBuiltinClass(std::unique_ptr<NodeClass> type);

}  // namespace mayasim
