#pragma once
// What the 3D view draws besides manipulators: the background, the ground grid and the
// scene's visible meshes.

#include <maya/M3dView.h>

#include "SelectionDisplay.h"

namespace vxsim::render {

//! Sets the colour of entry `index` of Maya's palette.
void setPaletteColor(unsigned int index);

//! The palette entry of an object's wireframe in this display status: white when selected,
//! light green for the lead object, light blue when hilited, dark blue otherwise.
unsigned int wireIndexOf(M3dView::DisplayStatus status);

//! The colour of a point component (vertex, CV): yellow when picked, purple otherwise.
void setPointComponentColor(bool picked);

//! Maya's default gradient behind everything; leaves both matrices as they were and
//! depth testing off.
void drawBackground();

//! A directional light shining from the eye along the view direction, as Maya's default
//! lighting does. Must be called while the modelview matrix is the identity.
void setUpHeadlight();

//! Maya's default grid on the ground plane: 24 units across, a line every unit, darker
//! lines every five and the axes darkest. Draws with the current (world) modelview.
void drawGrid();

//! Every visible mesh in the scene in the view's display style, as Maya shows the
//! selection: selected objects' wireframes in white and the lead object's in light green
//! (over the faces when shaded); meshes with picked components hilited in light blue with
//! their picked vertices yellow, edges and faces light orange. Draws with the current
//! (world) modelview.
void drawVisibleMeshes(M3dView::DisplayStyle style, const SelectionDisplay& selection);

}  // namespace vxsim::render
