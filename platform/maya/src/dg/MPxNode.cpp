#include <maya/MPxNode.h>

#include <maya/MDataBlock.h>
#include <maya/MPlug.h>

#include "dg/BuiltinTypes.h"
#include "dg/Node.h"
#include "dg/NodeAccess.h"
#include "dg/NodeClass.h"

namespace {

MObject baseAttribute(size_t index) {
    return mayasim::ObjectAccess::wrap(mayasim::dependNodeAttributes()[index]);
}

mayasim::Attribute* attributeToAdd(const MObject& attr, MStatus& status) {
    mayasim::Attribute* attribute = mayasim::attributeOf(attr);
    status =
        attribute && mayasim::initializingClass() ? MStatus::kSuccess : MStatus::kInvalidParameter;
    return status ? attribute : nullptr;
}

}  // namespace

MObject MPxNode::message = baseAttribute(0);
MObject MPxNode::isHistoricallyInteresting = baseAttribute(1);
MObject MPxNode::caching = baseAttribute(2);
MObject MPxNode::state = baseAttribute(3);

MPxNode::MPxNode() = default;
MPxNode::~MPxNode() = default;

void MPxNode::postConstructor() {}

MStatus MPxNode::compute(const MPlug&, MDataBlock&) {
    return MStatus::kUnknownParameter;
}

MPxNode::Type MPxNode::type() const {
    return kDependNode;
}

bool MPxNode::isAbstractClass() const {
    return false;
}

MStatus MPxNode::addAttribute(const MObject& attr) {
    MStatus status;
    mayasim::Attribute* attribute = attributeToAdd(attr, status);
    if (!status)
        return status;
    mayasim::NodeClass& type = *mayasim::initializingClass();
    const mayasim::Attribute* top = attribute->root();
    for (const auto& existing : type.attributes) {
        if (existing.get() == top)
            return MStatus::kSuccess;  // children come with parents
    }
    if (attribute->parent)
        return MStatus::kInvalidParameter;
    std::vector<const mayasim::Attribute*> names{attribute};
    for (const auto& child : attribute->children)
        names.push_back(child.get());
    for (const mayasim::Attribute* named : names) {
        if (type.findAttribute(named->longName) || type.findAttribute(named->shortName)) {
            return MStatus::kInvalidParameter;
        }
    }
    type.attributes.push_back(
        std::static_pointer_cast<mayasim::Attribute>(attribute->shared_from_this()));
    return MStatus::kSuccess;
}

MStatus MPxNode::inheritAttributesFrom(const MString&) {
    return MStatus::kNotImplemented;
}

MStatus MPxNode::attributeAffects(const MObject& whenChanges, const MObject& isAffected) {
    mayasim::NodeClass* type = mayasim::initializingClass();
    const mayasim::Attribute* source = mayasim::attributeOf(whenChanges);
    const mayasim::Attribute* target = mayasim::attributeOf(isAffected);
    if (!type || !source || !target)
        return MStatus::kInvalidParameter;
    type->addAffects(source, target);
    return MStatus::kSuccess;
}

MTypeId MPxNode::typeId() const {
    return node_ ? node_->type->id : MTypeId();
}

MString MPxNode::typeName() const {
    return node_ ? MString(node_->type->name.c_str()) : MString();
}

MString MPxNode::name() const {
    return node_ ? MString(node_->name.c_str()) : MString();
}

MObject MPxNode::thisMObject() const {
    return node_ ? node_->handle() : MObject();
}

MStatus MPxNode::setExistWithoutInConnections(bool flag) {
    existWithoutInConnections_ = flag;
    return MStatus::kSuccess;
}

bool MPxNode::existWithoutInConnections(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return existWithoutInConnections_;
}

MStatus MPxNode::setExistWithoutOutConnections(bool flag) {
    existWithoutOutConnections_ = flag;
    return MStatus::kSuccess;
}

bool MPxNode::existWithoutOutConnections(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return existWithoutOutConnections_;
}
