#include "dg/ComponentNames.h"

#include <algorithm>
#include <cstdlib>

#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/MeshAccess.h"
#include "dg/Node.h"
#include "geometry/MeshTopology.h"

namespace mayasim {

namespace {

// "name[3]" -> name, 3; "name" -> name, -1. False on a malformed index.
bool splitIndex(const std::string& text, std::string& name, int& index) {
    const size_t open = text.find('[');
    index = -1;
    name = text.substr(0, open);
    if (open == std::string::npos)
        return true;
    if (text.back() != ']')
        return false;
    const std::string digits = text.substr(open + 1, text.size() - open - 2);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), ::isdigit))
        return false;
    index = std::atoi(digits.c_str());
    return true;
}

struct ComponentKind {
    const char* prefix;
    MFn::Type type;
};

const ComponentKind kKinds[] = {{"vtx", MFn::kMeshVertComponent},
                                {"e", MFn::kMeshEdgeComponent},
                                {"f", MFn::kMeshPolygonComponent}};

int elementCount(const mesh::Mesh& shapeMesh, MFn::Type type) {
    if (type == MFn::kMeshVertComponent)
        return shapeMesh.numVertices();
    if (type == MFn::kMeshEdgeComponent)
        return shapeMesh.topology().numEdges();
    return shapeMesh.numFaces();
}

}  // namespace

bool parsePlug(Node& node, const std::string& attrPath, MPlug& plug) {
    const Attribute* attr = nullptr;
    int index = -1;
    size_t start = 0;
    while (start <= attrPath.size()) {
        const size_t dot = attrPath.find('.', start);
        std::string name;
        int partIndex = -1;
        if (!splitIndex(attrPath.substr(start, dot - start), name, partIndex))
            return false;
        const Attribute* next = node.findAttribute(name);
        if (!next || (attr && next->parent != attr))
            return false;
        if (partIndex >= 0) {
            if (!next->flags.array)
                return false;
            index = partIndex;
        }
        attr = next;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (!attr)
        return false;
    plug = PlugAccess::make(node, {attr, index});
    return true;
}

bool parseComponent(Node& node, const std::string& text, MDagPath& path, MObject& component) {
    const size_t open = text.find('[');
    if (open == std::string::npos || text.back() != ']')
        return false;
    const std::string prefix = text.substr(0, open);
    const std::string range = text.substr(open + 1, text.size() - open - 2);
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const ComponentKind& k) { return prefix == k.prefix; });
    if (kind == std::end(kKinds))
        return false;
    path = MDagPath::getAPathTo(node.handle());
    if (!path.hasFn(MFn::kMesh))
        return false;
    if (!path.node().hasFn(MFn::kMesh) && !path.extendToShape())
        return false;
    Node* shape = nodeOf(path.node());
    const int count = elementCount(meshOf(*shape), kind->type);
    int first = 0;
    int last = count - 1;
    if (range != "*") {
        const size_t colon = range.find(':');
        first = std::atoi(range.substr(0, colon).c_str());
        last = colon == std::string::npos ? first : std::atoi(range.substr(colon + 1).c_str());
    }
    if (first < 0 || last >= count || first > last)
        return false;
    auto parts = std::make_shared<Component>(kind->type);
    for (int i = first; i <= last; ++i)
        parts->elements.push_back(i);
    component = ObjectAccess::wrap(parts);
    return true;
}

std::vector<std::string> componentStrings(const MDagPath& path, const MObject& component) {
    auto* parts = ObjectAccess::as<Component>(component);
    if (!parts)
        return {};
    const auto kind =
        std::find_if(std::begin(kKinds), std::end(kKinds),
                     [&](const ComponentKind& k) { return k.type == parts->componentType; });
    if (kind == std::end(kKinds))
        return {};
    MDagPath owner = path;
    if (owner.node().hasFn(MFn::kShape))
        owner.pop();
    const std::string base = std::string(owner.partialPathName().asChar()) + "." + kind->prefix;
    std::vector<int> elements = parts->resolved();
    std::sort(elements.begin(), elements.end());
    elements.erase(std::unique(elements.begin(), elements.end()), elements.end());
    std::vector<std::string> out;
    for (size_t i = 0; i < elements.size();) {
        size_t j = i;
        while (j + 1 < elements.size() && elements[j + 1] == elements[j] + 1)
            ++j;
        std::string range = std::to_string(elements[i]);
        if (j > i)
            range += ":" + std::to_string(elements[j]);
        out.push_back(base + "[" + range + "]");
        i = j + 1;
    }
    return out;
}

}  // namespace mayasim
