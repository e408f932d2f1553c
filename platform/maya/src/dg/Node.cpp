#include "dg/Node.h"

#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MPxNode.h>

#include "dg/NodeClass.h"

namespace mayasim {

double Slot::get() const {
    switch (num) {
        case Num::kBool:
            return v.b ? 1.0 : 0.0;
        case Num::kChar:
            return v.c;
        case Num::kShort:
            return v.s;
        case Num::kInt:
            return v.i;
        case Num::kFloat:
            return v.f;
        case Num::kDouble:
            return v.d;
    }
    return 0.0;
}

void Slot::set(double value) {
    switch (num) {
        case Num::kBool:
            v.b = value != 0.0;
            break;
        case Num::kChar:
            v.c = static_cast<char>(value);
            break;
        case Num::kShort:
            v.s = static_cast<short>(value);
            break;
        case Num::kInt:
            v.i = static_cast<int>(value);
            break;
        case Num::kFloat:
            v.f = static_cast<float>(value);
            break;
        case Num::kDouble:
            v.d = value;
            break;
    }
}

void Slot::retype(Num kind) {
    if (kind == num)
        return;
    const double value = get();
    num = kind;
    set(value);
}

namespace {

Slot::Num slotKindFor(const Attribute& attr) {
    if (attr.kind == AttrKind::kEnum)
        return Slot::Num::kShort;
    if (attr.kind != AttrKind::kNumeric)
        return Slot::Num::kDouble;
    switch (attr.numericType) {
        case MFnNumericData::kBoolean:
            return Slot::Num::kBool;
        case MFnNumericData::kByte:
        case MFnNumericData::kChar:
            return Slot::Num::kChar;
        case MFnNumericData::kShort:
            return Slot::Num::kShort;
        case MFnNumericData::kInt:
            return Slot::Num::kInt;
        case MFnNumericData::kFloat:
            return Slot::Num::kFloat;
        default:
            return Slot::Num::kDouble;
    }
}

void collect(const Attribute* attr, std::vector<const Attribute*>& out) {
    out.push_back(attr);
    for (const auto& child : attr->children)
        collect(child.get(), out);
}

}  // namespace

Slot defaultSlot(const Attribute& attr) {
    Slot slot;
    slot.num = slotKindFor(attr);
    slot.set(attr.defaultValue);
    slot.str = attr.defaultString.c_str();
    slot.data = attr.defaultData;
    return slot;
}

Node::Node(NodeClass& nodeType, std::string nodeName) : type(&nodeType), name(std::move(nodeName)) {
    for (const Attribute* attr : allAttributes()) {
        if (attr->isCompound() || attr->isArrayOrInArray())
            continue;
        values[{attr, -1}] = defaultSlot(*attr);
    }
    for (const auto& [whenChanges, affected] : type->affects) {
        (void)whenChanges;
        for (const Attribute* attr : affected) {
            if (attr->isArrayOrInArray())
                continue;
            dirty.insert({attr, -1});
            for (const auto& child : attr->children)
                dirty.insert({child.get(), -1});
        }
    }
}

Node::~Node() = default;

MFn::Type Node::apiType() const {
    return type->apiType;
}

bool Node::hasFn(MFn::Type fn) const {
    return fn == MFn::kBase || type->derivesFrom(fn);
}

bool Node::isDag() const {
    return type->dag;
}

std::vector<const Attribute*> Node::allAttributes() const {
    std::vector<const Attribute*> out;
    for (const auto& attr : type->attributes)
        collect(attr.get(), out);
    for (const auto& attr : dynamicAttributes)
        collect(attr.get(), out);
    return out;
}

const Attribute* Node::findAttribute(const std::string& attrName) const {
    if (const Attribute* attr = type->findAttribute(attrName))
        return attr;
    for (const Attribute* attr : allAttributes()) {
        if (attr->matches(attrName))
            return attr;
    }
    return nullptr;
}

bool Node::ownsAttribute(const Attribute* attr) const {
    if (!attr)
        return false;
    const Attribute* top = attr->root();
    for (const auto& own : type->attributes) {
        if (own.get() == top)
            return true;
    }
    for (const auto& own : dynamicAttributes) {
        if (own.get() == top)
            return true;
    }
    return false;
}

Node* nodeOf(const MObject& handle) {
    return ObjectAccess::as<Node>(handle);
}

}  // namespace mayasim
