#include "python/MayaSimModule.h"

#include "python/PythonValue.h"

#include <maya/MArgList.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

#include <mayasim/CommandEngine.h>

#include <string>

namespace mayasim {

const char* const kMayaSimModuleName = "_mayasim";

namespace {

PyRef pyStr(const std::string& text) {
    return PyRef(PyUnicode_FromString(text.c_str()));
}

const char* argTypeName(MSyntax::MArgType type) {
    switch (type) {
        case MSyntax::kBoolean:
            return "bool";
        case MSyntax::kLong:
        case MSyntax::kUnsigned:
            return "int";
        case MSyntax::kDouble:
        case MSyntax::kDistance:
        case MSyntax::kAngle:
        case MSyntax::kTime:
            return "double";
        case MSyntax::kString:
        case MSyntax::kSelectionItem:
            return "string";
        default:
            return "other";
    }
}

// (flags, query enabled, edit enabled); each flag (short, long, (arg type names...), multi-use).
PyRef describeSyntax(const MSyntax& syntax) {
    PyRef flags(PyList_New(0));
    for (const SyntaxFlag& flag : syntaxFlags(syntax)) {
        PyRef types(PyTuple_New(static_cast<Py_ssize_t>(flag.argTypes.size())));
        for (std::size_t i = 0; i < flag.argTypes.size(); ++i) {
            PyTuple_SET_ITEM(types.get(), static_cast<Py_ssize_t>(i),
                             PyUnicode_FromString(argTypeName(flag.argTypes[i])));
        }
        PyRef entry(Py_BuildValue("(ssOO)", flag.shortName.c_str(), flag.longName.c_str(),
                                  types.get(), flag.multiUse ? Py_True : Py_False));
        if (!entry || PyList_Append(flags.get(), entry.get()) != 0)
            return PyRef();
    }
    return PyRef(Py_BuildValue("(OOO)", flags.get(),
                               syntaxEnablesQuery(syntax) ? Py_True : Py_False,
                               syntaxEnablesEdit(syntax) ? Py_True : Py_False));
}

bool appendArgument(MArgList& args, PyObject* item) {
    if (PyBool_Check(item)) {
        args.addArg(item == Py_True);
    } else if (PyLong_Check(item)) {
        long number = PyLong_AsLong(item);
        if (PyErr_Occurred())
            return false;
        args.addArg(static_cast<int>(number));
    } else if (PyFloat_Check(item)) {
        args.addArg(PyFloat_AsDouble(item));
    } else if (PyUnicode_Check(item)) {
        const char* text = PyUnicode_AsUTF8(item);
        if (!text)
            return false;
        args.addArg(MString(text));
    } else {
        PyErr_Format(PyExc_TypeError, "cannot pass a %s to a command", Py_TYPE(item)->tp_name);
        return false;
    }
    return true;
}

PyObject* raiseFailure(const std::string& what, const std::string& message) {
    std::string text = message.empty() ? what + " failed" : message;
    PyErr_SetString(PyExc_RuntimeError, text.c_str());
    return nullptr;
}

PyObject* commandNames(PyObject*, PyObject*) {
    PyRef names(PyList_New(0));
    for (const std::string& name : CommandEngine::instance().commandNames()) {
        PyRef item = pyStr(name);
        if (!item || PyList_Append(names.get(), item.get()) != 0)
            return nullptr;
    }
    return names.release();
}

PyObject* hasCommand(PyObject*, PyObject* name) {
    const char* text = PyUnicode_AsUTF8(name);
    if (!text)
        return nullptr;
    return PyBool_FromLong(CommandEngine::instance().hasCommand(MString(text)));
}

PyObject* syntaxOf(PyObject*, PyObject* name) {
    const char* text = PyUnicode_AsUTF8(name);
    if (!text)
        return nullptr;
    const MSyntax* syntax = CommandEngine::instance().syntaxOf(MString(text));
    if (!syntax)
        Py_RETURN_NONE;
    return describeSyntax(*syntax).release();
}

PyObject* invoke(PyObject*, PyObject* call) {
    const char* name = nullptr;
    PyObject* words = nullptr;
    if (!PyArg_ParseTuple(call, "sO!", &name, &PyList_Type, &words))
        return nullptr;
    MArgList args;
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(words); ++i) {
        if (!appendArgument(args, PyList_GET_ITEM(words, i)))
            return nullptr;
    }
    ErrorCapture errors;
    Value result;
    if (!CommandEngine::instance().invoke(MString(name), args, &result, true)) {
        if (PyErr_Occurred())
            return nullptr;  // Python underneath raised and said why
        return raiseFailure(name, errors.last());
    }
    return toPython(result).release();
}

PyObject* mel(PyObject*, PyObject* source) {
    const char* text = PyUnicode_AsUTF8(source);
    if (!text)
        return nullptr;
    ErrorCapture errors;
    Value result;
    if (!CommandEngine::instance().executeMel(MString(text), &result, false, true)) {
        return raiseFailure("MEL", errors.last());
    }
    return toPython(result).release();
}

PyMethodDef kMethods[] = {
    {"command_names", commandNames, METH_NOARGS, "Names of every registered command."},
    {"has_command", hasCommand, METH_O, "Whether a command of that name is registered."},
    {"syntax", syntaxOf, METH_O,
     "(flags, query enabled, edit enabled) of a command, None when it declares no syntax."},
    {"invoke", invoke, METH_VARARGS, "invoke(name, words): runs a command with an argument list."},
    {"mel", mel, METH_O, "Runs MEL source; returns the value of its last command."},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef kModule = {PyModuleDef_HEAD_INIT,
                       "_mayasim",
                       "The command engine, for maya.cmds.",
                       -1,
                       kMethods,
                       nullptr,
                       nullptr,
                       nullptr,
                       nullptr};

}  // namespace

PyObject* initMayaSimModule() {
    return PyModule_Create(&kModule);
}

}  // namespace mayasim
