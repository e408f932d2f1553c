#include "VxsimModule.h"

#include "MenuBar.h"
#include "MenuCommands.h"
#include "ToolState.h"
#include "World.h"
#include "render/ActiveViewRender.h"
#include "render/Recording.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <vexel/common/Matrix4.h>

#include <vxhost/DebugOutput.h>
#include <vxhost/Desktop.h>
#include <vxhost/HostClock.h>
#include <vxhost/VexelHost.h>

#include <mayasim/Messages.h>
#include <mayasim/Views.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vxsim {
namespace {

// Scene messages of the targeted API: 0 kSceneUpdate .. 43, kLast 44.
constexpr int kSceneMessageCount = 44;

using vexel::common::DisplayRecord;
using vexel::common::Matrix4;

World* gWorld = nullptr;

World* world() {
    if (!gWorld)
        PyErr_SetString(PyExc_RuntimeError, "vxsim: no simulated world is running");
    return gWorld;
}

// Reads a sequence of exactly `count` numbers.
bool readNumbers(PyObject* object, std::size_t count, std::vector<double>& out, const char* what) {
    PyObject* items = PySequence_Fast(object, what);
    if (!items)
        return false;
    bool ok = static_cast<std::size_t>(PySequence_Fast_GET_SIZE(items)) == count;
    for (Py_ssize_t i = 0; ok && i < PySequence_Fast_GET_SIZE(items); ++i) {
        double value = PyFloat_AsDouble(PySequence_Fast_GET_ITEM(items, i));
        ok = !PyErr_Occurred();
        out.push_back(value);
    }
    Py_DECREF(items);
    if (!ok && !PyErr_Occurred()) {
        PyErr_Format(PyExc_ValueError, "%s: expected %zu numbers", what, count);
    }
    return ok;
}

// Rotate order XYZ: X is applied first, so R = Rz * Ry * Rx on column vectors.
void rotationXYZ(double rx, double ry, double rz, double r[3][3]) {
    const double kDegrees = M_PI / 180.0;
    const double cx = std::cos(rx * kDegrees), sx = std::sin(rx * kDegrees);
    const double cy = std::cos(ry * kDegrees), sy = std::sin(ry * kDegrees);
    const double cz = std::cos(rz * kDegrees), sz = std::sin(rz * kDegrees);
    const double x[3][3] = {{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}};
    const double y[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
    const double z[3][3] = {{cz, -sz, 0}, {sz, cz, 0}, {0, 0, 1}};
    double zy[3][3] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                zy[i][j] += z[i][k] * y[k][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r[i][j] = 0.0;
            for (int k = 0; k < 3; ++k)
                r[i][j] += zy[i][k] * x[k][j];
        }
}

// A pose: 16 numbers (row-major 4x4, also as four rows of four), or a position (x, y, z)
// with an optional rotation (rx, ry, rz) in degrees.
bool readPose(PyObject* pose, PyObject* rotation, Matrix4& out) {
    Py_ssize_t size = PySequence_Size(pose);
    if (size < 0)
        return false;
    std::vector<double> values;
    if (size == 16 || size == 4) {
        if (rotation && rotation != Py_None) {
            PyErr_SetString(PyExc_TypeError, "a pose matrix takes no rotation");
            return false;
        }
        if (size == 4) {
            for (Py_ssize_t row = 0; row < 4; ++row) {
                PyObject* items = PySequence_GetItem(pose, row);
                bool ok = items && readNumbers(items, 4, values, "pose row");
                Py_XDECREF(items);
                if (!ok)
                    return false;
            }
        } else if (!readNumbers(pose, 16, values, "pose matrix")) {
            return false;
        }
        float m[16];
        for (int i = 0; i < 16; ++i)
            m[i] = static_cast<float>(values[i]);
        out = Matrix4(m);
        return true;
    }
    if (!readNumbers(pose, 3, values, "pose position (x, y, z)"))
        return false;
    std::vector<double> angles{0.0, 0.0, 0.0};
    if (rotation && rotation != Py_None) {
        angles.clear();
        if (!readNumbers(rotation, 3, angles, "pose rotation (rx, ry, rz)"))
            return false;
    }
    double r[3][3];
    rotationXYZ(angles[0], angles[1], angles[2], r);
    out = Matrix4::IDENTITY;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            out[i][j] = static_cast<float>(r[i][j]);
        out[i][3] = static_cast<float>(values[i]);
    }
    return true;
}

PyObject* poseTuple(const Matrix4& pose) {
    PyObject* tuple = PyTuple_New(16);
    for (int i = 0; i < 16; ++i) {
        PyTuple_SET_ITEM(tuple, i, PyFloat_FromDouble(pose.ptr()[i]));
    }
    return tuple;
}

template <void (*Report)(const Matrix4&, bool)>
PyObject* reportPose(PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"pose", "rotation", "valid", nullptr};
    PyObject* pose = nullptr;
    PyObject* rotation = nullptr;
    int valid = 1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|Op", const_cast<char**>(keywords), &pose,
                                     &rotation, &valid)) {
        return nullptr;
    }
    Matrix4 matrix;
    if (!readPose(pose, rotation, matrix))
        return nullptr;
    Report(matrix, valid != 0);
    Py_RETURN_NONE;
}

