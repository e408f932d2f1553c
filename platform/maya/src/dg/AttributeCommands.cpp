// Commands on attributes: setAttr, getAttr, connectAttr, disconnectAttr, addAttr. Values
// cross the command line in UI units (degrees, the UI distance and time units).

#include <cstdlib>

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnData.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MPxCommand.h>
#include <maya/MTime.h>

#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

double toInternal(const Attribute& attr, double ui) {
    if (attr.kind != AttrKind::kUnit)
        return ui;
    switch (attr.unitType) {
        case MFnUnitAttribute::kAngle:
            return MAngle::uiToInternal(ui);
        case MFnUnitAttribute::kDistance:
            return MDistance(ui, MDistance::uiUnit()).asCentimeters();
        default:
            return MTime(ui, MTime::uiUnit()).as(MTime::kSeconds);
    }
}

double toUI(const Attribute& attr, double internal) {
    if (attr.kind != AttrKind::kUnit)
        return internal;
    switch (attr.unitType) {
        case MFnUnitAttribute::kAngle:
            return MAngle::internalToUI(internal);
        case MFnUnitAttribute::kDistance:
            return MDistance(internal, MDistance::kCentimeters).as(MDistance::uiUnit());
        default:
            return MTime(internal, MTime::kSeconds).as(MTime::uiUnit());
    }
}

bool isIntegral(const Attribute& attr) {
    if (attr.kind == AttrKind::kEnum)
        return true;
    if (attr.kind != AttrKind::kNumeric)
        return false;
    return attr.numericType == MFnNumericData::kBoolean ||
           attr.numericType == MFnNumericData::kShort || attr.numericType == MFnNumericData::kInt ||
           attr.numericType == MFnNumericData::kChar || attr.numericType == MFnNumericData::kByte;
}

