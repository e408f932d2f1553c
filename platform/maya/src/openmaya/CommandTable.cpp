#include "openmaya/CommandTable.h"

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/UndoQueue.h>

#include "CommandAccess.h"

#include "SyntaxData.h"

namespace mayasim {

namespace {

// One run of a table row. The log is the command's undo record.
class TableCommand : public MPxCommand {
public:
    explicit TableCommand(const CommandSpec& spec) : spec_(spec) {}

    MStatus doIt(const MArgList& argList) override {
        MStatus status;
        MArgDatabase db(syntax(), argList, &status);
        if (!status)
            return status;
        CommandCall call(db, log_, spec_.name);
        status = spec_.body(call);
        if (!status) {
            // A failing handler leaves the scene as it found it.
            log_.undo();
            log_.clear();
        }
        return status;
    }
    MStatus undoIt() override {
        log_.undo();
        return MStatus::kSuccess;
    }
    MStatus redoIt() override {
        log_.redo();
        return MStatus::kSuccess;
    }
    bool isUndoable() const override { return !log_.empty(); }
    bool hasSyntax() const override { return true; }

private:
    const CommandSpec& spec_;
    EditLog log_;
};

// Edits made outside a command run, kept for undo.
class LoggedCommand : public MPxCommand {
public:
    explicit LoggedCommand(EditLog&& log) : log_(std::move(log)) {}
    MStatus undoIt() override {
        log_.undo();
        return MStatus::kSuccess;
    }
    MStatus redoIt() override {
        log_.redo();
        return MStatus::kSuccess;
    }
    bool isUndoable() const override { return true; }

private:
    EditLog log_;
};

}  // namespace

void pushLoggedEdits(const char* name, const std::string& commandLine, EditLog&& log) {
    UndoQueue& queue = CommandEngine::instance().undoQueue();
    if (log.empty() || !queue.isEnabled())
        return;
    auto command = std::make_unique<LoggedCommand>(std::move(log));
    CommandAccess::setUp(*command, MSyntax(), MString(name));
    queue.push(std::move(command), commandLine, "");
}

MStatus CommandCall::flagArgument(const char* flag, unsigned int use, unsigned int index,
                                  MArgList& list) const {
    if (!args_.isFlagSet(flag))
        return MStatus::kNotFound;
    MStatus status = args_.getFlagArgumentList(flag, use, list);
    if (status && index >= list.length())
        return MStatus::kInvalidParameter;
    return status;
}

double CommandCall::number(const char* flag, double fallback, unsigned int index,
                           unsigned int use) const {
    MArgList list;
    if (!flagArgument(flag, use, index, list))
        return fallback;
    MStatus status;
    const double value = list.asDouble(index, &status);
    return status ? value : fallback;
}

int CommandCall::integer(const char* flag, int fallback, unsigned int index,
                         unsigned int use) const {
    MArgList list;
    if (!flagArgument(flag, use, index, list))
        return fallback;
    MStatus status;
    const int value = list.asInt(index, &status);
    return status ? value : fallback;
}

bool CommandCall::boolean(const char* flag, bool fallback, unsigned int index,
                          unsigned int use) const {
    MArgList list;
    if (!flagArgument(flag, use, index, list))
        return fallback;
    MStatus status;
    const bool value = list.asBool(index, &status);
    return status ? value : fallback;
}

std::string CommandCall::text(const char* flag, const std::string& fallback, unsigned int index,
                              unsigned int use) const {
    MArgList list;
    if (!flagArgument(flag, use, index, list))
        return fallback;
    MStatus status;
    const MString value = list.asString(index, &status);
    return status ? std::string(value.asChar()) : fallback;
}

MVector CommandCall::vector(const char* flag, const MVector& fallback, unsigned int use) const {
    if (!args_.isFlagSet(flag))
        return fallback;
    return MVector(number(flag, fallback.x, 0, use), number(flag, fallback.y, 1, use),
                   number(flag, fallback.z, 2, use));
}

std::vector<std::string> CommandCall::texts(const char* flag) const {
    std::vector<std::string> values;
    for (unsigned int use = 0; use < uses(flag); ++use)
        values.push_back(text(flag, std::string(), 0, use));
    return values;
}

std::vector<std::string> CommandCall::objects() const {
    MStringArray names;
    args_.getObjects(names);
    std::vector<std::string> out;
    out.reserve(names.length());
    for (unsigned int i = 0; i < names.length(); ++i)
        out.push_back(names[i].asChar());
    return out;
}

MStatus CommandCall::fail(const std::string& message) {
    return fail(message, MStatus::kFailure);
}

MStatus CommandCall::fail(const std::string& message, MStatus status) {
    log_.undo();
    log_.clear();
    MPxCommand::displayError(MString(message.c_str()));
    return status;
}

void CommandCall::warn(const std::string& message) const {
    MPxCommand::displayWarning(MString(message.c_str()));
}

MSyntax syntaxOf(const CommandSpec& spec) {
    MSyntax syntax;
    if (spec.query)
        syntax.enableQuery();
    if (spec.edit)
        syntax.enableEdit();
    for (const FlagSpec& flag : spec.flags) {
        MSyntax::MArgType types[6] = {MSyntax::kNoArg, MSyntax::kNoArg, MSyntax::kNoArg,
                                      MSyntax::kNoArg, MSyntax::kNoArg, MSyntax::kNoArg};
        for (size_t i = 0; i < flag.args.size() && i < 6; ++i)
            types[i] = flag.args[i];
        if (!syntax.addFlag(flag.shortName, flag.longName, types[0], types[1], types[2], types[3],
                            types[4], types[5])) {
            continue;
        }
        // MSyntax::addFlag stops at six arguments; Maya's own commands take more (xform -m).
        auto& declared = SyntaxAccess::data(syntax).flags.back().types;
        for (size_t i = declared.size(); i < flag.args.size(); ++i)
            declared.push_back(flag.args[i]);
        if (flag.multiUse)
            syntax.makeFlagMultiUse(flag.shortName);
        if (flag.queryWithArgs)
            syntax.makeFlagQueryWithFullArgs(flag.shortName, false);
    }
    if (spec.objectSpec.format != MSyntax::kNone) {
        syntax.setObjectType(spec.objectSpec.format, spec.objectSpec.min, spec.objectSpec.max);
        syntax.useSelectionAsDefault(spec.objectSpec.selectionAsDefault);
    }
    return syntax;
}

void registerCommandTable(CommandEngine& engine, const CommandSpec* begin, const CommandSpec* end) {
    for (const CommandSpec* spec = begin; spec != end; ++spec) {
        engine.registerFactory(
            spec->name, [spec]() -> MPxCommand* { return new TableCommand(*spec); },
            syntaxOf(*spec), "");
    }
}

}  // namespace mayasim
