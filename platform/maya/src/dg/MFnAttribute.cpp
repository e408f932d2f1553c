// The attribute function sets: creation of every kind of attribute, flags, defaults and
// limits.

#include <maya/MFnAttribute.h>

#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>

#include <maya/MStringArray.h>

#include "dg/Attribute.h"

using mayasim::Attribute;
using mayasim::AttrKind;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

std::shared_ptr<Attribute> makeAttribute(AttrKind kind, const MString& longName,
                                         const MString& shortName) {
    return std::make_shared<Attribute>(kind, longName.asChar(),
                                       shortName.length() ? shortName.asChar() : longName.asChar());
}

std::shared_ptr<Attribute> numericLeaf(const std::string& longName, const std::string& shortName,
                                       int numericType, double defaultValue) {
    auto attr = std::make_shared<Attribute>(AttrKind::kNumeric, longName, shortName);
    attr->numericType = numericType;
    attr->defaultValue = defaultValue;
    return attr;
}

// The element type and count of a numeric compound type (k3Double: kDouble, 3).
bool splitCompoundType(MFnNumericData::Type type, int& element, int& count) {
    switch (type) {
        case MFnNumericData::k2Short:
        case MFnNumericData::k3Short:
            element = MFnNumericData::kShort;
            count = type == MFnNumericData::k2Short ? 2 : 3;
            return true;
        case MFnNumericData::k2Int:
        case MFnNumericData::k3Int:
            element = MFnNumericData::kInt;
            count = type == MFnNumericData::k2Int ? 2 : 3;
            return true;
        case MFnNumericData::k2Float:
        case MFnNumericData::k3Float:
            element = MFnNumericData::kFloat;
            count = type == MFnNumericData::k2Float ? 2 : 3;
            return true;
        case MFnNumericData::k2Double:
        case MFnNumericData::k3Double:
        case MFnNumericData::k4Double:
            element = MFnNumericData::kDouble;
            count = type == MFnNumericData::k2Double ? 2 : type == MFnNumericData::k3Double ? 3 : 4;
            return true;
        default:
            return false;
    }
}

MFnNumericData::Type compoundTypeOf(int element, unsigned int count) {
    switch (element) {
        case MFnNumericData::kShort:
            return count == 2 ? MFnNumericData::k2Short : MFnNumericData::k3Short;
        case MFnNumericData::kInt:
            return count == 2 ? MFnNumericData::k2Int : MFnNumericData::k3Int;
        case MFnNumericData::kFloat:
            return count == 2 ? MFnNumericData::k2Float : MFnNumericData::k3Float;
        default:
            return count == 2 ? MFnNumericData::k2Double : MFnNumericData::k3Double;
    }
}

// Children are named after the parent plus a suffix letter: translateX / tX.
MObject compoundWithSuffixes(const MString& longName, const MString& shortName,
                             MFnNumericData::Type type, const char* suffixes, double defaultValue) {
    int element = 0;
    int count = 0;
    splitCompoundType(type, element, count);
    auto parent = makeAttribute(AttrKind::kNumeric, longName, shortName);
    parent->numericType = type;
    for (int i = 0; i < count; ++i) {
        auto child = numericLeaf(parent->longName + suffixes[i], parent->shortName + suffixes[i],
                                 element, defaultValue);
        child->parent = parent.get();
        parent->children.push_back(child);
    }
    return mayasim::ObjectAccess::wrap(parent);
}

}  // namespace

// ---- MFnAttribute ----

Attribute* MFnAttribute::attr() const {
    return mayasim::attributeOf(object_);
}

MObject MFnAttribute::adopt(const MObject& attribute, MStatus* ReturnStatus) {
    object_ = attribute;
    report(ReturnStatus, MStatus::kSuccess);
    return attribute;
}

MString MFnAttribute::name(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? MString(attr()->longName.c_str()) : MString();
}

MString MFnAttribute::shortName(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? MString(attr()->shortName.c_str()) : MString();
}

