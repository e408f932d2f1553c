// Conversions between command results (mayasim::Value) and Python objects.
#pragma once

#include "python/PyRef.h"

#include <mayasim/Value.h>

namespace mayasim {

//! None, int, float, str or a list of one of those, as Maya's Python returns results.
PyRef toPython(const Value& value);

//! None, bool, int, float and str map to their kinds; a list or tuple of ints, of numbers or
//! of strings to the matching array; anything else becomes its str() (Maya does the same when
//! a Python result is handed to MEL).
Value fromPython(PyObject* object);

}  // namespace mayasim
