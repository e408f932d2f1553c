#pragma once
// The tool contexts: context commands registered by plug-ins, the contexts they create
// ("<command>1", "<command>2", ...), Maya's own contexts, and the current one (setToolTo).

#include <string>
#include <vector>

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <mayasim/CommandEngine.h>

class MEvent;
class MPxContext;
class MPxToolCommand;

namespace mayasim::contexts {

MStatus registerContextCommand(const MString& name, CommandCreator creator,
                               const MString& toolCommandName, CommandCreator toolCreator,
                               SyntaxCreator toolSyntax, const MString& owner);
// Deletes the contexts the command made (switching to selectSuperContext if one was current).
// The tool command goes too only when named; an empty name leaves it registered, as in Maya.
MStatus deregisterContextCommand(const MString& name, const MString& toolCommandName);

// setToolTo: toolOffCleanup on the old context, toolOnSetup on the new one.
MStatus setToolTo(const std::string& name);
std::string currentName();
MPxContext* current();
MPxContext* find(const std::string& name);
std::vector<std::string> names();
// The context command that made a context ("" for Maya's own).
std::string commandOf(const std::string& name);

// What a session can see of a context: its strings, its cursor and its manipulators.
struct CursorState {
    std::string shape;  // "default", "crossHair", ... or "bitmap" for one made from bits
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    bool blank = false;  // a bitmap whose bits and mask are all zero: nothing shows
};
struct ContextState {
    std::string name;  // empty when there is no such context
    std::string command;
    std::string title;
    std::string help;
    std::string className;
    std::string images[3];
    CursorState cursor;
    std::vector<std::string> manipulators;
};
ContextState describe(const std::string& name);

// The manipulators the current context added (MPxContext::addManipulator), for drawing.
std::vector<MObject> currentManipulators();

// Plug-in unload: tool commands created but never finalized are deleted here.
void deletePendingToolCommands(const std::string& owner);

}  // namespace mayasim::contexts
