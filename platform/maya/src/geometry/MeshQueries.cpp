#include "geometry/MeshQueries.h"

#include <embree3/rtcore.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "geometry/Mesh.h"
#include "geometry/MeshTriangulation.h"

namespace mayasim::mesh {

namespace {

// One device for the process: creating one starts Embree's worker threads.
RTCDevice embreeDevice() {
    static RTCDevice device = rtcNewDevice(nullptr);
    return device;
}

float toFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

struct TrianglePoints {
    Vec3 p0, p1, p2;
};

TrianglePoints trianglePoints(const Mesh& mesh, const Triangulation& triangulation, int index) {
    const auto ids = triangulation.triangle(index);
    return {mesh.point(ids[0]), mesh.point(ids[1]), mesh.point(ids[2])};
}

// Where the line source + t * direction meets the triangle's plane, as t and the weights u, v of
// p1 and p2 (Moller-Trumbore, no culling). False when the line is parallel to the plane.
bool solveTriangle(const Vec3& source, const Vec3& direction, const TrianglePoints& tri, double& t,
                   double& u, double& v) {
    const Vec3 e1 = tri.p1 - tri.p0;
    const Vec3 e2 = tri.p2 - tri.p0;
    const Vec3 pv = cross(direction, e2);
    const double det = dot(e1, pv);
    if (det == 0.0 || !std::isfinite(det)) {
        return false;
    }
    const double inverse = 1.0 / det;
    const Vec3 tv = source - tri.p0;
    u = dot(tv, pv) * inverse;
    const Vec3 qv = cross(tv, e1);
    v = dot(direction, qv) * inverse;
    t = dot(e2, qv) * inverse;
    return true;
}

RayHit makeHit(const Triangulation& triangulation, int index, const Vec3& source,
               const Vec3& direction, double t, double u, double v) {
    RayHit hit;
    hit.point = source + direction * t;
    hit.param = t;
    hit.face = triangulation.triangleFace(index);
    hit.triangle = triangulation.triangleLocalIndex(index);
    hit.bary1 = 1.0 - u - v;
    hit.bary2 = u;
    return hit;
}

bool validRay(const RayQuery& query) {
    const double directionSquared = lengthSquared(query.direction);
    return isFinite(query.source) && directionSquared > 0.0 && std::isfinite(directionSquared) &&
           query.maxParam >= 0.0;
}

bool filtered(const RayQuery& query) {
    return !query.faceIds.empty() || !query.triangleIds.empty();
}

// Calls visit(triangle index) for every triangle the query's face and triangle lists allow.
template <typename Visit>
void forEachAllowedTriangle(const Mesh& mesh, const RayQuery& query, Visit&& visit) {
    const Triangulation& triangulation = mesh.triangulation();
    auto visitFace = [&](int face) {
        const int first = triangulation.faceTriangleOffset(face);
        for (int local = 0; local < triangulation.faceTriangleCount(face); ++local) {
            if (query.triangleIds.empty() ||
                std::find(query.triangleIds.begin(), query.triangleIds.end(), local) !=
                    query.triangleIds.end()) {
                visit(first + local);
            }
        }
    };
    if (query.faceIds.empty()) {
        for (int face = 0; face < mesh.numFaces(); ++face) {
            visitFace(face);
        }
        return;
    }
    for (int face : query.faceIds) {
        if (face >= 0 && face < mesh.numFaces()) {
            visitFace(face);
        }
    }
}

// Tests triangles one by one: for face or triangle lists, and if Embree is unavailable.
void bruteForceHits(const Mesh& mesh, const RayQuery& query, std::vector<RayHit>& hits) {
    const Triangulation& triangulation = mesh.triangulation();
    constexpr double kEdgeSlack = 1e-12;
    forEachAllowedTriangle(mesh, query, [&](int index) {
        double t, u, v;
        if (!solveTriangle(query.source, query.direction,
                           trianglePoints(mesh, triangulation, index), t, u, v)) {
            return;
        }
        if (u < -kEdgeSlack || v < -kEdgeSlack || u + v > 1.0 + kEdgeSlack ||
            std::abs(t) > query.maxParam || (t < 0.0 && !query.testBothDirections)) {
            return;
        }
        hits.push_back(makeHit(triangulation, index, query.source, query.direction, t, u, v));
    });
}

// Embree sees a unit direction (a very short or long one would lose single precision), so its
// distances are params times the direction's length.
RTCRayHit embreeRay(const Vec3& source, const Vec3& direction, double maxParam) {
    const double scale = length(direction);
    const Vec3 unit = direction / scale;
    const double reach = maxParam * scale;
    RTCRayHit ray{};
    ray.ray.org_x = toFloat(source.x);
    ray.ray.org_y = toFloat(source.y);
    ray.ray.org_z = toFloat(source.z);
    ray.ray.dir_x = static_cast<float>(unit.x);
    ray.ray.dir_y = static_cast<float>(unit.y);
    ray.ray.dir_z = static_cast<float>(unit.z);
    ray.ray.tnear = 0.0f;
    ray.ray.tfar = std::isinf(reach) ? std::numeric_limits<float>::infinity() : toFloat(reach);
    ray.ray.mask = 0xFFFFFFFFu;
    ray.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    ray.hit.primID = RTC_INVALID_GEOMETRY_ID;
    return ray;
}

// Re-solves Embree's single-precision hit on its triangle in double precision.
RayHit refine(const Mesh& mesh, unsigned int prim, double tf, float uf, float vf,
              const Vec3& source, const Vec3& direction) {
    const Triangulation& triangulation = mesh.triangulation();
    const int index = static_cast<int>(prim);
    double t = tf, u = uf, v = vf;
    solveTriangle(source, direction, trianglePoints(mesh, triangulation, index), t, u, v);
    return makeHit(triangulation, index, source, direction, t, u, v);
}

std::optional<RayHit> traceForward(const Mesh& mesh, const Vec3& source, const Vec3& direction,
                                   double maxParam) {
    RTCScene scene = mesh.rayAccelerator().scene();
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    RTCRayHit ray = embreeRay(source, direction, maxParam);
    rtcIntersect1(scene, &context, &ray);
    if (ray.hit.geomID == RTC_INVALID_GEOMETRY_ID) {
        return std::nullopt;
    }
    return refine(mesh, ray.hit.primID, ray.ray.tfar / length(direction), ray.hit.u, ray.hit.v,
                  source, direction);
}

struct CollectingContext {
    RTCIntersectContext context;  // first, so Embree's context pointer is ours
    std::vector<unsigned int>* triangles;
};

// Records every candidate hit and rejects it, so that traversal goes on past it.
void collectHit(const RTCFilterFunctionNArguments* args) {
    auto* collecting = reinterpret_cast<CollectingContext*>(args->context);
    for (unsigned int i = 0; i < args->N; ++i) {
        if (args->valid[i] != 0) {
            collecting->triangles->push_back(RTCHitN_primID(args->hit, args->N, i));
            args->valid[i] = 0;
        }
    }
}

void collectForward(const Mesh& mesh, const Vec3& source, const Vec3& direction, double maxParam,
                    bool negate, std::vector<RayHit>& hits) {
    std::vector<unsigned int> triangles;
    CollectingContext collecting{};
    rtcInitIntersectContext(&collecting.context);
    collecting.context.filter = collectHit;
    collecting.triangles = &triangles;
    RTCRayHit ray = embreeRay(source, direction, maxParam);
    rtcIntersect1(mesh.rayAccelerator().scene(), &collecting.context, &ray);
    std::sort(triangles.begin(), triangles.end());
    triangles.erase(std::unique(triangles.begin(), triangles.end()), triangles.end());
    const Triangulation& triangulation = mesh.triangulation();
    for (unsigned int prim : triangles) {
        const int index = static_cast<int>(prim);
        double t, u, v;
        if (!solveTriangle(source, direction, trianglePoints(mesh, triangulation, index), t, u,
                           v) ||
            t < 0.0 || t > maxParam) {
            continue;
        }
        RayHit hit = makeHit(triangulation, index, source, direction, t, u, v);
        if (negate) {
            hit.param = -hit.param;
        }
        hits.push_back(hit);
    }
}

bool closer(const RayHit& a, const RayHit& b) {
    return std::abs(a.param) < std::abs(b.param);
}

// Closest point of segment ab to p, as the weight of b.
double segmentWeight(const Vec3& p, const Vec3& a, const Vec3& b) {
    const Vec3 ab = b - a;
    const double len2 = lengthSquared(ab);
    return len2 > 0.0 ? std::clamp(dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
}

// Closest point of the triangle to p, with its weights w0, w1 of p0, p1 (Ericson, Real-Time
// Collision Detection 5.1.5); triangles with no area fall back to their edges.
Vec3 closestOnTriangle(const Vec3& p, const TrianglePoints& tri, double& w0, double& w1) {
    const Vec3 &a = tri.p0, &b = tri.p1, &c = tri.p2;
    const Vec3 ab = b - a, ac = c - a, ap = p - a;
    const double d1 = dot(ab, ap), d2 = dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) {
        w0 = 1, w1 = 0;
        return a;
    }
    const Vec3 bp = p - b;
    const double d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) {
        w0 = 0, w1 = 1;
        return b;
    }
    const Vec3 cp = p - c;
    const double d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) {
        w0 = 0, w1 = 0;
        return c;
    }
    const double vc = d1 * d4 - d3 * d2;
    const double vb = d5 * d2 - d1 * d6;
    const double va = d3 * d6 - d5 * d4;
    if (vc <= 0 && d1 >= 0 && d3 <= 0 && d1 - d3 > 0) {
        const double s = d1 / (d1 - d3);
        w0 = 1 - s, w1 = s;
        return a + ab * s;
    }
    if (vb <= 0 && d2 >= 0 && d6 <= 0 && d2 - d6 > 0) {
        const double s = d2 / (d2 - d6);
        w0 = 1 - s, w1 = 0;
        return a + ac * s;
    }
    if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0 && (d4 - d3) + (d5 - d6) > 0) {
        const double s = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        w0 = 0, w1 = 1 - s;
        return b + (c - b) * s;
    }
    const double sum = va + vb + vc;
    if (sum > 0) {
        const double v = vb / sum, w = vc / sum;
        w0 = 1 - v - w, w1 = v;
        return a + ab * v + ac * w;
    }
    // No area: the nearest of the three edges.
    const double sab = segmentWeight(p, a, b), sbc = segmentWeight(p, b, c),
                 sca = segmentWeight(p, c, a);
    const Vec3 qab = a + (b - a) * sab, qbc = b + (c - b) * sbc, qca = c + (a - c) * sca;
    const double dab = lengthSquared(p - qab), dbc = lengthSquared(p - qbc),
                 dca = lengthSquared(p - qca);
    if (dab <= dbc && dab <= dca) {
        w0 = 1 - sab, w1 = sab;
        return qab;
    }
    if (dbc <= dca) {
        w0 = 0, w1 = 1 - sbc;
        return qbc;
    }
    w0 = sca, w1 = 0;
    return qca;
}

