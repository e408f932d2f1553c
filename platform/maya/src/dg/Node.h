#pragma once
// A dependency node as the scene holds it: its type, name, values, dirty plugs, connections
// and, for DAG nodes, its place in the hierarchy.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MString.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include "dg/Attribute.h"
#include "mayasim/DgObject.h"

class MPxNode;

namespace mayasim {

class NodeClass;
class MeshGeometry;

// One plug of a node: an attribute and, inside an array, the logical element index.
struct PlugKey {
    const Attribute* attr = nullptr;
    int index = -1;
    bool operator<(const PlugKey& other) const {
        return attr != other.attr ? attr < other.attr : index < other.index;
    }
    bool operator==(const PlugKey& other) const {
        return attr == other.attr && index == other.index;
    }
};

// A stored plug value. Numbers keep the type last asked for so that data handles can hand
// out references of that type, as Maya's do.
struct Slot {
    enum class Num : unsigned char { kBool, kChar, kShort, kInt, kFloat, kDouble };

    double get() const;
    void set(double value);
    void retype(Num kind);

    Num num = Num::kDouble;
    union {
        bool b;
        char c;
        short s;
        int i;
        float f;
        double d = 0.0;
    } v;
    MString str;
    MObject data;
    MMatrix matrix;
    // A compound's children gathered for MDataHandle::asDouble3 and friends, which hand
    // out references that must outlive the handle.
    double2 double2Value = {0.0, 0.0};
    double3 double3Value = {0.0, 0.0, 0.0};
    float3 float3Value = {0.0f, 0.0f, 0.0f};
    MVector vectorValue;
};

struct Endpoint {
    class Node* node = nullptr;
    PlugKey key;
};

class Node : public Object {
public:
    Node(NodeClass& type, std::string name);
    ~Node() override;

    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    bool isDag() const;
    MObject handle() { return ObjectAccess::wrap(shared_from_this()); }
    std::shared_ptr<Node> shared() { return std::static_pointer_cast<Node>(shared_from_this()); }

    // Static then dynamic attributes, top level and children alike.
    std::vector<const Attribute*> allAttributes() const;
    const Attribute* findAttribute(const std::string& name) const;
    bool ownsAttribute(const Attribute* attr) const;

    NodeClass* type;
    std::string name;
    std::unique_ptr<MPxNode> user;
    std::vector<std::shared_ptr<Attribute>> dynamicAttributes;
    std::map<PlugKey, Slot> values;
    std::set<PlugKey> dirty;
    std::set<PlugKey> locked;
    std::map<PlugKey, Endpoint> incoming;
    std::multimap<PlugKey, Endpoint> outgoing;
    Node* parent = nullptr;  // DAG parent; the world node for top-level nodes
    std::vector<Node*> children;
    bool inScene = false;
    std::shared_ptr<MeshGeometry> mesh;  // mesh shapes only
    // The incoming geometry `mesh` was last copied from (connected mesh shapes only).
    std::shared_ptr<const MeshGeometry> meshSource;
};

Node* nodeOf(const MObject& handle);
// A slot holding the attribute's default value.
Slot defaultSlot(const Attribute& attr);

}  // namespace mayasim
