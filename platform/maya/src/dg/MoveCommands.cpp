// Commands that place objects and points: xform, move, rotate, scale and pointPosition.
// Transforms change through their channels, components through the points their shape
// offers; values cross the command line in UI units.

#include <algorithm>
#include <functional>

#include <maya/MAngle.h>
#include <maya/MBoundingBox.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>
#include <maya/MPxCommand.h>
#include <maya/MQuaternion.h>
#include <maya/MSelectionList.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include "dg/BuiltinTypes.h"
#include "dg/Component.h"
#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "dg/ShapeComponents.h"
#include "mayasim/CommandEngine.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using Arg = MSyntax::MArgType;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kDistance = MSyntax::kDistance;
constexpr Arg kAngle = MSyntax::kAngle;
constexpr Arg kBoolean = MSyntax::kBoolean;

// ---- units and channels ----

double uiDistance(double cm) {
    return MDistance(cm, MDistance::kCentimeters).as(MDistance::uiUnit());
}

MVector uiDistance(const MVector& v) {
    return MVector(uiDistance(v.x), uiDistance(v.y), uiDistance(v.z));
}

MVector internalDistance(const MVector& v) {
    auto cm = [](double ui) { return MDistance(ui, MDistance::uiUnit()).asCentimeters(); };
    return MVector(cm(v.x), cm(v.y), cm(v.z));
}

MVector uiAngles(const MVector& v) {
    return MVector(MAngle::internalToUI(v.x), MAngle::internalToUI(v.y), MAngle::internalToUI(v.z));
}

MVector internalAngles(const MVector& v) {
    return MVector(MAngle::uiToInternal(v.x), MAngle::uiToInternal(v.y), MAngle::uiToInternal(v.z));
}

struct Channels {
    const char* x;
    const char* y;
    const char* z;
};

constexpr Channels kTranslate{"tx", "ty", "tz"};
constexpr Channels kRotate{"rx", "ry", "rz"};
constexpr Channels kScale{"sx", "sy", "sz"};
constexpr Channels kRotatePivot{"rpx", "rpy", "rpz"};
constexpr Channels kRotatePivotTranslate{"rptx", "rpty", "rptz"};
constexpr Channels kScalePivot{"spx", "spy", "spz"};
constexpr Channels kScalePivotTranslate{"sptx", "spty", "sptz"};

double number(Node& node, const char* attr) {
    return pull(node, {node.findAttribute(attr), -1}).get();
}

MVector read(Node& node, Channels c) {
    return MVector(number(node, c.x), number(node, c.y), number(node, c.z));
}

MEulerRotation::RotationOrder rotateOrder(Node& node) {
    return static_cast<MEulerRotation::RotationOrder>(number(node, "ro"));
}

// A channel a command may not change: locked, or driven by a connection (itself or the
// compound it belongs to).
bool isFixed(Node& node, const char* attrName) {
    const Attribute* attr = node.findAttribute(attrName);
    for (; attr; attr = attr->parent) {
        const PlugKey key{attr, -1};
        if (node.locked.count(key) || sourceOf(node, key))
            return true;
    }
    return false;
}

// Sets three channels; fails with Maya's message, changing nothing more, when one is fixed.
MStatus write(CommandCall& call, Node& node, Channels c, const MVector& v) {
    const char* names[3] = {c.x, c.y, c.z};
    for (const char* name : names) {
        if (isFixed(node, name)) {
            const MPlug plug = PlugAccess::make(node, {node.findAttribute(name), -1});
            return call.fail(std::string(call.name()) + ": The attribute '" + plug.name().asChar() +
                             "' is locked or connected and cannot be modified.");
        }
    }
    for (int i = 0; i < 3; ++i) {
        const double value = v[i];
        setValue(
            node, {node.findAttribute(names[i]), -1}, [value](Slot& slot) { slot.set(value); },
            &call.log());
    }
    return MStatus::kSuccess;
}

MMatrix parentMatrix(Node& node) {
    return node.parent ? worldMatrix(*node.parent) : MMatrix();
}

MVector worldPosition(Node& node) {
    const MMatrix world = worldMatrix(node);
    return MVector(world[3][0], world[3][1], world[3][2]);
}

