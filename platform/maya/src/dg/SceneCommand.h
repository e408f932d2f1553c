#pragma once
// What the scene commands share: lookups of nodes and plugs by the names MEL gives, with
// Maya's error when nothing matches, and the selection they leave behind.

#include <string>
#include <vector>

#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/EditLog.h"
#include "dg/Node.h"

namespace mayasim {

class CommandEngine;

// A node by name or DAG path; shows "No object matches name: <name>" when missing.
Node* findNode(const std::string& name);
// "node.attr" (or "node.parent.child", "node.arr[2]"); shows the same error when missing.
bool findPlug(const std::string& name, MPlug& plug);
// MGlobal::selectCommand: the adjusted selection, undoable and echoed as a select command.
MStatus selectAsCommand(const MSelectionList& items, int listAdjustment);
// Replaces the active selection with `nodes`, recorded in `log`.
void selectNodes(const std::vector<Node*>& nodes, EditLog& log);

std::vector<std::string> toStrings(const MStringArray& array);
MStringArray toArray(const std::vector<std::string>& strings);
// The name a DAG node is listed under: its partial path, or its full path with `longNames`.
std::string listName(Node& node, bool longNames);
// "pCube2" -> "pCubeShape2": a shape is named after its transform, number kept.
std::string shapeNameFor(const std::string& transform);

void registerNodeCommands(CommandEngine& engine);
void registerAttributeCommands(CommandEngine& engine);
void registerTransformCommands(CommandEngine& engine);
void registerMoveCommands(CommandEngine& engine);
void registerSelectionCommands(CommandEngine& engine);
void registerNurbsCommands(CommandEngine& engine);
void registerSkeletonCommands(CommandEngine& engine);

}  // namespace mayasim
