#include <maya/MFnCamera.h>

#include <cmath>

#include "dg/CameraProjection.h"
#include "dg/Node.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

double MFnCamera::number(const char* attr, MStatus* status) const {
    return findPlug(attr, status).asDouble();
}

MStatus MFnCamera::setNumber(const char* attr, double value) {
    MStatus status;
    MPlug plug = findPlug(attr, &status);
    return status ? plug.setValue(value) : status;
}

MObject MFnCamera::create(MStatus* ReturnStatus) {
    return MFnDagNode::create("camera", MObject::kNullObj, ReturnStatus);
}

MObject MFnCamera::create(MObject& parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("camera", parent, ReturnStatus);
}

MPoint MFnCamera::eyePoint(MSpace::Space space, MStatus* ReturnStatus) const {
    report(ReturnStatus, object_.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return space == MSpace::kWorld ? MPoint() * path().inclusiveMatrix() : MPoint();
}

MVector MFnCamera::viewDirection(MSpace::Space space, MStatus* ReturnStatus) const {
    report(ReturnStatus, object_.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    const MVector local(0.0, 0.0, -1.0);
    return space == MSpace::kWorld ? (local * path().inclusiveMatrix()).normal() : local;
}

MVector MFnCamera::upDirection(MSpace::Space space, MStatus* ReturnStatus) const {
    report(ReturnStatus, object_.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    const MVector local(0.0, 1.0, 0.0);
    return space == MSpace::kWorld ? (local * path().inclusiveMatrix()).normal() : local;
}

MVector MFnCamera::rightDirection(MSpace::Space space, MStatus* ReturnStatus) const {
    report(ReturnStatus, object_.isNull() ? MStatus::kFailure : MStatus::kSuccess);
    const MVector local(1.0, 0.0, 0.0);
    return space == MSpace::kWorld ? (local * path().inclusiveMatrix()).normal() : local;
}

MPoint MFnCamera::centerOfInterestPoint(MSpace::Space space, MStatus* ReturnStatus) const {
    const double distance = centerOfInterest(ReturnStatus);
    return eyePoint(space) + viewDirection(space) * distance;
}

double MFnCamera::centerOfInterest(MStatus* ReturnStatus) const {
    return number("centerOfInterest", ReturnStatus);
}
MStatus MFnCamera::setCenterOfInterest(double dist) {
    return setNumber("centerOfInterest", dist);
}
double MFnCamera::nearClippingPlane(MStatus* ReturnStatus) const {
    return number("nearClipPlane", ReturnStatus);
}
MStatus MFnCamera::setNearClippingPlane(double dNear) {
    return setNumber("nearClipPlane", dNear);
}
double MFnCamera::farClippingPlane(MStatus* ReturnStatus) const {
    return number("farClipPlane", ReturnStatus);
}
MStatus MFnCamera::setFarClippingPlane(double dFar) {
    return setNumber("farClipPlane", dFar);
}
double MFnCamera::horizontalFilmAperture(MStatus* ReturnStatus) const {
    return number("horizontalFilmAperture", ReturnStatus);
}
MStatus MFnCamera::setHorizontalFilmAperture(double hFilmAperture) {
    return setNumber("horizontalFilmAperture", hFilmAperture);
}
double MFnCamera::verticalFilmAperture(MStatus* ReturnStatus) const {
    return number("verticalFilmAperture", ReturnStatus);
}
MStatus MFnCamera::setVerticalFilmAperture(double vFilmAperture) {
    return setNumber("verticalFilmAperture", vFilmAperture);
}
double MFnCamera::horizontalFilmOffset(MStatus* ReturnStatus) const {
    return number("horizontalFilmOffset", ReturnStatus);
}
MStatus MFnCamera::setHorizontalFilmOffset(double hOffset) {
    return setNumber("horizontalFilmOffset", hOffset);
}
double MFnCamera::verticalFilmOffset(MStatus* ReturnStatus) const {
    return number("verticalFilmOffset", ReturnStatus);
}
MStatus MFnCamera::setVerticalFilmOffset(double vOffset) {
    return setNumber("verticalFilmOffset", vOffset);
}
double MFnCamera::focalLength(MStatus* ReturnStatus) const {
    return number("focalLength", ReturnStatus);
}
MStatus MFnCamera::setFocalLength(double length) {
    return setNumber("focalLength", length);
}
MFnCamera::FilmFit MFnCamera::filmFit(MStatus* ReturnStatus) const {
    return static_cast<FilmFit>(findPlug("filmFit", ReturnStatus).asShort());
}
MStatus MFnCamera::setFilmFit(FilmFit fit) {
    if (fit < kFillFilmFit || fit >= kInvalid)
        return MStatus::kInvalidParameter;
    return setNumber("filmFit", fit);
}
double MFnCamera::aspectRatio(MStatus* ReturnStatus) const {
    return horizontalFilmAperture(ReturnStatus) / verticalFilmAperture();
}
double MFnCamera::horizontalFieldOfView(MStatus* ReturnStatus) const {
    const double aperture = horizontalFilmAperture(ReturnStatus) * kMillimetresPerInch;
    return 2.0 * std::atan(aperture / 2.0 / focalLength());
}
double MFnCamera::verticalFieldOfView(MStatus* ReturnStatus) const {
    const double aperture = verticalFilmAperture(ReturnStatus) * kMillimetresPerInch;
    return 2.0 * std::atan(aperture / 2.0 / focalLength());
}
bool MFnCamera::isOrtho(MStatus* ReturnStatus) const {
    return findPlug("orthographic", ReturnStatus).asBool();
}
MStatus MFnCamera::setIsOrtho(bool orthoState) {
    return setNumber("orthographic", orthoState ? 1.0 : 0.0);
}
double MFnCamera::orthoWidth(MStatus* ReturnStatus) const {
    return number("orthographicWidth", ReturnStatus);
}
MStatus MFnCamera::setOrthoWidth(double width) {
    return setNumber("orthographicWidth", width);
}

MStatus MFnCamera::getFilmFrustum(double distance, double& hSize, double& vSize, double& hOffset,
                                  double& vOffset, bool) const {
    MStatus status;
    const double toDistance = distance * kMillimetresPerInch / focalLength(&status);
    if (!status)
        return status;
    hSize = horizontalFilmAperture() * toDistance;
    vSize = verticalFilmAperture() * toDistance;
    hOffset = horizontalFilmOffset() * toDistance;
    vOffset = verticalFilmOffset() * toDistance;
    return MStatus::kSuccess;
}

MFloatMatrix MFnCamera::projectionMatrix(MStatus* ReturnStatus) const {
    mayasim::Node* node = mayasim::nodeOf(object_);
    report(ReturnStatus, node ? MStatus::kSuccess : MStatus::kFailure);
    if (!node)
        return MFloatMatrix();
    const mayasim::FilmBack film = mayasim::filmBackOf(*node);
    const MMatrix projection =
        mayasim::projectionOf(film, film.horizontalAperture / film.verticalAperture);
    float values[4][4];
    projection.get(values);
    return MFloatMatrix(values);
}
