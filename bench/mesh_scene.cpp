// The picking path through the Maya stand-in on a scene holding a 1,000,000-triangle mesh
// (polySphere -sx 1000 -sy 501, moved off the origin so world-space queries go through its
// matrix): evaluating the sphere from its history, building the topology of the scene's mesh,
// rebuilding the intersection accelerator after an edit, and one MFnMesh::closestIntersection
// ray and one MFnMesh::getClosestPoint query in world space once it is built. The kernel's own
// figures are in mesh_kernel; the difference is the function set's cost.
// Run with --benchmark_format=json for JSON; the `triangles` counter names the mesh size.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include <maya/MDagPath.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFnMesh.h>

#include "dg/MeshAccess.h"
#include "geometry/MeshTopology.h"
#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

const MVector kOffset(5.0, 2.0, -3.0);

void mel(const char* command) {
    mayasim::CommandEngine::instance().executeMel(command, nullptr, false, false);
}

// The scene, made once: the sphere's transform path.
const MDagPath& sphere() {
    static const MDagPath path = [] {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
        mel("polySphere -sx 1000 -sy 501 -n ball; move 5 2 -3 ball");
        MDagPath found;
        mayasim::Scene::instance().findPath("ball", found);
        return found;
    }();
    return path;
}

MVector randomDirection(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    return MVector(unit(random), unit(random), unit(random)).normal();
}

void setTriangles(benchmark::State& state) {
    MFnMesh fn(sphere());
    MIntArray counts, ids;
    fn.getTriangles(counts, ids);
    state.counters["triangles"] = ids.length() / 3;
}

void BM_EvaluateFromHistory(benchmark::State& state) {
    MFnMesh fn(sphere());
    int axis = 1000;
    for (auto _ : state) {
        // Alternate the subdivisions so each read evaluates the creator again.
        axis = axis == 1000 ? 999 : 1000;
        mel(axis == 1000 ? "setAttr polySphere1.sa 1000" : "setAttr polySphere1.sa 999");
        benchmark::DoNotOptimize(fn.numVertices());
    }
    mel("setAttr polySphere1.sa 1000");
    setTriangles(state);
}
BENCHMARK(BM_EvaluateFromHistory)->Unit(benchmark::kMillisecond);

// The adjacency of the scene's mesh as an edit of its faces would rebuild it.
void BM_TopologyBuild(benchmark::State& state) {
    MDagPath shape = sphere();
    shape.extendToShape();
    const mayasim::mesh::Mesh& mesh = *mayasim::meshOf(shape.node());
    for (auto _ : state) {
        mayasim::mesh::Topology topology(mesh.sharedConnectivity(), mesh.numVertices());
        benchmark::DoNotOptimize(topology.numEdges());
    }
    setTriangles(state);
}
BENCHMARK(BM_TopologyBuild)->Unit(benchmark::kMillisecond);

void BM_AcceleratorBuild(benchmark::State& state) {
    MFnMesh fn(sphere());
    MMeshIsectAccelParams accel = MFnMesh::autoUniformGridParams();
    MFloatPoint hit;
    const MFloatPoint source(MPoint(kOffset) + MVector(0.0, 0.0, 3.0));
    for (auto _ : state) {
        fn.freeCachedIntersectionAccelerator();
        benchmark::DoNotOptimize(fn.closestIntersection(
            source, MFloatVector(0.0f, 0.0f, -1.0f), nullptr, nullptr, false, MSpace::kWorld,
            9999.0f, false, &accel, hit, nullptr, nullptr, nullptr, nullptr, nullptr, 1e-6f));
    }
    setTriangles(state);
}
BENCHMARK(BM_AcceleratorBuild)->Unit(benchmark::kMillisecond);

void BM_ClosestIntersection(benchmark::State& state) {
    MFnMesh fn(sphere());
    MMeshIsectAccelParams accel = MFnMesh::autoUniformGridParams();
    std::mt19937 random(7);
    std::vector<std::pair<MFloatPoint, MFloatVector>> rays(4096);
    for (auto& [source, direction] : rays) {
        const MPoint from = MPoint(kOffset) + randomDirection(random) * 3.0;
        const MPoint to = MPoint(kOffset) + randomDirection(random) * 1.05;
        source = MFloatPoint(from);
        direction = MFloatVector(to - from);
    }
    MFloatPoint hit;
    // The accelerator is built by the first query, outside the measured loop.
    fn.closestIntersection(rays[0].first, rays[0].second, nullptr, nullptr, false, MSpace::kWorld,
                           9999.0f, false, &accel, hit, nullptr, nullptr, nullptr, nullptr, nullptr,
                           1e-6f);
    size_t next = 0;
    for (auto _ : state) {
        const auto& [source, direction] = rays[next++ % rays.size()];
        benchmark::DoNotOptimize(fn.closestIntersection(
            source, direction, nullptr, nullptr, false, MSpace::kWorld, 9999.0f, false, &accel, hit,
            nullptr, nullptr, nullptr, nullptr, nullptr, 1e-6f));
    }
    setTriangles(state);
}
BENCHMARK(BM_ClosestIntersection)->Unit(benchmark::kMicrosecond);

void BM_GetClosestPoint(benchmark::State& state) {
    MFnMesh fn(sphere());
    std::mt19937 random(11);
    std::uniform_real_distribution<double> radius(1.0, 1.1);
    std::vector<MPoint> points(4096);
    for (MPoint& p : points)
        p = MPoint(kOffset) + randomDirection(random) * radius(random);
    MPoint closest;
    fn.getClosestPoint(points[0], closest, MSpace::kWorld);
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            fn.getClosestPoint(points[next++ % points.size()], closest, MSpace::kWorld));
    }
    setTriangles(state);
}
BENCHMARK(BM_GetClosestPoint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