MObject MFnAttribute::parent(MStatus* ReturnStatus) const {
    Attribute* a = attr();
    report(ReturnStatus, a ? MStatus::kSuccess : MStatus::kFailure);
    if (!a || !a->parent)
        return MObject();
    return mayasim::ObjectAccess::wrap(a->parent->shared_from_this());
}

#define FLAG_ACCESSORS(getter, setter, field)                                 \
    bool MFnAttribute::getter(MStatus* ReturnStatus) const {                  \
        report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure); \
        return attr() && attr()->flags.field;                                 \
    }                                                                         \
    MStatus MFnAttribute::setter(bool state) {                                \
        if (!attr())                                                          \
            return MStatus::kFailure;                                         \
        attr()->flags.field = state;                                          \
        return MStatus::kSuccess;                                             \
    }

FLAG_ACCESSORS(isReadable, setReadable, readable)
FLAG_ACCESSORS(isWritable, setWritable, writable)
FLAG_ACCESSORS(isConnectable, setConnectable, connectable)
FLAG_ACCESSORS(isStorable, setStorable, storable)
FLAG_ACCESSORS(isCached, setCached, cached)
FLAG_ACCESSORS(isArray, setArray, array)
FLAG_ACCESSORS(isKeyable, setKeyable, keyable)
FLAG_ACCESSORS(isChannelBoxFlagSet, setChannelBox, channelBox)
FLAG_ACCESSORS(isHidden, setHidden, hidden)
FLAG_ACCESSORS(isUsedAsColor, setUsedAsColor, usedAsColor)
FLAG_ACCESSORS(isIndexMatters, setIndexMatters, indexMatters)
FLAG_ACCESSORS(internal, setInternal, internal)
FLAG_ACCESSORS(isAffectsAppearance, setAffectsAppearance, affectsAppearance)
FLAG_ACCESSORS(usesArrayDataBuilder, setUsesArrayDataBuilder, usesArrayDataBuilder)

#undef FLAG_ACCESSORS

bool MFnAttribute::isDynamic(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() && attr()->dynamic;
}

MStatus MFnAttribute::setNiceNameOverride(const MString&) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

MStatus MFnAttribute::setDisconnectBehavior(DisconnectBehavior) {
    return attr() ? MStatus::kSuccess : MStatus::kFailure;
}

// ---- MFnNumericAttribute ----

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    MFnNumericData::Type unitType, double defaultValue,
                                    MStatus* ReturnStatus) {
    int element = 0;
    int count = 0;
    if (unitType <= MFnNumericData::kInvalid || unitType >= MFnNumericData::kLast) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    if (splitCompoundType(unitType, element, count)) {
        return adopt(compoundWithSuffixes(fullName, briefName, unitType, "XYZW", defaultValue),
                     ReturnStatus);
    }
    auto attribute = makeAttribute(AttrKind::kNumeric, fullName, briefName);
    attribute->numericType = unitType;
    attribute->defaultValue = defaultValue;
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    const MObject& child1, const MObject& child2,
                                    const MObject& child3, MStatus* ReturnStatus) {
    std::vector<std::shared_ptr<Attribute>> children;
    for (const MObject* handle : {&child1, &child2, &child3}) {
        if (handle->isNull())
            continue;
        Attribute* child = mayasim::attributeOf(*handle);
        if (!child || child->parent || child->isCompound()) {
            report(ReturnStatus, MStatus::kInvalidParameter);
            return MObject();
        }
        children.push_back(std::static_pointer_cast<Attribute>(child->shared_from_this()));
    }
    if (children.size() < 2) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    auto parent = makeAttribute(AttrKind::kNumeric, fullName, briefName);
    const int element = children[0]->kind == AttrKind::kNumeric ? children[0]->numericType
                                                                : MFnNumericData::kDouble;
    parent->numericType = compoundTypeOf(element, static_cast<unsigned int>(children.size()));
    for (auto& child : children) {
        child->parent = parent.get();
        parent->children.push_back(child);
    }
    return adopt(mayasim::ObjectAccess::wrap(parent), ReturnStatus);
}

