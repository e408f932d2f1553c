#pragma once
// Function set for NURBS curves: creation from CVs and knots or edit points, CVs and knots,
// evaluation, closest points and point-on-curve tests.

#include <maya/MDoubleArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#ifndef kMFnNurbsEpsilon
#define kMFnNurbsEpsilon 1.0e-3
#endif

class MFnNurbsCurve : public MFnDagNode {
public:
    enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

    MFnNurbsCurve() = default;
    MFnNurbsCurve(MObject& object, MStatus* ReturnStatus = NULL) { attach(object, ReturnStatus); }
    MFnNurbsCurve(const MObject& object, MStatus* ReturnStatus = NULL) {
        attach(object, ReturnStatus);
    }
    //! A transform's path stands for its curve shape, as in Maya.
    MFnNurbsCurve(const MDagPath& path, MStatus* ReturnStatus = NULL);

    MFn::Type type() const override { return MFn::kNurbsCurve; }
    MStatus setObject(const MDagPath& path) override;
    using MFnDagNode::setObject;

    //! A curve from CVs and Maya's knots (numCVs + degree - 1 of them). Without a parent it
    //! makes a transform and returns it; under a transform it returns the new shape.
    MObject create(const MPointArray& controlVertices, const MDoubleArray& knotSequences,
                   unsigned int degree, Form form, bool create2D, bool createRational,
                   MObject& parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = NULL);
    MObject createWithEditPoints(const MPointArray& editPoints, unsigned int degree, Form form,
                                 bool create2D, bool createRational, bool uniformParam,
                                 MObject& parentOrOwner = MObject::kNullObj,
                                 MStatus* ReturnStatus = NULL);

    //! A curve CV component of the one CV.
    MObject cv(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MStatus getCV(unsigned int index, MPoint& pt, MSpace::Space space = MSpace::kObject) const;
    MStatus setCV(unsigned int index, const MPoint& pt, MSpace::Space space = MSpace::kObject);
    MStatus getCVs(MPointArray& array, MSpace::Space space = MSpace::kObject) const;
    MStatus setCVs(const MPointArray& array, MSpace::Space space = MSpace::kObject);
    //! Brings the shape's dependents up to date after CV edits.
    MStatus updateCurve();

    Form form(MStatus* ReturnStatus = NULL) const;
    int degree(MStatus* ReturnStatus = NULL) const;
    int numCVs(MStatus* ReturnStatus = NULL) const;
    int numSpans(MStatus* ReturnStatus = NULL) const;
    int numKnots(MStatus* ReturnStatus = NULL) const;
    MStatus getKnotDomain(double& start, double& end) const;
    MStatus getKnots(MDoubleArray& array) const;
    double knot(unsigned int index, MStatus* ReturnStatus = NULL) const;

    MStatus getPointAtParam(double param, MPoint& point,
                            MSpace::Space space = MSpace::kObject) const;
    MStatus getParamAtPoint(const MPoint& atThisPoint, double& param,
                            MSpace::Space space = MSpace::kObject) const;
    MStatus getParamAtPoint(const MPoint& atThisPoint, double& param, double tolerance,
                            MSpace::Space space = MSpace::kObject) const;
    MVector tangent(double param, MSpace::Space space = MSpace::kObject,
                    MStatus* ReturnStatus = NULL) const;
    double length(double tolerance = kMFnNurbsEpsilon, MStatus* ReturnStatus = NULL) const;
    bool isPointOnCurve(const MPoint& point, double tolerance = kMFnNurbsEpsilon,
                        MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    MPoint closestPoint(const MPoint& toThisPoint, double* param = NULL,
                        double tolerance = kMFnNurbsEpsilon, MSpace::Space space = MSpace::kObject,
                        MStatus* ReturnStatus = NULL) const;
    double distanceToPoint(const MPoint& pt, MSpace::Space space = MSpace::kObject,
                           MStatus* ReturnStatus = NULL) const;
};