PyObject* head(PyObject*, PyObject* args, PyObject* kwargs) {
    return reportPose<vxhost::setHeadPose>(args, kwargs);
}

PyObject* stylus(PyObject*, PyObject* args, PyObject* kwargs) {
    return reportPose<vxhost::setStylusPose>(args, kwargs);
}

PyObject* stylusAt(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"x", "y", "distance", nullptr};
    int x = 0, y = 0;
    double distance = 0.1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "ii|d", const_cast<char**>(keywords), &x, &y,
                                     &distance)) {
        return nullptr;
    }
    Matrix4 pose;
    if (!vxhost::stylusPoseAtPixel(x, y, static_cast<float>(distance), pose)) {
        PyErr_Format(PyExc_ValueError, "no display shows desktop pixel (%d, %d)", x, y);
        return nullptr;
    }
    vxhost::setStylusPose(pose, true);
    return poseTuple(pose);
}

PyObject* deviceDict(const vxhost::DeviceSettings& settings) {
    return Py_BuildValue("{s:d,s:d,s:k}", "rate", settings.rate, "noise", settings.positionNoise,
                         "seed", static_cast<unsigned long>(settings.noiseSeed));
}

// device(target, rate=None, noise=None, seed=None): how the tracker samples the head or the
// stylus: reports per second, Gaussian position noise (metres, per axis) and its seed.
PyObject* device(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"target", "rate", "noise", "seed", nullptr};
    const char* target = nullptr;
    PyObject* rate = Py_None;
    PyObject* noise = Py_None;
    PyObject* seed = Py_None;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "s|OOO", const_cast<char**>(keywords), &target,
                                     &rate, &noise, &seed)) {
        return nullptr;
    }
    int type = -1;
    if (std::strcmp(target, "head") == 0) {
        type = vxhost::kHead;
    } else if (std::strcmp(target, "stylus") == 0) {
        type = vxhost::kStylus;
    } else {
        PyErr_Format(PyExc_ValueError, "device: target must be 'head' or 'stylus', not '%s'",
                     target);
        return nullptr;
    }
    vxhost::DeviceSettings settings = vxhost::deviceSettings(type);
    if (rate != Py_None && (settings.rate = PyFloat_AsDouble(rate), PyErr_Occurred()))
        return nullptr;
    if (noise != Py_None && (settings.positionNoise = PyFloat_AsDouble(noise), PyErr_Occurred()))
        return nullptr;
    if (seed != Py_None) {
        const unsigned long value = PyLong_AsUnsignedLong(seed);
        if (PyErr_Occurred() || value > 0xffffffffUL) {
            PyErr_Clear();
            PyErr_SetString(PyExc_ValueError, "device: seed must be an integer in 0..4294967295");
            return nullptr;
        }
        settings.noiseSeed = static_cast<std::uint32_t>(value);
    }
    const bool changing = rate != Py_None || noise != Py_None || seed != Py_None;
    std::string error;
    if (changing && !vxhost::setDeviceSettings(type, settings, &error)) {
        PyErr_Format(PyExc_ValueError, "device: %s", error.c_str());
        return nullptr;
    }
    return deviceDict(vxhost::deviceSettings(type));
}

