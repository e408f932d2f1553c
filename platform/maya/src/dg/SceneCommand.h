#pragma once
// What the scene commands share: an undo record of their edits and the lookups of nodes
// and plugs by the names MEL gives.

#include <string>
#include <vector>

#include <maya/MArgDatabase.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include "dg/EditLog.h"
#include "dg/Node.h"

namespace mayasim {

class CommandEngine;

class SceneCommand : public MPxCommand {
public:
    MStatus undoIt() override {
        log_.undo();
        return MStatus::kSuccess;
    }
    MStatus redoIt() override {
        log_.redo();
        return MStatus::kSuccess;
    }
    bool isUndoable() const override { return !log_.empty(); }
    bool hasSyntax() const override { return true; }

protected:
    // Shows `message` as an error of the command and fails; what was done is undone.
    MStatus fail(const std::string& message);
    // A node by name or DAG path; shows "No object matches name: <name>" when missing.
    Node* findNode(const std::string& name);
    // "node.attr" (or "node.parent.child", "node.arr[2]").
    bool findPlug(const std::string& name, MPlug& plug);
    // Replaces the active selection, recorded for undo.
    void select(const std::vector<Node*>& nodes);

    EditLog log_;
};

std::vector<std::string> toStrings(const MStringArray& array);
MStringArray toArray(const std::vector<std::string>& strings);
// The name a DAG node is listed under: its partial path, or its full path with `longNames`.
std::string listName(Node& node, bool longNames);

void registerNodeCommands(CommandEngine& engine);
void registerAttributeCommands(CommandEngine& engine);
void registerTransformCommands(CommandEngine& engine);
void registerNurbsCommands(CommandEngine& engine);
void registerSkeletonCommands(CommandEngine& engine);

}  // namespace mayasim
