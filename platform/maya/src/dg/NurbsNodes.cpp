#include "dg/NurbsNodes.h"

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include <maya/MDataBlock.h>
#include <maya/MPlug.h>

#include "dg/BuiltinTypes.h"
#include "dg/Graph.h"
#include "dg/Node.h"
#include "dg/NodeClass.h"
#include "dg/NodeTypeMaking.h"
#include "dg/NurbsComponents.h"
#include "geometry/NurbsEditPoints.h"
#include "geometry/NurbsPrimitives.h"

namespace mayasim {

using nurbs::NurbsCurve;
using nurbs::NurbsForm;
using nurbs::NurbsSurface;

MFn::Type NurbsCurveData::apiType() const {
    return MFn::kData;
}

bool NurbsCurveData::hasFn(MFn::Type type) const {
    return Object::hasFn(type);
}

MFn::Type NurbsSurfaceData::apiType() const {
    return MFn::kData;
}

bool NurbsSurfaceData::hasFn(MFn::Type type) const {
    return Object::hasFn(type);
}

namespace {

// What the two shape kinds have in common, so the value handling is written once.
template <class Data>
struct Kind;

template <>
struct Kind<NurbsCurveData> {
    using Geometry = NurbsCurve;
    static Geometry& geometry(NurbsCurveData& data) { return data.curve; }
    static int cvCount(const Geometry& g) { return g.numCVs(); }
    static MPoint cv(const Geometry& g, int i) { return g.cv(i); }
    static void setCV(Geometry& g, int i, const MPoint& p) { g.setCV(i, p); }
    static void finish(Geometry&) {}
};

template <>
struct Kind<NurbsSurfaceData> {
    using Geometry = NurbsSurface;
    static Geometry& geometry(NurbsSurfaceData& data) { return data.surface; }
    static int cvCount(const Geometry& g) { return g.numCVsInU() * g.numCVsInV(); }
    static MPoint cv(const Geometry& g, int i) { return g.cvs()[static_cast<size_t>(i)]; }
    static void setCV(Geometry& g, int i, const MPoint& p) {
        g.setCV(i / g.numCVsInV(), i % g.numCVsInV(), p);
    }
    static void finish(Geometry& g) { g.updateSurface(); }
};

Slot& cachedSlot(Node& shape) {
    return storage(shape, {shape.findAttribute("cached"), -1});
}

template <class Data>
std::shared_ptr<Data> cloneOf(Data& data) {
    auto copy = std::make_shared<Data>(Kind<Data>::geometry(data));
    copy->tweaks = data.tweaks;
    copy->syncedInput = data.syncedInput;
    return copy;
}

void dropDerived(NurbsCurveData&) {}
void dropDerived(NurbsSurfaceData& data) {
    data.locator.reset();
    data.carried.reset();
}

// The shape's own value, copied first when anything else still holds it, and ready to be
// changed (what was derived from it dropped).
template <class Data>
Data& writableData(Node& shape) {
    Slot& slot = cachedSlot(shape);
    std::shared_ptr<Object> held = ObjectAccess::share(slot.data);
    auto* data = dynamic_cast<Data*>(held.get());
    if (!data) {
        slot.data = ObjectAccess::wrap(std::make_shared<Data>());
        return *ObjectAccess::as<Data>(slot.data);
    }
    // The slot and `held` are two owners; a third is an undo record or a duplicate.
    if (held.use_count() > 2)
        slot.data = ObjectAccess::wrap(cloneOf(*data));
    Data& writable = *ObjectAccess::as<Data>(slot.data);
    dropDerived(writable);
    return writable;
}

template <class Data>
void applyTweaks(Data& data) {
    using K = Kind<Data>;
    auto& geometry = K::geometry(data);
    const int count = K::cvCount(geometry);
    if (static_cast<int>(data.tweaks.size()) != count)
        data.tweaks.resize(static_cast<size_t>(count), MVector::zero);
    for (int i = 0; i < count; ++i) {
        const MVector& offset = data.tweaks[static_cast<size_t>(i)];
        if (offset != MVector::zero)
            K::setCV(geometry, i, K::cv(geometry, i) + offset);
    }
    K::finish(geometry);
}

// Takes the "create" value when it is one the shape has not taken yet (the creator
// recomputed, or its last output stayed behind when the history was deleted), keeping the
// shape's tweaks.
template <class Data>
Data& upToDate(Node& shape) {
    const Attribute* create = shape.findAttribute("create");
    const Slot& input =
        sourceOf(shape, {create, -1}) ? pull(shape, {create, -1}) : storage(shape, {create, -1});
    auto* source = ObjectAccess::as<Data>(input.data);
    Slot& slot = cachedSlot(shape);
    auto* own = ObjectAccess::as<Data>(slot.data);
    if (own && (!source || ObjectAccess::get(own->syncedInput) == source))
        return *own;
    if (!source) {
        slot.data = ObjectAccess::wrap(std::make_shared<Data>());
        return *ObjectAccess::as<Data>(slot.data);
    }
    const MObject sourceHandle = input.data;
    Data& updated = writableData<Data>(shape);
    Kind<Data>::geometry(updated) = Kind<Data>::geometry(*source);
    updated.syncedInput = sourceHandle;
    applyTweaks(updated);
    return updated;
}

// Records a change of the shape's value: undo puts the old value object back.
void logValueChange(Node& shape, const MObject& before, EditLog* log) {
    if (!log)
        return;
    const MObject after = cachedSlot(shape).data;
    std::shared_ptr<Node> keep = shape.shared();
    log->add([keep, before] { cachedSlot(*keep).data = before; },
             [keep, after] { cachedSlot(*keep).data = after; });
}

template <class Data>
void setCVs(Node& shape, const CVPositions& cvs, EditLog* log, bool finish) {
    using K = Kind<Data>;
    upToDate<Data>(shape);
    const MObject before = cachedSlot(shape).data;
    Data& data = writableData<Data>(shape);
    auto& geometry = K::geometry(data);
    const int count = K::cvCount(geometry);
    const bool history = sourceOf(shape, {shape.findAttribute("create"), -1}).has_value();
    if (history && static_cast<int>(data.tweaks.size()) != count)
        data.tweaks.resize(static_cast<size_t>(count), MVector::zero);
    for (const auto& [index, position] : cvs) {
        if (index < 0 || index >= count)
            continue;
        if (history)
            data.tweaks[static_cast<size_t>(index)] += position - K::cv(geometry, index);
        K::setCV(geometry, index, position);
    }
    if (finish)
        K::finish(geometry);
    logValueChange(shape, before, log);
}

template <class Data>
void setGeometry(Node& shape, typename Kind<Data>::Geometry geometry, EditLog* log) {
    const MObject synced = upToDate<Data>(shape).syncedInput;
    const MObject before = cachedSlot(shape).data;
    auto replaced = std::make_shared<Data>(std::move(geometry));
    replaced->syncedInput = synced;
    cachedSlot(shape).data = ObjectAccess::wrap(replaced);
    logValueChange(shape, before, log);
}

double number(Node& node, const char* attrName) {
    const Attribute* attr = node.findAttribute(attrName);
    return attr ? pull(node, {attr, -1}).get() : 0.0;
}

MVector vectorOf(Node& node, const char* x, const char* y, const char* z) {
    return MVector(number(node, x), number(node, y), number(node, z));
}

void setNumber(Node& node, const char* attrName, double value) {
    storage(node, {node.findAttribute(attrName), -1}).set(value);
}

bool named(const PlugKey& key, const char* name) {
    return key.attr->longName == name;
}

// --- creators ----------------------------------------------------------------------------

MStatus storeCurve(Node& node, const MPlug& plug, MDataBlock& data, NurbsCurve curve) {
    storage(node, PlugAccess::key(plug)).data =
        ObjectAccess::wrap(std::make_shared<NurbsCurveData>(std::move(curve)));
    data.setClean(plug);
    return MStatus::kSuccess;
}

MStatus storeSurface(Node& node, const MPlug& plug, MDataBlock& data, NurbsSurface surface) {
    storage(node, PlugAccess::key(plug)).data =
        ObjectAccess::wrap(std::make_shared<NurbsSurfaceData>(std::move(surface)));
    data.setClean(plug);
    return MStatus::kSuccess;
}

MStatus circleCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    if (!named(PlugAccess::key(plug), "outputCurve"))
        return MStatus::kUnknownParameter;
    nurbs::CircleOptions options;
    options.center = MPoint(vectorOf(node, "cx", "cy", "cz"));
    options.normal = vectorOf(node, "nrx", "nry", "nrz");
    options.firstPoint = vectorOf(node, "fpx", "fpy", "fpz");
    options.radius = number(node, "r");
    options.degree = static_cast<int>(number(node, "d"));
    options.sections = static_cast<int>(number(node, "s"));
    auto circle = nurbs::makeCircle(options);
    return storeCurve(node, plug, data, circle.ok() ? circle.value() : NurbsCurve());
}

MStatus planeCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    if (!named(PlugAccess::key(plug), "outputSurface"))
        return MStatus::kUnknownParameter;
    nurbs::PlaneOptions options;
    options.pivot = MPoint(vectorOf(node, "px", "py", "pz"));
    options.axis = vectorOf(node, "axx", "axy", "axz");
    options.width = number(node, "w");
    options.lengthRatio = number(node, "lr");
    options.patchesU = static_cast<int>(number(node, "u"));
    options.patchesV = static_cast<int>(number(node, "v"));
    options.degree = static_cast<int>(number(node, "d"));
    auto plane = nurbs::makePlane(options);
    return storeSurface(node, plug, data, plane.ok() ? plane.value() : NurbsSurface());
}

