// One complete frame at the sizes that matter: the smallest window (r = 102), the start
// size (200), a large monitor (490), and the start window drawn in the device pixels of a
// screen scaled 1.5 (300) and 2 (400). Fonts need a Qt GUI application, so this program
// has its own main on the offscreen platform.
// Reference rows: filling the 980 x 980 image once (the full frame at r = 490 is measured
// against it, also by turns in one loop: frameAgainstFill), and the tick that redraws only the clock time's cell at r = 200, handed to
// Qt as the window does (the cell painted into a backing-store image of Qt's pixel order).
// The rotaFile rows draw the frame with a rota file's ring, painted pixel by pixel.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/conversions.h"
#include "core/calendar.h"
#include "face/face_render.h"
#include "rota/rota_file.h"
#include "canvas/qimage_view.h"

namespace dorvalen {

void renderClockFaceAt(benchmark::State& bench, int r, bool rotaFile = false) {
    ClockState state;
    state.now = makeDate(2026, 5, 3, 6, 30, 15);
    if (rotaFile) {
        // Four crews on 8-hour shifts: the ring painted from a rota file's arcs.
        const RotaReadResult read = readRotaFile(
            "[Schichten]\nF = Früh, 06:00, 8\nS = Spät, 14:00, 8\nN = Nacht, 22:00, 8\n[Gruppen]\n"
            "A = #E53935, 0\nB = #1E88E5, 2\nC = #FDD835, 4\nD = #43A047, 6\n[Plan]\n"
            "Beginn = 2027-01-04\nMuster = FFSSNN--\n");
        state.rotaFile = std::make_shared<const RotaFile>(read.rota);
    }
    state.settings.showSecondsHand = 1;
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    Image image(2 * r, 2 * r);
    FaceMemory memory;  // as the window keeps it between frames
    for (auto _ : bench) {
        renderClockFace(state, image, font, r, true, &memory);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

void fillOnce(benchmark::State& bench) {
    Image image(980, 980);
    Canvas canvas;
    canvas.beginDrawing(image);
    for (auto _ : bench) {
        canvas.fillBox(0, 0, 980, 980, faceBackground);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

// The full frame at r = 490 and the fill of its 980 x 980 image, timed by turns in each
// iteration, so a busy machine slows both alike; the counter is the ratio of their medians.
// Each is timed on its second run in a row, so neither pays for the cache the other left,
// and both write the same image: where the heap puts an image moves a fill's time by a
// third from one build to the next.
void frameAgainstFill(benchmark::State& bench) {
    const int r = 490;
    ClockState state;
    state.now = makeDate(2026, 5, 3, 6, 30, 15);
    state.settings.showSecondsHand = 1;
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    Image image(2 * r, 2 * r);
    FaceMemory memory;
    Canvas canvas;
    canvas.beginDrawing(image);  // a frame paints every pixel, whatever lay there
    std::vector<double> frames, fills;
    using Clock = std::chrono::steady_clock;
    for (auto _ : bench) {
        renderClockFace(state, image, font, r, true, &memory);
        const auto start = Clock::now();
        renderClockFace(state, image, font, r, true, &memory);
        const auto drawn = Clock::now();
        canvas.fillBox(0, 0, 2 * r, 2 * r, faceBackground);
        const auto refilled = Clock::now();
        canvas.fillBox(0, 0, 2 * r, 2 * r, faceBackground);
        const auto end = Clock::now();
        benchmark::DoNotOptimize(image.pixels.data());
        frames.push_back(std::chrono::duration<double>(drawn - start).count());
        fills.push_back(std::chrono::duration<double>(end - refilled).count());
        bench.SetIterationTime(frames.back());
    }
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    if (!frames.empty()) bench.counters["frame_per_fill"] = median(frames) / median(fills);
}

// Ticks that change only the clock time, as the running clock has them: within each ten
// seconds the hands keep their angles, and every tick shows a time the font has not drawn
// lately. Only the tick and its hand-off are timed, not the full frame when the hands move.
void secondsTick(benchmark::State& bench) {
    const int r = 200;
    ClockState state;
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    Image image(2 * r, 2 * r);
    FaceMemory memory;
    QImage backingStore(2 * r, 2 * r, QImage::Format_RGB32);
    state.now = makeDate(2026, 5, 3, 6, 0, 0);
    renderClockFace(state, image, font, r, true, &memory);
    for (auto _ : bench) {
        while (true) {
            state.now += 1;
            const auto start = std::chrono::steady_clock::now();
            const std::optional<PixelRect> cell =
                redrawClockTimeOnly(state, image, font, r, true, memory);
            if (!cell) {  // the hands moved: a full frame, not timed
                renderClockFace(state, image, font, r, true, &memory);
                continue;
            }
            QPainter painter(&backingStore);
            paintImageArea(painter, image, *cell, 1);
            painter.end();
            bench.SetIterationTime(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            break;
        }
    }
}

}  // namespace dorvalen

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    for (const int r : {102, 200, 300, 400, 490}) {
        benchmark::RegisterBenchmark(("renderClockFace/" + std::to_string(r)).c_str(),
                                     [r](benchmark::State& bench) { dorvalen::renderClockFaceAt(bench, r); })
            ->Unit(benchmark::kMillisecond);
    }
    for (const int r : {200, 490}) {
        benchmark::RegisterBenchmark(
            ("renderClockFace/rotaFile/" + std::to_string(r)).c_str(),
            [r](benchmark::State& bench) { dorvalen::renderClockFaceAt(bench, r, true); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("fill980x980", dorvalen::fillOnce)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frameAgainstFill/490", dorvalen::frameAgainstFill)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("secondsTick/200", dorvalen::secondsTick)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
