// A small fixed sweep of whole frames folded into one digest: radii from the smallest face to
// a large one, each with a turn of settings (seconds hand, coordinates line, crew names, my
// crew, a rota file, browsed days, summer time on and off, places, twilight kinds, the
// ring's own colour) at moments around the summer-time switches, a Saturday night and a full moon.
// Any pixel that moves changes the digest. The digest is the same in every build (Debug,
// Release, sanitizers), as the frames are.
//
// When a change is meant to change pixels, print the new value and each frame's hash with
//   DORVALEN_UPDATE_HASHES=1 build/dev/test_face_gui --gtest_filter='FrameDigest.*'
// (run it at the commit before too and diff the lines to see which frames moved), look at
// the frames that moved, and paste the new digest below. For the long sweep of about ten
// thousand frames see bench/frame_hashes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

#include "canvas/image_hash.h"
#include "core/face_texts.h"
#include "core/window_rules.h"
#include "face/face_render.h"
#include "rota/rota_file.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

constexpr std::uint64_t storedDigest = 0x2a9e668ae891e963u;

// Five crews of a file rota, two days apart, with a shift past midnight and a holiday.
std::shared_ptr<const RotaFile> fileRota() {
    static const std::shared_ptr<const RotaFile> rota = [] {
        const RotaReadResult read = readRotaFile(
            "[Schichten]\nF = Früh, 05:45, 8\nS = Spät, 13:45, 8\nN = Nacht, 21:45, 8\n"
            "[Gruppen]\nRot = #FF0000, 0\nBlau = #3232FF, 2\nGelb = #FFFF00, 4\n"
            "Grün = #00FF00, 6\nOrange = #EBA70B, 8\n"
            "[Plan]\nBeginn = 2026-01-05\nMuster = FFSSNN ----\n"
            "[Ausnahmen]\n2026-05-01 = alle: -\n");
        EXPECT_TRUE(read.ok) << read.error;
        return std::make_shared<const RotaFile>(read.rota);
    }();
    return rota;
}

struct Variation {
    const char* name;
    void (*apply)(ClockState& state, bool& showCoordinates);
};

const Variation variations[] = {
    {"defaults", [](ClockState&, bool&) {}},
    {"seconds hand", [](ClockState& s, bool&) { s.settings.showSecondsHand = 1; }},
    {"no shift colours", [](ClockState& s, bool&) { s.settings.showShiftColors = 0; }},
    {"coordinates line", [](ClockState&, bool& c) { c = true; }},
    {"crew names", [](ClockState& s, bool&) { s.settings.extra.crewLabels = 1; }},
    {"my crew", [](ClockState& s, bool&) { s.settings.extra.myCrew = "2"; }},
    {"my crew, names, seconds",
     [](ClockState& s, bool&) {
         s.settings.extra.myCrew = "Orange";
         s.settings.extra.crewLabels = 1;
         s.settings.showSecondsHand = 1;
     }},
    {"rota file", [](ClockState& s, bool&) { s.rotaFile = fileRota(); }},
    {"rota file, names, my crew",
     [](ClockState& s, bool&) {
         s.rotaFile = fileRota();
         s.settings.extra.crewLabels = 1;
         s.settings.extra.myCrew = "Blau";
     }},
    {"three days ahead", [](ClockState& s, bool&) { s.displayedDay = 3; }},
    {"a day and a half back", [](ClockState& s, bool&) { s.displayedDay = -1.5; }},
    {"browsed 1/275 day", [](ClockState& s, bool&) { s.displayedDay = 1.0 / 275; }},
    {"no summer time", [](ClockState& s, bool&) { s.settings.autoSummerTime = 0; }},
    {"nautical twilight", [](ClockState& s, bool&) { s.settings.twilightKind = 4; }},
    {"astronomical twilight", [](ClockState& s, bool&) { s.settings.twilightKind = 5; }},
    {"far north",
     [](ClockState& s, bool&) {
         s.settings.latitude = 78.13;
         s.settings.longitude = -15.38;
     }},
    {"southern summer",
     [](ClockState& s, bool&) {
         s.settings.latitude = -33.52;
         s.settings.longitude = -151.12;
         s.settings.timeZone = 10;
         s.settings.autoSummerTime = 0;
     }},
    {"half-hour zone",
     [](ClockState& s, bool& c) {
         s.settings.latitude = 28.36;
         s.settings.longitude = -77.12;
         s.settings.timeZone = 5.5;
         c = true;
     }},
    // The ring takes the dial colour only without the shift colours.
    {"ring in another colour",
     [](ClockState& s, bool&) {
         s.settings.showShiftColors = 0;
         s.settings.dialColor = 0x00D8E9EC;
     }},
    {"ring colour with a top byte",
     [](ClockState& s, bool&) {
         s.settings.showShiftColors = 0;
         s.settings.dialColor = 0x7FE2E6D5;
     }},
    {"everything at once",
     [](ClockState& s, bool& c) {
         s.settings.showSecondsHand = 1;
         s.settings.extra.crewLabels = 1;
         s.settings.extra.myCrew = "0";
         s.displayedDay = 2;
         c = true;
     }},
};

