#include <maya/MArgList.h>

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

#include "ArgConversion.h"
#include "SyntaxData.h"

using mayasim::Value;

const unsigned int MArgList::kInvalidArgIndex = 0xFFFFFFFFu;

namespace {

void report(MStatus* status, bool ok) {
    if (status)
        *status = ok ? MS::kSuccess : MS::kInvalidParameter;
}

}  // namespace

MArgList::MArgList() : data_(std::make_unique<Data>()) {}
MArgList::MArgList(const MArgList& other) : data_(std::make_unique<Data>(*other.data_)) {}
MArgList::~MArgList() = default;

MArgList& MArgList::operator=(const MArgList& other) {
    *data_ = *other.data_;
    return *this;
}

unsigned int MArgList::length(MStatus* ReturnStatus) const {
    report(ReturnStatus, true);
    return static_cast<unsigned int>(data_->items.size());
}

bool MArgList::asBool(unsigned int index, MStatus* ReturnStatus) const {
    bool value = false;
    report(ReturnStatus,
           index < data_->items.size() && mayasim::toBool(data_->items[index], value));
    return value;
}

int MArgList::asInt(unsigned int index, MStatus* ReturnStatus) const {
    int value = 0;
    report(ReturnStatus, index < data_->items.size() && mayasim::toInt(data_->items[index], value));
    return value;
}

double MArgList::asDouble(unsigned int index, MStatus* ReturnStatus) const {
    double value = 0.0;
    report(ReturnStatus,
           index < data_->items.size() && mayasim::toDouble(data_->items[index], value));
    return value;
}

MString MArgList::asString(unsigned int index, MStatus* ReturnStatus) const {
    report(ReturnStatus, index < data_->items.size());
    return index < data_->items.size() ? MString(data_->items[index].asString().c_str())
                                       : MString();
}

MDistance MArgList::asDistance(unsigned int index, MStatus* ReturnStatus) const {
    return MDistance(asDouble(index, ReturnStatus), MDistance::uiUnit());
}

MAngle MArgList::asAngle(unsigned int index, MStatus* ReturnStatus) const {
    return MAngle(asDouble(index, ReturnStatus), MAngle::uiUnit());
}

MTime MArgList::asTime(unsigned int index, MStatus* ReturnStatus) const {
    return MTime(asDouble(index, ReturnStatus), MTime::uiUnit());
}

MVector MArgList::asVector(unsigned int& index, unsigned int numElements,
                           MStatus* ReturnStatus) const {
    MVector vector;
    MStatus status;
    for (unsigned int i = 0; i < numElements && i < 3 && status; ++i) {
        vector[i] = asDouble(index + i, &status);
    }
    if (status)
        index += numElements;
    if (ReturnStatus)
        *ReturnStatus = status;
    return vector;
}

MPoint MArgList::asPoint(unsigned int& index, unsigned int numElements,
                         MStatus* ReturnStatus) const {
    MPoint point;
    MStatus status;
    for (unsigned int i = 0; i < numElements && i < 4 && status; ++i) {
        point[i] = asDouble(index + i, &status);
    }
    if (status)
        index += numElements;
    if (ReturnStatus)
        *ReturnStatus = status;
    return point;
}

MMatrix MArgList::asMatrix(unsigned int& index, MStatus* ReturnStatus) const {
    MMatrix matrix;
    MStatus status;
    for (unsigned int i = 0; i < 16 && status; ++i) {
        matrix[i / 4][i % 4] = asDouble(index + i, &status);
    }
    if (status)
        index += 16;
    if (ReturnStatus)
        *ReturnStatus = status;
    return matrix;
}

MStringArray MArgList::asStringArray(unsigned int& index, MStatus* ReturnStatus) const {
    MStringArray array;
    report(ReturnStatus, index < data_->items.size());
    if (index >= data_->items.size())
        return array;
    for (const auto& text : data_->items[index++].asStringArray())
        array.append(text.c_str());
    return array;
}

MDoubleArray MArgList::asDoubleArray(unsigned int& index, MStatus* ReturnStatus) const {
    MDoubleArray array;
    const bool ok =
        index < data_->items.size() && data_->items[index].kind() != Value::Kind::kString;
    report(ReturnStatus, ok);
    if (!ok)
        return array;
    for (double d : data_->items[index++].asDoubleArray())
        array.append(d);
    return array;
}

MIntArray MArgList::asIntArray(unsigned int& index, MStatus* ReturnStatus) const {
    MIntArray array;
    const bool ok =
        index < data_->items.size() && data_->items[index].kind() != Value::Kind::kString;
    report(ReturnStatus, ok);
    if (!ok)
        return array;
    for (int i : data_->items[index++].asIntArray())
        array.append(i);
    return array;
}

unsigned int MArgList::flagIndex(const char* shortFlag, const char* longFlag) const {
    const std::string shortName = mayasim::flagName(shortFlag);
    const std::string longName = longFlag ? mayasim::flagName(longFlag) : shortName;
    for (size_t i = 0; i < data_->items.size(); ++i) {
        const Value& item = data_->items[i];
        if (item.kind() != Value::Kind::kString)
            continue;
        if (item.asString() == shortName || item.asString() == longName) {
            return static_cast<unsigned int>(i);
        }
    }
    return kInvalidArgIndex;
}

MStatus MArgList::addArg(bool arg) {
    data_->items.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(int arg) {
    data_->items.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(double arg) {
    data_->items.emplace_back(arg);
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MString& arg) {
    data_->items.emplace_back(std::string(arg.asChar()));
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MDistance& arg) {
    return addArg(arg.as(MDistance::uiUnit()));
}
MStatus MArgList::addArg(const MAngle& arg) {
    return addArg(arg.as(MAngle::uiUnit()));
}
MStatus MArgList::addArg(const MTime& arg) {
    return addArg(arg.as(MTime::uiUnit()));
}

MStatus MArgList::addArg(const MVector& arg) {
    for (unsigned int i = 0; i < 3; ++i)
        addArg(arg[i]);
    return MS::kSuccess;
}

MStatus MArgList::addArg(const MPoint& arg) {
    for (unsigned int i = 0; i < 3; ++i)
        addArg(arg[i]);
    return MS::kSuccess;
}
