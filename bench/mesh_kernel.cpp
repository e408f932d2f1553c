// The mesh kernel on a sphere of 1,000,000 triangles (1000 x 501 subdivisions): building the
// topology, the triangulation and the ray accelerator, and the cost of one closest-intersection
// ray, one all-intersections ray and one closest-point query once the accelerator is built.
// Run with --benchmark_format=json for JSON; the `triangles` counter names the mesh size.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/Mesh.h"
#include "geometry/MeshPrimitives.h"
#include "geometry/MeshQueries.h"
#include "geometry/MeshTopology.h"
#include "geometry/MeshTriangulation.h"

namespace {

using namespace mayasim::mesh;

const Mesh& millionTriangleSphere() {
    static const Mesh sphere = makeSphere({1.0, 1000, 501});
    return sphere;
}

// Rays from a shell around the sphere towards random points near its surface: most hit, some
// graze or miss.
std::vector<RayQuery> randomRays(int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    auto randomDirection = [&] { return normalized({unit(random), unit(random), unit(random)}); };
    std::vector<RayQuery> rays(static_cast<std::size_t>(count));
    for (RayQuery& ray : rays) {
        ray.source = randomDirection() * 3.0;
        ray.direction = randomDirection() * 1.05 - ray.source;
    }
    return rays;
}

std::vector<Vec3> randomPoints(int count) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(-2.0, 2.0);
    std::vector<Vec3> points(static_cast<std::size_t>(count));
    for (Vec3& p : points) {
        p = {coordinate(random), coordinate(random), coordinate(random)};
    }
    return points;
}

void setTriangles(benchmark::State& state) {
    state.counters["triangles"] = millionTriangleSphere().triangulation().numTriangles();
}

void BM_TopologyBuild(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    for (auto _ : state) {
        Topology topology(sphere.sharedConnectivity(), sphere.numVertices());
        benchmark::DoNotOptimize(topology.numEdges());
    }
    setTriangles(state);
}
BENCHMARK(BM_TopologyBuild)->Unit(benchmark::kMillisecond);

void BM_Triangulation(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    for (auto _ : state) {
        Triangulation triangulation(sphere);
        benchmark::DoNotOptimize(triangulation.numTriangles());
    }
    setTriangles(state);
}
BENCHMARK(BM_Triangulation)->Unit(benchmark::kMillisecond);

void BM_AcceleratorBuild(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.triangulation();
    for (auto _ : state) {
        RayAccelerator accelerator(sphere);
        benchmark::DoNotOptimize(accelerator.scene());
    }
    setTriangles(state);
}
BENCHMARK(BM_AcceleratorBuild)->Unit(benchmark::kMillisecond);

void BM_ClosestIntersection(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.rayAccelerator();
    const std::vector<RayQuery> rays = randomRays(4096);
    std::size_t next = 0;
    long hits = 0;
    for (auto _ : state) {
        hits += closestIntersection(sphere, rays[next++ % rays.size()]).has_value();
    }
    state.counters["hit_fraction"] = static_cast<double>(hits) / state.iterations();
    setTriangles(state);
}
BENCHMARK(BM_ClosestIntersection)->Unit(benchmark::kMicrosecond);

void BM_AllIntersections(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.rayAccelerator();
    const std::vector<RayQuery> rays = randomRays(4096);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(allIntersections(sphere, rays[next++ % rays.size()]).size());
    }
    setTriangles(state);
}
BENCHMARK(BM_AllIntersections)->Unit(benchmark::kMicrosecond);

void BM_ClosestPoint(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.rayAccelerator();
    const std::vector<Vec3> points = randomPoints(4096);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(closestPoint(sphere, points[next++ % points.size()]));
    }
    setTriangles(state);
}
BENCHMARK(BM_ClosestPoint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
