#pragma once
// Function set for joints: a transform whose matrix is
// [S] * [RO] * [R] * [JO] * [IS] * [T] (scale, scale orientation, rotate, joint orientation,
// inverse parent scale, translate).

#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MQuaternion.h>

class MFnIkJoint : public MFnTransform {
public:
    declareDagMFnConstructors(MFnIkJoint)

        MFn::Type type() const override {
        return MFn::kJoint;
    }

    MObject create(MObject parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    //! The joint orientation ("jointOrient").
    MStatus getOrientation(MQuaternion& quaternion) const;
    MStatus setOrientation(const MQuaternion& quaternion);
    MStatus getOrientation(MEulerRotation& rotation) const;
    MStatus setOrientation(const MEulerRotation& rotation);
    //! The scale orientation ("rotateAxis").
    MStatus getScaleOrientation(MQuaternion& quaternion) const;
    MStatus setScaleOrientation(const MQuaternion& quaternion);
    //! The inverse parent scale the joint compensates ("inverseScale").
    MStatus getSegmentScale(double scale[3]) const;
    MStatus getDegreesOfFreedom(bool& freeInX, bool& freeInY, bool& freeInZ) const;
    MStatus setDegreesOfFreedom(bool freeInX, bool freeInY, bool freeInZ);
};
