#include <maya/MFnIkHandle.h>

#include "dg/Graph.h"
#include "dg/Node.h"
#include "dg/SceneState.h"
#include "dg/SkeletonNodes.h"

namespace {

using mayasim::Node;

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

Node* handleOf(const MObject& object) {
    Node* node = mayasim::nodeOf(object);
    return node && node->hasFn(MFn::kIkHandle) ? node : nullptr;
}

MStatus pathOfSource(Node* handle, const char* attribute, MDagPath& path) {
    Node* source = handle ? mayasim::messageSource(*handle, attribute) : nullptr;
    if (!source)
        return MStatus::kFailure;
    path = mayasim::pathOf(*source);
    return MStatus::kSuccess;
}

// Replaces whatever feeds `attribute` by `source`'s `output` plug.
MStatus connectInput(Node& handle, const char* attribute, Node& source, const char* output,
                     int outputIndex = -1) {
    const mayasim::PlugKey input{handle.findAttribute(attribute), -1};
    if (auto previous = mayasim::sourceOf(handle, input))
        mayasim::disconnectPlugs(*previous->node, previous->key, handle, input, nullptr);
    return mayasim::connectPlugs(source, {source.findAttribute(output), outputIndex}, handle, input,
                                 true, nullptr);
}

double number(const Node& handle, const char* attribute) {
    Node& node = const_cast<Node&>(handle);
    return mayasim::pull(node, {node.findAttribute(attribute), -1}).get();
}

MStatus setNumber(Node* handle, const char* attribute, double value) {
    if (!handle)
        return MStatus::kFailure;
    mayasim::assign(*handle, {handle->findAttribute(attribute), -1},
                    [value](mayasim::Slot& slot) { slot.set(value); });
    return MStatus::kSuccess;
}

}  // namespace

MObject MFnIkHandle::create(MDagPath& startJoint, MDagPath& effector, MStatus* ReturnStatus) {
    Node* start = mayasim::nodeOf(startJoint.node());
    Node* end = mayasim::nodeOf(effector.node());
    if (!start || !start->hasFn(MFn::kJoint) || !end || !end->hasFn(MFn::kIkEffector) ||
        !end->parent || !mayasim::isAncestor(*start, *end)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<Node> handle;
    const MStatus status =
        mayasim::createNodeOfType("ikHandle", "ikHandle1", nullptr, nullptr, handle);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    object_ = handle->handle();
    path_ = MDagPath();
    setStartJointAndEffector(startJoint, effector);
    const MMatrix world = effector.inclusiveMatrix();
    setNumber(handle.get(), "tx", world[3][0]);
    setNumber(handle.get(), "ty", world[3][1]);
    setNumber(handle.get(), "tz", world[3][2]);
    return object_;
}

MStatus MFnIkHandle::getStartJoint(MDagPath& jointPath) {
    return pathOfSource(handleOf(object_), "startJoint", jointPath);
}

MStatus MFnIkHandle::setStartJoint(const MDagPath& jointPath) {
    Node* handle = handleOf(object_);
    Node* joint = mayasim::nodeOf(jointPath.node());
    if (!handle || !joint || !joint->hasFn(MFn::kJoint))
        return MStatus::kInvalidParameter;
    return connectInput(*handle, "startJoint", *joint, "message");
}

MStatus MFnIkHandle::getEffector(MDagPath& effectorPath) {
    return pathOfSource(handleOf(object_), "endEffector", effectorPath);
}

MStatus MFnIkHandle::setEffector(const MDagPath& effectorPath) {
    Node* handle = handleOf(object_);
    Node* effector = mayasim::nodeOf(effectorPath.node());
    if (!handle || !effector || !effector->hasFn(MFn::kIkEffector))
        return MStatus::kInvalidParameter;
    return connectInput(*handle, "endEffector", *effector, "handlePath", 0);
}

MStatus MFnIkHandle::setStartJointAndEffector(const MDagPath& jointPath,
                                              const MDagPath& effectorPath) {
    const MStatus status = setStartJoint(jointPath);
    return status ? setEffector(effectorPath) : status;
}

unsigned int MFnIkHandle::priority(MStatus* ReturnStatus) {
    Node* handle = handleOf(object_);
    report(ReturnStatus, handle ? MStatus::kSuccess : MStatus::kFailure);
    return handle ? static_cast<unsigned int>(number(*handle, "priority")) : 0;
}

MStatus MFnIkHandle::setPriority(unsigned int priority) {
    return setNumber(handleOf(object_), "priority", priority);
}

double MFnIkHandle::weight(MStatus* ReturnStatus) const {
    Node* handle = handleOf(object_);
    report(ReturnStatus, handle ? MStatus::kSuccess : MStatus::kFailure);
    return handle ? number(*handle, "weight") : 0.0;
}

MStatus MFnIkHandle::setWeight(double weight) {
    return setNumber(handleOf(object_), "weight", weight);
}

double MFnIkHandle::poWeight(MStatus* ReturnStatus) const {
    Node* handle = handleOf(object_);
    report(ReturnStatus, handle ? MStatus::kSuccess : MStatus::kFailure);
    return handle ? number(*handle, "poWeight") : 0.0;
}

MStatus MFnIkHandle::setPOWeight(double weight) {
    return setNumber(handleOf(object_), "poWeight", weight);
}

MObject MFnIkHandle::solver(MStatus* ReturnStatus) const {
    Node* handle = handleOf(object_);
    Node* solverNode = handle ? mayasim::messageSource(*handle, "ikSolver") : nullptr;
    report(ReturnStatus, solverNode ? MStatus::kSuccess : MStatus::kFailure);
    return solverNode ? solverNode->handle() : MObject();
}

MStatus MFnIkHandle::setSolver(const MObject& solverObject) {
    Node* handle = handleOf(object_);
    Node* solverNode = mayasim::nodeOf(solverObject);
    if (!handle || !solverNode)
        return MStatus::kInvalidParameter;
    return connectInput(*handle, "ikSolver", *solverNode, "message");
}

MStatus MFnIkHandle::setSolver(const MString& solverName) {
    Node* solverNode = mayasim::findNodeByName(solverName.asChar());
    return solverNode ? setSolver(solverNode->handle()) : MStatus::kInvalidParameter;
}
