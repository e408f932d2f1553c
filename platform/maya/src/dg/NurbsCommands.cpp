// Commands that make NURBS geometry: curve, circle, nurbsPlane, nurbsSphere and
// nurbsCurveToBezier. Each checks its input with the kernel before it creates anything, so a
// bad flag value leaves the scene as it was.

#include <maya/MAngle.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include "dg/CommandHelpers.h"
#include "dg/Graph.h"
#include "dg/NurbsNodes.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "geometry/NurbsCurveCreate.h"
#include "geometry/NurbsPrimitives.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using commands::internalDistance;
using commands::internalPoint;
using nurbs::NurbsCurve;
using nurbs::NurbsResult;
using nurbs::NurbsSurface;

using Arg = MSyntax::MArgType;
constexpr Arg kString = MSyntax::kString;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kDistance = MSyntax::kDistance;
constexpr Arg kAngle = MSyntax::kAngle;
constexpr Arg kLong = MSyntax::kLong;
constexpr Arg kBoolean = MSyntax::kBoolean;

// A new transform with a shape of `shapeType` under it; false when either cannot be made.
bool createShape(const std::string& name, const char* shapeType, EditLog& log,
                 std::shared_ptr<Node>& transform, std::shared_ptr<Node>& shape) {
    return createNodeOfType("transform", name, nullptr, &log, transform) &&
           createNodeOfType(shapeType, shapeNameFor(transform->name), transform.get(), &log, shape);
}

void setNumber(Node& node, const char* attr, double value, EditLog& log) {
    setValue(
        node, {node.findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); }, &log);
}

void setTriple(Node& node, const char* x, const char* y, const char* z, const MVector& value,
               EditLog& log) {
    setNumber(node, x, value.x, log);
    setNumber(node, y, value.y, log);
    setNumber(node, z, value.z, log);
}

// --- curve -------------------------------------------------------------------------------

std::vector<double> knotUses(const CommandCall& call) {
    std::vector<double> knots;
    knots.reserve(call.uses("-k"));
    for (unsigned int use = 0; use < call.uses("-k"); ++use)
        knots.push_back(call.number("-k", 0.0, 0, use));
    return knots;
}

NurbsResult<NurbsCurve> curveFromFlags(const CommandCall& call) {
    const int degree = call.integer("-d", 3);
    if (call.isSet("-ep")) {
        // Edit points take their parameters from the distances between them.
        return nurbs::curveFromEditPoints(commands::pointUses(call, "-ep"), degree,
                                          nurbs::Parameterization::kChordLength);
    }
    std::vector<MPoint> cvs = commands::pointUses(call, "-p");
    const bool periodic = call.boolean("-per", false);
    if (call.isSet("-k"))
        return nurbs::curveFromCVsAndKnots(std::move(cvs), knotUses(call), degree, periodic);
    if (call.isSet("-bez"))
        return nurbs::bezierCurveFromCVs(std::move(cvs), degree);
    return nurbs::curveFromCVs(std::move(cvs), degree, periodic);
}

// The shape of a curve named by its transform or itself.
Node* curveShapeOf(Node& node) {
    if (node.hasFn(MFn::kNurbsCurve))
        return &node;
    for (Node* child : node.children) {
        if (child->hasFn(MFn::kNurbsCurve))
            return child;
    }
    return nullptr;
}

MStatus replaceCurve(CommandCall& call, NurbsCurve curve) {
    const std::vector<std::string> names = call.objects();
    if (names.size() != 1)
        return call.fail("curve: -replace needs the curve to replace.");
    Node* node = findNode(names[0]);
    if (!node)
        return MStatus::kFailure;
    Node* shape = curveShapeOf(*node);
    if (!shape)
        return call.fail("curve: " + names[0] + " is not a NURBS curve.");
    if (call.isSet("-ws")) {
        const MMatrix toObject = pathOf(*shape).inclusiveMatrixInverse();
        std::vector<MPoint> cvs;
        for (const MPoint& cv : curve.cvs())
            cvs.push_back(cv * toObject);
        auto local = NurbsCurve::create(std::move(cvs), curve.knots(), curve.degree(),
                                        curve.form() == nurbs::NurbsForm::kPeriodic);
        curve = local.value();
    }
    setCurveGeometry(*shape, std::move(curve), &call.log());
    MPxCommand::setResult(MString(shape->parent->name.c_str()));
    return MStatus::kSuccess;
}

