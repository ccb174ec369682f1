// The flood fill over a whole image, opaque and blended, at the large face size and at the
// 4000 x 4000 limit the tests use; a full-size disc for comparison; and twelve fills of a
// ring cut by radii, whose many short runs are what the face's fills look like.
#include <benchmark/benchmark.h>

#include <cmath>

#include "canvas/canvas.h"

namespace dorvalen {
namespace {

void floodFillFullImage(benchmark::State& bench) {
    const int side = static_cast<int>(bench.range(0));
    const auto mode = static_cast<DrawingMode>(bench.range(1));
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

void ringSectorFills(benchmark::State& bench) {
    constexpr int c = 490;
    constexpr double sector = 3.14159265358979 / 6.0;
    Image image(2 * c, 2 * c, rgb(236, 233, 216));
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.drawRing(c, c, 436, 434, rgb(0, 0, 0));
    canvas.drawRing(c, c, 320, 318, rgb(255, 0, 255));
    struct Point {
        int x, y;
    };
    const auto at = [](double angle, double distance) {
        return Point{c + static_cast<int>(distance * std::cos(angle)),
                     c + static_cast<int>(distance * std::sin(angle))};
    };
    for (int k = 0; k < 12; ++k) {
        const Point end = at(k * sector, 450);
        canvas.drawLine(c, c, end.x, end.y, rgb(1, 1, 1));
    }
    bool flip = false;
    for (auto _ : bench) {
        for (int k = 0; k < 12; ++k) {
            const Point seed = at((k + 0.5) * sector, 380);
            canvas.floodFill(seed.x, seed.y, flip ? rgb(236, 233, 216) : rgb(10, 20, 30 + k));
        }
        flip = !flip;
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

// The mode as a row argument (its flag value names the row).
constexpr std::int64_t modeArg(DrawingMode mode) { return static_cast<std::int64_t>(mode); }

}  // namespace
}  // namespace dorvalen

BENCHMARK(dorvalen::floodFillFullImage)
    ->ArgNames({"side", "mode"})
    ->Args({980, dorvalen::modeArg(dorvalen::ModeDefault)})
    ->Args({980, dorvalen::modeArg(dorvalen::ModeAlphaBlend)})
    ->Args({4000, dorvalen::modeArg(dorvalen::ModeDefault)})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(dorvalen::drawDiscFullImage)->Arg(980)->Unit(benchmark::kMillisecond);
BENCHMARK(dorvalen::ringSectorFills)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
