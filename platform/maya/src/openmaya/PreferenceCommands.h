#pragma once

namespace mayasim {

class CommandEngine;

// optionVar, snapMode, grid and currentUnit.
void registerPreferenceCommands(CommandEngine& engine);

}  // namespace mayasim
