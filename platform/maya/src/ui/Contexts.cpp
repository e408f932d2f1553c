#include <mayasim/Contexts.h>

#include <maya/MArgParser.h>
#include <maya/MEvent.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxToolCommand.h>
#include <maya/MStringArray.h>

#include <mayasim/Messages.h>
#include <mayasim/Views.h>

#include <algorithm>
#include <memory>

#include "ContextRegistry.h"
#include "UiAccess.h"
#include "dg/Node.h"
#include "openmaya/BuiltinCommands.h"
#include "openmaya/CommandAccess.h"
#include "openmaya/SyntaxData.h"

namespace mayasim::contexts {
namespace {

constexpr const char* kDefaultContext = "selectSuperContext";

struct CommandType {
    std::string name;
    std::string owner;
    std::string toolName;
    CommandCreator creator = nullptr;
    CommandCreator toolCreator = nullptr;
    MSyntax syntax;
};

struct Context {
    std::string name;
    std::string command;
    std::unique_ptr<MPxContext> context;
    std::unique_ptr<MPxContextCommand> maker;
};

struct PendingTool {
    MPxToolCommand* command;
    std::string owner;
};

struct Registry {
    Registry() {
        for (const char* name : {"selectSuperContext", "moveSuperContext", "RotateSuperContext",
                                 "scaleSuperContext", "jointContext"}) {
            auto context = std::make_unique<MPxContext>();
            ContextAccess::setName(*context, name);
            contexts.push_back({name, "", std::move(context), nullptr});
        }
    }
    std::vector<CommandType> types;
    std::vector<Context> contexts;
    std::string current = kDefaultContext;
    std::vector<PendingTool> pending;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

CommandEngine& engine() {
    return CommandEngine::instance();
}

CommandType* findType(const std::string& name) {
    for (auto& type : registry().types) {
        if (type.name == name)
            return &type;
    }
    return nullptr;
}

Context* findContext(const std::string& name) {
    for (auto& context : registry().contexts) {
        if (context.name == name)
            return &context;
    }
    return nullptr;
}

const Context* contextOf(const MPxContext& context) {
    for (const auto& entry : registry().contexts) {
        if (entry.context.get() == &context)
            return &entry;
    }
    return nullptr;
}

// The flags every context command has besides its own.
MSyntax baseSyntax() {
    MSyntax syntax;
    syntax.enableQuery();
    syntax.enableEdit();
    syntax.addFlag("-i1", "-image1", MSyntax::kString);
    syntax.addFlag("-i2", "-image2", MSyntax::kString);
    syntax.addFlag("-i3", "-image3", MSyntax::kString);
    syntax.addFlag("-ex", "-exists");
    syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
    return syntax;
}

std::string nextName(const std::string& command) {
    for (int n = 1;; ++n) {
        std::string name = command + std::to_string(n);
        if (!findContext(name))
            return name;
    }
}

constexpr const char* kImageFlags[] = {"-i1", "-i2", "-i3"};

void applyImages(MPxContext& context, const MArgParser& parser) {
    const char* const* flags = kImageFlags;
    for (int i = 0; i < 3; ++i) {
        MString image;
        if (parser.isFlagSet(flags[i]) && parser.getFlagArgument(flags[i], 0, image)) {
            context.setImage(image, static_cast<MPxContext::ImageIndex>(i));
        }
    }
}

// The image flag a query asks for, -1 for none.
int queriedImage(const MArgParser& parser) {
    for (int i = 0; i < 3; ++i) {
        if (parser.isFlagSet(kImageFlags[i]))
            return i;
    }
    return -1;
}

MStatus editOrQuery(const std::string& command, const MArgParser& parser, const std::string& name,
                    Value* result) {
    Context* context = findContext(name);
    if (!context || context->command != command) {
        MGlobal::displayError(MString(command.c_str()) + ": context \"" + name.c_str() +
                              "\" not found.");
        return MS::kNotFound;
    }
    ContextCommandAccess::setParser(*context->maker, parser);
    engine().pushResultFrame();
    MStatus status;
    const int image = queriedImage(parser);
    if (parser.isQuery() && image >= 0) {
        engine().currentResult() =
            Value(context->context->image(static_cast<MPxContext::ImageIndex>(image)).asChar());
    } else if (parser.isQuery()) {
        status = context->maker->doQueryFlags();
    } else {
        applyImages(*context->context, parser);
        status = context->maker->doEditFlags();
    }
    Value produced = engine().popResultFrame();
    if (result)
        *result = std::move(produced);
    return status;
}

MStatus create(const CommandType& type, const MArgParser& parser, const std::string& given,
               Value* result) {
    const std::string name = given.empty() ? nextName(type.name) : given;
    if (findContext(name)) {
        MGlobal::displayError(MString("Context \"") + name.c_str() + "\" already exists.");
        return MS::kInvalidParameter;
    }
    std::unique_ptr<MPxContextCommand> maker(static_cast<MPxContextCommand*>(type.creator()));
    if (!maker)
        return MS::kFailure;
    ContextCommandAccess::setSyntax(*maker, type.syntax);
    ContextCommandAccess::setParser(*maker, parser);
    std::unique_ptr<MPxContext> context(maker->makeObj());
    if (!context) {
        MGlobal::displayError(MString(type.name.c_str()) + ": the context could not be made.");
        return MS::kFailure;
    }
    ContextAccess::setName(*context, name.c_str());
    applyImages(*context, parser);
    MPxContextCommand* editor = maker.get();
    registry().contexts.push_back({name, type.name, std::move(context), std::move(maker)});
    engine().pushResultFrame();
    MStatus status = editor->doEditFlags();
    engine().popResultFrame();
    if (!status) {
        auto& all = registry().contexts;
        all.erase(std::remove_if(all.begin(), all.end(),
                                 [&](const Context& c) { return c.name == name; }),
                  all.end());
        return status;
    }
    if (result)
        *result = Value(name);
    return MS::kSuccess;
}

CommandHandler handlerFor(const std::string& command) {
    return [command](const MArgList& args, Value* result) -> MStatus {
        const CommandType* type = findType(command);
        if (!type)
            return MS::kFailure;
        MStatus status;
        MArgParser parser(type->syntax, args, &status);
        if (!status)
            return status;
        MStringArray objects;
        parser.getObjects(objects);
        const std::string name = objects.length() ? objects[0].asChar() : "";
        if (parser.isFlagSet("-ex")) {
            const Context* context = findContext(name);
            if (result)
                *result = Value(context != nullptr && context->command == command);
            return MS::kSuccess;
        }
        if (parser.isQuery() || parser.isEdit()) {
            if (name.empty()) {
                MGlobal::displayError(MString(command.c_str()) +
                                      ": name the context to query or edit.");
                return MS::kInvalidParameter;
            }
            return editOrQuery(command, parser, name, result);
        }
        return create(*type, parser, name, result);
    };
}

void switchTo(Context& next) {
    Registry& r = registry();
    if (r.current == next.name)
        return;
    // A drag under way ends with the old tool: its release must not reach the new one.
    views::endGestures();
    if (Context* old = findContext(r.current)) {
        old->context->toolOffCleanup();
        // Maya takes down what the old tool left in the view.
        old->context->MPxContext::deleteManipulators();
    }
    r.current = next.name;
    MEvent event;
    next.context->toolOnSetup(event);
    messages::fireEvent("ToolChanged");
    messages::fireEvent("PostToolChanged");
}

class SetToolToCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addArg(MSyntax::kString);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override { return setToolTo(args.asString(0).asChar()); }
};

class CurrentCtxCmd : public MPxCommand {
public:
    MStatus doIt(const MArgList&) override {
        setResult(MString(registry().current.c_str()));
        return MS::kSuccess;
    }
};

class ContextInfoCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery();
        syntax.addFlag("-ex", "-exists");
        syntax.addFlag("-c", "-class");
        syntax.addFlag("-t", "-title");
        syntax.addFlag("-i1", "-image1");
        syntax.addFlag("-i2", "-image2");
        syntax.addFlag("-i3", "-image3");
        syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgParser parser(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray objects;
        parser.getObjects(objects);
        const Context* context = findContext(objects[0].asChar());
        if (parser.isFlagSet("-ex")) {
            setResult(context != nullptr);
            return MS::kSuccess;
        }
        if (!context) {
            displayError("contextInfo: context \"" + objects[0] + "\" not found.");
            return MS::kNotFound;
        }
        if (parser.isFlagSet("-c")) {
            MString className;
            context->context->getClassName(className);
            setResult(className);
        }
        if (parser.isFlagSet("-t"))
            setResult(ContextAccess::title(*context->context));
        const int image = queriedImage(parser);
        if (image >= 0)
            setResult(context->context->image(static_cast<MPxContext::ImageIndex>(image)));
        return MS::kSuccess;
    }
};

}  // namespace

