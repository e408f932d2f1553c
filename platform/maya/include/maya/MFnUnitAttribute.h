#pragma once
// Function set for attributes holding an angle, a distance or a time. Values are kept in
// internal units (radians, centimetres).

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnAttribute.h>
#include <maya/MTime.h>

class MFnUnitAttribute : public MFnAttribute {
public:
    enum Type { kInvalid = 0, kAngle, kDistance, kTime, kLast };

    declareMFnConstructors(MFnUnitAttribute)

        MFn::Type type() const override {
        return MFn::kUnitAttribute;
    }

    MObject create(const MString& fullName, const MString& briefName,
                   MFnUnitAttribute::Type unitType, double defaultValue = 0.0,
                   MStatus* ReturnStatus = NULL);
    MObject create(const MString& fullName, const MString& briefName, const MTime& defaultValue,
                   MStatus* ReturnStatus = NULL);
    MObject create(const MString& fullName, const MString& briefName, const MAngle& defaultValue,
                   MStatus* ReturnStatus = NULL);
    MObject create(const MString& fullName, const MString& briefName, const MDistance& defaultValue,
                   MStatus* ReturnStatus = NULL);

    MFnUnitAttribute::Type unitType(MStatus* ReturnStatus = NULL) const;
    MStatus setMin(double minValue);
    MStatus setMax(double maxValue);
    MStatus setSoftMin(double minValue);
    MStatus setSoftMax(double maxValue);
    MStatus setDefault(double value);
    MStatus setDefault(const MTime& value);
    MStatus setDefault(const MAngle& value);
    MStatus setDefault(const MDistance& value);
};
