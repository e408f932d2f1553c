#pragma once
// Function set for components: sets of elements (vertices, edges, faces...) of a shape.

#include <maya/MFnBase.h>

class MFnComponent : public MFnBase {
public:
    declareMFnConstructors(MFnComponent)

        MFn::Type type() const override {
        return MFn::kComponent;
    }

    int elementCount(MStatus* ReturnStatus = NULL) const;
    MFn::Type componentType(MStatus* ReturnStatus = NULL) const;
    bool isEmpty(MStatus* ReturnStatus = NULL) const;
    bool isEqual(const MObject& other, MStatus* ReturnStatus = NULL) const;
    bool isComplete(MStatus* ReturnStatus = NULL) const;
    MStatus setComplete(bool complete);
};
