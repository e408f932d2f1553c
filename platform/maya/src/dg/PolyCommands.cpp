// polyEvaluate and polySelect: counts and bounds of meshes, and edge loops, borders and rings
// selected the way Maya's polySelect walks them.

#include "dg/PolyCommands.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>

#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "dg/SceneState.h"
#include "geometry/MeshLoops.h"
#include "geometry/MeshTopology.h"
#include "geometry/MeshTriangulation.h"
#include "openmaya/CommandTable.h"

namespace mayasim {

namespace {

struct MeshTarget {
    MDagPath shape;
    std::shared_ptr<mesh::Mesh> geometry;
};

std::string nameOf(const MDagPath& path) {
    MDagPath owner = path;
    if (owner.node().hasFn(MFn::kShape))
        owner.pop();
    return owner.partialPathName().asChar();
}

// The meshes a command works on: the objects named, or those of the active selection
// (selected objects and the objects of selected components), else the hilited ones; each
// once.
MStatus targetMeshes(CommandCall& call, std::vector<MeshTarget>& targets) {
    std::vector<MDagPath> paths;
    const std::vector<std::string> names = call.objects();
    for (const std::string& name : names) {
        Node* node = resolveNode(name.substr(0, name.find('.')));
        if (!node || !node->isDag())
            return call.fail("No object matches name: " + name, MStatus::kInvalidParameter);
        paths.push_back(pathOf(*node));
    }
    if (names.empty()) {
        MSelectionList active;
        MGlobal::getActiveSelectionList(active);
        // Nothing selected: the objects hilited for component picking.
        if (active.length() == 0)
            MGlobal::getHiliteList(active);
        for (unsigned int i = 0; i < active.length(); ++i) {
            MDagPath path;
            MObject component;
            if (active.getDagPath(i, path, component))
                paths.push_back(path);
        }
    }
    for (const MDagPath& path : paths) {
        MeshTarget target;
        if (!meshShapeOf(path, target.shape, target.geometry)) {
            return call.fail(
                std::string(call.name()) + ": " + nameOf(path) + " is not a polygonal object.",
                MStatus::kInvalidParameter);
        }
        const bool seen = std::any_of(targets.begin(), targets.end(),
                                      [&](const MeshTarget& t) { return t.shape == target.shape; });
        if (!seen)
            targets.push_back(target);
    }
    if (targets.empty())
        return call.fail(std::string(call.name()) + ": No polygonal object is selected.",
                         MStatus::kInvalidParameter);
    return MStatus::kSuccess;
}

// ---- polyEvaluate ----

struct CountFlag {
    const char* shortName;
    const char* longName;
    int (*count)(const MeshTarget& target);
    MFn::Type componentType;  // kInvalid for counts of the whole mesh
};

int vertexCount(const MeshTarget& t) {
    return t.geometry->numVertices();
}
int edgeCount(const MeshTarget& t) {
    return t.geometry->topology().numEdges();
}
int faceCount(const MeshTarget& t) {
    return t.geometry->numFaces();
}
int triangleCount(const MeshTarget& t) {
    return t.geometry->triangulation().numTriangles();
}

// Pieces of the mesh joined through shared edges.
int shellCount(const MeshTarget& t) {
    const mesh::Topology& topology = t.geometry->topology();
    std::vector<int> parent(static_cast<std::size_t>(topology.numFaces()));
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int face) {
        while (parent[static_cast<std::size_t>(face)] != face) {
            int& up = parent[static_cast<std::size_t>(face)];
            up = parent[static_cast<std::size_t>(up)];
            face = up;
        }
        return face;
    };
    for (int edge = 0; edge < topology.numEdges(); ++edge) {
        const mesh::Span<int> faces = topology.edgeFaces(edge);
        for (std::size_t i = 1; i < faces.size(); ++i)
            parent[static_cast<std::size_t>(root(faces[i]))] = root(faces[0]);
    }
    int shells = 0;
    for (int face = 0; face < topology.numFaces(); ++face)
        shells += root(face) == face ? 1 : 0;
    return shells;
}

// The selected elements of one kind on the target, each once.
std::vector<int> selectedElements(const MeshTarget& target, MFn::Type type) {
    MSelectionList active;
    MGlobal::getActiveSelectionList(active);
    std::vector<int> elements;
    for (unsigned int i = 0; i < active.length(); ++i) {
        MDagPath path;
        MObject component;
        MDagPath shape;
        std::shared_ptr<mesh::Mesh> geometry;
        if (!active.getDagPath(i, path, component) || component.isNull() ||
            component.apiType() != type || !meshShapeOf(path, shape, geometry) ||
            !(shape == target.shape)) {
            continue;
        }
        const int total = type == MFn::kMeshVertComponent   ? geometry->numVertices()
                          : type == MFn::kMeshEdgeComponent ? geometry->topology().numEdges()
                                                            : geometry->numFaces();
        for (int element : componentElements(component, type, total))
            elements.push_back(element);
    }
    std::sort(elements.begin(), elements.end());
    elements.erase(std::unique(elements.begin(), elements.end()), elements.end());
    return elements;
}

int selectedVertexCount(const MeshTarget& t) {
    return static_cast<int>(selectedElements(t, MFn::kMeshVertComponent).size());
}
int selectedEdgeCount(const MeshTarget& t) {
    return static_cast<int>(selectedElements(t, MFn::kMeshEdgeComponent).size());
}
int selectedFaceCount(const MeshTarget& t) {
    return static_cast<int>(selectedElements(t, MFn::kMeshPolygonComponent).size());
}
int selectedTriangleCount(const MeshTarget& t) {
    const mesh::Triangulation& triangles = t.geometry->triangulation();
    int total = 0;
    for (int face : selectedElements(t, MFn::kMeshPolygonComponent))
        total += triangles.faceTriangleCount(face);
    return total;
}

const CountFlag kCountFlags[] = {
    {"-v", "-vertex", vertexCount, MFn::kInvalid},
    {"-e", "-edge", edgeCount, MFn::kInvalid},
    {"-f", "-face", faceCount, MFn::kInvalid},
    {"-t", "-triangle", triangleCount, MFn::kInvalid},
    {"-s", "-shell", shellCount, MFn::kInvalid},
    {"-vc", "-vertexComponent", selectedVertexCount, MFn::kMeshVertComponent},
    {"-ec", "-edgeComponent", selectedEdgeCount, MFn::kMeshEdgeComponent},
    {"-fc", "-faceComponent", selectedFaceCount, MFn::kMeshPolygonComponent},
    {"-tc", "-triangleComponent", selectedTriangleCount, MFn::kMeshPolygonComponent},
};

// World-space bounds of the listed vertices (all of them when `only` is null).
void growBounds(const MeshTarget& t, const std::vector<int>* only, mesh::Bounds& box) {
    const MMatrix world = t.shape.inclusiveMatrix();
    auto add = [&](int vertex) { box.expand(toVec3(toPoint(t.geometry->point(vertex)) * world)); };
    if (only) {
        for (int vertex : *only)
            add(vertex);
    } else {
        for (int vertex = 0; vertex < t.geometry->numVertices(); ++vertex)
            add(vertex);
    }
}

// The vertices the selected components of the target use.
std::vector<int> selectedVertices(const MeshTarget& t) {
    std::vector<int> vertices = selectedElements(t, MFn::kMeshVertComponent);
    const mesh::Topology& topology = t.geometry->topology();
    for (int edge : selectedElements(t, MFn::kMeshEdgeComponent)) {
        vertices.push_back(topology.edgeVertex(edge, 0));
        vertices.push_back(topology.edgeVertex(edge, 1));
    }
    for (int face : selectedElements(t, MFn::kMeshPolygonComponent)) {
        for (int vertex : t.geometry->allFaceVertices(face))
            vertices.push_back(vertex);
    }
    return vertices;
}

double area(const MeshTarget& t, bool world) {
    const MMatrix toSpace = world ? t.shape.inclusiveMatrix() : MMatrix();
    const std::vector<int>& ids = t.geometry->triangulation().triangleVertexIds();
    double total = 0.0;
    for (std::size_t i = 0; i + 2 < ids.size(); i += 3) {
        const MPoint a = toPoint(t.geometry->point(ids[i])) * toSpace;
        const MPoint b = toPoint(t.geometry->point(ids[i + 1])) * toSpace;
        const MPoint c = toPoint(t.geometry->point(ids[i + 2])) * toSpace;
        total += 0.5 * ((b - a) ^ (c - a)).length();
    }
    return total;
}

// Values come in a fixed order (vertex, edge, face, triangle, shell, then the component
// counts), not in the order the flags were typed: our choice, since one flag at a time is
// how the command is used. Counts over several objects are summed.
MStatus polyEvaluate(CommandCall& call) {
    std::vector<MeshTarget> targets;
    MStatus status = targetMeshes(call, targets);
    if (!status)
        return status;
    const bool wantBox = call.isSet("-b") || call.isSet("-bc");
    const bool wantArea = call.isSet("-a") || call.isSet("-wa");
    bool anyCount = false;
    for (const CountFlag& flag : kCountFlags)
        anyCount = anyCount || call.isSet(flag.shortName);
    if (int(wantBox) + int(wantArea) + int(anyCount) > 1 ||
        (call.isSet("-b") && call.isSet("-bc")) || (call.isSet("-a") && call.isSet("-wa"))) {
        return call.fail(
            "polyEvaluate: Counts, bounding boxes and areas are asked for one kind "
            "at a time.",
            MStatus::kInvalidParameter);
    }
    if (wantBox) {
        mesh::Bounds box;
        for (const MeshTarget& target : targets) {
            if (call.isSet("-bc")) {
                const std::vector<int> vertices = selectedVertices(target);
                growBounds(target, &vertices, box);
            } else {
                growBounds(target, nullptr, box);
            }
        }
        // A box that cannot be computed (no component selected) is all zeros, as in Maya.
        MDoubleArray values;
        for (int axis = 0; axis < 3; ++axis) {
            values.append(box.isEmpty() ? 0.0 : box.min[axis]);
            values.append(box.isEmpty() ? 0.0 : box.max[axis]);
        }
        MPxCommand::setResult(values);
        return MStatus::kSuccess;
    }
    if (wantArea) {
        double total = 0.0;
        for (const MeshTarget& target : targets)
            total += area(target, call.isSet("-wa"));
        MPxCommand::setResult(total);
        return MStatus::kSuccess;
    }
    MIntArray values;
    for (const CountFlag& flag : kCountFlags) {
        // No flag at all: the counts of the whole mesh.
        if (anyCount ? !call.isSet(flag.shortName) : flag.componentType != MFn::kInvalid)
            continue;
        int total = 0;
        for (const MeshTarget& target : targets)
            total += flag.count(target);
        values.append(total);
    }
    if (values.length() == 1)
        MPxCommand::setResult(values[0]);
    else
        MPxCommand::setResult(values);
    return MStatus::kSuccess;
}

// ---- polySelect ----

struct WalkFlag {
    const char* shortName;
    const char* longName;
    mesh::EdgeWalk (*walk)(const mesh::Topology&, int);
};

const WalkFlag kWalkFlags[] = {
    {"-el", "-edgeLoop", mesh::edgeLoop},
    {"-elb", "-edgeLoopOrBorder", mesh::edgeLoopOrBorder},
    {"-eb", "-edgeBorder", mesh::edgeBorder},
    {"-er", "-edgeRing", mesh::edgeRing},
};

struct PathFlag {
    const char* shortName;
    const char* longName;
    std::vector<int> (*path)(const mesh::Topology&, int, int);
};

const PathFlag kPathFlags[] = {
    {"-elp", "-edgeLoopPath", mesh::edgeLoopPath},
    {"-erp", "-edgeRingPath", mesh::edgeRingPath},
};

MStatus checkEdge(CommandCall& call, const MeshTarget& target, int edge) {
    const int edges = target.geometry->topology().numEdges();
    if (edge >= 0 && edge < edges)
        return MStatus::kSuccess;
    return call.fail("polySelect: Edge index " + std::to_string(edge) + " is out of range for " +
                         nameOf(target.shape) + " (0 to " + std::to_string(edges - 1) + ").",
                     MStatus::kInvalidParameter);
}

// The edges every flag asks for on one mesh, in flag order. A walk that closes lists its
// first edge again at the end, as Maya's polySelect does.
MStatus walkEdges(CommandCall& call, const MeshTarget& target, std::vector<int>& edges) {
    const mesh::Topology& topology = target.geometry->topology();
    for (const WalkFlag& flag : kWalkFlags) {
        if (!call.isSet(flag.shortName))
            continue;
        const int edge = call.integer(flag.shortName);
        MStatus status = checkEdge(call, target, edge);
        if (!status)
            return status;
        const mesh::EdgeWalk walk = flag.walk(topology, edge);
        edges.insert(edges.end(), walk.edges.begin(), walk.edges.end());
        if (walk.closed && !walk.edges.empty())
            edges.push_back(walk.edges.front());
    }
    for (const PathFlag& flag : kPathFlags) {
        if (!call.isSet(flag.shortName))
            continue;
        const int from = call.integer(flag.shortName, -1, 0);
        const int to = call.integer(flag.shortName, -1, 1);
        MStatus status = checkEdge(call, target, from);
        if (status)
            status = checkEdge(call, target, to);
        if (!status)
            return status;
        const std::vector<int> path = flag.path(topology, from, to);
        edges.insert(edges.end(), path.begin(), path.end());
    }
    return MStatus::kSuccess;
}

MStatus polySelect(CommandCall& call) {
    const bool anyWalk =
        std::any_of(std::begin(kWalkFlags), std::end(kWalkFlags),
                    [&](const WalkFlag& flag) { return call.isSet(flag.shortName); }) ||
        std::any_of(std::begin(kPathFlags), std::end(kPathFlags),
                    [&](const PathFlag& flag) { return call.isSet(flag.shortName); });
    if (!anyWalk)
        return call.fail(
            "polySelect: Nothing to select: give an edge loop, border, ring or path "
            "flag.",
            MStatus::kInvalidParameter);
    std::vector<MeshTarget> targets;
    MStatus status = targetMeshes(call, targets);
    if (!status)
        return status;
    MIntArray result;
    MSelectionList picked;
    for (const MeshTarget& target : targets) {
        std::vector<int> edges;
        status = walkEdges(call, target, edges);
        if (!status)
            return status;
        for (int edge : edges)
            result.append(edge);
        if (!edges.empty()) {
            MDagPath shape = target.shape;
            picked.add(shape, makeComponent(MFn::kMeshEdgeComponent, edges), true);
        }
    }
    if (!call.isSet("-ns")) {
        MSelectionList selection;
        if (call.isSet("-add"))
            MGlobal::getActiveSelectionList(selection);
        selection.merge(picked);
        setSelection(selection, &call.log());
    }
    MPxCommand::setResult(result);
    return MStatus::kSuccess;
}

}  // namespace

