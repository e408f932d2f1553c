// Commands that create, name, find, list, select, delete and reparent nodes.

#include <algorithm>
#include <set>

#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MPoint.h>
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

namespace mayasim {

namespace {

template <typename T>
void* create() {
    return new T;
}

MString flagString(const MArgDatabase& db, const char* flag) {
    MString value;
    db.getFlagArgument(flag, 0, value);
    return value;
}

class CreateNodeCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.addFlag("-p", "-parent", MSyntax::kString);
        syntax.addFlag("-ss", "-skipSelect");
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        const std::string typeName = objects[0].asChar();
        NodeClass* type = findNodeClass(typeName);
        if (!type || !type->creatable)
            return fail("Unknown object type: " + typeName);
        Node* parent = nullptr;
        if (db.isFlagSet("-p")) {
            parent = findNode(flagString(db, "-p").asChar());
            if (!parent)
                return MStatus::kFailure;
            if (!type->dag)
                return fail("A dependency node cannot have a parent: " + typeName);
        }
        std::shared_ptr<Node> created;
        status = createNodeOfType(typeName, flagString(db, "-n").asChar(), parent, &log_, created);
        if (!status)
            return fail("Cannot create a node of type " + typeName);
        if (!db.isFlagSet("-ss"))
            select({created.get()});
        setResult(MString(created->name.c_str()));
        return MStatus::kSuccess;
    }
};

class RenameCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.setObjectType(MSyntax::kStringObjects, 1, 2);
        syntax.useSelectionAsDefault(false);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        const std::vector<std::string> objects = [&] {
            MStringArray names;
            db.getObjects(names);
            return toStrings(names);
        }();
        Node* node = nullptr;
        std::string newName;
        if (objects.size() == 2) {
            node = findNode(objects[0]);
            newName = objects[1];
        } else {
            MSelectionList selection = scene().selection;
            MObject first;
            if (selection.length() == 0 || !selection.getDependNode(0, first)) {
                return fail("rename: No object to rename.");
            }
            node = nodeOf(first);
            newName = objects[0];
        }
        if (!node)
            return MStatus::kFailure;
        if (node == scene().time || newName.empty())
            return fail("Cannot rename " + node->name);
        status = renameNode(*node, newName, &log_);
        if (!status)
            return fail("Cannot rename " + node->name);
        setResult(MString(node->name.c_str()));
        return MStatus::kSuccess;
    }
};

class DeleteCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        if (names.length() == 0)
            return fail("Not enough objects or values.");
        std::vector<std::shared_ptr<Node>> targets;
        for (const std::string& name : toStrings(names)) {
            Node* node = findNode(name.substr(0, name.find('.')));
            if (!node)
                return MStatus::kFailure;
            if (node == scene().time)
                return fail("Cannot delete " + name);
            targets.push_back(node->shared());
        }
        for (const auto& node : targets) {
            if (node->inScene)
                removeNode(*node, &log_);
        }
        return MStatus::kSuccess;
    }
};

class ObjExistsCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        const std::string name = names[0].asChar();
        const size_t dot = name.find('.');
        Node* node = resolveNode(name.substr(0, dot));
        MPlug plug;
        const bool exists =
            node && (dot == std::string::npos || parsePlugQuietly(*node, name.substr(dot + 1)));
        setResult(exists);
        return MStatus::kSuccess;
    }

private:
    static bool parsePlugQuietly(Node& node, const std::string& attr);
};

class NodeTypeCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-api", "-apiType");
        syntax.addFlag("-itn", "-isTypeName");
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        if (db.isFlagSet("-itn")) {
            setResult(isNodeTypeRegistered(names[0]));
            return MStatus::kSuccess;
        }
        const std::string name = names[0].asChar();
        Node* node = findNode(name.substr(0, name.find('.')));
        if (!node)
            return MStatus::kFailure;
        setResult(
            MString(db.isFlagSet("-api") ? node->handle().apiTypeStr() : node->type->name.c_str()));
        return MStatus::kSuccess;
    }
};

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

