#pragma once
// The scene's data and the primitive edits on it. Each edit can record its inverse in an
// EditLog, which is how commands and DG modifiers undo.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <maya/MSelectionList.h>
#include <maya/MStatus.h>

#include "dg/EditLog.h"
#include "dg/Node.h"

namespace mayasim {

class NodeClass;

struct SceneState {
    std::vector<std::shared_ptr<Node>> nodes;  // creation order, world excluded
    std::shared_ptr<Node> world;
    Node* time = nullptr;
    MSelectionList selection;
    MSelectionList hilite;  // objects whose components the user picks in object mode
    std::function<void()> selectionChanged;
    std::function<void()> timeChanged;
};

SceneState& scene();

// A name not used by any node: `base` itself, or with its trailing number raised.
std::string uniqueName(const std::string& base, const Node* except = nullptr);
Node* findNodeByName(const std::string& name);
// A node by name or DAG path.
Node* resolveNode(const std::string& nameOrPath);

// A new node, not yet in the scene; plug-in nodes are constructed and post-constructed.
std::shared_ptr<Node> instantiate(NodeClass& type, const std::string& name, MStatus* status);
// Puts a node into the scene, under `parent` (the world when null) for DAG nodes.
void insertNode(const std::shared_ptr<Node>& node, Node* parent, EditLog* log);
// Removes a node with its DAG children and its connections.
void removeNode(Node& node, EditLog* log);
MStatus renameNode(Node& node, const std::string& name, EditLog* log);
MStatus reparentNode(Node& node, Node* newParent, EditLog* log);
// Creates and inserts a node as createNode does (shapes get a transform when unparented).
MStatus createNodeOfType(const std::string& typeName, const std::string& name, Node* parent,
                         EditLog* log, std::shared_ptr<Node>& created);

// Sets the active selection; the model message and the event fire when it changes.
void setSelection(const MSelectionList& list, EditLog* log);
void setHilite(const MSelectionList& list, EditLog* log);
// `current` adjusted by `items` as MGlobal's list adjustment `listAdjustment` says.
MStatus adjustedList(const MSelectionList& current, const MSelectionList& items, int listAdjustment,
                     MSelectionList& result);
void setValue(Node& node, PlugKey key, const std::function<void(Slot&)>& write, EditLog* log);

// The path of a DAG node through its parents.
MDagPath pathOf(Node& node);
bool isAncestor(const Node& ancestor, const Node& node);

}  // namespace mayasim
