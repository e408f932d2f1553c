#pragma once
// The API version a plug-in was built against, exported from the plug-in module. Include it
// (through MFnPlugin.h) in exactly one source file of a plug-in.

#include <maya/MTypes.h>

#define MAYA_API_VERSION_STRING_(v) #v
#define MAYA_API_VERSION_STRING(v) MAYA_API_VERSION_STRING_(v)

#ifndef MNoVersionString
extern "C" {
PLUGIN_EXPORT char MApiVersion[] = MAYA_API_VERSION_STRING(MAYA_API_VERSION);
}
#endif
