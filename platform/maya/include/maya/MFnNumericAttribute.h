#pragma once
// Function set for numeric attributes: single numbers and compounds of two to four
// (points, colours), with defaults and limits.

#include <maya/MFnAttribute.h>
#include <maya/MFnNumericData.h>

class MFnNumericAttribute : public MFnAttribute {
public:
    declareMFnConstructors(MFnNumericAttribute)

        MFn::Type type() const override {
        return MFn::kNumericAttribute;
    }

    MObject create(const MString& fullName, const MString& briefName, MFnNumericData::Type unitType,
                   double defaultValue = 0, MStatus* ReturnStatus = NULL);
    MObject create(const MString& fullName, const MString& briefName, const MObject& child1,
                   const MObject& child2, const MObject& child3 = MObject::kNullObj,
                   MStatus* ReturnStatus = NULL);
    MObject createPoint(const MString& fullName, const MString& briefName,
                        MStatus* ReturnStatus = NULL);
    MObject createColor(const MString& fullName, const MString& briefName,
                        MStatus* ReturnStatus = NULL);

    MFnNumericData::Type unitType(MStatus* ReturnStatus = NULL) const;

    MStatus getMin(double& min1) const;
    MStatus getMax(double& max1) const;
    MStatus getSoftMin(double& min1) const;
    MStatus getSoftMax(double& max1) const;
    bool hasMin(MStatus* ReturnStatus = NULL) const;
    bool hasMax(MStatus* ReturnStatus = NULL) const;
    bool hasSoftMin(MStatus* ReturnStatus = NULL) const;
    bool hasSoftMax(MStatus* ReturnStatus = NULL) const;
    MStatus setMin(double min1);
    MStatus setMin(double min1, double min2);
    MStatus setMin(double min1, double min2, double min3);
    MStatus setMax(double max1);
    MStatus setMax(double max1, double max2);
    MStatus setMax(double max1, double max2, double max3);
    MStatus setSoftMin(double min);
    MStatus setSoftMax(double max);

    MStatus getDefault(bool& def);
    MStatus getDefault(int& def);
    MStatus getDefault(float& def);
    MStatus getDefault(double& def);
    MStatus getDefault(double& def1, double& def2, double& def3);
    MStatus setDefault(bool value);
    MStatus setDefault(char value);
    MStatus setDefault(int value);
    MStatus setDefault(int value1, int value2);
    MStatus setDefault(int value1, int value2, int value3);
    MStatus setDefault(float value);
    MStatus setDefault(float value1, float value2);
    MStatus setDefault(float value1, float value2, float value3);
    MStatus setDefault(double value);
    MStatus setDefault(double value1, double value2);
    MStatus setDefault(double value1, double value2, double value3);
    MStatus setDefault(double value1, double value2, double value3, double value4);

private:
    MStatus setLimit(int which, const double* values, unsigned int count);
    MStatus setDefaults(const double* values, unsigned int count);
};
