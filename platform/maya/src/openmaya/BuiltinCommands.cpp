#include "BuiltinCommands.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/DgCommands.h>
#include <mayasim/UndoQueue.h>

#include "FileCommand.h"
#include "MessageCommands.h"
#include "PreferenceCommands.h"
#include "SyntaxData.h"
#include "UndoCommands.h"

namespace mayasim {
namespace {

CommandEngine& engine() {
    return CommandEngine::instance();
}

void setResultValue(Value value) {
    engine().currentResult() = std::move(value);
}

std::string joinedArgs(const MArgList& args) {
    std::string text;
    for (const Value& item : ArgListAccess::items(args)) {
        if (!text.empty())
            text += " ";
        text += item.asString();
    }
    return text;
}

class PythonCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addArg(MSyntax::kString);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        Value result;
        MStatus status = engine().runPython(args.asString(0).asChar(), &result, false);
        if (status)
            setResultValue(std::move(result));
        return status;
    }
};

class PrintCmd : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        for (const Value& item : ArgListAccess::items(args)) {
            if (item.isArray()) {
                for (const auto& text : item.asStringArray())
                    engine().print(text + "\n");
            } else {
                engine().print(item.asString());
            }
        }
        return MS::kSuccess;
    }
};

class EvalCmd : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        Value result;
        MStatus status = engine().executeMel(MString(joinedArgs(args).c_str()), &result, false,
                                             engine().undoEnabledNow());
        if (status)
            setResultValue(std::move(result));
        return status;
    }
};

class EvalDeferredCmd : public MPxCommand {
public:
    MStatus doIt(const MArgList& args) override {
        engine().queueOnIdle(joinedArgs(args), false);
        return MS::kSuccess;
    }
};

class AboutCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-v", "-version");
        syntax.addFlag("-api", "-apiVersion");
        syntax.addFlag("-b", "-batch");
        syntax.addFlag("-os", "-operatingSystem");
        syntax.addFlag("-p", "-product");
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        if (db.isFlagSet("-v"))
            setResult(MGlobal::mayaVersion());
        if (db.isFlagSet("-api"))
            setResult(MGlobal::apiVersion());
        if (db.isFlagSet("-b"))
            setResult(MGlobal::mayaState() == MGlobal::kBatch);
        if (db.isFlagSet("-os"))
            setResult("linux64");
        if (db.isFlagSet("-p"))
            setResult("Maya 2012");
        return MS::kSuccess;
    }
};

class ExistsCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addArg(MSyntax::kString);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        setResult(engine().hasCommand(args.asString(0)));
        return MS::kSuccess;
    }
};

}  // namespace

void registerBuiltinCommands(CommandEngine& engine) {
    engine.registerCommand("python", createCommand<PythonCmd>, PythonCmd::newSyntax, "");
    engine.registerCommand("print", createCommand<PrintCmd>, nullptr, "");
    engine.registerCommand("eval", createCommand<EvalCmd>, nullptr, "");
    engine.registerCommand("evalDeferred", createCommand<EvalDeferredCmd>, nullptr, "");
    engine.registerCommand("about", createCommand<AboutCmd>, AboutCmd::newSyntax, "");
    engine.registerCommand("exists", createCommand<ExistsCmd>, ExistsCmd::newSyntax, "");
    registerUndoCommands(engine);
    registerPreferenceCommands(engine);
    registerFileCommand(engine);
    registerMessageCommands(engine);
    registerPluginCommands(engine);
    registerContextCommands(engine);
    registerUiStateCommands(engine);
    registerSceneCommands(engine);
}

}  // namespace mayasim
