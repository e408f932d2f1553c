// What loading derives from the plug-in file's own path: where the maker's
// libraries and the icons are, and which stereo camera plug-in to load.
#pragma once

#include <maya/MString.h>

//! "PATH=" + modulePath + "/../../../Bin;" followed by the current PATH when
//! that is non-empty (null or "" when unset or empty).
MString makerLibrariesPathAssignment(const MString& modulePath, const char* currentPath);

//! The module path followed by "/../../icons/"; the file name stays in the path.
MString iconDirectoryFor(const MString& modulePath);

//! The directory of an (already expanded) module path: cut before the last "/"
//! when one is found past the first character, else the path unchanged.
MString moduleDirectory(const MString& expandedPath);

//! MEL that loads a copy of Maya's stereo camera plug-in placed in `directory`
//! when there is one, else the installed one.
MString stereoCameraLoadCommand(const MString& directory);
