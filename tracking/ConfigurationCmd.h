// "vexelConfigurationCmd": switches the stylus-as-mouse emulation on and off.
#pragma once

#include <maya/MPxCommand.h>
#include <maya/MSyntax.h>

//! "-tme" / "-toggleMouseEmulation" inverts the tracker thread's mouse
//! emulation. Not undoable: it is a preference, not a scene edit.
class ConfigurationCmd : public MPxCommand {
public:
    static const char* const kName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override;
    bool hasSyntax() const override;
};
