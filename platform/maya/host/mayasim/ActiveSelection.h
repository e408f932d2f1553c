#pragma once
// How MGlobal reaches the scene's active selection: the scene installs these when it loads.
// Without them the active selection is always empty and cannot be set.

#include <maya/MStatus.h>

class MSelectionList;

namespace mayasim {

struct ActiveSelectionHooks {
    MStatus (*get)(MSelectionList& dest) = nullptr;
    // `adjustment` is an MGlobal::ListAdjustment.
    MStatus (*set)(const MSelectionList& src, int adjustment) = nullptr;
};

void setActiveSelectionHooks(const ActiveSelectionHooks& hooks);

}  // namespace mayasim