PyObject* buttons(PyObject*, PyObject* args) {
    // Sets the first buttons given and keeps the count the stylus reports (a stylus does not
    // lose buttons because a session mentions fewer).
    std::vector<bool> states = vxhost::buttons();
    Py_ssize_t count = PyTuple_GET_SIZE(args);
    if (static_cast<std::size_t>(count) > states.size())
        states.resize(count, false);
    for (Py_ssize_t i = 0; i < count; ++i) {
        int down = PyObject_IsTrue(PyTuple_GET_ITEM(args, i));
        if (down < 0)
            return nullptr;
        states[i] = down != 0;
    }
    if (count > 0 && !vxhost::setButtons(states)) {
        PyErr_Format(PyExc_ValueError, "a stylus has at most %d buttons", vxhost::kMaxButtons);
        return nullptr;
    }
    PyObject* result = PyTuple_New(static_cast<Py_ssize_t>(states.size()));
    for (std::size_t i = 0; i < states.size(); ++i) {
        PyTuple_SET_ITEM(result, i, PyBool_FromLong(states[i]));
    }
    return result;
}

PyObject* key(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"name", "down", nullptr};
    const char* name = nullptr;
    int down = 1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "s|p", const_cast<char**>(keywords), &name,
                                     &down)) {
        return nullptr;
    }
    int virtualKey = vxhost::Desktop::virtualKeyFromName(name);
    if (virtualKey < 0) {
        PyErr_Format(PyExc_ValueError, "unknown key '%s'", name);
        return nullptr;
    }
    vxhost::Desktop::instance().key(virtualKey, down != 0);
    Py_RETURN_NONE;
}

bool readMouseButtons(PyObject* names, unsigned& bits) {
    PyObject* items = PySequence_Fast(names, "buttons: a sequence of 'left', 'right', 'middle'");
    if (!items)
        return false;
    bool ok = true;
    for (Py_ssize_t i = 0; ok && i < PySequence_Fast_GET_SIZE(items); ++i) {
        const char* name = PyUnicode_AsUTF8(PySequence_Fast_GET_ITEM(items, i));
        if (!name) {
            ok = false;
        } else if (std::strcmp(name, "left") == 0) {
            bits |= vxhost::Desktop::kLeftButton;
        } else if (std::strcmp(name, "right") == 0) {
            bits |= vxhost::Desktop::kRightButton;
        } else if (std::strcmp(name, "middle") == 0) {
            bits |= vxhost::Desktop::kMiddleButton;
        } else {
            PyErr_Format(PyExc_ValueError, "unknown mouse button '%s'", name);
            ok = false;
        }
    }
    Py_DECREF(items);
    return ok;
}

PyObject* mouse(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"x", "y", "buttons", nullptr};
    int x = 0, y = 0;
    PyObject* names = nullptr;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "ii|O", const_cast<char**>(keywords), &x, &y,
                                     &names)) {
        return nullptr;
    }
    unsigned bits = 0;
    if (names && !readMouseButtons(names, bits))
        return nullptr;
    vxhost::Desktop::instance().mouse(POINT{x, y}, bits);
    Py_RETURN_NONE;
}

PyObject* cursor(PyObject*, PyObject*) {
    POINT at = vxhost::Desktop::instance().cursor();
    return Py_BuildValue("(ii)", static_cast<int>(at.x), static_cast<int>(at.y));
}

PyObject* step(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"ms", nullptr};
    int millis = World::kSliceMillis;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "|i", const_cast<char**>(keywords), &millis)) {
        return nullptr;
    }
    if (millis < 0) {
        PyErr_SetString(PyExc_ValueError, "vxsim.step: time only moves forward");
        return nullptr;
    }
    World* w = world();
    if (!w)
        return nullptr;
    w->step(millis);
    Py_RETURN_NONE;
}

