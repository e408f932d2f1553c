#include <maya/MFnNurbsSurface.h>

#include <cmath>

#include "dg/Node.h"
#include "dg/NurbsComponents.h"
#include "dg/NurbsNodes.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"

using mayasim::Node;
using mayasim::nurbs::NurbsForm;
using mayasim::nurbs::NurbsSurface;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

Node* surfaceShape(const MObject& object) {
    Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kNurbsSurface) ? node : nullptr;
}

// The shape's surface, or null when the function set is not on a surface with geometry.
const NurbsSurface* surfaceOf(const MObject& object) {
    Node* shape = surfaceShape(object);
    if (!shape)
        return nullptr;
    const NurbsSurface& surface = mayasim::surfaceGeometry(*shape);
    return surface.isEmpty() ? nullptr : &surface;
}

MFnNurbsSurface::Form formOf(NurbsForm form) {
    switch (form) {
        case NurbsForm::kOpen:
            return MFnNurbsSurface::kOpen;
        case NurbsForm::kClosed:
            return MFnNurbsSurface::kClosed;
        case NurbsForm::kPeriodic:
            return MFnNurbsSurface::kPeriodic;
        default:
            return MFnNurbsSurface::kInvalid;
    }
}

// Closest-point and ray queries in the space asked for. Object space, and world space under
// a transform that only rotates, moves and scales uniformly, use the shape's cached locator
// (points and rays carried into object space, distances scaled back); under other transforms
// the surface carried into world space (cached on the shape) is queried, so distances stay
// world ones.
class SurfaceQuery {
public:
    SurfaceQuery(Node& shape, const MDagPath& path, MSpace::Space space) {
        const MMatrix m = space == MSpace::kWorld ? path.inclusiveMatrix() : MMatrix();
        if (m.isEquivalent(MMatrix::identity)) {
            locator_ = &mayasim::surfaceLocator(shape);
        } else if (mayasim::isSimilarity(m, scale_)) {
            locator_ = &mayasim::surfaceLocator(shape);
            toWorld_ = m;
            toObject_ = m.inverse();
            carried_ = true;
        } else {
            locator_ = &mayasim::carriedSurfaceLocator(shape, m);
        }
    }

    mayasim::nurbs::SurfaceClosestPoint closestPoint(const MPoint& point) const {
        if (!carried_)
            return locator_->closestPoint(point);
        auto closest = locator_->closestPoint(point * toObject_);
        closest.point = closest.point * toWorld_;
        closest.distance *= scale_;
        return closest;
    }

    bool intersect(const MPoint& origin, const MVector& direction, double tolerance,
                   mayasim::nurbs::SurfaceHit& hit) const {
        if (!carried_)
            return locator_->intersect(origin, direction, hit, tolerance);
        if (!locator_->intersect(origin * toObject_, direction * toObject_, hit,
                                 tolerance / scale_)) {
            return false;
        }
        hit.point = hit.point * toWorld_;
        hit.distance *= scale_;
        return true;
    }

private:
    const mayasim::nurbs::NurbsSurfaceLocator* locator_ = nullptr;
    MMatrix toWorld_;
    MMatrix toObject_;
    double scale_ = 1.0;
    bool carried_ = false;
};

std::vector<double> toVector(const MDoubleArray& array) {
    std::vector<double> out;
    out.reserve(array.length());
    for (unsigned int i = 0; i < array.length(); ++i)
        out.push_back(array[i]);
    return out;
}

void toArray(const std::vector<double>& values, MDoubleArray& array) {
    array.clear();
    for (double value : values)
        array.append(value);
}

}  // namespace

MFnNurbsSurface::MFnNurbsSurface(const MDagPath& path, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(path));
}

MStatus MFnNurbsSurface::setObject(const MDagPath& path) {
    MDagPath shape = path;
    if (!shape.node().hasFn(MFn::kNurbsSurface))
        shape.extendToShape();
    MStatus status;
    attachPath(shape, &status);
    return status;
}

