// Where the plug-in's icon images live: two levels above the plug-in file, in
// "icons/". Recorded once at load; the stylus cursor and menu icons are read from it.
#pragma once

#include <maya/MString.h>

MString getIconDirectory();
void setIconDirectory(const MString& directory);
