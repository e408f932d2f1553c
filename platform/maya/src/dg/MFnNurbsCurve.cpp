#include <maya/MFnNurbsCurve.h>

#include <cmath>

#include "dg/Node.h"
#include "dg/NurbsComponents.h"
#include "dg/NurbsNodes.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "geometry/NurbsCurveCreate.h"

using mayasim::Node;
using mayasim::nurbs::NurbsCurve;
using mayasim::nurbs::NurbsForm;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

Node* curveShape(const MObject& object) {
    Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kNurbsCurve) ? node : nullptr;
}

MFnNurbsCurve::Form formOf(NurbsForm form) {
    switch (form) {
        case NurbsForm::kOpen:
            return MFnNurbsCurve::kOpen;
        case NurbsForm::kClosed:
            return MFnNurbsCurve::kClosed;
        case NurbsForm::kPeriodic:
            return MFnNurbsCurve::kPeriodic;
        default:
            return MFnNurbsCurve::kInvalid;
    }
}

// Closest-point queries in the space asked for: in object space, also for world space under
// a transform that only rotates, moves and scales uniformly (the point carried in, the
// answer carried back and its distance scaled); under other transforms on a copy of the
// curve carried into world space, so distances stay world ones.
class CurveQuery {
public:
    CurveQuery(Node& shape, const MDagPath& path, MSpace::Space space)
        : curve_(&mayasim::curveGeometry(shape)) {
        const MMatrix m = space == MSpace::kWorld ? path.inclusiveMatrix() : MMatrix();
        if (m.isEquivalent(MMatrix::identity))
            return;
        if (mayasim::isSimilarity(m, scale_)) {
            toWorld_ = m;
            toObject_ = m.inverse();
            carried_ = true;
        } else {
            world_ = mayasim::transformedCurve(*curve_, m);
            curve_ = &world_;
        }
    }

    mayasim::nurbs::CurveClosestPoint closestPoint(const MPoint& point) const {
        if (!carried_)
            return curve_->closestPoint(point);
        auto closest = curve_->closestPoint(point * toObject_);
        closest.point = closest.point * toWorld_;
        closest.distance *= scale_;
        return closest;
    }

private:
    const NurbsCurve* curve_;
    NurbsCurve world_;
    MMatrix toWorld_;
    MMatrix toObject_;
    double scale_ = 1.0;
    bool carried_ = false;
};

// Gauss-Legendre nodes and weights on [-1, 1], eight points: exact for polynomials up to
// degree 15, so a span's arc length comes out to about the tolerance asked for.
constexpr double kGaussNodes[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                   0.9602898564975363};
constexpr double kGaussWeights[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                     0.1012285362903763};

double arcLength(const NurbsCurve& curve, double from, double to) {
    const double half = 0.5 * (to - from);
    const double mid = 0.5 * (to + from);
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (double sign : {-1.0, 1.0}) {
            const double u = mid + sign * half * kGaussNodes[i];
            sum += kGaussWeights[i] * curve.sampleAt(u, 1).firstDerivative.length();
        }
    }
    return sum * half;
}

}  // namespace

MFnNurbsCurve::MFnNurbsCurve(const MDagPath& path, MStatus* ReturnStatus) {
    MStatus status = setObject(path);
    report(ReturnStatus, status);
}

MStatus MFnNurbsCurve::setObject(const MDagPath& path) {
    MDagPath shape = path;
    if (!shape.node().hasFn(MFn::kNurbsCurve))
        shape.extendToShape();
    MStatus status;
    attachPath(shape, &status);
    return status;
}

MObject MFnNurbsCurve::create(const MPointArray& controlVertices, const MDoubleArray& knotSequences,
                              unsigned int degree, Form form, bool, bool createRational,
                              MObject& parentOrOwner, MStatus* ReturnStatus) {
    std::vector<MPoint> cvs;
    for (unsigned int i = 0; i < controlVertices.length(); ++i)
        cvs.push_back(controlVertices[i]);
    std::vector<double> knots;
    for (unsigned int i = 0; i < knotSequences.length(); ++i)
        knots.push_back(knotSequences[i]);
    auto built = NurbsCurve::create(std::move(cvs), std::move(knots), static_cast<int>(degree),
                                    form == kPeriodic);
    Node* parent = mayasim::nodeOf(parentOrOwner);
    // Rational curves are not modelled; a closed form needs coinciding ends.
    if (!built.ok() || createRational || form == kInvalid || form == kLast ||
        (form == kClosed && built.value().form() != NurbsForm::kClosed) ||
        (parent && !parent->hasFn(MFn::kTransform))) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<Node> transform;
    if (!parent) {
        if (!mayasim::createNodeOfType("transform", "curve1", nullptr, nullptr, transform)) {
            report(ReturnStatus, MStatus::kFailure);
            return MObject();
        }
        parent = transform.get();
    }
    std::shared_ptr<Node> shape;
    const MStatus status = mayasim::createNodeOfType(
        "nurbsCurve", mayasim::shapeNameFor(parent->name), parent, nullptr, shape);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    mayasim::setCurveGeometry(*shape, std::move(built.value()), nullptr);
    object_ = shape->handle();
    path_ = MDagPath();
    return transform ? transform->handle() : object_;
}

