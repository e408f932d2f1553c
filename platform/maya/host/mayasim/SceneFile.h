#pragma once
// The scene as a whole, as Maya's file menu and exit handle it: a new, empty scene and the
// teardown at exit. Both fire the scene messages plug-ins listen for and empty the undo queue.

#include <functional>

namespace mayasim::sceneFile {

// What a new scene holds besides the world and time1 (the host's startup cameras, which the
// views then look through); none when not set.
void setNewSceneDefaults(std::function<void()> create);

// "file -new": kBeforeNew, the undo queue emptied, every node deleted, the defaults made,
// kAfterNew.
void newScene();

// Exit: kBeforeNew, the undo queue emptied, every node deleted; no new scene follows.
void closeScene();

}  // namespace mayasim::sceneFile
