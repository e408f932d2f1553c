#pragma once
// The host's own MEL commands: python, print, eval, evalDeferred, undo, redo, undoInfo,
// flushUndo, file, about, exists, warning, error; those of the plug-in manager and the tool
// contexts; and the scene's.

namespace mayasim {

class CommandEngine;

void registerBuiltinCommands(CommandEngine& engine);
// Defined with the plug-in manager and the context registry.
void registerPluginCommands(CommandEngine& engine);
void registerContextCommands(CommandEngine& engine);
// The user-interface runtime commands (ToggleAttributeEditor, DisplayShaded, ...).
void registerUiStateCommands(CommandEngine& engine);

// Creator of a host command class, for CommandEngine::registerCommand.
template <typename T>
void* createCommand() {
    return new T;
}

}  // namespace mayasim
