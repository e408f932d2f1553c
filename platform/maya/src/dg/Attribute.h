#pragma once
// What an attribute is: names, kind, value type, defaults, limits and flags. Attributes are
// shared by every node of a type (static attributes) or belong to one node (dynamic ones).

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <maya/MObject.h>

#include "mayasim/DgObject.h"

namespace mayasim {

enum class AttrKind { kNumeric, kUnit, kEnum, kMessage, kTyped, kCompound };

struct AttrFlags {
    bool readable = true;
    bool writable = true;
    bool connectable = true;
    bool storable = true;
    bool cached = true;
    bool array = false;
    bool keyable = false;
    bool channelBox = false;
    bool hidden = false;
    bool usedAsColor = false;
    bool indexMatters = true;
    bool internal = false;
    bool affectsAppearance = false;
    bool usesArrayDataBuilder = false;
};

class Attribute : public Object {
public:
    Attribute(AttrKind kind, std::string longName, std::string shortName)
        : kind(kind), longName(std::move(longName)), shortName(std::move(shortName)) {}

    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    bool isCompound() const { return !children.empty(); }
    bool isArrayOrInArray() const { return flags.array || (parent && parent->flags.array); }
    const Attribute* root() const { return parent ? parent->root() : this; }
    bool matches(const std::string& name) const { return name == longName || name == shortName; }
    int childIndex(const Attribute* child) const;

    AttrKind kind;
    std::string longName;
    std::string shortName;
    int numericType = 0;        // MFnNumericData::Type for numeric attributes
    int unitType = 0;           // MFnUnitAttribute::Type for unit attributes
    int dataType = 0;           // MFnData::Type for typed attributes
    double defaultValue = 0.0;  // internal units
    std::string defaultString;
    MObject defaultData;
    std::optional<double> min, max, softMin, softMax;
    AttrFlags flags;
    std::vector<std::pair<std::string, short>> enumFields;
    std::vector<std::shared_ptr<Attribute>> children;
    Attribute* parent = nullptr;
    bool dynamic = false;
};

// The attribute a handle refers to, or null.
Attribute* attributeOf(const MObject& handle);

}  // namespace mayasim
