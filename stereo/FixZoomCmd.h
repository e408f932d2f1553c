// "vexelStereoFixZoom": turns a dolly of the stereo camera into a rig scale.
#pragma once

#include <maya/MPxCommand.h>

//! Moves the stereo centre camera back along its view until its centre of
//! interest equals the device node's "cameraCenterOfInterest" again, and
//! scales the rig by the ratio of the two, so the framing stays as the user
//! left it while the stereo depth stays comfortable. Not undoable.
class FixZoomCmd : public MPxCommand {
public:
    static const char* const kName;

    static void* creator();
    //! The operation itself; the tracker thread's zoom watch runs it too.
    static MStatus fixZoom();

    MStatus doIt(const MArgList& args) override;
    bool isUndoable() const override;
    bool hasSyntax() const override;
};
