#pragma once
// Components addressed by one index: mesh vertices, edges and faces.

#include <maya/MFnComponent.h>
#include <maya/MIntArray.h>

class MFnSingleIndexedComponent : public MFnComponent {
public:
    declareMFnConstructors(MFnSingleIndexedComponent)

        MFn::Type type() const override {
        return MFn::kSingleIndexedComponent;
    }

    MObject create(MFn::Type compType, MStatus* ReturnStatus = NULL);
    MStatus addElement(int element);
    MStatus addElements(MIntArray& elements);
    int element(int index, MStatus* ReturnStatus = NULL) const;
    MStatus getElements(MIntArray& elements) const;
    MStatus setCompleteData(int numElements);
    MStatus getCompleteData(int& numElements) const;
};
