#pragma once
// Maya's undo queue: undoable commands kept after they ran, undone and redone in order.
// Undo and redo echo what they act on ("// Undo: move -r 1 0 0 //") as Maya's script editor
// shows it. The queue keeps at most length() entries unless it is infinite; Maya's default
// preferences keep 50.

#include <memory>
#include <string>
#include <vector>

#include <maya/MStatus.h>

class MPxCommand;

namespace mayasim {

class UndoQueue {
public:
    UndoQueue();
    ~UndoQueue();
    UndoQueue(const UndoQueue&) = delete;
    UndoQueue& operator=(const UndoQueue&) = delete;

    static constexpr size_t kDefaultLength = 50;

    // Takes the command; a new command drops everything that could have been redone. The
    // description is the command line.
    void push(std::unique_ptr<MPxCommand> command, std::string description, std::string owner);
    MStatus undo();
    MStatus redo();
    void flush();

    // Turning undo off flushes the queue, as Maya does.
    void setEnabled(bool enabled);
    void setEnabledWithoutFlush(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }

    void setLength(size_t length);
    size_t length() const { return length_; }
    void setInfinite(bool infinite);
    bool isInfinite() const { return infinite_; }

    size_t undoCount() const { return done_.size(); }
    size_t redoCount() const { return undone_.size(); }
    // The description of what `undo` / `redo` would act on next ("" when nothing).
    std::string undoName() const;
    std::string redoName() const;

private:
    struct Entry {
        std::unique_ptr<MPxCommand> command;
        std::string description;
        std::string owner;
    };
    std::vector<Entry> done_;
    std::vector<Entry> undone_;
    void trim();

    bool enabled_ = true;
    size_t length_ = kDefaultLength;
    bool infinite_ = false;
};

}  // namespace mayasim
