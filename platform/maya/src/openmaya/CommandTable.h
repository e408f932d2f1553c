#pragma once
// The host's built-in commands, declared compactly: a command is a row of a table with its
// flags and one handler, instead of an MPxCommand subclass with its own MSyntax set-up.
//
//   const CommandSpec kSpecs[] = {
//       {"polySphere",
//        {{"-r", "-radius", {kDouble}}, {"-n", "-name", {kString}}},
//        objects(MSyntax::kStringObjects, 0, 1),
//        polySphere},
//   };
//   registerCommandTable(engine, kSpecs);
//
// The handler reads its arguments through CommandCall, records every scene edit in the
// call's log (which makes the command undoable) and sets the command's result.

#include <climits>
#include <string>
#include <vector>

#include <maya/MArgDatabase.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MVector.h>

#include "dg/EditLog.h"

namespace mayasim {

class CommandEngine;
class CommandCall;

struct FlagSpec {
    const char* shortName;
    const char* longName;
    std::vector<MSyntax::MArgType> args = {};
    bool multiUse = false;
    // In query mode the flag still takes its arguments (xform -q -ws, say, takes none, but
    // selectType -q -vertex does not need any either; only a few flags do this).
    bool queryWithArgs = false;
};

struct ObjectSpec {
    MSyntax::MObjectFormat format = MSyntax::kNone;
    unsigned int min = 0;
    unsigned int max = UINT_MAX;
    bool selectionAsDefault = false;
};

// Objects of the usual kind: names given as strings.
inline ObjectSpec objects(unsigned int min = 0, unsigned int max = UINT_MAX,
                          bool selectionAsDefault = false) {
    return {MSyntax::kStringObjects, min, max, selectionAsDefault};
}

using CommandBody = MStatus (*)(CommandCall& call);

struct CommandSpec {
    const char* name;
    std::vector<FlagSpec> flags;
    ObjectSpec objectSpec;
    CommandBody body;
    bool query = false;
    bool edit = false;
};

// What a handler sees of one run of its command.
class CommandCall {
public:
    CommandCall(const MArgDatabase& args, EditLog& log, const char* name)
        : args_(args), log_(log), name_(name) {}
    CommandCall(const CommandCall&) = delete;
    CommandCall& operator=(const CommandCall&) = delete;

    const char* name() const { return name_; }
    const MArgDatabase& args() const { return args_; }
    bool isSet(const char* flag) const { return args_.isFlagSet(flag); }
    bool isQuery() const { return args_.isQuery(); }
    bool isEdit() const { return args_.isEdit(); }
    unsigned int uses(const char* flag) const { return args_.numberOfFlagUses(flag); }

    // Argument `index` of a flag (of its use `use` for multi-use flags); `fallback` when
    // the flag is not set.
    double number(const char* flag, double fallback = 0.0, unsigned int index = 0,
                  unsigned int use = 0) const;
    int integer(const char* flag, int fallback = 0, unsigned int index = 0,
                unsigned int use = 0) const;
    bool boolean(const char* flag, bool fallback = false, unsigned int index = 0,
                 unsigned int use = 0) const;
    std::string text(const char* flag, const std::string& fallback = std::string(),
                     unsigned int index = 0, unsigned int use = 0) const;
    // Three numbers: (x, y, z).
    MVector vector(const char* flag, const MVector& fallback = MVector::zero,
                   unsigned int use = 0) const;
    // Every use of a multi-use flag with one string argument.
    std::vector<std::string> texts(const char* flag) const;
    // The command's objects (names), the selection's when the syntax says so.
    std::vector<std::string> objects() const;

    // Every scene edit goes here: undo and redo replay it, and a command that logged
    // nothing is not undoable.
    EditLog& log() { return log_; }
    // Shows `message` as the command's error, undoes what was logged so far and fails.
    MStatus fail(const std::string& message);
    MStatus fail(const std::string& message, MStatus status);
    void warn(const std::string& message) const;

private:
    MStatus flagArgument(const char* flag, unsigned int use, unsigned int index,
                         MArgList& list) const;

    const MArgDatabase& args_;
    EditLog& log_;
    const char* name_;
};

// Registers every row as a host command (no owner: Maya's own).
void registerCommandTable(CommandEngine& engine, const CommandSpec* begin, const CommandSpec* end);
template <size_t N>
void registerCommandTable(CommandEngine& engine, const CommandSpec (&specs)[N]) {
    registerCommandTable(engine, specs, specs + N);
}
// The syntax a row declares.
MSyntax syntaxOf(const CommandSpec& spec);

// Puts edits already made onto the undo queue as one command `name`, described there as
// `commandLine` (host work that Maya does through a command, MGlobal::selectCommand for one).
// Nothing is queued when undo is off or the log is empty.
void pushLoggedEdits(const char* name, const std::string& commandLine, EditLog&& log);

}  // namespace mayasim