struct PointSearch {
    const Mesh* mesh = nullptr;
    const Triangulation* triangulation = nullptr;
    Vec3 point;
    double bestSquared = 0.0;
    int best = -1;
    Vec3 closest;
    double w0 = 0, w1 = 0;

    // Returns true when the triangle is the nearest so far.
    bool consider(int index) {
        double a, b;
        const Vec3 q = closestOnTriangle(point, trianglePoints(*mesh, *triangulation, index), a, b);
        const double d2 = lengthSquared(q - point);
        if (d2 < bestSquared || (d2 == bestSquared && (best < 0 || index < best))) {
            bestSquared = d2, best = index, closest = q, w0 = a, w1 = b;
            return true;
        }
        return false;
    }
};

// Embree's point query does not descend nearest box first, so it starts from a bound: the
// triangles hit by rays from the point towards the mesh's centre and away from it.
void seedWithRays(const Mesh& mesh, PointSearch& search) {
    Vec3 toward = mesh.rayAccelerator().center() - search.point;
    if (!(lengthSquared(toward) > 0.0)) {
        toward = {0.0, 1.0, 0.0};
    }
    for (const Vec3& direction : {toward, -toward}) {
        if (const auto hit = traceForward(mesh, search.point, direction,
                                          std::numeric_limits<double>::infinity())) {
            search.consider(search.triangulation->faceTriangleOffset(hit->face) + hit->triangle);
        }
    }
}