MObject MFnNurbsCurve::createWithEditPoints(const MPointArray& editPoints, unsigned int degree,
                                            Form form, bool, bool createRational, bool uniformParam,
                                            MObject& parentOrOwner, MStatus* ReturnStatus) {
    std::vector<MPoint> points;
    for (unsigned int i = 0; i < editPoints.length(); ++i)
        points.push_back(editPoints[i]);
    const auto parameterization = uniformParam ? mayasim::nurbs::Parameterization::kUniform
                                               : mayasim::nurbs::Parameterization::kChordLength;
    auto built =
        mayasim::nurbs::curveFromEditPoints(points, static_cast<int>(degree), parameterization);
    // Periodic curves through edit points are not made.
    if (!built.ok() || createRational || form == kPeriodic || form == kInvalid) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    const NurbsCurve& curve = built.value();
    MPointArray cvs;
    for (const MPoint& cv : curve.cvs())
        cvs.append(cv);
    MDoubleArray knots;
    for (double knot : curve.knots())
        knots.append(knot);
    return create(cvs, knots, degree, kOpen, false, false, parentOrOwner, ReturnStatus);
}

MObject MFnNurbsCurve::cv(unsigned int index, MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    const bool valid = shape && static_cast<int>(index) < mayasim::curveGeometry(*shape).numCVs();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? mayasim::curveCVComponent({static_cast<int>(index)}) : MObject();
}

MStatus MFnNurbsCurve::getCV(unsigned int index, MPoint& pt, MSpace::Space space) const {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    const NurbsCurve& curve = mayasim::curveGeometry(*shape);
    if (static_cast<int>(index) >= curve.numCVs())
        return MStatus::kInvalidParameter;
    pt = space == MSpace::kWorld ? curve.cv(static_cast<int>(index)) * path().inclusiveMatrix()
                                 : curve.cv(static_cast<int>(index));
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::setCV(unsigned int index, const MPoint& pt, MSpace::Space space) {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    if (static_cast<int>(index) >= mayasim::curveGeometry(*shape).numCVs())
        return MStatus::kInvalidParameter;
    const MPoint local = space == MSpace::kWorld ? pt * path().inclusiveMatrixInverse() : pt;
    mayasim::setCurveCVs(*shape, {{static_cast<int>(index), local}}, nullptr);
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::getCVs(MPointArray& array, MSpace::Space space) const {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    const MMatrix m = space == MSpace::kWorld ? path().inclusiveMatrix() : MMatrix();
    array.clear();
    for (const MPoint& cv : mayasim::curveGeometry(*shape).cvs())
        array.append(cv * m);
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::setCVs(const MPointArray& array, MSpace::Space space) {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    if (static_cast<int>(array.length()) != mayasim::curveGeometry(*shape).numCVs())
        return MStatus::kInvalidParameter;
    const MMatrix m = space == MSpace::kWorld ? path().inclusiveMatrixInverse() : MMatrix();
    mayasim::CVPositions cvs;
    cvs.reserve(array.length());
    for (unsigned int i = 0; i < array.length(); ++i)
        cvs.push_back({static_cast<int>(i), array[i] * m});
    mayasim::setCurveCVs(*shape, cvs, nullptr);
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::updateCurve() {
    // CV edits take effect at once; what depends on the shape reads it afresh.
    return curveShape(object_) ? MStatus::kSuccess : MStatus::kFailure;
}

MFnNurbsCurve::Form MFnNurbsCurve::form(MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    return shape ? formOf(mayasim::curveGeometry(*shape).form()) : kInvalid;
}

int MFnNurbsCurve::degree(MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    return shape ? mayasim::curveGeometry(*shape).degree() : 0;
}

int MFnNurbsCurve::numCVs(MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    return shape ? mayasim::curveGeometry(*shape).numCVs() : 0;
}

int MFnNurbsCurve::numSpans(MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty())
        return 0;
    return mayasim::curveGeometry(*shape).numSpans();
}

int MFnNurbsCurve::numKnots(MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    return shape ? mayasim::curveGeometry(*shape).numKnots() : 0;
}

MStatus MFnNurbsCurve::getKnotDomain(double& start, double& end) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty())
        return MStatus::kFailure;
    start = mayasim::curveGeometry(*shape).minParam();
    end = mayasim::curveGeometry(*shape).maxParam();
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::getKnots(MDoubleArray& array) const {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    array.clear();
    for (double knot : mayasim::curveGeometry(*shape).knots())
        array.append(knot);
    return MStatus::kSuccess;
}

double MFnNurbsCurve::knot(unsigned int index, MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    const bool valid = shape && static_cast<int>(index) < mayasim::curveGeometry(*shape).numKnots();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? mayasim::curveGeometry(*shape).knots()[index] : 0.0;
}

MStatus MFnNurbsCurve::getPointAtParam(double param, MPoint& point, MSpace::Space space) const {
    Node* shape = curveShape(object_);
    if (!shape)
        return MStatus::kFailure;
    const NurbsCurve& curve = mayasim::curveGeometry(*shape);
    if (curve.isEmpty())
        return MStatus::kFailure;
    const double slack = 1e-9 * (1.0 + std::fabs(curve.maxParam() - curve.minParam()));
    if (curve.form() != NurbsForm::kPeriodic &&
        (param < curve.minParam() - slack || param > curve.maxParam() + slack)) {
        return MStatus::kInvalidParameter;
    }
    point = curve.pointAt(param);
    if (space == MSpace::kWorld)
        point = point * path().inclusiveMatrix();
    return MStatus::kSuccess;
}

MStatus MFnNurbsCurve::getParamAtPoint(const MPoint& atThisPoint, double& param,
                                       MSpace::Space space) const {
    return getParamAtPoint(atThisPoint, param, kMFnNurbsEpsilon, space);
}

MStatus MFnNurbsCurve::getParamAtPoint(const MPoint& atThisPoint, double& param, double tolerance,
                                       MSpace::Space space) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty())
        return MStatus::kFailure;
    const auto closest = CurveQuery(*shape, path(), space).closestPoint(atThisPoint);
    if (closest.distance > tolerance)
        return MStatus::kFailure;
    param = closest.param;
    return MStatus::kSuccess;
}

