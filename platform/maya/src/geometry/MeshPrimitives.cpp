#include "geometry/MeshPrimitives.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mayasim::mesh {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Far beyond any interactive use; keeps face-vertex indices within int.
constexpr long long kMaxFaces = 50'000'000;

struct Arrays {
    std::vector<Vec3> points;
    std::vector<int> counts;
    std::vector<int> connects;
    std::vector<int> edgeOrder;

    void face(std::initializer_list<int> corners) {
        counts.push_back(static_cast<int>(corners.size()));
        connects.insert(connects.end(), corners);
    }
    void edge(int a, int b) { edgeOrder.insert(edgeOrder.end(), {a, b}); }
};

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

std::string sizeAndAxisProblem(std::initializer_list<double> sizes, const Vec3& axis,
                               long long faces) {
    if (!finite(sizes)) {
        return "sizes must be finite numbers";
    }
    if (!isFinite(axis) || lengthSquared(axis) == 0.0) {
        return "the axis must be a finite, non-zero vector";
    }
    if (faces > kMaxFaces) {
        return "too many subdivisions";
    }
    return {};
}

// Turns Y onto `axis`: the shortest rotation (Rodrigues), a half turn about Z for -Y.
void orient(std::vector<Vec3>& points, const Vec3& axis) {
    const Vec3 to = normalized(axis);
    const Vec3 from{0.0, 1.0, 0.0};
    const double c = dot(from, to);
    if (c >= 1.0) {
        return;
    }
    if (c <= -1.0 + 1e-12) {
        for (Vec3& p : points) {
            p = {-p.x, -p.y, p.z};
        }
        return;
    }
    const Vec3 v = cross(from, to);
    const double k = 1.0 / (1.0 + c);
    for (Vec3& p : points) {
        const Vec3 vxp = cross(v, p);
        p = p + vxp + cross(v, vxp) * k;
    }
}

Mesh finish(Arrays arrays, const Vec3& axis) {
    orient(arrays.points, axis);
    std::optional<Mesh> mesh =
        Mesh::fromPolygons(std::move(arrays.points), arrays.counts, arrays.connects);
    mesh->setEdgeOrder(std::move(arrays.edgeOrder));
    return std::move(*mesh);
}

// Angle of point j of a ring: one step from +x, turning towards -z, as Maya's round primitives.
Vec3 ringPoint(double ringRadius, double y, int j, int count) {
    const double angle = 2.0 * kPi * (j + 1) / count;
    return {ringRadius * std::cos(angle), y, -ringRadius * std::sin(angle)};
}

}  // namespace

std::string primitiveProblem(const CubeOptions& o) {
    const long long sw = std::max(1, o.subdivisionsWidth), sh = std::max(1, o.subdivisionsHeight),
                    sd = std::max(1, o.subdivisionsDepth);
    return sizeAndAxisProblem({o.width, o.height, o.depth}, o.axis,
                              2 * (sw * sh + sw * sd + sh * sd));
}

std::string primitiveProblem(const SphereOptions& o) {
    const long long sa = std::max(3, o.subdivisionsAxis), sh = std::max(2, o.subdivisionsHeight);
    return sizeAndAxisProblem({o.radius}, o.axis, sa * sh);
}

std::string primitiveProblem(const PlaneOptions& o) {
    const long long sw = std::max(1, o.subdivisionsWidth), sh = std::max(1, o.subdivisionsHeight);
    return sizeAndAxisProblem({o.width, o.height}, o.axis, sw * sh);
}

std::string primitiveProblem(const CylinderOptions& o) {
    const long long sa = std::max(3, o.subdivisionsAxis), sh = std::max(1, o.subdivisionsHeight),
                    sc = std::max(0, o.subdivisionsCaps);
    return sizeAndAxisProblem({o.radius, o.height}, o.axis, sa * (sh + 2 * std::max(1LL, sc)));
}

std::string primitiveProblem(const TorusOptions& o) {
    const long long sa = std::max(3, o.subdivisionsAxis), sh = std::max(3, o.subdivisionsHeight);
    return sizeAndAxisProblem({o.radius, o.sectionRadius, o.twist}, o.axis, sa * sh);
}

