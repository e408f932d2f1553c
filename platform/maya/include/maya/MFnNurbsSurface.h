#pragma once
// Function set for NURBS surfaces: creation, the CV grid and knots, evaluation, ray
// intersection, closest points and distances.

#include <maya/MDoubleArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#ifndef kMFnNurbsEpsilon
#define kMFnNurbsEpsilon 1.0e-3
#endif

class MFnNurbsSurface : public MFnDagNode {
public:
    enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

    MFnNurbsSurface() = default;
    MFnNurbsSurface(MObject& object, MStatus* ReturnStatus = NULL) { attach(object, ReturnStatus); }
    MFnNurbsSurface(const MObject& object, MStatus* ReturnStatus = NULL) {
        attach(object, ReturnStatus);
    }
    //! A transform's path stands for its surface shape, as in Maya.
    MFnNurbsSurface(const MDagPath& path, MStatus* ReturnStatus = NULL);

    MFn::Type type() const override { return MFn::kNurbsSurface; }
    MStatus setObject(const MDagPath& path) override;
    using MFnDagNode::setObject;

    //! CVs run with v fastest: CV (u, v) is at u * numCVsInV + v.
    MObject create(const MPointArray& controlVertices, const MDoubleArray& uKnotSequences,
                   const MDoubleArray& vKnotSequences, unsigned int degreeInU,
                   unsigned int degreeInV, Form formU, Form formV, bool createRational,
                   MObject& parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    //! A surface CV component of the one CV.
    MObject cv(unsigned int indexU, unsigned int indexV, MStatus* ReturnStatus = NULL) const;
    MStatus getCV(unsigned int indexU, unsigned int indexV, MPoint& pnt,
                  MSpace::Space space = MSpace::kObject) const;
    MStatus setCV(unsigned int indexU, unsigned int indexV, MPoint& pnt,
                  MSpace::Space space = MSpace::kObject);
    MStatus getCVs(MPointArray& array, MSpace::Space space = MSpace::kObject) const;
    MStatus setCVs(const MPointArray& array, MSpace::Space space = MSpace::kObject);
    //! Re-derives the forms after CV edits and brings the shape's dependents up to date.
    MStatus updateSurface();

    int degreeU(MStatus* ReturnStatus = NULL) const;
    int degreeV(MStatus* ReturnStatus = NULL) const;
    Form formInU(MStatus* ReturnStatus = NULL) const;
    Form formInV(MStatus* ReturnStatus = NULL) const;
    int numCVsInU(MStatus* ReturnStatus = NULL) const;
    int numCVsInV(MStatus* ReturnStatus = NULL) const;
    int numSpansInU(MStatus* ReturnStatus = NULL) const;
    int numSpansInV(MStatus* ReturnStatus = NULL) const;
    int numKnotsInU(MStatus* ReturnStatus = NULL) const;
    int numKnotsInV(MStatus* ReturnStatus = NULL) const;
    MStatus getKnotsInU(MDoubleArray& array) const;
    MStatus getKnotsInV(MDoubleArray& array) const;
    MStatus getKnotDomain(double& startU, double& endU, double& startV, double& endV) const;

    MStatus getPointAtParam(double paramInU, double paramInV, MPoint& point,
                            MSpace::Space space = MSpace::kObject) const;
    MVector normal(double paramInU, double paramInV, MSpace::Space space = MSpace::kObject,
                   MStatus* ReturnStatus = NULL) const;
    bool isPointOnSurface(const MPoint& point, double tolerance = kMFnNurbsEpsilon,
                          MSpace::Space space = MSpace::kObject,
                          MStatus* ReturnStatus = NULL) const;
    MPoint closestPoint(const MPoint& toThisPoint, double* paramU = NULL, double* paramV = NULL,
                        bool ignoreTrimBoundaries = false, double tolerance = kMFnNurbsEpsilon,
                        MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    double distanceToPoint(const MPoint& pt, MSpace::Space space = MSpace::kObject,
                           MStatus* ReturnStatus = NULL) const;
    //! The first hit of the ray; `distance` is along the ray from its start.
    bool intersect(const MPoint& rayStartingPoint, const MVector& alongThisDirection, double& u,
                   double& v, MPoint& intersectionData, double tolerance = kMFnNurbsEpsilon,
                   MSpace::Space space = MSpace::kObject, bool calculateDistance = false,
                   double* distance = NULL, bool calculateExactHit = false,
                   bool* wasExactHit = NULL, MStatus* ReturnStatus = NULL) const;
    //! Every hit along the ray, nearest first.
    bool intersect(const MPoint& rayStartingPoint, const MVector& alongThisDirection,
                   MDoubleArray& u, MDoubleArray& v, MPointArray& intersectionData,
                   double tolerance = kMFnNurbsEpsilon, MSpace::Space space = MSpace::kObject,
                   bool calculateDistance = false, MDoubleArray* distances = NULL,
                   bool calculateExactHit = false, bool* wasExactHit = NULL,
                   MStatus* ReturnStatus = NULL) const;
};