MStatus sphereCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    if (!named(PlugAccess::key(plug), "outputSurface"))
        return MStatus::kUnknownParameter;
    nurbs::SphereOptions options;
    options.pivot = MPoint(vectorOf(node, "px", "py", "pz"));
    options.axis = vectorOf(node, "axx", "axy", "axz");
    options.radius = number(node, "r");
    options.sections = static_cast<int>(number(node, "s"));
    options.spans = static_cast<int>(number(node, "nsp"));
    options.degree = static_cast<int>(number(node, "d"));
    auto sphere = nurbs::makeSphere(options);
    return storeSurface(node, plug, data, sphere.ok() ? sphere.value() : NurbsSurface());
}

// --- shapes ------------------------------------------------------------------------------

// What every DAG node computes (its matrices); the shapes hand it what they do not compute.
BuiltinCompute dagBehaviour = nullptr;

// Maya's "form" enums count from 0 (Open, Closed, Periodic); the kernel's forms from 1.
double formIndex(NurbsForm form) {
    return form == NurbsForm::kInvalid ? 0.0 : static_cast<double>(form) - 1.0;
}

// "controlPoints[i]" (or one of its x, y, z values): CV i, read from the geometry.
bool isControlPoint(const PlugKey& key) {
    return key.attr->longName == "controlPoints" ||
           (key.attr->parent && key.attr->parent->longName == "controlPoints");
}

