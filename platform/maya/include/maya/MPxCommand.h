#pragma once
// Base class of commands: doIt runs the command; undoable commands stay on the undo queue
// after doIt and are undone and redone there.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

class MArgList;
class MDoubleArray;
class MIntArray;
class MStringArray;

namespace mayasim {
struct CommandAccess;
}

class MPxCommand {
public:
    enum MResultType { kLong = 0, kDouble, kString, kNoArg };

    MPxCommand();
    MPxCommand(const MPxCommand&) = delete;
    MPxCommand& operator=(const MPxCommand&) = delete;
    virtual ~MPxCommand();

    virtual MStatus doIt(const MArgList& args);
    virtual MStatus undoIt();
    virtual MStatus redoIt();
    virtual bool isUndoable() const;
    virtual bool hasSyntax() const;

    MSyntax syntax() const;
    bool isHistoryOn() const { return historyOn_; }
    MString commandString() const { return commandString_; }
    MStatus setHistoryOn(bool state);
    MStatus setCommandString(const MString& name);
    MStatus setUndoable(bool state);

    static void displayInfo(const MString& theInfo);
    static void displayWarning(const MString& theWarning, bool showLineNumber = false);
    static void displayError(const MString& theError, bool showLineNumber = false);

    static void clearResult();
    static void setResult(unsigned int val);
    static void setResult(int val);
    static void setResult(double val);
    static void setResult(bool val);
    static void setResult(const char* val);
    static void setResult(const MString& val);
    static void setResult(const MIntArray& val);
    static void setResult(const MDoubleArray& val);
    static void setResult(const MStringArray& val);
    static void appendToResult(int val);
    static void appendToResult(double val);
    static void appendToResult(bool val);
    static void appendToResult(const char* val);
    static void appendToResult(const MString& val);
    static void appendToResult(const MStringArray& val);
    static MResultType currentResultType();
    static MStatus getCurrentResult(int& val);
    static MStatus getCurrentResult(double& val);
    static MStatus getCurrentResult(MString& val);
    static MStatus getCurrentResult(MIntArray& val);
    static MStatus getCurrentResult(MDoubleArray& val);
    static MStatus getCurrentResult(MStringArray& val);

private:
    friend struct mayasim::CommandAccess;
    MSyntax syntax_;
    MString commandString_;
    bool historyOn_ = true;
    bool undoable_ = false;
};
