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
#include "dg/NodeClass.h"
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
    const std::vector<std::string> patterns = call.objects();
    MStringArray result;
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