MStatus storeControlPoint(Node& node, const PlugKey& key, const std::vector<MPoint>& cvs) {
    if (key.index < 0 || key.index >= static_cast<int>(cvs.size()))
        return MStatus::kInvalidParameter;
    const Attribute* parent = key.attr->parent ? key.attr->parent : key.attr;
    const MPoint& cv = cvs[static_cast<size_t>(key.index)];
    for (int i = 0; i < 3; ++i)
        storage(node, {parent->children[static_cast<size_t>(i)].get(), key.index}).set(cv[i]);
    return MStatus::kSuccess;
}

MStatus curveShapeCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    const PlugKey key = normalized(PlugAccess::key(plug));
    const NurbsCurve& curve = curveGeometry(node);
    const std::string& name = key.attr->longName;
    if (isControlPoint(key))
        return storeControlPoint(node, key, curve.cvs());
    if (name == "local" || name == "worldSpace") {
        NurbsCurve value = name == "local" ? curve : transformedCurve(curve, worldMatrix(node));
        storage(node, key).data = ObjectAccess::wrap(std::make_shared<NurbsCurveData>(value));
    } else if (name == "degree") {
        storage(node, key).set(curve.degree());
    } else if (name == "spans") {
        storage(node, key).set(curve.isEmpty() ? 0 : curve.numSpans());
    } else if (name == "form") {
        storage(node, key).set(formIndex(curve.form()));
    } else if (name == "minValue" || name == "maxValue") {
        const bool empty = curve.isEmpty();
        storage(node, key).set(empty ? 0.0
                                     : (name == "minValue" ? curve.minParam() : curve.maxParam()));
    } else {
        return dagBehaviour ? dagBehaviour(node, plug, data) : MStatus::kUnknownParameter;
    }
    return MStatus::kSuccess;
}

