#include <maya/MGlobal.h>

#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>
#include <maya/MStringArray.h>

#include <mayasim/ActiveSelection.h>
#include <mayasim/CommandEngine.h>

#include <fstream>
#include <sstream>

#include "SyntaxData.h"
#include "openmaya/SelectionModes.h"

using mayasim::CommandEngine;
using mayasim::Value;

namespace {

mayasim::ActiveSelectionHooks& hooks() {
    static mayasim::ActiveSelectionHooks installed;
    return installed;
}

MStatus runMel(const MString& command, Value& value, bool display, bool undo) {
    return CommandEngine::instance().executeMel(command, &value, display, undo);
}

MStatus runPython(const MString& command, Value& value, bool display) {
    return CommandEngine::instance().runPython(command.asChar(), &value, display);
}

void assign(const Value& value, int& result) {
    result = value.asInt();
}
void assign(const Value& value, double& result) {
    result = value.asDouble();
}
void assign(const Value& value, MString& result) {
    result = value.toMel().c_str();
}

void assign(const Value& value, MIntArray& result) {
    result.clear();
    for (int i : value.asIntArray())
        result.append(i);
}

void assign(const Value& value, MDoubleArray& result) {
    result.clear();
    for (double d : value.asDoubleArray())
        result.append(d);
}

void assign(const Value& value, MStringArray& result) {
    result.clear();
    for (const auto& s : value.asStringArray())
        result.append(MString(s.c_str()));
}

template <typename T>
MStatus melInto(const MString& command, T& result, bool display, bool undo) {
    Value value;
    MStatus status = runMel(command, value, display, undo);
    if (status)
        assign(value, result);
    return status;
}

template <typename T>
MStatus pythonInto(const MString& command, T& result, bool display) {
    Value value;
    MStatus status = runPython(command, value, display);
    if (status)
        assign(value, result);
    return status;
}

}  // namespace

