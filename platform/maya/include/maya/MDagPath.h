#pragma once
// A path from the world to a DAG node: the chain of nodes walked through the hierarchy.

#include <vector>

#include <maya/MFn.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MDagPathArray;

class MDagPath {
public:
    MDagPath() = default;
    MDagPath(const MDagPath&) = default;
    virtual ~MDagPath() = default;
    MDagPath& operator=(const MDagPath&) = default;
    bool operator==(const MDagPath& other) const { return nodes_ == other.nodes_; }
    bool operator!=(const MDagPath& other) const { return nodes_ != other.nodes_; }
    MStatus set(const MDagPath& src);

    static MStatus getAPathTo(const MObject& node, MDagPath& path);
    static MDagPath getAPathTo(const MObject& node, MStatus* ReturnStatus = NULL);
    static MStatus getAllPathsTo(const MObject& node, MDagPathArray& paths);

    bool hasFn(MFn::Type type, MStatus* ReturnStatus = NULL) const;
    MFn::Type apiType(MStatus* ReturnStatus = NULL) const;
    bool isValid(MStatus* ReturnStatus = NULL) const;
    MObject node(MStatus* ReturnStatus = NULL) const;
    MObject transform(MStatus* ReturnStatus = NULL) const;
    unsigned int length(MStatus* ReturnStatus = NULL) const;
    MStatus extendToShape();
    MStatus extendToShapeDirectlyBelow(unsigned int index);
    MStatus numberOfShapesDirectlyBelow(unsigned int& count) const;
    MStatus push(const MObject& child);
    MStatus pop(unsigned int num = 1);
    unsigned int childCount(MStatus* ReturnStatus = NULL) const;
    MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;

    MMatrix inclusiveMatrix(MStatus* ReturnStatus = NULL) const;
    MMatrix exclusiveMatrix(MStatus* ReturnStatus = NULL) const;
    MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
    MMatrix exclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;

    unsigned int pathCount(MStatus* ReturnStatus = NULL) const;
    MStatus getPath(MDagPath& path, unsigned int i = 0) const;
    MString fullPathName(MStatus* ReturnStatus = NULL) const;
    MString partialPathName(MStatus* ReturnStatus = NULL) const;
    bool isInstanced(MStatus* ReturnStatus = NULL) const;
    unsigned int instanceNumber(MStatus* ReturnStatus = NULL) const;

private:
    bool stale() const;

    std::vector<MObject> nodes_;  // top-level node first; empty for the world
};
