#pragma once
// Numeric data: the value types of numeric attributes (Maya 2012 numbering) and data
// objects holding up to four numbers.

#include <maya/MFnData.h>

class MFnNumericData : public MFnData {
public:
    enum Type {
        kInvalid = 0,
        kBoolean = 1,
        kByte = 2,
        kChar = 3,
        kShort = 4,
        k2Short = 5,
        k3Short = 6,
        kLong = 7,
        kInt = kLong,
        k2Long = 8,
        k2Int = k2Long,
        k3Long = 9,
        k3Int = k3Long,
        kFloat = 10,
        k2Float = 11,
        k3Float = 12,
        kDouble = 13,
        k2Double = 14,
        k3Double = 15,
        k4Double = 16,
        kAddr = 17,
        kLast = 18
    };

    declareMFnConstructors(MFnNumericData)

        MFn::Type type() const override {
        return MFn::kNumericData;
    }

    MObject create(Type dataType, MStatus* ReturnStatus = NULL);
    Type numericType(MStatus* ReturnStatus = NULL);
    MStatus getData(double& val1, double& val2);
    MStatus getData(double& val1, double& val2, double& val3);
    MStatus getData(float& val1, float& val2, float& val3);
    MStatus getData(int& val1, int& val2);
    MStatus setData(double val1, double val2);
    MStatus setData(double val1, double val2, double val3);
    MStatus setData(float val1, float val2, float val3);
    MStatus setData(int val1, int val2);
};
