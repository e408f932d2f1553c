#pragma once
// NURBS curves and surfaces in the 3D view, as Maya draws them: curves as smooth lines,
// surfaces as isoparms in wireframe and as lit patches when shaded, with their CVs, hulls and
// edit points when their display attributes ask for them (CVs also while the object is
// hilited for component picking), in the selection's colours.

#include <maya/M3dView.h>
#include <maya/MDagPath.h>

#include "SelectionDisplay.h"

namespace vxsim::render {

//! Every visible curve and surface. Draws with the current (world) modelview.
void drawVisibleNurbs(M3dView::DisplayStyle style, const SelectionDisplay& selection);

//! Whether every node on the path is visible and none is an intermediate object.
bool isDrawnPath(const MDagPath& path);
//! Whether the path's node or an ancestor is templated (drawn grey and never as selected).
bool isTemplatedPath(const MDagPath& path);
//! The wireframe colour of an object in this display status; templated objects are grey.
void setObjectColor(const MDagPath& path, M3dView::DisplayStatus status);

}  // namespace vxsim::render
