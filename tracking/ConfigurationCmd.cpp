#include "ConfigurationCmd.h"

#include "TrackerThread.h"

#include <maya/MArgDatabase.h>
#include <maya/MIOStream.h>

const char* const ConfigurationCmd::kName = "vexelConfigurationCmd";

namespace {
constexpr const char* kToggleMouseEmulationFlag = "-tme";
constexpr const char* kToggleMouseEmulationLongFlag = "-toggleMouseEmulation";
}  // namespace

void* ConfigurationCmd::creator() {
    return new ConfigurationCmd();
}

MSyntax ConfigurationCmd::newSyntax() {
    MSyntax syntax;
    const MStatus status = syntax.addFlag(kToggleMouseEmulationFlag, kToggleMouseEmulationLongFlag);
    if (!status) {
        std::cerr << "Failed to create syntax on vexelConfigurationCmd." << std::endl;
    }
    return syntax;
}

MStatus ConfigurationCmd::doIt(const MArgList& args) {
    MStatus status;
    const MArgDatabase parsed(syntax(), args, &status);
    clearResult();
    if (status && parsed.isFlagSet(kToggleMouseEmulationFlag)) {
        TrackerThread* thread = TrackerThread::getInstance();
        thread->setMouseEmulation(!thread->getMouseEmulation());
    }
    return MS::kSuccess;
}

MStatus ConfigurationCmd::undoIt() {
    return MS::kSuccess;
}

MStatus ConfigurationCmd::redoIt() {
    return MS::kSuccess;
}

bool ConfigurationCmd::isUndoable() const {
    return false;
}

bool ConfigurationCmd::hasSyntax() const {
    return true;
}
