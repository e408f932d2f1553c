#pragma once
// What is selectable: a set of selection types, OR'ed together. The object and component
// selection masks of MGlobal are MSelectionMasks.

#include <bitset>

#include <maya/MStatus.h>
#include <maya/MString.h>

class MSelectionMask {
public:
    enum SelectionType {
        kSelectHandles,
        kSelectLocalAxis,
        kSelectIkHandles,
        kSelectIkEndEffectors,
        kSelectJoints,
        kSelectLights,
        kSelectCameras,
        kSelectLattices,
        kSelectClusters,
        kSelectSculpts,
        kSelectNurbsCurves,
        kSelectNurbsSurfaces,
        kSelectMeshes,
        kSelectSubdiv,
        kSelectSketchPlanes,
        kSelectParticleShapes,
        kSelectEmitters,
        kSelectFields,
        kSelectSprings,
        kSelectRigidBodies,
        kSelectRigidConstraints,
        kSelectCollisionModels,
        kSelectXYZLocators,
        kSelectOrientationLocators,
        kSelectUVLocators,
        kSelectTextures,
        kSelectCurves,
        kSelectSurfaces,
        kSelectLocators,
        kSelectObjectsMask,
        kSelectCVs,
        kSelectHulls,
        kSelectEditPoints,
        kSelectMeshVerts,
        kSelectMeshEdges,
        kSelectMeshFreeEdges,
        kSelectMeshFaces,
        kSelectSubdivMeshPoints,
        kSelectSubdivMeshEdges,
        kSelectSubdivMeshFaces,
        kSelectMeshUVs,
        kSelectVertices,
        kSelectEdges,
        kSelectFacets,
        kSelectMeshLines,
        kSelectMeshComponents,
        kSelectCurveParmPoints,
        kSelectCurveKnots,
        kSelectSurfaceParmPoints,
        kSelectSurfaceKnots,
        kSelectSurfaceRange,
        kSelectSurfaceEdge,
        kSelectIsoparms,
        kSelectCurvesOnSurfaces,
        kSelectPPStrokes,
        kSelectLatticePoints,
        kSelectParticles,
        kSelectJointPivots,
        kSelectScalePivots,
        kSelectRotatePivots,
        kSelectPivots,
        kSelectSelectHandles,
        kSelectComponentsMask,
        kSelectAnimCurves,
        kSelectAnimKeyframes,
        kSelectAnimInTangents,
        kSelectAnimOutTangents,
        kSelectAnimMask,
        kSelectAnimAny,
        kSelectTemplates,
        kSelectManipulators,
        kSelectGuideLines,
        kSelectPointsForGravity,
        kSelectPointsOnCurvesForGravity,
        kSelectPointsOnSurfacesForGravity,
        kSelectObjectGroups,
        kSelectSubdivMeshMaps,
        kSelectFluids,
        kSelectHairSystems,
        kSelectFollicles,
        kSelectNCloths,
        kSelectNRigids,
        kSelectDynamicConstraints,
        kSelectNParticles
    };

    MSelectionMask() = default;
    MSelectionMask(SelectionType selType);
    MSelectionMask(const MSelectionMask& in) = default;
    virtual ~MSelectionMask() = default;

    MStatus setMask(SelectionType selType);
    MStatus setMask(MSelectionMask& mask);
    MStatus addMask(SelectionType selType);
    bool intersects(SelectionType selType, MStatus* ReturnStatus = NULL) const;
    bool intersects(MSelectionMask& mask, MStatus* ReturnStatus = NULL) const;
    MSelectionMask operator|(SelectionType selType);
    MSelectionMask operator|(MSelectionMask& mask);
    MSelectionMask& operator=(const MSelectionMask& other) = default;

private:
    using Bits = std::bitset<kSelectNParticles + 1>;
    // A type's bits: the aggregates (kSelectObjectsMask, kSelectComponentsMask, ...) stand
    // for every type they gather.
    static Bits bitsOf(SelectionType type);

    Bits bits_;
};
