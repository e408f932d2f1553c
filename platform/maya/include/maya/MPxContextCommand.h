#pragma once
// Base class of the commands that create and edit tool contexts: "myContext" creates
// "myContext1", "myContext -e -flag v myContext1" edits it, "-q" queries it.

#include <maya/MArgParser.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

class MPxContext;

namespace mayasim {
struct ContextCommandAccess;
}

class MPxContextCommand {
public:
    MPxContextCommand();
    MPxContextCommand(const MPxContextCommand&) = delete;
    MPxContextCommand& operator=(const MPxContextCommand&) = delete;
    virtual ~MPxContextCommand();

    virtual MStatus doEditFlags();
    virtual MStatus doQueryFlags();
    virtual MPxContext* makeObj();
    virtual MStatus appendSyntax();

    MStatus setResult(bool result);
    MStatus setResult(int result);
    MStatus setResult(double result);
    MStatus setResult(const MString& result);

    MSyntax _syntax(MStatus* ReturnStatus = NULL) const { return syntax(ReturnStatus); }
    MArgParser _parser(MStatus* ReturnStatus = NULL) const { return parser(ReturnStatus); }

protected:
    MSyntax syntax(MStatus* ReturnStatus = NULL) const;
    MArgParser parser(MStatus* ReturnStatus = NULL) const;

private:
    friend struct mayasim::ContextCommandAccess;
    MSyntax syntax_;
    MArgParser parser_;
};