PyObject* time(PyObject*, PyObject*) {
    return PyFloat_FromDouble(vxhost::HostClock::instance().nowSeconds());
}

PyObject* redraws(PyObject*, PyObject*) {
    World* w = world();
    return w ? PyLong_FromUnsignedLongLong(w->redraws()) : nullptr;
}

PyObject* stringList(const std::vector<std::string>& lines);

const char* messageName(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
            return "mouse move";
        case WM_LBUTTONDOWN:
            return "left down";
        case WM_LBUTTONUP:
            return "left up";
        case WM_RBUTTONDOWN:
            return "right down";
        case WM_RBUTTONUP:
            return "right up";
        case WM_MBUTTONDOWN:
            return "middle down";
        case WM_MBUTTONUP:
            return "middle up";
        case WM_KEYDOWN:
            return "key down";
        case WM_KEYUP:
            return "key up";
        case WM_SYSKEYDOWN:
            return "system key down";
        case WM_SYSKEYUP:
            return "system key up";
        default:
            return nullptr;
    }
}

// The window messages the desktop delivered since the last call, as
// "<seconds> <message> at (x, y)[, injected]": what the stylus, the mouse and the
// keyboard produced, in order.
PyObject* desktopEvents(PyObject*, PyObject*) {
    std::vector<std::string> lines;
    for (const vxhost::DeliveredMessage& delivered : vxhost::Desktop::instance().takeJournal()) {
        const char* name = messageName(delivered.message);
        char line[160] = {};
        if (name != nullptr) {
            std::snprintf(line, sizeof(line), "%.3f %s at (%ld, %ld)%s", delivered.timeMicros / 1e6,
                          name, static_cast<long>(delivered.cursor.x),
                          static_cast<long>(delivered.cursor.y),
                          delivered.injected ? ", injected" : "");
        } else {
            std::snprintf(line, sizeof(line), "%.3f message 0x%04x at (%ld, %ld)%s",
                          delivered.timeMicros / 1e6, static_cast<unsigned>(delivered.message),
                          static_cast<long>(delivered.cursor.x),
                          static_cast<long>(delivered.cursor.y),
                          delivered.injected ? ", injected" : "");
        }
        lines.emplace_back(line);
    }
    return stringList(lines);
}

PyObject* threads(PyObject*, PyObject*) {
    return PyLong_FromLong(vxhost::HostClock::instance().managedThreadCount());
}

// Lets a session play Maya's own scene events, such as 27 (Maya is exiting).
PyObject* sceneMessage(PyObject*, PyObject* args) {
    int message = 0;
    if (!PyArg_ParseTuple(args, "i", &message))
        return nullptr;
    if (message < 0 || message >= kSceneMessageCount) {
        PyErr_Format(PyExc_ValueError, "scene message %d is not in 0..%d", message,
                     kSceneMessageCount - 1);
        return nullptr;
    }
    mayasim::messages::fireSceneMessage(message);
    Py_RETURN_NONE;
}

PyObject* outDir(PyObject*, PyObject*) {
    World* w = world();
    return w ? PyUnicode_FromString(w->outDir().c_str()) : nullptr;
}

PyObject* stringList(const std::vector<std::string>& lines) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        PyList_SET_ITEM(list, i, PyUnicode_DecodeUTF8(lines[i].data(), lines[i].size(), "replace"));
    }
    return list;
}

PyObject* debugOutput(PyObject*, PyObject*) {
    return stringList(vxhost::DebugOutput::instance().takeLines());
}

PyObject* messages(PyObject*, PyObject*) {
    World* w = world();
    if (!w)
        return nullptr;
    std::vector<UserMessage> taken = w->takeMessages();
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(taken.size()));
    for (std::size_t i = 0; i < taken.size(); ++i) {
        PyList_SET_ITEM(list, i,
                        Py_BuildValue("(ss)", taken[i].kind.c_str(), taken[i].text.c_str()));
    }
    return list;
}

