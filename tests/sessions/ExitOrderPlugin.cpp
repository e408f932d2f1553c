// A plug-in that reports how the host shuts down: the exiting callback, then the unload, while
// Python still runs.
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MMessage.h>
#include <maya/MSceneMessage.h>

#include <cstdio>

namespace {

MCallbackId exitCallback = 0;

void onExit(void*) {
    std::printf("exit order: exiting callback\n");
}

}  // namespace

MStatus initializePlugin(MObject plugin) {
    MFnPlugin fn(plugin, "tests", "1.0", "Any");
    exitCallback = MSceneMessage::addCallback(MSceneMessage::kMayaExiting, onExit);
    return MS::kSuccess;
}

MStatus uninitializePlugin(MObject) {
    MMessage::removeCallback(exitCallback);
    std::fflush(stdout);
    return MGlobal::executePythonCommand("print('exit order: unloaded, Python still up')");
}
