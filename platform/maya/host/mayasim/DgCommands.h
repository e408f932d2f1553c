#pragma once
// The host's scene commands (createNode, setAttr, getAttr, connectAttr, ls, select, xform,
// polyCube, camera, ...), registered as built-ins with the command engine.

namespace mayasim {

class CommandEngine;

// Registers every scene command not registered yet; safe to call more than once.
void registerSceneCommands(CommandEngine& engine);

}  // namespace mayasim
