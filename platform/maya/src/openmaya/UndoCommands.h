#pragma once

namespace mayasim {

class CommandEngine;

// undo, redo, flushUndo and undoInfo.
void registerUndoCommands(CommandEngine& engine);

}  // namespace mayasim
