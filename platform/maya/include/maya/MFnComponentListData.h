#pragma once
// A list of components: the value of component-list attributes and what commands pass
// around as one argument.

#include <maya/MFnData.h>

class MFnComponentListData : public MFnData {
public:
    declareMFnConstructors(MFnComponentListData)

        MFn::Type type() const override {
        return MFn::kComponentListData;
    }

    MObject create(MStatus* ReturnStatus = NULL);
    unsigned int length(MStatus* ReturnStatus = NULL) const;
    MStatus clear();
    MStatus add(MObject& component);
    bool has(const MObject& component, MStatus* ReturnStatus = NULL) const;
    MStatus remove(const MObject& component);
    MStatus remove(unsigned int index);
    MObject operator[](unsigned int index) const;
};
