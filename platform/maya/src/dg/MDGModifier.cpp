#include <maya/MDGModifier.h>

#include <maya/MDagModifier.h>

#include <algorithm>

#include "dg/Graph.h"
#include "dg/NodeClass.h"
#include "dg/SceneState.h"

using mayasim::EditLog;
using mayasim::Node;
using mayasim::PlugAccess;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

MDGModifier::MDGModifier() : done_(std::make_unique<EditLog>()) {}

MDGModifier::~MDGModifier() = default;

void MDGModifier::queue(Operation operation) {
    pending_.push_back(std::move(operation));
}

MObject MDGModifier::makeNode(const MString& type, const MObject& parent, MStatus* ReturnStatus) {
    mayasim::NodeClass* nodeClass = mayasim::findNodeClass(type.asChar());
    Node* parentNode = mayasim::nodeOf(parent);
    if (!nodeClass || !nodeClass->creatable || (parentNode && !nodeClass->dag)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    std::shared_ptr<Node> transform;
    if (nodeClass->shape && !parentNode) {
        MStatus status;
        transform =
            mayasim::instantiate(*mayasim::findNodeClass("transform"), "transform1", &status);
        queue([transform](EditLog& log) {
            mayasim::insertNode(transform, nullptr, &log);
            return MStatus(MStatus::kSuccess);
        });
        parentNode = transform.get();
    }
    const std::string defaultName = std::string(type.asChar()) == "mesh"
                                        ? "polySurfaceShape1"
                                        : std::string(type.asChar()) + "1";
    MStatus status;
    std::shared_ptr<Node> node = mayasim::instantiate(*nodeClass, defaultName, &status);
    report(ReturnStatus, status);
    if (!status)
        return MObject();
    std::shared_ptr<Node> parentKeep = parentNode ? parentNode->shared() : nullptr;
    queue([node, parentKeep](EditLog& log) {
        mayasim::insertNode(node, parentKeep.get(), &log);
        return MStatus(MStatus::kSuccess);
    });
    return transform ? transform->handle() : node->handle();
}

MObject MDGModifier::createNode(const MTypeId& typeId, MStatus* ReturnStatus) {
    mayasim::NodeClass* nodeClass = mayasim::findNodeClass(typeId);
    if (!nodeClass) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    return createNode(MString(nodeClass->name.c_str()), ReturnStatus);
}

MObject MDGModifier::createNode(const MString& type, MStatus* ReturnStatus) {
    mayasim::NodeClass* nodeClass = mayasim::findNodeClass(type.asChar());
    if (nodeClass && nodeClass->dag) {
        // DAG nodes go through MDagModifier in Maya.
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    return makeNode(type, MObject(), ReturnStatus);
}

MStatus MDGModifier::deleteNode(const MObject& node) {
    Node* target = mayasim::nodeOf(node);
    if (!target || target == mayasim::scene().time)
        return MStatus::kInvalidParameter;
    std::shared_ptr<Node> keep = target->shared();
    queue([keep](EditLog& log) {
        if (!keep->inScene)
            return MStatus(MStatus::kInvalidParameter);
        mayasim::removeNode(*keep, &log);
        return MStatus(MStatus::kSuccess);
    });
    return MStatus::kSuccess;
}

MStatus MDGModifier::renameNode(const MObject& node, const MString& newName) {
    Node* target = mayasim::nodeOf(node);
    if (!target || newName.length() == 0)
        return MStatus::kInvalidParameter;
    std::shared_ptr<Node> keep = target->shared();
    const std::string name = newName.asChar();
    queue([keep, name](EditLog& log) { return mayasim::renameNode(*keep, name, &log); });
    return MStatus::kSuccess;
}

MStatus MDGModifier::connect(const MObject& sourceNode, const MObject& sourceAttr,
                             const MObject& destNode, const MObject& destAttr) {
    return connect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::connect(const MPlug& source, const MPlug& dest) {
    if (source.isNull() || dest.isNull())
        return MStatus::kInvalidParameter;
    queue([source, dest](EditLog& log) {
        return mayasim::connectPlugs(*PlugAccess::node(source), PlugAccess::key(source),
                                     *PlugAccess::node(dest), PlugAccess::key(dest), false, &log);
    });
    return MStatus::kSuccess;
}

MStatus MDGModifier::disconnect(const MObject& sourceNode, const MObject& sourceAttr,
                                const MObject& destNode, const MObject& destAttr) {
    return disconnect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::disconnect(const MPlug& source, const MPlug& dest) {
    if (source.isNull() || dest.isNull())
        return MStatus::kInvalidParameter;
    queue([source, dest](EditLog& log) {
        return mayasim::disconnectPlugs(*PlugAccess::node(source), PlugAccess::key(source),
                                        *PlugAccess::node(dest), PlugAccess::key(dest), &log);
    });
    return MStatus::kSuccess;
}

MStatus MDGModifier::addAttribute(const MObject& node, const MObject& attribute) {
    Node* target = mayasim::nodeOf(node);
    mayasim::Attribute* attr = mayasim::attributeOf(attribute);
    if (!target || !attr || attr->parent)
        return MStatus::kInvalidParameter;
    std::shared_ptr<Node> keep = target->shared();
    auto attrKeep = std::static_pointer_cast<mayasim::Attribute>(attr->shared_from_this());
    queue([keep, attrKeep](EditLog& log) {
        if (keep->findAttribute(attrKeep->longName) || keep->findAttribute(attrKeep->shortName)) {
            return MStatus(MStatus::kInvalidParameter);
        }
        attrKeep->dynamic = true;
        auto add = [keep, attrKeep] { keep->dynamicAttributes.push_back(attrKeep); };
        auto remove = [keep, attrKeep] {
            auto& list = keep->dynamicAttributes;
            list.erase(std::remove(list.begin(), list.end(), attrKeep), list.end());
        };
        add();
        log.add(remove, add);
        return MStatus(MStatus::kSuccess);
    });
    return MStatus::kSuccess;
}

MStatus MDGModifier::removeAttribute(const MObject& node, const MObject& attribute) {
    Node* target = mayasim::nodeOf(node);
    mayasim::Attribute* attr = mayasim::attributeOf(attribute);
    if (!target || !attr || !attr->dynamic)
        return MStatus::kInvalidParameter;
    std::shared_ptr<Node> keep = target->shared();
    auto attrKeep = std::static_pointer_cast<mayasim::Attribute>(attr->shared_from_this());
    queue([keep, attrKeep](EditLog& log) {
        auto& list = keep->dynamicAttributes;
        auto it = std::find(list.begin(), list.end(), attrKeep);
        if (it == list.end())
            return MStatus(MStatus::kInvalidParameter);
        const size_t position = static_cast<size_t>(it - list.begin());
        auto remove = [keep, attrKeep] {
            auto& attrs = keep->dynamicAttributes;
            attrs.erase(std::remove(attrs.begin(), attrs.end(), attrKeep), attrs.end());
        };
        auto add = [keep, attrKeep, position] {
            auto& attrs = keep->dynamicAttributes;
            attrs.insert(attrs.begin() + static_cast<long>(std::min(position, attrs.size())),
                         attrKeep);
        };
        remove();
        log.add(add, remove);
        return MStatus(MStatus::kSuccess);
    });
    return MStatus::kSuccess;
}

namespace {

std::function<MStatus(EditLog&)> setNumber(const MPlug& plug, double value) {
    return [plug, value](EditLog& log) {
        if (plug.isNull())
            return MStatus(MStatus::kInvalidParameter);
        mayasim::setValue(
            *PlugAccess::node(plug), PlugAccess::key(plug),
            [value](mayasim::Slot& slot) { slot.set(value); }, &log);
        return MStatus(MStatus::kSuccess);
    };
}

}  // namespace

MStatus MDGModifier::newPlugValueBool(const MPlug& plug, bool value) {
    queue(setNumber(plug, value ? 1.0 : 0.0));
    return MStatus::kSuccess;
}

MStatus MDGModifier::newPlugValueShort(const MPlug& plug, short value) {
    queue(setNumber(plug, value));
    return MStatus::kSuccess;
}

MStatus MDGModifier::newPlugValueInt(const MPlug& plug, int value) {
    queue(setNumber(plug, value));
    return MStatus::kSuccess;
}

MStatus MDGModifier::newPlugValueFloat(const MPlug& plug, float value) {
    queue(setNumber(plug, value));
    return MStatus::kSuccess;
}

MStatus MDGModifier::newPlugValueDouble(const MPlug& plug, double value) {
    queue(setNumber(plug, value));
    return MStatus::kSuccess;
}

MStatus MDGModifier::newPlugValueString(const MPlug& plug, const MString& value) {
    queue([plug, value](EditLog& log) {
        if (plug.isNull())
            return MStatus(MStatus::kInvalidParameter);
        mayasim::setValue(
            *PlugAccess::node(plug), PlugAccess::key(plug),
            [value](mayasim::Slot& slot) { slot.str = value; }, &log);
        return MStatus(MStatus::kSuccess);
    });
    return MStatus::kSuccess;
}

MStatus MDGModifier::commandToExecute(const MString&) {
    return MStatus::kNotImplemented;
}

MStatus MDGModifier::doIt() {
    if (pending_.empty()) {
        done_->redo();
        return MStatus::kSuccess;
    }
    // Operations queued since the last doIt run now; a failure stops the batch and undoes
    // what it did, leaving the scene as it was.
    EditLog batch;
    for (const Operation& operation : pending_) {
        const MStatus status = operation(batch);
        if (!status) {
            batch.undo();
            pending_.clear();
            return status;
        }
    }
    pending_.clear();
    done_->append(std::move(batch));
    return MStatus::kSuccess;
}

MStatus MDGModifier::undoIt() {
    done_->undo();
    return MStatus::kSuccess;
}

// ---- MDagModifier ----

MObject MDagModifier::createNode(const MString& type, const MObject& parent,
                                 MStatus* ReturnStatus) {
    return makeNode(type, parent, ReturnStatus);
}

MObject MDagModifier::createNode(const MTypeId& typeId, const MObject& parent,
                                 MStatus* ReturnStatus) {
    mayasim::NodeClass* nodeClass = mayasim::findNodeClass(typeId);
    if (!nodeClass) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    return makeNode(MString(nodeClass->name.c_str()), parent, ReturnStatus);
}

MStatus MDagModifier::reparentNode(const MObject& node, const MObject& newParent) {
    Node* target = mayasim::nodeOf(node);
    if (!target || !target->isDag())
        return MStatus::kInvalidParameter;
    std::shared_ptr<Node> keep = target->shared();
    Node* parentNode = mayasim::nodeOf(newParent);
    std::shared_ptr<Node> parentKeep = parentNode ? parentNode->shared() : nullptr;
    queue([keep, parentKeep](EditLog& log) {
        return mayasim::reparentNode(*keep, parentKeep.get(), &log);
    });
    return MStatus::kSuccess;
}
