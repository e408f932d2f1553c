// The UI commands for the main window's menus: menu, menuItem and deleteUI.
#pragma once

#include <maya/MStatus.h>

#include <string>

namespace vxsim {

//! Registers the menu commands with the command engine as host built-ins.
void registerMenuCommands();
void deregisterMenuCommands();

//! Runs the command of an item, as choosing it in the menu would. Menu and item are named by
//! name or by label. `error` says what went wrong when it fails.
MStatus chooseMenuItem(const std::string& menu, const std::string& item, std::string& error);

}  // namespace vxsim