PyObject* displayDict(const DisplayRecord& d) {
    return Py_BuildValue(
        "{s:O,s:i,s:i,s:i,s:i,s:i,s:d,s:d,s:(ddd),s:d}", "tracked_stereo",
        d.isStereo ? Py_True : Py_False, "id", d.id, "x", d.desktopX, "y", d.desktopY, "width",
        d.pixelWidth, "height", d.pixelHeight, "width_m", static_cast<double>(d.physicalWidth),
        "height_m", static_cast<double>(d.physicalHeight), "center",
        static_cast<double>(d.displayVector.x), static_cast<double>(d.displayVector.y),
        static_cast<double>(d.displayVector.z), "tilt", static_cast<double>(d.tiltDegrees));
}

PyObject* displays(PyObject*, PyObject*) {
    std::vector<DisplayRecord> records = vxhost::displays();
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i)
        PyList_SET_ITEM(list, i, displayDict(records[i]));
    return list;
}

bool readInt(PyObject* value, int& out) {
    long number = PyLong_AsLong(value);
    if (PyErr_Occurred())
        return false;
    out = static_cast<int>(number);
    return true;
}

bool readFloat(PyObject* value, float& out) {
    double number = PyFloat_AsDouble(value);
    if (PyErr_Occurred())
        return false;
    out = static_cast<float>(number);
    return true;
}

bool applyDisplayField(DisplayRecord& d, const std::string& field, PyObject* value) {
    if (field == "tracked_stereo") {
        int flag = PyObject_IsTrue(value);
        d.isStereo = flag > 0;
        return flag >= 0;
    }
    if (field == "id")
        return readInt(value, d.id);
    if (field == "x")
        return readInt(value, d.desktopX);
    if (field == "y")
        return readInt(value, d.desktopY);
    if (field == "width")
        return readInt(value, d.pixelWidth);
    if (field == "height")
        return readInt(value, d.pixelHeight);
    if (field == "width_m")
        return readFloat(value, d.physicalWidth);
    if (field == "height_m")
        return readFloat(value, d.physicalHeight);
    if (field == "tilt")
        return readFloat(value, d.tiltDegrees);
    if (field == "center") {
        std::vector<double> c;
        if (!readNumbers(value, 3, c, "center (x, y, z)"))
            return false;
        d.displayVector = {static_cast<float>(c[0]), static_cast<float>(c[1]),
                           static_cast<float>(c[2])};
        return true;
    }
    PyErr_Format(PyExc_TypeError, "set_display: unknown field '%s'", field.c_str());
    return false;
}

PyObject* viewDict(int index) {
    const RECT r = vxhost::Desktop::instance().windowRect(mayasim::views::window(index));
    const MDagPath camera = mayasim::views::camera(index);
    return Py_BuildValue("{s:i,s:i,s:i,s:i,s:i,s:O,s:s}", "index", index, "x",
                         static_cast<int>(r.left), "y", static_cast<int>(r.top), "width",
                         static_cast<int>(r.right - r.left), "height",
                         static_cast<int>(r.bottom - r.top), "active",
                         mayasim::views::activeIndex() == index ? Py_True : Py_False, "camera",
                         camera.partialPathName().asChar());
}

// The 3D views (model panels): screen rectangle, whether active, and the camera.
PyObject* views(PyObject*, PyObject*) {
    const int count = static_cast<int>(mayasim::views::count());
    PyObject* list = PyList_New(count);
    for (int i = 0; i < count; ++i)
        PyList_SET_ITEM(list, i, viewDict(i));
    return list;
}

bool viewIndexValid(int index) {
    if (index >= 0 && index < static_cast<int>(mayasim::views::count()))
        return true;
    PyErr_Format(PyExc_IndexError, "no view %d (there are %u)", index, mayasim::views::count());
    return false;
}