MStatus surfaceShapeCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    const PlugKey key = normalized(PlugAccess::key(plug));
    const NurbsSurface& surface = surfaceGeometry(node);
    const std::string& name = key.attr->longName;
    const bool empty = surface.isEmpty();
    if (isControlPoint(key))
        return storeControlPoint(node, key, surface.cvs());
    if (name == "local" || name == "worldSpace") {
        NurbsSurface value =
            name == "local" ? surface : transformedSurface(surface, worldMatrix(node));
        storage(node, key).data = ObjectAccess::wrap(std::make_shared<NurbsSurfaceData>(value));
    } else if (name == "degreeUV" || name == "degreeU" || name == "degreeV") {
        setNumber(node, "degreeU", surface.degreeU());
        setNumber(node, "degreeV", surface.degreeV());
    } else if (name == "spansUV" || name == "spansU" || name == "spansV") {
        setNumber(node, "spansU", empty ? 0 : surface.numSpansInU());
        setNumber(node, "spansV", empty ? 0 : surface.numSpansInV());
    } else if (name == "formU" || name == "formV") {
        setNumber(node, "formU", formIndex(surface.formInU()));
        setNumber(node, "formV", formIndex(surface.formInV()));
    } else {
        return dagBehaviour ? dagBehaviour(node, plug, data) : MStatus::kUnknownParameter;
    }
    return MStatus::kSuccess;
}

void markVolatile(NodeClass& type, std::initializer_list<const char*> names) {
    for (const char* name : names)
        type.volatileOutputs.push_back(type.findAttribute(name));
}

void addAffects(NodeClass& type, std::initializer_list<const char*> inputs, const char* output) {
    for (const char* input : inputs)
        type.addAffects(type.findAttribute(input), type.findAttribute(output));
}

// The CVs as the shape's "controlPoints" (u slowest on surfaces), read from its geometry.
MObject controlPointsAttribute() {
    using namespace typemaking;
    MObject attr = derived(numericTriple("controlPoints", "cp", MFnNumericData::kDouble, 0.0));
    Attribute* cp = attributeOf(attr);
    cp->flags.array = true;
    const char* names[3][2] = {{"xValue", "xv"}, {"yValue", "yv"}, {"zValue", "zv"}};
    for (size_t i = 0; i < 3; ++i) {
        cp->children[i]->longName = names[i][0];
        cp->children[i]->shortName = names[i][1];
    }
    return attr;
}

// Display attributes both shapes have, and their CVs.
void addDisplayAttributes(NodeClass& type) {
    using namespace typemaking;
    addAttributes(
        type, {controlPointsAttribute(), numeric("dispCV", "dcv", MFnNumericData::kBoolean, 0.0),
               numeric("dispEP", "dep", MFnNumericData::kBoolean, 0.0),
               numeric("dispHull", "dh", MFnNumericData::kBoolean, 0.0)});
}

