#include "dg/MeshComponents.h"

#include "dg/Component.h"
#include "dg/MeshAccess.h"
#include "dg/MeshGeometry.h"

namespace mayasim {

const std::vector<ComponentKind>& MeshComponents::kinds() const {
    static const std::vector<ComponentKind> kinds = {{"vtx", MFn::kMeshVertComponent},
                                                     {"e", MFn::kMeshEdgeComponent},
                                                     {"f", MFn::kMeshPolygonComponent}};
    return kinds;
}

ComponentExtent MeshComponents::extent(Node& shape, MFn::Type type) const {
    const MeshGeometry& mesh = meshGeometry(shape);
    switch (type) {
        case MFn::kMeshVertComponent:
            return {mesh.numVertices()};
        case MFn::kMeshEdgeComponent:
            return {mesh.numEdges()};
        case MFn::kMeshPolygonComponent:
            return {mesh.numPolygons()};
        default:
            return {};
    }
}

std::vector<int> MeshComponents::pointsOf(Node& shape, const Component& component) const {
    const MeshGeometry& mesh = meshGeometry(shape);
    const int count = mesh.numVertices();
    std::vector<bool> used(static_cast<size_t>(count), false);
    auto use = [&](int vertex) {
        if (vertex >= 0 && vertex < count)
            used[static_cast<size_t>(vertex)] = true;
    };
    // Where each face's vertices start in faceConnects, for faces picked in any order.
    std::vector<int> faceStart;
    if (component.componentType == MFn::kMeshPolygonComponent) {
        faceStart.resize(mesh.faceCounts.size() + 1, 0);
        for (size_t f = 0; f < mesh.faceCounts.size(); ++f)
            faceStart[f + 1] = faceStart[f] + mesh.faceCounts[f];
    }
    for (size_t i = 0; i < component.size(); ++i) {
        const int element = component.index(i);
        if (component.componentType == MFn::kMeshVertComponent) {
            use(element);
        } else if (component.componentType == MFn::kMeshEdgeComponent) {
            if (element >= 0 && element < mesh.numEdges()) {
                use(mesh.edges()[static_cast<size_t>(element)].first);
                use(mesh.edges()[static_cast<size_t>(element)].second);
            }
        } else if (!faceStart.empty() && element >= 0 && element < mesh.numPolygons()) {
            const auto face = static_cast<size_t>(element);
            for (int at = faceStart[face]; at < faceStart[face + 1]; ++at)
                use(mesh.faceConnects[static_cast<size_t>(at)]);
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
    const std::vector<MPoint>& points = meshGeometry(shape).points;
    positions.resize(indices.size());
    for (size_t i = 0; i < indices.size(); ++i)
        positions[i] = points[static_cast<size_t>(indices[i])];
}

void MeshComponents::setPoints(Node& shape, const std::vector<int>& indices,
                               const std::vector<MPoint>& positions) const {
    std::vector<MPoint>& points = meshGeometry(shape).points;
    for (size_t i = 0; i < indices.size(); ++i)
        points[static_cast<size_t>(indices[i])] = positions[i];
}

}  // namespace mayasim
