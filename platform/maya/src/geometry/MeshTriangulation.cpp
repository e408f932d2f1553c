#include "geometry/MeshTriangulation.h"

#include <algorithm>
#include <utility>

#include "geometry/Mesh.h"

namespace mayasim::mesh {

namespace {

// Areas below this fraction of the squared edge lengths count as none: collinear points give
// round-off of about 1e-16 of it, real slivers far more.
constexpr double kRelativeArea = 1e-12;

template <typename P>
double cross2(const P& o, const P& a, const P& b) {
    return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u);
}

template <typename P>
double distanceSquared(const P& a, const P& b) {
    return (a.u - b.u) * (a.u - b.u) + (a.v - b.v) * (a.v - b.v);
}

// Whether segments pq and rs share a point (touching counts).
template <typename P>
bool segmentsMeet(const P& p, const P& q, const P& r, const P& s) {
    const double d1 = cross2(r, s, p);
    const double d2 = cross2(r, s, q);
    const double d3 = cross2(p, q, r);
    const double d4 = cross2(p, q, s);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
        return true;
    }
    auto onSegment = [](const P& a, const P& b, const P& c) {
        return std::min(a.u, b.u) <= c.u && c.u <= std::max(a.u, b.u) &&
               std::min(a.v, b.v) <= c.v && c.v <= std::max(a.v, b.v);
    };
    return (d1 == 0 && onSegment(r, s, p)) || (d2 == 0 && onSegment(r, s, q)) ||
           (d3 == 0 && onSegment(p, q, r)) || (d4 == 0 && onSegment(p, q, s));
}

}  // namespace

bool PolygonTriangulator::triangulate(Span<Vec3> points, Span<int> loopSizes,
                                      std::vector<int>& triangles) {
    if (loopSizes.empty()) {
        return false;
    }
    long long total = 0;
    for (int size : loopSizes) {
        if (size < 3) {
            return false;
        }
        total += size;
    }
    if (total != static_cast<long long>(points.size()) ||
        !std::all_of(points.begin(), points.end(), [](const Vec3& p) { return isFinite(p); }) ||
        !project(points, loopSizes[0])) {
        return false;
    }
    if (loopSizes.size() == 1) {
        const int count = loopSizes[0];
        bool convex = true;
        for (int i = 0; i < count && convex; ++i) {
            convex = cross2(projected_[(i + count - 1) % count], projected_[i],
                            projected_[(i + 1) % count]) >= -kRelativeArea * scale_;
        }
        if (convex) {
            fan(count, triangles);
            return true;
        }
    }
    if (!bridgeHoles(loopSizes)) {
        return false;
    }
    clipEars(triangles);
    return true;
}

// Projects the points onto the plane of the outline, dropping the normal's largest axis and
// ordering the other two so that the outline runs counter-clockwise. Fails for an outline with
// no area.
bool PolygonTriangulator::project(Span<Vec3> points, int outlineSize) {
    Vec3 normal;
    double edgeLengths = 0.0;
    for (int i = 0; i < outlineSize; ++i) {
        const Vec3& a = points[i];
        const Vec3& b = points[(i + 1) % outlineSize];
        normal +=
            Vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
        edgeLengths += lengthSquared(b - a);
    }
    if (!(length(normal) > kRelativeArea * edgeLengths)) {
        return false;
    }
    const double ax = std::abs(normal.x), ay = std::abs(normal.y), az = std::abs(normal.z);
    const int axis = ax >= ay && ax >= az ? 0 : (ay >= az ? 1 : 2);
    int uAxis = (axis + 1) % 3;
    int vAxis = (axis + 2) % 3;
    if (normal[axis] < 0) {
        std::swap(uAxis, vAxis);
    }
    projected_.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        projected_[i] = {points[i][uAxis], points[i][vAxis]};
    }
    scale_ = edgeLengths / outlineSize;
    return true;
}

void PolygonTriangulator::fan(int count, std::vector<int>& triangles) const {
    for (int i = 1; i + 1 < count; ++i) {
        triangles.insert(triangles.end(), {0, i, i + 1});
    }
}

