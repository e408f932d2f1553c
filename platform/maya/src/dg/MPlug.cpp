#include <maya/MPlug.h>

#include <algorithm>
#include <set>

#include <maya/MAngle.h>
#include <maya/MDataHandle.h>
#include <maya/MDistance.h>
#include <maya/MFnData.h>
#include <maya/MPlugArray.h>
#include <maya/MTime.h>

#include "dg/DataObjects.h"
#include "dg/Graph.h"

using mayasim::Attribute;
using mayasim::AttrKind;
using mayasim::Node;
using mayasim::PlugAccess;
using mayasim::PlugKey;
using mayasim::Slot;

MDGContext MDGContext::fsNormal;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

bool hasValue(const Attribute* attr) {
    return attr->kind != AttrKind::kMessage && attr->kind != AttrKind::kCompound;
}

std::string attrPath(const Attribute* attr, int index, bool longNames, bool fullPath) {
    std::string name = longNames ? attr->longName : attr->shortName;
    if (attr->flags.array && index >= 0)
        name += "[" + std::to_string(index) + "]";
    if (fullPath && attr->parent) {
        return attrPath(attr->parent, index, longNames, fullPath) + "." + name;
    }
    if (!attr->flags.array && attr->parent && attr->parent->flags.array && index >= 0) {
        return attrPath(attr->parent, index, longNames, false) + "." + name;
    }
    return name;
}

std::set<int> elementIndices(Node& node, const Attribute* attr) {
    std::set<int> indices;
    auto collect = [&](const PlugKey& key) {
        if ((key.attr == attr || key.attr->parent == attr) && key.index >= 0) {
            indices.insert(key.index);
        }
    };
    for (const auto& entry : node.values)
        collect(entry.first);
    for (const auto& entry : node.incoming)
        collect(entry.first);
    for (const auto& entry : node.outgoing)
        collect(entry.first);
    return indices;
}

MObject numericDataOf(Node& node, PlugKey key) {
    auto data = std::make_shared<mayasim::NumericData>(key.attr->numericType);
    for (size_t i = 0; i < key.attr->children.size() && i < 4; ++i) {
        data->values[i] = mayasim::pull(node, {key.attr->children[i].get(), key.index}).get();
    }
    return mayasim::ObjectAccess::wrap(data);
}

}  // namespace

MPlug::MPlug(const MObject& node, const MObject& attribute) : node_(node), attribute_(attribute) {
    Node* owner = mayasim::nodeOf(node);
    if (!owner || !owner->ownsAttribute(mayasim::attributeOf(attribute))) {
        node_ = MObject();
        attribute_ = MObject();
    }
}

MObject MPlug::attribute(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return attribute_;
}

MObject MPlug::node(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return node_;
}

MString MPlug::name(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    if (isNull())
        return MString();
    const std::string text = PlugAccess::node(*this)->name + "." +
                             attrPath(mayasim::attributeOf(attribute_), index_, true, false);
    return MString(text.c_str());
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool useFullAttributePath,
                           bool useLongNames, MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    if (isNull())
        return MString();
    std::string text =
        attrPath(mayasim::attributeOf(attribute_), index_, useLongNames, useFullAttributePath);
    if (includeNodeName)
        text = PlugAccess::node(*this)->name + "." + text;
    return MString(text.c_str());
}

bool MPlug::isNull(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return node_.isNull() || attribute_.isNull();
}

bool MPlug::isArray(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->flags.array && index_ < 0;
}

bool MPlug::isElement(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->flags.array && index_ >= 0;
}

bool MPlug::isCompound(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->isCompound();
}

bool MPlug::isChild(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->parent != nullptr;
}

bool MPlug::isKeyable(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->flags.keyable;
}

bool MPlug::isDynamic(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() && mayasim::attributeOf(attribute_)->root()->dynamic;
}

unsigned int MPlug::numChildren(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return isNull() ? 0u
                    : static_cast<unsigned int>(mayasim::attributeOf(attribute_)->children.size());
}

unsigned int MPlug::numElements(MStatus* ReturnStatus) const {
    if (!isArray()) {
        report(ReturnStatus, MStatus::kFailure);
        return 0;
    }
    report(ReturnStatus, MStatus::kSuccess);
    return static_cast<unsigned int>(
        elementIndices(*PlugAccess::node(*this), mayasim::attributeOf(attribute_)).size());
}

