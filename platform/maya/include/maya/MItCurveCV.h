#pragma once
// Walks the CVs of a NURBS curve, all or those of a CV component.

#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MItCurveCV {
public:
    MItCurveCV(MObject& curve, MStatus* ReturnStatus = NULL);
    MItCurveCV(const MDagPath& curve, MObject& component = MObject::kNullObj,
               MStatus* ReturnStatus = NULL);
    virtual ~MItCurveCV() = default;

    bool isDone(MStatus* ReturnStatus = NULL) const;
    MStatus next();
    MStatus reset();
    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    MStatus setPosition(const MPoint& pt, MSpace::Space space = MSpace::kObject);
    MStatus translateBy(const MVector& vec, MSpace::Space space = MSpace::kObject);
    int index(MStatus* ReturnStatus = NULL) const;
    //! A curve CV component of the current CV.
    MObject currentItem(MStatus* ReturnStatus = NULL) const;
    //! Brings the curve's dependents up to date after the iterator moved CVs.
    MStatus updateCurve();

private:
    void init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus);
    MMatrix toSpace(MSpace::Space space) const;

    MDagPath path_;
    MObject shape_;
    std::vector<int> indices_;
    unsigned int position_ = 0;
};
