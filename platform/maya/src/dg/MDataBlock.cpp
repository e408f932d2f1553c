#include <maya/MDataBlock.h>

#include <maya/MPlug.h>

#include "dg/DataAccess.h"
#include "dg/Graph.h"

using mayasim::Attribute;
using mayasim::DataAccess;
using mayasim::PlugAccess;
using mayasim::PlugKey;

namespace {

MStatus ownedBy(mayasim::Node* node, const Attribute* attr) {
    if (!node || !attr || !node->ownsAttribute(attr))
        return MStatus::kInvalidParameter;
    return MStatus::kSuccess;
}

MStatus plugKeyOf(mayasim::Node* node, const MPlug& plug, PlugKey& key) {
    key = PlugAccess::key(plug);
    if (PlugAccess::node(plug) != node)
        return MStatus::kInvalidParameter;
    return ownedBy(node, key.attr);
}

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

MDataHandle MDataBlock::handle(const MObject& attribute, int index, bool input,
                               MStatus* ReturnStatus) {
    const Attribute* attr = mayasim::attributeOf(attribute);
    const MStatus status = ownedBy(node_, attr);
    report(ReturnStatus, status);
    if (!status)
        return MDataHandle();
    const PlugKey key = mayasim::normalized({attr, index});
    if (input)
        mayasim::pull(*node_, key);
    return DataAccess::handle(node_, key);
}

MDataHandle MDataBlock::inputValue(const MPlug& plug, MStatus* ReturnStatus) {
    PlugKey key;
    const MStatus status = plugKeyOf(node_, plug, key);
    report(ReturnStatus, status);
    if (!status)
        return MDataHandle();
    mayasim::pull(*node_, key);
    return DataAccess::handle(node_, mayasim::normalized(key));
}

MDataHandle MDataBlock::inputValue(const MObject& attribute, MStatus* ReturnStatus) {
    return handle(attribute, -1, true, ReturnStatus);
}

MDataHandle MDataBlock::outputValue(const MPlug& plug, MStatus* ReturnStatus) {
    PlugKey key;
    const MStatus status = plugKeyOf(node_, plug, key);
    report(ReturnStatus, status);
    if (!status)
        return MDataHandle();
    return DataAccess::handle(node_, mayasim::normalized(key));
}

MDataHandle MDataBlock::outputValue(const MObject& attribute, MStatus* ReturnStatus) {
    return handle(attribute, -1, false, ReturnStatus);
}

MArrayDataHandle MDataBlock::inputArrayValue(const MPlug& plug, MStatus* ReturnStatus) {
    return inputArrayValue(plug.attribute(), ReturnStatus);
}

MArrayDataHandle MDataBlock::inputArrayValue(const MObject& attribute, MStatus* ReturnStatus) {
    const Attribute* attr = mayasim::attributeOf(attribute);
    MStatus status = ownedBy(node_, attr);
    if (status && !attr->flags.array)
        status = MStatus::kInvalidParameter;
    report(ReturnStatus, status);
    if (!status)
        return MArrayDataHandle();
    return DataAccess::arrayHandle(node_, attr);
}

MArrayDataHandle MDataBlock::outputArrayValue(const MPlug& plug, MStatus* ReturnStatus) {
    return inputArrayValue(plug.attribute(), ReturnStatus);
}

MArrayDataHandle MDataBlock::outputArrayValue(const MObject& attribute, MStatus* ReturnStatus) {
    return inputArrayValue(attribute, ReturnStatus);
}

MStatus MDataBlock::setClean(const MPlug& plug) {
    PlugKey key;
    const MStatus status = plugKeyOf(node_, plug, key);
    if (status)
        mayasim::markClean(*node_, key);
    return status;
}

MStatus MDataBlock::setClean(const MObject& attribute) {
    const Attribute* attr = mayasim::attributeOf(attribute);
    const MStatus status = ownedBy(node_, attr);
    if (status)
        mayasim::markClean(*node_, {attr, -1});
    return status;
}

bool MDataBlock::isClean(const MPlug& plug) {
    PlugKey key;
    return plugKeyOf(node_, plug, key) && !mayasim::isDirty(*node_, key);
}

bool MDataBlock::isClean(const MObject& attribute) {
    const Attribute* attr = mayasim::attributeOf(attribute);
    return ownedBy(node_, attr) && !mayasim::isDirty(*node_, {attr, -1});
}
