// Commands that build skeletons and effects: joint (create, edit, query), ikHandle and
// emitter.

#include <algorithm>
#include <cmath>

#include <maya/MAngle.h>
#include <maya/MDoubleArray.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/BuiltinTypes.h"
#include "dg/CommandHelpers.h"
#include "dg/Graph.h"
#include "dg/NodeClass.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "dg/SkeletonNodes.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

using skeleton::JointTransform;

using Arg = MSyntax::MArgType;
constexpr Arg kString = MSyntax::kString;
constexpr Arg kDouble = MSyntax::kDouble;
constexpr Arg kDistance = MSyntax::kDistance;
constexpr Arg kAngle = MSyntax::kAngle;
constexpr Arg kLong = MSyntax::kLong;
constexpr Arg kBoolean = MSyntax::kBoolean;

void setNumber(Node& node, const char* attr, double value, EditLog& log) {
    setValue(
        node, {node.findAttribute(attr), -1}, [value](Slot& slot) { slot.set(value); }, &log);
}

double number(Node& node, const char* attr) {
    return pull(node, {node.findAttribute(attr), -1}).get();
}

MVector toRadians(const MVector& uiAngles) {
    auto radians = [](double a) { return MAngle(a, MAngle::uiUnit()).asRadians(); };
    return MVector(radians(uiAngles.x), radians(uiAngles.y), radians(uiAngles.z));
}

MVector toUiAngles(const MVector& radians) {
    auto ui = [](double a) { return MAngle(a, MAngle::kRadians).as(MAngle::uiUnit()); };
    return MVector(ui(radians.x), ui(radians.y), ui(radians.z));
}

MDoubleArray doubles(const MVector& v) {
    MDoubleArray out;
    out.append(v.x);
    out.append(v.y);
    out.append(v.z);
    return out;
}

MMatrix parentWorld(Node& node) {
    return node.parent ? worldMatrix(*node.parent) : MMatrix();
}

MPoint worldPosition(Node& node) {
    const MMatrix world = worldMatrix(node);
    return MPoint(world[3][0], world[3][1], world[3][2]);
}

// -dof: the free axes as letters ("xyz", "xz", "none" or "" for none).
bool parseFreedom(const std::string& text, bool freeAxes[3]) {
    freeAxes[0] = freeAxes[1] = freeAxes[2] = false;
    if (text == "none" || text.empty())
        return true;
    for (char c : text) {
        if (c < 'x' || c > 'z')
            return false;
        freeAxes[c - 'x'] = true;
    }
    return true;
}

// The joint tree `joint` belongs to, as a kernel skeleton: joints in DAG order (parents
// first) and the world matrix of the root joint's DAG parent.
struct JointTree {
    skeleton::Skeleton skeleton;
    std::vector<Node*> nodes;
    MMatrix rootParent;

    int indexOf(const Node* node) const {
        const auto it = std::find(nodes.begin(), nodes.end(), node);
        return it == nodes.end() ? -1 : static_cast<int>(it - nodes.begin());
    }
};

void addSubtree(JointTree& tree, Node& joint, int parent) {
    const int index = tree.skeleton.addJoint(jointTransform(joint), parent);
    tree.nodes.push_back(&joint);
    for (Node* child : joint.children) {
        if (child->hasFn(MFn::kJoint))
            addSubtree(tree, *child, index);
    }
}

JointTree treeOf(Node& joint) {
    Node* root = &joint;
    while (root->parent && root->parent->hasFn(MFn::kJoint))
        root = root->parent;
    JointTree tree;
    tree.rootParent = parentWorld(*root);
    addSubtree(tree, *root, -1);
    return tree;
}

bool same(const MEulerRotation& a, const MEulerRotation& b) {
    return a.isEquivalent(b, 1e-12);
}

bool same(const JointTransform& a, const JointTransform& b) {
    return a.translate.isEquivalent(b.translate, 1e-12) && same(a.rotate, b.rotate) &&
           same(a.rotateAxis, b.rotateAxis) && same(a.jointOrient, b.jointOrient) &&
           a.scale.isEquivalent(b.scale, 1e-12);
}

