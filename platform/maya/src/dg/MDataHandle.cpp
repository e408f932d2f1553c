#include <maya/MDataHandle.h>

#include <algorithm>

#include <maya/MArrayDataHandle.h>
#include <maya/MPlug.h>

#include "dg/DataAccess.h"
#include "dg/Graph.h"

using mayasim::PlugKey;
using mayasim::Slot;

namespace {

// What a null handle reads and writes, so that misuse stays defined.
Slot& scratch() {
    static Slot slot;
    return slot;
}

}  // namespace

#define SLOT() (node_ ? mayasim::storage(*node_, {attr_, index_}) : scratch())

bool MDataHandle::isNumeric() const {
    return attr_ &&
           (attr_->kind == mayasim::AttrKind::kNumeric || attr_->kind == mayasim::AttrKind::kUnit ||
            attr_->kind == mayasim::AttrKind::kEnum);
}

bool MDataHandle::isGeneric(bool& isNumericOut, bool& isNull) const {
    isNumericOut = isNumeric();
    isNull = !node_;
    return false;
}

MObject MDataHandle::attribute() {
    if (!attr_)
        return MObject();
    return mayasim::ObjectAccess::wrap(const_cast<mayasim::Attribute*>(attr_)->shared_from_this());
}

bool& MDataHandle::asBool() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kBool);
    return slot.v.b;
}

char& MDataHandle::asChar() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kChar);
    return slot.v.c;
}

short& MDataHandle::asShort() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kShort);
    return slot.v.s;
}

int& MDataHandle::asInt() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kInt);
    return slot.v.i;
}

float& MDataHandle::asFloat() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kFloat);
    return slot.v.f;
}

double& MDataHandle::asDouble() const {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kDouble);
    return slot.v.d;
}

MTime MDataHandle::asTime() const {
    return MTime(SLOT().get(), MTime::kSeconds);
}

MAngle MDataHandle::asAngle() const {
    return MAngle(SLOT().get(), MAngle::kRadians);
}

MDistance MDataHandle::asDistance() const {
    return MDistance(SLOT().get(), MDistance::kCentimeters);
}

double MDataHandle::childValue(unsigned int index) const {
    if (!node_ || !attr_ || index >= attr_->children.size())
        return 0.0;
    return mayasim::storage(*node_, {attr_->children[index].get(), index_}).get();
}

double2& MDataHandle::asDouble2() const {
    Slot& slot = SLOT();
    for (unsigned int i = 0; i < 2; ++i)
        slot.double2Value[i] = childValue(i);
    handedOut_ = HandedOut::kDouble2;
    return slot.double2Value;
}

double3& MDataHandle::asDouble3() const {
    Slot& slot = SLOT();
    for (unsigned int i = 0; i < 3; ++i)
        slot.double3Value[i] = childValue(i);
    handedOut_ = HandedOut::kDouble3;
    return slot.double3Value;
}

float3& MDataHandle::asFloat3() const {
    Slot& slot = SLOT();
    for (unsigned int i = 0; i < 3; ++i)
        slot.float3Value[i] = static_cast<float>(childValue(i));
    handedOut_ = HandedOut::kFloat3;
    return slot.float3Value;
}

MVector& MDataHandle::asVector() const {
    Slot& slot = SLOT();
    slot.vectorValue = MVector(childValue(0), childValue(1), childValue(2));
    handedOut_ = HandedOut::kVector;
    return slot.vectorValue;
}

MMatrix& MDataHandle::asMatrix() const {
    return SLOT().matrix;
}

MString& MDataHandle::asString() const {
    return SLOT().str;
}

MObject MDataHandle::data() const {
    return SLOT().data;
}

void MDataHandle::setBool(bool value) {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kBool);
    slot.v.b = value;
}

void MDataHandle::setChar(char value) {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kChar);
    slot.v.c = value;
}

void MDataHandle::setShort(short value) {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kShort);
    slot.v.s = value;
}

void MDataHandle::setInt(int value) {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kInt);
    slot.v.i = value;
}

void MDataHandle::setFloat(float value) {
    Slot& slot = SLOT();
    slot.retype(Slot::Num::kFloat);
    slot.v.f = value;
}

void MDataHandle::setDouble(double value) {
    SLOT().set(value);
}

void MDataHandle::setMMatrix(const MMatrix& value) {
    SLOT().matrix = value;
}

void MDataHandle::setMVector(const MVector& value) {
    const double values[3] = {value.x, value.y, value.z};
    writeChildren(values, 3);
}

void MDataHandle::setMAngle(const MAngle& value) {
    SLOT().set(value.asRadians());
}

void MDataHandle::setMDistance(const MDistance& value) {
    SLOT().set(value.asCentimeters());
}

void MDataHandle::setMTime(const MTime& value) {
    SLOT().set(value.as(MTime::kSeconds));
}

void MDataHandle::set2Double(double x, double y) {
    const double values[2] = {x, y};
    writeChildren(values, 2);
}

void MDataHandle::set3Double(double x, double y, double z) {
    const double values[3] = {x, y, z};
    writeChildren(values, 3);
}

