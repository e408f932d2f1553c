#pragma once
// Walks every dependency node of the scene in creation order, optionally filtered.

#include <vector>

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

class MItDependencyNodes {
public:
    MItDependencyNodes(MFn::Type filter = MFn::kInvalid, MStatus* ReturnStatus = NULL);
    virtual ~MItDependencyNodes() = default;

    MStatus reset(MFn::Type filter = MFn::kInvalid);
    MObject thisNode(MStatus* ReturnStatus = NULL) const;
    MObject item(MStatus* ReturnStatus = NULL) const { return thisNode(ReturnStatus); }
    MStatus next();
    bool isDone(MStatus* ReturnStatus = NULL) const;

private:
    std::vector<MObject> nodes_;
    unsigned int position_ = 0;
};
