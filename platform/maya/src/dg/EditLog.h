#pragma once
// What an undoable operation changed, as pairs of closures: undo runs them backwards,
// redo forwards. Commands and DG modifiers record scene edits here.

#include <functional>
#include <utility>
#include <vector>

namespace mayasim {

class EditLog {
public:
    void add(std::function<void()> undo, std::function<void()> redo) {
        edits_.push_back({std::move(undo), std::move(redo)});
    }
    void undo() {
        for (auto it = edits_.rbegin(); it != edits_.rend(); ++it)
            it->undo();
    }
    void redo() {
        for (auto& edit : edits_)
            edit.redo();
    }
    bool empty() const { return edits_.empty(); }
    void clear() { edits_.clear(); }
    void append(EditLog&& other) {
        for (auto& edit : other.edits_)
            edits_.push_back(std::move(edit));
        other.edits_.clear();
    }

private:
    struct Edit {
        std::function<void()> undo;
        std::function<void()> redo;
    };
    std::vector<Edit> edits_;
};

}  // namespace mayasim
