#pragma once
// A plug: one attribute of one node (and one element of an array attribute). Reading a
// plug pulls its value through connections and compute; writing it dirties what depends
// on it.

#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class MPlugArray;
class MAngle;
class MDistance;
class MTime;
class MDataHandle;
class MPxData;

namespace mayasim {
struct PlugAccess;
}

class MPlug {
public:
    MPlug() = default;
    MPlug(const MPlug&) = default;
    MPlug(const MObject& node, const MObject& attribute);
    virtual ~MPlug() = default;
    MPlug& operator=(const MPlug&) = default;

    MObject attribute(MStatus* ReturnStatus = NULL) const;
    MObject node(MStatus* ReturnStatus = NULL) const;
    MString name(MStatus* ReturnStatus = NULL) const;
    MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                        bool includeInstancedIndices = false, bool useAlias = false,
                        bool useFullAttributePath = false, bool useLongNames = false,
                        MStatus* ReturnStatus = NULL) const;
    MString info(MStatus* ReturnStatus = NULL) const { return name(ReturnStatus); }

    bool isNull(MStatus* ReturnStatus = NULL) const;
    bool isArray(MStatus* ReturnStatus = NULL) const;
    bool isElement(MStatus* ReturnStatus = NULL) const;
    bool isCompound(MStatus* ReturnStatus = NULL) const;
    bool isChild(MStatus* ReturnStatus = NULL) const;
    bool isKeyable(MStatus* ReturnStatus = NULL) const;
    bool isDynamic(MStatus* ReturnStatus = NULL) const;
    unsigned int numChildren(MStatus* ReturnStatus = NULL) const;
    unsigned int numElements(MStatus* ReturnStatus = NULL) const;
    MPlug child(MObject& attr, MStatus* ReturnStatus = NULL) const;
    MPlug child(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MPlug parent(MStatus* ReturnStatus = NULL) const;
    MPlug array(MStatus* ReturnStatus = NULL) const;
    MPlug elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus = NULL) const;
    MPlug elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus = NULL) const;
    unsigned int logicalIndex(MStatus* ReturnStatus = NULL) const;

    bool connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus = NULL) const;
    bool isConnected(MStatus* ReturnStatus = NULL) const;
    bool isSource(MStatus* ReturnStatus = NULL) const;
    bool isDestination(MStatus* ReturnStatus = NULL) const;
    bool isLocked(MStatus* ReturnStatus = NULL) const;
    MStatus setLocked(bool locked);

    double asDouble(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    float asFloat(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    int asInt(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    short asShort(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    bool asBool(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    char asChar(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    MTime asMTime(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    MString asString(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;
    MObject asMObject(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = NULL) const;

    MStatus getValue(double& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(float& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(int& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(short& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(bool& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MString& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MObject& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MTime& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MAngle& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MDistance& value, MDGContext& ctx = MDGContext::fsNormal) const;

    MStatus setDouble(double value) { return setValue(value); }
    MStatus setFloat(float value) { return setValue(value); }
    MStatus setInt(int value) { return setValue(value); }
    MStatus setShort(short value) { return setValue(value); }
    MStatus setBool(bool value) { return setValue(value); }
    MStatus setString(const MString& value) { return setValue(value); }
    MStatus setMTime(MTime& value) { return setValue(value); }
    MStatus setMAngle(MAngle& value) { return setValue(value); }
    MStatus setMDistance(MDistance& value) { return setValue(value); }
    MStatus setMObject(MObject& value) { return setValue(value); }

    MStatus setValue(double value);
    MStatus setValue(float value);
    MStatus setValue(int value);
    MStatus setValue(short value);
    MStatus setValue(bool value);
    MStatus setValue(char value);
    MStatus setValue(const MString& value);
    MStatus setValue(const char* value);
    MStatus setValue(MObject& value);
    MStatus setValue(MDataHandle& handle);
    MStatus setValue(MDistance& value);
    MStatus setValue(MAngle& value);
    MStatus setValue(MTime& value);

    bool operator==(const MPlug& other) const;
    bool operator==(const MObject& attr) const;
    bool operator!=(const MPlug& other) const { return !(*this == other); }
    bool operator!=(const MObject& attr) const { return !(*this == attr); }
    MPlug operator[](unsigned int physicalIndex) const;
    operator MObject() const { return attribute_; }
    bool operator!() const { return isNull(); }

private:
    friend struct mayasim::PlugAccess;
    MObject node_;
    MObject attribute_;
    int index_ = -1;
};
