// The flood fill over a whole image, opaque and blended, at the large face size and at the
// 4000 x 4000 limit the tests use; and a full-size disc for comparison.
#include <benchmark/benchmark.h>

#include "canvas/canvas.h"

namespace dorvalen {
namespace {

void floodFillFullImage(benchmark::State& bench) {
    const int side = static_cast<int>(bench.range(0));
    const int mode = static_cast<int>(bench.range(1));
    Image image(side, side, rgb(236, 233, 216));
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(mode);
    bool flip = false;
    for (auto _ : bench) {
        // Alternate the colour so every pass fills the whole image again.
        canvas.floodFill(side / 2, side / 2, flip ? rgba(236, 233, 216, 255) : rgba(10, 20, 30, 255));
        flip = !flip;
        benchmark::DoNotOptimize(image.pixels.data());
    }
    bench.SetItemsProcessed(bench.iterations() * side * side);
}

void drawDiscFullImage(benchmark::State& bench) {
    const int side = static_cast<int>(bench.range(0));
    Image image(side, side);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeAlphaBlend);
    for (auto _ : bench) {
        canvas.drawCircle(side / 2, side / 2, side / 2, rgba(0, 0, 0, 128));
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

}  // namespace
}  // namespace dorvalen

BENCHMARK(dorvalen::floodFillFullImage)
    ->ArgNames({"side", "mode"})
    ->Args({980, dorvalen::ModeDefault})
    ->Args({980, dorvalen::ModeAlphaBlend})
    ->Args({4000, dorvalen::ModeDefault})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(dorvalen::drawDiscFullImage)->Arg(980)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
