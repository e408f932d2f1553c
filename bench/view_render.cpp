// CPU time of rendering a 320 x 240 view of one grid mesh of 2 n^2 triangles, shaded, and
// with every face picked (component display), for growing n: the time per triangle must
// stay flat up to a million triangles. And of one recorded GIF frame of a 640 x 480 view.
#include <benchmark/benchmark.h>

#include <maya/MFnMesh.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>

#include <mayasim/Scene.h>

#include <string>

#include "render/GifWriter.h"
#include "render/ViewRenderer.h"

namespace {

using vxsim::render::Eye;
using vxsim::render::RgbaImage;

MDagPath pathTo(const char* name) {
    MSelectionList list;
    MDagPath path;
    list.add(name);
    list.getDagPath(0, path);
    return path;
}

// A grid of n x n quads spanning 8 units, facing a camera 10 units away; returns the mesh.
MDagPath makeScene(int n) {
    mayasim::Scene::instance().reset();
    MGlobal::executeCommand("camera -n cam; setAttr cam.translateZ 10");
    MPointArray points;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x)
            points.append(MPoint(8.0 * x / n - 4.0, 8.0 * y / n - 4.0, 0.0));
    MIntArray counts;
    MIntArray connects;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int corner = y * (n + 1) + x;
            counts.append(4);
            for (int v : {corner, corner + 1, corner + n + 2, corner + n + 1})
                connects.append(v);
        }
    }
    const MObject transform =
        MFnMesh().create(int(points.length()), n * n, points, counts, connects);
    MDagPath mesh;
    MDagPath::getAPathTo(transform, mesh);
    mesh.extendToShape();
    MGlobal::clearSelectionList();
    return mesh;
}

void pickAllFaces(const MDagPath& mesh, int n) {
    MFnSingleIndexedComponent faces;
    MObject component = faces.create(MFn::kMeshPolygonComponent);
    MIntArray all;
    for (int face = 0; face < n * n; ++face)
        all.append(face);
    faces.addElements(all);
    MSelectionList picked;
    picked.add(mesh, component);
    MGlobal::setActiveSelectionList(picked);
}

void renderGrid(benchmark::State& state, bool picked) {
    const int n = static_cast<int>(state.range(0));
    const MDagPath mesh = makeScene(n);
    if (picked)
        pickAllFaces(mesh, n);
    RgbaImage image;
    for (auto _ : state) {
        vxsim::render::renderView(pathTo("cam"), 320, 240, Eye::kCenter, image, nullptr,
                                  {-1, M3dView::kGouraudShaded});
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.counters["triangles"] = 2.0 * n * n;
    state.SetItemsProcessed(state.iterations() * 2 * n * n);
}

void BM_RenderGrid(benchmark::State& state) {
    renderGrid(state, false);
}
BENCHMARK(BM_RenderGrid)->Arg(100)->Arg(300)->Arg(700)->Unit(benchmark::kMillisecond);

void BM_RenderGridAllFacesPicked(benchmark::State& state) {
    renderGrid(state, true);
}
BENCHMARK(BM_RenderGridAllFacesPicked)->Arg(100)->Arg(700)->Unit(benchmark::kMillisecond);

void BM_RecordFrame(benchmark::State& state) {
    makeScene(50);
    RgbaImage image;
    vxsim::render::renderView(pathTo("cam"), 640, 480, Eye::kCenter, image, nullptr,
                              {-1, M3dView::kGouraudShaded});
    const std::string path = "/tmp/vx_bench_record.gif";
    auto writer = vxsim::render::GifWriter::create(path, 640, 480, nullptr);
    for (auto _ : state)
        writer->addFrame(image, 0, 0, 640, 480, 2, nullptr);
    writer->finish(nullptr);
}
BENCHMARK(BM_RecordFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
