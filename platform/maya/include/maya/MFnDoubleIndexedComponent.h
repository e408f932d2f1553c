#pragma once
// Components addressed by two indices (u, v): surface CVs.

#include <maya/MFnComponent.h>
#include <maya/MIntArray.h>

class MFnDoubleIndexedComponent : public MFnComponent {
public:
    declareMFnConstructors(MFnDoubleIndexedComponent)

        MFn::Type type() const override {
        return MFn::kDoubleIndexedComponent;
    }

    MObject create(MFn::Type compType, MStatus* ReturnStatus = NULL);
    MStatus addElement(int uIndex, int vIndex);
    MStatus addElements(MIntArray& uIndexArray, MIntArray& vIndexArray);
    MStatus getElement(int index, int& uIndex, int& vIndex) const;
    MStatus getElements(MIntArray& uIndexArray, MIntArray& vIndexArray) const;
    MStatus setCompleteData(int maxU, int maxV);
    MStatus getCompleteData(int& maxU, int& maxV) const;
};
