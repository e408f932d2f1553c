#pragma once
// Walks the CVs of a NURBS surface row by row: with useURows a row holds the CVs of one u
// index (v varying), otherwise of one v index (u varying).

#include <utility>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MItSurfaceCV {
public:
    MItSurfaceCV(const MObject& surface, bool useURows = true, MStatus* ReturnStatus = NULL);
    MItSurfaceCV(const MDagPath& surface, const MObject& component = MObject::kNullObj,
                 bool useURows = true, MStatus* ReturnStatus = NULL);
    virtual ~MItSurfaceCV() = default;

    bool isDone(MStatus* ReturnStatus = NULL) const;
    bool isRowDone(MStatus* ReturnStatus = NULL) const;
    MStatus next();
    MStatus nextRow();
    MStatus reset();
    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
    MStatus setPosition(const MPoint& point, MSpace::Space space = MSpace::kObject);
    MStatus translateBy(const MVector& vec, MSpace::Space space = MSpace::kObject);
    //! The CV's flat index, u * numCVsInV + v.
    int index(MStatus* ReturnStatus = NULL) const;
    MStatus getIndex(int& indexU, int& indexV) const;
    //! A surface CV component of the current CV.
    MObject currentItem(MStatus* ReturnStatus = NULL) const;
    //! Re-derives the surface's forms after the iterator moved CVs.
    MStatus updateSurface();

private:
    void init(const MDagPath& path, const MObject& component, bool useURows, MStatus* ReturnStatus);
    MMatrix toSpace(MSpace::Space space) const;
    bool valid() const;

    MDagPath path_;
    MObject shape_;
    int countV_ = 0;
    // The CVs to visit, grouped in rows; rowStarts_ holds where each row begins, plus the end.
    std::vector<std::pair<int, int>> cvs_;
    std::vector<size_t> rowStarts_;
    size_t row_ = 0;
    size_t position_ = 0;
};