MMatrix rotationOf(const MMatrix& m) {
    return MTransformationMatrix(m).rotation().asMatrix();
}

// The rotate channels that give `node` the world orientation `world`.
MVector channelsForWorldRotation(Node& node, const MMatrix& world) {
    const MVector ra = read(node, {"rax", "ray", "raz"});
    const MMatrix rotateAxis = MEulerRotation(ra.x, ra.y, ra.z, MEulerRotation::kXYZ).asMatrix();
    const MMatrix local = rotateAxis.inverse() * world * rotationOf(parentMatrix(node)).inverse();
    return MEulerRotation::decompose(local, rotateOrder(node)).asVector();
}

// ---- what a command acts on ----

// Points of one shape that a component names.
struct PointSet {
    Node* shape;
    MDagPath path;
    const ShapeComponents* offers;
    std::vector<int> indices;
};

struct Targets {
    std::vector<Node*> transforms;
    std::vector<PointSet> points;
};

// The items `names` (or the active selection) name, as transforms and point sets; a shape
// named without components stands for its transform.
bool collectTargets(CommandCall& call, const std::vector<std::string>& names, Targets& out) {
    MSelectionList items;
    if (names.empty()) {
        items = scene().selection;
    } else {
        for (const std::string& name : names) {
            if (!items.add(MString(name.c_str()))) {
                call.fail("No object matches name: " + name);
                return false;
            }
        }
    }
    if (items.length() == 0) {
        call.fail(std::string(call.name()) +
                  ": Nothing to act on: no objects were given or selected.");
        return false;
    }
    for (unsigned int i = 0; i < items.length(); ++i) {
        MDagPath path;
        MObject component;
        if (!items.getDagPath(i, path, component)) {
            call.fail(std::string(call.name()) + ": Only DAG objects can be placed.");
            return false;
        }
        Node* node = nodeOf(path.node());
        if (auto* parts = ObjectAccess::as<Component>(component)) {
            const ShapeComponents* offers = shapeComponents(*node);
            if (offers)
                out.points.push_back({node, path, offers, offers->pointsOf(*node, *parts)});
            continue;
        }
        if (!node->findAttribute("tx") && node->parent && node->parent->findAttribute("tx"))
            node = node->parent;
        if (!node->findAttribute("tx")) {
            call.fail(std::string(call.name()) + ": " + node->name + " is not a transform.");
            return false;
        }
        if (std::find(out.transforms.begin(), out.transforms.end(), node) == out.transforms.end())
            out.transforms.push_back(node);
    }
    return true;
}

// Moves every point of `set` to `place(world position)`, recorded for undo.
void movePoints(CommandCall& call, const PointSet& set,
                const std::function<MPoint(const MPoint&)>& place) {
    const MMatrix toWorld = set.path.inclusiveMatrix();
    const MMatrix toObject = toWorld.inverse();
    std::vector<MPoint> before, after;
    set.offers->getPoints(*set.shape, set.indices, before);
    after.reserve(before.size());
    for (const MPoint& p : before)
        after.push_back(place(p * toWorld) * toObject);
    auto apply = [keep = set.shape->shared(), offers = set.offers,
                  indices = set.indices](const std::vector<MPoint>& positions) {
        offers->setPoints(*keep, indices, positions);
    };
    apply(after);
    call.log().add([apply, before] { apply(before); }, [apply, after] { apply(after); });
}

// The centre of the world bounding box of every point in `targets`.
MPoint pointsCentre(const Targets& targets) {
    MBoundingBox box;
    std::vector<MPoint> points;
    for (const PointSet& set : targets.points) {
        const MMatrix toWorld = set.path.inclusiveMatrix();
        set.offers->getPoints(*set.shape, set.indices, points);
        for (const MPoint& p : points)
            box.expand(p * toWorld);
    }
    return box.center();
}

// ---- move, rotate, scale: values, axes and space ----

struct Values {
    MVector v;
    bool axis[3] = {true, true, true};
};

