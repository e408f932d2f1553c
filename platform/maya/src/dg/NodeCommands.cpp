// Commands that create, name, find, list, delete and reparent nodes.

#include <algorithm>
#include <unordered_set>

#include <maya/MEulerRotation.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include "dg/BuiltinTypes.h"
#include "dg/ComponentNames.h"
#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/NodeClass.h"
#include "dg/NurbsNodes.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/NodeTypes.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using Arg = MSyntax::MArgType;
constexpr Arg kString = MSyntax::kString;

MStatus createNode(CommandCall& call) {
    const std::string typeName = call.objects()[0];
    NodeClass* type = findNodeClass(typeName);
    if (!type || !type->creatable)
        return call.fail("Unknown object type: " + typeName);
    Node* parent = nullptr;
    if (call.isSet("-p")) {
        parent = findNode(call.text("-p"));
        if (!parent)
            return MStatus::kFailure;
        if (!type->dag)
            return call.fail("A dependency node cannot have a parent: " + typeName);
    }
    std::shared_ptr<Node> created;
    if (!createNodeOfType(typeName, call.text("-n"), parent, &call.log(), created))
        return call.fail("Cannot create a node of type " + typeName);
    if (!call.isSet("-ss"))
        selectNodes({created.get()}, call.log());
    MPxCommand::setResult(MString(created->name.c_str()));
    return MStatus::kSuccess;
}

MStatus rename(CommandCall& call) {
    const std::vector<std::string> objects = call.objects();
    Node* node = nullptr;
    std::string newName = objects.back();
    if (objects.size() == 2) {
        node = findNode(objects[0]);
    } else {
        MObject first;
        if (scene().selection.length() == 0 || !scene().selection.getDependNode(0, first))
            return call.fail("rename: No object to rename.");
        node = nodeOf(first);
    }
    if (!node)
        return MStatus::kFailure;
    if (node == scene().time || newName.empty())
        return call.fail("Cannot rename " + node->name);
    if (!renameNode(*node, newName, &call.log()))
        return call.fail("Cannot rename " + node->name);
    MPxCommand::setResult(MString(node->name.c_str()));
    return MStatus::kSuccess;
}

MStatus deleteNodes(CommandCall& call) {
    const std::vector<std::string> names = call.objects();
    if (names.empty())
        return call.fail("Not enough objects or values.");
    std::vector<std::shared_ptr<Node>> targets;
    for (const std::string& name : names) {
        Node* node = findNode(name.substr(0, name.find('.')));
        if (!node)
            return MStatus::kFailure;
        if (node == scene().time)
            return call.fail("Cannot delete " + name);
        targets.push_back(node->shared());
    }
    for (const auto& node : targets) {
        if (node->inScene)
            removeNode(*node, &call.log());
    }
    return MStatus::kSuccess;
}

MStatus objExists(CommandCall& call) {
    const std::string name = call.objects()[0];
    const size_t dot = name.find('.');
    Node* node = resolveNode(name.substr(0, dot));
    MPlug plug;
    MPxCommand::setResult(
        node && (dot == std::string::npos || parsePlug(*node, name.substr(dot + 1), plug)));
    return MStatus::kSuccess;
}

MStatus nodeType(CommandCall& call) {
    const std::string name = call.objects()[0];
    if (call.isSet("-itn")) {
        MPxCommand::setResult(isNodeTypeRegistered(MString(name.c_str())));
        return MStatus::kSuccess;
    }
    Node* node = findNode(name.substr(0, name.find('.')));
    if (!node)
        return MStatus::kFailure;
    MPxCommand::setResult(
        MString(call.isSet("-api") ? node->handle().apiTypeStr() : node->type->name.c_str()));
    return MStatus::kSuccess;
}

// The type names a node's type derives from, most general first, as Maya's type tree has
// them for the host's own types ("dagNode", "shape", "geometryShape", ...).
std::vector<std::string> typeLineage(const Node& node) {
    const NodeClass& type = *node.type;
    std::vector<std::string> lineage = {"node"};
    if (type.dag) {
        lineage.insert(lineage.end(), {"containerBase", "entity", "dagNode"});
        if (type.shape || type.derivesFrom(MFn::kShape))
            lineage.push_back("shape");
        if (type.derivesFrom(MFn::kMesh) || type.derivesFrom(MFn::kNurbsCurve) ||
            type.derivesFrom(MFn::kNurbsSurface)) {
            lineage.insert(lineage.end(), {"geometryShape", "deformableShape", "controlPoint"});
            lineage.push_back(type.derivesFrom(MFn::kNurbsCurve) ? "curveShape" : "surfaceShape");
        }
        if (type.derivesFrom(MFn::kTransform) && type.name != "transform")
            lineage.push_back("transform");
    }
    if (lineage.back() != type.name)
        lineage.push_back(type.name);
    return lineage;
}

