#pragma once
// The mesh queries and selections MEL offers: polyEvaluate and polySelect.

namespace mayasim {

class CommandEngine;

void registerPolyCommands(CommandEngine& engine);

}  // namespace mayasim