// Writes back the joints whose transform the kernel changed.
void writeBack(const JointTree& tree, EditLog& log) {
    for (size_t i = 0; i < tree.nodes.size(); ++i) {
        const JointTransform& changed = tree.skeleton.joint(static_cast<int>(i)).transform;
        if (!same(changed, jointTransform(*tree.nodes[i])))
            setJointTransform(*tree.nodes[i], changed, &log);
    }
}

// --- joint: create -------------------------------------------------------------------------

// The first transform in the active selection: the new joint's parent.
Node* selectedTransform() {
    const MSelectionList& selection = scene().selection;
    for (unsigned int i = 0; i < selection.length(); ++i) {
        MDagPath path;
        MObject component;
        if (!selection.getDagPath(i, path, component) || !component.isNull())
            continue;
        Node* node = nodeOf(path.node());
        if (node && node->hasFn(MFn::kTransform))
            return node;
    }
    return nullptr;
}

MStatus applyFreedom(CommandCall& call, Node& joint) {
    bool freeAxes[3];
    if (!parseFreedom(call.text("-dof"), freeAxes))
        return call.fail("joint: Invalid -degreeOfFreedom value \"" + call.text("-dof") +
                         "\": use the free axes, such as xyz, xz or none.");
    setNumber(joint, "jtx", freeAxes[0], call.log());
    setNumber(joint, "jty", freeAxes[1], call.log());
    setNumber(joint, "jtz", freeAxes[2], call.log());
    return MStatus::kSuccess;
}

// Flags that set a joint's attributes the same way in create and edit mode.
MStatus applyAttributeFlags(CommandCall& call, Node& joint) {
    if (call.isSet("-rad")) {
        const double radius = call.number("-rad");
        if (!(radius >= 0.0))
            return call.fail("joint: The radius must not be negative.");
        setNumber(joint, "radi", radius, call.log());
    }
    if (call.isSet("-sc"))
        setNumber(joint, "ssc", call.boolean("-sc") ? 1.0 : 0.0, call.log());
    if (call.isSet("-dof")) {
        if (MStatus status = applyFreedom(call, joint); !status)
            return status;
    }
    if (call.isSet("-o")) {
        const MVector orient = toRadians(call.vector("-o"));
        setNumber(joint, "jox", orient.x, call.log());
        setNumber(joint, "joy", orient.y, call.log());
        setNumber(joint, "joz", orient.z, call.log());
    }
    if (call.isSet("-so")) {
        const MVector axis = toRadians(call.vector("-so"));
        setNumber(joint, "rax", axis.x, call.log());
        setNumber(joint, "ray", axis.y, call.log());
        setNumber(joint, "raz", axis.z, call.log());
    }
    if (call.isSet("-s")) {
        const MVector scale = call.vector("-s", MVector(1.0, 1.0, 1.0));
        setNumber(joint, "sx", scale.x, call.log());
        setNumber(joint, "sy", scale.y, call.log());
        setNumber(joint, "sz", scale.z, call.log());
    }
    if (call.isSet("-roo")) {
        static const char* const kOrders[] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};
        const std::string order = call.text("-roo");
        const auto found = std::find(std::begin(kOrders), std::end(kOrders), order);
        if (found == std::end(kOrders))
            return call.fail("joint: Invalid -rotationOrder value \"" + order + "\".");
        setNumber(joint, "ro", static_cast<double>(found - std::begin(kOrders)), call.log());
    }
    return MStatus::kSuccess;
}

// Places a joint: -p in world space, or with -r relative to its parent.
void placeJoint(CommandCall& call, Node& joint, const MPoint& position) {
    MVector translate(position);
    if (!call.isSet("-r"))
        translate = MVector(position * parentWorld(joint).inverse());
    setNumber(joint, "tx", translate.x, call.log());
    setNumber(joint, "ty", translate.y, call.log());
    setNumber(joint, "tz", translate.z, call.log());
}

MStatus createJoint(CommandCall& call) {
    Node* parent = selectedTransform();
    std::shared_ptr<Node> joint;
    if (!createNodeOfType("joint", call.text("-n", "joint1"), parent, &call.log(), joint))
        return call.fail("joint: Cannot create the joint.");
    if (parent && parent->hasFn(MFn::kJoint)) {
        // As in Maya, a child joint compensates its parent joint's scale.
        connectPlugs(*parent, {parent->findAttribute("s"), -1}, *joint,
                     {joint->findAttribute("is"), -1}, false, &call.log());
    }
    if (MStatus status = applyAttributeFlags(call, *joint); !status)
        return status;
    placeJoint(call, *joint, commands::internalPoint(MPoint(call.vector("-p"))));
    selectNodes({joint.get()}, call.log());
    MPxCommand::setResult(MString(joint->name.c_str()));
    return MStatus::kSuccess;
}

