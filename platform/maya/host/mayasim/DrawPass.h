#pragma once
// The view drawing now: while a pass runs, M3dView's projections, port size and GL calls
// for the drawn view go through the pass's camera and size (each eye of a stereo view is a
// pass of its own).

#include <string>

#include <maya/M3dView.h>
#include <maya/MDagPath.h>

namespace mayasim::views {

struct DrawPass {
    int view = -1;  //!< the view drawn; -1 for a camera drawn outside any view
    MDagPath camera;
    int width = 0;
    int height = 0;
    std::string eye = "center";  //!< "left", "right" or "center"
    int passCount = 1;           //!< how many passes make up this redraw (2 for stereo)
    M3dView::DisplayStyle style = M3dView::kWireFrame;
};

//! Marks a pass as running for its lifetime; passes do not nest.
class DrawPassScope {
public:
    explicit DrawPassScope(const DrawPass& pass);
    ~DrawPassScope();
    DrawPassScope(const DrawPassScope&) = delete;
    DrawPassScope& operator=(const DrawPassScope&) = delete;
};

//! The pass running now, or null between redraws.
const DrawPass* currentDrawPass();

}  // namespace mayasim::views
