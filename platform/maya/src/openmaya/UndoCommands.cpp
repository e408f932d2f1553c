// undo, redo, flushUndo and undoInfo: Maya's undo queue from MEL.
#include "openmaya/UndoCommands.h"

#include <maya/MString.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/UndoQueue.h>

#include "openmaya/CommandTable.h"

namespace mayasim {
namespace {

UndoQueue& queue() {
    return CommandEngine::instance().undoQueue();
}

MStatus undo(CommandCall&) {
    return queue().undo();
}

MStatus redo(CommandCall&) {
    return queue().redo();
}

MStatus flushUndo(CommandCall&) {
    queue().flush();
    return MStatus::kSuccess;
}

void setResult(Value value) {
    CommandEngine::instance().currentResult() = std::move(value);
}

// In query mode each flag answers; with no flag the answer is how many entries can be undone.
MStatus queryUndoInfo(const CommandCall& call) {
    const UndoQueue& q = queue();
    if (call.isSet("-st") || call.isSet("-swf"))
        setResult(Value(q.isEnabled()));
    else if (call.isSet("-l"))
        setResult(Value(static_cast<int>(q.length())));
    else if (call.isSet("-in"))
        setResult(Value(q.isInfinite()));
    else if (call.isSet("-un"))
        setResult(Value(q.undoName()));
    else if (call.isSet("-rn"))
        setResult(Value(q.redoName()));
    else if (call.isSet("-uqe"))
        setResult(Value(q.undoCount() == 0));
    else if (call.isSet("-rqe"))
        setResult(Value(q.redoCount() == 0));
    else
        setResult(Value(static_cast<int>(q.undoCount())));
    return MStatus::kSuccess;
}

MStatus undoInfo(CommandCall& call) {
    if (call.isQuery())
        return queryUndoInfo(call);
    const int length = call.integer("-l", static_cast<int>(queue().length()));
    if (length < 0)
        return call.fail("undoInfo: the queue length cannot be negative.",
                         MStatus::kInvalidParameter);
    queue().setLength(static_cast<size_t>(length));
    if (call.isSet("-in"))
        queue().setInfinite(call.boolean("-in"));
    // Turning undo off flushes the queue; -stateWithoutFlush keeps it.
    if (call.isSet("-st"))
        queue().setEnabled(call.boolean("-st"));
    if (call.isSet("-swf"))
        queue().setEnabledWithoutFlush(call.boolean("-swf"));
    return MStatus::kSuccess;
}

}  // namespace

void registerUndoCommands(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"undo", {}, {}, undo},
        {"redo", {}, {}, redo},
        {"flushUndo", {}, {}, flushUndo},
        {"undoInfo",
         {{"-st", "-state", {MSyntax::kBoolean}},
          {"-swf", "-stateWithoutFlush", {MSyntax::kBoolean}},
          {"-l", "-length", {MSyntax::kLong}},
          {"-in", "-infinity", {MSyntax::kBoolean}},
          {"-un", "-undoName"},
          {"-rn", "-redoName"},
          {"-uqe", "-undoQueueEmpty"},
          {"-rqe", "-redoQueueEmpty"}},
         {},
         undoInfo,
         true},
    };
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
