#ifndef _MTypes
#define _MTypes

// Basic types shared by every Maya API header: the API version, export macros,
// fixed-size array typedefs, the callback signatures and MSpace.

#include <stdint.h>

class MStatus;
class MSyntax;
class MPxTransformationMatrix;

#define MAYA_API_VERSION 201203

#ifndef DLL_PUBLIC
#define DLL_PUBLIC __attribute__((visibility("default")))
#define DLL_PRIVATE __attribute__((visibility("hidden")))
#endif

#ifndef PLUGIN_EXPORT
#define PLUGIN_EXPORT DLL_PUBLIC
#endif
#ifndef FND_EXPORT
#define FND_EXPORT DLL_PUBLIC
#endif
#ifndef IMAGE_EXPORT
#define IMAGE_EXPORT DLL_PUBLIC
#endif
#ifndef OPENMAYA_EXPORT
#define OPENMAYA_EXPORT DLL_PUBLIC
#endif
#ifndef OPENMAYAUI_EXPORT
#define OPENMAYAUI_EXPORT DLL_PUBLIC
#endif
#ifndef OPENMAYAANIM_EXPORT
#define OPENMAYAANIM_EXPORT DLL_PUBLIC
#endif
#ifndef OPENMAYAFX_EXPORT
#define OPENMAYAFX_EXPORT DLL_PUBLIC
#endif
#ifndef OPENMAYARENDER_EXPORT
#define OPENMAYARENDER_EXPORT DLL_PUBLIC
#endif

#ifndef NULL
#define NULL 0L
#endif

typedef signed short short2[2];
typedef signed short short3[3];
typedef signed int long2[2];
typedef signed int long3[3];
typedef signed int int2[2];
typedef signed int int3[3];
typedef float float2[2];
typedef float float3[3];
typedef double double2[2];
typedef double double3[3];
typedef double double4[4];

typedef unsigned long MUint64;
typedef long MInt64;
typedef intptr_t MIntPtrSz;
typedef uintptr_t MUintPtrSz;

typedef void* (*MCreatorFunction)();
typedef MSyntax (*MCreateSyntaxFunction)();
typedef MStatus (*MInitializeFunction)();
typedef MPxTransformationMatrix* (*MCreateXformMatrixFunction)();

#define BEGIN_NO_SCRIPT_SUPPORT public
#define END_NO_SCRIPT_SUPPORT public

//! The space a transformation or a component position is applied or queried in.
class MSpace {
public:
    enum Space {
        kInvalid = 0,
        kTransform = 1,
        kPreTransform = 2,
        kPostTransform = 3,
        kWorld = 4,
        kObject = kPreTransform,
        kLast = 5
    };
};

#endif
