#include <mayasim/UndoQueue.h>

#include <maya/MPxCommand.h>

#include <mayasim/CommandEngine.h>

namespace mayasim {
namespace {

std::string withoutSemicolon(std::string line) {
    while (!line.empty() && (line.back() == ';' || line.back() == ' '))
        line.pop_back();
    return line;
}

// The echo names the command without its final semicolon: "// Undo: move -r 1 0 0 //".
void echo(const char* what, const std::string& description) {
    CommandEngine::instance().echo(std::string("// ") + what + ": " +
                                   withoutSemicolon(description) + " //");
}

}  // namespace

UndoQueue::UndoQueue() = default;
UndoQueue::~UndoQueue() = default;

void UndoQueue::push(std::unique_ptr<MPxCommand> command, std::string description,
                     std::string owner) {
    if (!enabled_ || !command)
        return;
    undone_.clear();
    done_.push_back({std::move(command), std::move(description), std::move(owner)});
    trim();
}

void UndoQueue::trim() {
    if (infinite_ || done_.size() <= length_)
        return;
    done_.erase(done_.begin(), done_.begin() + static_cast<std::ptrdiff_t>(done_.size() - length_));
}

void UndoQueue::setLength(size_t length) {
    length_ = length;
    trim();
}

void UndoQueue::setInfinite(bool infinite) {
    infinite_ = infinite;
    trim();
}

MStatus UndoQueue::undo() {
    if (done_.empty()) {
        CommandEngine::instance().showMessage("warning", "There are no more commands to undo.");
        return MS::kSuccess;
    }
    Entry entry = std::move(done_.back());
    done_.pop_back();
    MStatus status = entry.command->undoIt();
    if (!status) {
        CommandEngine::instance().showMessage("error", "Undo failed: " + entry.description);
        done_.push_back(std::move(entry));
        return status;
    }
    echo("Undo", entry.description);
    undone_.push_back(std::move(entry));
    return status;
}

MStatus UndoQueue::redo() {
    if (undone_.empty()) {
        CommandEngine::instance().showMessage("warning", "There are no more commands to redo.");
        return MS::kSuccess;
    }
    Entry entry = std::move(undone_.back());
    undone_.pop_back();
    MStatus status = entry.command->redoIt();
    if (!status) {
        CommandEngine::instance().showMessage("error", "Redo failed: " + entry.description);
        undone_.push_back(std::move(entry));
        return status;
    }
    echo("Redo", entry.description);
    done_.push_back(std::move(entry));
    return status;
}

void UndoQueue::flush() {
    done_.clear();
    undone_.clear();
}

void UndoQueue::setEnabled(bool enabled) {
    if (!enabled)
        flush();
    enabled_ = enabled;
}

std::string UndoQueue::undoName() const {
    return done_.empty() ? "" : done_.back().description;
}
std::string UndoQueue::redoName() const {
    return undone_.empty() ? "" : undone_.back().description;
}

}  // namespace mayasim
