#pragma once
// A DG modifier that also creates DAG nodes under a parent and reparents them.

#include <maya/MDGModifier.h>

class MDagModifier : public MDGModifier {
public:
    MDagModifier() = default;
    ~MDagModifier() override = default;

    using MDGModifier::createNode;
    // A shape type gets a new transform as its parent when `parent` is null, as in Maya.
    MObject createNode(const MString& type, const MObject& parent = MObject::kNullObj,
                       MStatus* ReturnStatus = NULL);
    MObject createNode(const MTypeId& typeId, const MObject& parent = MObject::kNullObj,
                       MStatus* ReturnStatus = NULL);
    MStatus reparentNode(const MObject& node, const MObject& newParent = MObject::kNullObj);
};
