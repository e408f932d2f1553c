// `_mayasim`: the native half of maya.cmds and maya.mel (the Python half is modules/maya).
#pragma once

#include "python/PyRef.h"

namespace mayasim {

extern const char* const kMayaSimModuleName;

//! Module init function for PyImport_AppendInittab.
PyObject* initMayaSimModule();

}  // namespace mayasim