// set_view(index, x=, y=, width=, height=, active=): moves or resizes a view's window on the
// desktop and makes it the active view, as a user dragging panels and clicking would.
PyObject* setView(PyObject*, PyObject* args, PyObject* kwargs) {
    static const char* keywords[] = {"index", "x", "y", "width", "height", "active", nullptr};
    int index = 0;
    int x = INT_MIN, y = INT_MIN, width = INT_MIN, height = INT_MIN, active = -1;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "i|iiiip", const_cast<char**>(keywords), &index,
                                     &x, &y, &width, &height, &active))
        return nullptr;
    if (!viewIndexValid(index))
        return nullptr;
    auto& desktop = vxhost::Desktop::instance();
    const HWND window = mayasim::views::window(index);
    RECT r = desktop.windowRect(window);
    const LONG newWidth = width != INT_MIN ? width : r.right - r.left;
    const LONG newHeight = height != INT_MIN ? height : r.bottom - r.top;
    if (newWidth <= 0 || newHeight <= 0) {
        PyErr_SetString(PyExc_ValueError, "set_view: width and height must be positive");
        return nullptr;
    }
    r.left = x != INT_MIN ? x : r.left;
    r.top = y != INT_MIN ? y : r.top;
    r.right = r.left + newWidth;
    r.bottom = r.top + newHeight;
    desktop.setWindowRect(window, r);
    if (active == 1) {
        mayasim::views::setActive(index);
        desktop.setActiveWindow(window);
    }
    return viewDict(index);
}

// add_view(x, y, width, height): another model panel in Maya's main window, looking through
// the active view's camera; returns its index.
PyObject* addView(PyObject*, PyObject* args) {
    int x = 0, y = 0, width = 0, height = 0;
    if (!PyArg_ParseTuple(args, "iiii", &x, &y, &width, &height))
        return nullptr;
    if (width <= 0 || height <= 0) {
        PyErr_SetString(PyExc_ValueError, "add_view: width and height must be positive");
        return nullptr;
    }
    const int active = mayasim::views::activeIndex();
    if (active < 0) {
        PyErr_SetString(PyExc_RuntimeError, "add_view: there is no main window");
        return nullptr;
    }
    const HWND mainWindow = vxhost::Desktop::instance().parent(mayasim::views::window(active));
    const RECT r = {x, y, x + width, y + height};
    return PyLong_FromLong(mayasim::views::create(mainWindow, r, mayasim::views::camera(active)));
}

// set_display(index=0, **fields): changes display `index`; index == len(displays()) adds one.
PyObject* setDisplay(PyObject*, PyObject* args, PyObject* kwargs) {
    int index = 0;
    if (!PyArg_ParseTuple(args, "|i", &index))
        return nullptr;
    World* w = world();
    if (!w)
        return nullptr;
    std::vector<DisplayRecord> records = vxhost::displays();
    if (index < 0 || index > static_cast<int>(records.size())) {
        PyErr_Format(PyExc_IndexError, "set_display: no display %d", index);
        return nullptr;
    }
    if (index == static_cast<int>(records.size())) {
        DisplayRecord added = vxhost::defaultDisplay();
        added.id = index;
        records.push_back(added);
    }
    PyObject* key = nullptr;
    PyObject* value = nullptr;
    Py_ssize_t position = 0;
    while (kwargs && PyDict_Next(kwargs, &position, &key, &value)) {
        const char* field = PyUnicode_AsUTF8(key);
        if (!field || !applyDisplayField(records[index], field, value))
            return nullptr;
    }
    std::string error;
    if (!w->setDisplays(records, &error)) {
        PyErr_Format(PyExc_ValueError, "set_display: %s", error.c_str());
        return nullptr;
    }
    return displayDict(records[index]);
}

PyObject* menus(PyObject*, PyObject*) {
    PyObject* result = PyDict_New();
    for (const Menu& menu : MenuBar::instance().menus()) {
        PyObject* labels = PyList_New(0);
        for (const MenuItem& item : menu.items) {
            if (item.divider)
                continue;
            PyObject* label = PyUnicode_FromString(item.label.c_str());
            PyList_Append(labels, label);
            Py_DECREF(label);
        }
        PyDict_SetItemString(result, menu.label.c_str(), labels);
        Py_DECREF(labels);
    }
    return result;
}