MObject MFnNumericAttribute::createPoint(const MString& fullName, const MString& briefName,
                                         MStatus* ReturnStatus) {
    return adopt(compoundWithSuffixes(fullName, briefName, MFnNumericData::k3Double, "XYZ", 0.0),
                 ReturnStatus);
}

MObject MFnNumericAttribute::createColor(const MString& fullName, const MString& briefName,
                                         MStatus* ReturnStatus) {
    MObject color = compoundWithSuffixes(fullName, briefName, MFnNumericData::k3Float, "RGB", 0.0);
    mayasim::attributeOf(color)->flags.usedAsColor = true;
    return adopt(color, ReturnStatus);
}

MFnNumericData::Type MFnNumericAttribute::unitType(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? static_cast<MFnNumericData::Type>(attr()->numericType)
                  : MFnNumericData::kInvalid;
}

namespace {

std::optional<double>& limitOf(Attribute& attr, int which) {
    switch (which) {
        case 0:
            return attr.min;
        case 1:
            return attr.max;
        case 2:
            return attr.softMin;
        default:
            return attr.softMax;
    }
}

MStatus readLimit(const Attribute* attr, int which, double& out) {
    if (!attr)
        return MStatus::kFailure;
    const auto& limit = limitOf(const_cast<Attribute&>(*attr), which);
    if (!limit)
        return MStatus::kFailure;
    out = *limit;
    return MStatus::kSuccess;
}

}  // namespace