// The leading numbers of the command's objects: one per -x/-y/-z flag given, else three.
// The rest are the names of what to act on.
bool takeValues(CommandCall& call, std::vector<std::string>& names, Values& values,
                double fallback) {
    const char* axisFlags[3] = {"-x", "-y", "-z"};
    const bool anyAxis = call.isSet("-x") || call.isSet("-y") || call.isSet("-z");
    int wanted = 0;
    for (int i = 0; i < 3; ++i) {
        values.axis[i] = !anyAxis || call.isSet(axisFlags[i]);
        wanted += values.axis[i] ? 1 : 0;
        values.v[i] = fallback;
    }
    int taken = 0;
    for (int i = 0; i < 3; ++i) {
        if (!values.axis[i])
            continue;
        if (taken >= static_cast<int>(names.size()) || !MString(names[taken].c_str()).isDouble()) {
            call.fail(std::string(call.name()) + ": " + std::to_string(wanted) +
                      " values are needed.");
            return false;
        }
        values.v[i] = MString(names[taken++].c_str()).asDouble();
    }
    names.erase(names.begin(), names.begin() + taken);
    return true;
}

MVector keepAxes(const MVector& changed, const MVector& original, const Values& values) {
    MVector out = original;
    for (int i = 0; i < 3; ++i) {
        if (values.axis[i])
            out[i] = changed[i];
    }
    return out;
}

bool begin(CommandCall& call, Values& values, Targets& targets, double fallback) {
    std::vector<std::string> names = call.objects();
    return takeValues(call, names, values, fallback) && collectTargets(call, names, targets);
}

// move: world space unless -os or -ls; absolute unless -r.
MStatus moveTransform(CommandCall& call, Node& node, const Values& values) {
    const MVector v = internalDistance(values.v);
    const bool relative = call.isSet("-r");
    const MVector t = read(node, kTranslate);
    if (call.isSet("-ls") || (call.isSet("-os") && !relative))
        return write(call, node, kTranslate, relative ? t + v : keepAxes(v, t, values));
    if (call.isSet("-os"))
        return write(call, node, kTranslate, t + v * localMatrix(node));
    MVector from = worldPosition(node);
    if (call.isSet("-rpr") || call.isSet("-spr")) {
        const Channels pivot = call.isSet("-rpr") ? kRotatePivot : kScalePivot;
        from = MVector(MPoint(read(node, pivot)) * worldMatrix(node));
    }
    const MVector delta =
        relative ? keepAxes(v, MVector::zero, values) : keepAxes(v, from, values) - from;
    return write(call, node, kTranslate, t + delta * parentMatrix(node).inverse());
}

MStatus move(CommandCall& call) {
    Values values;
    Targets targets;
    if (!begin(call, values, targets, 0.0))
        return MStatus::kFailure;
    for (Node* node : targets.transforms) {
        const MStatus status = moveTransform(call, *node, values);
        if (!status)
            return status;
    }
    const MVector v = internalDistance(values.v);
    const bool relative = call.isSet("-r");
    const bool objectSpace = call.isSet("-os") || call.isSet("-ls");
    for (const PointSet& set : targets.points) {
        const MMatrix toWorld = set.path.inclusiveMatrix();
        movePoints(call, set, [&](const MPoint& world) {
            if (!objectSpace) {
                return relative ? world + keepAxes(v, MVector::zero, values)
                                : MPoint(keepAxes(v, MVector(world), values));
            }
            const MPoint local = world * toWorld.inverse();
            const MPoint moved = relative ? local + keepAxes(v, MVector::zero, values)
                                          : MPoint(keepAxes(v, MVector(local), values));
            return moved * toWorld;
        });
    }
    return MStatus::kSuccess;
}

// Moves a transform so that rotating it turns its rotate pivot about `pivot` too.
MStatus orbit(CommandCall& call, Node& node, const MPoint& pivot, const MMatrix& before,
              const MMatrix& after) {
    const MPoint centre = MPoint(read(node, kRotatePivot)) * worldMatrix(node);
    const MMatrix turn = rotationOf(before).inverse() * rotationOf(after);
    const MVector delta = ((centre - pivot) * turn + MVector(pivot)) - MVector(centre);
    const Channels moved = call.isSet("-t") ? kTranslate : kRotatePivotTranslate;
    return write(call, node, moved,
                 read(node, moved) + MVector(delta) * parentMatrix(node).inverse());
}