PyObject* chooseMenuItemCall(PyObject*, PyObject* args) {
    const char* menu = nullptr;
    const char* item = nullptr;
    if (!PyArg_ParseTuple(args, "ss", &menu, &item))
        return nullptr;
    std::string error;
    if (!chooseMenuItem(menu, item, error)) {
        PyErr_SetString(PyExc_RuntimeError, error.c_str());
        return nullptr;
    }
    Py_RETURN_NONE;
}

// The (path, eye=\"center\") arguments of render and record: the path resolved under --out
// when relative, the eye checked. False with a Python exception set.
bool outputAndEye(const char* call, PyObject* args, PyObject* kwargs, std::string& path,
                  render::Eye& eye) {
    static const char* kKeywords[] = {"path", "eye", nullptr};
    const char* given = nullptr;
    const char* eyeName = "center";
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "s|s", const_cast<char**>(kKeywords), &given,
                                     &eyeName))
        return false;
    if (!render::eyeFromName(eyeName, eye)) {
        PyErr_Format(PyExc_ValueError, "%s: eye must be %s, not '%s'", call, render::kEyeChoices,
                     eyeName);
        return false;
    }
    World* w = world();
    if (!w)
        return false;
    path = w->outputPath(given);
    return true;
}

// render(path, eye="center"): a relative path lands under --out; returns the path written.
PyObject* render(PyObject*, PyObject* args, PyObject* kwargs) {
    std::string path;
    render::Eye eye = render::Eye::kCenter;
    if (!outputAndEye("render", args, kwargs, path, eye))
        return nullptr;
    std::string error;
    if (!render::renderActiveView(path, eye, &error)) {
        PyErr_Format(PyExc_RuntimeError, "render: %s", error.c_str());
        return nullptr;
    }
    return PyUnicode_FromString(path.c_str());
}

// record(path, eye="center"): starts an animated GIF of the active view; returns its path.
PyObject* record(PyObject*, PyObject* args, PyObject* kwargs) {
    std::string path;
    render::Eye eye = render::Eye::kCenter;
    if (!outputAndEye("record", args, kwargs, path, eye))
        return nullptr;
    std::string error;
    if (!render::startRecording(path, eye, vxhost::HostClock::instance().nowSeconds(), &error)) {
        PyErr_Format(PyExc_RuntimeError, "record: %s", error.c_str());
        return nullptr;
    }
    return PyUnicode_FromString(path.c_str());
}

// stop_recording(): finishes the recording; its path, or None when none was running.
PyObject* stopRecording(PyObject*, PyObject*) {
    std::string path;
    std::string error;
    if (!render::stopRecording(vxhost::HostClock::instance().nowSeconds(), &path, &error)) {
        PyErr_Format(PyExc_RuntimeError, "stop_recording: %s", error.c_str());
        return nullptr;
    }
    if (path.empty())
        Py_RETURN_NONE;
    return PyUnicode_FromString(path.c_str());
}

