// Commands that make objects and geometry and set the scene's time and views: camera,
// polyCube, currentTime, lookThru.

#include <cctype>

#include <maya/MDistance.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/Scene.h"
#include "mayasim/Views.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using Arg = MSyntax::MArgType;
constexpr Arg kString = MSyntax::kString;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kDistance = MSyntax::kDistance;
constexpr Arg kLong = MSyntax::kLong;
constexpr Arg kBoolean = MSyntax::kBoolean;

double internalDistance(double ui) {
    return MDistance(ui, MDistance::uiUnit()).asCentimeters();
}

void setNumber(Node& node, const char* attr, double value, EditLog& log) {
    setValue(
        node, {node.findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); }, &log);
}

MStatus camera(CommandCall& call) {
    const std::string name = call.text("-n", "camera1");
    std::shared_ptr<Node> transform;
    if (!createNodeOfType("transform", name, nullptr, &call.log(), transform))
        return call.fail("camera: Cannot create " + name);
    std::shared_ptr<Node> shape;
    if (!createNodeOfType("camera", shapeNameFor(transform->name), transform.get(), &call.log(),
                          shape)) {
        return call.fail("camera: Cannot create its shape");
    }
    static const std::pair<const char*, const char*> kFlags[] = {
        {"-fl", "fl"}, {"-coi", "coi"}, {"-hfa", "hfa"}, {"-vfa", "vfa"}};
    for (const auto& [flag, attr] : kFlags) {
        if (!call.isSet(flag))
            continue;
        const double value = call.number(flag);
        setNumber(*shape, attr, std::string(attr) == "coi" ? internalDistance(value) : value,
                  call.log());
    }
    MStringArray result;
    result.append(MString(transform->name.c_str()));
    result.append(MString(shape->name.c_str()));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MStatus polyCube(CommandCall& call) {
    std::shared_ptr<Node> transform, shape, cube;
    MStatus status =
        createNodeOfType("transform", call.text("-n", "pCube1"), nullptr, &call.log(), transform);
    if (status) {
        status = createNodeOfType("mesh", shapeNameFor(transform->name), transform.get(),
                                  &call.log(), shape);
    }
    if (status)
        status = createNodeOfType("polyCube", "polyCube1", nullptr, &call.log(), cube);
    if (!status)
        return call.fail("polyCube: Cannot create the cube.");
    static const std::pair<const char*, const char*> kFlags[] = {
        {"-w", "w"}, {"-h", "h"}, {"-d", "d"}, {"-sx", "sw"}, {"-sy", "sh"}, {"-sz", "sd"}};
    for (const auto& [flag, attr] : kFlags) {
        if (!call.isSet(flag))
            continue;
        const double value = call.number(flag);
        if (value <= 0.0)
            return call.fail(std::string("polyCube: ") + flag + " must be positive.");
        setNumber(*cube, attr, attr[0] == 's' ? value : internalDistance(value), call.log());
    }
    if (!connectPlugs(*cube, {cube->findAttribute("output"), -1}, *shape,
                      {shape->findAttribute("inMesh"), -1}, false, &call.log())) {
        return call.fail("polyCube: Cannot connect the cube's history.");
    }
    selectNodes({transform.get()}, call.log());
    MStringArray result;
    result.append(MString(transform->name.c_str()));
    result.append(MString(cube->name.c_str()));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

// Time changes log nothing, so they stay out of the undo queue, as in Maya.
MStatus currentTime(CommandCall& call) {
    Scene& sceneFacade = Scene::instance();
    if (call.isQuery()) {
        MPxCommand::setResult(sceneFacade.currentTime().as(MTime::uiUnit()));
        return MStatus::kSuccess;
    }
    const std::vector<std::string> objects = call.objects();
    if (objects.size() != 1 || !MString(objects[0].c_str()).isDouble())
        return call.fail("currentTime: A time is required.");
    const double frame = MString(objects[0].c_str()).asDouble();
    sceneFacade.setCurrentTime(MTime(frame, MTime::uiUnit()));
    MPxCommand::setResult(frame);
    return MStatus::kSuccess;
}

// Makes the active 3D view look through a camera (its transform or its shape). View
// changes stay out of the undo queue, as in Maya.
MStatus lookThru(CommandCall& call) {
    const int view = views::activeIndex();
    if (view < 0)
        return call.fail("lookThru: There is no 3d view to look through.");
    if (call.isQuery()) {
        MDagPath camera = views::camera(view);
        if (camera.node().hasFn(MFn::kCamera))
            camera.pop();
        MPxCommand::setResult(camera.partialPathName());
        return MStatus::kSuccess;
    }
    const std::vector<std::string> objects = call.objects();
    if (objects.empty())
        return call.fail("lookThru: A camera is required.");
    Node* node = findNode(objects[0]);
    if (!node)
        return MStatus::kFailure;
    MDagPath camera = pathOf(*node);
    if (!camera.node().hasFn(MFn::kCamera))
        camera.extendToShape();
    if (!camera.node().hasFn(MFn::kCamera))
        return call.fail("lookThru: " + objects[0] + " is not a camera.");
    views::setCamera(view, camera);
    views::requestRefresh();
    return MStatus::kSuccess;
}

const CommandSpec kTransformCommands[] = {
    {"camera",
     {{"-n", "-name", {kString}},
      {"-fl", "-focalLength", {kDouble}},
      {"-coi", "-centerOfInterest", {kDistance}},
      {"-hfa", "-horizontalFilmAperture", {kDouble}},
      {"-vfa", "-verticalFilmAperture", {kDouble}}},
     {},
     camera},
    {"polyCube",
     {{"-w", "-width", {kDistance}},
      {"-h", "-height", {kDistance}},
      {"-d", "-depth", {kDistance}},
      {"-sx", "-subdivisionsX", {kLong}},
      {"-sy", "-subdivisionsY", {kLong}},
      {"-sz", "-subdivisionsZ", {kLong}},
      {"-n", "-name", {kString}},
      {"-ch", "-constructionHistory", {kBoolean}}},
     {},
     polyCube},
    {"currentTime", {{"-u", "-update", {kBoolean}}}, objects(0, 1), currentTime, true, true},
    {"lookThru", {}, objects(0, 2), lookThru, true},
};

}  // namespace

std::string shapeNameFor(const std::string& transform) {
    size_t digits = transform.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(transform[digits - 1])))
        --digits;
    return transform.substr(0, digits) + "Shape" + transform.substr(digits);
}

void registerTransformCommands(CommandEngine& engine) {
    registerCommandTable(engine, kTransformCommands);
    registerMoveCommands(engine);
}

}  // namespace mayasim
