#pragma once
// Application-wide services: running MEL and Python, user messages, the active selection.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MDagPath;
class MDoubleArray;
class MIntArray;
class MObject;
class MSelectionList;
class MSelectionMask;
class MStringArray;

class MGlobal {
public:
    enum MMayaState { kInteractive = 0, kBatch, kLibraryApp, kBaseUIMode };
    enum ListAdjustment {
        kReplaceList = 0,
        kXORWithList,
        kAddToList,
        kRemoveFromList,
        kAddToHeadOfList
    };
    enum MSelectionMode {
        kSelectObjectMode = 0,
        kSelectComponentMode,
        kSelectRootMode,
        kSelectLeafMode,
        kSelectTemplateMode
    };

    static MStatus executeCommand(const MString& command, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, int& result, bool displayEnabled = false,
                                  bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MIntArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, double& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MDoubleArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MString& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executeCommand(const MString& command, MStringArray& result,
                                  bool displayEnabled = false, bool undoEnabled = false);
    static MString executeCommandStringResult(const MString& command, bool displayEnabled = false,
                                              bool undoEnabled = false,
                                              MStatus* ResultStatus = NULL);
    static MStatus executeCommandOnIdle(const MString& command, bool displayEnabled = false);

    static MStatus executePythonCommand(const MString& command, bool displayEnabled = false,
                                        bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, int& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, MIntArray& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, double& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, MDoubleArray& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, MString& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MStatus executePythonCommand(const MString& command, MStringArray& result,
                                        bool displayEnabled = false, bool undoEnabled = false);
    static MString executePythonCommandStringResult(const MString& command,
                                                    bool displayEnabled = false,
                                                    bool undoEnabled = false,
                                                    MStatus* ReturnStatus = NULL);
    static MStatus executePythonCommandOnIdle(const MString& command, bool displayEnabled = false);

    static void displayInfo(const MString& theMessage);
    static void displayWarning(const MString& theWarning);
    static void displayError(const MString& theError);

    static MStatus getActiveSelectionList(MSelectionList& dest,
                                          bool orderedSelectionIfAvailable = false);
    static MStatus setActiveSelectionList(const MSelectionList& src,
                                          ListAdjustment mode = kReplaceList);
    // As setActiveSelectionList, through an undoable select that is echoed as a command.
    static MStatus selectCommand(const MSelectionList& src, ListAdjustment mode = kReplaceList);
    static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
    static MStatus selectByName(const MString& name, ListAdjustment mode = kAddToList);
    static MStatus unselectByName(const MString& name);
    static MStatus select(MObject& object, ListAdjustment mode = kAddToList);
    static MStatus select(const MDagPath& object, const MObject& component,
                          ListAdjustment mode = kAddToList);
    static MStatus unselect(MObject& object);
    static MStatus unselect(const MDagPath& object, const MObject& component);
    static MStatus clearSelectionList();
    static MStatus getHiliteList(MSelectionList& dest);
    static MStatus setHiliteList(MSelectionList& src);

    static MSelectionMode selectionMode(MStatus* ReturnStatus = NULL);
    static MStatus setSelectionMode(MSelectionMode mode);
    static MSelectionMask objectSelectionMask(MStatus* ReturnStatus = NULL);
    static MStatus setObjectSelectionMask(const MSelectionMask& mask);
    // The mask of the components clicks pick: component mode's, or in object mode the one
    // for hilited objects (selectType -objectComponent).
    static MSelectionMask componentSelectionMask(MStatus* ReturnStatus = NULL);
    static MStatus setComponentSelectionMask(const MSelectionMask& mask);

    static MMayaState mayaState(MStatus* ReturnStatus = NULL);
    static MString mayaVersion();
    static int apiVersion();
    static MStatus sourceFile(const MString& fileName);

    // Option variables (optionVar); `exists` tells whether the variable is set.
    static int optionVarIntValue(const MString& name, bool* exists = NULL);
    static double optionVarDoubleValue(const MString& name, bool* exists = NULL);
    static MString optionVarStringValue(const MString& name, bool* exists = NULL);
    static bool setOptionVarValue(const MString& name, int value);
    static bool setOptionVarValue(const MString& name, double value);
    static bool setOptionVarValue(const MString& name, MString value);
};