// A number as MEL hands it to setAttr: digits, or on/off words, or an enum field name.
bool parseNumber(const Attribute& attr, const std::string& text, double& value) {
    static const std::pair<const char*, double> kWords[] = {{"true", 1},  {"on", 1},  {"yes", 1},
                                                            {"false", 0}, {"off", 0}, {"no", 0}};
    for (const auto& [word, number] : kWords) {
        if (text == word) {
            value = number;
            return true;
        }
    }
    for (const auto& [field, index] : attr.enumFields) {
        if (text == field) {
            value = index;
            return true;
        }
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

std::string typeNameOf(const Attribute& attr) {
    switch (attr.kind) {
        case AttrKind::kMessage:
            return "message";
        case AttrKind::kEnum:
            return "enum";
        case AttrKind::kCompound:
            return "TdataCompound";
        case AttrKind::kTyped:
            return attr.dataType == MFnData::kString   ? "string"
                   : attr.dataType == MFnData::kMatrix ? "matrix"
                   : attr.dataType == MFnData::kMesh   ? "mesh"
                                                       : "data";
        case AttrKind::kUnit:
            return attr.unitType == MFnUnitAttribute::kAngle      ? "doubleAngle"
                   : attr.unitType == MFnUnitAttribute::kDistance ? "doubleLinear"
                                                                  : "time";
        case AttrKind::kNumeric:
            break;
    }
    if (attr.isCompound()) {
        const Attribute& child = *attr.children.front();
        const std::string count = std::to_string(attr.children.size());
        if (child.kind == AttrKind::kUnit)
            return "double" + count;
        switch (child.numericType) {
            case MFnNumericData::kFloat:
                return "float" + count;
            case MFnNumericData::kInt:
                return "long" + count;
            case MFnNumericData::kShort:
                return "short" + count;
            default:
                return "double" + count;
        }
    }
    switch (attr.numericType) {
        case MFnNumericData::kBoolean:
            return "bool";
        case MFnNumericData::kByte:
        case MFnNumericData::kChar:
            return "byte";
        case MFnNumericData::kShort:
            return "short";
        case MFnNumericData::kInt:
            return "long";
        case MFnNumericData::kFloat:
            return "float";
        default:
            return "double";
    }
}

using Arg = MSyntax::MArgType;
constexpr Arg kString = MSyntax::kString;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kBoolean = MSyntax::kBoolean;

void setLock(Node& node, PlugKey key, bool lock, EditLog& log) {
    const bool was = node.locked.count(key) > 0;
    auto apply = [keep = node.shared(), key](bool value) {
        if (value) {
            keep->locked.insert(key);
        } else {
            keep->locked.erase(key);
        }
    };
    apply(lock);
    log.add([=] { apply(was); }, [=] { apply(lock); });
}

MStatus setNumbers(CommandCall& call, Node& node, PlugKey key, const std::string& name,
                   const std::vector<std::string>& values) {
    std::vector<PlugKey> targets = childKeys(key);
    if (targets.empty())
        targets.push_back(key);
    if (values.size() != targets.size()) {
        return call.fail("setAttr: Wrong number of values for " + name + ": expected " +
                         std::to_string(targets.size()));
    }
    for (size_t i = 0; i < targets.size(); ++i) {
        const Attribute& attr = *targets[i].attr;
        double ui = 0.0;
        if (!parseNumber(attr, values[i], ui))
            return call.fail("setAttr: Invalid value '" + values[i] + "' for " + name);
        double internal = toInternal(attr, ui);
        if (attr.min && internal < *attr.min)
            internal = *attr.min;
        if (attr.max && internal > *attr.max)
            internal = *attr.max;
        setValue(
            node, targets[i], [internal](Slot& slot) { slot.set(internal); }, &call.log());
    }
    return MStatus::kSuccess;
}

MStatus setAttr(CommandCall& call) {
    const std::vector<std::string> words = call.objects();
    MPlug plug;
    if (!findPlug(words[0], plug))
        return MStatus::kFailure;
    Node& node = *PlugAccess::node(plug);
    const PlugKey key = normalized(PlugAccess::key(plug));
    const std::vector<std::string> values(words.begin() + 1, words.end());
    if (call.isSet("-l")) {
        setLock(node, key, call.boolean("-l"), call.log());
        if (values.empty())
            return MStatus::kSuccess;
    }
    const std::string name = plug.name().asChar();
    if (node.locked.count(key) || sourceOf(node, key)) {
        return call.fail("setAttr: The attribute '" + name +
                         "' is locked or connected and cannot be modified.");
    }
    if (key.attr->kind == AttrKind::kTyped && key.attr->dataType == MFnData::kString) {
        if (values.size() != 1)
            return call.fail("setAttr: Wrong number of values for " + name);
        const MString text(values[0].c_str());
        setValue(
            node, key, [&](Slot& slot) { slot.str = text; }, &call.log());
        return MStatus::kSuccess;
    }
    if (key.attr->kind == AttrKind::kMessage || key.attr->kind == AttrKind::kTyped)
        return call.fail("setAttr: Cannot set the value of " + name);
    return setNumbers(call, node, key, name, values);
}

MStatus getTypedAttr(CommandCall& call, const Attribute& attr, const Slot& slot,
                     const MPlug& plug) {
    if (attr.dataType == MFnData::kString) {
        MPxCommand::setResult(slot.str);
    } else if (attr.dataType == MFnData::kMatrix) {
        MDoubleArray values;
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c)
                values.append(slot.matrix[r][c]);
        }
        MPxCommand::setResult(values);
    } else {
        return call.fail("getAttr: The data type of " + std::string(plug.name().asChar()) +
                         " cannot be printed.");
    }
    return MStatus::kSuccess;
}

MStatus getAttr(CommandCall& call) {
    MPlug plug;
    if (!findPlug(call.objects()[0], plug))
        return MStatus::kFailure;
    Node& node = *PlugAccess::node(plug);
    const PlugKey key = normalized(PlugAccess::key(plug));
    const Attribute& attr = *key.attr;
    if (call.isSet("-typ")) {
        MPxCommand::setResult(MString(typeNameOf(attr).c_str()));
        return MStatus::kSuccess;
    }
    if (call.isSet("-l")) {
        MPxCommand::setResult(node.locked.count(key) > 0);
        return MStatus::kSuccess;
    }
    if (call.isSet("-k")) {
        MPxCommand::setResult(attr.flags.keyable);
        return MStatus::kSuccess;
    }
    if (attr.kind == AttrKind::kMessage)
        return call.fail("getAttr: Message attributes have no data values.");
    const Slot& slot = pull(node, key);
    if (attr.kind == AttrKind::kTyped)
        return getTypedAttr(call, attr, slot, plug);
    if (attr.isCompound()) {
        MDoubleArray values;
        for (PlugKey child : childKeys(key))
            values.append(toUI(*child.attr, pull(node, child).get()));
        MPxCommand::setResult(values);
        return MStatus::kSuccess;
    }
    const double value = toUI(attr, slot.get());
    if (attr.kind == AttrKind::kNumeric && attr.numericType == MFnNumericData::kBoolean) {
        MPxCommand::setResult(value != 0.0);
    } else if (isIntegral(attr)) {
        MPxCommand::setResult(static_cast<int>(value));
    } else {
        MPxCommand::setResult(value);
    }
    return MStatus::kSuccess;
}