MPlug MPlug::child(MObject& attr, MStatus* ReturnStatus) const {
    const Attribute* childAttr = mayasim::attributeOf(attr);
    if (isNull() || !childAttr || childAttr->parent != mayasim::attributeOf(attribute_)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return PlugAccess::make(*PlugAccess::node(*this), {childAttr, index_});
}

MPlug MPlug::child(unsigned int index, MStatus* ReturnStatus) const {
    if (isNull() || index >= numChildren()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return PlugAccess::make(*PlugAccess::node(*this),
                            {mayasim::attributeOf(attribute_)->children[index].get(), index_});
}

MPlug MPlug::parent(MStatus* ReturnStatus) const {
    if (isNull() || !mayasim::attributeOf(attribute_)->parent) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return PlugAccess::make(*PlugAccess::node(*this),
                            {mayasim::attributeOf(attribute_)->parent, index_});
}

MPlug MPlug::array(MStatus* ReturnStatus) const {
    if (!isElement()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return PlugAccess::make(*PlugAccess::node(*this), {mayasim::attributeOf(attribute_), -1});
}

MPlug MPlug::elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return PlugAccess::make(*PlugAccess::node(*this),
                            {mayasim::attributeOf(attribute_), static_cast<int>(logicalIndex)});
}

MPlug MPlug::elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    const std::set<int> indices =
        elementIndices(*PlugAccess::node(*this), mayasim::attributeOf(attribute_));
    if (physicalIndex >= indices.size()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPlug();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return elementByLogicalIndex(
        static_cast<unsigned int>(*std::next(indices.begin(), physicalIndex)));
}

MPlug MPlug::operator[](unsigned int physicalIndex) const {
    return elementByPhysicalIndex(physicalIndex);
}

unsigned int MPlug::logicalIndex(MStatus* ReturnStatus) const {
    report(ReturnStatus, isElement() ? MStatus::kSuccess : MStatus::kFailure);
    return isElement() ? static_cast<unsigned int>(index_) : 0u;
}

bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus) const {
    array.clear();
    if (isNull()) {
        report(ReturnStatus, MStatus::kFailure);
        return false;
    }
    report(ReturnStatus, MStatus::kSuccess);
    Node& node = *PlugAccess::node(*this);
    const PlugKey key = PlugAccess::key(*this);
    if (asDst) {
        if (auto source = mayasim::sourceOf(node, key)) {
            array.append(PlugAccess::make(*source->node, source->key));
        }
    }
    if (asSrc) {
        for (const auto& dst : mayasim::directDestinations(node, key)) {
            array.append(PlugAccess::make(*dst.node, dst.key));
        }
        if (const Attribute* parentAttr = key.attr->parent) {
            const int childIndex = parentAttr->childIndex(key.attr);
            for (const auto& dst : mayasim::directDestinations(node, {parentAttr, key.index})) {
                const auto& children = dst.key.attr->children;
                if (childIndex < static_cast<int>(children.size())) {
                    array.append(
                        PlugAccess::make(*dst.node, {children[childIndex].get(), dst.key.index}));
                }
            }
        }
    }
    return array.length() > 0;
}

bool MPlug::isConnected(MStatus* ReturnStatus) const {
    MPlugArray plugs;
    return connectedTo(plugs, true, true, ReturnStatus);
}

bool MPlug::isSource(MStatus* ReturnStatus) const {
    MPlugArray plugs;
    return connectedTo(plugs, false, true, ReturnStatus);
}

bool MPlug::isDestination(MStatus* ReturnStatus) const {
    MPlugArray plugs;
    return connectedTo(plugs, true, false, ReturnStatus);
}

bool MPlug::isLocked(MStatus* ReturnStatus) const {
    report(ReturnStatus, isNull() ? MStatus::kFailure : MStatus::kSuccess);
    return !isNull() &&
           PlugAccess::node(*this)->locked.count(mayasim::normalized(PlugAccess::key(*this)));
}

MStatus MPlug::setLocked(bool locked) {
    if (isNull())
        return MStatus::kFailure;
    const PlugKey key = mayasim::normalized(PlugAccess::key(*this));
    if (locked) {
        PlugAccess::node(*this)->locked.insert(key);
    } else {
        PlugAccess::node(*this)->locked.erase(key);
    }
    return MStatus::kSuccess;
}

// ---- values ----

namespace {

// The evaluated slot of a plug that holds a value, or null.
Slot* readSlot(const MPlug& plug, MStatus* ReturnStatus) {
    if (plug.isNull() || !hasValue(mayasim::attributeOf(plug.attribute()))) {
        report(ReturnStatus, MStatus::kFailure);
        return nullptr;
    }
    report(ReturnStatus, MStatus::kSuccess);
    return &mayasim::pull(*PlugAccess::node(plug), PlugAccess::key(plug));
}

double readNumber(const MPlug& plug, MStatus* ReturnStatus) {
    const Slot* slot = readSlot(plug, ReturnStatus);
    return slot ? slot->get() : 0.0;
}

MStatus writeSlot(const MPlug& plug, const std::function<void(Slot&)>& write) {
    if (plug.isNull())
        return MStatus::kFailure;
    const PlugKey key = PlugAccess::key(plug);
    if (!hasValue(key.attr))
        return MStatus::kInvalidParameter;
    Node& node = *PlugAccess::node(plug);
    if (node.locked.count(mayasim::normalized(key)))
        return MStatus::kFailure;
    mayasim::assign(node, key, write);
    return MStatus::kSuccess;
}

MStatus writeNumber(const MPlug& plug, double value) {
    return writeSlot(plug, [value](Slot& slot) { slot.set(value); });
}

}  // namespace

double MPlug::asDouble(MDGContext&, MStatus* ReturnStatus) const {
    return readNumber(*this, ReturnStatus);
}

float MPlug::asFloat(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<float>(readNumber(*this, ReturnStatus));
}

int MPlug::asInt(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<int>(readNumber(*this, ReturnStatus));
}

short MPlug::asShort(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<short>(readNumber(*this, ReturnStatus));
}

bool MPlug::asBool(MDGContext&, MStatus* ReturnStatus) const {
    return readNumber(*this, ReturnStatus) != 0.0;
}

char MPlug::asChar(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<char>(readNumber(*this, ReturnStatus));
}

MTime MPlug::asMTime(MDGContext&, MStatus* ReturnStatus) const {
    MTime time(readNumber(*this, ReturnStatus), MTime::kSeconds);
    time.setUnit(MTime::uiUnit());
    return time;
}

MString MPlug::asString(MDGContext&, MStatus* ReturnStatus) const {
    const Slot* slot = readSlot(*this, ReturnStatus);
    return slot ? slot->str : MString();
}

MObject MPlug::asMObject(MDGContext&, MStatus* ReturnStatus) const {
    if (isNull()) {
        report(ReturnStatus, MStatus::kFailure);
        return MObject();
    }
    const Attribute* attr = mayasim::attributeOf(attribute_);
    Node& node = *PlugAccess::node(*this);
    if (attr->kind == AttrKind::kNumeric && attr->isCompound()) {
        report(ReturnStatus, MStatus::kSuccess);
        return numericDataOf(node, PlugAccess::key(*this));
    }
    Slot* slot = readSlot(*this, ReturnStatus);
    if (!slot)
        return MObject();
    if (attr->kind == AttrKind::kTyped && attr->dataType == MFnData::kMatrix) {
        return mayasim::ObjectAccess::wrap(std::make_shared<mayasim::MatrixData>(slot->matrix));
    }
    return slot->data;
}

MStatus MPlug::getValue(double& value, MDGContext& ctx) const {
    MStatus status;
    value = asDouble(ctx, &status);
    return status;
}

MStatus MPlug::getValue(float& value, MDGContext& ctx) const {
    MStatus status;
    value = asFloat(ctx, &status);
    return status;
}

MStatus MPlug::getValue(int& value, MDGContext& ctx) const {
    MStatus status;
    value = asInt(ctx, &status);
    return status;
}

MStatus MPlug::getValue(short& value, MDGContext& ctx) const {
    MStatus status;
    value = asShort(ctx, &status);
    return status;
}

MStatus MPlug::getValue(bool& value, MDGContext& ctx) const {
    MStatus status;
    value = asBool(ctx, &status);
    return status;
}

MStatus MPlug::getValue(MString& value, MDGContext& ctx) const {
    MStatus status;
    value = asString(ctx, &status);
    return status;
}

MStatus MPlug::getValue(MObject& value, MDGContext& ctx) const {
    MStatus status;
    value = asMObject(ctx, &status);
    return status;
}

MStatus MPlug::getValue(MTime& value, MDGContext& ctx) const {
    MStatus status;
    value = asMTime(ctx, &status);
    return status;
}

MStatus MPlug::getValue(MAngle& value, MDGContext&) const {
    MStatus status;
    value = MAngle(readNumber(*this, &status), MAngle::kRadians);
    return status;
}

MStatus MPlug::getValue(MDistance& value, MDGContext&) const {
    MStatus status;
    value = MDistance(readNumber(*this, &status), MDistance::kCentimeters);
    return status;
}

MStatus MPlug::setValue(double value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(float value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(int value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(short value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(bool value) {
    return writeNumber(*this, value ? 1.0 : 0.0);
}
MStatus MPlug::setValue(char value) {
    return writeNumber(*this, value);
}
MStatus MPlug::setValue(MDistance& value) {
    return writeNumber(*this, value.asCentimeters());
}
MStatus MPlug::setValue(MAngle& value) {
    return writeNumber(*this, value.asRadians());
}
MStatus MPlug::setValue(MTime& value) {
    return writeNumber(*this, value.as(MTime::kSeconds));
}

MStatus MPlug::setValue(const MString& value) {
    return writeSlot(*this, [&](Slot& slot) { slot.str = value; });
}

MStatus MPlug::setValue(const char* value) {
    return setValue(MString(value));
}

MStatus MPlug::setValue(MObject& value) {
    if (isNull())
        return MStatus::kFailure;
    const Attribute* attr = mayasim::attributeOf(attribute_);
    if (auto* numeric = mayasim::ObjectAccess::as<mayasim::NumericData>(value)) {
        if (!attr->isCompound())
            return MStatus::kInvalidParameter;
        for (unsigned int i = 0; i < numChildren() && i < 4; ++i) {
            const MStatus status = child(i).setValue(numeric->values[i]);
            if (!status)
                return status;
        }
        return MStatus::kSuccess;
    }
    if (auto* matrix = mayasim::ObjectAccess::as<mayasim::MatrixData>(value)) {
        return writeSlot(*this, [&](Slot& slot) { slot.matrix = matrix->matrix; });
    }
    return writeSlot(*this, [&](Slot& slot) { slot.data = value; });
}

MStatus MPlug::setValue(MDataHandle& handle) {
    if (handle.isNumeric())
        return setValue(handle.asDouble());
    MObject data = handle.data();
    return setValue(data);
}

bool MPlug::operator==(const MPlug& other) const {
    return node_ == other.node_ && attribute_ == other.attribute_ && index_ == other.index_;
}

bool MPlug::operator==(const MObject& attr) const {
    return attribute_ == attr;
}

// ---- MPlugArray ----

MPlugArray::MPlugArray(unsigned int initializeSize, const MPlug& initialValue)
    : items_(initializeSize, initialValue) {}

MPlugArray::MPlugArray(const MPlug src[], unsigned int count) : items_(src, src + count) {}

MStatus MPlugArray::set(const MPlug& element, unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_[index] = element;
    return MStatus::kSuccess;
}

MStatus MPlugArray::setLength(unsigned int length) {
    items_.resize(length);
    return MStatus::kSuccess;
}

MStatus MPlugArray::remove(unsigned int index) {
    if (index >= items_.size())
        return MStatus::kInvalidParameter;
    items_.erase(items_.begin() + index);
    return MStatus::kSuccess;
}

MStatus MPlugArray::insert(const MPlug& element, unsigned int index) {
    if (index > items_.size())
        return MStatus::kInvalidParameter;
    items_.insert(items_.begin() + index, element);
    return MStatus::kSuccess;
}

MStatus MPlugArray::append(const MPlug& element) {
    items_.push_back(element);
    return MStatus::kSuccess;
}

MStatus MPlugArray::clear() {
    items_.clear();
    return MStatus::kSuccess;
}