MStatus MFnNumericAttribute::setLimit(int which, const double* values, unsigned int count) {
    Attribute* a = attr();
    if (!a)
        return MStatus::kFailure;
    if (count == 1 && !a->isCompound()) {
        limitOf(*a, which) = values[0];
        return MStatus::kSuccess;
    }
    if (count != a->children.size())
        return MStatus::kInvalidParameter;
    for (unsigned int i = 0; i < count; ++i)
        limitOf(*a->children[i], which) = values[i];
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::getMin(double& min1) const {
    return readLimit(attr(), 0, min1);
}
MStatus MFnNumericAttribute::getMax(double& max1) const {
    return readLimit(attr(), 1, max1);
}
MStatus MFnNumericAttribute::getSoftMin(double& min1) const {
    return readLimit(attr(), 2, min1);
}
MStatus MFnNumericAttribute::getSoftMax(double& max1) const {
    return readLimit(attr(), 3, max1);
}
bool MFnNumericAttribute::hasMin(MStatus*) const {
    return attr() && attr()->min.has_value();
}
bool MFnNumericAttribute::hasMax(MStatus*) const {
    return attr() && attr()->max.has_value();
}
bool MFnNumericAttribute::hasSoftMin(MStatus*) const {
    return attr() && attr()->softMin.has_value();
}
bool MFnNumericAttribute::hasSoftMax(MStatus*) const {
    return attr() && attr()->softMax.has_value();
}

MStatus MFnNumericAttribute::setMin(double min1) {
    return setLimit(0, &min1, 1);
}
MStatus MFnNumericAttribute::setMin(double min1, double min2) {
    const double values[] = {min1, min2};
    return setLimit(0, values, 2);
}
MStatus MFnNumericAttribute::setMin(double min1, double min2, double min3) {
    const double values[] = {min1, min2, min3};
    return setLimit(0, values, 3);
}
MStatus MFnNumericAttribute::setMax(double max1) {
    return setLimit(1, &max1, 1);
}
MStatus MFnNumericAttribute::setMax(double max1, double max2) {
    const double values[] = {max1, max2};
    return setLimit(1, values, 2);
}
MStatus MFnNumericAttribute::setMax(double max1, double max2, double max3) {
    const double values[] = {max1, max2, max3};
    return setLimit(1, values, 3);
}
MStatus MFnNumericAttribute::setSoftMin(double min) {
    return setLimit(2, &min, 1);
}
MStatus MFnNumericAttribute::setSoftMax(double max) {
    return setLimit(3, &max, 1);
}

MStatus MFnNumericAttribute::setDefaults(const double* values, unsigned int count) {
    Attribute* a = attr();
    if (!a)
        return MStatus::kFailure;
    if (!a->isCompound()) {
        if (count != 1)
            return MStatus::kInvalidParameter;
        a->defaultValue = values[0];
        return MStatus::kSuccess;
    }
    if (count != a->children.size())
        return MStatus::kInvalidParameter;
    for (unsigned int i = 0; i < count; ++i)
        a->children[i]->defaultValue = values[i];
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::getDefault(bool& def) {
    if (!attr())
        return MStatus::kFailure;
    def = attr()->defaultValue != 0.0;
    return MStatus::kSuccess;
}
MStatus MFnNumericAttribute::getDefault(int& def) {
    if (!attr())
        return MStatus::kFailure;
    def = static_cast<int>(attr()->defaultValue);
    return MStatus::kSuccess;
}
MStatus MFnNumericAttribute::getDefault(float& def) {
    if (!attr())
        return MStatus::kFailure;
    def = static_cast<float>(attr()->defaultValue);
    return MStatus::kSuccess;
}
MStatus MFnNumericAttribute::getDefault(double& def) {
    if (!attr())
        return MStatus::kFailure;
    def = attr()->defaultValue;
    return MStatus::kSuccess;
}
MStatus MFnNumericAttribute::getDefault(double& def1, double& def2, double& def3) {
    Attribute* a = attr();
    if (!a || a->children.size() != 3)
        return MStatus::kFailure;
    def1 = a->children[0]->defaultValue;
    def2 = a->children[1]->defaultValue;
    def3 = a->children[2]->defaultValue;
    return MStatus::kSuccess;
}

MStatus MFnNumericAttribute::setDefault(bool value) {
    const double v = value ? 1.0 : 0.0;
    return setDefaults(&v, 1);
}
MStatus MFnNumericAttribute::setDefault(char value) {
    const double v = value;
    return setDefaults(&v, 1);
}
MStatus MFnNumericAttribute::setDefault(int value) {
    const double v = value;
    return setDefaults(&v, 1);
}
MStatus MFnNumericAttribute::setDefault(int value1, int value2) {
    const double v[] = {double(value1), double(value2)};
    return setDefaults(v, 2);
}
MStatus MFnNumericAttribute::setDefault(int value1, int value2, int value3) {
    const double v[] = {double(value1), double(value2), double(value3)};
    return setDefaults(v, 3);
}
MStatus MFnNumericAttribute::setDefault(float value) {
    const double v = value;
    return setDefaults(&v, 1);
}
MStatus MFnNumericAttribute::setDefault(float value1, float value2) {
    const double v[] = {value1, value2};
    return setDefaults(v, 2);
}
MStatus MFnNumericAttribute::setDefault(float value1, float value2, float value3) {
    const double v[] = {value1, value2, value3};
    return setDefaults(v, 3);
}
MStatus MFnNumericAttribute::setDefault(double value) {
    return setDefaults(&value, 1);
}
MStatus MFnNumericAttribute::setDefault(double value1, double value2) {
    const double v[] = {value1, value2};
    return setDefaults(v, 2);
}
MStatus MFnNumericAttribute::setDefault(double value1, double value2, double value3) {
    const double v[] = {value1, value2, value3};
    return setDefaults(v, 3);
}
MStatus MFnNumericAttribute::setDefault(double value1, double value2, double value3,
                                        double value4) {
    const double v[] = {value1, value2, value3, value4};
    return setDefaults(v, 4);
}

// ---- MFnUnitAttribute ----

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 MFnUnitAttribute::Type unitType, double defaultValue,
                                 MStatus* ReturnStatus) {
    if (unitType <= kInvalid || unitType >= kLast) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    auto attribute = makeAttribute(AttrKind::kUnit, fullName, briefName);
    attribute->unitType = unitType;
    attribute->defaultValue = defaultValue;
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MTime& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kTime, defaultValue.as(MTime::kSeconds), ReturnStatus);
}

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MAngle& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kAngle, defaultValue.asRadians(), ReturnStatus);
}

