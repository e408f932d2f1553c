// Symbol visibility of the three libraries. Every public class and function of
// VXCommon, VXTracker and VXStereo carries the macro of its library; anything
// without one is private to the library that defines it.
#pragma once

#if defined(_WIN32)
#define VX_SYMBOL_EXPORT __declspec(dllexport)
#define VX_SYMBOL_IMPORT __declspec(dllimport)
#else
#define VX_SYMBOL_EXPORT __attribute__((visibility("default")))
#define VX_SYMBOL_IMPORT __attribute__((visibility("default")))
#endif

#if defined(VXCommon_EXPORTS)
#define VXCOMMON_API VX_SYMBOL_EXPORT
#else
#define VXCOMMON_API VX_SYMBOL_IMPORT
#endif

#if defined(VXTracker_EXPORTS)
#define VXTRACKER_API VX_SYMBOL_EXPORT
#else
#define VXTRACKER_API VX_SYMBOL_IMPORT
#endif

#if defined(VXStereo_EXPORTS)
#define VXSTEREO_API VX_SYMBOL_EXPORT
#else
#define VXSTEREO_API VX_SYMBOL_IMPORT
#endif
