#pragma once
// A polygon mesh: points and faces, with the edge list derived from the faces.

#include <utility>
#include <vector>

#include <maya/MPoint.h>

namespace mayasim {

class MeshGeometry {
public:
    MeshGeometry() = default;
    MeshGeometry(std::vector<MPoint> points, std::vector<int> faceCounts,
                 std::vector<int> faceConnects);

    // A box centred at the origin with the given subdivisions, faces wound outwards.
    static MeshGeometry cube(double width, double height, double depth, int subdivisionsX,
                             int subdivisionsY, int subdivisionsZ);

    int numVertices() const { return static_cast<int>(points.size()); }
    int numPolygons() const { return static_cast<int>(faceCounts.size()); }
    int numEdges() const { return static_cast<int>(edges().size()); }
    std::vector<int> faceVertices(int face) const;
    // Undirected edges, each vertex pair once, in order of first appearance.
    const std::vector<std::pair<int, int>>& edges() const;
    bool isValid() const;

    std::vector<MPoint> points;
    std::vector<int> faceCounts;
    std::vector<int> faceConnects;

private:
    mutable std::vector<std::pair<int, int>> edges_;
    mutable bool edgesBuilt_ = false;
    mutable std::vector<int> faceOffsets_;
};

}  // namespace mayasim
