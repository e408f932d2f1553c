#pragma once
// Function set for DAG nodes: hierarchy, paths, local matrix and object-space bounds.

#include <maya/MBoundingBox.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MMatrix.h>

class MDagPathArray;

#define kMFnDagNodeNextPos 0xff

// Function set constructors for sets that also attach to a DAG path.
#define declareDagMFnConstructors(MFnClass)                         \
    MFnClass() = default;                                           \
    MFnClass(MObject& object, MStatus* ReturnStatus = NULL) {       \
        attach(object, ReturnStatus);                               \
    }                                                               \
    MFnClass(const MObject& object, MStatus* ReturnStatus = NULL) { \
        attach(object, ReturnStatus);                               \
    }                                                               \
    MFnClass(const MDagPath& path, MStatus* ReturnStatus = NULL) {  \
        attachPath(path, ReturnStatus);                             \
    }

class MFnDagNode : public MFnDependencyNode {
public:
    enum { kNextPos = kMFnDagNodeNextPos };

    declareDagMFnConstructors(MFnDagNode)

        MFn::Type type() const override {
        return MFn::kDagNode;
    }
    MStatus setObject(MObject& object) override;
    MStatus setObject(const MObject& object) override;
    virtual MStatus setObject(const MDagPath& path);

    MObject create(const MString& type, const MObject& parent = MObject::kNullObj,
                   MStatus* ReturnStatus = NULL);
    MObject create(const MString& type, const MString& name,
                   const MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    unsigned int parentCount(MStatus* ReturnStatus = NULL) const;
    MObject parent(unsigned int i, MStatus* ReturnStatus = NULL) const;
    unsigned int childCount(MStatus* ReturnStatus = NULL) const;
    MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;
    MStatus addChild(MObject& child, unsigned int index = kNextPos,
                     bool keepExistingParents = false);
    MStatus removeChild(MObject& child);
    bool hasParent(const MObject& node, MStatus* ReturnStatus = NULL) const;
    bool hasChild(const MObject& node, MStatus* ReturnStatus = NULL) const;
    bool isChildOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
    bool isParentOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
    bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;
    unsigned int instanceCount(bool total, MStatus* ReturnStatus = NULL) const;

    MStatus getPath(MDagPath& path) const;
    MStatus getAllPaths(MDagPathArray& paths) const;
    MDagPath dagPath(MStatus* ReturnStatus = NULL) const;
    MString fullPathName(MStatus* ReturnStatus = NULL) const;
    MString partialPathName(MStatus* ReturnStatus = NULL) const;
    MMatrix transformationMatrix(MStatus* ReturnStatus = NULL) const;
    bool isIntermediateObject(MStatus* ReturnStatus = NULL) const;
    MStatus setIntermediateObject(bool isIntermediate);
    MBoundingBox boundingBox(MStatus* ReturnStatus = NULL) const;

protected:
    void attachPath(const MDagPath& path, MStatus* status);
    // The path given, or the node's own path when attached to an object.
    MDagPath path() const;

    MDagPath path_;
};