MStatus objectType(CommandCall& call) {
    const std::string name = call.objects()[0];
    Node* node = findNode(name.substr(0, name.find('.')));
    if (!node)
        return MStatus::kFailure;
    if (call.isSet("-i")) {
        MPxCommand::setResult(node->type->name == call.text("-i"));
    } else if (call.isSet("-isa")) {
        const std::vector<std::string> lineage = typeLineage(*node);
        MPxCommand::setResult(std::find(lineage.begin(), lineage.end(), call.text("-isa")) !=
                              lineage.end());
    } else {
        MPxCommand::setResult(MString(node->type->name.c_str()));
    }
    return MStatus::kSuccess;
}

// A copy of `source` under `parent` with its values and geometry, not its connections (so
// a mesh keeps its shape, not its history), and unless `parentOnly` its DAG children.
MStatus copyNode(Node& source, Node* parent, const std::string& name, bool parentOnly, EditLog& log,
                 std::vector<Node*>& made) {
    MStatus status;
    std::shared_ptr<Node> copy = instantiate(*source.type, name, &status);
    if (!status)
        return status;
    // A NURBS shape takes its history's output now, so the copy starts with that geometry.
    settleNurbsGeometry(source);
    copy->values = source.values;
    copy->dirty = source.dirty;
    copy->locked = source.locked;
    copy->dynamicAttributes = source.dynamicAttributes;
    if (source.type->derivesFrom(MFn::kMesh))
        copy->polyMesh = std::make_shared<mesh::Mesh>(meshOf(source));
    insertNode(copy, parent, &log);
    made.push_back(copy.get());
    if (parentOnly)
        return MStatus::kSuccess;
    for (Node* child : std::vector<Node*>(source.children)) {
        // A shape named after its transform follows the copy's name (pCube2|pCubeShape2).
        const std::string childName =
            child->name == shapeNameFor(source.name) ? shapeNameFor(copy->name) : child->name;
        status = copyNode(*child, copy.get(), childName, false, log, made);
        if (!status)
            return status;
    }
    return MStatus::kSuccess;
}