MStatus registerContextCommand(const MString& name, CommandCreator creator,
                               const MString& toolCommandName, CommandCreator toolCreator,
                               SyntaxCreator toolSyntax, const MString& owner) {
    if (!creator || findType(name.asChar()) || engine().hasCommand(name))
        return MS::kFailure;
    const bool hasTool = toolCommandName.length() > 0;
    if (hasTool && (!toolCreator || engine().hasCommand(toolCommandName)))
        return MS::kFailure;

    CommandType type;
    type.name = name.asChar();
    type.owner = owner.asChar();
    type.toolName = toolCommandName.asChar();
    type.creator = creator;
    type.toolCreator = toolCreator;
    type.syntax = baseSyntax();
    {
        std::unique_ptr<MPxContextCommand> probe(static_cast<MPxContextCommand*>(creator()));
        if (!probe)
            return MS::kFailure;
        ContextCommandAccess::setSyntax(*probe, type.syntax);
        MStatus appended = probe->appendSyntax();
        if (!appended)
            return appended;
    }
    MStatus status = engine().registerHandler(name, handlerFor(type.name), &type.syntax, owner);
    if (!status)
        return status;
    if (hasTool) {
        status = engine().registerCommand(toolCommandName, toolCreator, toolSyntax, owner);
        if (!status) {
            engine().deregisterCommand(name);
            return status;
        }
    }
    registry().types.push_back(std::move(type));
    return MS::kSuccess;
}

