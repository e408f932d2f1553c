// The Python modules compiled into MayaPython (the `maya` package and its bootstrap).
#pragma once

#include <vector>

namespace mayasim::embedded {

struct Module {
    const char* name;
    bool isPackage;
    const char* source;
};

//! Installs an import hook serving modules(); run with `sources` bound to that table.
const char* bootstrapSource();
const std::vector<Module>& modules();

}  // namespace mayasim::embedded