Mesh makeCube(const CubeOptions& o) {
    if (!primitiveProblem(o).empty()) {
        return Mesh();
    }
    const int sw = std::max(1, o.subdivisionsWidth);
    const int sh = std::max(1, o.subdivisionsHeight);
    const int sd = std::max(1, o.subdivisionsDepth);
    const double w = o.width, h = o.height, d = o.depth;
    const int loop = 2 * (sh + sd);
    const int row = sw + 1;
    Arrays a;
    // The loop around X: front up, top back, back down, bottom forward.
    for (int l = 0; l < loop; ++l) {
        double y, z;
        if (l <= sh) {
            y = -h / 2 + h * l / sh, z = d / 2;
        } else if (l <= sh + sd) {
            y = h / 2, z = d / 2 - d * (l - sh) / sd;
        } else if (l <= 2 * sh + sd) {
            y = h / 2 - h * (l - sh - sd) / sh, z = -d / 2;
        } else {
            y = -h / 2, z = -d / 2 + d * (l - 2 * sh - sd) / sd;
        }
        for (int i = 0; i <= sw; ++i) {
            a.points.push_back({-w / 2 + w * i / sw, y, z});
        }
    }
    const int bandPoints = static_cast<int>(a.points.size());
    const int capInner = (sh - 1) * (sd - 1);
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? w / 2 : -w / 2;
        for (int yi = 1; yi < sh; ++yi) {
            for (int zi = 1; zi < sd; ++zi) {
                a.points.push_back({x, -h / 2 + h * yi / sh, d / 2 - d * zi / sd});
            }
        }
    }
    auto band = [&](int l, int i) { return (l % loop) * row + i; };
    // A cap point by height index yi (bottom to top) and depth index zi (front to back).
    auto cap = [&](int side, int yi, int zi) {
        const int i = side == 0 ? sw : 0;
        if (zi == 0)
            return band(yi, i);
        if (yi == sh)
            return band(sh + zi, i);
        if (zi == sd)
            return band(sh + sd + (sh - yi), i);
        if (yi == 0)
            return band(2 * sh + sd + (sd - zi), i);
        return bandPoints + side * capInner + (yi - 1) * (sd - 1) + (zi - 1);
    };
    for (int l = 0; l < loop; ++l) {
        for (int i = 0; i < sw; ++i) {
            a.face({band(l, i), band(l, i + 1), band(l + 1, i + 1), band(l + 1, i)});
        }
    }
    for (int yi = 0; yi < sh; ++yi) {
        for (int zi = 0; zi < sd; ++zi) {
            a.face(
                {cap(0, yi, zi), cap(0, yi, zi + 1), cap(0, yi + 1, zi + 1), cap(0, yi + 1, zi)});
        }
    }
    for (int yi = 0; yi < sh; ++yi) {
        for (int zi = 0; zi < sd; ++zi) {
            a.face(
                {cap(1, yi, zi + 1), cap(1, yi, zi), cap(1, yi + 1, zi), cap(1, yi + 1, zi + 1)});
        }
    }
    for (int l = 0; l < loop; ++l) {
        for (int i = 0; i < sw; ++i) {
            a.edge(band(l, i), band(l, i + 1));
        }
    }
    for (int l = 0; l < loop; ++l) {
        for (int i = 0; i <= sw; ++i) {
            a.edge(band(l, i), band(l + 1, i));
        }
    }
    return finish(std::move(a), o.axis);
}

Mesh makeSphere(const SphereOptions& o) {
    if (!primitiveProblem(o).empty()) {
        return Mesh();
    }
    const int sa = std::max(3, o.subdivisionsAxis);
    const int sh = std::max(2, o.subdivisionsHeight);
    const int rings = sh - 1;
    Arrays a;
    for (int k = 0; k < rings; ++k) {
        const double polar = kPi * (k + 1) / sh;
        for (int j = 0; j < sa; ++j) {
            a.points.push_back(
                ringPoint(o.radius * std::sin(polar), -o.radius * std::cos(polar), j, sa));
        }
    }
    const int south = rings * sa;
    const int north = south + 1;
    const int top = (rings - 1) * sa;
    a.points.push_back({0.0, -o.radius, 0.0});
    a.points.push_back({0.0, o.radius, 0.0});
    auto at = [&](int k, int j) { return k * sa + j % sa; };
    for (int k = 0; k + 1 < rings; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.face({at(k, j), at(k, j + 1), at(k + 1, j + 1), at(k + 1, j)});
        }
    }
    for (int j = 0; j < sa; ++j) {
        a.face({at(0, j + 1), at(0, j), south});
    }
    for (int j = 0; j < sa; ++j) {
        a.face({top + j, top + (j + 1) % sa, north});
    }
    for (int k = 0; k < rings; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(at(k, j), at(k, j + 1));
        }
    }
    for (int k = 0; k + 1 < rings; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(at(k, j), at(k + 1, j));
        }
    }
    for (int j = 0; j < sa; ++j) {
        a.edge(south, j);
    }
    for (int j = 0; j < sa; ++j) {
        a.edge(top + j, north);
    }
    return finish(std::move(a), o.axis);
}

Mesh makePlane(const PlaneOptions& o) {
    if (!primitiveProblem(o).empty()) {
        return Mesh();
    }
    const int sw = std::max(1, o.subdivisionsWidth);
    const int sh = std::max(1, o.subdivisionsHeight);
    const int row = sw + 1;
    Arrays a;
    for (int j = 0; j <= sh; ++j) {
        for (int i = 0; i <= sw; ++i) {
            a.points.push_back(
                {-o.width / 2 + o.width * i / sw, 0.0, o.height / 2 - o.height * j / sh});
        }
    }
    for (int j = 0; j < sh; ++j) {
        for (int i = 0; i < sw; ++i) {
            const int v = j * row + i;
            a.face({v, v + 1, v + row + 1, v + row});
        }
    }
    for (int j = 0; j <= sh; ++j) {
        for (int i = 0; i <= sw; ++i) {
            const int v = j * row + i;
            if (i < sw)
                a.edge(v, v + 1);
            if (j < sh)
                a.edge(v, v + row);
        }
    }
    return finish(std::move(a), o.axis);
}

