#include "dg/MeshAccess.h"

#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MIntArray.h>

#include <algorithm>

#include "dg/DataObjects.h"
#include "dg/Graph.h"
#include "dg/Node.h"

namespace mayasim {

namespace {

// A shape with history takes a copy of its input whenever the input is a new mesh (its
// revision tells), whatever dirtied it or not; edits made to the copy last until then.
std::shared_ptr<mesh::Mesh>& storedMesh(Node& shape) {
    if (!shape.polyMesh)
        shape.polyMesh = std::make_shared<mesh::Mesh>();
    const Attribute* inMesh = shape.findAttribute("inMesh");
    if (inMesh && sourceOf(shape, {inMesh, -1})) {
        const Slot& value = pull(shape, {inMesh, -1});
        const auto* data = ObjectAccess::as<MeshData>(value.data);
        if (data && data->geometry && data->geometry->revision() != shape.polyMeshSource) {
            shape.polyMesh = std::make_shared<mesh::Mesh>(*data->geometry);
            shape.polyMeshSource = data->geometry->revision();
        }
    }
    return shape.polyMesh;
}

}  // namespace

mesh::Mesh& meshOf(Node& shape) {
    return *storedMesh(shape);
}

std::shared_ptr<mesh::Mesh> sharedMeshOf(Node& shape) {
    return storedMesh(shape);
}

bool meshShapeOf(const MDagPath& path, MDagPath& shapePath, std::shared_ptr<mesh::Mesh>& shared) {
    shapePath = path;
    if (!shapePath.node().hasFn(MFn::kMesh))
        shapePath.extendToShape();
    Node* node = nodeOf(shapePath.node());
    if (!node || !node->hasFn(MFn::kMesh))
        return false;
    shared = sharedMeshOf(*node);
    return true;
}

mesh::Mesh* meshOf(const MObject& shape) {
    Node* node = nodeOf(shape);
    return node && node->hasFn(MFn::kMesh) ? &meshOf(*node) : nullptr;
}

void setMeshOf(Node& shape, mesh::Mesh value) {
    shape.polyMesh = std::make_shared<mesh::Mesh>(std::move(value));
}

std::vector<int> componentElements(const MObject& component, MFn::Type type, int count) {
    std::vector<int> elements;
    if (component.isNull() || MFnSingleIndexedComponent(component).isComplete()) {
        elements.resize(static_cast<std::size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i)
            elements[static_cast<std::size_t>(i)] = i;
        return elements;
    }
    if (component.apiType() != type)
        return elements;
    MIntArray ids;
    MFnSingleIndexedComponent(component).getElements(ids);
    elements.reserve(ids.length());
    for (unsigned int i = 0; i < ids.length(); ++i) {
        if (ids[i] >= 0 && ids[i] < count)
            elements.push_back(ids[i]);
    }
    return elements;
}

MObject makeComponent(MFn::Type type, const std::vector<int>& elements) {
    MFnSingleIndexedComponent fn;
    MObject component = fn.create(type);
    for (int element : elements)
        fn.addElement(element);
    return component;
}

MStatus startMeshIteration(const MDagPath& path, const MObject& component, MFn::Type type,
                           int (*count)(const mesh::Mesh&), MDagPath& shapePath,
                           std::shared_ptr<mesh::Mesh>& shared, std::vector<int>& indices) {
    indices.clear();
    if (!meshShapeOf(path, shapePath, shared))
        return MStatus::kInvalidParameter;
    if (!component.isNull() && component.apiType() != type) {
        shared.reset();
        return MStatus::kInvalidParameter;
    }
    indices = componentElements(component, type, count(*shared));
    return MStatus::kSuccess;
}

MStatus moveIteration(const std::vector<int>& indices, std::size_t& position, int index,
                      int& prevIndex) {
    prevIndex = position < indices.size() ? indices[position] : -1;
    // A whole mesh walks ids in order, so the id is its own position.
    std::size_t at = static_cast<std::size_t>(index);
    if (index < 0 || at >= indices.size() || indices[at] != index) {
        at = static_cast<std::size_t>(std::find(indices.begin(), indices.end(), index) -
                                      indices.begin());
    }
    if (at >= indices.size())
        return MStatus::kInvalidParameter;
    position = at;
    return MStatus::kSuccess;
}

void copyToArray(const std::vector<int>& values, MIntArray& array) {
    copyRangeToArray(values, array);
}

MMatrix spaceMatrix(const MDagPath& path, MSpace::Space space) {
    return space == MSpace::kWorld ? path.inclusiveMatrix() : MMatrix();
}

}  // namespace mayasim
