#pragma once
// The selection state Maya keeps beside the lists: the selection mode and the masks of what
// clicks pick in each mode.

#include <maya/MGlobal.h>
#include <maya/MSelectionMask.h>

namespace mayasim {

struct SelectionModes {
    MGlobal::MSelectionMode mode = MGlobal::kSelectObjectMode;
    // The hierarchical mode -hierarchical returns to: the one last on.
    MGlobal::MSelectionMode hierarchicalMode = MGlobal::kSelectRootMode;
    MSelectionMask objectMask;     // what object mode picks
    MSelectionMask componentMask;  // what component mode picks
    // What object mode picks on hilited objects: selectType -objectComponent sets it.
    MSelectionMask hiliteMask;

    // The component mask in effect: the hilite mask outside component mode.
    MSelectionMask& activeComponentMask() {
        return mode == MGlobal::kSelectComponentMode ? componentMask : hiliteMask;
    }
};

// The process-wide state, as a fresh Maya has it: object mode, every object type
// selectable, points in component mode, nothing on hilited objects.
SelectionModes& selectionModes();

}  // namespace mayasim
