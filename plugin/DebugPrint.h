// The plug-in's one diagnostic channel: formatted text to the debugger output.
#pragma once

#include <maya/MStatus.h>

//! printf-style print to the debugger output (OutputDebugStringA). The text is
//! formatted into a zeroed 1024-character buffer; longer output is cut.
void debugPrint(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

//! Reports a failed Maya call as "ERROR: <message> [<status text>]".
void reportError(const char* message, const MStatus& status);