std::vector<std::string> multiFlagStrings(const MArgDatabase& db, const char* flag) {
    std::vector<std::string> values;
    for (unsigned int i = 0; i < db.numberOfFlagUses(flag); ++i) {
        MArgList list;
        if (db.getFlagArgumentList(flag, i, list))
            values.push_back(list.asString(0).asChar());
    }
    return values;
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

class LsCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-typ", "-type", MSyntax::kString);
        syntax.makeFlagMultiUse("-typ");
        syntax.addFlag("-as", "-assemblies");
        syntax.addFlag("-sl", "-selection");
        syntax.addFlag("-l", "-long");
        syntax.addFlag("-dag", "-dagObjects");
        syntax.addFlag("-tr", "-transforms");
        syntax.addFlag("-s", "-shapes");
        syntax.setObjectType(MSyntax::kStringObjects);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        std::vector<std::string> types = multiFlagStrings(db, "-typ");
        if (db.isFlagSet("-tr"))
            types.push_back("transform");
        if (db.isFlagSet("-s"))
            types.push_back("shape");
        const bool longNames = db.isFlagSet("-l");
        MStringArray patterns;
        db.getObjects(patterns);
        std::vector<Node*> candidates;
        if (db.isFlagSet("-sl")) {
            const MSelectionList& selection = scene().selection;
            for (unsigned int i = 0; i < selection.length(); ++i) {
                MObject object;
                selection.getDependNode(i, object);
                if (Node* node = nodeOf(object))
                    candidates.push_back(node);
            }
        } else if (db.isFlagSet("-as")) {
            for (Node* child : scene().world->children)
                candidates.push_back(child);
        } else {
            for (const auto& node : scene().nodes)
                candidates.push_back(node.get());
        }
        MStringArray result;
        std::set<Node*> listed;
        for (Node* node : candidates) {
            if (listed.count(node) || !typeMatches(*node, types))
                continue;
            if (db.isFlagSet("-dag") && !node->isDag())
                continue;
            if (patterns.length() > 0) {
                bool matched = false;
                for (unsigned int i = 0; i < patterns.length() && !matched; ++i) {
                    matched = wildcard(patterns[i].asChar(), node->name.c_str()) ||
                              resolveNode(patterns[i].asChar()) == node;
                }
                if (!matched)
                    continue;
            }
            listed.insert(node);
            result.append(MString(listName(*node, longNames).c_str()));
        }
        setResult(result);
        return MStatus::kSuccess;
    }
};

class ListRelativesCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-c", "-children");
        syntax.addFlag("-p", "-parent");
        syntax.addFlag("-s", "-shapes");
        syntax.addFlag("-ad", "-allDescendents");
        syntax.addFlag("-typ", "-type", MSyntax::kString);
        syntax.makeFlagMultiUse("-typ");
        syntax.addFlag("-f", "-fullPath");
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        std::vector<std::string> types = multiFlagStrings(db, "-typ");
        if (db.isFlagSet("-s"))
            types.push_back("shape");
        std::vector<Node*> found;
        for (const std::string& name : toStrings(names)) {
            Node* node = findNode(name);
            if (!node)
                return MStatus::kFailure;
            if (db.isFlagSet("-p")) {
                if (node->parent && node->parent != scene().world.get())
                    found.push_back(node->parent);
            } else if (db.isFlagSet("-ad")) {
                collectDescendants(*node, found);
            } else {
                for (Node* child : node->children)
                    found.push_back(child);
            }
        }
        MStringArray result;
        for (Node* node : found) {
            if (typeMatches(*node, types)) {
                result.append(MString(listName(*node, db.isFlagSet("-f")).c_str()));
            }
        }
        setResult(result);
        return MStatus::kSuccess;
    }

private:
    // Maya lists descendants deepest first.
    static void collectDescendants(Node& node, std::vector<Node*>& out) {
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) {
            collectDescendants(**it, out);
            out.push_back(*it);
        }
    }
};

class SelectCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-r", "-replace");
        syntax.addFlag("-add", "-add");
        syntax.addFlag("-d", "-deselect");
        syntax.addFlag("-tgl", "-toggle");
        syntax.addFlag("-cl", "-clear");
        syntax.addFlag("-ne", "-noExpand");
        syntax.setObjectType(MSyntax::kStringObjects);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        if (db.isFlagSet("-cl")) {
            setSelection(MSelectionList(), &log_);
            return MStatus::kSuccess;
        }
        MStringArray names;
        db.getObjects(names);
        MSelectionList items;
        for (const std::string& name : toStrings(names)) {
            if (!items.add(MString(name.c_str()))) {
                return fail("No object matches name: " + name);
            }
        }
        MSelectionList result = scene().selection;
        if (db.isFlagSet("-add")) {
            result.merge(items, MSelectionList::kMergeNormal);
        } else if (db.isFlagSet("-d")) {
            result.merge(items, MSelectionList::kRemoveFromList);
        } else if (db.isFlagSet("-tgl")) {
            result.merge(items, MSelectionList::kXORWithList);
        } else {
            result = items;
        }
        setSelection(result, &log_);
        return MStatus::kSuccess;
    }
};

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

class ParentCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-w", "-world");
        syntax.addFlag("-r", "-relative");
        syntax.addFlag("-a", "-absolute");
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        std::vector<std::string> names = [&] {
            MStringArray objects;
            db.getObjects(objects);
            return toStrings(objects);
        }();
        Node* parent = nullptr;
        if (!db.isFlagSet("-w")) {
            if (names.size() < 2)
                return fail("Not enough objects or values.");
            parent = findNode(names.back());
            if (!parent)
                return MStatus::kFailure;
            names.pop_back();
        }
        if (names.empty())
            return fail("Not enough objects or values.");
        MStringArray result;
        for (const std::string& name : names) {
            Node* node = findNode(name);
            if (!node)
                return fail("No object matches name: " + name);
            if (!node->isDag() || node == parent || (parent && isAncestor(*node, *parent))) {
                return fail("Cannot parent " + name + (parent ? " to " + parent->name : ""));
            }
            status = reparentKeepingPlacement(*node, parent, db.isFlagSet("-r"), log_);
            if (!status)
                return fail("Cannot parent " + name);
            result.append(MString(listName(*node, false).c_str()));
        }
        setResult(result);
        return MStatus::kSuccess;
    }
};

class GroupCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.addFlag("-em", "-empty");
        syntax.addFlag("-p", "-parent", MSyntax::kString);
        syntax.addFlag("-w", "-world");
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        Node* parent = nullptr;
        if (db.isFlagSet("-p")) {
            parent = findNode(flagString(db, "-p").asChar());
            if (!parent)
                return MStatus::kFailure;
        }
        std::vector<Node*> members;
        if (!db.isFlagSet("-em")) {
            MStringArray names;
            db.getObjects(names);
            if (names.length() == 0)
                return fail("Not enough objects or values.");
            for (const std::string& name : toStrings(names)) {
                Node* node = findNode(name);
                if (!node)
                    return fail("No object matches name: " + name);
                if (!node->isDag())
                    return fail("Cannot group " + name);
                members.push_back(node);
            }
            // Without -p or -w, the group goes where the first member was.
            if (!parent && !db.isFlagSet("-w") && members.front()->parent != scene().world.get()) {
                parent = members.front()->parent;
            }
        }
        const std::string name = db.isFlagSet("-n") ? flagString(db, "-n").asChar() : "group1";
        std::shared_ptr<Node> group;
        status = createNodeOfType("transform", name, parent, &log_, group);
        if (!status)
            return fail("Cannot create group " + name);
        for (Node* member : members) {
            status = reparentKeepingPlacement(*member, group.get(), false, log_);
            if (!status)
                return fail("Cannot group " + member->name);
        }
        select({group.get()});
        setResult(MString(group->name.c_str()));
        return MStatus::kSuccess;
    }
};

}  // namespace

bool ObjExistsCmd::parsePlugQuietly(Node& node, const std::string& attr) {
    MPlug plug;
    return parsePlug(node, attr, plug);
}

void registerNodeCommands(CommandEngine& engine) {
    engine.registerCommand("createNode", create<CreateNodeCmd>, CreateNodeCmd::newSyntax, "");
    engine.registerCommand("rename", create<RenameCmd>, RenameCmd::newSyntax, "");
    engine.registerCommand("delete", create<DeleteCmd>, DeleteCmd::newSyntax, "");
    engine.registerCommand("objExists", create<ObjExistsCmd>, ObjExistsCmd::newSyntax, "");
    engine.registerCommand("nodeType", create<NodeTypeCmd>, NodeTypeCmd::newSyntax, "");
    engine.registerCommand("ls", create<LsCmd>, LsCmd::newSyntax, "");
    engine.registerCommand("listRelatives", create<ListRelativesCmd>, ListRelativesCmd::newSyntax,
                           "");
    engine.registerCommand("select", create<SelectCmd>, SelectCmd::newSyntax, "");
    engine.registerCommand("parent", create<ParentCmd>, ParentCmd::newSyntax, "");
    engine.registerCommand("group", create<GroupCmd>, GroupCmd::newSyntax, "");
}

}  // namespace mayasim
