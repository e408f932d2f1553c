#include "dg/BuiltinTypes.h"

#include <maya/MDataBlock.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MPlug.h>

#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/NodeClass.h"
#include "dg/PolyCreators.h"
#include "dg/NurbsNodes.h"
#include "dg/SkeletonNodes.h"

namespace mayasim {

namespace {

std::shared_ptr<Attribute> shared(const MObject& handle) {
    return std::static_pointer_cast<Attribute>(ObjectAccess::share(handle));
}

MObject numeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                double defaultValue, bool keyable = false) {
    MFnNumericAttribute fn;
    MObject attr = fn.create(longName, shortName, type, defaultValue);
    fn.setKeyable(keyable);
    return attr;
}

MObject unit(const char* longName, const char* shortName, MFnUnitAttribute::Type type,
             double defaultValue) {
    MFnUnitAttribute fn;
    return fn.create(longName, shortName, type, defaultValue);
}

// A compound of three unit attributes named longName + X/Y/Z, as translate and rotate are.
MObject unitTriple(const char* longName, const char* shortName, MFnUnitAttribute::Type type,
                   bool keyable) {
    const std::string l = longName;
    const std::string s = shortName;
    MObject x = unit((l + "X").c_str(), (s + "x").c_str(), type, 0.0);
    MObject y = unit((l + "Y").c_str(), (s + "y").c_str(), type, 0.0);
    MObject z = unit((l + "Z").c_str(), (s + "z").c_str(), type, 0.0);
    MFnNumericAttribute fn;
    MObject parent = fn.create(longName, shortName, x, y, z);
    for (const auto& child : shared(parent)->children)
        child->flags.keyable = keyable;
    fn.setKeyable(keyable);
    return parent;
}

MObject doubleTriple(const char* longName, const char* shortName, const char* names[3],
                     const char* shortNames[3], double defaultValue, bool keyable) {
    MObject children[3];
    for (int i = 0; i < 3; ++i) {
        children[i] =
            numeric(names[i], shortNames[i], MFnNumericData::kDouble, defaultValue, keyable);
    }
    MFnNumericAttribute fn;
    MObject parent = fn.create(longName, shortName, children[0], children[1], children[2]);
    fn.setKeyable(keyable);
    return parent;
}

MObject doublePair(const char* longName, const char* shortName, MObject first, MObject second) {
    MFnNumericAttribute fn;
    return fn.create(longName, shortName, first, second);
}

MObject matrixAttr(const char* longName, const char* shortName, bool array) {
    MFnTypedAttribute fn;
    MObject attr = fn.create(longName, shortName, MFnData::kMatrix);
    fn.setWritable(false);
    fn.setStorable(false);
    fn.setArray(array);
    return attr;
}

MObject meshAttr(const char* longName, const char* shortName, bool writable, bool array) {
    MFnTypedAttribute fn;
    MObject attr = fn.create(longName, shortName, MFnData::kMesh);
    fn.setWritable(writable);
    fn.setStorable(writable);
    fn.setArray(array);
    return attr;
}

MObject enumAttr(const char* longName, const char* shortName, short defaultValue,
                 std::initializer_list<const char*> fields) {
    MFnEnumAttribute fn;
    MObject attr = fn.create(longName, shortName, defaultValue);
    short index = 0;
    for (const char* field : fields)
        fn.addField(field, index++);
    return attr;
}

double number(Node& node, const char* attrName) {
    const Attribute* attr = node.findAttribute(attrName);
    return attr ? pull(node, {attr, -1}).get() : 0.0;
}

MVector vectorOf(Node& node, const char* x, const char* y, const char* z) {
    return MVector(number(node, x), number(node, y), number(node, z));
}

MMatrix translation(const MVector& t) {
    MMatrix m;
    m[3][0] = t.x;
    m[3][1] = t.y;
    m[3][2] = t.z;
    return m;
}

// Maya's order of operations for a transform (row vectors):
// -Sp * S * Sh * Sp * Spt * -Rp * Ra * R * Rp * Rpt * T.
MMatrix transformMatrix(Node& node) {
    const MVector t = vectorOf(node, "tx", "ty", "tz");
    const MVector r = vectorOf(node, "rx", "ry", "rz");
    const MVector ra = vectorOf(node, "rax", "ray", "raz");
    const MVector rp = vectorOf(node, "rpx", "rpy", "rpz");
    const MVector rpt = vectorOf(node, "rptx", "rpty", "rptz");
    const MVector sp = vectorOf(node, "spx", "spy", "spz");
    const MVector spt = vectorOf(node, "sptx", "spty", "sptz");
    const auto order = static_cast<MEulerRotation::RotationOrder>(number(node, "ro"));
    MMatrix scale;
    scale[0][0] = number(node, "sx");
    scale[1][1] = number(node, "sy");
    scale[2][2] = number(node, "sz");
    MMatrix shear;
    shear[1][0] = number(node, "shxy");
    shear[2][0] = number(node, "shxz");
    shear[2][1] = number(node, "shyz");
    const MMatrix rotateAxis = MEulerRotation(ra.x, ra.y, ra.z, MEulerRotation::kXYZ).asMatrix();
    const MMatrix rotate = MEulerRotation(r.x, r.y, r.z, order).asMatrix();
    return translation(-sp) * scale * shear * translation(sp) * translation(spt) *
           translation(-rp) * rotateAxis * rotate * translation(rp) * translation(rpt) *
           translation(t);
}

MStatus dagCompute(Node& node, const MPlug& plug, MDataBlock&) {
    const PlugKey key = normalized(PlugAccess::key(plug));
    const std::string& name = key.attr->shortName;
    MMatrix value;
    if (name == "m") {
        value = localMatrix(node);
    } else if (name == "im") {
        value = localMatrix(node).inverse();
    } else if (name == "wm") {
        value = worldMatrix(node);
    } else if (name == "wim") {
        value = worldMatrix(node).inverse();
    } else if (name == "pm") {
        value = node.parent ? worldMatrix(*node.parent) : MMatrix();
    } else if (name == "pim") {
        value = node.parent ? worldMatrix(*node.parent).inverse() : MMatrix();
    } else {
        return MStatus::kUnknownParameter;
    }
    storage(node, key).matrix = value;
    return MStatus::kSuccess;
}

MStatus meshCompute(Node& node, const MPlug& plug, MDataBlock& data) {
    const PlugKey key = normalized(PlugAccess::key(plug));
    const std::string& name = key.attr->shortName;
    if (name != "o" && name != "w")
        return dagCompute(node, plug, data);
    auto geometry = std::make_shared<const mesh::Mesh>(meshOf(node));
    storage(node, key).data = ObjectAccess::wrap(std::make_shared<MeshData>(geometry));
    return MStatus::kSuccess;
}

void addAll(NodeClass& type, std::initializer_list<MObject> attrs) {
    for (const MObject& attr : attrs)
        type.attributes.push_back(shared(attr));
}

NodeClass& addType(const char* name, unsigned int id, MFn::Type apiType,
                   std::vector<MFn::Type> bases, bool dag) {
    auto type = std::make_unique<NodeClass>();
    type->name = name;
    type->id = MTypeId(id);
    type->apiType = apiType;
    type->bases = std::move(bases);
    type->dag = dag;
    type->attributes = dag ? dagNodeAttributes() : dependNodeAttributes();
    if (dag)
        addDagBehaviour(*type);
    return addBuiltinClass(std::move(type));
}

void addTransform() {
    NodeClass& type = addType("transform", 0x5846524d, MFn::kTransform,
                              {MFn::kDependencyNode, MFn::kDagNode}, true);
    const char* scaleNames[3] = {"scaleX", "scaleY", "scaleZ"};
    const char* scaleShort[3] = {"sx", "sy", "sz"};
    const char* shearNames[3] = {"shearXY", "shearXZ", "shearYZ"};
    const char* shearShort[3] = {"shxy", "shxz", "shyz"};
    addAll(type, {unitTriple("translate", "t", MFnUnitAttribute::kDistance, true),
                  unitTriple("rotate", "r", MFnUnitAttribute::kAngle, true),
                  enumAttr("rotateOrder", "ro", 0, {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"}),
                  doubleTriple("scale", "s", scaleNames, scaleShort, 1.0, true),
                  doubleTriple("shear", "sh", shearNames, shearShort, 0.0, false),
                  unitTriple("rotatePivot", "rp", MFnUnitAttribute::kDistance, false),
                  unitTriple("rotatePivotTranslate", "rpt", MFnUnitAttribute::kDistance, false),
                  unitTriple("scalePivot", "sp", MFnUnitAttribute::kDistance, false),
                  unitTriple("scalePivotTranslate", "spt", MFnUnitAttribute::kDistance, false),
                  unitTriple("rotateAxis", "ra", MFnUnitAttribute::kAngle, false),
                  numeric("inheritsTransform", "it", MFnNumericData::kBoolean, 1.0),
                  numeric("displayHandle", "dh", MFnNumericData::kBoolean, 0.0)});
}

void addCamera() {
    NodeClass& type = addType("camera", 0x4443414d, MFn::kCamera,
                              {MFn::kDependencyNode, MFn::kDagNode, MFn::kShape}, true);
    type.shape = true;
    MObject hfa = numeric("horizontalFilmAperture", "hfa", MFnNumericData::kDouble, 1.41732);
    MObject vfa = numeric("verticalFilmAperture", "vfa", MFnNumericData::kDouble, 0.94488);
    MObject hfo = numeric("horizontalFilmOffset", "hfo", MFnNumericData::kDouble, 0.0);
    MObject vfo = numeric("verticalFilmOffset", "vfo", MFnNumericData::kDouble, 0.0);
    addAll(type, {doublePair("cameraAperture", "cap", hfa, vfa),
                  doublePair("filmOffset", "fio", hfo, vfo),
                  numeric("focalLength", "fl", MFnNumericData::kDouble, 35.0),
                  numeric("lensSqueezeRatio", "lsr", MFnNumericData::kDouble, 1.0),
                  enumAttr("filmFit", "ff", 0, {"fill", "horizontal", "vertical", "overscan"}),
                  numeric("filmFitOffset", "ffo", MFnNumericData::kDouble, 0.0),
                  numeric("overscan", "ovr", MFnNumericData::kDouble, 1.0),
                  numeric("cameraScale", "cs", MFnNumericData::kDouble, 1.0),
                  unit("centerOfInterest", "coi", MFnUnitAttribute::kDistance, 5.0),
                  unit("nearClipPlane", "ncp", MFnUnitAttribute::kDistance, 0.1),
                  unit("farClipPlane", "fcp", MFnUnitAttribute::kDistance, 10000.0),
                  numeric("orthographic", "o", MFnNumericData::kBoolean, 0.0),
                  unit("orthographicWidth", "ow", MFnUnitAttribute::kDistance, 30.0),
                  numeric("renderable", "rnd", MFnNumericData::kBoolean, 1.0)});
}

void addMesh() {
    NodeClass& type = addType("mesh", 0x444d5348, MFn::kMesh,
                              {MFn::kDependencyNode, MFn::kDagNode, MFn::kShape}, true);
    type.shape = true;
    type.compute = meshCompute;
    addAll(type, {meshAttr("inMesh", "i", true, false), meshAttr("outMesh", "o", false, false),
                  meshAttr("worldMesh", "w", false, true)});
    type.volatileOutputs.push_back(type.findAttribute("o"));
    type.volatileOutputs.push_back(type.findAttribute("w"));
}

void addTime() {
    NodeClass& type = addType("time", 0x54494d45, MFn::kTime, {MFn::kDependencyNode}, false);
    addAll(type, {unit("outTime", "o", MFnUnitAttribute::kTime, 0.0)});
}

void addWorld() {
    NodeClass& type =
        addType("world", 0x574f524c, MFn::kWorld, {MFn::kDependencyNode, MFn::kDagNode}, true);
    type.creatable = false;
}

}  // namespace

const std::vector<std::shared_ptr<Attribute>>& dependNodeAttributes() {
    static const std::vector<std::shared_ptr<Attribute>> attributes = [] {
        MFnMessageAttribute message;
        return std::vector<std::shared_ptr<Attribute>>{
            shared(message.create("message", "msg")),
            shared(numeric("isHistoricallyInteresting", "ihi", MFnNumericData::kChar, 2.0)),
            shared(numeric("caching", "cch", MFnNumericData::kBoolean, 0.0)),
            shared(enumAttr("nodeState", "nds", 0,
                            {"normal", "hasNoEffect", "blocking", "waiting-normal",
                             "waiting-hasNoEffect", "waiting-blocking"}))};
    }();
    return attributes;
}

const std::vector<std::shared_ptr<Attribute>>& dagNodeAttributes() {
    static const std::vector<std::shared_ptr<Attribute>> attributes = [] {
        std::vector<std::shared_ptr<Attribute>> all = dependNodeAttributes();
        for (const MObject& attr :
             {numeric("visibility", "v", MFnNumericData::kBoolean, 1.0, true),
              numeric("intermediateObject", "io", MFnNumericData::kBoolean, 0.0),
              numeric("template", "tmp", MFnNumericData::kBoolean, 0.0),
              matrixAttr("matrix", "m", false), matrixAttr("inverseMatrix", "im", false),
              matrixAttr("worldMatrix", "wm", true), matrixAttr("worldInverseMatrix", "wim", true),
              matrixAttr("parentMatrix", "pm", true),
              matrixAttr("parentInverseMatrix", "pim", true)}) {
            all.push_back(shared(attr));
        }
        return all;
    }();
    return attributes;
}

void addDagBehaviour(NodeClass& type) {
    type.compute = dagCompute;
    for (const char* matrix : {"m", "im", "wm", "wim", "pm", "pim"}) {
        type.volatileOutputs.push_back(type.findAttribute(matrix));
    }
}

void addBuiltinTypes() {
    addTransform();
    addCamera();
    addMesh();
    addPolyCreatorTypes();
    addTime();
    addWorld();
    addNurbsTypes();
    addSkeletonTypes();
}

MMatrix localMatrix(Node& node) {
    if (node.hasFn(MFn::kJoint))
        return jointMatrix(node);
    return node.hasFn(MFn::kTransform) && node.findAttribute("tx") ? transformMatrix(node)
                                                                   : MMatrix();
}

MMatrix worldMatrix(Node& node) {
    const MMatrix local = localMatrix(node);
    const bool inherits = !node.findAttribute("it") || number(node, "it") != 0.0;
    return node.parent && inherits ? local * worldMatrix(*node.parent) : local;
}

}  // namespace mayasim