MStatus rotateTransform(CommandCall& call, Node& node, const Values& values) {
    const MVector angles = internalAngles(values.v);
    const MVector r = read(node, kRotate);
    const MMatrix before = worldMatrix(node);
    const auto order = call.isSet("-fo") ? MEulerRotation::kXYZ : rotateOrder(node);
    const MMatrix turn = MEulerRotation(angles.x, angles.y, angles.z, order).asMatrix();
    const bool relative = call.isSet("-r");
    const bool anyAxis = !(values.axis[0] && values.axis[1] && values.axis[2]);
    MVector target;
    if (relative && call.isSet("-eu")) {
        target = r + keepAxes(angles, MVector::zero, values);
    } else if (!relative && (call.isSet("-os") || anyAxis)) {
        target = keepAxes(angles, r, values);
    } else if (!relative) {
        target = channelsForWorldRotation(node, turn);
    } else {
        const MMatrix now = rotationOf(before);
        const MMatrix world = call.isSet("-os") ? turn * now : now * turn;
        target = channelsForWorldRotation(node, world);
    }
    MStatus status = write(call, node, kRotate, target);
    if (status && call.isSet("-p"))
        status = orbit(call, node, MPoint(internalDistance(call.vector("-p"))), before,
                       worldMatrix(node));
    return status;
}

MStatus rotate(CommandCall& call) {
    Values values;
    Targets targets;
    if (!begin(call, values, targets, 0.0))
        return MStatus::kFailure;
    for (Node* node : targets.transforms) {
        const MStatus status = rotateTransform(call, *node, values);
        if (!status)
            return status;
    }
    if (targets.points.empty())
        return MStatus::kSuccess;
    // Points turn about the pivot given, else the centre of all of them, by the angles in
    // XYZ order: absolute and relative alike, as points have no rotation of their own.
    const MVector a = internalAngles(keepAxes(values.v, MVector::zero, values));
    const MMatrix turn = MEulerRotation(a.x, a.y, a.z, MEulerRotation::kXYZ).asMatrix();
    const MPoint pivot =
        call.isSet("-p") ? MPoint(internalDistance(call.vector("-p"))) : pointsCentre(targets);
    for (const PointSet& set : targets.points) {
        const MMatrix axes = call.isSet("-os") ? rotationOf(set.path.inclusiveMatrix()) : MMatrix();
        const MMatrix worldTurn = axes.inverse() * turn * axes;
        movePoints(call, set, [&](const MPoint& world) {
            return MPoint((world - pivot) * worldTurn + MVector(pivot));
        });
    }
    return MStatus::kSuccess;
}

MVector times(const MVector& a, const MVector& b) {
    return MVector(a.x * b.x, a.y * b.y, a.z * b.z);
}

MStatus scaleTransform(CommandCall& call, Node& node, const Values& values) {
    const MVector s = read(node, kScale);
    const MVector factors = keepAxes(values.v, MVector(1.0, 1.0, 1.0), values);
    const MVector target = call.isSet("-a") ? keepAxes(values.v, s, values) : times(s, factors);
    const MPoint centre = MPoint(read(node, kScalePivot)) * worldMatrix(node);
    MStatus status = write(call, node, kScale, target);
    if (status && call.isSet("-p")) {
        const MPoint pivot(internalDistance(call.vector("-p")));
        const MVector ratio(s.x != 0.0 ? target.x / s.x : 1.0, s.y != 0.0 ? target.y / s.y : 1.0,
                            s.z != 0.0 ? target.z / s.z : 1.0);
        const MVector delta = times(centre - pivot, ratio) - (centre - pivot);
        status = write(call, node, kTranslate,
                       read(node, kTranslate) + delta * parentMatrix(node).inverse());
    }
    return status;
}