MStatus duplicate(CommandCall& call) {
    const std::vector<std::string> names = call.objects();
    if (names.empty())
        return call.fail("duplicate: No object was given or selected.");
    MStringArray result;
    std::vector<Node*> roots;
    for (const std::string& name : names) {
        Node* source = findNode(name.substr(0, name.find('.')));
        if (!source)
            return MStatus::kFailure;
        if (!source->isDag())
            return call.fail("duplicate: " + name + " is not a DAG object.");
        std::vector<Node*> made;
        const std::string newName = roots.empty() ? call.text("-n", source->name) : source->name;
        if (!copyNode(*source, source->parent, newName, call.isSet("-po"), call.log(), made))
            return call.fail("duplicate: Cannot duplicate " + name);
        roots.push_back(made.front());
        for (Node* node : made) {
            if (node == made.front() || (!call.isSet("-rr") && !node->type->shape))
                result.append(MString(listName(*node, false).c_str()));
        }
    }
    selectNodes(roots, call.log());
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

bool typeMatches(Node& node, const std::vector<std::string>& types) {
    if (types.empty())
        return true;
    for (const std::string& type : types) {
        if (node.type->name == type)
            return true;
        if (type == "dagNode" && node.isDag())
            return true;
        if (type == "shape" && node.type->shape)
            return true;
        if (type == "transform" && node.hasFn(MFn::kTransform))
            return true;
    }
    return false;
}

bool wildcard(const char* pattern, const char* text) {
    if (*pattern == '\0')
        return *text == '\0';
    if (*pattern == '*')
        return wildcard(pattern + 1, text) || (*text && wildcard(pattern, text + 1));
    if (*text && (*pattern == '?' || *pattern == *text))
        return wildcard(pattern + 1, text + 1);
    return false;
}

struct Listed {
    Node* node;
    std::vector<std::string> components;  // the item's component strings, if it has some
};

std::vector<Listed> itemsOf(const MSelectionList& list, bool flatten) {
    std::vector<Listed> items;
    for (unsigned int i = 0; i < list.length(); ++i) {
        MObject object;
        list.getDependNode(i, object);
        MDagPath path;
        MObject component;
        Listed item{nodeOf(object), {}};
        if (list.getDagPath(i, path, component) && !component.isNull())
            item.components = componentStrings(path, component, flatten);
        if (item.node)
            items.push_back(std::move(item));
    }
    return items;
}

std::vector<Listed> lsCandidates(const CommandCall& call) {
    if (call.isSet("-sl"))
        return itemsOf(scene().selection, call.isSet("-fl"));
    if (call.isSet("-hl"))
        return itemsOf(scene().hilite, call.isSet("-fl"));
    std::vector<Listed> candidates;
    if (call.isSet("-as")) {
        for (Node* node : scene().world->children)
            candidates.push_back({node, {}});
    } else {
        for (const auto& node : scene().nodes)
            candidates.push_back({node.get(), {}});
    }
    return candidates;
}

MStatus ls(CommandCall& call) {
    std::vector<std::string> types = call.texts("-typ");
    if (call.isSet("-tr"))
        types.push_back("transform");
    if (call.isSet("-s"))
        types.push_back("shape");
    std::vector<std::string> patterns;
    MStringArray result;
    // Component names ("pCube1.vtx[0:3]") list their components.
    for (const std::string& pattern : call.objects()) {
        MSelectionList components;
        if (pattern.find('.') == std::string::npos || !components.add(MString(pattern.c_str()))) {
            patterns.push_back(pattern);
            continue;
        }
        for (const Listed& item : itemsOf(components, call.isSet("-fl"))) {
            for (const std::string& component : item.components)
                result.append(MString(component.c_str()));
        }
    }
    if (patterns.empty() && result.length() > 0) {
        MPxCommand::setResult(result);
        return MStatus::kSuccess;
    }
    std::unordered_set<Node*> listed;
    for (const Listed& item : lsCandidates(call)) {
        Node* node = item.node;
        if ((item.components.empty() && listed.count(node)) || !typeMatches(*node, types))
            continue;
        if (call.isSet("-dag") && !node->isDag())
            continue;
        const bool matched =
            patterns.empty() ||
            std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                return wildcard(pattern.c_str(), node->name.c_str()) ||
                       resolveNode(pattern) == node;
            });
        if (!matched)
            continue;
        for (const std::string& component : item.components)
            result.append(MString(component.c_str()));
        if (item.components.empty()) {
            listed.insert(node);
            result.append(MString(listName(*node, call.isSet("-l")).c_str()));
        }
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

// Maya lists descendants deepest first.
void collectDescendants(Node& node, std::vector<Node*>& out) {
    for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) {
        collectDescendants(**it, out);
        out.push_back(*it);
    }
}

