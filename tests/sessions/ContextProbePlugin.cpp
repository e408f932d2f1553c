// A plug-in with one tool that records what reaches it, so sessions can see what the host
// gives the current tool:
// - "probeContext" makes the context; its flag -mode ("Drag" or "Marquee") is edited and
//   queried like a stylus tool's keyword flags;
// - "probeEvents" returns and clears the record: "press x y left|middle [shift] [ctrl]
//   [double]" (double: within the double-click time of the previous left press), "drag ...",
//   "release ...", "dblclk" (the view window got WM_LBUTTONDBLCLK), "complete", "delete",
//   "abort", "setup", "cleanup";
// - a left-button drag moves the selected transforms through the undoable tool command
//   "probeMoveCmd -t x y z" (0.1 units per pixel), created at the press, re-applied on every
//   drag and finalized at the release; a tool change mid-drag finalizes it too.
#include <maya/M3dView.h>
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MCursor.h>
#include <maya/MDagPath.h>
#include <maya/MEvent.h>
#include <maya/MFnPlugin.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MItSelectionList.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MPxManipContainer.h>
#include <maya/MPxToolCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MToolsInfo.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const MTypeId kManipId(0x7f101);

std::vector<std::string>& recordedEvents() {
    static std::vector<std::string> events;
    return events;
}

void record(const std::string& what) {
    recordedEvents().push_back(what);
}

std::string describe(const char* what, MEvent& event) {
    short x = 0;
    short y = 0;
    event.getPosition(x, y);
    std::string text = std::string(what) + " " + std::to_string(x) + " " + std::to_string(y);
    text += event.mouseButton() == MEvent::kLeftMouse ? " left" : " middle";
    if (event.isModifierShift())
        text += " shift";
    if (event.isModifierControl())
        text += " ctrl";
    return text;
}

// The view window's double clicks, seen the way the stylus tools' window hook sees them.
WNDPROC gPreviousProc = nullptr;
HWND gHookedWindow = nullptr;

LRESULT CALLBACK viewHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK)
        record("dblclk");
    return CallWindowProcA(gPreviousProc, window, message, wParam, lParam);
}

void hookView() {
    M3dView view = M3dView::active3dView();
    gHookedWindow = view.window();
    if (gHookedWindow)
        gPreviousProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(gHookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&viewHook)));
}

void unhookView() {
    if (gHookedWindow && IsWindow(gHookedWindow))
        SetWindowLongPtrA(gHookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPreviousProc));
    gHookedWindow = nullptr;
}

class ProbeManip : public MPxManipContainer {
public:
    static void* creator() { return new ProbeManip; }
};

class ProbeMoveCmd : public MPxToolCommand {
public:
    static void* creator() { return new ProbeMoveCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-t", "-translate", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        return syntax;
    }

    void setTranslation(const MVector& offset) { offset_ = offset; }
    // Whether the last application moved something: only then is the gesture worth keeping.
    bool moved() const { return offset_ != MVector::zero && applied_; }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        for (unsigned int i = 0; i < 3 && db.isFlagSet("-t"); ++i) {
            status = db.getFlagArgument("-t", i, offset_[i]);
            if (!status)
                return status;
        }
        return redoIt();
    }

    // Every selected transform moves; if one refuses (a locked channel), those moved go back.
    MStatus redoIt() override {
        saved_.clear();
        applied_ = false;
        MSelectionList selection;
        MGlobal::getActiveSelectionList(selection);
        for (MItSelectionList it(selection); !it.isDone(); it.next()) {
            MDagPath path;
            MStatus status;
            it.getDagPath(path);
            MFnTransform fn(path, &status);
            if (!status)
                continue;
            const MVector before = fn.getTranslation(MSpace::kTransform);
            status = fn.translateBy(offset_, MSpace::kWorld);
            if (!status) {
                undoIt();
                return status;
            }
            saved_.emplace_back(path, before);
        }
        applied_ = true;
        return MS::kSuccess;
    }

    MStatus undoIt() override {
        for (auto& [path, translation] : saved_)
            MFnTransform(path).setTranslation(translation, MSpace::kTransform);
        saved_.clear();
        return MS::kSuccess;
    }

    bool isUndoable() const override { return true; }

    MStatus finalize() override {
        MArgList command;
        command.addArg(commandString());
        command.addArg(MString("-t"));
        for (unsigned int i = 0; i < 3; ++i)
            command.addArg(offset_[i]);
        return doFinalize(command);
    }

private:
    MVector offset_;
    bool applied_ = false;
    std::vector<std::pair<MDagPath, MVector>> saved_;
};

class ProbeContext : public MPxContext {
public:
    ProbeContext() {
        setTitleString("Probe Tool");
        setImage("probeTool.png", MPxContext::kImage1);
    }

