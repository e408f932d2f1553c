#include "dg/SceneCommand.h"

#include <maya/MSelectionList.h>

#include "dg/ComponentNames.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"

namespace mayasim {

MStatus SceneCommand::fail(const std::string& message) {
    log_.undo();
    log_.clear();
    displayError(MString(message.c_str()));
    return MStatus::kFailure;
}

Node* SceneCommand::findNode(const std::string& name) {
    Node* node = resolveNode(name);
    if (!node)
        displayError(MString(("No object matches name: " + name).c_str()));
    return node;
}

bool SceneCommand::findPlug(const std::string& name, MPlug& plug) {
    const size_t dot = name.find('.');
    Node* node = dot == std::string::npos ? nullptr : resolveNode(name.substr(0, dot));
    if (!node) {
        displayError(MString(("No object matches name: " + name).c_str()));
        return false;
    }
    if (!parsePlug(*node, name.substr(dot + 1), plug)) {
        displayError(MString(("No object matches name: " + name).c_str()));
        return false;
    }
    return true;
}

void SceneCommand::select(const std::vector<Node*>& nodes) {
    MSelectionList list;
    for (Node* node : nodes)
        list.add(node->handle());
    setSelection(list, &log_);
}

std::vector<std::string> toStrings(const MStringArray& array) {
    std::vector<std::string> out;
    for (unsigned int i = 0; i < array.length(); ++i)
        out.push_back(array[i].asChar());
    return out;
}

MStringArray toArray(const std::vector<std::string>& strings) {
    MStringArray out;
    for (const std::string& text : strings)
        out.append(MString(text.c_str()));
    return out;
}

std::string listName(Node& node, bool longNames) {
    if (!node.isDag())
        return node.name;
    const MDagPath path = pathOf(node);
    return longNames ? path.fullPathName().asChar() : path.partialPathName().asChar();
}

void registerSceneCommands(CommandEngine& engine) {
    if (engine.hasCommand("createNode"))
        return;
    registerNodeCommands(engine);
    registerAttributeCommands(engine);
    registerTransformCommands(engine);
    registerNurbsCommands(engine);
    registerSkeletonCommands(engine);
}

}  // namespace mayasim