// Local wall-clock readings (year, month, day, hour, minute, second): the spring and
// autumn switches (local midnight between Saturday and Sunday), a Saturday night, a Sunday
// of 12-hour shifts, a full moon, midsummer, the turn of the year.
const int moments[][6] = {
    {2026, 3, 28, 23, 30, 15}, {2026, 3, 29, 6, 5, 42},   {2026, 10, 24, 22, 40, 7},
    {2026, 10, 25, 17, 50, 0}, {2026, 5, 1, 10, 20, 0},   {2026, 6, 21, 13, 0, 30},
    {2026, 12, 31, 23, 59, 59}, {2027, 1, 4, 5, 45, 0},
};

void fold(std::uint64_t& digest, std::uint64_t hash) {
    for (int shift = 0; shift < 64; shift += 8) {
        digest ^= (hash >> shift) & 255;
        digest *= 1099511628211u;
    }
}

TEST(FrameDigest, EveryFrameOfTheSweepKeepsItsPixels) {
    const char* update = std::getenv("DORVALEN_UPDATE_HASHES");
    const bool printing = update != nullptr && std::strcmp(update, "1") == 0;
    const int radii[] = {1, 2, 5, 13, 20, 47, 64, 100, 101, 102, 150, 199, 200, 203, 250, 320, 400};
    std::uint64_t digest = 14695981039346656037u;
    int frames = 0;
    for (int ri = 0; ri < static_cast<int>(std::size(radii)); ++ri) {
        const int r = radii[ri];
        Font font = loadFont("Arial", textFontPoints(r));
        Image image;  // kept between frames, as the clock keeps its own
        for (int vi = 0; vi < static_cast<int>(std::size(variations)); ++vi) {
            const int* m = moments[(5 * ri + vi) % std::size(moments)];
            ClockState state = test::stateAt(m[0], m[1], m[2], m[3], m[4], m[5]);
            bool showCoordinates = false;
            variations[vi].apply(state, showCoordinates);
            renderClockFace(state, image, font, r, showCoordinates);
            const std::uint64_t hash = imageHash(image);
            fold(digest, hash);
            ++frames;
            if (printing)
                std::printf("r %d, %s, %04d-%02d-%02d %02d:%02d:%02d: %016llx\n", r,
                            variations[vi].name, m[0], m[1], m[2], m[3], m[4], m[5],
                            static_cast<unsigned long long>(hash));
        }
        releaseFont(font);
    }
    if (printing) {
        std::printf("frame digest of %d frames: 0x%016llxu\n", frames,
                    static_cast<unsigned long long>(digest));
        return;
    }
    EXPECT_EQ(digest, storedDigest)
        << "a frame of the sweep changed; DORVALEN_UPDATE_HASHES=1 prints each frame's hash";
}

// Every layer reaches the pixels through the canvas's calls: an audited canvas, comparing
// the image before each of its calls with what its last call left, finds no other writer.
TEST(FrameDigest, EveryPixelOfAFrameComesFromACanvasCall) {
    for (const int r : {47, 102}) {
        Font font = loadFont("Arial", textFontPoints(r));
        for (const Variation& variation : variations) {
            ClockState state = test::stateAt(2026, 10, 24, 22, 40, 7);  // Saturday night
            bool showCoordinates = false;
            variation.apply(state, showCoordinates);
            const Frame frame(state);
            const FramePlan plan = planFrame(frame, r, font, showCoordinates);
            Font small = loadFont("Arial", plan.smallFontPoints);
            Image image(2 * r, 2 * r);
            Canvas canvas;
            canvas.auditWrites();
            canvas.beginDrawing(image);
            paintFrame(canvas, plan, formatClockTime(frame), font, small);
            canvas.endDrawing();
            EXPECT_EQ(canvas.writesBesideCanvas(), 0u) << variation.name << " at r " << r;
        }
        releaseFont(font);
    }
}

}  // namespace
}  // namespace dorvalen
