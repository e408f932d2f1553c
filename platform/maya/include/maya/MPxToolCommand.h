#pragma once
// A command a tool context creates per gesture: it is applied while the gesture runs and
// finalize() journals it and hands it to the undo queue.

#include <maya/MPxCommand.h>

class MArgList;

class MPxToolCommand : public MPxCommand {
public:
    MPxToolCommand();
    ~MPxToolCommand() override;

    MStatus doIt(const MArgList& args) override = 0;
    virtual MStatus cancel();
    virtual MStatus finalize();

    MStatus _doFinalize(MArgList& command) { return doFinalize(command); }

protected:
    MStatus doFinalize(MArgList& command);
};
