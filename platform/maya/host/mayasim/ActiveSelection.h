#pragma once
// How MGlobal reaches the scene's active selection and hilite list: the scene installs these
// when it loads. Without them both lists are always empty and cannot be set.

#include <maya/MStatus.h>

class MSelectionList;

namespace mayasim {

struct ActiveSelectionHooks {
    MStatus (*get)(MSelectionList& dest) = nullptr;
    // `adjustment` is an MGlobal::ListAdjustment.
    MStatus (*set)(const MSelectionList& src, int adjustment) = nullptr;
    // As set, undoable and echoed as the select command that does the same.
    MStatus (*selectCommand)(const MSelectionList& src, int adjustment) = nullptr;
    MStatus (*getHilite)(MSelectionList& dest) = nullptr;
    MStatus (*setHilite)(const MSelectionList& src) = nullptr;
};

void setActiveSelectionHooks(const ActiveSelectionHooks& hooks);

}  // namespace mayasim
