// One embedded interpreter for the whole test program (Python cannot restart cleanly).
#pragma once

#include <python/PythonHost.h>

#include <mayasim/Value.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace mayasim {
inline void PrintTo(const Value& value, std::ostream* out) {
    *out << value.toMelLiteral();
}
}  // namespace mayasim

namespace pytest {

mayasim::PythonHost& host();

//! Runs Python code in __main__ and returns the value of an expression; a raise fails the test.
mayasim::Value py(const std::string& code);

//! Runs Python code that must raise; returns the error as the host reports it.
std::string pyError(const std::string& code);

}  // namespace pytest
