#include <maya/MItCurveCV.h>

#include "dg/Node.h"
#include "dg/NurbsComponents.h"
#include "dg/NurbsNodes.h"

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

mayasim::Node* curveShape(const MObject& object) {
    mayasim::Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kNurbsCurve) ? node : nullptr;
}

}  // namespace

MItCurveCV::MItCurveCV(MObject& curve, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(curve), MObject(), ReturnStatus);
}

MItCurveCV::MItCurveCV(const MDagPath& curve, MObject& component, MStatus* ReturnStatus) {
    init(curve, component, ReturnStatus);
}

void MItCurveCV::init(const MDagPath& path, const MObject& component, MStatus* ReturnStatus) {
    path_ = path;
    if (!path_.node().hasFn(MFn::kNurbsCurve))
        path_.extendToShape();
    shape_ = path_.node();
    mayasim::Node* shape = curveShape(shape_);
    if (!shape ||
        !mayasim::curveCVsOf(component, mayasim::curveGeometry(*shape).numCVs(), indices_)) {
        shape_ = MObject();
        report(ReturnStatus, MStatus::kInvalidParameter);
        return;
    }
    report(ReturnStatus, MStatus::kSuccess);
}

MMatrix MItCurveCV::toSpace(MSpace::Space space) const {
    return space == MSpace::kWorld ? path_.inclusiveMatrix() : MMatrix();
}

bool MItCurveCV::isDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return position_ >= indices_.size();
}

MStatus MItCurveCV::next() {
    if (position_ >= indices_.size())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItCurveCV::reset() {
    position_ = 0;
    return MStatus::kSuccess;
}

MPoint MItCurveCV::position(MSpace::Space space, MStatus* ReturnStatus) const {
    mayasim::Node* shape = curveShape(shape_);
    if (!shape || position_ >= indices_.size()) {
        report(ReturnStatus, MStatus::kFailure);
        return MPoint();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return mayasim::curveGeometry(*shape).cv(indices_[position_]) * toSpace(space);
}

MStatus MItCurveCV::setPosition(const MPoint& pt, MSpace::Space space) {
    mayasim::Node* shape = curveShape(shape_);
    if (!shape || position_ >= indices_.size())
        return MStatus::kFailure;
    mayasim::setCurveCVs(*shape, {{indices_[position_], pt * toSpace(space).inverse()}}, nullptr);
    return MStatus::kSuccess;
}

MStatus MItCurveCV::translateBy(const MVector& vec, MSpace::Space space) {
    MStatus status;
    const MPoint current = position(space, &status);
    return status ? setPosition(current + vec, space) : status;
}

int MItCurveCV::index(MStatus* ReturnStatus) const {
    const bool valid = position_ < indices_.size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kFailure);
    return valid ? indices_[position_] : -1;
}

MObject MItCurveCV::currentItem(MStatus* ReturnStatus) const {
    const bool valid = position_ < indices_.size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kFailure);
    return valid ? mayasim::curveCVComponent({indices_[position_]}) : MObject();
}

MStatus MItCurveCV::updateCurve() {
    return curveShape(shape_) ? MStatus::kSuccess : MStatus::kFailure;
}
