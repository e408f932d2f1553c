#pragma once
// A handle on one value of a node's data block, given to compute. Numeric getters return
// references into the node's storage, as Maya's do.

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MPlug;

namespace mayasim {
class Node;
class Attribute;
struct DataAccess;
}  // namespace mayasim

class MDataHandle {
public:
    MDataHandle() = default;
    MDataHandle(const MDataHandle&) = default;
    MDataHandle& operator=(const MDataHandle&) = default;

    bool isNumeric() const;
    bool isGeneric(bool& isNumeric, bool& isNull) const;
    MObject attribute();

    bool& asBool() const;
    char& asChar() const;
    short& asShort() const;
    int& asInt() const;
    int& asLong() const { return asInt(); }
    float& asFloat() const;
    double& asDouble() const;
    MTime asTime() const;
    MAngle asAngle() const;
    MDistance asDistance() const;
    double2& asDouble2() const;
    double3& asDouble3() const;
    float3& asFloat3() const;
    MVector& asVector() const;
    MMatrix& asMatrix() const;
    MString& asString() const;
    MObject data() const;
    MObject asMesh() const { return data(); }

    void setBool(bool value);
    void setChar(char value);
    void setShort(short value);
    void setInt(int value);
    void setLong(int value) { setInt(value); }
    void setFloat(float value);
    void setDouble(double value);
    void setMMatrix(const MMatrix& value);
    void setMVector(const MVector& value);
    void setMAngle(const MAngle& value);
    void setMDistance(const MDistance& value);
    void setMTime(const MTime& value);
    void set2Double(double x, double y);
    void set3Double(double x, double y, double z);
    void set3Float(float x, float y, float z);
    void setString(const MString& value);
    MStatus setMObject(const MObject& data);

    void set(bool value) { setBool(value); }
    void set(short value) { setShort(value); }
    void set(int value) { setInt(value); }
    void set(float value) { setFloat(value); }
    void set(double value) { setDouble(value); }
    void set(const MMatrix& value) { setMMatrix(value); }
    void set(const MVector& value) { setMVector(value); }
    void set(const MString& value) { setString(value); }
    void set(double x, double y) { set2Double(x, y); }
    void set(double x, double y, double z) { set3Double(x, y, z); }

    // Marks the value clean; for a compound also its children and any values written
    // through asDouble3/asVector.
    void setClean();
    MDataHandle child(const MPlug& plug);
    MDataHandle child(const MObject& attribute);

private:
    friend struct mayasim::DataAccess;
    friend class MArrayDataHandle;
    double childValue(unsigned int index) const;
    void writeChildren(const double* values, unsigned int count);

    mayasim::Node* node_ = nullptr;
    const mayasim::Attribute* attr_ = nullptr;
    int index_ = -1;
    enum class HandedOut { kNone, kDouble2, kDouble3, kFloat3, kVector };
    mutable HandedOut handedOut_ = HandedOut::kNone;
};