bool findPlugPair(CommandCall& call, MPlug& src, MPlug& dst) {
    const std::vector<std::string> names = call.objects();
    return findPlug(names[0], src) && findPlug(names[1], dst);
}

MStatus connectAttr(CommandCall& call) {
    MPlug src, dst;
    if (!findPlugPair(call, src, dst))
        return MStatus::kFailure;
    std::string why;
    const MStatus status =
        connectPlugs(*PlugAccess::node(src), PlugAccess::key(src), *PlugAccess::node(dst),
                     PlugAccess::key(dst), call.isSet("-f"), &call.log(), &why);
    const std::string from = src.name().asChar();
    const std::string to = dst.name().asChar();
    if (!status)
        return call.fail("connectAttr: Connection not made: '" + from + "' -> '" + to + "'. " +
                         why + ".");
    MPxCommand::setResult(MString(("Connected " + from + " to " + to + ".").c_str()));
    return MStatus::kSuccess;
}

MStatus disconnectAttr(CommandCall& call) {
    MPlug src, dst;
    if (!findPlugPair(call, src, dst))
        return MStatus::kFailure;
    const std::string from = src.name().asChar();
    const std::string to = dst.name().asChar();
    if (!disconnectPlugs(*PlugAccess::node(src), PlugAccess::key(src), *PlugAccess::node(dst),
                         PlugAccess::key(dst), &call.log())) {
        return call.fail("disconnectAttr: There is no connection from '" + from + "' to '" + to +
                         "' to disconnect.");
    }
    MPxCommand::setResult(MString(("Disconnect " + from + " from " + to + ".").c_str()));
    return MStatus::kSuccess;
}

MObject makeEnum(const CommandCall& call, const MString& longName, const MString& shortName,
                 short defaultValue) {
    MFnEnumAttribute fn;
    MObject attr = fn.create(longName, shortName, defaultValue);
    MStringArray fields;
    MString(call.text("-en").c_str()).split(':', fields);
    short index = 0;
    for (unsigned int i = 0; i < fields.length(); ++i) {
        MStringArray parts;
        fields[i].split('=', parts);
        if (parts.length() == 2)
            index = static_cast<short>(parts[1].asInt());
        fn.addField(parts[0], index++);
    }
    return attr;
}

MObject makeNumeric(const CommandCall& call, const MString& longName, const MString& shortName,
                    MFnNumericData::Type numeric) {
    MFnNumericAttribute fn;
    MObject attr = fn.create(longName, shortName, numeric, call.number("-dv"));
    if (call.isSet("-min"))
        fn.setMin(call.number("-min"));
    if (call.isSet("-max"))
        fn.setMax(call.number("-max"));
    if (call.isSet("-smn"))
        fn.setSoftMin(call.number("-smn"));
    if (call.isSet("-smx"))
        fn.setSoftMax(call.number("-smx"));
    return attr;
}

