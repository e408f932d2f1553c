#include <maya/MFnIkJoint.h>

#include "dg/Graph.h"
#include "dg/Node.h"

namespace {

using mayasim::Node;

Node* jointOf(const MObject& object) {
    Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kJoint) ? node : nullptr;
}

MEulerRotation readRotation(Node& joint, const char* x, const char* y, const char* z) {
    auto read = [&](const char* name) {
        return mayasim::pull(joint, {joint.findAttribute(name), -1}).get();
    };
    return MEulerRotation(read(x), read(y), read(z));
}

void writeNumbers(Node& joint, std::initializer_list<std::pair<const char*, double>> values) {
    for (const auto& [name, value] : values) {
        const double v = value;
        mayasim::assign(joint, {joint.findAttribute(name), -1},
                        [v](mayasim::Slot& s) { s.set(v); });
    }
}

void writeRotation(Node& joint, const char* x, const char* y, const char* z,
                   const MEulerRotation& rotation) {
    writeNumbers(joint, {{x, rotation.x}, {y, rotation.y}, {z, rotation.z}});
}

}  // namespace

MObject MFnIkJoint::create(MObject parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("joint", parent, ReturnStatus);
}

MStatus MFnIkJoint::getOrientation(MQuaternion& quaternion) const {
    MEulerRotation rotation;
    const MStatus status = getOrientation(rotation);
    if (status)
        quaternion = rotation.asQuaternion();
    return status;
}

MStatus MFnIkJoint::setOrientation(const MQuaternion& quaternion) {
    return setOrientation(quaternion.asEulerRotation());
}

MStatus MFnIkJoint::getOrientation(MEulerRotation& rotation) const {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    rotation = readRotation(*joint, "jox", "joy", "joz");
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::setOrientation(const MEulerRotation& rotation) {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    writeRotation(*joint, "jox", "joy", "joz", rotation.reorder(MEulerRotation::kXYZ));
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::getScaleOrientation(MQuaternion& quaternion) const {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    quaternion = readRotation(*joint, "rax", "ray", "raz").asQuaternion();
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::setScaleOrientation(const MQuaternion& quaternion) {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    writeRotation(*joint, "rax", "ray", "raz", quaternion.asEulerRotation());
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::getSegmentScale(double scale[3]) const {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    const char* names[3] = {"isx", "isy", "isz"};
    for (int i = 0; i < 3; ++i)
        scale[i] = mayasim::pull(*joint, {joint->findAttribute(names[i]), -1}).get();
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::getDegreesOfFreedom(bool& freeInX, bool& freeInY, bool& freeInZ) const {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    auto read = [&](const char* name) {
        return mayasim::pull(*joint, {joint->findAttribute(name), -1}).get() != 0.0;
    };
    freeInX = read("jtx");
    freeInY = read("jty");
    freeInZ = read("jtz");
    return MStatus::kSuccess;
}

MStatus MFnIkJoint::setDegreesOfFreedom(bool freeInX, bool freeInY, bool freeInZ) {
    Node* joint = jointOf(object_);
    if (!joint)
        return MStatus::kFailure;
    writeNumbers(
        *joint,
        {{"jtx", freeInX ? 1.0 : 0.0}, {"jty", freeInY ? 1.0 : 0.0}, {"jtz", freeInZ ? 1.0 : 0.0}});
    return MStatus::kSuccess;
}
