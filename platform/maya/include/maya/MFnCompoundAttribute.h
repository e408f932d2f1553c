#pragma once
// Function set for compound attributes: an attribute made of child attributes.

#include <maya/MFnAttribute.h>

class MFnCompoundAttribute : public MFnAttribute {
public:
    declareMFnConstructors(MFnCompoundAttribute)

        MFn::Type type() const override {
        return MFn::kCompoundAttribute;
    }

    MObject create(const MString& fullName, const MString& briefName, MStatus* ReturnStatus = NULL);
    MStatus addChild(const MObject& child);
    MStatus removeChild(const MObject& child);
    unsigned int numChildren(MStatus* ReturnStatus = NULL) const;
    MObject child(unsigned int index, MStatus* ReturnStatus = NULL) const;
};