// --- joint: edit ---------------------------------------------------------------------------

// -p -co: moves the joint alone; its child joints keep their world positions.
void moveJoint(CommandCall& call, Node& joint, const MPoint& position) {
    std::vector<std::pair<Node*, MPoint>> children;
    if (call.isSet("-co")) {
        for (Node* child : joint.children)
            children.push_back({child, worldPosition(*child)});
    }
    placeJoint(call, joint, position);
    const MMatrix toJoint = worldMatrix(joint).inverse();
    for (const auto& [child, world] : children) {
        const MPoint local = world * toJoint;
        setNumber(*child, "tx", local.x, call.log());
        setNumber(*child, "ty", local.y, call.log());
        setNumber(*child, "tz", local.z, call.log());
    }
}

MStatus orientJoint(CommandCall& call, Node& joint) {
    JointTree tree = treeOf(joint);
    const int index = tree.indexOf(&joint);
    if (call.isSet("-zso"))
        tree.skeleton.zeroScaleOrient(index);
    if (call.isSet("-oj")) {
        skeleton::OrientOptions options;
        options.orientJoint = call.text("-oj");
        options.secondaryAxisOrient = call.text("-sao", "none");
        options.zeroScaleOrient = call.isSet("-zso");
        options.children = call.isSet("-ch");
        const std::string error = tree.skeleton.orientJoints({index}, options, tree.rootParent);
        if (!error.empty())
            return call.fail("joint: " + error);
    }
    writeBack(tree, call.log());
    return MStatus::kSuccess;
}

MStatus editJoint(CommandCall& call, Node& joint) {
    if (MStatus status = applyAttributeFlags(call, joint); !status)
        return status;
    if (call.isSet("-p"))
        moveJoint(call, joint, commands::internalPoint(MPoint(call.vector("-p"))));
    if (call.isSet("-zso") || call.isSet("-oj"))
        return orientJoint(call, joint);
    if (call.isSet("-sao"))
        return call.fail("joint: -secondaryAxisOrient needs -orientJoint.");
    return MStatus::kSuccess;
}

// --- joint: query --------------------------------------------------------------------------

MStatus queryJoint(CommandCall& call, Node& joint) {
    if (call.isSet("-p")) {
        const MPoint position =
            call.isSet("-r") ? MPoint(number(joint, "tx"), number(joint, "ty"), number(joint, "tz"))
                             : worldPosition(joint);
        MPxCommand::setResult(doubles(MVector(commands::uiPoint(position))));
    } else if (call.isSet("-rad")) {
        MPxCommand::setResult(MDoubleArray(1, number(joint, "radi")));
    } else if (call.isSet("-o")) {
        const MVector orient(number(joint, "jox"), number(joint, "joy"), number(joint, "joz"));
        MPxCommand::setResult(doubles(toUiAngles(orient)));
    } else if (call.isSet("-so")) {
        const MVector axis(number(joint, "rax"), number(joint, "ray"), number(joint, "raz"));
        MPxCommand::setResult(doubles(toUiAngles(axis)));
    } else if (call.isSet("-s")) {
        MPxCommand::setResult(
            doubles(MVector(number(joint, "sx"), number(joint, "sy"), number(joint, "sz"))));
    } else if (call.isSet("-sc")) {
        MPxCommand::setResult(number(joint, "ssc") != 0.0);
    } else if (call.isSet("-dof")) {
        std::string axes;
        static const std::pair<const char*, char> kAxes[] = {
            {"jtx", 'x'}, {"jty", 'y'}, {"jtz", 'z'}};
        for (const auto& [attr, axis] : kAxes) {
            if (number(joint, attr) != 0.0)
                axes += axis;
        }
        MPxCommand::setResult(MString(axes.c_str()));
    } else {
        return call.fail("joint: Give a flag to query.");
    }
    return MStatus::kSuccess;
}

