#pragma once
// Function set for message attributes: value-less attributes that exist to be connected.

#include <maya/MFnAttribute.h>

class MFnMessageAttribute : public MFnAttribute {
public:
    declareMFnConstructors(MFnMessageAttribute)

        MFn::Type type() const override {
        return MFn::kMessageAttribute;
    }

    MObject create(const MString& fullName, const MString& briefName, MStatus* ReturnStatus = NULL);
};