// Joins each hole to the outline by a two-way bridge from the hole's rightmost point to the
// nearest outline point it can see, holes with points further right first (Eberly's method with
// a plain visibility test), so the result is one counter-clockwise polygon with repeated points.
bool PolygonTriangulator::bridgeHoles(Span<int> loopSizes) {
    polygon_.clear();
    for (int i = 0; i < loopSizes[0]; ++i) {
        polygon_.push_back(i);
    }
    holes_.clear();
    int start = loopSizes[0];
    for (std::size_t loop = 1; loop < loopSizes.size(); ++loop) {
        HoleLoop hole{start, loopSizes[loop], start, false};
        double area = 0.0;
        for (int i = 0; i < hole.size; ++i) {
            const Point2& a = projected_[start + i];
            const Point2& b = projected_[start + (i + 1) % hole.size];
            area += a.u * b.v - b.u * a.v;
            if (a.u > projected_[hole.rightmost].u) {
                hole.rightmost = start + i;
            }
        }
        if (!(std::abs(area) > kRelativeArea * scale_)) {
            return false;
        }
        hole.counterClockwise = area > 0;
        holes_.push_back(hole);
        start += hole.size;
    }
    std::sort(holes_.begin(), holes_.end(), [&](const HoleLoop& a, const HoleLoop& b) {
        return projected_[a.rightmost].u > projected_[b.rightmost].u;
    });

    for (firstPendingHole_ = 0; firstPendingHole_ < holes_.size(); ++firstPendingHole_) {
        const HoleLoop& hole = holes_[firstPendingHole_];
        const int from = hole.rightmost;
        candidates_.clear();
        for (std::size_t position = 0; position < polygon_.size(); ++position) {
            candidates_.emplace_back(
                distanceSquared(projected_[polygon_[position]], projected_[from]),
                static_cast<int>(position));
        }
        std::sort(candidates_.begin(), candidates_.end());
        int chosen = -1;
        for (const auto& candidate : candidates_) {
            if (candidate.first > 0 && bridgeVisible(from, candidate.second)) {
                chosen = candidate.second;
                break;
            }
        }
        if (chosen < 0) {
            return false;
        }
        // Outline up to the bridge point, the hole clockwise from `from` and back, the bridge
        // point again, then the rest of the outline.
        merged_.assign(polygon_.begin(), polygon_.begin() + chosen + 1);
        const int step = hole.counterClockwise ? hole.size - 1 : 1;
        for (int i = 0, index = from - hole.start; i <= hole.size; ++i) {
            merged_.push_back(hole.start + index);
            index = (index + step) % hole.size;
        }
        merged_.push_back(polygon_[chosen]);
        merged_.insert(merged_.end(), polygon_.begin() + chosen + 1, polygon_.end());
        polygon_.swap(merged_);
    }
    return true;
}

// Whether a bridge from point `from` to the polygon point at `position` enters the polygon's
// interior there and crosses no edge of the polygon or of a hole not yet bridged.
bool PolygonTriangulator::bridgeVisible(int from, int position) const {
    const int count = static_cast<int>(polygon_.size());
    const int target = polygon_[position];
    const Point2& a = projected_[from];
    const Point2& b = projected_[target];
    const Point2& before = projected_[polygon_[(position + count - 1) % count]];
    const Point2& after = projected_[polygon_[(position + 1) % count]];
    const bool convex = cross2(before, b, after) >= 0;
    const bool leftOfIncoming = cross2(before, b, a) > 0;
    const bool leftOfOutgoing = cross2(b, after, a) > 0;
    if (convex ? !(leftOfIncoming && leftOfOutgoing) : !(leftOfIncoming || leftOfOutgoing)) {
        return false;
    }
    auto blocks = [&](int p, int q) {
        if (p == target || q == target || p == from || q == from) {
            return false;
        }
        return segmentsMeet(a, b, projected_[p], projected_[q]);
    };
    for (int i = 0; i < count; ++i) {
        if (blocks(polygon_[i], polygon_[(i + 1) % count])) {
            return false;
        }
    }
    for (std::size_t h = firstPendingHole_; h < holes_.size(); ++h) {
        const HoleLoop& hole = holes_[h];
        for (int i = 0; i < hole.size; ++i) {
            if (blocks(hole.start + i, hole.start + (i + 1) % hole.size)) {
                return false;
            }
        }
    }
    return true;
}

