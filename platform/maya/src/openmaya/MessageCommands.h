#pragma once

namespace mayasim {

class CommandEngine;

// warning and error.
void registerMessageCommands(CommandEngine& engine);

}  // namespace mayasim
