#pragma once
// Base class of a plug-in's dependency nodes: the scene creates one per node of the type
// and calls compute when a dirty output is read.

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

class MPlug;
class MDataBlock;

namespace mayasim {
class Node;
struct NodeAccess;
}  // namespace mayasim

class MPxNode {
public:
    enum Type {
        kDependNode = 0,
        kLocatorNode,
        kDeformerNode,
        kManipContainer,
        kSurfaceShape,
        kFieldNode,
        kEmitterNode,
        kSpringNode,
        kIkSolverNode,
        kHardwareShader,
        kHwShaderNode,
        kTransformNode,
        kObjectSet,
        kFluidEmitterNode,
        kImagePlaneNode,
        kParticleAttributeMapperNode,
        kCameraSetNode,
        kConstraintNode,
        kManipulatorNode,
        kLast
    };

    MPxNode();
    MPxNode(const MPxNode&) = delete;
    MPxNode& operator=(const MPxNode&) = delete;
    virtual ~MPxNode();

    virtual void postConstructor();
    // Returns MS::kUnknownParameter for plugs the node does not compute.
    virtual MStatus compute(const MPlug& plug, MDataBlock& dataBlock);
    virtual Type type() const;
    virtual bool isAbstractClass() const;

    static MStatus addAttribute(const MObject& attr);
    static MStatus inheritAttributesFrom(const MString& parentClassName);
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

    MTypeId typeId() const;
    MString typeName() const;
    MString name() const;
    MObject thisMObject() const;

    MStatus setExistWithoutInConnections(bool flag);
    bool existWithoutInConnections(MStatus* ReturnStatus = NULL) const;
    MStatus setExistWithoutOutConnections(bool flag);
    bool existWithoutOutConnections(MStatus* ReturnStatus = NULL) const;

    static MObject message;
    static MObject isHistoricallyInteresting;
    static MObject caching;
    static MObject state;

private:
    friend struct mayasim::NodeAccess;
    mayasim::Node* node_ = nullptr;
    bool existWithoutInConnections_ = true;
    bool existWithoutOutConnections_ = true;
};
