// Plays the plug-in's side towards its companion scripts for sessions. "companionProbe" runs
// every command string the plug-in sends them, exactly as it sends them (display and undo
// off), and returns "ok" or "failed" for each, in the order of kSentStrings. While the
// plug-in does not register its stylus select and move tools, plain contexts stand in for
// them under the same context command names, so that switching to them can be seen.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MStringArray.h>

#include "CompanionScripts.h"

#include <string>
#include <vector>

namespace {

// The UI creation string is not among them: Maya runs it as the plug-in's creation
// procedure, which loading the plug-in does.
const char* const kSentStrings[] = {
    companion::kRemoveUI,       companion::kAddRigType,         companion::kSetToolToSelect,
    companion::kSetToolToMove,  companion::kSetToolToRotate,    companion::kSetToolToScale,
    companion::kSetToolToJoint, companion::kSetToolToTransform,
};

const char* const kStandInTools[] = {"vexelSelectToolContext", "vexelMoveToolContext"};
std::vector<std::string> standInsRegistered;

class StandInContextCommand : public MPxContextCommand {
public:
    MPxContext* makeObj() override { return new MPxContext; }
    static void* creator() { return new StandInContextCommand; }
};

class CompanionProbeCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList&) override {
        MStringArray outcomes;
        for (const char* sent : kSentStrings) {
            outcomes.append(MGlobal::executeCommand(sent, false, false) ? "ok" : "failed");
        }
        setResult(outcomes);
        return MS::kSuccess;
    }
    static void* creator() { return new CompanionProbeCommand; }
};

bool commandExists(const char* name) {
    int exists = 0;
    MGlobal::executeCommand(MString("exists ") + name, exists, false, false);
    return exists != 0;
}

}  // namespace

MStatus initializePlugin(MObject plugin) {
    MFnPlugin fn(plugin, "tests", "1.0", "Any");
    for (const char* tool : kStandInTools) {
        if (!commandExists(tool)) {
            MStatus status = fn.registerContextCommand(tool, StandInContextCommand::creator);
            if (!status) {
                return status;
            }
            standInsRegistered.emplace_back(tool);
        }
    }
    return fn.registerCommand("companionProbe", CompanionProbeCommand::creator);
}

MStatus uninitializePlugin(MObject plugin) {
    MFnPlugin fn(plugin);
    for (const std::string& tool : standInsRegistered) {
        fn.deregisterContextCommand(tool.c_str());
    }
    standInsRegistered.clear();
    return fn.deregisterCommand("companionProbe");
}
