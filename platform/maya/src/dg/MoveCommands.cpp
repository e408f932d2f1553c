// Commands that place objects: xform.

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>
#include <maya/MPxCommand.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include "dg/BuiltinTypes.h"
#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using Arg = MSyntax::MArgType;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kDistance = MSyntax::kDistance;
constexpr Arg kAngle = MSyntax::kAngle;

double number(Node& node, const char* attr) {
    return pull(node, {node.findAttribute(attr), -1}).get();
}

MVector triple(Node& node, const char* x, const char* y, const char* z) {
    return MVector(number(node, x), number(node, y), number(node, z));
}

double uiDistance(double cm) {
    return MDistance(cm, MDistance::kCentimeters).as(MDistance::uiUnit());
}

double internalDistance(double ui) {
    return MDistance(ui, MDistance::uiUnit()).asCentimeters();
}

MVector uiDistance(const MVector& v) {
    return MVector(uiDistance(v.x), uiDistance(v.y), uiDistance(v.z));
}

MVector internalDistance(const MVector& v) {
    return MVector(internalDistance(v.x), internalDistance(v.y), internalDistance(v.z));
}

MStatus xformQuery(CommandCall& call, Node& node, bool world) {
    MDoubleArray result;
    auto append = [&](const MVector& v) {
        result.append(v.x);
        result.append(v.y);
        result.append(v.z);
    };
    const MMatrix worldM = worldMatrix(node);
    if (call.isSet("-t")) {
        append(world ? uiDistance(MVector(worldM[3][0], worldM[3][1], worldM[3][2]))
                     : uiDistance(triple(node, "tx", "ty", "tz")));
    } else if (call.isSet("-ro")) {
        const MVector r = triple(node, "rx", "ry", "rz");
        append(MVector(MAngle::internalToUI(r.x), MAngle::internalToUI(r.y),
                       MAngle::internalToUI(r.z)));
    } else if (call.isSet("-s")) {
        append(triple(node, "sx", "sy", "sz"));
    } else if (call.isSet("-rp") || call.isSet("-piv") || call.isSet("-sp")) {
        const bool scalePivot = call.isSet("-sp");
        MPoint pivot(scalePivot ? triple(node, "spx", "spy", "spz")
                                : triple(node, "rpx", "rpy", "rpz"));
        if (world)
            pivot = pivot * worldM;
        append(uiDistance(MVector(pivot)));
        if (call.isSet("-piv"))
            append(uiDistance(MVector(pivot)));
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

void write(CommandCall& call, Node& node, const char* attr, double value) {
    setValue(
        node, {node.findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); },
        &call.log());
}

void writeTriple(CommandCall& call, Node& node, const char* x, const char* y, const char* z,
                 const MVector& v) {
    write(call, node, x, v.x);
    write(call, node, y, v.y);
    write(call, node, z, v.z);
}

MStatus xformEdit(CommandCall& call, Node& node, bool world) {
    const bool relative = call.isSet("-r");
    const MMatrix parentInverse = node.parent ? worldMatrix(*node.parent).inverse() : MMatrix();
    if (call.isSet("-m")) {
        MMatrix m;
        for (unsigned int i = 0; i < 16; ++i) {
            const double value = call.number("-m", 0.0, i);
            m[i / 4][i % 4] = i >= 12 && i < 15 ? internalDistance(value) : value;
        }
        if (world)
            m = m * parentInverse;
        const MTransformationMatrix decomposed(m);
        MEulerRotation r = decomposed.eulerRotation();
        r.reorderIt(static_cast<MEulerRotation::RotationOrder>(number(node, "ro")));
        double s[3];
        decomposed.getScale(s, MSpace::kTransform);
        writeTriple(call, node, "tx", "ty", "tz", decomposed.getTranslation(MSpace::kTransform));
        writeTriple(call, node, "rx", "ry", "rz", MVector(r.x, r.y, r.z));
        writeTriple(call, node, "sx", "sy", "sz", MVector(s[0], s[1], s[2]));
    }
    if (call.isSet("-t")) {
        const MVector v = internalDistance(call.vector("-t"));
        MVector t = triple(node, "tx", "ty", "tz");
        if (world && relative) {
            t += v * parentInverse;
        } else if (world) {
            // Place the transform's origin at v: offset by where it is now.
            const MMatrix w = worldMatrix(node);
            t += (v - MVector(w[3][0], w[3][1], w[3][2])) * parentInverse;
        } else {
            t = relative ? t + v : v;
        }
        writeTriple(call, node, "tx", "ty", "tz", t);
    }
    if (call.isSet("-ro")) {
        MVector v = call.vector("-ro");
        v = MVector(MAngle::uiToInternal(v.x), MAngle::uiToInternal(v.y),
                    MAngle::uiToInternal(v.z));
        writeTriple(call, node, "rx", "ry", "rz",
                    relative ? triple(node, "rx", "ry", "rz") + v : v);
    }
    if (call.isSet("-s")) {
        MVector v = call.vector("-s");
        if (relative) {
            const MVector s = triple(node, "sx", "sy", "sz");
            v = MVector(s.x * v.x, s.y * v.y, s.z * v.z);
        }
        writeTriple(call, node, "sx", "sy", "sz", v);
    }
    const bool pivots = call.isSet("-piv");
    MVector pivot = internalDistance(call.vector("-piv"));
    if (world && pivots)
        pivot = MVector(MPoint(pivot) * worldMatrix(node).inverse());
    if (pivots || call.isSet("-rp")) {
        if (!pivots)
            pivot = internalDistance(call.vector("-rp"));
        writeTriple(call, node, "rpx", "rpy", "rpz", pivot);
    }
    if (pivots || call.isSet("-sp")) {
        if (!pivots)
            pivot = internalDistance(call.vector("-sp"));
        writeTriple(call, node, "spx", "spy", "spz", pivot);
    }
    return MStatus::kSuccess;
}

MStatus xform(CommandCall& call) {
    const std::vector<std::string> names = call.objects();
    if (names.empty())
        return call.fail("xform: No object was given.");
    const bool world = call.isSet("-ws");
    std::vector<Node*> nodes;
    for (const std::string& name : names) {
        Node* node = findNode(name);
        if (!node)
            return MStatus::kFailure;
        if (!node->hasFn(MFn::kTransform) || !node->findAttribute("tx"))
            return call.fail("xform: " + name + " is not a transform.");
        nodes.push_back(node);
    }
    if (call.isQuery())
        return xformQuery(call, *nodes.front(), world);
    for (Node* node : nodes) {
        const MStatus status = xformEdit(call, *node, world);
        if (!status)
            return status;
    }
    return MStatus::kSuccess;
}

const CommandSpec kMoveCommands[] = {
    {"xform",
     {{"-t", "-translation", {kDistance, kDistance, kDistance}},
      {"-ro", "-rotation", {kAngle, kAngle, kAngle}},
      {"-s", "-scale", {kDouble, kDouble, kDouble}},
      {"-rp", "-rotatePivot", {kDistance, kDistance, kDistance}},
      {"-sp", "-scalePivot", {kDistance, kDistance, kDistance}},
      {"-piv", "-pivots", {kDistance, kDistance, kDistance}},
      {"-m",
       "-matrix",
       {kDouble, kDouble, kDouble, kDouble, kDouble, kDouble, kDouble, kDouble, kDouble, kDouble,
        kDouble, kDouble, kDouble, kDouble, kDouble, kDouble}},
      {"-ws", "-worldSpace"},
      {"-os", "-objectSpace"},
      {"-r", "-relative"},
      {"-a", "-absolute"}},
     objects(0, UINT_MAX, true),
     xform,
     true},
};

}  // namespace

void registerMoveCommands(CommandEngine& engine) {
    registerCommandTable(engine, kMoveCommands);
}

}  // namespace mayasim