    std::string mode = "Drag";

    void toolOnSetup(MEvent&) override {
        record("setup");
        setHelpString("Drag to move the selection.");
        static unsigned char blank[32] = {};
        static const MCursor invisible(16, 16, 1, 16, blank, blank);
        setCursor(invisible);
        MObject manip;
        MPxManipContainer::newManipulator("probeManip", manip);
        addManipulator(manip);
        hookView();
    }

    void toolOffCleanup() override {
        record("cleanup");
        endGesture();
        unhookView();
    }

    MStatus doPress(MEvent& event) override {
        std::string text = describe("press", event);
        if (event.mouseButton() == MEvent::kLeftMouse) {
            const DWORD now = GetTickCount();
            if (static_cast<int>(now - lastPress_) <= static_cast<int>(GetDoubleClickTime()))
                text += " double";
            lastPress_ = now;
            event.getPosition(pressX_, pressY_);
            command_ = static_cast<ProbeMoveCmd*>(newToolCommand());
        }
        record(text);
        return MS::kSuccess;
    }

    MStatus doDrag(MEvent& event) override {
        record(describe("drag", event));
        if (command_) {
            short x = 0;
            short y = 0;
            event.getPosition(x, y);
            command_->undoIt();
            command_->setTranslation(MVector((x - pressX_) * 0.1, (y - pressY_) * 0.1, 0.0));
            command_->redoIt();
        }
        return MS::kSuccess;
    }

    MStatus doRelease(MEvent& event) override {
        record(describe("release", event));
        endGesture();
        return MS::kSuccess;
    }

    void completeAction() override { record("complete"); }
    void deleteAction() override { record("delete"); }
    void abortAction() override { record("abort"); }
    MString stringClassName() const override { return "probeTool"; }

private:
    // A gesture that moved something is one command on the undo queue; one that did not
    // leaves nothing behind.
    void endGesture() {
        if (!command_)
            return;
        if (!command_->moved() || !command_->finalize())
            delete command_;
        command_ = nullptr;
    }

    ProbeMoveCmd* command_ = nullptr;
    DWORD lastPress_ = 0;
    short pressX_ = 0;
    short pressY_ = 0;
};

class ProbeContextCommand : public MPxContextCommand {
public:
    MPxContext* makeObj() override {
        context_ = new ProbeContext;
        return context_;
    }
    MStatus appendSyntax() override { return syntax().addFlag("-md", "-mode", MSyntax::kString); }
    MStatus doEditFlags() override {
        if (!context_)
            return MS::kFailure;
        MArgParser args = parser();
        if (!args.isFlagSet("-md"))
            return MS::kSuccess;
        MString value;
        MStatus status = args.getFlagArgument("-md", 0, value);
        if (!status)
            return status;
        if (value == "Drag" || value == "Marquee") {
            context_->mode = value.asChar();
            MToolsInfo::setDirtyFlag(*context_);
        } else {
            MGlobal::displayError("Unexpected -mode value \"" + value + "\". Ignoring.");
        }
        return status;
    }
    MStatus doQueryFlags() override {
        if (context_ && parser().isFlagSet("-md"))
            setResult(MString(context_->mode.c_str()));
        return MS::kSuccess;
    }
    static void* creator() { return new ProbeContextCommand; }

private:
    ProbeContext* context_ = nullptr;
};

class ProbeEventsCommand : public MPxCommand {
public:
    MStatus doIt(const MArgList&) override {
        MStringArray events;
        for (const std::string& event : recordedEvents()) {
            events.append(event.c_str());
        }
        recordedEvents().clear();
        setResult(events);
        return MS::kSuccess;
    }
    static void* creator() { return new ProbeEventsCommand; }
};

}  // namespace

MStatus initializePlugin(MObject plugin) {
    MFnPlugin fn(plugin, "tests", "1.0", "Any");
    MStatus status = fn.registerNode("probeManip", kManipId, ProbeManip::creator,
                                     MPxManipContainer::initialize, MPxNode::kManipContainer);
    if (status)
        status =
            fn.registerContextCommand("probeContext", ProbeContextCommand::creator, "probeMoveCmd",
                                      ProbeMoveCmd::creator, ProbeMoveCmd::newSyntax);
    if (status)
        status = fn.registerCommand("probeEvents", ProbeEventsCommand::creator);
    return status;
}

MStatus uninitializePlugin(MObject plugin) {
    MFnPlugin fn(plugin);
    fn.deregisterCommand("probeEvents");
    MStatus status = fn.deregisterContextCommand("probeContext", "probeMoveCmd");
    fn.deregisterNode(kManipId);
    return status;
}