void PolygonTriangulator::clipEars(std::vector<int>& triangles) {
    const int count = static_cast<int>(polygon_.size());
    next_.resize(static_cast<std::size_t>(count));
    previous_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        next_[i] = (i + 1) % count;
        previous_[i] = (i + count - 1) % count;
    }
    auto clip = [&](int corner) {
        const int before = previous_[corner];
        const int after = next_[corner];
        triangles.insert(triangles.end(), {polygon_[before], polygon_[corner], polygon_[after]});
        next_[before] = after;
        previous_[after] = before;
        return after;
    };
    int remaining = count;
    int corner = 0;
    int misses = 0;
    while (remaining > 3) {
        if (isEar(previous_[corner], corner, next_[corner])) {
            corner = clip(corner);
            --remaining;
            misses = 0;
        } else if (++misses > remaining) {
            // No ear in a whole turn: the outline crosses itself. Clip anyway so that the face
            // still gets its full set of triangles.
            corner = clip(corner);
            --remaining;
            misses = 0;
        } else {
            corner = next_[corner];
        }
    }
    clip(corner);
}

bool PolygonTriangulator::isEar(int previous, int corner, int next) const {
    const int ia = polygon_[previous], ib = polygon_[corner], ic = polygon_[next];
    const Point2& a = projected_[ia];
    const Point2& b = projected_[ib];
    const Point2& c = projected_[ic];
    if (!(cross2(a, b, c) > 0)) {
        return false;
    }
    for (int other = next_[next]; other != previous; other = next_[other]) {
        const int index = polygon_[other];
        if (index == ia || index == ib || index == ic) {
            continue;  // the same point reached again through a bridge
        }
        const Point2& p = projected_[index];
        if (cross2(a, b, p) >= 0 && cross2(b, c, p) >= 0 && cross2(c, a, p) >= 0) {
            return false;
        }
    }
    return true;
}

Triangulation::Triangulation(const Mesh& mesh) {
    const int faces = mesh.numFaces();
    faceOffsets_.resize(static_cast<std::size_t>(faces) + 1);
    const long long expected = static_cast<long long>(mesh.numFaceVertices()) +
                               2LL * (mesh.numLoops() - faces) - 2LL * faces;
    if (expected > 0) {
        vertices_.reserve(static_cast<std::size_t>(3 * expected));
        triangleFace_.reserve(static_cast<std::size_t>(expected));
    }
    PolygonTriangulator triangulator;
    std::vector<int> lastFaceOfVertex(static_cast<std::size_t>(mesh.numVertices()), -1);
    std::vector<Vec3> corners;
    std::vector<int> loopSizes;
    std::vector<int> local;
    for (int face = 0; face < faces; ++face) {
        faceOffsets_[face] = numTriangles();
        const Span<int> ids = mesh.allFaceVertices(face);
        bool repeated = false;
        corners.clear();
        for (int vertex : ids) {
            repeated = repeated || lastFaceOfVertex[vertex] == face;
            lastFaceOfVertex[vertex] = face;
            corners.push_back(mesh.point(vertex));
        }
        if (repeated) {
            continue;
        }
        loopSizes.clear();
        for (int loop = mesh.firstLoop(face); loop < mesh.endLoop(face); ++loop) {
            loopSizes.push_back(mesh.loopSize(loop));
        }
        local.clear();
        if (!triangulator.triangulate(corners, loopSizes, local)) {
            continue;
        }
        for (std::size_t i = 0; i < local.size(); i += 3) {
            vertices_.insert(vertices_.end(),
                             {ids[local[i]], ids[local[i + 1]], ids[local[i + 2]]});
            triangleFace_.push_back(face);
        }
    }
    faceOffsets_[faces] = numTriangles();
}

}  // namespace mayasim::mesh
