#include <mayasim/CommandEngine.h>

#include <maya/MArgParser.h>
#include <maya/MPxCommand.h>

#include <mayasim/Messages.h>
#include <mayasim/UndoQueue.h>

#include <algorithm>
#include <cctype>
#include <iostream>

#include "BuiltinCommands.h"
#include "CommandAccess.h"
#include "MelInterpreter.h"
#include "SyntaxData.h"

namespace mayasim {

struct CommandEngine::Entry {
    std::string name;
    std::string owner;
    CommandCreator creator = nullptr;
    std::function<MPxCommand*()> factory;
    CommandHandler handler;
    bool hasSyntax = false;
    MSyntax syntax;
};

namespace {

std::string trimmed(const std::string& text) {
    auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The script editor shows every echoed statement terminated.
std::string echoed(const std::string& source) {
    std::string text = trimmed(source);
    if (!text.empty() && text.back() != ';' && text.back() != '}')
        text += ';';
    return text;
}

}  // namespace

CommandEngine& CommandEngine::instance() {
    static CommandEngine engine;
    return engine;
}

CommandEngine::CommandEngine()
    : undoQueue_(std::make_unique<UndoQueue>()), mel_(std::make_unique<MelInterpreter>(*this)) {
    registerBuiltinCommands(*this);
}

CommandEngine::~CommandEngine() = default;

const CommandEngine::Entry* CommandEngine::find(const std::string& name) const {
    for (const auto& entry : entries_) {
        if (entry->name == name)
            return entry.get();
    }
    return nullptr;
}

MStatus CommandEngine::registerCommand(const MString& name, CommandCreator creator,
                                       SyntaxCreator syntax, const MString& owner) {
    if (name.length() == 0 || !creator || find(name.asChar()))
        return MS::kFailure;
    auto entry = std::make_unique<Entry>();
    entry->name = name.asChar();
    entry->owner = owner.asChar();
    entry->creator = creator;
    entry->hasSyntax = syntax != nullptr;
    if (syntax)
        entry->syntax = syntax();
    entries_.push_back(std::move(entry));
    return MS::kSuccess;
}

MStatus CommandEngine::registerHandler(const MString& name, CommandHandler handler,
                                       const MSyntax* syntax, const MString& owner) {
    if (name.length() == 0 || !handler || find(name.asChar()))
        return MS::kFailure;
    auto entry = std::make_unique<Entry>();
    entry->name = name.asChar();
    entry->owner = owner.asChar();
    entry->handler = std::move(handler);
    entry->hasSyntax = syntax != nullptr;
    if (syntax)
        entry->syntax = *syntax;
    entries_.push_back(std::move(entry));
    return MS::kSuccess;
}

MStatus CommandEngine::registerFactory(const MString& name, std::function<MPxCommand*()> factory,
                                       const MSyntax& syntax, const MString& owner) {
    if (name.length() == 0 || !factory || find(name.asChar()))
        return MS::kFailure;
    auto entry = std::make_unique<Entry>();
    entry->name = name.asChar();
    entry->owner = owner.asChar();
    entry->factory = std::move(factory);
    entry->hasSyntax = true;
    entry->syntax = syntax;
    entries_.push_back(std::move(entry));
    return MS::kSuccess;
}

MStatus CommandEngine::deregisterCommand(const MString& name) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& entry) { return entry->name == name.asChar(); });
    if (it == entries_.end())
        return MS::kFailure;
    entries_.erase(it);
    return MS::kSuccess;
}

bool CommandEngine::hasCommand(const MString& name) const {
    return find(name.asChar());
}

std::vector<std::string> CommandEngine::commandNames() const {
    std::vector<std::string> names;
    for (const auto& entry : entries_)
        names.push_back(entry->name);
    return names;
}

std::string CommandEngine::ownerOf(const MString& name) const {
    const Entry* entry = find(name.asChar());
    return entry ? entry->owner : std::string();
}

std::vector<std::string> CommandEngine::commandsOwnedBy(const std::string& owner) const {
    std::vector<std::string> names;
    for (const auto& entry : entries_) {
        if (entry->owner == owner)
            names.push_back(entry->name);
    }
    return names;
}

const MSyntax* CommandEngine::syntaxOf(const MString& name) const {
    const Entry* entry = find(name.asChar());
    return entry && entry->hasSyntax ? &entry->syntax : nullptr;
}

MStatus CommandEngine::executeMel(const MString& source, Value* result, bool displayEnabled,
                                  bool undoEnabled) {
    if (displayEnabled)
        echo(echoed(source.asChar()));
    Value produced;
    MStatus status = mel_->run(source.asChar(), &produced, undoEnabled);
    if (status && displayEnabled && !produced.isNone()) {
        echo("// Result: " + produced.toMel() + " //");
    }
    if (result)
        *result = std::move(produced);
    return status;
}

MStatus CommandEngine::invoke(const MString& name, const MArgList& args, Value* result,
                              bool undoEnabled) {
    // Copy: the command may deregister itself (or its plug-in) while it runs.
    const Entry* found = find(name.asChar());
    if (!found) {
        showMessage("error", std::string("Cannot find procedure \"") + name.asChar() + "\".");
        return MS::kNotFound;
    }
    Entry entry;
    entry.name = found->name;
    entry.owner = found->owner;
    entry.creator = found->creator;
    entry.factory = found->factory;
    entry.handler = found->handler;
    entry.hasSyntax = found->hasSyntax;
    entry.syntax = found->syntax;
    return runEntry(entry, args, result, undoEnabled);
}

