#pragma once
// Function set for attributes: names and the flags that say how plugs of the attribute
// behave. New attributes are readable, writable, connectable, storable and cached.

#include <maya/MFnBase.h>
#include <maya/MString.h>

namespace mayasim {
class Attribute;
}

class MFnAttribute : public MFnBase {
public:
    enum DisconnectBehavior { kDelete = 0, kReset, kNothing };

    declareMFnConstructors(MFnAttribute)

        MFn::Type type() const override {
        return MFn::kAttribute;
    }

    MString name(MStatus* ReturnStatus = NULL) const;
    MString shortName(MStatus* ReturnStatus = NULL) const;
    MObject parent(MStatus* ReturnStatus = NULL) const;

    bool isReadable(MStatus* ReturnStatus = NULL) const;
    bool isWritable(MStatus* ReturnStatus = NULL) const;
    bool isConnectable(MStatus* ReturnStatus = NULL) const;
    bool isStorable(MStatus* ReturnStatus = NULL) const;
    bool isCached(MStatus* ReturnStatus = NULL) const;
    bool isArray(MStatus* ReturnStatus = NULL) const;
    bool isKeyable(MStatus* ReturnStatus = NULL) const;
    bool isChannelBoxFlagSet(MStatus* ReturnStatus = NULL) const;
    bool isHidden(MStatus* ReturnStatus = NULL) const;
    bool isUsedAsColor(MStatus* ReturnStatus = NULL) const;
    bool isIndexMatters(MStatus* ReturnStatus = NULL) const;
    bool isDynamic(MStatus* ReturnStatus = NULL) const;
    bool internal(MStatus* ReturnStatus = NULL) const;
    bool isAffectsAppearance(MStatus* ReturnStatus = NULL) const;
    bool usesArrayDataBuilder(MStatus* ReturnStatus = NULL) const;

    MStatus setReadable(bool state);
    MStatus setWritable(bool state);
    MStatus setConnectable(bool state);
    MStatus setStorable(bool state);
    MStatus setCached(bool state);
    MStatus setArray(bool state);
    MStatus setKeyable(bool state);
    MStatus setChannelBox(bool state);
    MStatus setHidden(bool state);
    MStatus setUsedAsColor(bool state);
    MStatus setIndexMatters(bool state);
    MStatus setInternal(bool state);
    MStatus setAffectsAppearance(bool state);
    MStatus setUsesArrayDataBuilder(bool state);
    MStatus setNiceNameOverride(const MString& localizedName);
    MStatus setDisconnectBehavior(DisconnectBehavior behavior);

protected:
    mayasim::Attribute* attr() const;
    // Makes a new attribute the object of this function set.
    MObject adopt(const MObject& attribute, MStatus* ReturnStatus);
};
