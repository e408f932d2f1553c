#include "RegistrationRows.h"

// The plug-in's entry points file carries the API version; this one must not.
#define MNoVersionString
#include <maya/MFnPlugin.h>
#include <maya/MPxNode.h>
#include <maya/MTypeId.h>

MStatus registerRow(MFnPlugin& plugin, const Registration& row) {
    switch (row.kind) {
        case Registration::Kind::kDependNode:
            return plugin.registerNode(row.name, MTypeId(row.typeId), row.creator, row.initialize,
                                       MPxNode::kDependNode);
        case Registration::Kind::kManipNode:
            return plugin.registerNode(row.name, MTypeId(row.typeId), row.creator, row.initialize,
                                       MPxNode::kManipContainer);
        case Registration::Kind::kContextCommand:
            if (row.toolCommandName != nullptr) {
                return plugin.registerContextCommand(row.name, row.creator, row.toolCommandName,
                                                     row.toolCommandCreator);
            }
            return plugin.registerContextCommand(row.name, row.creator);
        case Registration::Kind::kCommand:
            if (row.syntax != nullptr) {
                return plugin.registerCommand(row.name, row.creator, row.syntax);
            }
            return plugin.registerCommand(row.name, row.creator);
    }
    return MStatus::kFailure;
}

MStatus deregisterRow(MFnPlugin& plugin, const Deregistration& row) {
    switch (row.kind) {
        case Registration::Kind::kDependNode:
        case Registration::Kind::kManipNode:
            return plugin.deregisterNode(MTypeId(row.typeId));
        case Registration::Kind::kContextCommand:
            if (row.toolCommandName != nullptr) {
                return plugin.deregisterContextCommand(row.name, row.toolCommandName);
            }
            return plugin.deregisterContextCommand(row.name);
        case Registration::Kind::kCommand:
            return plugin.deregisterCommand(row.name);
    }
    return MStatus::kFailure;
}

MStatus deregisterGroup(MFnPlugin& plugin, const std::vector<Deregistration>& rows,
                        bool stopOnFailure) {
    MStatus last;
    for (const Deregistration& row : rows) {
        last = deregisterRow(plugin, row);
        if (!last) {
            last.perror(row.failureMessage);
            if (stopOnFailure) {
                return last;
            }
        }
    }
    return last;
}