bool pointQueryCallback(RTCPointQueryFunctionArguments* args) {
    auto* search = static_cast<PointSearch*>(args->userPtr);
    if (!search->consider(static_cast<int>(args->primID))) {
        return false;
    }
    // Shrink the search, a little generously: Embree's bounds are single precision.
    const float radius = static_cast<float>(std::sqrt(search->bestSquared) * (1.0 + 1e-5)) + 1e-30f;
    args->query->radius = std::min(args->query->radius, radius);
    return true;
}

}  // namespace

RayAccelerator::RayAccelerator(const Mesh& mesh) {
    const auto start = std::chrono::steady_clock::now();
    const Triangulation& triangulation = mesh.triangulation();
    triangles_ = triangulation.numTriangles();
    RTCDevice device = embreeDevice();
    if (device == nullptr) {
        return;  // queries test triangles one by one
    }
    RTCScene scene = rtcNewScene(device);
    if (scene == nullptr) {
        return;
    }
    // Robust traversal: a ray through a shared edge or vertex (a pick at a grid corner) must not
    // slip between the triangles.
    rtcSetSceneFlags(scene, RTC_SCENE_FLAG_ROBUST | RTC_SCENE_FLAG_CONTEXT_FILTER_FUNCTION);
    // Meshes are rebuilt after every edit (a drag edits many times), so a fast build matters
    // more than the last bit of traversal speed.
    rtcSetSceneBuildQuality(scene, RTC_BUILD_QUALITY_LOW);
    if (triangles_ > 0) {
        RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        rtcSetGeometryBuildQuality(geometry, RTC_BUILD_QUALITY_LOW);
        auto* vertices = static_cast<float*>(rtcSetNewGeometryBuffer(
            geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float),
            static_cast<std::size_t>(mesh.numVertices())));
        for (const Vec3& p : mesh.points()) {
            // Points outside valid faces may be anything; no triangle uses them.
            const bool finite = isFinite(p);
            *vertices++ = finite ? toFloat(p.x) : 0.0f;
            *vertices++ = finite ? toFloat(p.y) : 0.0f;
            *vertices++ = finite ? toFloat(p.z) : 0.0f;
        }
        auto* indices = static_cast<unsigned int*>(rtcSetNewGeometryBuffer(
            geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned int),
            static_cast<std::size_t>(triangles_)));
        for (int id : triangulation.triangleVertexIds()) {
            *indices++ = static_cast<unsigned int>(id);
        }
        rtcCommitGeometry(geometry);
        rtcAttachGeometry(scene, geometry);
        rtcReleaseGeometry(geometry);
    }
    rtcCommitScene(scene);
    RTCBounds box;
    rtcGetSceneBounds(scene, &box);
    if (triangles_ > 0) {
        center_ = {(box.lower_x + box.upper_x) / 2.0, (box.lower_y + box.upper_y) / 2.0,
                   (box.lower_z + box.upper_z) / 2.0};
    }
    scene_ = scene;
    buildSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

