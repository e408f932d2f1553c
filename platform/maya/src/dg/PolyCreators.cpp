#include "dg/PolyCreators.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <maya/MAngle.h>
#include <maya/MDataBlock.h>
#include <maya/MDistance.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include "dg/BuiltinTypes.h"
#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/NodeClass.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "geometry/MeshPrimitives.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

enum class InputKind { kDistance, kAngle, kCount, kBool };

// A creator node's input attribute. Distances are stored in centimetres and angles in
// radians, as Maya's unit attributes are; counts below the node's minimum are raised by
// the kernel, as the attributes' limits do in Maya.
struct CreatorInput {
    const char* longName;
    const char* shortName;
    InputKind kind;
    double defaultValue;
};

// A command flag that sets a creator input. Maya's commands take the X/Y/Z subdivision
// spellings beside the attribute's own (-sx is -subdivisionsAxis on a sphere).
struct CreatorFlag {
    const char* shortName;
    const char* longName;
    const char* input;  // the attribute's short name
};

using MeshBuilder = mesh::Mesh (*)(Node& creator, std::string* problem);

struct Primitive {
    const char* typeName;  // node type and command name
    unsigned int typeId;
    MFn::Type apiType;
    const char* objectName;  // the transform's default name
    std::vector<CreatorInput> inputs;
    std::vector<CreatorFlag> flags;
    MeshBuilder build;
};

double number(Node& node, const char* shortName) {
    const Attribute* attr = node.findAttribute(shortName);
    return attr ? pull(node, {attr, -1}).get() : 0.0;
}

int count(Node& node, const char* shortName) {
    return static_cast<int>(number(node, shortName));
}

mesh::Vec3 axisOf(Node& node) {
    return {number(node, "axx"), number(node, "axy"), number(node, "axz")};
}

double degrees(double radians) {
    return MAngle(radians, MAngle::kRadians).asDegrees();
}

template <typename Options>
mesh::Mesh checked(const Options& options, std::string* problem,
                   mesh::Mesh (*make)(const Options&)) {
    *problem = mesh::primitiveProblem(options);
    return problem->empty() ? make(options) : mesh::Mesh();
}

mesh::Mesh buildCube(Node& node, std::string* problem) {
    mesh::CubeOptions o;
    o.width = number(node, "w");
    o.height = number(node, "h");
    o.depth = number(node, "d");
    o.subdivisionsWidth = count(node, "sw");
    o.subdivisionsHeight = count(node, "sh");
    o.subdivisionsDepth = count(node, "sd");
    o.axis = axisOf(node);
    return checked(o, problem, &mesh::makeCube);
}

mesh::Mesh buildSphere(Node& node, std::string* problem) {
    mesh::SphereOptions o;
    o.radius = number(node, "r");
    o.subdivisionsAxis = count(node, "sa");
    o.subdivisionsHeight = count(node, "sh");
    o.axis = axisOf(node);
    return checked(o, problem, &mesh::makeSphere);
}

mesh::Mesh buildPlane(Node& node, std::string* problem) {
    mesh::PlaneOptions o;
    o.width = number(node, "w");
    o.height = number(node, "h");
    o.subdivisionsWidth = count(node, "sw");
    o.subdivisionsHeight = count(node, "sh");
    o.axis = axisOf(node);
    return checked(o, problem, &mesh::makePlane);
}

mesh::Mesh buildCylinder(Node& node, std::string* problem) {
    mesh::CylinderOptions o;
    o.radius = number(node, "r");
    o.height = number(node, "h");
    o.subdivisionsAxis = count(node, "sa");
    o.subdivisionsHeight = count(node, "sh");
    o.subdivisionsCaps = count(node, "sc");
    o.axis = axisOf(node);
    return checked(o, problem, &mesh::makeCylinder);
}

mesh::Mesh buildTorus(Node& node, std::string* problem) {
    mesh::TorusOptions o;
    o.radius = number(node, "r");
    o.sectionRadius = number(node, "sr");
    o.twist = degrees(number(node, "tw"));
    o.subdivisionsAxis = count(node, "sa");
    o.subdivisionsHeight = count(node, "sh");
    o.axis = axisOf(node);
    return checked(o, problem, &mesh::makeTorus);
}

