// CPU time of the host's share of one transform-tool drag step (undo, set, redo): each
// selected transform is put back with MFnTransform::setTranslation and moved again with
// translateBy in world space, as the tool command does. For 1 to 1,000 transforms under a
// turned parent: the time per transform must stay flat (so 10,000 cost ten times 1,000), and
// one transform's step is a small part of the 50 µs a drag step may take. Rotating about a world
// pivot (rotatePivot, translateBy, rotateBy) is measured the same way.
#include <benchmark/benchmark.h>

#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MQuaternion.h>

#include <mayasim/Scene.h>

#include <vector>

namespace {

std::vector<MDagPath> makeTransforms(int count) {
    mayasim::Scene::instance().reset();
    MFnTransform parentFn;
    const MObject parent = parentFn.create();
    parentFn.setRotation(MEulerRotation(0.0, 0.0, 0.5));
    std::vector<MDagPath> paths;
    paths.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        MFnTransform fn;
        fn.create(parent);
        fn.setTranslation(MVector(i, 0, 0), MSpace::kTransform);
        paths.push_back(fn.dagPath());
    }
    return paths;
}

void BM_MoveDragStep(benchmark::State& state) {
    const std::vector<MDagPath> paths = makeTransforms(static_cast<int>(state.range(0)));
    std::vector<MVector> saved;
    for (const MDagPath& path : paths)
        saved.push_back(MFnTransform(path).getTranslation(MSpace::kTransform));
    double step = 0.0;
    for (auto _ : state) {
        step += 0.01;
        for (size_t i = 0; i < paths.size(); ++i) {
            MFnTransform fn(paths[i]);
            fn.setTranslation(saved[i], MSpace::kTransform);
            fn.translateBy(MVector(step, 0.0, 0.0), MSpace::kWorld);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MoveDragStep)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_RotateAboutWorldPivotDragStep(benchmark::State& state) {
    const std::vector<MDagPath> paths = makeTransforms(static_cast<int>(state.range(0)));
    double angle = 0.0;
    for (auto _ : state) {
        angle += 0.01;
        const MQuaternion turn(angle, MVector::yAxis);
        for (const MDagPath& path : paths) {
            MFnTransform fn(path);
            const MVector savedT = fn.getTranslation(MSpace::kTransform);
            MEulerRotation savedR;
            fn.getRotation(savedR);
            fn.setTranslation(savedT, MSpace::kTransform);
            fn.setRotation(savedR);
            const MPoint pivot = fn.rotatePivot(MSpace::kWorld);
            MTransformationMatrix orbit;
            orbit.setRotatePivot(MPoint(1, 2, 3), MSpace::kWorld, true);
            orbit.rotateBy(turn, MSpace::kWorld);
            fn.translateBy(pivot * orbit.asMatrix() - pivot, MSpace::kWorld);
            fn.rotateBy(turn, MSpace::kWorld);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RotateAboutWorldPivotDragStep)
    ->Arg(1)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
