// What a session sees of the current tool and of Maya's user interface around the view.
#pragma once

typedef struct _object PyObject;

namespace vxsim {

// vxsim.tool(): the current context's name, strings, cursor and manipulators.
PyObject* toolState(PyObject* self, PyObject* args);
// vxsim.ui_state(): the editors the tool menu toggles and the active view's appearance.
PyObject* uiState(PyObject* self, PyObject* args);

}  // namespace vxsim