Mesh makeCylinder(const CylinderOptions& o) {
    if (!primitiveProblem(o).empty()) {
        return Mesh();
    }
    const int sa = std::max(3, o.subdivisionsAxis);
    const int sh = std::max(1, o.subdivisionsHeight);
    const int sc = o.caps ? std::max(0, o.subdivisionsCaps) : 0;
    const double half = o.height / 2;
    Arrays a;
    for (int k = 0; k <= sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.points.push_back(ringPoint(o.radius, -half + o.height * k / sh, j, sa));
        }
    }
    // Cap ring m of a cap (0 = its side ring, sc = its centre) and point j on it.
    const int sides = static_cast<int>(a.points.size());
    for (int cap = 0; cap < 2; ++cap) {
        for (int m = 1; m < sc; ++m) {
            for (int j = 0; j < sa; ++j) {
                a.points.push_back(
                    ringPoint(o.radius * (sc - m) / sc, cap == 0 ? -half : half, j, sa));
            }
        }
    }
    const int centres = static_cast<int>(a.points.size());
    if (sc >= 1) {
        a.points.push_back({0.0, -half, 0.0});
        a.points.push_back({0.0, half, 0.0});
    }
    auto side = [&](int k, int j) { return k * sa + j % sa; };
    auto capRing = [&](int cap, int m, int j) {
        if (m == 0)
            return side(cap == 0 ? 0 : sh, j);
        if (m == sc)
            return centres + cap;
        return sides + (cap * (sc - 1) + m - 1) * sa + j % sa;
    };
    for (int k = 0; k < sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.face({side(k, j), side(k, j + 1), side(k + 1, j + 1), side(k + 1, j)});
        }
    }
    if (o.caps && sc == 0) {
        for (int cap = 0; cap < 2; ++cap) {
            a.counts.push_back(sa);
            for (int j = 0; j < sa; ++j) {
                a.connects.push_back(cap == 0 ? side(0, sa - j) : side(sh, j));
            }
        }
    }
    for (int cap = 0; cap < 2 && sc >= 1; ++cap) {
        for (int m = 0; m < sc; ++m) {
            for (int j = 0; j < sa; ++j) {
                const int outer0 = capRing(cap, m, j), outer1 = capRing(cap, m, j + 1);
                const int inner0 = capRing(cap, m + 1, j), inner1 = capRing(cap, m + 1, j + 1);
                // The bottom cap faces down: its corners run against the ring's direction.
                if (m + 1 == sc && cap == 0) {
                    a.face({outer1, outer0, inner0});
                } else if (m + 1 == sc) {
                    a.face({outer0, outer1, inner0});
                } else if (cap == 0) {
                    a.face({outer1, outer0, inner0, inner1});
                } else {
                    a.face({outer0, outer1, inner1, inner0});
                }
            }
        }
    }
    for (int k = 0; k <= sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(side(k, j), side(k, j + 1));
        }
    }
    for (int k = 0; k < sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(side(k, j), side(k + 1, j));
        }
    }
    if (sc == 1) {
        for (int j = 0; j < sa; ++j) {
            a.edge(centres, side(0, j));
        }
        for (int j = 0; j < sa; ++j) {
            a.edge(side(sh, j), centres + 1);
        }
    }
    return finish(std::move(a), o.axis);
}

Mesh makeTorus(const TorusOptions& o) {
    if (!primitiveProblem(o).empty()) {
        return Mesh();
    }
    const int sa = std::max(3, o.subdivisionsAxis);
    const int sh = std::max(3, o.subdivisionsHeight);
    const double twist = o.twist * kPi / 180.0;
    Arrays a;
    for (int k = 0; k < sh; ++k) {
        const double section = kPi - 2.0 * kPi * k / sh + twist;
        const double ringRadius = o.radius + o.sectionRadius * std::cos(section);
        for (int j = 0; j < sa; ++j) {
            a.points.push_back(ringPoint(ringRadius, o.sectionRadius * std::sin(section), j, sa));
        }
    }
    auto at = [&](int k, int j) { return (k % sh) * sa + j % sa; };
    for (int k = 0; k < sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.face({at(k, j + 1), at(k, j), at(k + 1, j), at(k + 1, j + 1)});
        }
    }
    for (int k = 0; k < sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(at(k, j), at(k, j + 1));
        }
    }
    for (int k = 0; k < sh; ++k) {
        for (int j = 0; j < sa; ++j) {
            a.edge(at(k, j), at(k + 1, j));
        }
    }
    return finish(std::move(a), o.axis);
}

}  // namespace mayasim::mesh
