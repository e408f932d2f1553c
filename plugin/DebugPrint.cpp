#include "DebugPrint.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include <maya/MString.h>

namespace {
constexpr int kDebugBufferSize = 1024;
}

void debugPrint(const char* format, ...) {
    char buffer[kDebugBufferSize] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer) - 1, format, args);
    va_end(args);
    OutputDebugStringA(buffer);
}

void reportError(const char* message, const MStatus& status) {
    const MString text = status.errorString();
    debugPrint("ERROR: %s [%s]\n", message, text.asChar());
}