void registerPolyCommands(CommandEngine& engine) {
    static const CommandSpec kSpecs[] = {
        {"polyEvaluate",
         {{"-v", "-vertex"},
          {"-e", "-edge"},
          {"-f", "-face"},
          {"-t", "-triangle"},
          {"-s", "-shell"},
          {"-vc", "-vertexComponent"},
          {"-ec", "-edgeComponent"},
          {"-fc", "-faceComponent"},
          {"-tc", "-triangleComponent"},
          {"-b", "-boundingBox"},
          {"-bc", "-boundingBoxComponent"},
          {"-a", "-area"},
          {"-wa", "-worldArea"}},
         objects(),
         polyEvaluate},
        {"polySelect",
         {{"-ns", "-noSelection"},
          {"-add", "-add"},
          {"-el", "-edgeLoop", {MSyntax::kLong}},
          {"-elb", "-edgeLoopOrBorder", {MSyntax::kLong}},
          {"-eb", "-edgeBorder", {MSyntax::kLong}},
          {"-er", "-edgeRing", {MSyntax::kLong}},
          {"-elp", "-edgeLoopPath", {MSyntax::kLong, MSyntax::kLong}},
          {"-erp", "-edgeRingPath", {MSyntax::kLong, MSyntax::kLong}}},
         objects(),
         polySelect},
    };
    registerCommandTable(engine, kSpecs);
}

}  // namespace mayasim