MObject MFnUnitAttribute::create(const MString& fullName, const MString& briefName,
                                 const MDistance& defaultValue, MStatus* ReturnStatus) {
    return create(fullName, briefName, kDistance, defaultValue.asCentimeters(), ReturnStatus);
}

MFnUnitAttribute::Type MFnUnitAttribute::unitType(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? static_cast<Type>(attr()->unitType) : kInvalid;
}

MStatus MFnUnitAttribute::setMin(double minValue) {
    if (!attr())
        return MStatus::kFailure;
    attr()->min = minValue;
    return MStatus::kSuccess;
}
MStatus MFnUnitAttribute::setMax(double maxValue) {
    if (!attr())
        return MStatus::kFailure;
    attr()->max = maxValue;
    return MStatus::kSuccess;
}
MStatus MFnUnitAttribute::setSoftMin(double minValue) {
    if (!attr())
        return MStatus::kFailure;
    attr()->softMin = minValue;
    return MStatus::kSuccess;
}
MStatus MFnUnitAttribute::setSoftMax(double maxValue) {
    if (!attr())
        return MStatus::kFailure;
    attr()->softMax = maxValue;
    return MStatus::kSuccess;
}
MStatus MFnUnitAttribute::setDefault(double value) {
    if (!attr())
        return MStatus::kFailure;
    attr()->defaultValue = value;
    return MStatus::kSuccess;
}
MStatus MFnUnitAttribute::setDefault(const MTime& value) {
    return setDefault(value.as(MTime::kSeconds));
}
MStatus MFnUnitAttribute::setDefault(const MAngle& value) {
    return setDefault(value.asRadians());
}
MStatus MFnUnitAttribute::setDefault(const MDistance& value) {
    return setDefault(value.asCentimeters());
}

// ---- MFnEnumAttribute ----

