// Commands on what is selected and how clicks select: select, hilite, selectMode and
// selectType; and MGlobal::selectCommand, which Maya runs as a select.

#include <algorithm>

#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "dg/Graph.h"
#include "dg/SceneCommand.h"
#include "dg/SceneState.h"
#include "mayasim/CommandEngine.h"
#include "openmaya/CommandTable.h"
#include "openmaya/SelectionModes.h"

namespace mayasim {

namespace {

using Arg = MSyntax::MArgType;
using Mask = MSelectionMask;
constexpr Arg kBoolean = MSyntax::kBoolean;

// ---- select and hilite ----

// The items `names` name; shows Maya's error for the first that names nothing.
bool itemsNamed(CommandCall& call, const std::vector<std::string>& names, MSelectionList& items) {
    for (const std::string& name : names) {
        if (!items.add(MString(name.c_str()))) {
            call.fail("No object matches name: " + name);
            return false;
        }
    }
    return true;
}

void addWithDescendants(Node& node, MSelectionList& list) {
    list.add(node.handle(), true);
    for (Node* child : node.children)
        addWithDescendants(*child, list);
}

bool visible(const MDagPath& path) {
    for (MDagPath walk = path; walk.length() > 0; walk.pop()) {
        Node& node = *nodeOf(walk.node());
        const Attribute* attr = node.findAttribute("visibility");
        if (attr && pull(node, {attr, -1}).get() == 0.0)
            return false;
    }
    return true;
}

MSelectionList onlyVisible(const MSelectionList& items) {
    MSelectionList kept;
    for (unsigned int i = 0; i < items.length(); ++i) {
        MDagPath path;
        MObject component;
        if (!items.getDagPath(i, path, component)) {
            MObject node;
            items.getDependNode(i, node);
            kept.add(node);
        } else if (visible(path)) {
            kept.add(path, component);
        }
    }
    return kept;
}

// What -all (top-level objects and dependency nodes), -allDagObjects (top-level objects)
// and -allDependencyNodes (every node) pick: deletable nodes only, so never time1.
MSelectionList everything(const CommandCall& call) {
    MSelectionList all;
    for (const auto& node : scene().nodes) {
        const bool topDag = node->isDag() && node->parent == scene().world.get();
        const bool pick = call.isSet("-adn") || topDag || (call.isSet("-all") && !node->isDag());
        if (node.get() != scene().time && pick)
            all.add(node->handle());
    }
    return all;
}

MSelectionList selectItems(CommandCall& call, bool& ok) {
    MSelectionList items;
    ok = true;
    if (call.isSet("-all") || call.isSet("-ado") || call.isSet("-adn")) {
        items = everything(call);
    } else {
        ok = itemsNamed(call, call.objects(), items);
    }
    if (call.isSet("-hi")) {
        MSelectionList withChildren;
        for (unsigned int i = 0; i < items.length(); ++i) {
            MObject object;
            items.getDependNode(i, object);
            MDagPath path;
            MObject component;
            if (items.getDagPath(i, path, component) && component.isNull()) {
                addWithDescendants(*nodeOf(object), withChildren);
            } else if (items.getDagPath(i, path, component)) {
                withChildren.add(path, component, true);
            } else {
                withChildren.add(object, true);
            }
        }
        items = withChildren;
    }
    return call.isSet("-vis") ? onlyVisible(items) : items;
}

MGlobal::ListAdjustment selectAdjustment(const CommandCall& call) {
    if (call.isSet("-add"))
        return MGlobal::kAddToList;
    if (call.isSet("-af"))
        return MGlobal::kAddToHeadOfList;
    if (call.isSet("-d"))
        return MGlobal::kRemoveFromList;
    if (call.isSet("-tgl"))
        return MGlobal::kXORWithList;
    return MGlobal::kReplaceList;
}

MStatus select(CommandCall& call) {
    if (call.isSet("-cl")) {
        setSelection(MSelectionList(), &call.log());
        return MStatus::kSuccess;
    }
    bool ok = true;
    const MSelectionList items = selectItems(call, ok);
    if (!ok)
        return MStatus::kFailure;
    MSelectionList result;
    const MStatus status = adjustedList(scene().selection, items, selectAdjustment(call), result);
    if (status)
        setSelection(result, &call.log());
    return status;
}

// Hiliting is about objects: a component names the object it belongs to.
MSelectionList objectsOf(const MSelectionList& items) {
    MSelectionList objects;
    for (unsigned int i = 0; i < items.length(); ++i) {
        MDagPath path;
        MObject component;
        if (items.getDagPath(i, path, component)) {
            if (!component.isNull() && path.node().hasFn(MFn::kShape))
                path.pop();
            objects.add(path, MObject::kNullObj, true);
        }
    }
    return objects;
}

MStatus hilite(CommandCall& call) {
    MSelectionList items;
    const std::vector<std::string> names = call.objects();
    if (names.empty()) {
        items = scene().selection;
    } else if (!itemsNamed(call, names, items)) {
        return MStatus::kFailure;
    }
    const MGlobal::ListAdjustment adjustment = call.isSet("-r")     ? MGlobal::kReplaceList
                                               : call.isSet("-u")   ? MGlobal::kRemoveFromList
                                               : call.isSet("-tgl") ? MGlobal::kXORWithList
                                                                    : MGlobal::kAddToList;
    MSelectionList result;
    const MStatus status = adjustedList(scene().hilite, objectsOf(items), adjustment, result);
    if (status)
        setHilite(result, &call.log());
    return status;
}

// ---- selectMode and selectType ----

// Records a change of the selection modes so that undo puts the previous ones back.
void logModes(const SelectionModes& before, EditLog& log) {
    const SelectionModes after = selectionModes();
    log.add([before] { selectionModes() = before; }, [after] { selectionModes() = after; });
}

struct ModeFlag {
    const char* shortName;
    const char* longName;
    MGlobal::MSelectionMode mode;
};

const ModeFlag kModeFlags[] = {{"-o", "-object", MGlobal::kSelectObjectMode},
                               {"-co", "-component", MGlobal::kSelectComponentMode},
                               {"-r", "-root", MGlobal::kSelectRootMode},
                               {"-l", "-leaf", MGlobal::kSelectLeafMode},
                               {"-t", "-template", MGlobal::kSelectTemplateMode}};

bool isHierarchical(MGlobal::MSelectionMode mode) {
    return mode >= MGlobal::kSelectRootMode;
}

MStatus selectMode(CommandCall& call) {
    SelectionModes& modes = selectionModes();
    if (call.isQuery()) {
        if (call.isSet("-h")) {
            MPxCommand::setResult(isHierarchical(modes.mode));
            return MStatus::kSuccess;
        }
        for (const ModeFlag& flag : kModeFlags) {
            if (call.isSet(flag.shortName)) {
                MPxCommand::setResult(modes.mode == flag.mode);
                return MStatus::kSuccess;
            }
        }
        return call.fail("selectMode: No flag was given to query.");
    }
    const SelectionModes before = modes;
    if (call.isSet("-h"))
        modes.mode = modes.hierarchicalMode;
    for (const ModeFlag& flag : kModeFlags) {
        if (call.isSet(flag.shortName))
            MGlobal::setSelectionMode(flag.mode);
    }
    logModes(before, call.log());
    return MStatus::kSuccess;
}

// A selectType flag and the selection types it switches. Object flags work on the object
// mask; component flags on the component mask, or with -objectComponent on the mask of
// what clicks pick on hilited objects.
struct TypeFlag {
    const char* shortName;
    const char* longName;
    bool component;
    std::vector<Mask::SelectionType> types;
};

// Maya's -vertex and -polymeshVertex (and the edge and face pairs) name the same polygon
// mask, so each pair switches both of Maya's vertex types together.
const std::vector<TypeFlag>& typeFlags() {
    static const std::vector<TypeFlag> flags = {
        {"-ha", "-handle", false, {Mask::kSelectHandles}},
        {"-ikh", "-ikHandle", false, {Mask::kSelectIkHandles}},
        {"-iee", "-ikEndEffector", false, {Mask::kSelectIkEndEffectors}},
        {"-j", "-joint", false, {Mask::kSelectJoints}},
        {"-lt", "-light", false, {Mask::kSelectLights}},
        {"-ca", "-camera", false, {Mask::kSelectCameras}},
        {"-la", "-lattice", false, {Mask::kSelectLattices}},
        {"-cl", "-cluster", false, {Mask::kSelectClusters}},
        {"-sc", "-sculpt", false, {Mask::kSelectSculpts}},
        {"-nc", "-nurbsCurve", false, {Mask::kSelectNurbsCurves}},
        {"-ns", "-nurbsSurface", false, {Mask::kSelectNurbsSurfaces}},
        {"-p", "-polymesh", false, {Mask::kSelectMeshes}},
        {"-sd", "-subdiv", false, {Mask::kSelectSubdiv}},
        {"-pl", "-plane", false, {Mask::kSelectSketchPlanes}},
        {"-ps", "-particleShape", false, {Mask::kSelectParticleShapes}},
        {"-em", "-emitter", false, {Mask::kSelectEmitters}},
        {"-fi", "-field", false, {Mask::kSelectFields}},
        {"-spr", "-spring", false, {Mask::kSelectSprings}},
        {"-rb", "-rigidBody", false, {Mask::kSelectRigidBodies}},
        {"-rc", "-rigidConstraint", false, {Mask::kSelectRigidConstraints}},
        {"-clm", "-collisionModel", false, {Mask::kSelectCollisionModels}},
        {"-xyz", "-locatorXYZ", false, {Mask::kSelectXYZLocators}},
        {"-ol", "-orientationLocator", false, {Mask::kSelectOrientationLocators}},
        {"-luv", "-locatorUV", false, {Mask::kSelectUVLocators}},
        {"-tx", "-texture", false, {Mask::kSelectTextures}},
        {"-c", "-curve", false, {Mask::kSelectCurves}},
        {"-lc", "-locator", false, {Mask::kSelectLocators}},
        {"-fl", "-fluid", false, {Mask::kSelectFluids}},
        {"-hs", "-hairSystem", false, {Mask::kSelectHairSystems}},
        {"-fo", "-follicle", false, {Mask::kSelectFollicles}},
        {"-ncl", "-nCloth", false, {Mask::kSelectNCloths}},
        {"-nr", "-nRigid", false, {Mask::kSelectNRigids}},
        {"-dc", "-dynamicConstraint", false, {Mask::kSelectDynamicConstraints}},
        {"-cv", "-controlVertex", true, {Mask::kSelectCVs}},
        {"-hl", "-hull", true, {Mask::kSelectHulls}},
        {"-ep", "-editPoint", true, {Mask::kSelectEditPoints}},
        {"-v", "-vertex", true, {Mask::kSelectMeshVerts, Mask::kSelectVertices}},
        {"-pv", "-polymeshVertex", true, {Mask::kSelectMeshVerts, Mask::kSelectVertices}},
        {"-eg", "-edge", true, {Mask::kSelectMeshEdges, Mask::kSelectEdges}},
        {"-pe", "-polymeshEdge", true, {Mask::kSelectMeshEdges, Mask::kSelectEdges}},
        {"-fc", "-facet", true, {Mask::kSelectMeshFaces, Mask::kSelectFacets}},
        {"-pf", "-polymeshFace", true, {Mask::kSelectMeshFaces, Mask::kSelectFacets}},
        {"-pfe", "-polymeshFreeEdge", true, {Mask::kSelectMeshFreeEdges}},
        {"-puv", "-polymeshUV", true, {Mask::kSelectMeshUVs}},
        {"-smp", "-subdivMeshPoint", true, {Mask::kSelectSubdivMeshPoints}},
        {"-sme", "-subdivMeshEdge", true, {Mask::kSelectSubdivMeshEdges}},
        {"-smf", "-subdivMeshFace", true, {Mask::kSelectSubdivMeshFaces}},
        {"-cpp", "-curveParameterPoint", true, {Mask::kSelectCurveParmPoints}},
        {"-ck", "-curveKnot", true, {Mask::kSelectCurveKnots}},
        {"-spp", "-surfaceParameterPoint", true, {Mask::kSelectSurfaceParmPoints}},
        {"-sk", "-surfaceKnot", true, {Mask::kSelectSurfaceKnots}},
        {"-sr", "-surfaceRange", true, {Mask::kSelectSurfaceRange}},
        {"-se", "-surfaceEdge", true, {Mask::kSelectSurfaceEdge}},
        {"-iso", "-isoparm", true, {Mask::kSelectIsoparms}},
        {"-lp", "-latticePoint", true, {Mask::kSelectLatticePoints}},
        {"-pr", "-particle", true, {Mask::kSelectParticles}},
        {"-npr", "-nParticle", true, {Mask::kSelectNParticles}},
        {"-jp", "-jointPivot", true, {Mask::kSelectJointPivots}},
        {"-sp", "-scalePivot", true, {Mask::kSelectScalePivots}},
        {"-rp", "-rotatePivot", true, {Mask::kSelectRotatePivots}},
        {"-sh", "-selectHandle", true, {Mask::kSelectSelectHandles}},
        {"-ra", "-localRotationAxis", true, {Mask::kSelectLocalAxis}},
    };
    return flags;
}

std::vector<FlagSpec> selectTypeSyntax() {
    std::vector<FlagSpec> flags = {{"-ocm", "-objectComponent"},
                                   {"-alc", "-allComponents", {kBoolean}},
                                   {"-alo", "-allObjects", {kBoolean}}};
    for (const TypeFlag& flag : typeFlags())
        flags.push_back({flag.shortName, flag.longName, {kBoolean}});
    return flags;
}

// Types that stand for groups of others.
bool isAggregate(Mask::SelectionType type) {
    return type == Mask::kSelectObjectsMask || type == Mask::kSelectComponentsMask ||
           type == Mask::kSelectMeshComponents || type == Mask::kSelectAnimMask ||
           type == Mask::kSelectAnimAny;
}

// Sets or clears a flag's types in `mask`. Masks only grow through their API, so a cleared
// type means rebuilding the mask without it.
void switchTypes(Mask& mask, const std::vector<Mask::SelectionType>& types, bool on) {
    Mask result;
    for (int type = Mask::kSelectHandles; type <= Mask::kSelectNParticles; ++type) {
        const auto t = static_cast<Mask::SelectionType>(type);
        const bool switched = std::find(types.begin(), types.end(), t) != types.end();
        if (!isAggregate(t) && (switched ? on : mask.intersects(t)))
            result.addMask(t);
    }
    mask = result;
}

void switchAll(Mask& mask, bool component, bool on) {
    for (const TypeFlag& flag : typeFlags()) {
        if (flag.component == component)
            switchTypes(mask, flag.types, on);
    }
}

bool anyOn(Mask& mask, bool component) {
    for (const TypeFlag& flag : typeFlags()) {
        if (flag.component == component && mask.intersects(flag.types.front()))
            return true;
    }
    return false;
}

MStatus selectTypeQuery(CommandCall& call, SelectionModes& modes, Mask& componentMask) {
    if (call.isSet("-alo")) {
        MPxCommand::setResult(anyOn(modes.objectMask, false));
        return MStatus::kSuccess;
    }
    for (const TypeFlag& flag : typeFlags()) {
        if (call.isSet(flag.shortName)) {
            Mask& mask = flag.component ? componentMask : modes.objectMask;
            MPxCommand::setResult(mask.intersects(flag.types.front()));
            return MStatus::kSuccess;
        }
    }
    // -allComponents, alone or with -objectComponent: whether any component type is on.
    if (call.isSet("-alc") || call.isSet("-ocm")) {
        MPxCommand::setResult(anyOn(componentMask, true));
        return MStatus::kSuccess;
    }
    return call.fail("selectType: No flag was given to query.");
}

MStatus selectType(CommandCall& call) {
    SelectionModes& modes = selectionModes();
    Mask& componentMask = call.isSet("-ocm") ? modes.hiliteMask : modes.componentMask;
    if (call.isQuery())
        return selectTypeQuery(call, modes, componentMask);
    const SelectionModes before = modes;
    if (call.isSet("-alo"))
        switchAll(modes.objectMask, false, call.boolean("-alo"));
    if (call.isSet("-alc"))
        switchAll(componentMask, true, call.boolean("-alc"));
    for (const TypeFlag& flag : typeFlags()) {
        if (call.isSet(flag.shortName)) {
            switchTypes(flag.component ? componentMask : modes.objectMask, flag.types,
                        call.boolean(flag.shortName));
        }
    }
    logModes(before, call.log());
    return MStatus::kSuccess;
}

const CommandSpec kSelectionCommands[] = {
    {"select",
     {{"-r", "-replace"},
      {"-add", "-add"},
      {"-af", "-addFirst"},
      {"-d", "-deselect"},
      {"-tgl", "-toggle"},
      {"-cl", "-clear"},
      {"-hi", "-hierarchy"},
      {"-ne", "-noExpand"},
      {"-all", "-all"},
      {"-ado", "-allDagObjects"},
      {"-adn", "-allDependencyNodes"},
      {"-vis", "-visible"}},
     objects(),
     select},
    {"hilite", {{"-r", "-replace"}, {"-tgl", "-toggle"}, {"-u", "-unHilite"}}, objects(), hilite},
    {"selectMode",
     {{"-o", "-object"},
      {"-co", "-component"},
      {"-r", "-root"},
      {"-l", "-leaf"},
      {"-t", "-template"},
      {"-h", "-hierarchical"}},
     {},
     selectMode,
     true},
    {"selectType", selectTypeSyntax(), {}, selectType, true},
};

const char* adjustmentFlag(int listAdjustment) {
    static const char* const kFlags[] = {"-r", "-tgl", "-add", "-d", "-af"};
    return kFlags[listAdjustment];
}

// The select command that does what a selectCommand did, as Maya's script editor echoes it:
// "select -r pCube1 pCube2.vtx[3] ;", "select -cl  ;" for an empty replacement.
std::string selectLine(const MSelectionList& items, int listAdjustment) {
    MStringArray names;
    items.getSelectionStrings(names);
    if (names.length() == 0 && listAdjustment == MGlobal::kReplaceList)
        return "select -cl  ;";
    std::string line = std::string("select ") + adjustmentFlag(listAdjustment) + " ";
    for (unsigned int i = 0; i < names.length(); ++i)
        line += std::string(names[i].asChar()) + " ";
    return line + ";";
}

}  // namespace

MStatus selectAsCommand(const MSelectionList& items, int listAdjustment) {
    MSelectionList result;
    const MStatus status = adjustedList(scene().selection, items, listAdjustment, result);
    if (!status)
        return status;
    EditLog log;
    setSelection(result, &log);
    const std::string line = selectLine(items, listAdjustment);
    CommandEngine::instance().echo(line);
    pushLoggedEdits("select", line, std::move(log));
    return MStatus::kSuccess;
}

void registerSelectionCommands(CommandEngine& engine) {
    registerCommandTable(engine, kSelectionCommands);
}

}  // namespace mayasim
