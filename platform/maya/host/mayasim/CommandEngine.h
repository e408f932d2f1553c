#pragma once
// The host's command core: the registered commands, MEL execution, the undo queue, the
// echo (journal) and message sinks, and the work deferred to idle time.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

#include <mayasim/Value.h>

class MPxCommand;

namespace mayasim {

using CommandCreator = void* (*)();   // MCreatorFunction
using SyntaxCreator = MSyntax (*)();  // MCreateSyntaxFunction

// A command implemented by the host itself rather than by an MPxCommand instance (context
// commands, for one): it receives the arguments and fills the result.
using CommandHandler = std::function<MStatus(const MArgList& args, Value* result)>;

// One flag of a syntax, as maya.cmds maps keywords to flags. Names carry their leading '-'.
struct SyntaxFlag {
    std::string shortName;
    std::string longName;
    std::vector<MSyntax::MArgType> argTypes;
    bool multiUse = false;
};
std::vector<SyntaxFlag> syntaxFlags(const MSyntax& syntax);
bool syntaxEnablesQuery(const MSyntax& syntax);
bool syntaxEnablesEdit(const MSyntax& syntax);

class UndoQueue;
class MelInterpreter;

class CommandEngine {
public:
    static CommandEngine& instance();
    CommandEngine(const CommandEngine&) = delete;
    CommandEngine& operator=(const CommandEngine&) = delete;

    // Registered commands (built-ins of the host and plug-ins' commands alike).
    MStatus registerCommand(const MString& name, CommandCreator creator, SyntaxCreator syntax,
                            const MString& owner);
    MStatus registerHandler(const MString& name, CommandHandler handler, const MSyntax* syntax,
                            const MString& owner);
    // A command whose instances a closure makes (the host's table-declared commands).
    MStatus registerFactory(const MString& name, std::function<MPxCommand*()> factory,
                            const MSyntax& syntax, const MString& owner);
    MStatus deregisterCommand(const MString& name);
    bool hasCommand(const MString& name) const;
    std::vector<std::string> commandNames() const;
    // The plug-in that registered a command ("" for the host's own).
    std::string ownerOf(const MString& name) const;
    std::vector<std::string> commandsOwnedBy(const std::string& owner) const;
    // The syntax a command declares (null if it has none), so maya.cmds maps keywords to flags.
    const MSyntax* syntaxOf(const MString& name) const;

    // Runs MEL source (one or more statements). `result` receives the value of the last
    // command. A syntax error reports what and where and runs nothing of the source.
    MStatus executeMel(const MString& source, Value* result, bool displayEnabled, bool undoEnabled);
    // Runs one registered command with an argument list (the maya.cmds path).
    MStatus invoke(const MString& name, const MArgList& args, Value* result, bool undoEnabled);

    // Python: the host installs a runner; MEL's `python` and MGlobal::executePythonCommand use it.
    using PythonRunner = std::function<MStatus(const std::string& code, Value* result)>;
    void setPythonRunner(PythonRunner runner);
    bool hasPythonRunner() const { return static_cast<bool>(pythonRunner_); }
    MStatus runPython(const std::string& code, Value* result, bool displayEnabled);

    // Echo of commands run with display on (the journal), user messages, and the text MEL's
    // `print` writes. Without a sink the echo is dropped, messages go to the standard error
    // stream as "// Error: ..." and printed text to the standard output.
    void setEchoSink(std::function<void(const std::string& line)> sink);
    void setMessageSink(std::function<void(const std::string& kind, const std::string& text)> sink);
    void setOutputSink(std::function<void(const std::string& text)> sink);
    void echo(const std::string& line);
    // kind is "error", "warning" or "info".
    void showMessage(const std::string& kind, const std::string& text);
    void print(const std::string& text);

    // Idle: runs executeCommandOnIdle commands queued so far, then fires the "idle" event.
    void runIdle();
    void queueOnIdle(const std::string& mel, bool displayEnabled);

    UndoQueue& undoQueue() { return *undoQueue_; }
    // Takes a finished undoable command (a finalized tool command) onto the undo queue.
    void pushUndoable(MPxCommand* command, const std::string& description);

    // The result of the command running now; commands run inside commands get their own.
    Value& currentResult();
    // Brackets code that sets a result the way commands do (MPxContextCommand::setResult).
    void pushResultFrame() { resultStack_.emplace_back(); }
    Value popResultFrame();
    // Whether the command running now was invoked with undo on (so what it runs may be too).
    bool undoEnabledNow() const { return undoEnabledNow_; }

    MelInterpreter& mel() { return *mel_; }

private:
    CommandEngine();
    ~CommandEngine();

    struct Entry;
    struct Frame;
    const Entry* find(const std::string& name) const;
    MStatus runEntry(const Entry& entry, const MArgList& args, Value* result, bool undoEnabled);

    std::vector<std::unique_ptr<Entry>> entries_;
    std::vector<Value> resultStack_;
    bool undoEnabledNow_ = false;
    std::unique_ptr<UndoQueue> undoQueue_;
    std::unique_ptr<MelInterpreter> mel_;
    PythonRunner pythonRunner_;
    std::function<void(const std::string&)> echoSink_;
    std::function<void(const std::string&, const std::string&)> messageSink_;
    std::function<void(const std::string&)> outputSink_;
    std::vector<std::pair<std::string, bool>> idleQueue_;

    friend class ErrorCapture;
    std::vector<class ErrorCapture*> captures_;
};

// Collects the errors shown while it lives (the maya.cmds path turns them into exceptions).
class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;
    const std::vector<std::string>& errors() const { return errors_; }
    std::string last() const { return errors_.empty() ? std::string() : errors_.back(); }

private:
    friend class CommandEngine;
    std::vector<std::string> errors_;
};

// Formats an argument list as the MEL command line that would produce it.
std::string melCommandLine(const std::string& name, const MArgList& args);

}  // namespace mayasim
