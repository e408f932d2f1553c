// A plug-in that reports how the host tears the scene down and shuts down: the new-scene
// messages, the exiting callback, then the unload, while Python still runs.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MMessage.h>
#include <maya/MSceneMessage.h>

#include <cstdio>

namespace {

MCallbackId callbacks[3] = {};

void report(void* what) {
    std::printf("exit order: %s\n", static_cast<const char*>(what));
    std::fflush(stdout);
}

}  // namespace

MStatus initializePlugin(MObject plugin) {
    MFnPlugin fn(plugin, "tests", "1.0", "Any");
    callbacks[0] = MSceneMessage::addCallback(MSceneMessage::kMayaExiting, report,
                                              const_cast<char*>("exiting callback"));
    callbacks[1] = MSceneMessage::addCallback(MSceneMessage::kBeforeNew, report,
                                              const_cast<char*>("before new"));
    callbacks[2] = MSceneMessage::addCallback(MSceneMessage::kAfterNew, report,
                                              const_cast<char*>("after new"));
    return MS::kSuccess;
}

MStatus uninitializePlugin(MObject) {
    for (MCallbackId id : callbacks) {
        MMessage::removeCallback(id);
    }
    return MGlobal::executePythonCommand("print('exit order: unloaded, Python still up')");
}
