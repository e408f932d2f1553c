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
    static MStatus getSelectionListByName(const MString& name, MSelectionList& list);
    static MStatus selectByName(const MString& name, ListAdjustment mode = kAddToList);
    static MStatus clearSelectionList();

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
