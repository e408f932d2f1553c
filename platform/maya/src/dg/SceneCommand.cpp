#include "dg/SceneCommand.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "dg/ComponentNames.h"
#include "dg/PolyCommands.h"
#include "dg/PolyCreators.h"
#include "dg/NodeClass.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"

namespace mayasim {

namespace {

void noMatch(const std::string& name) {
    MGlobal::displayError(MString(("No object matches name: " + name).c_str()));
}

}  // namespace

Node* findNode(const std::string& name) {
    Node* node = resolveNode(name);
    if (!node)
        noMatch(name);
    return node;
}

namespace {

// The node a name like ".dispCV" is about: the first object of the active selection.
Node* firstSelected() {
    MObject first;
    return scene().selection.length() > 0 && scene().selection.getDependNode(0, first)
               ? nodeOf(first)
               : nullptr;
}

// As in Maya, a transform answers for the attributes of its shape ("curve1.dispCV").
bool parsePlugOrShapes(Node& node, const std::string& attrPath, MPlug& plug) {
    if (parsePlug(node, attrPath, plug))
        return true;
    if (!node.hasFn(MFn::kTransform))
        return false;
    for (Node* child : node.children) {
        if (child->type->shape && parsePlug(*child, attrPath, plug))
            return true;
    }
    return false;
}

}  // namespace

bool findPlug(const std::string& name, MPlug& plug) {
    const size_t dot = name.find('.');
    Node* node = dot == std::string::npos ? nullptr
                 : dot == 0               ? firstSelected()
                                          : resolveNode(name.substr(0, dot));
    if (!node || !parsePlugOrShapes(*node, name.substr(dot + 1), plug)) {
        noMatch(name);
        return false;
    }
    return true;
}

void selectNodes(const std::vector<Node*>& nodes, EditLog& log) {
    MSelectionList list;
    for (Node* node : nodes)
        list.add(node->handle());
    setSelection(list, &log);
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
    registerSelectionCommands(engine);
    registerPolyCreatorCommands(engine);
    registerPolyCommands(engine);
    registerNurbsCommands(engine);
    registerSkeletonCommands(engine);
}

}  // namespace mayasim
