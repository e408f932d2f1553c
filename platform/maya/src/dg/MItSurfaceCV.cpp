#include <maya/MItSurfaceCV.h>

#include <algorithm>

#include "dg/Node.h"
#include "dg/NurbsComponents.h"
#include "dg/NurbsNodes.h"

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

mayasim::Node* surfaceShape(const MObject& object) {
    mayasim::Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kNurbsSurface) ? node : nullptr;
}

}  // namespace

MItSurfaceCV::MItSurfaceCV(const MObject& surface, bool useURows, MStatus* ReturnStatus) {
    init(MDagPath::getAPathTo(surface), MObject(), useURows, ReturnStatus);
}

MItSurfaceCV::MItSurfaceCV(const MDagPath& surface, const MObject& component, bool useURows,
                           MStatus* ReturnStatus) {
    init(surface, component, useURows, ReturnStatus);
}

void MItSurfaceCV::init(const MDagPath& path, const MObject& component, bool useURows,
                        MStatus* ReturnStatus) {
    path_ = path;
    if (!path_.node().hasFn(MFn::kNurbsSurface))
        path_.extendToShape();
    shape_ = path_.node();
    mayasim::Node* shape = surfaceShape(shape_);
    if (!shape) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return;
    }
    const auto& surface = mayasim::surfaceGeometry(*shape);
    countV_ = surface.numCVsInV();
    if (!mayasim::surfaceCVsOf(component, surface.numCVsInU(), countV_, cvs_)) {
        shape_ = MObject();
        cvs_.clear();
        report(ReturnStatus, MStatus::kInvalidParameter);
        return;
    }
    // Rows of one u (or one v) index, in index order; within a row the other index ascends.
    auto rowOf = [useURows](const std::pair<int, int>& cv) {
        return useURows ? cv.first : cv.second;
    };
    auto alongRow = [useURows](const std::pair<int, int>& cv) {
        return useURows ? cv.second : cv.first;
    };
    std::stable_sort(cvs_.begin(), cvs_.end(), [&](const auto& a, const auto& b) {
        return rowOf(a) != rowOf(b) ? rowOf(a) < rowOf(b) : alongRow(a) < alongRow(b);
    });
    for (size_t i = 0; i < cvs_.size(); ++i) {
        if (i == 0 || rowOf(cvs_[i]) != rowOf(cvs_[i - 1]))
            rowStarts_.push_back(i);
    }
    rowStarts_.push_back(cvs_.size());
    report(ReturnStatus, MStatus::kSuccess);
}

MMatrix MItSurfaceCV::toSpace(MSpace::Space space) const {
    return space == MSpace::kWorld ? path_.inclusiveMatrix() : MMatrix();
}

bool MItSurfaceCV::valid() const {
    return !isDone() && !isRowDone() && surfaceShape(shape_);
}

bool MItSurfaceCV::isDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return row_ + 1 >= rowStarts_.size();
}

bool MItSurfaceCV::isRowDone(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return isDone() || position_ >= rowStarts_[row_ + 1];
}

MStatus MItSurfaceCV::next() {
    if (isRowDone())
        return MStatus::kFailure;
    ++position_;
    return MStatus::kSuccess;
}

MStatus MItSurfaceCV::nextRow() {
    if (isDone())
        return MStatus::kFailure;
    ++row_;
    position_ = rowStarts_[row_];
    return MStatus::kSuccess;
}

MStatus MItSurfaceCV::reset() {
    row_ = 0;
    position_ = 0;
    return MStatus::kSuccess;
}

MPoint MItSurfaceCV::position(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!valid()) {
        report(ReturnStatus, MStatus::kFailure);
        return MPoint();
    }
    report(ReturnStatus, MStatus::kSuccess);
    const auto& [u, v] = cvs_[position_];
    return mayasim::surfaceGeometry(*surfaceShape(shape_)).cv(u, v) * toSpace(space);
}

MStatus MItSurfaceCV::setPosition(const MPoint& point, MSpace::Space space) {
    if (!valid())
        return MStatus::kFailure;
    const auto& [u, v] = cvs_[position_];
    // As in Maya, the forms are brought up to date by updateSurface.
    mayasim::setSurfaceCVs(*surfaceShape(shape_),
                           {{u * countV_ + v, point * toSpace(space).inverse()}}, nullptr, true);
    return MStatus::kSuccess;
}

MStatus MItSurfaceCV::translateBy(const MVector& vec, MSpace::Space space) {
    MStatus status;
    const MPoint current = position(space, &status);
    return status ? setPosition(current + vec, space) : status;
}

int MItSurfaceCV::index(MStatus* ReturnStatus) const {
    const bool ok = valid();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
    return ok ? cvs_[position_].first * countV_ + cvs_[position_].second : -1;
}

MStatus MItSurfaceCV::getIndex(int& indexU, int& indexV) const {
    if (!valid())
        return MStatus::kFailure;
    indexU = cvs_[position_].first;
    indexV = cvs_[position_].second;
    return MStatus::kSuccess;
}

MObject MItSurfaceCV::currentItem(MStatus* ReturnStatus) const {
    const bool ok = valid();
    report(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
    return ok ? mayasim::surfaceCVComponent({cvs_[position_]}) : MObject();
}

MStatus MItSurfaceCV::updateSurface() {
    mayasim::Node* shape = surfaceShape(shape_);
    if (!shape)
        return MStatus::kFailure;
    mayasim::updateSurfaceForms(*shape);
    return MStatus::kSuccess;
}
