#pragma once

#include <maya/MFn.h>

namespace mayasim {

// The enumerator name of a type ("kMesh"), as MObject::apiTypeStr gives it.
const char* apiTypeName(MFn::Type type);

}  // namespace mayasim