void addCurveShape() {
    using namespace typemaking;
    NodeClass& type = addType("nurbsCurve", 0x4e435256, MFn::kNurbsCurve,
                              {MFn::kDependencyNode, MFn::kDagNode, MFn::kShape, MFn::kCurve}, true,
                              {typed("create", "cr", MFnData::kNurbsCurve, false),
                               typed("local", "l", MFnData::kNurbsCurve, true),
                               typed("worldSpace", "ws", MFnData::kNurbsCurve, true, true),
                               typed("cached", "cc", MFnData::kNurbsCurve, false),
                               derived(numeric("degree", "d", MFnNumericData::kInt, 3.0)),
                               derived(numeric("spans", "sps", MFnNumericData::kInt, 0.0)),
                               derived(enumeration("form", "f", 0, {"Open", "Closed", "Periodic"})),
                               derived(numeric("minValue", "min", MFnNumericData::kDouble, 0.0)),
                               derived(numeric("maxValue", "max", MFnNumericData::kDouble, 1.0))});
    addDisplayAttributes(type);
    type.shape = true;
    dagBehaviour = type.compute;
    type.compute = curveShapeCompute;
    markVolatile(type, {"local", "worldSpace", "degree", "spans", "form", "minValue", "maxValue",
                        "controlPoints", "xValue", "yValue", "zValue"});
}

void addSurfaceShape() {
    using namespace typemaking;
    NodeClass& type = addType(
        "nurbsSurface", 0x4e535246, MFn::kNurbsSurface,
        {MFn::kDependencyNode, MFn::kDagNode, MFn::kShape, MFn::kSurface}, true,
        {typed("create", "cr", MFnData::kNurbsSurface, false),
         typed("local", "l", MFnData::kNurbsSurface, true),
         typed("worldSpace", "ws", MFnData::kNurbsSurface, true, true),
         typed("cached", "cc", MFnData::kNurbsSurface, false),
         // Short names of these compounds are the host's choice.
         derived(pair("degreeUV", "dguv", numeric("degreeU", "du", MFnNumericData::kInt, 3.0),
                      numeric("degreeV", "dv", MFnNumericData::kInt, 3.0))),
         derived(pair("spansUV", "spuv", numeric("spansU", "su", MFnNumericData::kInt, 0.0),
                      numeric("spansV", "sv", MFnNumericData::kInt, 0.0))),
         derived(enumeration("formU", "fu", 0, {"Open", "Closed", "Periodic"})),
         derived(enumeration("formV", "fv", 0, {"Open", "Closed", "Periodic"})),
         numeric("curvePrecision", "cpr", MFnNumericData::kShort, 4.0),
         numeric("curvePrecisionShaded", "cps", MFnNumericData::kShort, 1.0)});
    addDisplayAttributes(type);
    type.shape = true;
    type.compute = surfaceShapeCompute;
    markVolatile(type,
                 {"local", "worldSpace", "degreeUV", "degreeU", "degreeV", "spansUV", "spansU",
                  "spansV", "formU", "formV", "controlPoints", "xValue", "yValue", "zValue"});
}

void addCircleCreator() {
    using namespace typemaking;
    MObject center = numericTriple("center", "c", MFnNumericData::kDouble, 0.0);
    MObject normal = numericTriple("normal", "nr", MFnNumericData::kDouble, 0.0);
    attributeOf(normal)->children[2]->defaultValue = 1.0;
    MObject firstPoint = numericTriple("firstPoint", "fp", MFnNumericData::kDouble, 0.0);
    attributeOf(firstPoint)->children[0]->defaultValue = 1.0;
    NodeClass& type =
        addType("makeNurbCircle", 0x4e434952, MFn::kDependencyNode, {MFn::kDependencyNode}, false,
                {center, normal, firstPoint, numeric("radius", "r", MFnNumericData::kDouble, 1.0),
                 numeric("degree", "d", MFnNumericData::kInt, 3.0),
                 numeric("sections", "s", MFnNumericData::kInt, 8.0),
                 numeric("sweep", "sw", MFnNumericData::kDouble, 360.0),
                 typed("outputCurve", "oc", MFnData::kNurbsCurve, true)});
    type.compute = circleCompute;
    addAffects(type,
               {"c", "cx", "cy", "cz", "nr", "nrx", "nry", "nrz", "fp", "fpx", "fpy", "fpz", "r",
                "d", "s"},
               "oc");
}

