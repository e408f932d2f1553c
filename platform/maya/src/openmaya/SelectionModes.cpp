#include "openmaya/SelectionModes.h"

namespace mayasim {

SelectionModes& selectionModes() {
    static SelectionModes modes = [] {
        SelectionModes fresh;
        fresh.objectMask = MSelectionMask(MSelectionMask::kSelectObjectsMask);
        // Maya's component mode starts on points of every kind.
        for (auto type : {MSelectionMask::kSelectCVs, MSelectionMask::kSelectMeshVerts,
                          MSelectionMask::kSelectVertices, MSelectionMask::kSelectSubdivMeshPoints,
                          MSelectionMask::kSelectLatticePoints, MSelectionMask::kSelectParticles})
            fresh.componentMask.addMask(type);
        return fresh;
    }();
    return modes;
}

}  // namespace mayasim
