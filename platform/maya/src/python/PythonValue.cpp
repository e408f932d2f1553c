#include "python/PythonValue.h"

#include <climits>
#include <string>
#include <vector>

namespace mayasim {
namespace {

PyRef pyString(const std::string& text) {
    return PyRef(
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
}

template <class T, class Convert>
PyRef pyList(const std::vector<T>& items, Convert convert) {
    PyRef list(PyList_New(static_cast<Py_ssize_t>(items.size())));
    if (!list)
        return list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        PyRef item = convert(items[i]);
        if (!item)
            return item;
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), item.release());
    }
    return list;
}

std::string textOf(PyObject* object) {
    PyRef text(PyObject_Str(object));
    const char* utf8 = text ? PyUnicode_AsUTF8(text.get()) : nullptr;
    if (!utf8) {
        PyErr_Clear();
        return {};
    }
    return utf8;
}

// bool is an int subclass, so True and False count as integers, as they do in MEL.
bool isInt(PyObject* object) {
    if (!PyLong_Check(object))
        return false;
    long number = PyLong_AsLong(object);
    if (PyErr_Occurred()) {
        PyErr_Clear();
        return false;
    }
    return number >= INT_MIN && number <= INT_MAX;
}

bool isNumber(PyObject* object) {
    return PyLong_Check(object) || PyFloat_Check(object);
}

Value sequenceValue(PyObject* sequence) {
    PyRef items(PySequence_Fast(sequence, "not a sequence"));
    Py_ssize_t count = PySequence_Fast_GET_SIZE(items.get());
    PyObject** begin = PySequence_Fast_ITEMS(items.get());
    bool allIntegers = true;
    bool allNumbers = true;
    for (Py_ssize_t i = 0; i < count; ++i) {
        allIntegers = allIntegers && isInt(begin[i]);
        allNumbers = allNumbers && isNumber(begin[i]);
    }
    if (count > 0 && allIntegers) {
        std::vector<int> values;
        for (Py_ssize_t i = 0; i < count; ++i)
            values.push_back(static_cast<int>(PyLong_AsLong(begin[i])));
        return Value(values);
    }
    if (count > 0 && allNumbers) {
        std::vector<double> values;
        for (Py_ssize_t i = 0; i < count; ++i)
            values.push_back(PyFloat_AsDouble(begin[i]));
        return Value(values);
    }
    std::vector<std::string> values;
    for (Py_ssize_t i = 0; i < count; ++i)
        values.push_back(textOf(begin[i]));
    return Value(values);
}

}  // namespace

PyRef toPython(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::kNone:
            return PyRef::borrow(Py_None);
        case Value::Kind::kInt:
            return PyRef(PyLong_FromLong(value.asInt()));
        case Value::Kind::kDouble:
            return PyRef(PyFloat_FromDouble(value.asDouble()));
        case Value::Kind::kString:
            return pyString(value.asString());
        case Value::Kind::kIntArray:
            return pyList(value.asIntArray(), [](int v) { return PyRef(PyLong_FromLong(v)); });
        case Value::Kind::kDoubleArray:
            return pyList(value.asDoubleArray(),
                          [](double v) { return PyRef(PyFloat_FromDouble(v)); });
        case Value::Kind::kStringArray:
            return pyList(value.asStringArray(), pyString);
    }
    return PyRef::borrow(Py_None);
}

Value fromPython(PyObject* object) {
    if (object == nullptr || object == Py_None)
        return Value();
    if (PyBool_Check(object))
        return Value(object == Py_True);
    if (PyLong_Check(object)) {
        // MEL ints are 32-bit: wider ones travel as doubles rather than wrap.
        if (isInt(object))
            return Value(static_cast<int>(PyLong_AsLong(object)));
        return Value(PyLong_AsDouble(object));
    }
    if (PyFloat_Check(object))
        return Value(PyFloat_AsDouble(object));
    if (PyUnicode_Check(object))
        return Value(textOf(object));
    if (PyList_Check(object) || PyTuple_Check(object))
        return sequenceValue(object);
    return Value(textOf(object));
}

}  // namespace mayasim
