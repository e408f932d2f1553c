#include "ToolState.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <maya/M3dView.h>
#include <maya/MToolsInfo.h>

#include <mayasim/Contexts.h>
#include <mayasim/UiState.h>
#include <mayasim/Views.h>

#include <string>
#include <vector>

namespace vxsim {
namespace {

PyObject* strings(const std::vector<std::string>& items) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), PyUnicode_FromString(items[i].c_str()));
    return list;
}

PyObject* cursorDict(const mayasim::contexts::CursorState& cursor) {
    return Py_BuildValue("{s:s,s:(ii),s:(ii),s:O}", "shape", cursor.shape.c_str(), "size",
                         cursor.width, cursor.height, "hot_spot", cursor.hotSpotX, cursor.hotSpotY,
                         "blank", cursor.blank ? Py_True : Py_False);
}

// modelEditor's names for the display appearances.
const char* appearance(M3dView::DisplayStyle style) {
    switch (style) {
        case M3dView::kBoundingBox:
            return "boundingBox";
        case M3dView::kFlatShaded:
            return "flatShaded";
        case M3dView::kGouraudShaded:
            return "smoothShaded";
        case M3dView::kPoints:
            return "points";
        case M3dView::kWireFrame:
        default:
            return "wireframe";
    }
}

}  // namespace

PyObject* toolState(PyObject*, PyObject*) {
    const mayasim::contexts::ContextState state =
        mayasim::contexts::describe(mayasim::contexts::currentName());
    PyObject* images = strings({state.images[0], state.images[1], state.images[2]});
    PyObject* cursor = cursorDict(state.cursor);
    PyObject* manipulators = strings(state.manipulators);
    return Py_BuildValue("{s:s,s:s,s:s,s:s,s:s,s:N,s:N,s:N,s:O}", "name", state.name.c_str(),
                         "command", state.command.c_str(), "title", state.title.c_str(), "help",
                         state.help.c_str(), "class", state.className.c_str(), "images", images,
                         "cursor", cursor, "manipulators", manipulators, "settings_dirty",
                         MToolsInfo::isDirty() ? Py_True : Py_False);
}

PyObject* uiState(PyObject*, PyObject*) {
    const mayasim::ui::Panels& panels = mayasim::ui::panels();
    const int view = mayasim::views::activeIndex();
    const char* look = view < 0 ? "" : appearance(mayasim::views::displayStyle(view));
    return Py_BuildValue("{s:O,s:O,s:O,s:s}", "attributeEditor",
                         panels.attributeEditor ? Py_True : Py_False, "channelBoxLayerEditor",
                         panels.channelBoxLayerEditor ? Py_True : Py_False, "toolSettings",
                         panels.toolSettings ? Py_True : Py_False, "displayAppearance", look);
}

}  // namespace vxsim