MStatus CommandEngine::runEntry(const Entry& entry, const MArgList& args, Value* result,
                                bool undoEnabled) {
    struct RestoreUndoFlag {
        bool& flag;
        bool saved;
        ~RestoreUndoFlag() { flag = saved; }
    } restore{undoEnabledNow_, undoEnabledNow_};
    undoEnabledNow_ = undoEnabled;
    if (entry.handler) {
        if (entry.hasSyntax) {
            MStatus parsed;
            MArgParser check(entry.syntax, args, &parsed);
            if (!parsed)
                return parsed;
        }
        Value produced;
        MStatus status = entry.handler(args, &produced);
        if (result)
            *result = std::move(produced);
        return status;
    }
    std::unique_ptr<MPxCommand> command(entry.factory ? entry.factory()
                                                      : static_cast<MPxCommand*>(entry.creator()));
    if (!command) {
        showMessage("error", "Could not create the command \"" + entry.name + "\".");
        return MS::kFailure;
    }
    CommandAccess::setUp(*command, entry.syntax, MString(entry.name.c_str()));
    if (entry.hasSyntax && command->hasSyntax()) {
        MStatus parsed;
        MArgParser check(entry.syntax, args, &parsed);
        if (!parsed)
            return parsed;
    }
    resultStack_.emplace_back();
    MStatus status = command->doIt(args);
    Value produced = std::move(resultStack_.back());
    resultStack_.pop_back();
    if (result)
        *result = std::move(produced);
    if (status && undoEnabled && command->isUndoable() && undoQueue_->isEnabled()) {
        undoQueue_->push(std::move(command), melCommandLine(entry.name, args), entry.owner);
    }
    return status;
}

void CommandEngine::pushUndoable(MPxCommand* command, const std::string& description) {
    std::unique_ptr<MPxCommand> owned(command);
    std::string owner = ownerOf(command->commandString());
    undoQueue_->push(std::move(owned), description, owner);
}

Value& CommandEngine::currentResult() {
    static Value outsideAnyCommand;
    return resultStack_.empty() ? outsideAnyCommand : resultStack_.back();
}

Value CommandEngine::popResultFrame() {
    Value top = std::move(resultStack_.back());
    resultStack_.pop_back();
    return top;
}

void CommandEngine::setPythonRunner(PythonRunner runner) {
    pythonRunner_ = std::move(runner);
}

MStatus CommandEngine::runPython(const std::string& code, Value* result, bool displayEnabled) {
    if (!pythonRunner_) {
        showMessage("error", "python: no Python interpreter is available");
        return MS::kFailure;
    }
    if (displayEnabled)
        echo(code);
    Value produced;
    MStatus status = pythonRunner_(code, &produced);
    if (status && displayEnabled && !produced.isNone()) {
        echo("# Result: " + produced.toMel() + " #");
    }
    if (result)
        *result = std::move(produced);
    return status;
}

void CommandEngine::setEchoSink(std::function<void(const std::string&)> sink) {
    echoSink_ = std::move(sink);
}

void CommandEngine::setMessageSink(
    std::function<void(const std::string&, const std::string&)> sink) {
    messageSink_ = std::move(sink);
}

void CommandEngine::setOutputSink(std::function<void(const std::string&)> sink) {
    outputSink_ = std::move(sink);
}

void CommandEngine::echo(const std::string& line) {
    if (echoSink_)
        echoSink_(line);
}

void CommandEngine::showMessage(const std::string& kind, const std::string& text) {
    if (kind == "error") {
        for (ErrorCapture* capture : captures_)
            capture->errors_.push_back(text);
    }
    if (messageSink_) {
        messageSink_(kind, text);
        return;
    }
    if (kind == "error") {
        std::cerr << "// Error: " << text << std::endl;
    } else if (kind == "warning") {
        std::cerr << "// Warning: " << text << std::endl;
    } else {
        std::cerr << "// " << text << std::endl;
    }
}

void CommandEngine::print(const std::string& text) {
    if (outputSink_) {
        outputSink_(text);
    } else {
        std::cout << text << std::flush;
    }
}

void CommandEngine::queueOnIdle(const std::string& mel, bool displayEnabled) {
    idleQueue_.emplace_back(mel, displayEnabled);
}

void CommandEngine::runIdle() {
    // Commands queued while these run wait for the next idle, as Maya's do.
    auto queued = std::move(idleQueue_);
    idleQueue_.clear();
    for (const auto& [mel, display] : queued) {
        executeMel(MString(mel.c_str()), nullptr, display, true);
    }
    messages::fireEvent("idle");
}

ErrorCapture::ErrorCapture() {
    CommandEngine::instance().captures_.push_back(this);
}

ErrorCapture::~ErrorCapture() {
    auto& captures = CommandEngine::instance().captures_;
    captures.erase(std::remove(captures.begin(), captures.end(), this), captures.end());
}

std::string melCommandLine(const std::string& name, const MArgList& args) {
    std::string line = name;
    for (const Value& item : ArgListAccess::items(args)) {
        const bool isFlag = item.kind() == Value::Kind::kString && item.asString().size() > 1 &&
                            item.asString()[0] == '-' &&
                            std::isalpha(static_cast<unsigned char>(item.asString()[1]));
        line += " " + (isFlag ? item.asString() : item.toMelLiteral());
    }
    return line + ";";
}

}  // namespace mayasim
