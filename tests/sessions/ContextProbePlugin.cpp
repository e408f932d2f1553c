// A plug-in with one tool context that records the mouse events it receives, so sessions
// can see what reached the current tool: "probeContext" makes the context, "probeEvents"
// returns the events as "press x y", "drag x y", "release x y" and clears the record.
#include <maya/MArgList.h>
#include <maya/MEvent.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MStringArray.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& recordedEvents() {
    static std::vector<std::string> events;
    return events;
}

void record(const char* what, MEvent& event) {
    short x = 0;
    short y = 0;
    event.getPosition(x, y);
    recordedEvents().push_back(std::string(what) + " " + std::to_string(x) + " " +
                               std::to_string(y));
}

class ProbeContext : public MPxContext {
public:
    MStatus doPress(MEvent& event) override {
        record("press", event);
        return MS::kSuccess;
    }
    MStatus doDrag(MEvent& event) override {
        record("drag", event);
        return MS::kSuccess;
    }
    MStatus doRelease(MEvent& event) override {
        record("release", event);
        return MS::kSuccess;
    }
};

class ProbeContextCommand : public MPxContextCommand {
public:
    MPxContext* makeObj() override { return new ProbeContext; }
    static void* creator() { return new ProbeContextCommand; }
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
    MStatus status = fn.registerContextCommand("probeContext", ProbeContextCommand::creator);
    if (status) {
        status = fn.registerCommand("probeEvents", ProbeEventsCommand::creator);
    }
    return status;
}

MStatus uninitializePlugin(MObject plugin) {
    MFnPlugin fn(plugin);
    fn.deregisterCommand("probeEvents");
    return fn.deregisterContextCommand("probeContext");
}
