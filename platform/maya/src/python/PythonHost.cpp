#include "python/PythonHost.h"

#include "python/EmbeddedModules.h"
#include "python/MayaSimModule.h"
#include "python/PyRef.h"
#include "python/PythonValue.h"

#include <maya/MGlobal.h>

#include <mayasim/CommandEngine.h>

#include <fstream>
#include <sstream>

namespace mayasim {
namespace {

const char* const kConsoleName = "<maya console>";

struct PythonFailure {
    std::string type;
    std::string message;
    std::string file;
    int line = 0;
    bool isExit = false;
    bool exitOk = false;
};

std::string str(PyObject* object) {
    PyRef text(object ? PyObject_Str(object) : nullptr);
    const char* utf8 = text ? PyUnicode_AsUTF8(text.get()) : nullptr;
    if (!utf8) {
        PyErr_Clear();
        return {};
    }
    return utf8;
}

int intAttribute(PyObject* object, const char* name) {
    PyRef value(PyObject_GetAttrString(object, name));
    long number = value && PyLong_Check(value.get()) ? PyLong_AsLong(value.get()) : 0;
    PyErr_Clear();
    return static_cast<int>(number);
}

// The line of the innermost traceback entry in `file`, or of the innermost entry at all.
void locate(PyObject* traceback, const std::string& file, PythonFailure& failure) {
    PyRef entry = PyRef::borrow(traceback);
    while (entry && entry.get() != Py_None) {
        PyRef frame(PyObject_GetAttrString(entry.get(), "tb_frame"));
        PyRef code(frame ? PyObject_GetAttrString(frame.get(), "f_code") : nullptr);
        PyRef name(code ? PyObject_GetAttrString(code.get(), "co_filename") : nullptr);
        std::string entryFile = str(name.get());
        if (file.empty() || entryFile == file || failure.file != file) {
            failure.file = entryFile;
            failure.line = intAttribute(entry.get(), "tb_lineno");
        }
        entry = PyRef(PyObject_GetAttrString(entry.get(), "tb_next"));
    }
    PyErr_Clear();
}

// Takes the pending exception and describes it.
PythonFailure fetchFailure(const std::string& file) {
    PyObject* rawType = nullptr;
    PyObject* rawValue = nullptr;
    PyObject* rawTraceback = nullptr;
    PyErr_Fetch(&rawType, &rawValue, &rawTraceback);
    PyErr_NormalizeException(&rawType, &rawValue, &rawTraceback);
    PyRef type(rawType), value(rawValue), traceback(rawTraceback);

    PythonFailure failure;
    failure.type = type ? reinterpret_cast<PyTypeObject*>(type.get())->tp_name : "Error";
    failure.message = str(value.get());
    if (type && PyErr_GivenExceptionMatches(type.get(), PyExc_SystemExit)) {
        PyRef code(value ? PyObject_GetAttrString(value.get(), "code") : nullptr);
        PyErr_Clear();
        failure.isExit = true;
        failure.exitOk = !code || code.get() == Py_None ||
                         (PyLong_Check(code.get()) && PyLong_AsLong(code.get()) == 0);
    }
    if (traceback)
        locate(traceback.get(), file, failure);
    if (type && PyErr_GivenExceptionMatches(type.get(), PyExc_SyntaxError) && value) {
        // A syntax error happens before any frame exists: its place is on the exception.
        PyRef where(PyObject_GetAttrString(value.get(), "filename"));
        failure.file = str(where.get());
        failure.line = intAttribute(value.get(), "lineno");
        PyRef message(PyObject_GetAttrString(value.get(), "msg"));
        failure.message = str(message.get());
    }
    PyErr_Clear();
    return failure;
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

PyObject* mainDict() {
    return PyModule_GetDict(PyImport_AddModule("__main__"));
}

bool isOneLine(const std::string& code) {
    const size_t end = code.find_last_not_of(" \t\r\n");
    return end == std::string::npos || code.find('\n') > end;
}

// A one-line script whose last statement is an expression ("import m; m.f()"), compiled as
// the statements before it and that expression; false (and nothing set) for any other code.
bool compileLastExpression(const std::string& code, PyRef& statements, PyRef& expression) {
    if (!isOneLine(code))
        return false;
    PyRef ast(PyImport_ImportModule("ast"));
    PyRef tree(
        ast ? PyObject_CallMethod(ast.get(), "parse", "sss", code.c_str(), kConsoleName, "exec")
            : nullptr);
    PyRef body(tree ? PyObject_GetAttrString(tree.get(), "body") : nullptr);
    PyRef exprType(ast ? PyObject_GetAttrString(ast.get(), "Expr") : nullptr);
    const Py_ssize_t count = body && PyList_Check(body.get()) ? PyList_GET_SIZE(body.get()) : 0;
    if (count == 0 || !exprType ||
        PyObject_IsInstance(PyList_GET_ITEM(body.get(), count - 1), exprType.get()) != 1) {
        PyErr_Clear();
        return false;
    }
    PyRef last(PyObject_GetAttrString(PyList_GET_ITEM(body.get(), count - 1), "value"));
    PyRef lastExpression(last ? PyObject_CallMethod(ast.get(), "Expression", "O", last.get())
                              : nullptr);
    PyObject* builtins = PyEval_GetBuiltins();  // borrowed
    PyObject* compile = builtins ? PyDict_GetItemString(builtins, "compile") : nullptr;
    if (!lastExpression || !compile ||
        PyList_SetSlice(body.get(), count - 1, count, nullptr) != 0) {
        PyErr_Clear();
        return false;
    }
    PyRef head(PyObject_CallFunction(compile, "Oss", tree.get(), kConsoleName, "exec"));
    PyRef tail(
        head ? PyObject_CallFunction(compile, "Oss", lastExpression.get(), kConsoleName, "eval")
             : nullptr);
    if (!tail) {
        PyErr_Clear();
        return false;
    }
    statements = std::move(head);
    expression = std::move(tail);
    return true;
}

bool runBootstrap() {
    PyRef sources(PyDict_New());
    for (const embedded::Module& module : embedded::modules()) {
        PyRef entry(Py_BuildValue("(Os)", module.isPackage ? Py_True : Py_False, module.source));
        if (!entry || PyDict_SetItemString(sources.get(), module.name, entry.get()) != 0) {
            return false;
        }
    }
    PyRef globals(PyDict_New());
    PyDict_SetItemString(globals.get(), "__builtins__", PyEval_GetBuiltins());
    PyDict_SetItemString(globals.get(), "sources", sources.get());
    PyRef result(
        PyRun_String(embedded::bootstrapSource(), Py_file_input, globals.get(), globals.get()));
    return static_cast<bool>(result);
}

bool prependModulePaths(const std::vector<std::string>& paths) {
    PyObject* sysPath = PySys_GetObject("path");  // borrowed
    if (!sysPath)
        return false;
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        PyRef entry(PyUnicode_FromString(it->c_str()));
        if (!entry || PyList_Insert(sysPath, 0, entry.get()) != 0)
            return false;
    }
    return true;
}

PyRef evalInMain(const PyRef& code) {
    return PyRef(PyEval_EvalCode(code.get(), mainDict(), mainDict()));
}

// Runs `code` in __main__. Returns what its value-giving part gave (`hasValue`), else None;
// null when it raised.
PyRef runInMain(const std::string& code, bool& hasValue) {
    PyRef expression(Py_CompileString(code.c_str(), kConsoleName, Py_eval_input));
    hasValue = static_cast<bool>(expression);
    if (hasValue)
        return evalInMain(expression);
    PyErr_Clear();
    // As in Maya, a one-line script gives the value of its last statement when that is an
    // expression; a script of several lines gives none.
    PyRef statements;
    hasValue = compileLastExpression(code, statements, expression);
    if (hasValue) {
        PyRef done = evalInMain(statements);
        return done ? evalInMain(expression) : PyRef();
    }
    PyRef script(Py_CompileString(code.c_str(), kConsoleName, Py_file_input));
    return script ? evalInMain(script) : PyRef();
}

}  // namespace

PythonHost::~PythonHost() {
    stop();
}

MStatus PythonHost::start(const Options& options) {
    if (running_ || Py_IsInitialized())
        return MStatus(MStatus::kFailure);

    // The inittab is process-wide and may only grow before the first start.
    static bool modulesAdded = false;
    if (!modulesAdded) {
        PyImport_AppendInittab(kMayaSimModuleName, &initMayaSimModule);
        for (const auto& [name, init] : options.builtinModules) {
            PyImport_AppendInittab(name, reinterpret_cast<PyObject* (*)()>(init));
        }
        modulesAdded = true;
    }

    // Isolated: the environment (PYTHONPATH, user site) must not change what a session does;
    // unbuffered, so script output interleaves with the host's own in order.
    PyConfig config;
    PyConfig_InitIsolatedConfig(&config);
    config.buffered_stdio = 0;
    config.write_bytecode = 0;
    PyStatus status = PyConfig_SetBytesString(&config, &config.program_name, "mayapy");
    if (!PyStatus_Exception(status))
        status = Py_InitializeFromConfig(&config);
    PyConfig_Clear(&config);
    if (PyStatus_Exception(status))
        return MStatus(MStatus::kFailure);
    running_ = true;

    if (!runBootstrap() || !prependModulePaths(options.modulePaths)) {
        PyErr_Print();
        stop();
        return MStatus(MStatus::kFailure);
    }
    CommandEngine::instance().setPythonRunner([this](const std::string& code, Value* result) {
        std::string error;
        MStatus ran = runCode(code, result, &error);
        if (!ran)
            MGlobal::displayError(MString(error.c_str()));
        return ran;
    });
    return MStatus(MStatus::kSuccess);
}

void PythonHost::stop() {
    if (!running_)
        return;
    CommandEngine::instance().setPythonRunner(nullptr);
    Py_FinalizeEx();
    running_ = false;
}

MStatus PythonHost::runCode(const std::string& code, Value* result, std::string* error) {
    if (result)
        *result = Value();
    bool hasValue = false;
    PyRef value = runInMain(code, hasValue);
    if (!value) {
        PythonFailure failure = fetchFailure(kConsoleName);
        if (failure.isExit && failure.exitOk)
            return MStatus(MStatus::kSuccess);
        if (error) {
            *error = failure.type + ": file " + kConsoleName + " line " +
                     std::to_string(failure.line) + ": " + failure.message;
        }
        return MStatus(MStatus::kFailure);
    }
    if (result && hasValue)
        *result = fromPython(value.get());
    return MStatus(MStatus::kSuccess);
}

MStatus PythonHost::runFile(const std::string& path, std::string* error) {
    std::string source;
    if (!readFile(path, source)) {
        if (error)
            *error = path + ": cannot read the script";
        return MStatus(MStatus::kNotFound);
    }
    PyObject* globals = mainDict();
    PyRef file(PyUnicode_FromString(path.c_str()));
    PyDict_SetItemString(globals, "__file__", file.get());
    PyRef compiled(Py_CompileString(source.c_str(), path.c_str(), Py_file_input));
    PyRef value(compiled ? PyEval_EvalCode(compiled.get(), globals, globals) : nullptr);
    PythonFailure failure;
    if (!value)
        failure = fetchFailure(path);
    if (PyDict_DelItemString(globals, "__file__") != 0)
        PyErr_Clear();
    if (value || (failure.isExit && failure.exitOk))
        return MStatus(MStatus::kSuccess);
    if (error) {
        *error = (failure.file.empty() ? path : failure.file) + ":" + std::to_string(failure.line) +
                 ": " + failure.type;
        if (!failure.message.empty())
            *error += ": " + failure.message;
    }
    return MStatus(MStatus::kFailure);
}

}  // namespace mayasim