// Maya's node ids are their four-letter tags. No MFn type names a plane creator, so
// polyPlane reports kPolyMesh, the old name of that node's kind (our choice).
const std::vector<Primitive>& primitives() {
    using K = InputKind;
    static const std::vector<Primitive> all = {
        {"polyCube",
         0x50435542,
         MFn::kPolyCube,
         "pCube1",
         {{"width", "w", K::kDistance, 1.0},
          {"height", "h", K::kDistance, 1.0},
          {"depth", "d", K::kDistance, 1.0},
          {"subdivisionsWidth", "sw", K::kCount, 1.0},
          {"subdivisionsHeight", "sh", K::kCount, 1.0},
          {"subdivisionsDepth", "sd", K::kCount, 1.0}},
         {{"-w", "-width", "w"},
          {"-h", "-height", "h"},
          {"-d", "-depth", "d"},
          {"-sx", "-subdivisionsX", "sw"},
          {"-sy", "-subdivisionsY", "sh"},
          {"-sz", "-subdivisionsZ", "sd"},
          {"-sw", "-subdivisionsWidth", "sw"},
          {"-sh", "-subdivisionsHeight", "sh"},
          {"-sd", "-subdivisionsDepth", "sd"}},
         buildCube},
        {"polySphere",
         0x50535048,
         MFn::kPolySphere,
         "pSphere1",
         {{"radius", "r", K::kDistance, 1.0},
          {"subdivisionsAxis", "sa", K::kCount, 20.0},
          {"subdivisionsHeight", "sh", K::kCount, 20.0}},
         {{"-r", "-radius", "r"},
          {"-sx", "-subdivisionsX", "sa"},
          {"-sy", "-subdivisionsY", "sh"},
          {"-sa", "-subdivisionsAxis", "sa"},
          {"-sh", "-subdivisionsHeight", "sh"}},
         buildSphere},
        {"polyPlane",
         0x50504c4e,
         MFn::kPolyMesh,
         "pPlane1",
         {{"width", "w", K::kDistance, 1.0},
          {"height", "h", K::kDistance, 1.0},
          {"subdivisionsWidth", "sw", K::kCount, 10.0},
          {"subdivisionsHeight", "sh", K::kCount, 10.0}},
         {{"-w", "-width", "w"},
          {"-h", "-height", "h"},
          {"-sx", "-subdivisionsX", "sw"},
          {"-sy", "-subdivisionsY", "sh"},
          {"-sw", "-subdivisionsWidth", "sw"},
          {"-sh", "-subdivisionsHeight", "sh"}},
         buildPlane},
        {"polyCylinder",
         0x5043594c,
         MFn::kPolyCylinder,
         "pCylinder1",
         {{"radius", "r", K::kDistance, 1.0},
          {"height", "h", K::kDistance, 2.0},
          {"subdivisionsAxis", "sa", K::kCount, 20.0},
          {"subdivisionsHeight", "sh", K::kCount, 1.0},
          {"subdivisionsCaps", "sc", K::kCount, 1.0},
          {"roundCap", "rcp", K::kBool, 0.0}},
         {{"-r", "-radius", "r"},
          {"-h", "-height", "h"},
          {"-sx", "-subdivisionsX", "sa"},
          {"-sy", "-subdivisionsY", "sh"},
          {"-sz", "-subdivisionsZ", "sc"},
          {"-sa", "-subdivisionsAxis", "sa"},
          {"-sh", "-subdivisionsHeight", "sh"},
          {"-sc", "-subdivisionsCaps", "sc"},
          {"-rcp", "-roundCap", "rcp"}},
         buildCylinder},
        {"polyTorus",
         0x50544f52,
         MFn::kPolyTorus,
         "pTorus1",
         {{"radius", "r", K::kDistance, 1.0},
          {"sectionRadius", "sr", K::kDistance, 0.5},
          {"twist", "tw", K::kAngle, 0.0},
          {"subdivisionsAxis", "sa", K::kCount, 20.0},
          {"subdivisionsHeight", "sh", K::kCount, 20.0}},
         {{"-r", "-radius", "r"},
          {"-sr", "-sectionRadius", "sr"},
          {"-tw", "-twist", "tw"},
          {"-sx", "-subdivisionsX", "sa"},
          {"-sy", "-subdivisionsY", "sh"},
          {"-sa", "-subdivisionsAxis", "sa"},
          {"-sh", "-subdivisionsHeight", "sh"}},
         buildTorus},
    };
    return all;
}

const Primitive* primitiveNamed(const std::string& name) {
    for (const Primitive& primitive : primitives()) {
        if (name == primitive.typeName)
            return &primitive;
    }
    return nullptr;
}

// ---- Node types ----