MStatus deregisterContextCommand(const MString& name, const MString& toolCommandName) {
    CommandType* type = findType(name.asChar());
    if (!type || (toolCommandName.length() && type->toolName != toolCommandName.asChar())) {
        return MS::kFailure;
    }
    Registry& r = registry();
    if (Context* current = findContext(r.current); current && current->command == type->name) {
        switchTo(*findContext(kDefaultContext));
    }
    // Taken out of the registry before deletion: destructors may look contexts up.
    std::vector<Context> doomed;
    for (auto it = r.contexts.begin(); it != r.contexts.end();) {
        if (it->command == type->name) {
            doomed.push_back(std::move(*it));
            it = r.contexts.erase(it);
        } else {
            ++it;
        }
    }
    doomed.clear();
    engine().deregisterCommand(name);
    // As in Maya, the tool command goes only when it is named; otherwise it stays registered
    // (and a later registration of the same pair fails on it).
    if (toolCommandName.length())
        engine().deregisterCommand(toolCommandName);
    r.types.erase(r.types.begin() + (type - r.types.data()));
    return MS::kSuccess;
}

MStatus setToolTo(const std::string& name) {
    Context* next = findContext(name);
    if (!next) {
        MGlobal::displayError(MString("setToolTo: context \"") + name.c_str() + "\" not found.");
        return MS::kNotFound;
    }
    switchTo(*next);
    return MS::kSuccess;
}

std::string currentName() {
    return registry().current;
}

MPxContext* current() {
    Context* context = findContext(registry().current);
    return context ? context->context.get() : nullptr;
}

MPxContext* find(const std::string& name) {
    Context* context = findContext(name);
    return context ? context->context.get() : nullptr;
}

std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const auto& context : registry().contexts)
        out.push_back(context.name);
    return out;
}

std::string commandOf(const std::string& name) {
    Context* context = findContext(name);
    return context ? context->command : std::string();
}

ContextState describe(const std::string& name) {
    ContextState state;
    const Context* entry = findContext(name);
    if (!entry)
        return state;
    const MPxContext& context = *entry->context;
    state.name = name;
    state.command = entry->command;
    state.title = ContextAccess::title(context).asChar();
    state.help = ContextAccess::help(context).asChar();
    MString className;
    context.getClassName(className);
    state.className = className.asChar();
    for (int i = 0; i < 3; ++i)
        state.images[i] = context.image(static_cast<MPxContext::ImageIndex>(i)).asChar();
    state.cursor = CursorAccess::describe(ContextAccess::cursor(context));
    for (const MObject& manipulator : ContextAccess::manipulators(context))
        state.manipulators.emplace_back(MFnDependencyNode(manipulator).name().asChar());
    return state;
}

std::vector<MObject> currentManipulators() {
    MPxContext* context = current();
    return context ? ContextAccess::manipulators(*context) : std::vector<MObject>();
}

void deletePendingToolCommands(const std::string& owner) {
    std::vector<MPxToolCommand*> doomed;
    for (const auto& pending : registry().pending) {
        if (pending.owner == owner)
            doomed.push_back(pending.command);
    }
    for (MPxToolCommand* command : doomed)
        delete command;
}

MPxToolCommand* newToolCommandFor(const MPxContext& context) {
    const Context* entry = contextOf(context);
    const CommandType* type = entry ? findType(entry->command) : nullptr;
    if (!type || !type->toolCreator)
        return nullptr;
    auto* command = static_cast<MPxToolCommand*>(type->toolCreator());
    if (!command)
        return nullptr;
    const MSyntax* syntax = engine().syntaxOf(type->toolName.c_str());
    CommandAccess::setUp(*command, syntax ? *syntax : MSyntax(), type->toolName.c_str());
    registry().pending.push_back({command, type->owner});
    return command;
}

void deleteManipulator(const MObject& manipulator) {
    // The scene may have gone first (file -new, exit).
    const Node* inner = nodeOf(manipulator);
    if (!inner || !inner->inScene)
        return;
    MFnDependencyNode node(manipulator);
    engine().executeMel("delete " + MString(quoteMel(node.name().asChar()).c_str()), nullptr, false,
                        false);
}

void forgetToolCommand(const MPxToolCommand* command) {
    auto& pending = registry().pending;
    pending.erase(std::remove_if(pending.begin(), pending.end(),
                                 [&](const PendingTool& p) { return p.command == command; }),
                  pending.end());
}

}  // namespace mayasim::contexts

namespace mayasim {

void registerContextCommands(CommandEngine& engine) {
    engine.registerCommand("setToolTo", createCommand<contexts::SetToolToCmd>,
                           contexts::SetToolToCmd::newSyntax, "");
    engine.registerCommand("currentCtx", createCommand<contexts::CurrentCtxCmd>, nullptr, "");
    engine.registerCommand("contextInfo", createCommand<contexts::ContextInfoCmd>,
                           contexts::ContextInfoCmd::newSyntax, "");
}

}  // namespace mayasim
