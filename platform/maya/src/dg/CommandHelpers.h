#pragma once
// What the geometry and skeleton commands share beyond SceneCommand.h: UI units, points
// given by multi-use flags, and the objects a command acts on.

#include <string>
#include <vector>

#include <maya/MPoint.h>
#include <maya/MStringArray.h>

namespace mayasim {

class CommandCall;
class Node;

namespace commands {

//! A distance or point given in the UI's linear unit, in centimetres.
double internalDistance(double ui);
MPoint internalPoint(const MPoint& ui);
//! The same back in the UI's linear unit.
MPoint uiPoint(const MPoint& internal);
//! Every use of a multi-use flag with three distance arguments, in centimetres.
std::vector<MPoint> pointUses(const CommandCall& call, const char* flag);
//! The objects the command names, else the active selection's DAG nodes (transforms stand
//! for themselves; components count as their shape's transform).
std::vector<Node*> objectsOrSelection(const CommandCall& call, bool& missing);
MStringArray namesOf(const std::vector<Node*>& nodes);

}  // namespace commands
}  // namespace mayasim
