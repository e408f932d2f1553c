// MEL's warning and error: a script's own messages, shown as Maya shows them ("// Warning:
// text //"); error also fails, so it stops the script (and raises in Python).
#include "openmaya/MessageCommands.h"

#include <maya/MGlobal.h>

#include "openmaya/CommandTable.h"

namespace mayasim {
namespace {

MString messageOf(const CommandCall& call) {
    return MString(call.objects().front().c_str());
}

MStatus warning(CommandCall& call) {
    MGlobal::displayWarning(messageOf(call));
    return MStatus::kSuccess;
}

MStatus error(CommandCall& call) {
    MGlobal::displayError(messageOf(call));
    return MStatus::kFailure;
}

// -noContext and -showLineNumber change only what a script editor adds around the text, and
// the host shows no line numbers: both are accepted and change nothing.
const std::vector<FlagSpec> kMessageFlags = {
    {"-n", "-noContext", {}},
    {"-sl", "-showLineNumber", {MSyntax::kBoolean}},
};

}  // namespace

void registerMessageCommands(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"warning", kMessageFlags, objects(1, 1), warning},
        {"error", kMessageFlags, objects(1, 1), error},
    };
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
