#pragma once
// Function set for camera shapes: the film back, lens, clipping planes and the camera's
// placement as its transform gives it.

#include <maya/MFloatMatrix.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MFnCamera : public MFnDagNode {
public:
    enum FilmFit {
        kFillFilmFit = 0,
        kHorizontalFilmFit,
        kVerticalFilmFit,
        kOverscanFilmFit,
        kInvalid
    };

    declareDagMFnConstructors(MFnCamera)

        MFn::Type type() const override {
        return MFn::kCamera;
    }

    MObject create(MStatus* ReturnStatus = NULL);
    MObject create(MObject& parent, MStatus* ReturnStatus = NULL);

    MPoint eyePoint(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    MVector viewDirection(MSpace::Space space = MSpace::kObject,
                          MStatus* ReturnStatus = NULL) const;
    MVector upDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    MVector rightDirection(MSpace::Space space = MSpace::kObject,
                           MStatus* ReturnStatus = NULL) const;
    MPoint centerOfInterestPoint(MSpace::Space space = MSpace::kObject,
                                 MStatus* ReturnStatus = NULL) const;

    double centerOfInterest(MStatus* ReturnStatus = NULL) const;
    MStatus setCenterOfInterest(double dist);
    double nearClippingPlane(MStatus* ReturnStatus = NULL) const;
    MStatus setNearClippingPlane(double dNear);
    double farClippingPlane(MStatus* ReturnStatus = NULL) const;
    MStatus setFarClippingPlane(double dFar);
    double horizontalFilmAperture(MStatus* ReturnStatus = NULL) const;
    MStatus setHorizontalFilmAperture(double hFilmAperture);
    double verticalFilmAperture(MStatus* ReturnStatus = NULL) const;
    MStatus setVerticalFilmAperture(double vFilmAperture);
    double horizontalFilmOffset(MStatus* ReturnStatus = NULL) const;
    MStatus setHorizontalFilmOffset(double hOffset);
    double verticalFilmOffset(MStatus* ReturnStatus = NULL) const;
    MStatus setVerticalFilmOffset(double vOffset);
    double focalLength(MStatus* ReturnStatus = NULL) const;
    MStatus setFocalLength(double focalLength);
    FilmFit filmFit(MStatus* ReturnStatus = NULL) const;
    MStatus setFilmFit(FilmFit filmFit);
    double aspectRatio(MStatus* ReturnStatus = NULL) const;
    double horizontalFieldOfView(MStatus* ReturnStatus = NULL) const;
    double verticalFieldOfView(MStatus* ReturnStatus = NULL) const;
    bool isOrtho(MStatus* ReturnStatus = NULL) const;
    MStatus setIsOrtho(bool orthoState);
    double orthoWidth(MStatus* ReturnStatus = NULL) const;
    MStatus setOrthoWidth(double orthoWidth);

    MStatus getFilmFrustum(double distance, double& hSize, double& vSize, double& hOffset,
                           double& vOffset, bool applyPanZoom = false) const;
    // The OpenGL-style projection (row-vector convention) for the camera's own film
    // aspect ratio.
    MFloatMatrix projectionMatrix(MStatus* ReturnStatus = NULL) const;

private:
    double number(const char* attr, MStatus* status) const;
    MStatus setNumber(const char* attr, double value);
};
