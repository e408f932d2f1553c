// The queries the stylus hit test makes of NURBS objects, once per object per test: a
// surface's distance to a point and its first ray hit, a curve's point-on-curve test. World
// space under a rotation with uniform scale reuses the shape's cached locator; under a
// non-uniform scale the surface is carried into world space first, so compare those two
// against object space (the ratios are the figures).

#include <benchmark/benchmark.h>

#include <maya/MDagPath.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MGlobal.h>

#include "mayasim/CommandEngine.h"
#include "mayasim/DgCommands.h"
#include "mayasim/Scene.h"

namespace {

// A 64 x 32 span sphere turned and scaled evenly, its twin squashed, and a 64-span circle.
struct Scene {
    Scene() {
        mayasim::registerSceneCommands(mayasim::CommandEngine::instance());
        MGlobal::executeCommand(
            "nurbsSphere -s 64 -nsp 32 -r 5 -n even; setAttr even.rotate 30 40 0; "
            "setAttr even.scale 2 2 2; nurbsSphere -s 64 -nsp 32 -r 5 -n squashed; "
            "setAttr squashed.scale 1 0.5 1; circle -s 64 -r 5 -n ring; setAttr ring.sx 2");
        mayasim::Scene::instance().findPath("even", even);
        mayasim::Scene::instance().findPath("squashed", squashed);
        mayasim::Scene::instance().findPath("ring", ring);
    }
    MDagPath even;
    MDagPath squashed;
    MDagPath ring;
};

const Scene& scene() {
    static const Scene instance;
    return instance;
}

void surfaceDistance(benchmark::State& state, const MDagPath& path, MSpace::Space space) {
    MFnNurbsSurface fn(path);
    double z = 0.0;
    for (auto _ : state) {
        z = z > 20.0 ? -20.0 : z + 0.37;
        benchmark::DoNotOptimize(fn.distanceToPoint(MPoint(3.0, 1.0, z), space));
    }
}

void surfaceDistanceObject(benchmark::State& state) {
    surfaceDistance(state, scene().even, MSpace::kObject);
}
void surfaceDistanceWorldEvenScale(benchmark::State& state) {
    surfaceDistance(state, scene().even, MSpace::kWorld);
}
void surfaceDistanceWorldSquashed(benchmark::State& state) {
    surfaceDistance(state, scene().squashed, MSpace::kWorld);
}

void surfaceRayWorldEvenScale(benchmark::State& state) {
    MFnNurbsSurface fn(scene().even);
    double x = 0.0;
    double u = 0.0, v = 0.0;
    MPoint hit;
    for (auto _ : state) {
        x = x > 8.0 ? -8.0 : x + 0.11;
        benchmark::DoNotOptimize(fn.intersect(MPoint(x, 0.5, 40.0), MVector(0.0, 0.0, -1.0), u, v,
                                              hit, kMFnNurbsEpsilon, MSpace::kWorld));
    }
}

void curvePointOnCurveWorld(benchmark::State& state) {
    MFnNurbsCurve fn(scene().ring);
    double x = 0.0;
    for (auto _ : state) {
        x = x > 10.0 ? -10.0 : x + 0.13;
        benchmark::DoNotOptimize(fn.isPointOnCurve(MPoint(x, 0.0, 1.0), 0.2, MSpace::kWorld));
    }
}

BENCHMARK(surfaceDistanceObject)->Unit(benchmark::kMicrosecond);
BENCHMARK(surfaceDistanceWorldEvenScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(surfaceDistanceWorldSquashed)->Unit(benchmark::kMicrosecond);
BENCHMARK(surfaceRayWorldEvenScale)->Unit(benchmark::kMicrosecond);
BENCHMARK(curvePointOnCurveWorld)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