MObject axisAttribute() {
    MObject axis = typemaking::numericTriple("axis", "ax", MFnNumericData::kDouble, 0.0);
    attributeOf(axis)->children[1]->defaultValue = 1.0;
    return axis;
}

void addPlaneCreator() {
    using namespace typemaking;
    NodeClass& type =
        addType("makeNurbPlane", 0x4e504c4e, MFn::kDependencyNode, {MFn::kDependencyNode}, false,
                {numericTriple("pivot", "p", MFnNumericData::kDouble, 0.0), axisAttribute(),
                 numeric("width", "w", MFnNumericData::kDouble, 1.0),
                 numeric("lengthRatio", "lr", MFnNumericData::kDouble, 1.0),
                 numeric("patchesU", "u", MFnNumericData::kInt, 1.0),
                 numeric("patchesV", "v", MFnNumericData::kInt, 1.0),
                 numeric("degree", "d", MFnNumericData::kInt, 3.0),
                 typed("outputSurface", "os", MFnData::kNurbsSurface, true)});
    type.compute = planeCompute;
    addAffects(type, {"p", "px", "py", "pz", "ax", "axx", "axy", "axz", "w", "lr", "u", "v", "d"},
               "os");
}

void addSphereCreator() {
    using namespace typemaking;
    NodeClass& type =
        addType("makeNurbSphere", 0x4e535048, MFn::kDependencyNode, {MFn::kDependencyNode}, false,
                {numericTriple("pivot", "p", MFnNumericData::kDouble, 0.0), axisAttribute(),
                 numeric("radius", "r", MFnNumericData::kDouble, 1.0),
                 numeric("degree", "d", MFnNumericData::kInt, 3.0),
                 numeric("sections", "s", MFnNumericData::kInt, 8.0),
                 numeric("spans", "nsp", MFnNumericData::kInt, 4.0),
                 numeric("startSweep", "ssw", MFnNumericData::kDouble, 0.0),
                 numeric("endSweep", "esw", MFnNumericData::kDouble, 360.0),
                 numeric("heightRatio", "hr", MFnNumericData::kDouble, 2.0),
                 typed("outputSurface", "os", MFnData::kNurbsSurface, true)});
    type.compute = sphereCompute;
    addAffects(type, {"p", "px", "py", "pz", "ax", "axx", "axy", "axz", "r", "d", "s", "nsp"},
               "os");
}

}  // namespace

void addNurbsTypes() {
    registerNurbsComponents();
    addCurveShape();
    addSurfaceShape();
    addCircleCreator();
    addPlaneCreator();
    addSphereCreator();
}

const NurbsCurve& curveGeometry(Node& shape) {
    return upToDate<NurbsCurveData>(shape).curve;
}

const NurbsSurface& surfaceGeometry(Node& shape) {
    return upToDate<NurbsSurfaceData>(shape).surface;
}

const nurbs::NurbsSurfaceLocator& surfaceLocator(Node& shape) {
    NurbsSurfaceData& data = upToDate<NurbsSurfaceData>(shape);
    if (!data.locator)
        data.locator = std::make_unique<nurbs::NurbsSurfaceLocator>(data.surface);
    return *data.locator;
}

const nurbs::NurbsSurfaceLocator& carriedSurfaceLocator(Node& shape, const MMatrix& m) {
    NurbsSurfaceData& data = upToDate<NurbsSurfaceData>(shape);
    if (!data.carried || data.carried->matrix != m) {
        auto carried = std::make_unique<NurbsSurfaceData::Carried>();
        carried->matrix = m;
        carried->surface = transformedSurface(data.surface, m);
        carried->locator = std::make_unique<nurbs::NurbsSurfaceLocator>(carried->surface);
        data.carried = std::move(carried);
    }
    return *data.carried->locator;
}

void settleNurbsGeometry(Node& node) {
    if (node.hasFn(MFn::kNurbsCurve))
        curveGeometry(node);
    else if (node.hasFn(MFn::kNurbsSurface))
        surfaceGeometry(node);
}

void setCurveGeometry(Node& shape, NurbsCurve curve, EditLog* log) {
    setGeometry<NurbsCurveData>(shape, std::move(curve), log);
}