RayAccelerator::~RayAccelerator() {
    if (scene_ != nullptr) {
        rtcReleaseScene(scene_);
    }
}

std::string RayAccelerator::info() const {
    char text[128];
    std::snprintf(text, sizeof text, "Embree BVH over %d triangles, (build time %.3fs)", triangles_,
                  buildSeconds_);
    return text;
}

std::optional<RayHit> closestIntersection(const Mesh& mesh, const RayQuery& query) {
    if (!validRay(query)) {
        return std::nullopt;
    }
    if (filtered(query) || mesh.rayAccelerator().scene() == nullptr) {
        std::vector<RayHit> hits;
        bruteForceHits(mesh, query, hits);
        if (hits.empty()) {
            return std::nullopt;
        }
        return *std::min_element(hits.begin(), hits.end(), closer);
    }
    std::optional<RayHit> best = traceForward(mesh, query.source, query.direction, query.maxParam);
    if (query.testBothDirections) {
        const double reach = best ? std::abs(best->param) : query.maxParam;
        std::optional<RayHit> behind = traceForward(mesh, query.source, -query.direction, reach);
        if (behind && (!best || closer(*behind, *best))) {
            behind->param = -behind->param;
            best = behind;
        }
    }
    return best;
}

std::optional<RayHit> anyIntersection(const Mesh& mesh, const RayQuery& query) {
    return closestIntersection(mesh, query);
}

