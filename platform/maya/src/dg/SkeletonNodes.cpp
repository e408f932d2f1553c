#include "dg/SkeletonNodes.h"

#include <maya/MFnNumericAttribute.h>

#include "dg/Graph.h"
#include "dg/Node.h"
#include "dg/NodeClass.h"
#include "dg/NodeTypeMaking.h"
#include "dg/SceneState.h"

namespace mayasim {

namespace {

using skeleton::JointTransform;

double number(Node& node, const char* attrName) {
    const Attribute* attr = node.findAttribute(attrName);
    return attr ? pull(node, {attr, -1}).get() : 0.0;
}

MVector triple(Node& node, const char* x, const char* y, const char* z) {
    return MVector(number(node, x), number(node, y), number(node, z));
}

void writeTriple(Node& node, const char* x, const char* y, const char* z, const MVector& value,
                 EditLog* log) {
    const char* names[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        const Attribute* attr = node.findAttribute(names[i]);
        if (sourceOf(node, {attr, -1}))
            continue;  // a driven value (an effector's translate) stays driven
        const double v = value[i];
        setValue(
            node, {attr, -1}, [v](Slot& slot) { slot.set(v); }, log);
    }
}

MEulerRotation euler(const MVector& angles,
                     MEulerRotation::RotationOrder order = MEulerRotation::kXYZ) {
    return MEulerRotation(angles.x, angles.y, angles.z, order);
}

MVector anglesOf(const MEulerRotation& rotation) {
    return MVector(rotation.x, rotation.y, rotation.z);
}

MObject radiusAttribute() {
    MObject attr = typemaking::numeric("radius", "radi", MFnNumericData::kDouble, 1.0);
    MFnNumericAttribute(attr).setMin(0.0);
    return attr;
}

NodeClass& addTransformType(const char* name, unsigned int id, MFn::Type apiType) {
    NodeClass& type = typemaking::addType(
        name, id, apiType, {MFn::kDependencyNode, MFn::kDagNode, MFn::kTransform}, true, {});
    typemaking::addTransformAttributes(type);
    return type;
}

void addJoint() {
    using namespace typemaking;
    NodeClass& type = addTransformType("joint", 0x4a4f494e, MFn::kJoint);
    addAttributes(type,
                  {unitTriple("jointOrient", "jo", MFnUnitAttribute::kAngle), radiusAttribute(),
                   numeric("segmentScaleCompensate", "ssc", MFnNumericData::kBoolean, 1.0),
                   numericTriple("inverseScale", "is", MFnNumericData::kDouble, 1.0),
                   numeric("jointTypeX", "jtx", MFnNumericData::kBoolean, 1.0),
                   numeric("jointTypeY", "jty", MFnNumericData::kBoolean, 1.0),
                   numeric("jointTypeZ", "jtz", MFnNumericData::kBoolean, 1.0),
                   unitTriple("preferredAngle", "pa", MFnUnitAttribute::kAngle),
                   enumeration("drawStyle", "ds", 0, {"Bone", "Multi-child as Box", "None"})});
}

void addIkHandle() {
    using namespace typemaking;
    NodeClass& type = addTransformType("ikHandle", 0x4b494b48, MFn::kIkHandle);
    addAttributes(
        type, {message("startJoint", "hsj"), message("endEffector", "hee"),
               message("ikSolver", "hsv"), numeric("priority", "pri", MFnNumericData::kInt, 1.0),
               numeric("weight", "w", MFnNumericData::kDouble, 1.0),
               numeric("poWeight", "pow", MFnNumericData::kDouble, 1.0),
               enumeration("stickiness", "stk", 0, {"off", "sticky"}),
               numeric("snapEnable", "snp", MFnNumericData::kBoolean, 1.0),
               numeric("solverEnable", "hse", MFnNumericData::kBoolean, 1.0)});
}

void addIkEffector() {
    using namespace typemaking;
    NodeClass& type = addTransformType("ikEffector", 0x4b494b45, MFn::kIkEffector);
    addAttributes(type, {message("handlePath", "hp", true),
                         numeric("hideDisplay", "hd", MFnNumericData::kBoolean, 0.0)});
}

void addPointEmitter() {
    using namespace typemaking;
    NodeClass& type = addTransformType("pointEmitter", 0x59454d54, MFn::kEmitter);
    addAttributes(type, {enumeration("emitterType", "emt", 0,
                                     {"Directional", "Omni", "Surface", "Curve", "Volume"}),
                         numeric("rate", "rat", MFnNumericData::kDouble, 100.0),
                         numeric("speed", "spd", MFnNumericData::kDouble, 1.0),
                         numeric("directionX", "dx", MFnNumericData::kDouble, 1.0),
                         numeric("directionY", "dy", MFnNumericData::kDouble, 0.0),
                         numeric("directionZ", "dz", MFnNumericData::kDouble, 0.0),
                         numeric("spread", "spr", MFnNumericData::kDouble, 0.0),
                         numeric("minDistance", "mnd", MFnNumericData::kDouble, 0.0),
                         numeric("maxDistance", "mxd", MFnNumericData::kDouble, 0.0)});
}

// The solvers an IK handle names through its ikSolver connection.
void addIkSolvers() {
    typemaking::addType("ikSCsolver", 0x4b534353, MFn::kDependencyNode, {MFn::kDependencyNode},
                        false, {});
    typemaking::addType("ikRPsolver", 0x4b525053, MFn::kDependencyNode, {MFn::kDependencyNode},
                        false, {});
}

}  // namespace

void addSkeletonTypes() {
    addJoint();
    addIkHandle();
    addIkEffector();
    addIkSolvers();
    addPointEmitter();
}

JointTransform jointTransform(Node& joint) {
    JointTransform t;
    t.translate = triple(joint, "tx", "ty", "tz");
    t.rotate = euler(triple(joint, "rx", "ry", "rz"),
                     static_cast<MEulerRotation::RotationOrder>(number(joint, "ro")));
    t.rotateAxis = euler(triple(joint, "rax", "ray", "raz"));
    t.jointOrient = euler(triple(joint, "jox", "joy", "joz"));
    t.scale = triple(joint, "sx", "sy", "sz");
    if (number(joint, "ssc") != 0.0)
        t.inverseScale = triple(joint, "isx", "isy", "isz");
    return t;
}

void setJointTransform(Node& joint, const JointTransform& t, EditLog* log) {
    writeTriple(joint, "tx", "ty", "tz", t.translate, log);
    writeTriple(joint, "rx", "ry", "rz", anglesOf(t.rotate), log);
    writeTriple(joint, "rax", "ray", "raz", anglesOf(t.rotateAxis), log);
    writeTriple(joint, "jox", "joy", "joz", anglesOf(t.jointOrient), log);
    writeTriple(joint, "sx", "sy", "sz", t.scale, log);
}

MMatrix jointMatrix(Node& joint) {
    return skeleton::jointLocalMatrix(jointTransform(joint));
}

Node* messageSource(Node& node, const char* attribute) {
    const Attribute* attr = node.findAttribute(attribute);
    if (!attr)
        return nullptr;
    const auto source = sourceOf(node, {attr, -1});
    return source ? source->node : nullptr;
}

}  // namespace mayasim
