#pragma once
// Maya's user preferences that tools read: option variables (optionVar,
// MGlobal::optionVarIntValue...), the snapping modes (snapMode) and the grid (grid).

#include <string>
#include <vector>

#include <mayasim/Value.h>

namespace mayasim::preferences {

// An option variable's value (a number, a string or an array of them); null when unset.
const Value* optionVar(const std::string& name);
void setOptionVar(const std::string& name, Value value);
bool removeOptionVar(const std::string& name);
std::vector<std::string> optionVarNames();

struct Snapping {
    bool grid = false;
    bool point = false;
    bool curve = false;
    bool viewPlane = false;
};
Snapping& snapping();

// Maya's default grid: lines every 5 units, 5 divisions between them, 12 units each way.
struct Grid {
    double spacing = 5.0;
    int divisions = 5;
    double size = 12.0;
    bool visible = true;
};
const Grid& grid();
// Also sets the "gridSpacing" and "gridDivisions" option variables.
void setGrid(const Grid& grid);

// Back to a fresh session's preferences (tests).
void reset();

}  // namespace mayasim::preferences