MObject MFnEnumAttribute::create(const MString& fullName, const MString& briefName,
                                 short defaultValue, MStatus* ReturnStatus) {
    auto attribute = makeAttribute(AttrKind::kEnum, fullName, briefName);
    attribute->defaultValue = defaultValue;
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

MStatus MFnEnumAttribute::addField(const MString& fieldString, short index) {
    Attribute* a = attr();
    if (!a || fieldString.length() == 0)
        return MStatus::kFailure;
    for (const auto& [name, value] : a->enumFields) {
        if (name == fieldString.asChar() || value == index)
            return MStatus::kFailure;
    }
    a->enumFields.emplace_back(fieldString.asChar(), index);
    return MStatus::kSuccess;
}

MString MFnEnumAttribute::fieldName(short index, MStatus* ReturnStatus) const {
    if (const Attribute* a = attr()) {
        for (const auto& [name, value] : a->enumFields) {
            if (value == index) {
                report(ReturnStatus, MStatus::kSuccess);
                return MString(name.c_str());
            }
        }
    }
    report(ReturnStatus, MStatus::kFailure);
    return MString();
}

short MFnEnumAttribute::fieldIndex(const MString& fieldString, MStatus* ReturnStatus) const {
    if (const Attribute* a = attr()) {
        for (const auto& [name, value] : a->enumFields) {
            if (name == fieldString.asChar()) {
                report(ReturnStatus, MStatus::kSuccess);
                return value;
            }
        }
    }
    report(ReturnStatus, MStatus::kFailure);
    return 0;
}

MStatus MFnEnumAttribute::getMin(short& minValue) const {
    const Attribute* a = attr();
    if (!a || a->enumFields.empty())
        return MStatus::kFailure;
    minValue = a->enumFields.front().second;
    for (const auto& field : a->enumFields)
        minValue = std::min(minValue, field.second);
    return MStatus::kSuccess;
}

MStatus MFnEnumAttribute::getMax(short& maxValue) const {
    const Attribute* a = attr();
    if (!a || a->enumFields.empty())
        return MStatus::kFailure;
    maxValue = a->enumFields.front().second;
    for (const auto& field : a->enumFields)
        maxValue = std::max(maxValue, field.second);
    return MStatus::kSuccess;
}

MStatus MFnEnumAttribute::setDefault(short index) {
    if (!attr())
        return MStatus::kFailure;
    attr()->defaultValue = index;
    return MStatus::kSuccess;
}

MStatus MFnEnumAttribute::setDefault(const MString& fieldString) {
    MStatus status;
    const short index = fieldIndex(fieldString, &status);
    return status ? setDefault(index) : status;
}

MStatus MFnEnumAttribute::getDefault(short& index) const {
    if (!attr())
        return MStatus::kFailure;
    index = static_cast<short>(attr()->defaultValue);
    return MStatus::kSuccess;
}

MString MFnEnumAttribute::defaultValue(MStatus* ReturnStatus) const {
    short index = 0;
    getDefault(index);
    return fieldName(index, ReturnStatus);
}

// ---- MFnMessageAttribute ----

MObject MFnMessageAttribute::create(const MString& fullName, const MString& briefName,
                                    MStatus* ReturnStatus) {
    auto attribute = makeAttribute(AttrKind::kMessage, fullName, briefName);
    attribute->flags.storable = false;
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

// ---- MFnTypedAttribute ----

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName,
                                  MFnData::Type type, MObject defaultData, MStatus* ReturnStatus) {
    auto attribute = makeAttribute(AttrKind::kTyped, fullName, briefName);
    attribute->dataType = type;
    attribute->defaultData = defaultData;
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName, const MTypeId&,
                                  MObject defaultData, MStatus* ReturnStatus) {
    return create(fullName, briefName, MFnData::kPlugin, defaultData, ReturnStatus);
}

MFnData::Type MFnTypedAttribute::attrType(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? static_cast<MFnData::Type>(attr()->dataType) : MFnData::kInvalid;
}

MStatus MFnTypedAttribute::getDefault(MObject& defaultData) {
    if (!attr())
        return MStatus::kFailure;
    defaultData = attr()->defaultData;
    return MStatus::kSuccess;
}

MStatus MFnTypedAttribute::setDefault(const MObject& defaultData) {
    if (!attr())
        return MStatus::kFailure;
    attr()->defaultData = defaultData;
    return MStatus::kSuccess;
}

// ---- MFnCompoundAttribute ----

MObject MFnCompoundAttribute::create(const MString& fullName, const MString& briefName,
                                     MStatus* ReturnStatus) {
    auto attribute = makeAttribute(AttrKind::kCompound, fullName, briefName);
    return adopt(mayasim::ObjectAccess::wrap(attribute), ReturnStatus);
}

MStatus MFnCompoundAttribute::addChild(const MObject& child) {
    Attribute* parent = attr();
    Attribute* childAttr = mayasim::attributeOf(child);
    if (!parent || !childAttr || childAttr->parent || childAttr == parent) {
        return MStatus::kInvalidParameter;
    }
    childAttr->parent = parent;
    parent->children.push_back(std::static_pointer_cast<Attribute>(childAttr->shared_from_this()));
    return MStatus::kSuccess;
}

MStatus MFnCompoundAttribute::removeChild(const MObject& child) {
    Attribute* parent = attr();
    Attribute* childAttr = mayasim::attributeOf(child);
    if (!parent || !childAttr || childAttr->parent != parent)
        return MStatus::kInvalidParameter;
    const int index = parent->childIndex(childAttr);
    childAttr->parent = nullptr;
    parent->children.erase(parent->children.begin() + index);
    return MStatus::kSuccess;
}

unsigned int MFnCompoundAttribute::numChildren(MStatus* ReturnStatus) const {
    report(ReturnStatus, attr() ? MStatus::kSuccess : MStatus::kFailure);
    return attr() ? static_cast<unsigned int>(attr()->children.size()) : 0u;
}

MObject MFnCompoundAttribute::child(unsigned int index, MStatus* ReturnStatus) const {
    const Attribute* a = attr();
    if (!a || index >= a->children.size()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    report(ReturnStatus, MStatus::kSuccess);
    return mayasim::ObjectAccess::wrap(a->children[index]);
}
