// Commands that place objects: xform, camera, currentTime, lookThru.

#include <cctype>

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>
#include <maya/MTime.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include "dg/BuiltinTypes.h"
#include "dg/Graph.h"
#include "dg/NodeClass.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/Scene.h"
#include "mayasim/Views.h"

namespace mayasim {

namespace {

template <typename T>
void* create() {
    return new T;
}

double number(Node& node, const char* attr) {
    return pull(node, {node.findAttribute(attr), -1}).get();
}

MVector triple(Node& node, const char* x, const char* y, const char* z) {
    return MVector(number(node, x), number(node, y), number(node, z));
}

bool flagTriple(const MArgDatabase& db, const char* flag, MVector& out) {
    for (unsigned int i = 0; i < 3; ++i) {
        if (!db.getFlagArgument(flag, i, out[i]))
            return false;
    }
    return true;
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

// "pCube2" -> "pCubeShape2": a shape is named after its transform, number kept.
std::string shapeNameFor(const std::string& transform) {
    size_t digits = transform.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(transform[digits - 1])))
        --digits;
    return transform.substr(0, digits) + "Shape" + transform.substr(digits);
}

class XformCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery(true);
        syntax.addFlag("-t", "-translation", MSyntax::kDistance, MSyntax::kDistance,
                       MSyntax::kDistance);
        syntax.addFlag("-ro", "-rotation", MSyntax::kAngle, MSyntax::kAngle, MSyntax::kAngle);
        syntax.addFlag("-s", "-scale", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        syntax.addFlag("-rp", "-rotatePivot", MSyntax::kDistance, MSyntax::kDistance,
                       MSyntax::kDistance);
        syntax.addFlag("-sp", "-scalePivot", MSyntax::kDistance, MSyntax::kDistance,
                       MSyntax::kDistance);
        syntax.addFlag("-piv", "-pivots", MSyntax::kDistance, MSyntax::kDistance,
                       MSyntax::kDistance);
        syntax.addFlag("-m", "-matrix", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble,
                       MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        syntax.addFlag("-ws", "-worldSpace");
        syntax.addFlag("-os", "-objectSpace");
        syntax.addFlag("-r", "-relative");
        syntax.addFlag("-a", "-absolute");
        syntax.setObjectType(MSyntax::kStringObjects);
        syntax.useSelectionAsDefault(true);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        if (names.length() == 0)
            return fail("xform: No object was given.");
        const bool world = db.isFlagSet("-ws");
        std::vector<Node*> nodes;
        for (const std::string& name : toStrings(names)) {
            Node* node = findNode(name);
            if (!node)
                return MStatus::kFailure;
            if (!node->hasFn(MFn::kTransform) || !node->findAttribute("tx")) {
                return fail("xform: " + name + " is not a transform.");
            }
            nodes.push_back(node);
        }
        if (db.isQuery())
            return query(db, *nodes.front(), world);
        for (Node* node : nodes) {
            status = edit(db, *node, world);
            if (!status)
                return status;
        }
        return MStatus::kSuccess;
    }

private:
    MStatus query(const MArgDatabase& db, Node& node, bool world) {
        MDoubleArray result;
        auto append = [&](const MVector& v) {
            result.append(v.x);
            result.append(v.y);
            result.append(v.z);
        };
        const MMatrix worldM = worldMatrix(node);
        if (db.isFlagSet("-t")) {
            append(world ? uiDistance(MVector(worldM[3][0], worldM[3][1], worldM[3][2]))
                         : uiDistance(triple(node, "tx", "ty", "tz")));
        } else if (db.isFlagSet("-ro")) {
            const MVector r = triple(node, "rx", "ry", "rz");
            append(MVector(MAngle::internalToUI(r.x), MAngle::internalToUI(r.y),
                           MAngle::internalToUI(r.z)));
        } else if (db.isFlagSet("-s")) {
            append(triple(node, "sx", "sy", "sz"));
        } else if (db.isFlagSet("-rp") || db.isFlagSet("-piv") || db.isFlagSet("-sp")) {
            const bool scalePivot = db.isFlagSet("-sp");
            MPoint pivot(scalePivot ? triple(node, "spx", "spy", "spz")
                                    : triple(node, "rpx", "rpy", "rpz"));
            if (world)
                pivot = pivot * worldM;
            append(uiDistance(MVector(pivot)));
            if (db.isFlagSet("-piv"))
                append(uiDistance(MVector(pivot)));
        } else if (db.isFlagSet("-m")) {
            const MMatrix m = world ? worldM : localMatrix(node);
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c)
                    result.append(r == 3 && c < 3 ? uiDistance(m[r][c]) : m[r][c]);
            }
        } else {
            return fail("xform: Nothing to query.");
        }
        setResult(result);
        return MStatus::kSuccess;
    }

    void write(Node& node, const char* attr, double value) {
        setValue(
            node, {node.findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); }, &log_);
    }

    void writeTriple(Node& node, const char* x, const char* y, const char* z, const MVector& v) {
        write(node, x, v.x);
        write(node, y, v.y);
        write(node, z, v.z);
    }

    MStatus edit(const MArgDatabase& db, Node& node, bool world) {
        const bool relative = db.isFlagSet("-r");
        const MMatrix parentInverse = node.parent ? worldMatrix(*node.parent).inverse() : MMatrix();
        MVector v;
        if (db.isFlagSet("-m")) {
            MMatrix m;
            for (unsigned int i = 0; i < 16; ++i) {
                double value = 0.0;
                if (!db.getFlagArgument("-m", i, value))
                    return fail("xform: -m takes 16 values.");
                m[i / 4][i % 4] = i >= 12 && i < 15 ? internalDistance(value) : value;
            }
            if (world)
                m = m * parentInverse;
            const MTransformationMatrix decomposed(m);
            MEulerRotation r = decomposed.eulerRotation();
            r.reorderIt(static_cast<MEulerRotation::RotationOrder>(number(node, "ro")));
            double s[3];
            decomposed.getScale(s, MSpace::kTransform);
            writeTriple(node, "tx", "ty", "tz", decomposed.getTranslation(MSpace::kTransform));
            writeTriple(node, "rx", "ry", "rz", MVector(r.x, r.y, r.z));
            writeTriple(node, "sx", "sy", "sz", MVector(s[0], s[1], s[2]));
        }
        if (flagTriple(db, "-t", v)) {
            v = internalDistance(v);
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
            writeTriple(node, "tx", "ty", "tz", t);
        }
        if (flagTriple(db, "-ro", v)) {
            v = MVector(MAngle::uiToInternal(v.x), MAngle::uiToInternal(v.y),
                        MAngle::uiToInternal(v.z));
            writeTriple(node, "rx", "ry", "rz", relative ? triple(node, "rx", "ry", "rz") + v : v);
        }
        if (flagTriple(db, "-s", v)) {
            if (relative) {
                const MVector s = triple(node, "sx", "sy", "sz");
                v = MVector(s.x * v.x, s.y * v.y, s.z * v.z);
            }
            writeTriple(node, "sx", "sy", "sz", v);
        }
        const bool pivots = flagTriple(db, "-piv", v);
        MVector pivot = internalDistance(v);
        if (world && pivots)
            pivot = MVector(MPoint(pivot) * worldMatrix(node).inverse());
        if (pivots || flagTriple(db, "-rp", v)) {
            if (!pivots)
                pivot = internalDistance(v);
            writeTriple(node, "rpx", "rpy", "rpz", pivot);
        }
        if (pivots || flagTriple(db, "-sp", v)) {
            if (!pivots)
                pivot = internalDistance(v);
            writeTriple(node, "spx", "spy", "spz", pivot);
        }
        return MStatus::kSuccess;
    }
};

class CameraCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.addFlag("-fl", "-focalLength", MSyntax::kDouble);
        syntax.addFlag("-coi", "-centerOfInterest", MSyntax::kDistance);
        syntax.addFlag("-hfa", "-horizontalFilmAperture", MSyntax::kDouble);
        syntax.addFlag("-vfa", "-verticalFilmAperture", MSyntax::kDouble);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MString name("camera1");
        db.getFlagArgument("-n", 0, name);
        std::shared_ptr<Node> transform;
        status = createNodeOfType("transform", name.asChar(), nullptr, &log_, transform);
        if (!status)
            return fail("camera: Cannot create " + std::string(name.asChar()));
        std::shared_ptr<Node> shape;
        status = createNodeOfType("camera", shapeNameFor(transform->name), transform.get(), &log_,
                                  shape);
        if (!status)
            return fail("camera: Cannot create its shape");
        static const std::pair<const char*, const char*> kFlags[] = {
            {"-fl", "fl"}, {"-coi", "coi"}, {"-hfa", "hfa"}, {"-vfa", "vfa"}};
        for (const auto& [flag, attr] : kFlags) {
            double value = 0.0;
            if (!db.getFlagArgument(flag, 0, value))
                continue;
            if (std::string(attr) == "coi")
                value = internalDistance(value);
            setValue(
                *shape, {shape->findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); },
                &log_);
        }
        MStringArray result;
        result.append(MString(transform->name.c_str()));
        result.append(MString(shape->name.c_str()));
        setResult(result);
        return MStatus::kSuccess;
    }
};

class CurrentTimeCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery(true);
        syntax.enableEdit(true);
        syntax.addFlag("-u", "-update", MSyntax::kBoolean);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        return syntax;
    }
    // Time changes stay out of the undo queue, as in Maya.
    bool isUndoable() const override { return false; }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        Scene& sceneFacade = Scene::instance();
        MStringArray objects;
        db.getObjects(objects);
        if (db.isQuery()) {
            setResult(sceneFacade.currentTime().as(MTime::uiUnit()));
            return MStatus::kSuccess;
        }
        if (objects.length() != 1 || !objects[0].isDouble()) {
            return fail("currentTime: A time is required.");
        }
        const double frame = objects[0].asDouble();
        sceneFacade.setCurrentTime(MTime(frame, MTime::uiUnit()));
        setResult(frame);
        return MStatus::kSuccess;
    }
};

// Makes the active 3D view look through a camera (its transform or its shape). View
// changes stay out of the undo queue, as in Maya.
class LookThruCmd : public SceneCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery(true);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 2);
        return syntax;
    }
    bool isUndoable() const override { return false; }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        const int view = views::activeIndex();
        if (view < 0)
            return fail("lookThru: There is no 3d view to look through.");
        if (db.isQuery()) {
            MDagPath camera = views::camera(view);
            if (camera.node().hasFn(MFn::kCamera))
                camera.pop();
            setResult(camera.partialPathName());
            return MStatus::kSuccess;
        }
        MStringArray objects;
        db.getObjects(objects);
        if (objects.length() == 0)
            return fail("lookThru: A camera is required.");
        Node* node = findNode(objects[0].asChar());
        if (!node)
            return MStatus::kFailure;
        MDagPath camera = pathOf(*node);
        if (!camera.node().hasFn(MFn::kCamera) && !camera.extendToShape()) {
            return fail("lookThru: " + std::string(objects[0].asChar()) + " is not a camera.");
        }
        if (!camera.node().hasFn(MFn::kCamera)) {
            return fail("lookThru: " + std::string(objects[0].asChar()) + " is not a camera.");
        }
        views::setCamera(view, camera);
        views::requestRefresh();
        return MStatus::kSuccess;
    }
};

}  // namespace

void registerTransformCommands(CommandEngine& engine) {
    engine.registerCommand("xform", create<XformCmd>, XformCmd::newSyntax, "");
    engine.registerCommand("camera", create<CameraCmd>, CameraCmd::newSyntax, "");
    engine.registerCommand("currentTime", create<CurrentTimeCmd>, CurrentTimeCmd::newSyntax, "");
    engine.registerCommand("lookThru", create<LookThruCmd>, LookThruCmd::newSyntax, "");
}

}  // namespace mayasim