MStatus joint(CommandCall& call) {
    if (!call.isEdit() && !call.isQuery()) {
        if (!call.objects().empty())
            return call.fail("joint: Objects are taken only in edit and query mode.");
        return createJoint(call);
    }
    bool missing = false;
    const std::vector<Node*> joints = commands::objectsOrSelection(call, missing);
    if (missing)
        return MStatus::kFailure;
    if (joints.empty())
        return call.fail("joint: No joint was given or selected.");
    for (Node* node : joints) {
        if (!node->hasFn(MFn::kJoint))
            return call.fail("joint: " + node->name + " is not a joint.");
    }
    if (call.isQuery())
        return queryJoint(call, *joints.front());
    for (Node* node : joints) {
        if (MStatus status = editJoint(call, *node); !status)
            return status;
    }
    return MStatus::kSuccess;
}

// --- ikHandle ------------------------------------------------------------------------------

const char* const kSolvers[] = {"ikSCsolver", "ikRPsolver"};

// The solver node the handle connects to, made on first use and named after its type.
Node* solverNode(const std::string& type, EditLog& log) {
    if (Node* existing = findNodeByName(type); existing && existing->type->name == type)
        return existing;
    std::shared_ptr<Node> solver;
    return createNodeOfType(type, type, nullptr, &log, solver) ? solver.get() : nullptr;
}

Node* jointNamed(CommandCall& call, const std::string& name, MStatus& status) {
    Node* node = findNode(name);
    if (!node) {
        status = MStatus::kFailure;
        return nullptr;
    }
    if (!node->hasFn(MFn::kJoint)) {
        status = call.fail("ikHandle: " + name + " is not a joint.");
        return nullptr;
    }
    return node;
}

// -sj and -ee, or the first two joints of the selection.
MStatus chainEnds(CommandCall& call, Node*& start, Node*& end) {
    MStatus status;
    if (call.isSet("-sj") && call.isSet("-ee")) {
        start = jointNamed(call, call.text("-sj"), status);
        end = start ? jointNamed(call, call.text("-ee"), status) : nullptr;
        return status;
    }
    std::vector<Node*> selected;
    bool missing = false;
    for (Node* node : commands::objectsOrSelection(call, missing)) {
        if (node->hasFn(MFn::kJoint))
            selected.push_back(node);
    }
    start = call.isSet("-sj") ? jointNamed(call, call.text("-sj"), status)
                              : (selected.empty() ? nullptr : selected[0]);
    if (!status)
        return status;
    const size_t endAt = call.isSet("-sj") ? 0 : 1;
    end = call.isSet("-ee") ? jointNamed(call, call.text("-ee"), status)
                            : (selected.size() > endAt ? selected[endAt] : nullptr);
    if (!status)
        return status;
    if (!start || !end)
        return call.fail("ikHandle: Give the start joint (-sj) and the end joint (-ee).");
    return MStatus::kSuccess;
}

MStatus checkHandleFlags(CommandCall& call, std::string& solver) {
    solver = call.text("-sol", "ikRPsolver");
    if (std::find(std::begin(kSolvers), std::end(kSolvers), solver) == std::end(kSolvers))
        return call.fail("ikHandle: Unknown solver \"" + solver +
                         "\": use ikSCsolver or ikRPsolver.");
    if (call.isSet("-s")) {
        const std::string sticky = call.text("-s");
        if (sticky != "sticky" && sticky != "off")
            return call.fail("ikHandle: Invalid -sticky value \"" + sticky +
                             "\": use sticky or off.");
    }
    if (call.isSet("-w") && !(call.number("-w") >= 0.0))
        return call.fail("ikHandle: The weight must not be negative.");
    if (call.isSet("-pw") && !(call.number("-pw") >= 0.0 && call.number("-pw") <= 1.0))
        return call.fail("ikHandle: The position/orientation weight must be between 0 and 1.");
    return MStatus::kSuccess;
}

