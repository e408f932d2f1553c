#pragma once
// The host's 3D views (model panels): each owns a window on the virtual desktop whose
// viewport fills it, and looks through a camera. M3dView reads them; the window's mouse
// messages go to the current tool context as MEvents.

#include <windows.h>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>

namespace mayasim::views {

// Creates a view window covering `screenRect` (desktop pixels) as a child of `parent`
// (null: a top-level window). The first view becomes the active one. Returns its index.
int create(HWND parent, const RECT& screenRect, const MDagPath& camera = MDagPath());
// Destroys every view and its window.
void clear();

unsigned int count();
int activeIndex();  // -1 when there are no views
void setActive(int index);
HWND window(int index);
int indexOfWindow(HWND window);
MDagPath camera(int index);
void setCamera(int index, const MDagPath& camera);
M3dView::DisplayStyle displayStyle(int index);
void setDisplayStyle(int index, M3dView::DisplayStyle style);

// Ends the press-drag-release under way without a release (the tool changed): the button's
// later release reaches no context.
void endGestures();
bool gestureUnderWay();

// Redraws asked for (M3dView::refresh) since the last call; the host renders them.
void requestRefresh();
unsigned int takeRefreshRequests();

}  // namespace mayasim::views
