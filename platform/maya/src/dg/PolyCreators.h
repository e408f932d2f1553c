#pragma once
// Maya's polygon primitives as history: the creator nodes (polyCube, polySphere, polyPlane,
// polyCylinder, polyTorus) whose output feeds a mesh shape's inMesh, and the commands of the
// same names that build a transform, its shape and, with construction history, the creator.

namespace mayasim {

class CommandEngine;

// Registers the creator node types with the built-in types.
void addPolyCreatorTypes();
void registerPolyCreatorCommands(CommandEngine& engine);

}  // namespace mayasim
