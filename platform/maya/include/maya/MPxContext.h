#pragma once
// Base class of tool contexts: the active one receives the view's pointer events.

#include <vector>

#include <maya/MCursor.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

class MDoubleArray;
class MEvent;
class MIntArray;
class MPxToolCommand;

namespace mayasim {
struct ContextAccess;
}

class MPxContext {
public:
    enum ImageIndex { kImage1 = 0, kImage2, kImage3 };

    MPxContext();
    MPxContext(const MPxContext&) = delete;
    MPxContext& operator=(const MPxContext&) = delete;
    virtual ~MPxContext();

    virtual void toolOnSetup(MEvent& event);
    virtual void toolOffCleanup();
    virtual MStatus doPress(MEvent& event);
    virtual MStatus doRelease(MEvent& event);
    virtual MStatus doDrag(MEvent& event);
    virtual MStatus doHold(MEvent& event);
    virtual MStatus doEnterRegion(MEvent& event);
    virtual MStatus helpStateHasChanged(MEvent& event);
    virtual void deleteAction();
    virtual void completeAction();
    virtual MStatus addManipulator(const MObject& manipulator);
    virtual MStatus deleteManipulators();
    MStatus setImage(const MString& image, ImageIndex index);
    MString image(ImageIndex index, MStatus* ReturnStatus = NULL) const;
    virtual void abortAction();
    virtual bool processNumericalInput(const MDoubleArray& values, const MIntArray& flags,
                                       bool isAbsolute);
    virtual bool feedbackNumericalInput() const;
    virtual MSyntax::MArgType argTypeNumericalInput(unsigned int index) const;
    virtual MString stringClassName() const;
    virtual void getClassName(MString& name) const;

    MStatus _setHelpString(const MString& str) { return setHelpString(str); }
    MStatus _setTitleString(const MString& str) { return setTitleString(str); }
    MStatus _setCursor(const MCursor& cursor) { return setCursor(cursor); }
    MPxToolCommand* _newToolCommand() { return newToolCommand(); }

protected:
    MStatus setHelpString(const MString& str);
    MStatus setTitleString(const MString& str);
    MStatus setCursor(const MCursor& cursor);
    virtual MPxToolCommand* newToolCommand();

private:
    friend struct mayasim::ContextAccess;
    MString name_;
    MString helpString_;
    MString titleString_;
    MString images_[3];
    MCursor cursor_ = MCursor::defaultCursor;
    std::vector<MObject> manipulators_;
};
