// The embedded Python interpreter of the host: `maya.cmds`, `maya.mel`, and the command
// engine's Python runner (MEL `python`, MGlobal::executePythonCommand).
#pragma once

#include <maya/MStatus.h>

#include <mayasim/Value.h>

#include <string>
#include <utility>
#include <vector>

struct _object;

namespace mayasim {

//! Owns the process's one interpreter from start() to stop() (or destruction).
//! All Python runs on the thread that started it.
class PythonHost {
public:
    using ModuleInit = _object* (*)();
    struct Options {
        //! Folders put first on sys.path (the staged companion scripts).
        std::vector<std::string> modulePaths;
        //! Extension modules compiled into the host, importable by name (e.g. "vxsim").
        //! The names must outlive the interpreter: pass string literals.
        std::vector<std::pair<const char*, ModuleInit>> builtinModules;
    };

    PythonHost() = default;
    PythonHost(const PythonHost&) = delete;
    PythonHost& operator=(const PythonHost&) = delete;
    ~PythonHost();

    //! Starts the interpreter and installs the command engine's Python runner. Fails when an
    //! interpreter is already running in this process.
    MStatus start(const Options& options);
    //! Removes the runner and finalizes the interpreter; a no-op when not started.
    void stop();
    bool isRunning() const { return running_; }

    //! Runs a script file in __main__ with __file__ set, as `python FILE` would. When it
    //! raises, returns a failure and sets `error` to "FILE:LINE: Type: message", LINE being the
    //! script's own line that the failure passed through. SystemExit(0) is success.
    MStatus runFile(const std::string& path, std::string* error);

    //! Runs code in __main__: the value of a lone expression, or of the last statement of a
    //! one-line script when that is an expression, goes to `result` (kNone otherwise). When it
    //! raises, returns a failure and sets `error` to "Type: file <maya console> line N: message",
    //! as Maya's script editor shows it.
    MStatus runCode(const std::string& code, Value* result, std::string* error);

private:
    bool running_ = false;
};

}  // namespace mayasim