MObject MFnNurbsSurface::create(const MPointArray& controlVertices,
                                const MDoubleArray& uKnotSequences,
                                const MDoubleArray& vKnotSequences, unsigned int degreeInU,
                                unsigned int degreeInV, Form formU, Form formV, bool createRational,
                                MObject& parentOrOwner, MStatus* ReturnStatus) {
    // The grid's size follows from the knots: numCVs = numKnots - degree + 1 per direction.
    const int countU = static_cast<int>(uKnotSequences.length()) - static_cast<int>(degreeInU) + 1;
    const int countV = static_cast<int>(vKnotSequences.length()) - static_cast<int>(degreeInV) + 1;
    std::vector<MPoint> cvs;
    for (unsigned int i = 0; i < controlVertices.length(); ++i)
        cvs.push_back(controlVertices[i]);
    auto built =
        NurbsSurface::create(std::move(cvs), countU, countV, toVector(uKnotSequences),
                             toVector(vKnotSequences), static_cast<int>(degreeInU),
                             static_cast<int>(degreeInV), formU == kPeriodic, formV == kPeriodic);
    Node* parent = mayasim::nodeOf(parentOrOwner);
    auto formFits = [](Form asked, NurbsForm made) {
        return asked != kInvalid && asked != kLast &&
               (asked != kClosed || made == NurbsForm::kClosed);
    };
    if (countU < 2 || countV < 2 || !built.ok() || createRational ||
        !formFits(formU, built.value().formInU()) || !formFits(formV, built.value().formInV()) ||
        (parent && !parent->hasFn(MFn::kTransform))) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<Node> transform;
    if (!parent) {
        if (!mayasim::createNodeOfType("transform", "nurbsSurface1", nullptr, nullptr, transform)) {
            report(ReturnStatus, MStatus::kFailure);
            return MObject();
        }
        parent = transform.get();
    }
    std::shared_ptr<Node> shape;
    const MStatus status = mayasim::createNodeOfType(
        "nurbsSurface", mayasim::shapeNameFor(parent->name), parent, nullptr, shape);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    mayasim::setSurfaceGeometry(*shape, std::move(built.value()), nullptr);
    object_ = shape->handle();
    path_ = MDagPath();
    return transform ? transform->handle() : object_;
}

MObject MFnNurbsSurface::cv(unsigned int indexU, unsigned int indexV, MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    const bool valid = surface && static_cast<int>(indexU) < surface->numCVsInU() &&
                       static_cast<int>(indexV) < surface->numCVsInV();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid
               ? mayasim::surfaceCVComponent({{static_cast<int>(indexU), static_cast<int>(indexV)}})
               : MObject();
}

MStatus MFnNurbsSurface::getCV(unsigned int indexU, unsigned int indexV, MPoint& pnt,
                               MSpace::Space space) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    if (static_cast<int>(indexU) >= surface->numCVsInU() ||
        static_cast<int>(indexV) >= surface->numCVsInV()) {
        return MStatus::kInvalidParameter;
    }
    pnt = surface->cv(static_cast<int>(indexU), static_cast<int>(indexV));
    if (space == MSpace::kWorld)
        pnt = pnt * path().inclusiveMatrix();
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::setCV(unsigned int indexU, unsigned int indexV, MPoint& pnt,
                               MSpace::Space space) {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    if (static_cast<int>(indexU) >= surface->numCVsInU() ||
        static_cast<int>(indexV) >= surface->numCVsInV()) {
        return MStatus::kInvalidParameter;
    }
    const int flat = static_cast<int>(indexU) * surface->numCVsInV() + static_cast<int>(indexV);
    const MPoint local = space == MSpace::kWorld ? pnt * path().inclusiveMatrixInverse() : pnt;
    // As in Maya, the forms are brought up to date by updateSurface.
    mayasim::setSurfaceCVs(*surfaceShape(object_), {{flat, local}}, nullptr, true);
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::getCVs(MPointArray& array, MSpace::Space space) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    const MMatrix m = space == MSpace::kWorld ? path().inclusiveMatrix() : MMatrix();
    array.clear();
    for (const MPoint& cv : surface->cvs())
        array.append(cv * m);
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::setCVs(const MPointArray& array, MSpace::Space space) {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    if (array.length() != surface->cvs().size())
        return MStatus::kInvalidParameter;
    const MMatrix m = space == MSpace::kWorld ? path().inclusiveMatrixInverse() : MMatrix();
    mayasim::CVPositions cvs;
    cvs.reserve(array.length());
    for (unsigned int i = 0; i < array.length(); ++i)
        cvs.push_back({static_cast<int>(i), array[i] * m});
    mayasim::setSurfaceCVs(*surfaceShape(object_), cvs, nullptr, true);
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::updateSurface() {
    Node* shape = surfaceShape(object_);
    if (!shape)
        return MStatus::kFailure;
    mayasim::updateSurfaceForms(*shape);
    return MStatus::kSuccess;
}

int MFnNurbsSurface::degreeU(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->degreeU() : 0;
}

int MFnNurbsSurface::degreeV(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->degreeV() : 0;
}

MFnNurbsSurface::Form MFnNurbsSurface::formInU(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? formOf(surface->formInU()) : kInvalid;
}

MFnNurbsSurface::Form MFnNurbsSurface::formInV(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? formOf(surface->formInV()) : kInvalid;
}

int MFnNurbsSurface::numCVsInU(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numCVsInU() : 0;
}

int MFnNurbsSurface::numCVsInV(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numCVsInV() : 0;
}

int MFnNurbsSurface::numSpansInU(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numSpansInU() : 0;
}

int MFnNurbsSurface::numSpansInV(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numSpansInV() : 0;
}

int MFnNurbsSurface::numKnotsInU(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numKnotsInU() : 0;
}

int MFnNurbsSurface::numKnotsInV(MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? surface->numKnotsInV() : 0;
}

MStatus MFnNurbsSurface::getKnotsInU(MDoubleArray& array) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    toArray(surface->knotsInU(), array);
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::getKnotsInV(MDoubleArray& array) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    toArray(surface->knotsInV(), array);
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::getKnotDomain(double& startU, double& endU, double& startV,
                                       double& endV) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    startU = surface->minU();
    endU = surface->maxU();
    startV = surface->minV();
    endV = surface->maxV();
    return MStatus::kSuccess;
}

MStatus MFnNurbsSurface::getPointAtParam(double paramInU, double paramInV, MPoint& point,
                                         MSpace::Space space) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface)
        return MStatus::kFailure;
    point = surface->pointAt(paramInU, paramInV);
    if (space == MSpace::kWorld)
        point = point * path().inclusiveMatrix();
    return MStatus::kSuccess;
}

