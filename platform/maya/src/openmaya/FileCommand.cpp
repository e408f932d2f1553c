// The file command (what the host has of it: -query -exists and -newFile) and the scene
// teardown it shares with exit.
#include "openmaya/FileCommand.h"

#include <maya/MPxCommand.h>
#include <maya/MString.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Messages.h>
#include <mayasim/Scene.h>
#include <mayasim/SceneFile.h>
#include <mayasim/UndoQueue.h>

#include <filesystem>
#include <utility>

#include "openmaya/CommandTable.h"

namespace mayasim {
namespace {

// MSceneMessage numbers of the targeted API.
constexpr int kBeforeNew = 1;
constexpr int kAfterNew = 2;
// What Maya calls a scene that has not been saved.
const char* const kUntitledScene = "untitled";

std::function<void()>& newSceneDefaults() {
    static std::function<void()> create;
    return create;
}

void emptyScene() {
    // The queue's commands may hold the nodes about to go.
    CommandEngine::instance().undoQueue().flush();
    Scene::instance().reset();
}

MStatus file(CommandCall& call) {
    const std::vector<std::string> objects = call.objects();
    if (call.isQuery() && call.isSet("-ex") && objects.size() == 1) {
        std::error_code error;
        const MString path = MString(objects[0].c_str()).expandFilePath();
        MPxCommand::setResult(std::filesystem::exists(path.asChar(), error));
        return MStatus::kSuccess;
    }
    if (!call.isQuery() && call.isSet("-new") && objects.empty()) {
        // Maya asks before discarding a modified scene unless -force is given; the host has
        // no one to ask and always goes on.
        sceneFile::newScene();
        MPxCommand::setResult(kUntitledScene);
        return MStatus::kSuccess;
    }
    return call.fail(
        "file: only \"file -q -exists <path>\" and \"file -new [-force]\" are "
        "available",
        MStatus::kNotImplemented);
}

}  // namespace

namespace sceneFile {

void setNewSceneDefaults(std::function<void()> create) {
    newSceneDefaults() = std::move(create);
}

void newScene() {
    messages::fireSceneMessage(kBeforeNew);
    emptyScene();
    if (newSceneDefaults())
        newSceneDefaults()();
    messages::fireSceneMessage(kAfterNew);
}

void closeScene() {
    // Maya's teardown at exit is the first half of a new scene: nothing is made afterwards,
    // so there is no kAfterNew.
    messages::fireSceneMessage(kBeforeNew);
    emptyScene();
}

}  // namespace sceneFile

void registerFileCommand(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"file",
         {{"-ex", "-exists"}, {"-new", "-newFile"}, {"-f", "-force"}},
         objects(0, 1),
         file,
         true},
    };
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
