#pragma once

namespace mayasim {

class CommandEngine;

// file (-query -exists, -newFile -force).
void registerFileCommand(CommandEngine& engine);

}  // namespace mayasim
