// Registering and deregistering the rows of a registration table through MFnPlugin.
#pragma once

#include <maya/MStatus.h>

#include "RegistrationTable.h"

#include <vector>

class MFnPlugin;

MStatus registerRow(MFnPlugin& plugin, const Registration& row);
MStatus deregisterRow(MFnPlugin& plugin, const Deregistration& row);

//! Deregisters the rows in order, reporting each failure with its message; stops at the
//! first failure when asked to. Returns the last status.
MStatus deregisterGroup(MFnPlugin& plugin, const std::vector<Deregistration>& rows,
                        bool stopOnFailure);
