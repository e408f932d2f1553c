#include <maya/MPxToolCommand.h>

#include <maya/MArgList.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/UndoQueue.h>

#include "ContextRegistry.h"

MPxToolCommand::MPxToolCommand() = default;

MPxToolCommand::~MPxToolCommand() {
    mayasim::contexts::forgetToolCommand(this);
}

MStatus MPxToolCommand::cancel() {
    return MS::kSuccess;
}

MStatus MPxToolCommand::finalize() {
    return MS::kSuccess;
}

MStatus MPxToolCommand::doFinalize(MArgList& command) {
    auto& engine = mayasim::CommandEngine::instance();
    const std::string line = mayasim::melCommandLine(commandString().asChar(), command);
    engine.echo(line);
    // With undo off the command stays with its context until the plug-in or context goes.
    if (!engine.undoQueue().isEnabled())
        return MS::kSuccess;
    mayasim::contexts::forgetToolCommand(this);
    engine.pushUndoable(this, line);
    return MS::kSuccess;
}
