#pragma once
// Walks the DAG below a root (the world by default), depth or breadth first, optionally
// only the nodes of one function set type.

#include <vector>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MDagPathArray;

class MItDag {
public:
    enum TraversalType { kInvalidType = 0, kDepthFirst, kBreadthFirst };

    MItDag(TraversalType type = kDepthFirst, MFn::Type filter = MFn::kInvalid,
           MStatus* ReturnStatus = NULL);
    virtual ~MItDag() = default;

    MStatus reset();
    MStatus reset(const MObject& object, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);
    MStatus reset(const MDagPath& path, TraversalType type = kDepthFirst,
                  MFn::Type filter = MFn::kInvalid);
    MObject item(MStatus* ReturnStatus = NULL);
    MObject currentItem(MStatus* ReturnStatus = NULL) { return item(ReturnStatus); }
    MStatus next();
    MStatus prune();
    bool isDone(MStatus* ReturnStatus = NULL) const;
    MObject root(MStatus* ReturnStatus = NULL);
    unsigned int depth(MStatus* ReturnStatus = NULL) const;
    TraversalType getType(MStatus* ReturnStatus = NULL) const;
    MStatus getPath(MDagPath& path) const;
    MStatus getAllPaths(MDagPathArray& paths) const;
    MString fullPathName(MStatus* ReturnStatus = NULL) const;
    MString partialPathName(MStatus* ReturnStatus = NULL) const;
    bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;
    MStatus traverseUnderWorld(bool flag);
    bool willTraverseUnderWorld(MStatus* ReturnStatus = NULL) const;

private:
    void build();
    void skipFiltered();

    MDagPath root_;
    TraversalType type_;
    MFn::Type filter_;
    std::vector<MDagPath> order_;  // the walk, computed at reset
    std::vector<unsigned int> depths_;
    unsigned int position_ = 0;
};