std::vector<RayHit> allIntersections(const Mesh& mesh, const RayQuery& query, bool sortHits) {
    std::vector<RayHit> hits;
    if (!validRay(query)) {
        return hits;
    }
    if (filtered(query) || mesh.rayAccelerator().scene() == nullptr) {
        bruteForceHits(mesh, query, hits);
    } else {
        collectForward(mesh, query.source, query.direction, query.maxParam, false, hits);
        if (query.testBothDirections) {
            collectForward(mesh, query.source, -query.direction, query.maxParam, true, hits);
        }
    }
    // A ray through an edge or a vertex meets every triangle there at the same point: keep one.
    std::sort(hits.begin(), hits.end(), [](const RayHit& a, const RayHit& b) {
        return a.param < b.param || (a.param == b.param && a.face < b.face);
    });
    hits.erase(std::unique(hits.begin(), hits.end(),
                           [](const RayHit& a, const RayHit& b) {
                               return std::abs(a.param - b.param) <=
                                      1e-9 * (1.0 + std::abs(a.param));
                           }),
               hits.end());
    if (sortHits) {
        std::stable_sort(hits.begin(), hits.end(), closer);
    }
    return hits;
}

std::vector<RayHit> intersect(const Mesh& mesh, const Vec3& source, const Vec3& direction) {
    RayQuery query;
    query.source = source;
    query.direction = direction;
    return allIntersections(mesh, query, true);
}

std::optional<SurfacePoint> closestPoint(const Mesh& mesh, const Vec3& point, double maxDistance) {
    if (!isFinite(point) || !(maxDistance >= 0.0)) {
        return std::nullopt;
    }
    const Triangulation& triangulation = mesh.triangulation();
    PointSearch search;
    search.mesh = &mesh;
    search.triangulation = &triangulation;
    search.point = point;
    search.bestSquared = std::isinf(maxDistance) ? maxDistance : maxDistance * maxDistance;
    RTCScene scene = mesh.rayAccelerator().scene();
    if (scene != nullptr) {
        seedWithRays(mesh, search);
        RTCPointQuery query;
        query.x = toFloat(point.x);
        query.y = toFloat(point.y);
        query.z = toFloat(point.z);
        query.time = 0.0f;
        query.radius = std::isinf(search.bestSquared)
                           ? std::numeric_limits<float>::infinity()
                           : toFloat(std::sqrt(search.bestSquared) * (1.0 + 1e-5)) + 1e-30f;
        RTCPointQueryContext context;
        rtcInitPointQueryContext(&context);
        rtcPointQuery(scene, &query, &context, pointQueryCallback, &search);
    } else {
        for (int index = 0; index < triangulation.numTriangles(); ++index) {
            search.consider(index);
        }
    }
    if (search.best < 0) {
        return std::nullopt;
    }
    SurfacePoint result;
    result.point = search.closest;
    result.distance = std::sqrt(search.bestSquared);
    result.face = triangulation.triangleFace(search.best);
    result.triangle = triangulation.triangleLocalIndex(search.best);
    result.bary1 = search.w0;
    result.bary2 = search.w1;
    return result;
}

}  // namespace mayasim::mesh
