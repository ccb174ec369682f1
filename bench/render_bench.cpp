// One complete frame at the sizes that matter: the smallest window (r = 102), the start
// size (200), a large monitor (490), and the start window drawn in the device pixels of a
// screen scaled 1.5 (300) and 2 (400). Fonts need a Qt GUI application, so this program
// has its own main on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "core/conversions.h"
#include "core/calendar.h"
#include "face/face_render.h"

namespace dorvalen {

void renderClockFaceAt(benchmark::State& bench, int r) {
    ClockState state;
    state.now = makeDate(2026, 5, 3, 6, 30, 15);
    state.settings.showSecondsHand = 1;
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    Image image(2 * r, 2 * r);
    for (auto _ : bench) {
        renderClockFace(state, image, font, r, true);
        benchmark::DoNotOptimize(image.pixels.data());
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