MStatus curve(CommandCall& call) {
    if (call.isSet("-p") == call.isSet("-ep"))
        return call.fail("curve: Give the curve's points with either -p or -ep.");
    auto built = curveFromFlags(call);
    if (!built.ok())
        return call.fail("curve: " + built.error());
    if (call.isSet("-r"))
        return replaceCurve(call, std::move(built.value()));
    std::shared_ptr<Node> transform, shape;
    if (!createShape(call.text("-n", "curve1"), "nurbsCurve", call.log(), transform, shape))
        return call.fail("curve: Cannot create the curve.");
    setCurveGeometry(*shape, std::move(built.value()), &call.log());
    selectNodes({transform.get()}, call.log());
    MPxCommand::setResult(MString(transform->name.c_str()));
    return MStatus::kSuccess;
}

// --- primitives with history ---------------------------------------------------------------

struct Primitive {
    const char* command;
    const char* creatorType;
    const char* creatorName;
    const char* shapeType;
    const char* defaultName;
    const char* output;
};

// Creates the creator (with history, or alone with -o off), the object (transform and
// shape) and connects them. `configure` sets the creator's attributes; without history the
// shape is given the geometry by `store`.
template <class Configure, class Store>
MStatus createPrimitive(CommandCall& call, const Primitive& kind, Configure configure,
                        Store store) {
    const bool history = call.boolean("-ch", true);
    const bool object = call.boolean("-o", true);
    if (!history && !object)
        return call.fail(std::string(kind.command) +
                         ": Nothing to create with -ch off and -o off.");
    std::shared_ptr<Node> creator;
    if (history) {
        if (!createNodeOfType(kind.creatorType, kind.creatorName, nullptr, &call.log(), creator))
            return call.fail(std::string(kind.command) + ": Cannot create its history.");
        configure(*creator);
    }
    MStringArray result;
    std::shared_ptr<Node> transform, shape;
    if (object) {
        if (!createShape(call.text("-n", kind.defaultName), kind.shapeType, call.log(), transform,
                         shape)) {
            return call.fail(std::string(kind.command) + ": Cannot create the object.");
        }
        result.append(MString(transform->name.c_str()));
        if (!creator)
            store(*shape);
        else if (!connectHistory(*creator, kind.output, *shape, &call.log()))
            return call.fail(std::string(kind.command) + ": Cannot connect its history.");
    }
    if (creator)
        result.append(MString(creator->name.c_str()));
    selectNodes({transform ? transform.get() : creator.get()}, call.log());
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MStatus circle(CommandCall& call) {
    nurbs::CircleOptions options;
    options.center = internalPoint(MPoint(call.vector("-c", MVector(options.center))));
    options.normal = call.vector("-nr", options.normal);
    options.radius = internalDistance(call.number("-r", 1.0));
    options.degree = call.integer("-d", options.degree);
    options.sections = call.integer("-s", options.sections);
    auto checked = nurbs::makeCircle(options);
    if (!checked.ok())
        return call.fail("circle: " + checked.error());
    static const Primitive kCircle = {"circle",     "makeNurbCircle", "makeNurbCircle1",
                                      "nurbsCurve", "nurbsCircle1",   "outputCurve"};
    return createPrimitive(
        call, kCircle,
        [&](Node& creator) {
            EditLog& log = call.log();
            setTriple(creator, "cx", "cy", "cz", MVector(options.center), log);
            setTriple(creator, "nrx", "nry", "nrz", options.normal, log);
            setNumber(creator, "r", options.radius, log);
            setNumber(creator, "d", options.degree, log);
            setNumber(creator, "s", options.sections, log);
        },
        [&](Node& shape) { setCurveGeometry(shape, checked.value(), &call.log()); });
}

MStatus nurbsPlane(CommandCall& call) {
    nurbs::PlaneOptions options;
    options.pivot = internalPoint(MPoint(call.vector("-p", MVector(options.pivot))));
    options.axis = call.vector("-ax", options.axis);
    options.width = internalDistance(call.number("-w", 1.0));
    options.lengthRatio = call.number("-lr", options.lengthRatio);
    options.patchesU = call.integer("-u", options.patchesU);
    options.patchesV = call.integer("-v", options.patchesV);
    options.degree = call.integer("-d", options.degree);
    if (!(options.width > 0.0) || !(options.lengthRatio > 0.0))
        return call.fail("nurbsPlane: The width and length ratio must be greater than 0.");
    auto checked = nurbs::makePlane(options);
    if (!checked.ok())
        return call.fail("nurbsPlane: " + checked.error());
    static const Primitive kPlane = {"nurbsPlane",   "makeNurbPlane", "makeNurbPlane1",
                                     "nurbsSurface", "nurbsPlane1",   "outputSurface"};
    return createPrimitive(
        call, kPlane,
        [&](Node& creator) {
            EditLog& log = call.log();
            setTriple(creator, "px", "py", "pz", MVector(options.pivot), log);
            setTriple(creator, "axx", "axy", "axz", options.axis, log);
            setNumber(creator, "w", options.width, log);
            setNumber(creator, "lr", options.lengthRatio, log);
            setNumber(creator, "u", options.patchesU, log);
            setNumber(creator, "v", options.patchesV, log);
            setNumber(creator, "d", options.degree, log);
        },
        [&](Node& shape) { setSurfaceGeometry(shape, checked.value(), &call.log()); });
}

MStatus nurbsSphere(CommandCall& call) {
    nurbs::SphereOptions options;
    options.pivot = internalPoint(MPoint(call.vector("-p", MVector(options.pivot))));
    options.axis = call.vector("-ax", options.axis);
    options.radius = internalDistance(call.number("-r", 1.0));
    options.sections = call.integer("-s", options.sections);
    options.spans = call.integer("-nsp", options.spans);
    options.degree = call.integer("-d", options.degree);
    // Partial spheres are not made; the sweep flags are accepted at their full range only.
    const double start = call.number("-ssw", 0.0);
    const double end = call.number("-esw", MAngle(360.0, MAngle::kDegrees).as(MAngle::uiUnit()));
    if (start != 0.0 || MAngle(end, MAngle::uiUnit()).asDegrees() != 360.0)
        return call.fail("nurbsSphere: Only full spheres (-ssw 0 -esw 360) are supported.");
    auto checked = nurbs::makeSphere(options);
    if (!checked.ok())
        return call.fail("nurbsSphere: " + checked.error());
    static const Primitive kSphere = {"nurbsSphere",  "makeNurbSphere", "makeNurbSphere1",
                                      "nurbsSurface", "nurbsSphere1",   "outputSurface"};
    return createPrimitive(
        call, kSphere,
        [&](Node& creator) {
            EditLog& log = call.log();
            setTriple(creator, "px", "py", "pz", MVector(options.pivot), log);
            setTriple(creator, "axx", "axy", "axz", options.axis, log);
            setNumber(creator, "r", options.radius, log);
            setNumber(creator, "s", options.sections, log);
            setNumber(creator, "nsp", options.spans, log);
            setNumber(creator, "d", options.degree, log);
        },
        [&](Node& shape) { setSurfaceGeometry(shape, checked.value(), &call.log()); });
}

// --- nurbsCurveToBezier --------------------------------------------------------------------

MStatus nurbsCurveToBezier(CommandCall& call) {
    bool missing = false;
    std::vector<Node*> shapes;
    for (Node* node : commands::objectsOrSelection(call, missing)) {
        if (Node* shape = curveShapeOf(*node))
            shapes.push_back(shape);
    }
    if (missing)
        return MStatus::kFailure;
    if (shapes.empty())
        return call.fail("nurbsCurveToBezier: Select one or more NURBS curves.");
    std::vector<NurbsCurve> converted;
    for (Node* shape : shapes) {
        auto bezier = nurbs::nurbsCurveToBezier(curveGeometry(*shape));
        if (!bezier.ok())
            return call.fail("nurbsCurveToBezier: " + shape->parent->name + ": " + bezier.error());
        converted.push_back(std::move(bezier.value()));
    }
    for (size_t i = 0; i < shapes.size(); ++i)
        setCurveGeometry(*shapes[i], std::move(converted[i]), &call.log());
    MPxCommand::setResult(commands::namesOf(shapes));
    return MStatus::kSuccess;
}

const CommandSpec kSpecs[] = {
    {"curve",
     {{"-d", "-degree", {kLong}},
      {"-p", "-point", {kDistance, kDistance, kDistance}, true},
      {"-ep", "-editPoint", {kDistance, kDistance, kDistance}, true},
      {"-k", "-knot", {kDouble}, true},
      {"-per", "-periodic", {kBoolean}},
      {"-bez", "-bezier"},
      {"-r", "-replace"},
      {"-os", "-objectSpace"},
      {"-ws", "-worldSpace"},
      {"-n", "-name", {kString}}},
     objects(0, 1),
     curve},
    {"circle",
     {{"-c", "-center", {kDistance, kDistance, kDistance}},
      {"-nr", "-normal", {kDouble, kDouble, kDouble}},
      {"-r", "-radius", {kDistance}},
      {"-d", "-degree", {kLong}},
      {"-s", "-sections", {kLong}},
      {"-sw", "-sweep", {kAngle}},
      {"-ut", "-useTolerance", {kBoolean}},
      {"-tol", "-tolerance", {kDistance}},
      {"-ch", "-constructionHistory", {kBoolean}},
      {"-o", "-object", {kBoolean}},
      {"-n", "-name", {kString}}},
     {},
     circle},
    {"nurbsPlane",
     {{"-p", "-pivot", {kDistance, kDistance, kDistance}},
      {"-ax", "-axis", {kDouble, kDouble, kDouble}},
      {"-w", "-width", {kDistance}},
      {"-lr", "-lengthRatio", {kDouble}},
      {"-u", "-patchesU", {kLong}},
      {"-v", "-patchesV", {kLong}},
      {"-d", "-degree", {kLong}},
      {"-ch", "-constructionHistory", {kBoolean}},
      {"-o", "-object", {kBoolean}},
      {"-n", "-name", {kString}}},
     {},
     nurbsPlane},
    {"nurbsSphere",
     {{"-p", "-pivot", {kDistance, kDistance, kDistance}},
      {"-ax", "-axis", {kDouble, kDouble, kDouble}},
      {"-r", "-radius", {kDistance}},
      {"-s", "-sections", {kLong}},
      {"-nsp", "-spans", {kLong}},
      {"-d", "-degree", {kLong}},
      {"-ssw", "-startSweep", {kAngle}},
      {"-esw", "-endSweep", {kAngle}},
      {"-hr", "-heightRatio", {kDouble}},
      {"-ut", "-useTolerance", {kBoolean}},
      {"-tol", "-tolerance", {kDistance}},
      {"-ch", "-constructionHistory", {kBoolean}},
      {"-o", "-object", {kBoolean}},
      {"-n", "-name", {kString}}},
     {},
     nurbsSphere},
    {"nurbsCurveToBezier", {}, objects(), nurbsCurveToBezier},
};

}  // namespace

void registerNurbsCommands(CommandEngine& engine) {
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
