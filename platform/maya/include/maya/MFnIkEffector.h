#pragma once
// Function set for IK end effectors: the transform at the end of a chain that a handle
// drives.

#include <maya/MFnTransform.h>

class MFnIkEffector : public MFnTransform {
public:
    declareDagMFnConstructors(MFnIkEffector)

        MFn::Type type() const override {
        return MFn::kIkEffector;
    }

    MObject create(MObject parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);
};
