#pragma once
// What the geometry and skeleton commands share: node look-ups with Maya's message, shape
// names, UI units and the selection a creation leaves.

#include <string>
#include <vector>

#include <maya/MPoint.h>
#include <maya/MStringArray.h>

#include "dg/EditLog.h"

namespace mayasim {

class CommandCall;
class Node;

namespace commands {

//! A node by name or DAG path; shows "No object matches name: <name>" when there is none.
Node* lookUp(const std::string& name);
//! "curve2" -> "curveShape2": a shape is named after its transform, number kept.
std::string shapeNameFor(const std::string& transform);
//! A distance or point given in the UI's linear unit, in centimetres.
double internalDistance(double ui);
MPoint internalPoint(const MPoint& ui);
//! The same back in the UI's linear unit.
MPoint uiPoint(const MPoint& internal);
//! Every use of a multi-use flag with three distance arguments, in centimetres.
std::vector<MPoint> pointUses(const CommandCall& call, const char* flag);
//! Replaces the active selection with `nodes`, recorded for undo.
void selectOnly(const std::vector<Node*>& nodes, EditLog& log);
//! The objects the command names, else the active selection's DAG nodes (transforms stand
//! for themselves; components count as their shape's transform).
std::vector<Node*> objectsOrSelection(const CommandCall& call, bool& missing);
MStringArray namesOf(const std::vector<Node*>& nodes);

}  // namespace commands
}  // namespace mayasim