MStatus listRelatives(CommandCall& call) {
    std::vector<std::string> types = call.texts("-typ");
    if (call.isSet("-s"))
        types.push_back("shape");
    std::vector<Node*> found;
    for (const std::string& name : call.objects()) {
        Node* node = findNode(name);
        if (!node)
            return MStatus::kFailure;
        if (call.isSet("-p")) {
            if (node->parent && node->parent != scene().world.get())
                found.push_back(node->parent);
        } else if (call.isSet("-ad")) {
            collectDescendants(*node, found);
        } else {
            found.insert(found.end(), node->children.begin(), node->children.end());
        }
    }
    MStringArray result;
    for (Node* node : found) {
        if (typeMatches(*node, types))
            result.append(MString(listName(*node, call.isSet("-f")).c_str()));
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

// Moves `node` under `parent` (the world when null); keeps its world placement unless
// `relative`, by giving it the local transform that places it where it was.
MStatus reparentKeepingPlacement(Node& node, Node* parent, bool relative, EditLog& log) {
    const MMatrix world = worldMatrix(node);
    MStatus status = reparentNode(node, parent, &log);
    if (!status || relative || !node.hasFn(MFn::kTransform))
        return status;
    const MMatrix parentWorld = parent ? worldMatrix(*parent) : MMatrix();
    const MTransformationMatrix local(world * parentWorld.inverse());
    const MVector t = local.getTranslation(MSpace::kTransform);
    MEulerRotation r = local.eulerRotation();
    const auto order = static_cast<MEulerRotation::RotationOrder>(
        pull(node, {node.findAttribute("ro"), -1}).get());
    r.reorderIt(order);
    double s[3];
    local.getScale(s, MSpace::kTransform);
    const std::pair<const char*, double> values[] = {{"tx", t.x},  {"ty", t.y},  {"tz", t.z},
                                                     {"rx", r.x},  {"ry", r.y},  {"rz", r.z},
                                                     {"sx", s[0]}, {"sy", s[1]}, {"sz", s[2]}};
    for (const auto& [attr, value] : values) {
        const double v = value;
        setValue(
            node, {node.findAttribute(attr), -1}, [v](Slot& slot) { slot.set(v); }, &log);
    }
    return MStatus::kSuccess;
}

MStatus parent(CommandCall& call) {
    std::vector<std::string> names = call.objects();
    Node* newParent = nullptr;
    if (!call.isSet("-w")) {
        if (names.size() < 2)
            return call.fail("Not enough objects or values.");
        newParent = findNode(names.back());
        if (!newParent)
            return MStatus::kFailure;
        names.pop_back();
    }
    if (names.empty())
        return call.fail("Not enough objects or values.");
    MStringArray result;
    for (const std::string& name : names) {
        Node* node = findNode(name);
        if (!node)
            return call.fail("No object matches name: " + name);
        if (!node->isDag() || node == newParent || (newParent && isAncestor(*node, *newParent)))
            return call.fail("Cannot parent " + name + (newParent ? " to " + newParent->name : ""));
        if (!reparentKeepingPlacement(*node, newParent, call.isSet("-r"), call.log()))
            return call.fail("Cannot parent " + name);
        result.append(MString(listName(*node, false).c_str()));
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MStatus group(CommandCall& call) {
    Node* groupParent = nullptr;
    if (call.isSet("-p")) {
        groupParent = findNode(call.text("-p"));
        if (!groupParent)
            return MStatus::kFailure;
    }
    std::vector<Node*> members;
    if (!call.isSet("-em")) {
        const std::vector<std::string> names = call.objects();
        if (names.empty())
            return call.fail("Not enough objects or values.");
        for (const std::string& name : names) {
            Node* node = findNode(name);
            if (!node)
                return call.fail("No object matches name: " + name);
            if (!node->isDag())
                return call.fail("Cannot group " + name);
            members.push_back(node);
        }
        // Without -p or -w, the group goes where the first member was.
        if (!groupParent && !call.isSet("-w") && members.front()->parent != scene().world.get())
            groupParent = members.front()->parent;
    }
    const std::string name = call.text("-n", "group1");
    std::shared_ptr<Node> created;
    if (!createNodeOfType("transform", name, groupParent, &call.log(), created))
        return call.fail("Cannot create group " + name);
    for (Node* member : members) {
        if (!reparentKeepingPlacement(*member, created.get(), false, call.log()))
            return call.fail("Cannot group " + member->name);
    }
    selectNodes({created.get()}, call.log());
    MPxCommand::setResult(MString(created->name.c_str()));
    return MStatus::kSuccess;
}

const CommandSpec kNodeCommands[] = {
    {"createNode",
     {{"-n", "-name", {kString}}, {"-p", "-parent", {kString}}, {"-ss", "-skipSelect"}},
     objects(1, 1),
     createNode},
    {"rename", {}, objects(1, 2), rename},
    {"delete", {}, objects(0, UINT_MAX, true), deleteNodes},
    {"objExists", {}, objects(1, 1), objExists},
    {"nodeType", {{"-api", "-apiType"}, {"-itn", "-isTypeName"}}, objects(1, 1), nodeType},
    {"objectType",
     {{"-i", "-isType", {kString}}, {"-isa", "-isAType", {kString}}},
     objects(1, 1),
     objectType},
    {"duplicate",
     {{"-n", "-name", {kString}}, {"-rr", "-returnRootsOnly"}, {"-po", "-parentOnly"}},
     objects(0, UINT_MAX, true),
     duplicate},
    {"ls",
     {{"-typ", "-type", {kString}, true},
      {"-as", "-assemblies"},
      {"-sl", "-selection"},
      {"-hl", "-hilite"},
      {"-l", "-long"},
      {"-fl", "-flatten"},
      {"-dag", "-dagObjects"},
      {"-tr", "-transforms"},
      {"-s", "-shapes"}},
     objects(),
     ls},
    {"listRelatives",
     {{"-c", "-children"},
      {"-p", "-parent"},
      {"-s", "-shapes"},
      {"-ad", "-allDescendents"},
      {"-typ", "-type", {kString}, true},
      {"-f", "-fullPath"}},
     objects(0, UINT_MAX, true),
     listRelatives},
    {"parent",
     {{"-w", "-world"}, {"-r", "-relative"}, {"-a", "-absolute"}},
     objects(0, UINT_MAX, true),
     parent},
    {"group",
     {{"-n", "-name", {kString}},
      {"-em", "-empty"},
      {"-p", "-parent", {kString}},
      {"-w", "-world"}},
     objects(0, UINT_MAX, true),
     group},
};

}  // namespace

void registerNodeCommands(CommandEngine& engine) {
    registerCommandTable(engine, kNodeCommands);
}

}  // namespace mayasim