void MDataHandle::set3Float(float x, float y, float z) {
    const double values[3] = {x, y, z};
    writeChildren(values, 3);
}

void MDataHandle::setString(const MString& value) {
    SLOT().str = value;
}

MStatus MDataHandle::setMObject(const MObject& value) {
    if (!node_)
        return MStatus::kFailure;
    SLOT().data = value;
    return MStatus::kSuccess;
}

void MDataHandle::writeChildren(const double* values, unsigned int count) {
    if (!node_ || !attr_)
        return;
    for (unsigned int i = 0; i < count && i < attr_->children.size(); ++i) {
        mayasim::storage(*node_, {attr_->children[i].get(), index_}).set(values[i]);
    }
}

void MDataHandle::setClean() {
    Slot& slot = SLOT();
    switch (handedOut_) {
        case HandedOut::kDouble2:
            writeChildren(slot.double2Value, 2);
            break;
        case HandedOut::kDouble3:
            writeChildren(slot.double3Value, 3);
            break;
        case HandedOut::kFloat3: {
            const double values[3] = {slot.float3Value[0], slot.float3Value[1],
                                      slot.float3Value[2]};
            writeChildren(values, 3);
            break;
        }
        case HandedOut::kVector: {
            const MVector value = slot.vectorValue;
            setMVector(value);
            break;
        }
        case HandedOut::kNone:
            break;
    }
    if (node_)
        mayasim::markClean(*node_, {attr_, index_});
}

MDataHandle MDataHandle::child(const MPlug& plug) {
    return child(plug.attribute());
}

MDataHandle MDataHandle::child(const MObject& attribute) {
    const mayasim::Attribute* childAttr = mayasim::attributeOf(attribute);
    if (!node_ || !childAttr || childAttr->parent != attr_)
        return MDataHandle();
    return mayasim::DataAccess::handle(node_, {childAttr, index_});
}

#undef SLOT

namespace mayasim {

MArrayDataHandle DataAccess::arrayHandle(Node* node, const Attribute* attr) {
    MArrayDataHandle handle;
    handle.node_ = node;
    handle.attr_ = attr;
    for (const auto& [key, slot] : node->values) {
        (void)slot;
        if (key.attr == attr || (key.attr->parent == attr && key.index >= 0)) {
            if (handle.indices_.empty() || handle.indices_.back() != key.index) {
                handle.indices_.push_back(key.index);
            }
        }
    }
    std::sort(handle.indices_.begin(), handle.indices_.end());
    handle.indices_.erase(std::unique(handle.indices_.begin(), handle.indices_.end()),
                          handle.indices_.end());
    return handle;
}

}  // namespace mayasim

MArrayDataHandle::MArrayDataHandle(const MDataHandle& in, MStatus* ReturnStatus) {
    *this = mayasim::DataAccess::arrayHandle(in.node_, in.attr_);
    if (ReturnStatus)
        *ReturnStatus = in.node_ ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MDataHandle MArrayDataHandle::elementHandle(bool input, MStatus* ReturnStatus) {
    if (!node_ || position_ >= indices_.size()) {
        if (ReturnStatus)
            *ReturnStatus = MStatus::kFailure;
        return MDataHandle();
    }
    const PlugKey key{attr_, indices_[position_]};
    if (input)
        mayasim::pull(*node_, key);
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return mayasim::DataAccess::handle(node_, key);
}

MDataHandle MArrayDataHandle::inputValue(MStatus* ReturnStatus) {
    return elementHandle(true, ReturnStatus);
}

MDataHandle MArrayDataHandle::outputValue(MStatus* ReturnStatus) {
    return elementHandle(false, ReturnStatus);
}

MStatus MArrayDataHandle::jumpToElement(unsigned int logicalIndex) {
    for (unsigned int i = 0; i < indices_.size(); ++i) {
        if (indices_[i] == static_cast<int>(logicalIndex)) {
            position_ = i;
            return MStatus::kSuccess;
        }
    }
    return MStatus::kInvalidParameter;
}

MStatus MArrayDataHandle::jumpToArrayElement(unsigned int physicalIndex) {
    if (physicalIndex >= indices_.size())
        return MStatus::kInvalidParameter;
    position_ = physicalIndex;
    return MStatus::kSuccess;
}

unsigned int MArrayDataHandle::elementCount(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return static_cast<unsigned int>(indices_.size());
}

unsigned int MArrayDataHandle::elementIndex(MStatus* ReturnStatus) const {
    const bool valid = position_ < indices_.size();
    if (ReturnStatus)
        *ReturnStatus = valid ? MStatus::kSuccess : MStatus::kFailure;
    return valid ? static_cast<unsigned int>(indices_[position_]) : 0u;
}

MStatus MArrayDataHandle::next() {
    if (position_ >= indices_.size())
        return MStatus::kFailure;
    ++position_;
    return position_ < indices_.size() ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MArrayDataHandle::setAllClean() {
    if (!node_)
        return MStatus::kFailure;
    for (int index : indices_)
        mayasim::markClean(*node_, {attr_, index});
    return MStatus::kSuccess;
}