MStatus createIkHandle(CommandCall& call) {
    std::string solverType;
    if (MStatus status = checkHandleFlags(call, solverType); !status)
        return status;
    Node* start = nullptr;
    Node* end = nullptr;
    if (MStatus status = chainEnds(call, start, end); !status)
        return status;
    JointTree tree = treeOf(*start);
    skeleton::IkChain chain;
    const std::string error =
        tree.skeleton.ikChain(tree.indexOf(start), tree.indexOf(end), chain, tree.rootParent);
    if (!error.empty())
        return call.fail("ikHandle: " + error);

    // The effector sits under the end joint's parent, where the end joint is, and follows it.
    std::shared_ptr<Node> effector, handle;
    if (!createNodeOfType("ikEffector", "effector1", end->parent, &call.log(), effector) ||
        !createNodeOfType("ikHandle", call.text("-n", "ikHandle1"), nullptr, &call.log(), handle)) {
        return call.fail("ikHandle: Cannot create the handle.");
    }
    connectPlugs(*end, {end->findAttribute("t"), -1}, *effector, {effector->findAttribute("t"), -1},
                 false, &call.log());
    connectPlugs(*start, {start->findAttribute("msg"), -1}, *handle,
                 {handle->findAttribute("hsj"), -1}, false, &call.log());
    connectPlugs(*effector, {effector->findAttribute("hp"), 0}, *handle,
                 {handle->findAttribute("hee"), -1}, false, &call.log());
    if (Node* solver = solverNode(solverType, call.log())) {
        connectPlugs(*solver, {solver->findAttribute("msg"), -1}, *handle,
                     {handle->findAttribute("hsv"), -1}, false, &call.log());
    }
    setNumber(*handle, "tx", chain.handlePosition.x, call.log());
    setNumber(*handle, "ty", chain.handlePosition.y, call.log());
    setNumber(*handle, "tz", chain.handlePosition.z, call.log());
    setNumber(*handle, "pri", call.integer("-p", 1), call.log());
    setNumber(*handle, "w", call.number("-w", 1.0), call.log());
    setNumber(*handle, "pow", call.number("-pw", 1.0), call.log());
    setNumber(*handle, "stk", call.text("-s", "off") == "sticky" ? 1.0 : 0.0, call.log());
    if (call.isSet("-shf"))
        setNumber(*handle, "snp", call.boolean("-shf") ? 1.0 : 0.0, call.log());
    if (call.isSet("-fs"))
        setNumber(*handle, "hse", call.boolean("-fs") ? 1.0 : 0.0, call.log());
    selectNodes({handle.get()}, call.log());
    MStringArray result;
    result.append(MString(handle->name.c_str()));
    result.append(MString(effector->name.c_str()));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

MStatus queryIkHandle(CommandCall& call) {
    bool missing = false;
    const std::vector<Node*> nodes = commands::objectsOrSelection(call, missing);
    if (missing)
        return MStatus::kFailure;
    if (nodes.empty() || !nodes.front()->hasFn(MFn::kIkHandle))
        return call.fail("ikHandle: No IK handle was given or selected.");
    Node& handle = *nodes.front();
    auto nameOf = [](Node* node) { return MString(node ? node->name.c_str() : ""); };
    if (call.isSet("-sj")) {
        MPxCommand::setResult(nameOf(messageSource(handle, "startJoint")));
    } else if (call.isSet("-ee")) {
        MPxCommand::setResult(nameOf(messageSource(handle, "endEffector")));
    } else if (call.isSet("-sol")) {
        MPxCommand::setResult(nameOf(messageSource(handle, "ikSolver")));
    } else if (call.isSet("-p")) {
        MPxCommand::setResult(static_cast<int>(number(handle, "pri")));
    } else if (call.isSet("-w")) {
        MPxCommand::setResult(number(handle, "w"));
    } else if (call.isSet("-pw")) {
        MPxCommand::setResult(number(handle, "pow"));
    } else if (call.isSet("-jl")) {
        // The joints the handle drives: the start joint down to the effector's parent.
        std::vector<Node*> joints;
        Node* effector = messageSource(handle, "endEffector");
        Node* start = messageSource(handle, "startJoint");
        for (Node* j = effector ? effector->parent : nullptr; j && j->hasFn(MFn::kJoint);
             j = j->parent) {
            joints.push_back(j);
            if (j == start)
                break;
        }
        std::reverse(joints.begin(), joints.end());
        MPxCommand::setResult(commands::namesOf(joints));
    } else {
        return call.fail("ikHandle: Give a flag to query.");
    }
    return MStatus::kSuccess;
}

MStatus ikHandle(CommandCall& call) {
    return call.isQuery() ? queryIkHandle(call) : createIkHandle(call);
}

// --- emitter -------------------------------------------------------------------------------

// The -type values and the emitterType they stand for.
struct EmitterType {
    const char* name;
    int value;
};
const EmitterType kEmitterTypes[] = {{"dir", 0},   {"direction", 0}, {"omni", 1},
                                     {"surf", 2},  {"surface", 2},   {"curv", 3},
                                     {"curve", 3}, {"vol", 4},       {"volume", 4}};

MStatus emitter(CommandCall& call) {
    if (!call.objects().empty() && !call.isSet("-pos"))
        return call.fail("emitter: Emitting from objects is not supported; give -pos.");
    // Maya's emitter command makes omni emitters unless told otherwise.
    const std::string typeName = call.text("-typ", "omni");
    const auto type = std::find_if(std::begin(kEmitterTypes), std::end(kEmitterTypes),
                                   [&](const EmitterType& t) { return typeName == t.name; });
    if (type == std::end(kEmitterTypes))
        return call.fail("emitter: Invalid -type value \"" + typeName + "\".");
    std::shared_ptr<Node> node;
    if (!createNodeOfType("pointEmitter", call.text("-n", "emitter1"), nullptr, &call.log(), node))
        return call.fail("emitter: Cannot create the emitter.");
    const MPoint position = commands::internalPoint(MPoint(call.vector("-pos")));
    setNumber(*node, "tx", position.x, call.log());
    setNumber(*node, "ty", position.y, call.log());
    setNumber(*node, "tz", position.z, call.log());
    setNumber(*node, "emt", type->value, call.log());
    static const std::pair<const char*, const char*> kNumbers[] = {{"-r", "rat"}, {"-spd", "spd"},
                                                                   {"-dx", "dx"}, {"-dy", "dy"},
                                                                   {"-dz", "dz"}, {"-sp", "spr"}};
    for (const auto& [flag, attr] : kNumbers) {
        if (call.isSet(flag))
            setNumber(*node, attr, call.number(flag), call.log());
    }
    selectNodes({node.get()}, call.log());
    MStringArray result;
    result.append(MString(node->name.c_str()));
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

const CommandSpec kSpecs[] = {
    {"joint",
     {{"-p", "-position", {kDistance, kDistance, kDistance}},
      {"-a", "-absolute"},
      {"-r", "-relative"},
      {"-co", "-component"},
      {"-rad", "-radius", {kDouble}},
      {"-n", "-name", {kString}},
      {"-o", "-orientation", {kAngle, kAngle, kAngle}},
      {"-so", "-scaleOrientation", {kAngle, kAngle, kAngle}},
      {"-s", "-scale", {kDouble, kDouble, kDouble}},
      {"-dof", "-degreeOfFreedom", {kString}},
      {"-roo", "-rotationOrder", {kString}},
      {"-sc", "-scaleCompensate", {kBoolean}},
      {"-oj", "-orientJoint", {kString}},
      {"-sao", "-secondaryAxisOrient", {kString}},
      {"-zso", "-zeroScaleOrient"},
      {"-ch", "-children"},
      {"-al", "-automaticLimits"}},
     objects(),
     joint,
     true,
     true},
    {"ikHandle",
     {{"-sj", "-startJoint", {kString}},
      {"-ee", "-endEffector", {kString}},
      {"-sol", "-solver", {kString}},
      {"-p", "-priority", {kLong}},
      {"-w", "-weight", {kDouble}},
      {"-pw", "-poWeight", {kDouble}},
      {"-n", "-name", {kString}},
      {"-ap", "-autoPriority"},
      {"-fs", "-forceSolver", {kBoolean}},
      {"-shf", "-snapHandleFlagToggle", {kBoolean}},
      {"-s", "-sticky", {kString}},
      {"-jl", "-jointList"}},
     objects(),
     ikHandle,
     true},
    {"emitter",
     {{"-pos", "-position", {kDistance, kDistance, kDistance}},
      {"-n", "-name", {kString}},
      {"-typ", "-type", {kString}},
      {"-r", "-rate", {kDouble}},
      {"-spd", "-speed", {kDouble}},
      {"-dx", "-directionX", {kDouble}},
      {"-dy", "-directionY", {kDouble}},
      {"-dz", "-directionZ", {kDouble}},
      {"-sp", "-spread", {kDouble}}},
     objects(),
     emitter},
};

}  // namespace

void registerSkeletonCommands(CommandEngine& engine) {
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
