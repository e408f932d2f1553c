// Everything the plug-in registers with Maya, as data: one row per registration
// in the order of loading, and the unload order with its own messages.
// A feature adds its rows here; the entry points only walk the tables.
#pragma once

#include <maya/MTypes.h>

#include <vector>

struct Registration {
    enum class Kind {
        kDependNode,      // MPxNode::kDependNode
        kManipNode,       // MPxNode::kManipContainer
        kContextCommand,  // with a tool command when toolCommandName is set
        kCommand,         // with a syntax when syntax is set
    };
    Kind kind;
    const char* name;
    unsigned int typeId;  // nodes only
    MCreatorFunction creator;
    MInitializeFunction initialize;  // nodes only
    MCreateSyntaxFunction syntax;    // commands only; null: no syntax
    const char* toolCommandName;     // context commands only; null: none
    MCreatorFunction toolCommandCreator;
    const char* failureMessage;  // given to MStatus::perror
};

struct Deregistration {
    Registration::Kind kind;
    const char* name;
    unsigned int typeId;
    const char* failureMessage;
    // Context commands only: Maya removes a tool command only when it is named here, and
    // one left registered makes the next load fail.
    const char* toolCommandName = nullptr;
};

//! Rows in load order.
const std::vector<Registration>& registrationTable();

//! Unload, in three groups run in this order: the device node (reported, never
//! stops unloading), then nodes and contexts, then commands (each group stops at
//! its first failure).
const std::vector<Deregistration>& deviceNodeDeregistration();
const std::vector<Deregistration>& toolDeregistration();
const std::vector<Deregistration>& commandDeregistration();

//! The initializer shared by every manipulator container node.
MStatus initializeManipContainer();
