#pragma once
// Maya's undo queue: undoable commands kept after they ran, undone and redone in order.

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

    // Takes the command; a new command drops everything that could have been redone.
    void push(std::unique_ptr<MPxCommand> command, std::string description, std::string owner);
    MStatus undo();
    MStatus redo();
    void flush();

    // Turning undo off flushes the queue, as Maya does.
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }

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
    bool enabled_ = true;
};

}  // namespace mayasim