MVector MFnNurbsSurface::normal(double paramInU, double paramInV, MSpace::Space space,
                                MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    if (!surface)
        return MVector::zero;
    MVector n = surface->normalAt(paramInU, paramInV);
    if (space == MSpace::kWorld)
        n = n.transformAsNormal(path().inclusiveMatrix()).normal();
    return n;
}

bool MFnNurbsSurface::isPointOnSurface(const MPoint& point, double tolerance, MSpace::Space space,
                                       MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface &&
           SurfaceQuery(*surfaceShape(object_), path(), space).closestPoint(point).distance <=
               tolerance;
}

MPoint MFnNurbsSurface::closestPoint(const MPoint& toThisPoint, double* paramU, double* paramV,
                                     bool, double, MSpace::Space space,
                                     MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    if (!surface)
        return MPoint();
    const auto closest =
        SurfaceQuery(*surfaceShape(object_), path(), space).closestPoint(toThisPoint);
    if (paramU)
        *paramU = closest.u;
    if (paramV)
        *paramV = closest.v;
    return closest.point;
}

double MFnNurbsSurface::distanceToPoint(const MPoint& pt, MSpace::Space space,
                                        MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    report(ReturnStatus, surface ? MStatus::kSuccess : MStatus::kFailure);
    return surface ? SurfaceQuery(*surfaceShape(object_), path(), space).closestPoint(pt).distance
                   : 0.0;
}

bool MFnNurbsSurface::intersect(const MPoint& rayStartingPoint, const MVector& alongThisDirection,
                                double& u, double& v, MPoint& intersectionData, double tolerance,
                                MSpace::Space space, bool calculateDistance, double* distance,
                                bool calculateExactHit, bool* wasExactHit,
                                MStatus* ReturnStatus) const {
    const NurbsSurface* surface = surfaceOf(object_);
    if (!surface || alongThisDirection.length() == 0.0) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return false;
    }
    report(ReturnStatus, MStatus::kSuccess);
    mayasim::nurbs::SurfaceHit hit;
    if (!SurfaceQuery(*surfaceShape(object_), path(), space)
             .intersect(rayStartingPoint, alongThisDirection, tolerance, hit)) {
        return false;
    }
    u = hit.u;
    v = hit.v;
    intersectionData = hit.point;
    if (calculateDistance && distance)
        *distance = hit.distance;
    // The hit is refined on the exact surface, so it is an exact hit within the tolerance.
    if (calculateExactHit && wasExactHit)
        *wasExactHit = true;
    return true;
}

bool MFnNurbsSurface::intersect(const MPoint& rayStartingPoint, const MVector& alongThisDirection,
                                MDoubleArray& u, MDoubleArray& v, MPointArray& intersectionData,
                                double tolerance, MSpace::Space space, bool calculateDistance,
                                MDoubleArray* distances, bool calculateExactHit, bool* wasExactHit,
                                MStatus* ReturnStatus) const {
    u.clear();
    v.clear();
    intersectionData.clear();
    if (distances)
        distances->clear();
    const NurbsSurface* surface = surfaceOf(object_);
    const double length = alongThisDirection.length();
    if (!surface || length == 0.0) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return false;
    }
    report(ReturnStatus, MStatus::kSuccess);
    const SurfaceQuery query(*surfaceShape(object_), path(), space);
    const MVector direction = alongThisDirection / length;
    // Each further hit is sought from just past the last one.
    const double step = std::max(tolerance, 1e-6) * 2.0;
    double travelled = 0.0;
    MPoint start = rayStartingPoint;
    mayasim::nurbs::SurfaceHit hit;
    while (query.intersect(start, direction, tolerance, hit)) {
        travelled += hit.distance;
        u.append(hit.u);
        v.append(hit.v);
        intersectionData.append(hit.point);
        if (calculateDistance && distances)
            distances->append(travelled);
        travelled += step;
        start = hit.point + direction * step;
        if (u.length() > 64)
            break;  // a ray along a surface would otherwise step along it forever
    }
    if (calculateExactHit && wasExactHit)
        *wasExactHit = u.length() > 0;
    return u.length() > 0;
}
