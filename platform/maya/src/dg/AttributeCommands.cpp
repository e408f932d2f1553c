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
#include <maya/MTime.h>

#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"

namespace mayasim {

namespace {

template <typename T>
void* create() {
    return new T;
}

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

class SetAttrCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-typ", "-type", MSyntax::kString);
        syntax.addFlag("-l", "-lock", MSyntax::kBoolean);
        syntax.addFlag("-k", "-keyable", MSyntax::kBoolean);
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        const std::vector<std::string> words = toStrings(objects);
        MPlug plug;
        if (!findPlug(words[0], plug))
            return MStatus::kFailure;
        Node& node = *PlugAccess::node(plug);
        const PlugKey key = normalized(PlugAccess::key(plug));
        const std::vector<std::string> values(words.begin() + 1, words.end());
        if (db.isFlagSet("-l")) {
            bool lock = false;
            db.getFlagArgument("-l", 0, lock);
            setLock(node, key, lock);
            if (values.empty())
                return MStatus::kSuccess;
        }
        const std::string name = plug.name().asChar();
        if (node.locked.count(key) || sourceOf(node, key)) {
            return fail("setAttr: The attribute '" + name +
                        "' is locked or connected and cannot be modified.");
        }
        if (key.attr->kind == AttrKind::kTyped && key.attr->dataType == MFnData::kString) {
            if (values.size() != 1)
                return fail("setAttr: Wrong number of values for " + name);
            const MString text(values[0].c_str());
            setValue(
                node, key, [&](Slot& slot) { slot.str = text; }, &log_);
            return MStatus::kSuccess;
        }
        if (key.attr->kind == AttrKind::kMessage || key.attr->kind == AttrKind::kTyped) {
            return fail("setAttr: Cannot set the value of " + name);
        }
        std::vector<PlugKey> targets = childKeys(key);
        if (targets.empty())
            targets.push_back(key);
        if (values.size() != targets.size()) {
            return fail("setAttr: Wrong number of values for " + name + ": expected " +
                        std::to_string(targets.size()));
        }
        for (size_t i = 0; i < targets.size(); ++i) {
            const Attribute& attr = *targets[i].attr;
            double ui = 0.0;
            if (!parseNumber(attr, values[i], ui)) {
                return fail("setAttr: Invalid value '" + values[i] + "' for " + name);
            }
            double internal = toInternal(attr, ui);
            if (attr.min && internal < *attr.min)
                internal = *attr.min;
            if (attr.max && internal > *attr.max)
                internal = *attr.max;
            setValue(
                node, targets[i], [internal](Slot& slot) { slot.set(internal); }, &log_);
        }
        return MStatus::kSuccess;
    }

private:
    void setLock(Node& node, PlugKey key, bool lock) {
        const bool was = node.locked.count(key) > 0;
        auto apply = [keep = node.shared(), key](bool value) {
            if (value) {
                keep->locked.insert(key);
            } else {
                keep->locked.erase(key);
            }
        };
        apply(lock);
        log_.add([=] { apply(was); }, [=] { apply(lock); });
    }
};

class GetAttrCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-typ", "-type");
        syntax.addFlag("-l", "-lock");
        syntax.addFlag("-k", "-keyable");
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        MPlug plug;
        if (!findPlug(objects[0].asChar(), plug))
            return MStatus::kFailure;
        Node& node = *PlugAccess::node(plug);
        const PlugKey key = normalized(PlugAccess::key(plug));
        const Attribute& attr = *key.attr;
        if (db.isFlagSet("-typ")) {
            setResult(MString(typeNameOf(attr).c_str()));
            return MStatus::kSuccess;
        }
        if (db.isFlagSet("-l")) {
            setResult(node.locked.count(key) > 0);
            return MStatus::kSuccess;
        }
        if (db.isFlagSet("-k")) {
            setResult(attr.flags.keyable);
            return MStatus::kSuccess;
        }
        if (attr.kind == AttrKind::kMessage) {
            return fail("getAttr: Message attributes have no data values.");
        }
        const Slot& slot = pull(node, key);
        if (attr.kind == AttrKind::kTyped) {
            if (attr.dataType == MFnData::kString) {
                setResult(slot.str);
            } else if (attr.dataType == MFnData::kMatrix) {
                MDoubleArray values;
                for (int r = 0; r < 4; ++r) {
                    for (int c = 0; c < 4; ++c)
                        values.append(slot.matrix[r][c]);
                }
                setResult(values);
            } else {
                return fail("getAttr: The data type of " + std::string(plug.name().asChar()) +
                            " cannot be printed.");
            }
            return MStatus::kSuccess;
        }
        if (attr.isCompound()) {
            MDoubleArray values;
            for (PlugKey child : childKeys(key)) {
                values.append(toUI(*child.attr, pull(node, child).get()));
            }
            setResult(values);
            return MStatus::kSuccess;
        }
        const double value = toUI(attr, slot.get());
        if (attr.kind == AttrKind::kNumeric && attr.numericType == MFnNumericData::kBoolean) {
            setResult(value != 0.0);
        } else if (isIntegral(attr)) {
            setResult(static_cast<int>(value));
        } else {
            setResult(value);
        }
        return MStatus::kSuccess;
    }
};

class ConnectAttrCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-f", "-force");
        syntax.setObjectType(MSyntax::kStringObjects, 2, 2);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        MPlug src, dst;
        if (!findPlug(objects[0].asChar(), src) || !findPlug(objects[1].asChar(), dst)) {
            return MStatus::kFailure;
        }
        std::string why;
        status = connectPlugs(*PlugAccess::node(src), PlugAccess::key(src), *PlugAccess::node(dst),
                              PlugAccess::key(dst), db.isFlagSet("-f"), &log_, &why);
        const std::string pair = std::string(src.name().asChar()) + "' -> '" + dst.name().asChar();
        if (!status)
            return fail("connectAttr: Connection not made: '" + pair + "'. " + why + ".");
        setResult(MString(
            ("Connected " + std::string(src.name().asChar()) + " to " + dst.name().asChar() + ".")
                .c_str()));
        return MStatus::kSuccess;
    }
};

class DisconnectAttrCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.setObjectType(MSyntax::kStringObjects, 2, 2);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        MPlug src, dst;
        if (!findPlug(objects[0].asChar(), src) || !findPlug(objects[1].asChar(), dst)) {
            return MStatus::kFailure;
        }
        status = disconnectPlugs(*PlugAccess::node(src), PlugAccess::key(src),
                                 *PlugAccess::node(dst), PlugAccess::key(dst), &log_);
        if (!status) {
            return fail("disconnectAttr: There is no connection from '" +
                        std::string(src.name().asChar()) + "' to '" + dst.name().asChar() +
                        "' to disconnect.");
        }
        setResult(MString(("Disconnect " + std::string(src.name().asChar()) + " from " +
                           dst.name().asChar() + ".")
                              .c_str()));
        return MStatus::kSuccess;
    }
};

class AddAttrCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-ln", "-longName", MSyntax::kString);
        syntax.addFlag("-sn", "-shortName", MSyntax::kString);
        syntax.addFlag("-at", "-attributeType", MSyntax::kString);
        syntax.addFlag("-dt", "-dataType", MSyntax::kString);
        syntax.addFlag("-dv", "-defaultValue", MSyntax::kDouble);
        syntax.addFlag("-min", "-minValue", MSyntax::kDouble);
        syntax.addFlag("-max", "-maxValue", MSyntax::kDouble);
        syntax.addFlag("-smn", "-softMinValue", MSyntax::kDouble);
        syntax.addFlag("-smx", "-softMaxValue", MSyntax::kDouble);
        syntax.addFlag("-k", "-keyable", MSyntax::kBoolean);
        syntax.addFlag("-en", "-enumName", MSyntax::kString);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        db.getObjects(objects);
        if (objects.length() == 0)
            return fail("addAttr: No object was given.");
        Node* node = findNode(objects[0].asChar());
        if (!node)
            return MStatus::kFailure;
        MString longName, shortName, type, dataType;
        db.getFlagArgument("-ln", 0, longName);
        db.getFlagArgument("-sn", 0, shortName);
        if (longName.length() == 0)
            longName = shortName;
        if (shortName.length() == 0)
            shortName = longName;
        if (longName.length() == 0)
            return fail("addAttr: A long name is required.");
        if (node->findAttribute(longName.asChar()) || node->findAttribute(shortName.asChar())) {
            return fail("addAttr: Found an existing attribute named " +
                        std::string(longName.asChar()) + " on " + node->name + ".");
        }
        db.getFlagArgument("-at", 0, type);
        db.getFlagArgument("-dt", 0, dataType);
        MObject attr = makeAttribute(db, longName, shortName,
                                     dataType.length() ? ""
                                     : type.length()   ? type.asChar()
                                                       : "double",
                                     dataType.asChar());
        if (attr.isNull()) {
            return fail("addAttr: Unknown attribute type: " +
                        std::string(dataType.length() ? dataType.asChar() : type.asChar()));
        }
        auto attribute = std::static_pointer_cast<Attribute>(ObjectAccess::share(attr));
        attribute->dynamic = true;
        bool keyable = false;
        if (db.isFlagSet("-k") && db.getFlagArgument("-k", 0, keyable)) {
            attribute->flags.keyable = keyable;
        }
        auto keep = node->shared();
        auto add = [keep, attribute] { keep->dynamicAttributes.push_back(attribute); };
        auto remove = [keep, attribute] {
            auto& list = keep->dynamicAttributes;
            list.erase(std::remove(list.begin(), list.end(), attribute), list.end());
        };
        add();
        log_.add(remove, add);
        return MStatus::kSuccess;
    }

private:
    static MObject makeAttribute(const MArgDatabase& db, const MString& longName,
                                 const MString& shortName, const std::string& type,
                                 const std::string& dataType) {
        double dv = 0.0;
        db.getFlagArgument("-dv", 0, dv);
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
            return makeEnum(db, longName, shortName, static_cast<short>(dv));
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
            if (type != name)
                continue;
            MFnNumericAttribute fn;
            MObject attr = fn.create(longName, shortName, numeric, dv);
            double limit = 0.0;
            if (db.getFlagArgument("-min", 0, limit))
                fn.setMin(limit);
            if (db.getFlagArgument("-max", 0, limit))
                fn.setMax(limit);
            if (db.getFlagArgument("-smn", 0, limit))
                fn.setSoftMin(limit);
            if (db.getFlagArgument("-smx", 0, limit))
                fn.setSoftMax(limit);
            return attr;
        }
        return MObject();
    }

    static MObject makeEnum(const MArgDatabase& db, const MString& longName,
                            const MString& shortName, short defaultValue) {
        MFnEnumAttribute fn;
        MObject attr = fn.create(longName, shortName, defaultValue);
        MString names;
        db.getFlagArgument("-en", 0, names);
        MStringArray fields;
        names.split(':', fields);
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
};

}  // namespace

void registerAttributeCommands(CommandEngine& engine) {
    engine.registerCommand("setAttr", create<SetAttrCmd>, SetAttrCmd::newSyntax, "");
    engine.registerCommand("getAttr", create<GetAttrCmd>, GetAttrCmd::newSyntax, "");
    engine.registerCommand("connectAttr", create<ConnectAttrCmd>, ConnectAttrCmd::newSyntax, "");
    engine.registerCommand("disconnectAttr", create<DisconnectAttrCmd>,
                           DisconnectAttrCmd::newSyntax, "");
    engine.registerCommand("addAttr", create<AddAttrCmd>, AddAttrCmd::newSyntax, "");
}

}  // namespace mayasim