// METH_KEYWORDS functions take a third argument; the method table stores them untyped.
PyCFunction withKeywords(PyCFunctionWithKeywords function) {
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

PyMethodDef kMethods[] = {
    {"head", withKeywords(head), METH_VARARGS | METH_KEYWORDS,
     "head(pose, rotation=None, valid=True): the next tracker sample of the head."},
    {"stylus", withKeywords(stylus), METH_VARARGS | METH_KEYWORDS,
     "stylus(pose, rotation=None, valid=True): the next tracker sample of the stylus."},
    {"stylus_at", withKeywords(stylusAt), METH_VARARGS | METH_KEYWORDS,
     "stylus_at(x, y, distance=0.1): puts the stylus in front of desktop pixel (x, y), "
     "pointing at it head-on; returns the pose."},
    {"device", withKeywords(device), METH_VARARGS | METH_KEYWORDS,
     "device(target, rate=None, noise=None, seed=None): how the tracker samples 'head' or "
     "'stylus' (Hz; position noise in metres per axis; its seed); returns the settings."},
    {"buttons", buttons, METH_VARARGS,
     "buttons(*states): sets the stylus buttons, button 0 first; returns all their states."},
    {"key", withKeywords(key), METH_VARARGS | METH_KEYWORDS,
     "key(name, down=True): presses or releases a key of the keyboard."},
    {"mouse", withKeywords(mouse), METH_VARARGS | METH_KEYWORDS,
     "mouse(x, y, buttons=()): moves the mouse to desktop pixel (x, y) holding the buttons "
     "named ('left', 'right', 'middle')."},
    {"cursor", cursor, METH_NOARGS, "The desktop pointer position (x, y)."},
    {"step", withKeywords(step), METH_VARARGS | METH_KEYWORDS,
     "step(ms=17): advances time; tracker polls, input is delivered, idle runs, views redraw."},
    {"time", time, METH_NOARGS, "The host clock in seconds."},
    {"redraws", redraws, METH_NOARGS, "How many times the views have redrawn."},
    {"views", views, METH_NOARGS, "The 3D views: rectangle, active flag, camera."},
    {"tool", toolState, METH_NOARGS,
     "The current tool context: name, command, title, help, class, images, cursor and "
     "manipulators."},
    {"ui_state", uiState, METH_NOARGS,
     "The editors the tool menu toggles (attributeEditor, channelBoxLayerEditor, "
     "toolSettings) and the active view's displayAppearance."},
    {"set_view", withKeywords(setView), METH_VARARGS | METH_KEYWORDS,
     "Moves or resizes a 3D view and makes it active (active=True)."},
    {"add_view", addView, METH_VARARGS, "Adds a 3D view panel; returns its index."},
    {"desktop_events", desktopEvents, METH_NOARGS,
     "Window messages the desktop delivered since the last call."},
    {"threads", threads, METH_NOARGS, "How many threads of the plug-in are running."},
    {"scene_message", sceneMessage, METH_VARARGS,
     "Fires Maya's scene message of that number (27: Maya is exiting)."},
    {"out_dir", outDir, METH_NOARGS, "Where the session's outputs go (--out)."},
    {"debug_output", debugOutput, METH_NOARGS, "Debug print lines since the last call."},
    {"messages", messages, METH_NOARGS,
     "(kind, text) of the errors and warnings shown to the user since the last call."},
    {"displays", displays, METH_NOARGS, "The simulated displays."},
    {"set_display", withKeywords(setDisplay), METH_VARARGS | METH_KEYWORDS,
     "set_display(index=0, **fields): changes a display (index len(displays()) adds one). "
     "Fields: tracked_stereo, id, x, y, width, height, width_m, height_m, center, tilt."},
    {"menus", menus, METH_NOARGS,
     "{menu label: [item labels]} of the main window's menus (dividers left out)."},
    {"choose_menu_item", chooseMenuItemCall, METH_VARARGS,
     "choose_menu_item(menu, item): runs an item's command as choosing it would; menu and "
     "item by label or name."},
    {"render", withKeywords(render), METH_VARARGS | METH_KEYWORDS,
     "render(path, eye='center'): renders the active 3D view to a PNG file."},
    {"record", withKeywords(record), METH_VARARGS | METH_KEYWORDS,
     "record(path, eye='center'): records the active 3D view to an animated GIF, one frame "
     "per redraw, until stop_recording(); returns the path."},
    {"stop_recording", stopRecording, METH_NOARGS,
     "Finishes the recording; returns its path, or None when none was running."},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef kModule = {PyModuleDef_HEAD_INIT,
                       "vxsim",
                       "The simulated world of the vxsim host.",
                       -1,
                       kMethods,
                       nullptr,
                       nullptr,
                       nullptr,
                       nullptr};

}  // namespace

_object* initVxsimModule() {
    return PyModule_Create(&kModule);
}

void bindVxsimWorld(World* world) {
    gWorld = world;
}

}  // namespace vxsim
