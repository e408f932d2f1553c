#pragma once
// What a kind of shape offers for its components: the names they go by in strings ("vtx",
// "cv"...), how many elements of each kind a given shape has (counts along u and v for
// surface CVs), and the points that commands moving components read and write. Meshes
// register theirs here; curve and surface shapes register their own.

#include <memory>
#include <string>
#include <vector>

#include <maya/MFn.h>
#include <maya/MPoint.h>

namespace mayasim {

class Component;
class Node;

struct ComponentKind {
    std::string name;  // after the dot: "vtx", "e", "f", "cv", "ep"
    MFn::Type type;    // the component's type
    bool doubleIndexed = false;
};

struct ComponentExtent {
    int countU = 0;
    int countV = 1;  // 1 for single-indexed kinds
};

class ShapeComponents {
public:
    virtual ~ShapeComponents() = default;
    virtual const std::vector<ComponentKind>& kinds() const = 0;
    virtual ComponentExtent extent(Node& shape, MFn::Type type) const = 0;
    // The indices of the shape's points that `component` moves, each once, ascending.
    virtual std::vector<int> pointsOf(Node& shape, const Component& component) const = 0;
    // The points at `indices`, in object space.
    virtual void getPoints(Node& shape, const std::vector<int>& indices,
                           std::vector<MPoint>& positions) const = 0;
    virtual void setPoints(Node& shape, const std::vector<int>& indices,
                           const std::vector<MPoint>& positions) const = 0;

    const ComponentKind* kindNamed(const std::string& name) const;
    const ComponentKind* kindOf(MFn::Type type) const;
};

// Sets what shapes of `shapeType` offer; returns what they offered before (or null).
std::shared_ptr<const ShapeComponents> registerShapeComponents(
    MFn::Type shapeType, std::shared_ptr<const ShapeComponents> components);
// What `shape` offers, null when its type offers no components.
const ShapeComponents* shapeComponents(const Node& shape);

}  // namespace mayasim
