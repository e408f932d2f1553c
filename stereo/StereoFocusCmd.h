// "vexelStereoFocus": frames the stereo view on the selection.
#pragma once

#include <maya/MBoundingBox.h>
#include <maya/MDagPath.h>
#include <maya/MPxCommand.h>
#include <maya/MSyntax.h>

//! Moves the stereo rig's centre camera so that its centre of interest lands
//! on the centre of the selection's bounding box and scales the rig so that
//! the selection fits the display. "-r"/"-reset", or nothing to frame, puts
//! the camera back into its home position in front of the display. Not
//! undoable: it is navigation, like Maya's own framing.
class StereoFocusCmd : public MPxCommand {
public:
    static const char* const kName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    bool isUndoable() const override;
    bool hasSyntax() const override;

private:
    static MStatus selectionBox(MBoundingBox& box);
    static double cameraScaleFor(const MDagPath& camera, const MBoundingBox& box);
    static MStatus focus(const MDagPath& camera, const MBoundingBox& box);
    static MStatus reset(const MDagPath& camera);
};
