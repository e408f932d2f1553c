#pragma once
// How a MEL or Python value reads as the type a flag or argument asks for.

#include <mayasim/Value.h>

namespace mayasim {

// true/false, on/off, yes/no and numbers.
bool toBool(const Value& value, bool& out);
// Numbers (doubles truncate) and strings that hold an integer.
bool toInt(const Value& value, int& out);
bool toDouble(const Value& value, double& out);

}  // namespace mayasim
