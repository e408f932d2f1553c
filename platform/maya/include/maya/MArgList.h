#pragma once
// The arguments of one command invocation, each with the type MEL or Python gave it.

#include <memory>

#include <maya/MStatus.h>
#include <maya/MString.h>

class MAngle;
class MDistance;
class MMatrix;
class MPoint;
class MStringArray;
class MDoubleArray;
class MIntArray;
class MTime;
class MVector;

namespace mayasim {
struct ArgListAccess;
}

class MArgList {
public:
    MArgList();
    MArgList(const MArgList& other);
    MArgList& operator=(const MArgList& other);
    ~MArgList();

    static const unsigned int kInvalidArgIndex;

    unsigned int length(MStatus* ReturnStatus = NULL) const;

    bool asBool(unsigned int index, MStatus* ReturnStatus = NULL) const;
    int asInt(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double asDouble(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MString asString(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MDistance asDistance(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MAngle asAngle(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MTime asTime(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MVector asVector(unsigned int& index, unsigned int numElements = 3,
                     MStatus* ReturnStatus = NULL) const;
    MPoint asPoint(unsigned int& index, unsigned int numElements = 3,
                   MStatus* ReturnStatus = NULL) const;
    MMatrix asMatrix(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MStringArray asStringArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MDoubleArray asDoubleArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MIntArray asIntArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;

    // The index of a flag ("-f" or "f"; short or long name), kInvalidArgIndex if absent.
    unsigned int flagIndex(const char* shortFlag, const char* longFlag = NULL) const;

    MStatus addArg(bool arg);
    MStatus addArg(int arg);
    MStatus addArg(double arg);
    MStatus addArg(const MString& arg);
    MStatus addArg(const MDistance& arg);
    MStatus addArg(const MAngle& arg);
    MStatus addArg(const MTime& arg);
    MStatus addArg(const MVector& arg);
    MStatus addArg(const MPoint& arg);
    // A string literal would silently convert to bool here, as it does with Maya's own
    // headers; refuse it so callers write MString("...").
    MStatus addArg(const char* arg) = delete;

private:
    friend struct mayasim::ArgListAccess;
    struct Data;
    std::unique_ptr<Data> data_;
};
