#pragma once
// The host's side of Maya's callback messages: it fires the events, scene messages and
// model messages that plug-ins registered callbacks for.

#include <string>

namespace mayasim::messages {

// Named events (MEventMessage): "idle", "SelectionChanged", ...
void fireEvent(const std::string& name);
// MSceneMessage::Message numbers (27 is kMayaExiting).
void fireSceneMessage(int message);
// MModelMessage::Message numbers; the selection fires kActiveListModified (0) on each change.
void fireModelMessage(int message);

// Callbacks still registered, all kinds together (a plug-in should leave none behind).
size_t callbackCount();
// Callbacks whose function lies in the shared object that contains `address`.
size_t callbacksInModuleOf(const void* address);

}  // namespace mayasim::messages