namespace mayasim {

void setActiveSelectionHooks(const ActiveSelectionHooks& installed) {
    hooks() = installed;
}

std::vector<std::string> activeSelectionNames() {
    MSelectionList list;
    MStringArray names;
    std::vector<std::string> out;
    if (MGlobal::getActiveSelectionList(list) && list.getSelectionStrings(names)) {
        for (unsigned int i = 0; i < names.length(); ++i)
            out.emplace_back(names[i].asChar());
    }
    return out;
}

}  // namespace mayasim

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool undoEnabled) {
    return CommandEngine::instance().executeMel(command, nullptr, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, int& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, MIntArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, double& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, MDoubleArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MStatus MGlobal::executeCommand(const MString& command, MStringArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return melInto(command, result, displayEnabled, undoEnabled);
}

MString MGlobal::executeCommandStringResult(const MString& command, bool displayEnabled,
                                            bool undoEnabled, MStatus* ResultStatus) {
    MString result;
    MStatus status = melInto(command, result, displayEnabled, undoEnabled);
    if (ResultStatus)
        *ResultStatus = status;
    return result;
}

MStatus MGlobal::executeCommandOnIdle(const MString& command, bool displayEnabled) {
    CommandEngine::instance().queueOnIdle(command.asChar(), displayEnabled);
    return MS::kSuccess;
}

MStatus MGlobal::executePythonCommand(const MString& command, bool displayEnabled, bool) {
    return CommandEngine::instance().runPython(command.asChar(), nullptr, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, int& result, bool displayEnabled,
                                      bool) {
    return pythonInto(command, result, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, MIntArray& result,
                                      bool displayEnabled, bool) {
    return pythonInto(command, result, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, double& result, bool displayEnabled,
                                      bool) {
    return pythonInto(command, result, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, MDoubleArray& result,
                                      bool displayEnabled, bool) {
    return pythonInto(command, result, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, MString& result, bool displayEnabled,
                                      bool) {
    return pythonInto(command, result, displayEnabled);
}

MStatus MGlobal::executePythonCommand(const MString& command, MStringArray& result,
                                      bool displayEnabled, bool) {
    return pythonInto(command, result, displayEnabled);
}

MString MGlobal::executePythonCommandStringResult(const MString& command, bool displayEnabled, bool,
                                                  MStatus* ReturnStatus) {
    MString result;
    MStatus status = pythonInto(command, result, displayEnabled);
    if (ReturnStatus)
        *ReturnStatus = status;
    return result;
}

MStatus MGlobal::executePythonCommandOnIdle(const MString& command, bool displayEnabled) {
    CommandEngine::instance().queueOnIdle("python " + mayasim::quoteMel(command.asChar()),
                                          displayEnabled);
    return MS::kSuccess;
}

void MGlobal::displayInfo(const MString& theMessage) {
    CommandEngine::instance().showMessage("info", theMessage.asChar());
}

void MGlobal::displayWarning(const MString& theWarning) {
    CommandEngine::instance().showMessage("warning", theWarning.asChar());
}

void MGlobal::displayError(const MString& theError) {
    CommandEngine::instance().showMessage("error", theError.asChar());
}

MStatus MGlobal::getActiveSelectionList(MSelectionList& dest, bool) {
    dest.clear();
    return hooks().get ? hooks().get(dest) : MStatus(MS::kSuccess);
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& src, ListAdjustment mode) {
    return hooks().set ? hooks().set(src, mode) : MStatus(MS::kFailure);
}

MStatus MGlobal::selectCommand(const MSelectionList& src, ListAdjustment mode) {
    return hooks().selectCommand ? hooks().selectCommand(src, mode) : MStatus(MS::kFailure);
}

MStatus MGlobal::getSelectionListByName(const MString& name, MSelectionList& list) {
    list.clear();
    return list.add(name);
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment mode) {
    MSelectionList list;
    MStatus status = getSelectionListByName(name, list);
    if (!status)
        return status;
    return setActiveSelectionList(list, mode);
}

MStatus MGlobal::unselectByName(const MString& name) {
    return selectByName(name, kRemoveFromList);
}

MStatus MGlobal::select(MObject& object, ListAdjustment mode) {
    MSelectionList list;
    const MStatus status = list.add(object);
    return status ? setActiveSelectionList(list, mode) : status;
}

MStatus MGlobal::select(const MDagPath& object, const MObject& component, ListAdjustment mode) {
    MSelectionList list;
    const MStatus status = list.add(object, component);
    return status ? setActiveSelectionList(list, mode) : status;
}

MStatus MGlobal::unselect(MObject& object) {
    return select(object, kRemoveFromList);
}

MStatus MGlobal::unselect(const MDagPath& object, const MObject& component) {
    return select(object, component, kRemoveFromList);
}

MStatus MGlobal::clearSelectionList() {
    return setActiveSelectionList(MSelectionList(), kReplaceList);
}

MStatus MGlobal::getHiliteList(MSelectionList& dest) {
    dest.clear();
    return hooks().getHilite ? hooks().getHilite(dest) : MStatus(MS::kSuccess);
}

MStatus MGlobal::setHiliteList(MSelectionList& src) {
    return hooks().setHilite ? hooks().setHilite(src) : MStatus(MS::kFailure);
}

MGlobal::MSelectionMode MGlobal::selectionMode(MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return mayasim::selectionModes().mode;
}

MStatus MGlobal::setSelectionMode(MSelectionMode mode) {
    if (mode < kSelectObjectMode || mode > kSelectTemplateMode)
        return MS::kInvalidParameter;
    mayasim::SelectionModes& modes = mayasim::selectionModes();
    modes.mode = mode;
    if (mode >= kSelectRootMode)
        modes.hierarchicalMode = mode;
    return MS::kSuccess;
}

MSelectionMask MGlobal::objectSelectionMask(MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return mayasim::selectionModes().objectMask;
}

MStatus MGlobal::setObjectSelectionMask(const MSelectionMask& mask) {
    mayasim::selectionModes().objectMask = mask;
    return MS::kSuccess;
}

MSelectionMask MGlobal::componentSelectionMask(MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return mayasim::selectionModes().activeComponentMask();
}

MStatus MGlobal::setComponentSelectionMask(const MSelectionMask& mask) {
    mayasim::selectionModes().activeComponentMask() = mask;
    return MS::kSuccess;
}

MGlobal::MMayaState MGlobal::mayaState(MStatus* ReturnStatus) {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return kInteractive;
}

MString MGlobal::mayaVersion() {
    return "2012";
}
int MGlobal::apiVersion() {
    return MAYA_API_VERSION;
}

MStatus MGlobal::sourceFile(const MString& fileName) {
    std::ifstream file(fileName.asChar());
    if (!file) {
        displayError("Cannot open file \"" + fileName + "\"");
        return MS::kNotFound;
    }
    std::stringstream text;
    text << file.rdbuf();
    return executeCommand(MString(text.str().c_str()), false, false);
}