std::shared_ptr<Attribute> shared(const MObject& handle) {
    return std::static_pointer_cast<Attribute>(ObjectAccess::share(handle));
}

MObject inputAttribute(const CreatorInput& input) {
    switch (input.kind) {
        case InputKind::kDistance:
            return MFnUnitAttribute().create(input.longName, input.shortName,
                                             MFnUnitAttribute::kDistance, input.defaultValue);
        case InputKind::kAngle:
            return MFnUnitAttribute().create(input.longName, input.shortName,
                                             MFnUnitAttribute::kAngle, input.defaultValue);
        case InputKind::kCount:
            return MFnNumericAttribute().create(input.longName, input.shortName,
                                                MFnNumericData::kInt, input.defaultValue);
        case InputKind::kBool:
            break;
    }
    return MFnNumericAttribute().create(input.longName, input.shortName, MFnNumericData::kBoolean,
                                        input.defaultValue);
}

MObject axisAttribute() {
    MFnNumericAttribute fn;
    MObject x = fn.create("axisX", "axx", MFnNumericData::kDouble, 0.0);
    MObject y = fn.create("axisY", "axy", MFnNumericData::kDouble, 1.0);
    MObject z = fn.create("axisZ", "axz", MFnNumericData::kDouble, 0.0);
    return fn.create("axis", "ax", x, y, z);
}

MObject outputAttribute() {
    MFnTypedAttribute fn;
    MObject attr = fn.create("output", "out", MFnData::kMesh);
    fn.setWritable(false);
    fn.setStorable(false);
    return attr;
}

MStatus creatorCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    const PlugKey key = PlugAccess::key(plug);
    const Primitive* primitive = primitiveNamed(node.type->name);
    if (key.attr->shortName != "out" || !primitive)
        return MStatus::kUnknownParameter;
    std::string problem;
    auto built = std::make_shared<const mesh::Mesh>(primitive->build(node, &problem));
    // A bad value (an axis of no length, say) leaves an empty mesh, as Maya's creators do.
    storage(node, key).data = ObjectAccess::wrap(std::make_shared<MeshData>(built));
    data.setClean(plug);
    return MStatus::kSuccess;
}

void addCreatorType(const Primitive& primitive) {
    auto type = std::make_unique<NodeClass>();
    type->name = primitive.typeName;
    type->id = MTypeId(primitive.typeId);
    type->apiType = primitive.apiType;
    type->bases = {MFn::kDependencyNode, MFn::kPolyCreator, MFn::kPolyPrimitive};
    type->attributes = dependNodeAttributes();
    for (const CreatorInput& input : primitive.inputs)
        type->attributes.push_back(shared(inputAttribute(input)));
    type->attributes.push_back(shared(axisAttribute()));
    type->attributes.push_back(shared(outputAttribute()));
    type->compute = creatorCompute;
    NodeClass& added = addBuiltinClass(std::move(type));
    const Attribute* output = added.findAttribute("out");
    for (const CreatorInput& input : primitive.inputs)
        added.addAffects(added.findAttribute(input.shortName), output);
    for (const char* axis : {"ax", "axx", "axy", "axz"})
        added.addAffects(added.findAttribute(axis), output);
}

// ---- Commands ----

// A flag value in the creator attribute's internal unit.
double internalValue(InputKind kind, double value) {
    if (kind == InputKind::kDistance)
        return MDistance(value, MDistance::uiUnit()).asCentimeters();
    if (kind == InputKind::kAngle)
        return MAngle(value, MAngle::uiUnit()).asRadians();
    return value;
}

const CreatorInput* inputNamed(const Primitive& primitive, const char* shortName) {
    for (const CreatorInput& input : primitive.inputs) {
        if (std::string(input.shortName) == shortName)
            return &input;
    }
    return nullptr;
}

void setNumber(Node& node, const char* shortName, double value, EditLog& log) {
    setValue(
        node, {node.findAttribute(shortName), -1}, [value](Slot& slot) { slot.set(value); }, &log);
}

