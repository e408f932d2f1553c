// Moving a curve's edit points the way Maya does: the knots stay, the CVs follow.
#pragma once

#include <utility>
#include <vector>

#include <maya/MPoint.h>

#include "NurbsCurve.h"

namespace mayasim {
namespace nurbs {

//! Carries the listed edit points (index, new position) to their positions and leaves every
//! other edit point where it is, keeping the knots and the degree. Of all the CV changes that
//! do this it makes the smallest (least squares), so moving an edit point back restores the
//! curve exactly. Linear in the number of edit points for open and closed curves.
void setEditPoints(NurbsCurve& curve, const std::vector<std::pair<int, MPoint>>& positions);

}  // namespace nurbs
}  // namespace mayasim
