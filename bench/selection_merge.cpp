// Merging big components into selection lists: every strategy must stay linear in the
// number of elements (the complexity fit in the JSON output says so: ~N).

#include <benchmark/benchmark.h>

#include <maya/MDagPath.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MSelectionList.h>

#include "mayasim/Scene.h"

namespace {

MDagPath shapePath() {
    static const MDagPath path = [] {
        MObject mesh;
        mayasim::Scene::instance().createNode("mesh", "benchShape", MObject(), mesh);
        return MDagPath::getAPathTo(mesh);
    }();
    return path;
}

// Every `step`th vertex from `first` below `count`.
MObject vertices(int count, int first, int step) {
    MFnSingleIndexedComponent fn;
    MObject component = fn.create(MFn::kMeshVertComponent);
    for (int i = first; i < count; i += step)
        fn.addElement(i);
    return component;
}

void merge(benchmark::State& state, MSelectionList::MergeStrategy strategy) {
    const int count = static_cast<int>(state.range(0));
    const MDagPath path = shapePath();
    MSelectionList base;
    base.add(path, vertices(count, 0, 2));
    const MObject incoming = vertices(count, 0, 3);
    for (auto _ : state) {
        MSelectionList list = base;
        list.merge(path, incoming, strategy);
        benchmark::DoNotOptimize(list.length());
    }
    state.SetComplexityN(count);
}

void mergeNormal(benchmark::State& state) {
    merge(state, MSelectionList::kMergeNormal);
}
void mergeXor(benchmark::State& state) {
    merge(state, MSelectionList::kXORWithList);
}
void mergeRemove(benchmark::State& state) {
    merge(state, MSelectionList::kRemoveFromList);
}

void addElementsDescending(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        MFnSingleIndexedComponent fn;
        fn.create(MFn::kMeshVertComponent);
        for (int i = count - 1; i >= 0; --i)
            fn.addElement(i);
        benchmark::DoNotOptimize(fn.elementCount());
    }
    state.SetComplexityN(count);
}

BENCHMARK(mergeNormal)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity();
BENCHMARK(mergeXor)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity();
BENCHMARK(mergeRemove)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity();
BENCHMARK(addElementsDescending)->RangeMultiplier(10)->Range(10000, 1000000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
