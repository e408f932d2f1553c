#pragma once
// Function set for enumerated attributes: a short with named fields.

#include <maya/MFnAttribute.h>

class MStringArray;

class MFnEnumAttribute : public MFnAttribute {
public:
    declareMFnConstructors(MFnEnumAttribute)

        MFn::Type type() const override {
        return MFn::kEnumAttribute;
    }

    MObject create(const MString& fullName, const MString& briefName, short defaultValue = 0,
                   MStatus* ReturnStatus = NULL);
    MStatus addField(const MString& fieldString, short index);
    MString fieldName(short index, MStatus* ReturnStatus = NULL) const;
    short fieldIndex(const MString& fieldString, MStatus* ReturnStatus = NULL) const;
    MStatus getMin(short& minValue) const;
    MStatus getMax(short& maxValue) const;
    MStatus setDefault(short index);
    MStatus setDefault(const MString& fieldString);
    MStatus getDefault(short& index) const;
    MString defaultValue(MStatus* ReturnStatus = NULL) const;
};
