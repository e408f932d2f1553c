// Maya's entry points: load prepares the environment, registers everything in
// the registration table, starts tracking and installs the companion UI;
// unload undoes it in reverse.
#include <windows.h>

#include <cstdlib>
#include <iostream>

#include <maya/M3dView.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MMessage.h>
#include <maya/MSceneMessage.h>
#include <maya/MString.h>

#include "CompanionScripts.h"
#include "DebugPrint.h"
#include "IconDirectory.h"
#include "PluginEnvironment.h"
#include "PluginLifecycle.h"
#include "RegistrationRows.h"
#include "RegistrationTable.h"

namespace {

constexpr const char* kVendor = "vexel Inc";
constexpr const char* kVersion = "3.0.0.19725";
constexpr const char* kRequiredApi = "NotUsed";
constexpr unsigned int kMaxModulePath = 260;
// kMayaExiting in the scene message table of the API this plug-in targets.
constexpr MSceneMessage::Message kExitMessage = static_cast<MSceneMessage::Message>(27);

MCallbackId exitHookId = 0;
bool exitHookInstalled = false;

MString modulePath() {
    char path[kMaxModulePath] = {};
    HMODULE self = nullptr;
    const BOOL found = GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&modulePath), &self);
    if (!found || GetModuleFileNameA(self, path, kMaxModulePath) == 0) {
        std::cerr << "Failed to get filename from DLL." << std::endl;
        return MString();
    }
    return MString(path);
}

void checkMainWindow() {
    MStatus status;
    M3dView view = M3dView::active3dView(&status);
    if (status) {
        view.window(&status);
    }
    if (!status) {
        MGlobal::displayError("Failed to find the main window handle in initializePlugin.");
    }
}

void exitHook(void* /*clientData*/) {
    MGlobal::executeCommand(companion::kRemoveUI, false, false);
}

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
    const MString path = modulePath();
    setIconDirectory(iconDirectoryFor(path));
    _putenv(makerLibrariesPathAssignment(path, std::getenv("PATH")).asChar());
    checkMainWindow();
    MGlobal::executeCommand(stereoCameraLoadCommand(moduleDirectory(path.expandFilePath())), true,
                            false);
    MGlobal::executeCommand(companion::kAddRigType, true, false);

    MFnPlugin plugin(obj, kVendor, kVersion, kRequiredApi);
    for (const Registration& row : registrationTable()) {
        MStatus status = registerRow(plugin, row);
        if (!status) {
            status.perror(row.failureMessage);
            return status;
        }
    }

    if (!startTracking()) {
        debugPrint("vexel Maya plugin: Failed to create tracker thread.\n");
    }

    MStatus status = plugin.registerUI(companion::kAddUI, companion::kRemoveUI, "", "");
    if (!status) {
        status.perror("registerUIScripts");
        return status;
    }

    exitHookId = MSceneMessage::addCallback(kExitMessage, exitHook, nullptr, &status);
    exitHookInstalled = static_cast<bool>(status);
    return MStatus::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    if (exitHookInstalled) {
        MMessage::removeCallback(exitHookId);
        exitHookInstalled = false;
    }
    stopTracking();

    deregisterGroup(plugin, deviceNodeDeregistration(), false);
    releaseSharedObjects();
    MStatus status = deregisterGroup(plugin, toolDeregistration(), true);
    if (!status) {
        return status;
    }

    const MStatus rigStatus = MGlobal::executeCommand(companion::kDeleteRigType, false, false);
    if (!rigStatus) {
        rigStatus.perror("Failed to deregister stereoRigManager vexelCamera");
    }

    status = deregisterGroup(plugin, commandDeregistration(), true);
    stopTracking();
    return status;
}
