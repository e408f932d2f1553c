#include "dg/MeshGeometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace mayasim {

MeshGeometry::MeshGeometry(std::vector<MPoint> meshPoints, std::vector<int> counts,
                           std::vector<int> connects)
    : points(std::move(meshPoints)),
      faceCounts(std::move(counts)),
      faceConnects(std::move(connects)) {}

bool MeshGeometry::isValid() const {
    size_t total = 0;
    for (int count : faceCounts) {
        if (count < 3)
            return false;
        total += static_cast<size_t>(count);
    }
    if (total != faceConnects.size())
        return false;
    return std::all_of(faceConnects.begin(), faceConnects.end(),
                       [&](int v) { return v >= 0 && v < numVertices(); });
}

std::vector<int> MeshGeometry::faceVertices(int face) const {
    if (faceOffsets_.size() != faceCounts.size()) {
        faceOffsets_.clear();
        int offset = 0;
        for (int count : faceCounts) {
            faceOffsets_.push_back(offset);
            offset += count;
        }
    }
    if (face < 0 || face >= numPolygons())
        return {};
    const auto begin = faceConnects.begin() + faceOffsets_[face];
    return std::vector<int>(begin, begin + faceCounts[face]);
}

const std::vector<std::pair<int, int>>& MeshGeometry::edges() const {
    if (edgesBuilt_)
        return edges_;
    edges_.clear();
    std::map<std::pair<int, int>, int> seen;
    for (int face = 0; face < numPolygons(); ++face) {
        const std::vector<int> verts = faceVertices(face);
        for (size_t i = 0; i < verts.size(); ++i) {
            const int a = verts[i];
            const int b = verts[(i + 1) % verts.size()];
            const auto key = std::make_pair(std::min(a, b), std::max(a, b));
            if (seen.emplace(key, static_cast<int>(edges_.size())).second)
                edges_.push_back({a, b});
        }
    }
    edgesBuilt_ = true;
    return edges_;
}

namespace {

// Adds a grid of (nu+1) x (nv+1) points on a box face and its quads; `at` maps grid
// coordinates in [0,1]^2 to the point. Points shared between faces are merged by position.
void addFace(MeshGeometry& mesh, std::map<std::tuple<long, long, long>, int>& index, int nu, int nv,
             const std::function<MPoint(double, double)>& at) {
    auto pointId = [&](int i, int j) {
        const MPoint p = at(double(i) / nu, double(j) / nv);
        const auto key =
            std::make_tuple(std::lround(p.x * 1e6), std::lround(p.y * 1e6), std::lround(p.z * 1e6));
        auto it = index.find(key);
        if (it != index.end())
            return it->second;
        mesh.points.push_back(p);
        return index[key] = static_cast<int>(mesh.points.size()) - 1;
    };
    for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i) {
            mesh.faceCounts.push_back(4);
            for (int id :
                 {pointId(i, j), pointId(i + 1, j), pointId(i + 1, j + 1), pointId(i, j + 1)}) {
                mesh.faceConnects.push_back(id);
            }
        }
    }
}

}  // namespace

MeshGeometry MeshGeometry::cube(double width, double height, double depth, int sx, int sy, int sz) {
    sx = std::max(1, sx);
    sy = std::max(1, sy);
    sz = std::max(1, sz);
    const double hx = width / 2, hy = height / 2, hz = depth / 2;
    auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
    MeshGeometry mesh;
    std::map<std::tuple<long, long, long>, int> index;
    // Each face is walked counter-clockwise seen from outside.
    addFace(mesh, index, sx, sy, [&](double u, double v) {  // front, +z
        return MPoint(lerp(-hx, hx, u), lerp(-hy, hy, v), hz);
    });
    addFace(mesh, index, sx, sz, [&](double u, double v) {  // top, +y
        return MPoint(lerp(-hx, hx, u), hy, lerp(hz, -hz, v));
    });
    addFace(mesh, index, sx, sy, [&](double u, double v) {  // back, -z
        return MPoint(lerp(-hx, hx, u), lerp(hy, -hy, v), -hz);
    });
    addFace(mesh, index, sx, sz, [&](double u, double v) {  // bottom, -y
        return MPoint(lerp(-hx, hx, u), -hy, lerp(-hz, hz, v));
    });
    addFace(mesh, index, sz, sy, [&](double u, double v) {  // right, +x
        return MPoint(hx, lerp(-hy, hy, v), lerp(hz, -hz, u));
    });
    addFace(mesh, index, sz, sy, [&](double u, double v) {  // left, -x
        return MPoint(-hx, lerp(-hy, hy, v), lerp(-hz, hz, u));
    });
    return mesh;
}

}  // namespace mayasim
