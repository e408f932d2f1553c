#pragma once
// The engine's view of an MPxCommand's private set-up.

#include <maya/MPxCommand.h>

namespace mayasim {

struct CommandAccess {
    static void setUp(MPxCommand& command, const MSyntax& syntax, const MString& name) {
        command.syntax_ = syntax;
        command.commandString_ = name;
    }
};

}  // namespace mayasim