void setSurfaceGeometry(Node& shape, NurbsSurface surface, EditLog* log) {
    setGeometry<NurbsSurfaceData>(shape, std::move(surface), log);
}

void setCurveCVs(Node& shape, const CVPositions& cvs, EditLog* log) {
    setCVs<NurbsCurveData>(shape, cvs, log, true);
}

void setCurveEditPoints(Node& shape, const CVPositions& editPoints, EditLog* log) {
    upToDate<NurbsCurveData>(shape);
    const MObject before = cachedSlot(shape).data;
    NurbsCurveData& data = writableData<NurbsCurveData>(shape);
    const std::vector<MPoint> cvs = data.curve.cvs();
    nurbs::setEditPoints(data.curve, editPoints);
    if (sourceOf(shape, {shape.findAttribute("create"), -1})) {
        data.tweaks.resize(cvs.size(), MVector::zero);
        for (size_t i = 0; i < cvs.size(); ++i)
            data.tweaks[i] += data.curve.cvs()[i] - cvs[i];
    }
    logValueChange(shape, before, log);
}

void setSurfaceCVs(Node& shape, const CVPositions& cvs, EditLog* log, bool deferFormUpdate) {
    setCVs<NurbsSurfaceData>(shape, cvs, log, !deferFormUpdate);
}

void updateSurfaceForms(Node& shape) {
    upToDate<NurbsSurfaceData>(shape);
    writableData<NurbsSurfaceData>(shape).surface.updateSurface();
}

MBoundingBox nurbsBoundingBox(Node& shape) {
    const std::vector<MPoint>& cvs =
        shape.hasFn(MFn::kNurbsCurve) ? curveGeometry(shape).cvs() : surfaceGeometry(shape).cvs();
    MBoundingBox box;
    for (const MPoint& cv : cvs)
        box.expand(cv);
    return box;
}

NurbsCurve transformedCurve(const NurbsCurve& curve, const MMatrix& m) {
    std::vector<MPoint> cvs;
    cvs.reserve(curve.cvs().size());
    for (const MPoint& p : curve.cvs())
        cvs.push_back(p * m);
    auto moved = NurbsCurve::create(std::move(cvs), curve.knots(), curve.degree(),
                                    curve.form() == NurbsForm::kPeriodic);
    return moved.ok() ? moved.value() : curve;
}

NurbsSurface transformedSurface(const NurbsSurface& surface, const MMatrix& m) {
    std::vector<MPoint> cvs;
    cvs.reserve(surface.cvs().size());
    for (const MPoint& p : surface.cvs())
        cvs.push_back(p * m);
    auto moved = NurbsSurface::create(std::move(cvs), surface.numCVsInU(), surface.numCVsInV(),
                                      surface.knotsInU(), surface.knotsInV(), surface.degreeU(),
                                      surface.degreeV(), surface.formInU() == NurbsForm::kPeriodic,
                                      surface.formInV() == NurbsForm::kPeriodic);
    return moved.ok() ? moved.value() : surface;
}

bool isSimilarity(const MMatrix& m, double& scale) {
    const MVector rows[3] = {MVector(m[0][0], m[0][1], m[0][2]), MVector(m[1][0], m[1][1], m[1][2]),
                             MVector(m[2][0], m[2][1], m[2][2])};
    scale = rows[0].length();
    const double tolerance = 1e-9 * scale * scale;
    return scale > 0.0 && std::fabs(rows[1] * rows[1] - scale * scale) <= tolerance &&
           std::fabs(rows[2] * rows[2] - scale * scale) <= tolerance &&
           std::fabs(rows[0] * rows[1]) <= tolerance && std::fabs(rows[1] * rows[2]) <= tolerance &&
           std::fabs(rows[0] * rows[2]) <= tolerance;
}

MStatus connectHistory(Node& creator, const char* output, Node& shape, EditLog* log) {
    return connectPlugs(creator, {creator.findAttribute(output), -1}, shape,
                        {shape.findAttribute("create"), -1}, false, log);
}

}  // namespace mayasim
