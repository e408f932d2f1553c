// A plug-in that loads and unloads a context command with its tool command through the
// plug-in's own registration rows. One pair's unload row names its tool command; the other,
// careless, pair's does not, so Maya keeps that tool command registered after unloading.
#include <maya/MFnPlugin.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxToolCommand.h>

#include "RegistrationRows.h"
#include "RegistrationTable.h"

#include <vector>

namespace {

using Kind = Registration::Kind;

class RowsContextCommand : public MPxContextCommand {
public:
    MPxContext* makeObj() override { return new MPxContext; }
    static void* creator() { return new RowsContextCommand; }
};

class RowsToolCommand : public MPxToolCommand {
public:
    MStatus doIt(const MArgList&) override { return MS::kSuccess; }
    static void* creator() { return new RowsToolCommand; }
};

const std::vector<Registration> kRows = {
    {Kind::kContextCommand, "rowsContext", 0, &RowsContextCommand::creator, nullptr, nullptr,
     "rowsToolCommand", &RowsToolCommand::creator, "registerContextCommand: rowsContext"},
    {Kind::kContextCommand, "carelessContext", 0, &RowsContextCommand::creator, nullptr, nullptr,
     "carelessToolCommand", &RowsToolCommand::creator, "registerContextCommand: carelessContext"},
};

const std::vector<Deregistration> kUnloadRows = {
    {Kind::kContextCommand, "rowsContext", 0, "deregisterContextCommand: rowsContext",
     "rowsToolCommand"},
    {Kind::kContextCommand, "carelessContext", 0, "deregisterContextCommand: carelessContext"},
};

}  // namespace

MStatus initializePlugin(MObject plugin) {
    MFnPlugin fn(plugin, "tests", "1.0", "Any");
    for (const Registration& row : kRows) {
        MStatus status = registerRow(fn, row);
        if (!status) {
            status.perror(row.failureMessage);
            return status;
        }
    }
    return MS::kSuccess;
}

MStatus uninitializePlugin(MObject plugin) {
    MFnPlugin fn(plugin);
    return deregisterGroup(fn, kUnloadRows, true);
}
