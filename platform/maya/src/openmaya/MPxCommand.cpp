#include <maya/MPxCommand.h>

#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

#include <mayasim/CommandEngine.h>

using mayasim::CommandEngine;
using mayasim::Value;

namespace {

Value& result() {
    return CommandEngine::instance().currentResult();
}

template <typename Array, typename T>
std::vector<T> toVector(const Array& array) {
    std::vector<T> items;
    for (unsigned int i = 0; i < array.length(); ++i)
        items.push_back(array[i]);
    return items;
}

std::vector<std::string> toStrings(const MStringArray& array) {
    std::vector<std::string> items;
    for (unsigned int i = 0; i < array.length(); ++i)
        items.emplace_back(array[i].asChar());
    return items;
}

}  // namespace

MPxCommand::MPxCommand() = default;
MPxCommand::~MPxCommand() = default;

MStatus MPxCommand::doIt(const MArgList&) {
    return MS::kSuccess;
}
MStatus MPxCommand::undoIt() {
    return MS::kSuccess;
}
MStatus MPxCommand::redoIt() {
    return MS::kSuccess;
}
bool MPxCommand::isUndoable() const {
    return undoable_;
}
bool MPxCommand::hasSyntax() const {
    return true;
}

MSyntax MPxCommand::syntax() const {
    return syntax_;
}

MStatus MPxCommand::setHistoryOn(bool state) {
    historyOn_ = state;
    return MS::kSuccess;
}

MStatus MPxCommand::setCommandString(const MString& name) {
    commandString_ = name;
    return MS::kSuccess;
}

MStatus MPxCommand::setUndoable(bool state) {
    undoable_ = state;
    return MS::kSuccess;
}

void MPxCommand::displayInfo(const MString& theInfo) {
    MGlobal::displayInfo(theInfo);
}

void MPxCommand::displayWarning(const MString& theWarning, bool) {
    MGlobal::displayWarning(theWarning);
}

void MPxCommand::displayError(const MString& theError, bool) {
    MGlobal::displayError(theError);
}

void MPxCommand::clearResult() {
    result() = Value();
}
void MPxCommand::setResult(unsigned int val) {
    result() = Value(static_cast<int>(val));
}
void MPxCommand::setResult(int val) {
    result() = Value(val);
}
void MPxCommand::setResult(double val) {
    result() = Value(val);
}
void MPxCommand::setResult(bool val) {
    result() = Value(val);
}
void MPxCommand::setResult(const char* val) {
    result() = Value(val);
}
void MPxCommand::setResult(const MString& val) {
    result() = Value(val.asChar());
}

void MPxCommand::setResult(const MIntArray& val) {
    result() = Value(toVector<MIntArray, int>(val));
}

void MPxCommand::setResult(const MDoubleArray& val) {
    result() = Value(toVector<MDoubleArray, double>(val));
}

void MPxCommand::setResult(const MStringArray& val) {
    result() = Value(toStrings(val));
}

void MPxCommand::appendToResult(int val) {
    result().append(Value(val));
}
void MPxCommand::appendToResult(double val) {
    result().append(Value(val));
}
void MPxCommand::appendToResult(bool val) {
    result().append(Value(val));
}
void MPxCommand::appendToResult(const char* val) {
    result().append(Value(val));
}
void MPxCommand::appendToResult(const MString& val) {
    result().append(Value(val.asChar()));
}

void MPxCommand::appendToResult(const MStringArray& val) {
    result().append(Value(toStrings(val)));
}

MPxCommand::MResultType MPxCommand::currentResultType() {
    switch (result().kind()) {
        case Value::Kind::kInt:
        case Value::Kind::kIntArray:
            return kLong;
        case Value::Kind::kDouble:
        case Value::Kind::kDoubleArray:
            return kDouble;
        case Value::Kind::kString:
        case Value::Kind::kStringArray:
            return kString;
        default:
            return kNoArg;
    }
}

MStatus MPxCommand::getCurrentResult(int& val) {
    if (!result().isNumber())
        return MS::kInvalidParameter;
    val = result().asInt();
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(double& val) {
    if (!result().isNumber())
        return MS::kInvalidParameter;
    val = result().asDouble();
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MString& val) {
    if (result().isNone())
        return MS::kInvalidParameter;
    val = result().asString().c_str();
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MIntArray& val) {
    val.clear();
    for (int i : result().asIntArray())
        val.append(i);
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MDoubleArray& val) {
    val.clear();
    for (double d : result().asDoubleArray())
        val.append(d);
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MStringArray& val) {
    val.clear();
    for (const auto& s : result().asStringArray())
        val.append(MString(s.c_str()));
    return MS::kSuccess;
}
