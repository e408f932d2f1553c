#pragma once
// Function set for IK handles: the chain they drive (start joint and end effector), their
// solver and their priority and weights.

#include <maya/MDagPath.h>
#include <maya/MFnTransform.h>

class MFnIkHandle : public MFnTransform {
public:
    declareDagMFnConstructors(MFnIkHandle)

        MFn::Type type() const override {
        return MFn::kIkHandle;
    }

    //! A handle driving the chain from `startJoint` to the joint `effector` sits under.
    MObject create(MDagPath& startJoint, MDagPath& effector, MStatus* ReturnStatus = NULL);

    MStatus getStartJoint(MDagPath& jointPath);
    MStatus setStartJoint(const MDagPath& jointPath);
    MStatus getEffector(MDagPath& effectorPath);
    MStatus setEffector(const MDagPath& effectorPath);
    MStatus setStartJointAndEffector(const MDagPath& jointPath, const MDagPath& effectorPath);

    unsigned int priority(MStatus* ReturnStatus = NULL);
    MStatus setPriority(unsigned int priority);
    double weight(MStatus* ReturnStatus = NULL) const;
    MStatus setWeight(double weight);
    double poWeight(MStatus* ReturnStatus = NULL) const;
    MStatus setPOWeight(double weight);
    //! The solver node the handle uses, or a null object.
    MObject solver(MStatus* ReturnStatus = NULL) const;
    MStatus setSolver(const MObject& solver);
    MStatus setSolver(const MString& solverName);
};
