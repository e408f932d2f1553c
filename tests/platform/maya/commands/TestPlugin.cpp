// A small plug-in for the loader tests: a command, a context command with a tool command, a
// UI procedure pair, a node type and an exit callback. It logs into the MEL global string $testLog.

#include <maya/MArgList.h>
#include <maya/MArgParser.h>
#include <maya/MEvent.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxNode.h>
#include <maya/MPxToolCommand.h>
#include <maya/MSceneMessage.h>

namespace {

void log(const char* what) {
    MGlobal::executeCommand(MString("global string $testLog; $testLog += \"") + what + ";\"");
}

int total = 0;

class CountCmd : public MPxCommand {
public:
    static void* creator() { return new CountCmd; }
    MStatus doIt(const MArgList&) override {
        setResult(total);
        return MS::kSuccess;
    }
};

class AddToolCmd : public MPxToolCommand {
public:
    static void* creator() { return new AddToolCmd; }
    bool isUndoable() const override { return true; }
    MStatus doIt(const MArgList& args) override {
        amount_ = args.asInt(1);
        return redoIt();
    }
    MStatus redoIt() override {
        total += amount_;
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        total -= amount_;
        return MS::kSuccess;
    }
    MStatus finalize() override {
        MArgList command;
        command.addArg(MString("-v"));
        command.addArg(amount_);
        return doFinalize(command);
    }
    int amount_ = 0;
};

class AddContext : public MPxContext {
public:
    void toolOnSetup(MEvent&) override { log("setup"); }
    void toolOffCleanup() override { log("cleanup"); }
    MStatus doPress(MEvent&) override {
        auto* command = static_cast<AddToolCmd*>(newToolCommand());
        command->amount_ = limit;
        command->redoIt();
        return command->finalize();
    }
    int limit = 1;
};

class AddContextCmd : public MPxContextCommand {
public:
    static void* creator() { return new AddContextCmd; }
    MPxContext* makeObj() override { return context_ = new AddContext; }
    MStatus appendSyntax() override { return syntax().addFlag("-lim", "-limit", MSyntax::kLong); }
    MStatus doEditFlags() override {
        MArgParser args = parser();
        if (args.isFlagSet("-lim"))
            return args.getFlagArgument("-lim", 0, context_->limit);
        return MS::kSuccess;
    }
    MStatus doQueryFlags() override {
        if (parser().isFlagSet("-lim"))
            setResult(context_->limit);
        return MS::kSuccess;
    }

private:
    AddContext* context_ = nullptr;
};

class TestNode : public MPxNode {
public:
    static void* creator() { return new TestNode; }
    static MStatus initialize() { return MS::kSuccess; }
};

const MTypeId kTestNodeId(0x7f001);

MCallbackId exitHook = 0;

void onExit(void*) {
    log("exit");
}

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Tests", "1.0", "Any");
    MStatus status = plugin.registerCommand("testCount", CountCmd::creator);
    if (!status)
        return status;
    status = plugin.registerContextCommand("testContext", AddContextCmd::creator, "testToolCmd",
                                           AddToolCmd::creator);
    if (!status)
        return status;
    status = plugin.registerUI("python \\\"created()\\\"", "python \"deleted()\"");
    if (!status)
        return status;
    status = plugin.registerNode("testNode", kTestNodeId, TestNode::creator, TestNode::initialize);
    if (!status)
        return status;
    exitHook = MSceneMessage::addCallback(MSceneMessage::kMayaExiting, onExit);
    return MS::kSuccess;
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
    MFnPlugin plugin(obj);
    MMessage::removeCallback(exitHook);
    MStatus status = plugin.deregisterNode(kTestNodeId);
    if (!status)
        return status;
    status = plugin.deregisterContextCommand("testContext", "testToolCmd");
    if (!status)
        return status;
    return plugin.deregisterCommand("testCount");
}