// Puts the flags' values on the creator node. Sizes must be positive (Maya's creators would
// build an inside-out or empty mesh; we refuse, our choice).
MStatus applyFlags(CommandCall& call, const Primitive& primitive, Node& creator) {
    for (const CreatorFlag& flag : primitive.flags) {
        if (!call.isSet(flag.shortName))
            continue;
        const CreatorInput* input = inputNamed(primitive, flag.input);
        const double value = call.number(flag.shortName);
        if (input->kind == InputKind::kDistance && !(value > 0.0)) {
            std::ostringstream text;
            text << primitive.typeName << ": " << flag.longName << " " << value
                 << " must be greater than 0.";
            return call.fail(text.str(), MStatus::kInvalidParameter);
        }
        setNumber(creator, input->shortName, internalValue(input->kind, value), call.log());
    }
    if (call.isSet("-ax")) {
        const MVector axis = call.vector("-ax");
        setNumber(creator, "axx", axis.x, call.log());
        setNumber(creator, "axy", axis.y, call.log());
        setNumber(creator, "axz", axis.z, call.log());
    }
    return MStatus::kSuccess;
}

MStatus createPrimitive(CommandCall& call, const Primitive& primitive) {
    const std::string name = call.text("-n", primitive.objectName);
    if (name.empty())
        return call.fail(std::string(primitive.typeName) + ": The name cannot be empty.");
    // Made in Maya's order: the object, its shape, then the creator.
    std::shared_ptr<Node> transform, shape, creator;
    MStatus status = createNodeOfType("transform", name, nullptr, &call.log(), transform);
    if (status)
        status = createNodeOfType("mesh", shapeNameFor(transform->name), transform.get(),
                                  &call.log(), shape);
    if (status)
        status = createNodeOfType(primitive.typeName, primitive.typeName + std::string("1"),
                                  nullptr, &call.log(), creator);
    if (!status)
        return call.fail(std::string(primitive.typeName) + ": Cannot create the mesh.");
    status = applyFlags(call, primitive, *creator);
    if (!status)
        return status;
    std::string problem;
    mesh::Mesh built = primitive.build(*creator, &problem);
    if (!problem.empty()) {
        return call.fail(std::string(primitive.typeName) + ": " + problem,
                         MStatus::kInvalidParameter);
    }
    const bool history = call.boolean("-ch", true);
    if (history) {
        status = connectPlugs(*creator, {creator->findAttribute("out"), -1}, *shape,
                              {shape->findAttribute("inMesh"), -1}, false, &call.log());
        if (!status)
            return call.fail(std::string(primitive.typeName) + ": Cannot connect the history.");
    } else {
        setMeshOf(*shape, std::move(built));
        removeNode(*creator, &call.log());
    }
    MSelectionList selection;
    selection.add(transform->handle());
    setSelection(selection, &call.log());
    MStringArray result;
    result.append(MString(transform->name.c_str()));
    if (history)
        result.append(MString(creator->name.c_str()));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

template <size_t Index>
MStatus createPrimitiveAt(CommandCall& call) {
    return createPrimitive(call, primitives()[Index]);
}

const CommandBody kBodies[] = {createPrimitiveAt<0>, createPrimitiveAt<1>, createPrimitiveAt<2>,
                               createPrimitiveAt<3>, createPrimitiveAt<4>};

CommandSpec commandSpecOf(const Primitive& primitive, CommandBody body) {
    CommandSpec spec{primitive.typeName, {}, {}, body};
    for (const CreatorFlag& flag : primitive.flags) {
        const InputKind kind = inputNamed(primitive, flag.input)->kind;
        MSyntax::MArgType type = MSyntax::kDouble;
        if (kind == InputKind::kCount)
            type = MSyntax::kLong;
        else if (kind == InputKind::kBool)
            type = MSyntax::kBoolean;
        spec.flags.push_back({flag.shortName, flag.longName, {type}});
    }
    spec.flags.push_back({"-ax", "-axis", {MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble}});
    // UVs are not kept by the host's meshes; the flag is taken so that scripts run.
    spec.flags.push_back({"-cuv", "-createUVs", {MSyntax::kLong}});
    spec.flags.push_back({"-ch", "-constructionHistory", {MSyntax::kBoolean}});
    spec.flags.push_back({"-n", "-name", {MSyntax::kString}});
    return spec;
}

}  // namespace

void addPolyCreatorTypes() {
    for (const Primitive& primitive : primitives())
        addCreatorType(primitive);
}

void registerPolyCreatorCommands(CommandEngine& engine) {
    static const std::vector<CommandSpec> specs = [] {
        std::vector<CommandSpec> all;
        for (size_t i = 0; i < primitives().size(); ++i)
            all.push_back(commandSpecOf(primitives()[i], kBodies[i]));
        return all;
    }();
    registerCommandTable(engine, specs.data(), specs.data() + specs.size());
}

}  // namespace mayasim
