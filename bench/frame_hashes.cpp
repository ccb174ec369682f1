// Prints one hash per frame for a fixed sweep of faces, so a change meant to keep every
// pixel (a faster rasteriser, a new layer order) can be checked against the commit before
// it: build this program at both commits and compare the outputs. The sweep: random states
// at radii from 1 to 600 (places from the equator to both poles, every twilight kind,
// shift colours and seconds hand on and off, displayed days, unusual dial colours), then
// every radius up to 700 at the shift ring's special layouts.
// Usage: frame_hashes [STATES_PER_RADIUS=120] [LARGEST_SWEPT_RADIUS=700]
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "canvas/image_hash.h"
#include "core/calendar.h"
#include "core/conversions.h"
#include "core/window_rules.h"
#include "face/face_render.h"

namespace dorvalen {
namespace {

void print(int r, int k, const Image& image, const FaceMemory& memory) {
    std::printf("%d %d %016llx %d\n", r, k, static_cast<unsigned long long>(imageHash(image)),
                memory.timeCellAlone ? 1 : 0);
}

void randomStates(int perRadius) {
    struct Place {
        double latitude, longitude, zone;
        int summer;
    };
    const Place places[] = {{48.47, -12.52, 1, 1},  {69.40, -18.57, 1, 1}, {78.13, -15.38, 1, 0},
                            {-33.52, -151.12, 10, 0}, {0.0, 0.0, 0, 0},    {28.36, -77.12, 5.5, 0},
                            {-13.50, 171.45, 13, 0},  {64.08, 21.56, 0, 0}, {-89.0, 0, 12, 0}};
    std::mt19937 random(12345);
    for (const int r : {1, 2, 3, 5, 8, 13, 20, 30, 47, 64, 80, 100, 101, 102, 103, 120, 150, 199,
                        200, 201, 250, 300, 333, 400, 490, 491, 600}) {
        const Font font = loadFont("Arial", textFontPoints(r));
        Image image;
        for (int k = 0; k < perRadius; ++k) {
            ClockState s;
            const int day = static_cast<int>(random() % 800);
            int second = static_cast<int>(random() % 86400);
            if (k % 7 == 0) second = 22 * 3600 + static_cast<int>(random() % 7200);  // wedge hours
            s.now = makeDate(2026, 1, 1, 0, 0, 0) + DateValue{day} * 86400 + second;
            const Place& p = places[random() % 9];
            s.settings.latitude = p.latitude;
            s.settings.longitude = p.longitude;
            s.settings.timeZone = p.zone;
            s.settings.autoSummerTime = p.summer;
            s.settings.showShiftColors = k % 5 == 4 ? 0 : 1;
            s.settings.showSecondsHand = k % 3 == 0 ? 1 : 0;
            s.settings.twilightKind = 3 + static_cast<int>(random() % 3);
            if (k % 11 == 3) s.settings.dialColor = static_cast<std::int32_t>(0x00EDE9D8 ^ (random() & 0x0F0F0F));
            if (k % 13 == 5) s.settings.dialColor = 0x00D8E9EC;
            if (k % 4 == 1) s.displayedDay = static_cast<int>(random() % 30) - 15;
            FaceMemory memory;
            renderClockFace(s, image, font, r, k % 2 == 1, &memory);
            print(r, k, image, memory);
        }
    }
}

void everyRadius(int largest) {
    const DateValue moments[] = {makeDate(2026, 5, 2, 23, 10, 0), makeDate(2026, 5, 3, 3, 0, 0),
                                 makeDate(2026, 5, 3, 21, 0, 0), makeDate(2026, 5, 4, 7, 0, 0),
                                 makeDate(2026, 5, 2, 14, 0, 0)};
    for (int r = 1; r <= largest; ++r) {
        const Font font = loadFont("Arial", textFontPoints(r));
        Image image;
        int k = 0;
        for (const DateValue moment : moments) {
            for (const int shiftColours : {0, 1}) {
                ClockState s;
                s.now = moment;
                s.settings.showShiftColors = static_cast<std::int8_t>(shiftColours);
                s.settings.showSecondsHand = 1;
                FaceMemory memory;
                renderClockFace(s, image, font, r, true, &memory);
                print(r, k++, image, memory);
            }
        }
    }
}

}  // namespace
}  // namespace dorvalen

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    dorvalen::randomStates(argc > 1 ? std::atoi(argv[1]) : 120);
    dorvalen::everyRadius(argc > 2 ? std::atoi(argv[2]) : 700);
    return 0;
}