MObject makeAttribute(const CommandCall& call, const MString& longName, const MString& shortName,
                      const std::string& type, const std::string& dataType) {
    const double dv = call.number("-dv");
    if (dataType == "string" || dataType == "matrix") {
        MFnTypedAttribute fn;
        return fn.create(longName, shortName,
                         dataType == "string" ? MFnData::kString : MFnData::kMatrix);
    }
    if (!dataType.empty())
        return MObject();
    if (type == "message") {
        MFnMessageAttribute fn;
        return fn.create(longName, shortName);
    }
    if (type == "enum")
        return makeEnum(call, longName, shortName, static_cast<short>(dv));
    static const std::pair<const char*, MFnUnitAttribute::Type> kUnits[] = {
        {"doubleLinear", MFnUnitAttribute::kDistance},
        {"doubleAngle", MFnUnitAttribute::kAngle},
        {"time", MFnUnitAttribute::kTime}};
    for (const auto& [name, unit] : kUnits) {
        if (type == name) {
            MFnUnitAttribute fn;
            return fn.create(longName, shortName, unit, dv);
        }
    }
    static const std::pair<const char*, MFnNumericData::Type> kNumbers[] = {
        {"double", MFnNumericData::kDouble},   {"float", MFnNumericData::kFloat},
        {"long", MFnNumericData::kInt},        {"short", MFnNumericData::kShort},
        {"bool", MFnNumericData::kBoolean},    {"byte", MFnNumericData::kByte},
        {"double2", MFnNumericData::k2Double}, {"double3", MFnNumericData::k3Double},
        {"float3", MFnNumericData::k3Float},   {"long2", MFnNumericData::k2Int},
        {"long3", MFnNumericData::k3Int}};
    for (const auto& [name, numeric] : kNumbers) {
        if (type == name)
            return makeNumeric(call, longName, shortName, numeric);
    }
    return MObject();
}

MStatus addAttr(CommandCall& call) {
    const std::vector<std::string> objects = call.objects();
    if (objects.empty())
        return call.fail("addAttr: No object was given.");
    Node* node = findNode(objects[0]);
    if (!node)
        return MStatus::kFailure;
    MString longName(call.text("-ln").c_str());
    MString shortName(call.text("-sn").c_str());
    if (longName.length() == 0)
        longName = shortName;
    if (shortName.length() == 0)
        shortName = longName;
    if (longName.length() == 0)
        return call.fail("addAttr: A long name is required.");
    if (node->findAttribute(longName.asChar()) || node->findAttribute(shortName.asChar())) {
        return call.fail("addAttr: Found an existing attribute named " +
                         std::string(longName.asChar()) + " on " + node->name + ".");
    }
    const std::string type = call.text("-at", "double");
    const std::string dataType = call.text("-dt");
    MObject attr = makeAttribute(call, longName, shortName, dataType.empty() ? type : "", dataType);
    if (attr.isNull())
        return call.fail("addAttr: Unknown attribute type: " +
                         (dataType.empty() ? type : dataType));
    auto attribute = std::static_pointer_cast<Attribute>(ObjectAccess::share(attr));
    attribute->dynamic = true;
    if (call.isSet("-k"))
        attribute->flags.keyable = call.boolean("-k");
    auto keep = node->shared();
    auto add = [keep, attribute] { keep->dynamicAttributes.push_back(attribute); };
    auto remove = [keep, attribute] {
        auto& list = keep->dynamicAttributes;
        list.erase(std::remove(list.begin(), list.end(), attribute), list.end());
    };
    add();
    call.log().add(remove, add);
    return MStatus::kSuccess;
}

const CommandSpec kAttributeCommands[] = {
    {"setAttr",
     {{"-typ", "-type", {kString}}, {"-l", "-lock", {kBoolean}}, {"-k", "-keyable", {kBoolean}}},
     objects(1),
     setAttr},
    {"getAttr", {{"-typ", "-type"}, {"-l", "-lock"}, {"-k", "-keyable"}}, objects(1, 1), getAttr},
    {"connectAttr", {{"-f", "-force"}}, objects(2, 2), connectAttr},
    {"disconnectAttr", {}, objects(2, 2), disconnectAttr},
    {"addAttr",
     {{"-ln", "-longName", {kString}},
      {"-sn", "-shortName", {kString}},
      {"-at", "-attributeType", {kString}},
      {"-dt", "-dataType", {kString}},
      {"-dv", "-defaultValue", {kDouble}},
      {"-min", "-minValue", {kDouble}},
      {"-max", "-maxValue", {kDouble}},
      {"-smn", "-softMinValue", {kDouble}},
      {"-smx", "-softMaxValue", {kDouble}},
      {"-k", "-keyable", {kBoolean}},
      {"-en", "-enumName", {kString}}},
     objects(0, 1, true),
     addAttr},
};

}  // namespace

void registerAttributeCommands(CommandEngine& engine) {
    registerCommandTable(engine, kAttributeCommands);
}

}  // namespace mayasim