MStatus scale(CommandCall& call) {
    Values values;
    Targets targets;
    if (!begin(call, values, targets, 1.0))
        return MStatus::kFailure;
    for (Node* node : targets.transforms) {
        const MStatus status = scaleTransform(call, *node, values);
        if (!status)
            return status;
    }
    if (targets.points.empty())
        return MStatus::kSuccess;
    // Points scale about the pivot given, else the centre of all of them, along the world
    // axes (the object's with -os or -ls).
    const MVector factors = keepAxes(values.v, MVector(1.0, 1.0, 1.0), values);
    const MPoint pivot =
        call.isSet("-p") ? MPoint(internalDistance(call.vector("-p"))) : pointsCentre(targets);
    for (const PointSet& set : targets.points) {
        const bool objectAxes = call.isSet("-os") || call.isSet("-ls");
        const MMatrix axes = objectAxes ? rotationOf(set.path.inclusiveMatrix()) : MMatrix();
        movePoints(call, set, [&](const MPoint& world) {
            const MVector along = (world - pivot) * axes.inverse();
            return MPoint(MVector(pivot) + times(along, factors) * axes);
        });
    }
    return MStatus::kSuccess;
}

MStatus pointPosition(CommandCall& call) {
    Targets targets;
    if (!collectTargets(call, call.objects(), targets))
        return MStatus::kFailure;
    if (targets.points.empty() || targets.points.front().indices.empty())
        return call.fail("pointPosition: A point (a vertex or a CV) is needed.");
    const PointSet& set = targets.points.front();
    std::vector<MPoint> first;
    set.offers->getPoints(*set.shape, {set.indices.front()}, first);
    MPoint p = first.front();
    if (!call.isSet("-l"))
        p = p * set.path.inclusiveMatrix();
    MDoubleArray result;
    for (double value : {p.x, p.y, p.z})
        result.append(uiDistance(value));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

// ---- xform ----

void append(MDoubleArray& out, const MVector& v) {
    out.append(v.x);
    out.append(v.y);
    out.append(v.z);
}

MStatus xformQueryPoints(const Targets& targets, bool world) {
    MDoubleArray result;
    std::vector<MPoint> points;
    for (const PointSet& set : targets.points) {
        const MMatrix toWorld = world ? set.path.inclusiveMatrix() : MMatrix();
        set.offers->getPoints(*set.shape, set.indices, points);
        for (const MPoint& p : points)
            append(result, uiDistance(MVector(p * toWorld)));
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MVector pivotIn(Node& node, Channels pivot, bool world) {
    const MPoint p(read(node, pivot));
    return uiDistance(MVector(world ? p * worldMatrix(node) : p));
}

MStatus xformQuery(CommandCall& call, Node& node, bool world) {
    MDoubleArray result;
    const MMatrix worldM = worldMatrix(node);
    if (call.isSet("-t")) {
        append(result, uiDistance(world ? worldPosition(node) : read(node, kTranslate)));
    } else if (call.isSet("-ro")) {
        const MVector r =
            world ? MEulerRotation::decompose(rotationOf(worldM), rotateOrder(node)).asVector()
                  : read(node, kRotate);
        append(result, uiAngles(r));
    } else if (call.isSet("-s")) {
        double s[3] = {1.0, 1.0, 1.0};
        MTransformationMatrix(worldM).getScale(s, MSpace::kTransform);
        append(result, world ? MVector(s[0], s[1], s[2]) : read(node, kScale));
    } else if (call.isSet("-piv")) {
        append(result, pivotIn(node, kRotatePivot, world));
        append(result, pivotIn(node, kScalePivot, world));
    } else if (call.isSet("-rp") || call.isSet("-sp")) {
        append(result, pivotIn(node, call.isSet("-rp") ? kRotatePivot : kScalePivot, world));
    } else if (call.isSet("-m")) {
        const MMatrix m = world ? worldM : localMatrix(node);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c)
                result.append(r == 3 && c < 3 ? uiDistance(m[r][c]) : m[r][c]);
        }
    } else {
        return call.fail("xform: Nothing to query.");
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MStatus xformMatrix(CommandCall& call, Node& node, bool world) {
    MMatrix m;
    for (unsigned int i = 0; i < 16; ++i)
        m[i / 4][i % 4] = call.number("-m", 0.0, i);
    const MVector t = internalDistance(MVector(m[3][0], m[3][1], m[3][2]));
    m[3][0] = t.x;
    m[3][1] = t.y;
    m[3][2] = t.z;
    if (world)
        m = m * parentMatrix(node).inverse();
    const MTransformationMatrix decomposed(m);
    MEulerRotation r = decomposed.eulerRotation();
    r.reorderIt(rotateOrder(node));
    double s[3];
    decomposed.getScale(s, MSpace::kTransform);
    MStatus status = write(call, node, kTranslate, decomposed.getTranslation(MSpace::kTransform));
    if (status)
        status = write(call, node, kRotate, r.asVector());
    if (status)
        status = write(call, node, kScale, MVector(s[0], s[1], s[2]));
    return status;
}

MStatus xformTranslate(CommandCall& call, Node& node, bool world, bool relative) {
    const MVector v = internalDistance(call.vector("-t"));
    const MVector t = read(node, kTranslate);
    if (!world)
        return write(call, node, kTranslate, relative ? t + v : v);
    const MVector delta = relative ? v : v - worldPosition(node);
    return write(call, node, kTranslate, t + delta * parentMatrix(node).inverse());
}

MStatus xformRotate(CommandCall& call, Node& node, bool world, bool relative) {
    const MVector angles = internalAngles(call.vector("-ro"));
    if (!world)
        return write(call, node, kRotate, relative ? read(node, kRotate) + angles : angles);
    const MMatrix turn = MEulerRotation(angles.x, angles.y, angles.z, rotateOrder(node)).asMatrix();
    const MMatrix target = relative ? rotationOf(worldMatrix(node)) * turn : turn;
    return write(call, node, kRotate, channelsForWorldRotation(node, target));
}

MStatus xformScale(CommandCall& call, Node& node, bool relative) {
    const MVector v = call.vector("-s");
    return write(call, node, kScale, relative ? times(read(node, kScale), v) : v);
}

// Moves a pivot; with -preserve (the default) the pivot's translate makes up for it, so the
// object stays where it is.
MStatus movePivot(CommandCall& call, Node& node, Channels pivot, Channels makeUp,
                  const MMatrix& linear, const MVector& value, bool world, bool relative) {
    const MVector old = read(node, pivot);
    MVector moved;
    if (world) {
        const MMatrix toObject = worldMatrix(node).inverse();
        moved = relative ? old + value * toObject : MVector(MPoint(value) * toObject);
    } else {
        moved = relative ? old + value : value;
    }
    MStatus status = write(call, node, pivot, moved);
    if (status && call.boolean("-p", true)) {
        const MVector shift = old - moved;
        status = write(call, node, makeUp, read(node, makeUp) + shift - shift * linear);
    }
    return status;
}

MStatus xformPivots(CommandCall& call, Node& node, bool world, bool relative) {
    const bool both = call.isSet("-piv");
    MStatus status;
    if (both || call.isSet("-rp")) {
        const MVector ra = read(node, {"rax", "ray", "raz"});
        const MVector r = read(node, kRotate);
        const MMatrix linear = MEulerRotation(ra.x, ra.y, ra.z).asMatrix() *
                               MEulerRotation(r.x, r.y, r.z, rotateOrder(node)).asMatrix();
        status = movePivot(call, node, kRotatePivot, kRotatePivotTranslate, linear,
                           internalDistance(call.vector(both ? "-piv" : "-rp")), world, relative);
    }
    if (status && (both || call.isSet("-sp"))) {
        MMatrix linear;
        const MVector s = read(node, kScale);
        linear[0][0] = s.x;
        linear[1][1] = s.y;
        linear[2][2] = s.z;
        linear[1][0] = number(node, "shxy");
        linear[2][0] = number(node, "shxz");
        linear[2][1] = number(node, "shyz");
        status = movePivot(call, node, kScalePivot, kScalePivotTranslate, linear,
                           internalDistance(call.vector(both ? "-piv" : "-sp")), world, relative);
    }
    return status;
}

MStatus xformEdit(CommandCall& call, Node& node, bool world) {
    const bool relative = call.isSet("-r");
    MStatus status;
    if (call.isSet("-m"))
        status = xformMatrix(call, node, world);
    if (status && call.isSet("-t"))
        status = xformTranslate(call, node, world, relative);
    if (status && call.isSet("-ro"))
        status = xformRotate(call, node, world, relative);
    if (status && call.isSet("-s"))
        status = xformScale(call, node, relative);
    if (status)
        status = xformPivots(call, node, world, relative);
    return status;
}

// xform -t on components places their points.
MStatus xformPoints(CommandCall& call, const Targets& targets, bool world) {
    const MVector v = internalDistance(call.vector("-t"));
    const bool relative = call.isSet("-r");
    for (const PointSet& set : targets.points) {
        const MMatrix toWorld = set.path.inclusiveMatrix();
        movePoints(call, set, [&](const MPoint& at) {
            if (world)
                return relative ? at + v : MPoint(v);
            const MPoint local = at * toWorld.inverse();
            return (relative ? local + v : MPoint(v)) * toWorld;
        });
    }
    return MStatus::kSuccess;
}

MStatus xform(CommandCall& call) {
    const std::vector<std::string> names = call.objects();
    if (names.empty() && scene().selection.length() == 0)
        return call.fail("xform: No object was given.");
    Targets targets;
    if (!collectTargets(call, names, targets))
        return MStatus::kFailure;
    const bool world = call.isSet("-ws");
    if (call.isQuery()) {
        if (!targets.points.empty() && call.isSet("-t"))
            return xformQueryPoints(targets, world);
        if (targets.transforms.empty())
            return call.fail("xform: Only a point's translation can be queried.");
        return xformQuery(call, *targets.transforms.front(), world);
    }
    for (Node* node : targets.transforms) {
        const MStatus status = xformEdit(call, *node, world);
        if (!status)
            return status;
    }
    return call.isSet("-t") ? xformPoints(call, targets, world) : MStatus(MStatus::kSuccess);
}

struct AxisFlags {
    const char* x;
    const char* y;
    const char* z;
};

// The flags move, rotate and scale share, their axis flags named after them (-moveX...).
std::vector<FlagSpec> withSpaceFlags(AxisFlags axes, std::vector<FlagSpec> flags) {
    const std::vector<FlagSpec> shared = {
        {"-a", "-absolute"}, {"-r", "-relative"}, {"-ws", "-worldSpace"}, {"-os", "-objectSpace"},
        {"-x", axes.x},      {"-y", axes.y},      {"-z", axes.z}};
    flags.insert(flags.end(), shared.begin(), shared.end());
    return flags;
}

const CommandSpec kMoveCommands[] = {
    {"xform",
     {{"-t", "-translation", {kDistance, kDistance, kDistance}},
      {"-ro", "-rotation", {kAngle, kAngle, kAngle}},
      {"-s", "-scale", {kDouble, kDouble, kDouble}},
      {"-rp", "-rotatePivot", {kDistance, kDistance, kDistance}},
      {"-sp", "-scalePivot", {kDistance, kDistance, kDistance}},
      {"-piv", "-pivots", {kDistance, kDistance, kDistance}},
      {"-m", "-matrix", std::vector<Arg>(16, kDouble)},
      {"-p", "-preserve", {kBoolean}},
      {"-ws", "-worldSpace"},
      {"-os", "-objectSpace"},
      {"-r", "-relative"},
      {"-a", "-absolute"}},
     objects(),
     xform,
     true},
    {"move",
     withSpaceFlags({"-moveX", "-moveY", "-moveZ"}, {{"-ls", "-localSpace"},
                                                     {"-rpr", "-rotatePivotRelative"},
                                                     {"-spr", "-scalePivotRelative"}}),
     objects(), move},
    {"rotate",
     withSpaceFlags({"-rotateX", "-rotateY", "-rotateZ"},
                    {{"-p", "-pivot", {kDistance, kDistance, kDistance}},
                     {"-eu", "-euler"},
                     {"-fo", "-forceOrderXYZ"},
                     {"-t", "-translate"}}),
     objects(), rotate},
    {"scale",
     withSpaceFlags({"-scaleX", "-scaleY", "-scaleZ"},
                    {{"-p", "-pivot", {kDistance, kDistance, kDistance}}, {"-ls", "-localSpace"}}),
     objects(), scale},
    {"pointPosition", {{"-w", "-world"}, {"-l", "-local"}}, objects(1, 1), pointPosition},
};

}  // namespace

void registerMoveCommands(CommandEngine& engine) {
    registerCommandTable(engine, kMoveCommands);
}

}  // namespace mayasim
