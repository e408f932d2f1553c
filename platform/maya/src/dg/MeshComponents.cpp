#include "dg/MeshComponents.h"

#include "dg/Component.h"
#include "dg/MeshAccess.h"
#include "geometry/MeshTopology.h"

namespace mayasim {

const std::vector<ComponentKind>& MeshComponents::kinds() const {
    static const std::vector<ComponentKind> kinds = {{"vtx", MFn::kMeshVertComponent},
                                                     {"e", MFn::kMeshEdgeComponent},
                                                     {"f", MFn::kMeshPolygonComponent}};
    return kinds;
}

ComponentExtent MeshComponents::extent(Node& shape, MFn::Type type) const {
    const mesh::Mesh& m = meshOf(shape);
    switch (type) {
        case MFn::kMeshVertComponent:
            return {m.numVertices()};
        case MFn::kMeshEdgeComponent:
            return {m.topology().numEdges()};
        case MFn::kMeshPolygonComponent:
            return {m.numFaces()};
        default:
            return {};
    }
}

std::vector<int> MeshComponents::pointsOf(Node& shape, const Component& component) const {
    const mesh::Mesh& m = meshOf(shape);
    const int count = m.numVertices();
    std::vector<bool> used(static_cast<size_t>(count), false);
    auto use = [&](int vertex) {
        if (vertex >= 0 && vertex < count)
            used[static_cast<size_t>(vertex)] = true;
    };
    const bool edges = component.componentType == MFn::kMeshEdgeComponent;
    const bool faces = component.componentType == MFn::kMeshPolygonComponent;
    const int edgeCount = edges ? m.topology().numEdges() : 0;
    for (size_t i = 0; i < component.size(); ++i) {
        const int element = component.index(i);
        if (component.componentType == MFn::kMeshVertComponent) {
            use(element);
        } else if (edges && element >= 0 && element < edgeCount) {
            use(m.topology().edgeVertex(element, 0));
            use(m.topology().edgeVertex(element, 1));
        } else if (faces && element >= 0 && element < m.numFaces()) {
            for (int vertex : m.allFaceVertices(element))
                use(vertex);
        }
    }
    std::vector<int> points;
    for (int v = 0; v < count; ++v) {
        if (used[static_cast<size_t>(v)])
            points.push_back(v);
    }
    return points;
}

void MeshComponents::getPoints(Node& shape, const std::vector<int>& indices,
                               std::vector<MPoint>& positions) const {
    const mesh::Mesh& m = meshOf(shape);
    positions.resize(indices.size());
    for (size_t i = 0; i < indices.size(); ++i)
        positions[i] = toPoint(m.point(indices[i]));
}

// One edit for the whole batch: the mesh gets one new revision however many points move.
void MeshComponents::setPoints(Node& shape, const std::vector<int>& indices,
                               const std::vector<MPoint>& positions) const {
    std::vector<mesh::Vec3> moved(positions.size());
    for (size_t i = 0; i < positions.size(); ++i)
        moved[i] = toVec3(positions[i]);
    meshOf(shape).setPoints(indices, moved);
}

}  // namespace mayasim
