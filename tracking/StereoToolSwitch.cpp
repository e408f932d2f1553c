#include "StereoToolSwitch.h"

#include "CompanionScripts.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <cstring>

namespace {

struct ToolSwitch {
    const char* currentContext;
    const char* commands[2];
};

constexpr const char* kCurrentContextQuery = "import maya.cmds; maya.cmds.currentCtx();";

// Moving from Maya's move tool first drops to the select tool, so the stylus
// move tool is set up from a plain selection state.
constexpr ToolSwitch kEnteringStereo[] = {
    {"selectSuperContext", {companion::kSetToolToSelect, nullptr}},
    {"moveSuperContext", {"setToolTo \"selectSuperContext\"", companion::kSetToolToMove}},
    {"RotateSuperContext", {companion::kSetToolToRotate, nullptr}},
    {"scaleSuperContext", {companion::kSetToolToScale, nullptr}},
    {"jointContext", {companion::kSetToolToJoint, nullptr}},
};

constexpr ToolSwitch kLeavingStereo[] = {
    {"vexelSelectToolContext1", {"setToolTo \"selectSuperContext\"", nullptr}},
    {"vexelMoveToolContext1", {"setToolTo \"moveSuperContext\"", nullptr}},
    {"vexelRotateToolContext1", {"setToolTo \"RotateSuperContext\"", nullptr}},
    {"vexelScaleToolContext1", {"setToolTo \"scaleSuperContext\"", nullptr}},
    {"vexelJointToolContext1", {"setToolTo \"jointContext\"", nullptr}},
};

template <std::size_t N>
void runSwitch(const ToolSwitch (&table)[N], const MString& currentContext) {
    for (const ToolSwitch& entry : table) {
        if (std::strcmp(entry.currentContext, currentContext.asChar()) != 0) {
            continue;
        }
        for (const char* command : entry.commands) {
            if (command != nullptr) {
                MGlobal::executeCommand(command, false, false);
            }
        }
        return;
    }
}

}  // namespace

void switchStereoTools(bool enteringStereoView) {
    const MString currentContext = MGlobal::executePythonCommandStringResult(kCurrentContextQuery);
    if (enteringStereoView) {
        runSwitch(kEnteringStereo, currentContext);
    } else {
        runSwitch(kLeavingStereo, currentContext);
    }
}
