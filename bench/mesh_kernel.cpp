// The mesh kernel on a sphere of 1,000,000 triangles (1000 x 501 subdivisions): building the
// topology, the triangulation and the ray accelerator, and the cost of one closest-intersection
// ray, one all-intersections ray and one closest-point query once the accelerator is built.
// Builds run repeatedly, so they measure a rebuild after an edit (working memory warm).
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

// Points at random directions from the centre, their distance from it uniform in [near, far].
std::vector<Vec3> randomPoints(int count, double near, double far) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0), radius(near, far);
    std::vector<Vec3> points(static_cast<std::size_t>(count));
    for (Vec3& p : points) {
        p = normalized({unit(random), unit(random), unit(random)}) * radius(random);
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

// A closest-point query from points within `state.range(0)` percent of the radius of the
// surface (a stylus tip near the model), and from between half and twice the radius: deep inside
// a sphere nearly every triangle is about equally near, so those queries cost far more.
void BM_ClosestPoint(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.rayAccelerator();
    const double spread = state.range(0) / 100.0;
    const std::vector<Vec3> points = randomPoints(4096, 1.0 - spread, 1.0 + spread);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(closestPoint(sphere, points[next++ % points.size()]));
    }
    setTriangles(state);
}
BENCHMARK(BM_ClosestPoint)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_ClosestPointFarAndInside(benchmark::State& state) {
    const Mesh& sphere = millionTriangleSphere();
    sphere.rayAccelerator();
    const std::vector<Vec3> points = randomPoints(4096, 0.5, 2.0);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(closestPoint(sphere, points[next++ % points.size()]));
    }
    setTriangles(state);
}
BENCHMARK(BM_ClosestPointFarAndInside)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
