#pragma once
// What the context classes ask of the context registry.

#include <mayasim/Contexts.h>

class MObject;

namespace mayasim::contexts {

// A new tool command of the tool registered with the context's command; null if none.
MPxToolCommand* newToolCommandFor(const MPxContext& context);
// A tool command is going away (deleted, or handed to the undo queue).
void forgetToolCommand(const MPxToolCommand* command);
// Removes a manipulator node a context added.
void deleteManipulator(const MObject& manipulator);

}  // namespace mayasim::contexts
