#include <maya/MPxToolCommand.h>

#include <maya/MArgList.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/UndoQueue.h>

#include "ContextRegistry.h"
#include "openmaya/SyntaxData.h"

namespace {

// Tool commands build their journal line as Maya's do: the command's name first, then its
// flags. A list that does not start with the name is taken as the flags alone.
MArgList withoutName(const MArgList& command, const MString& name) {
    const auto& items = mayasim::ArgListAccess::items(command);
    if (items.empty() || items.front().kind() != mayasim::Value::Kind::kString ||
        items.front().asString() != name.asChar())
        return command;
    MArgList rest;
    for (auto item = items.begin() + 1; item != items.end(); ++item)
        mayasim::ArgListAccess::add(rest, *item);
    return rest;
}

}  // namespace

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
    const std::string line =
        mayasim::melCommandLine(commandString().asChar(), withoutName(command, commandString()));
    engine.echo(line);
    // With undo off the command stays with its context until the plug-in or context goes.
    if (!engine.undoQueue().isEnabled())
        return MS::kSuccess;
    mayasim::contexts::forgetToolCommand(this);
    engine.pushUndoable(this, line);
    return MS::kSuccess;
}