MVector MFnNurbsCurve::tangent(double param, MSpace::Space space, MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty()) {
        report(ReturnStatus, MStatus::kFailure);
        return MVector::zero;
    }
    report(ReturnStatus, MStatus::kSuccess);
    MVector t = mayasim::curveGeometry(*shape).tangentAt(param);
    if (space == MSpace::kWorld)
        t = (t * path().inclusiveMatrix()).normal();
    return t;
}

double MFnNurbsCurve::length(double, MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty()) {
        report(ReturnStatus, MStatus::kFailure);
        return 0.0;
    }
    report(ReturnStatus, MStatus::kSuccess);
    const NurbsCurve& curve = mayasim::curveGeometry(*shape);
    const std::vector<double> params = curve.editPointParams();
    double total = 0.0;
    for (size_t i = 0; i + 1 < params.size(); ++i)
        total += arcLength(curve, params[i], params[i + 1]);
    if (curve.form() == NurbsForm::kPeriodic && !params.empty())
        total += arcLength(curve, params.back(), curve.maxParam());
    return total;
}

bool MFnNurbsCurve::isPointOnCurve(const MPoint& point, double tolerance, MSpace::Space space,
                                   MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    report(ReturnStatus, shape ? MStatus::kSuccess : MStatus::kFailure);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty())
        return false;
    return CurveQuery(*shape, path(), space).closestPoint(point).distance <= tolerance;
}

MPoint MFnNurbsCurve::closestPoint(const MPoint& toThisPoint, double* param, double,
                                   MSpace::Space space, MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty()) {
        report(ReturnStatus, MStatus::kFailure);
        return MPoint();
    }
    report(ReturnStatus, MStatus::kSuccess);
    const auto closest = CurveQuery(*shape, path(), space).closestPoint(toThisPoint);
    if (param)
        *param = closest.param;
    return closest.point;
}

double MFnNurbsCurve::distanceToPoint(const MPoint& pt, MSpace::Space space,
                                      MStatus* ReturnStatus) const {
    Node* shape = curveShape(object_);
    if (!shape || mayasim::curveGeometry(*shape).isEmpty()) {
        report(ReturnStatus, MStatus::kFailure);
        return 0.0;
    }
    report(ReturnStatus, MStatus::kSuccess);
    return CurveQuery(*shape, path(), space).closestPoint(pt).distance;
}
