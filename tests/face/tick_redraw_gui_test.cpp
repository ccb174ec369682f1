// The tick that redraws only the clock time's cell must leave exactly the image a full
// frame would draw: random runs of seconds, minute, hour and day turns, summer-time
// switches, commands, resizes and settings changes, compared pixel for pixel at every step.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "core/calendar.h"
#include "core/commands.h"
#include "core/conversions.h"
#include "face/face_render.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

Font textFontFor(int r) { return loadFont("Arial", static_cast<int>(truncToInt(r / 14.5))); }

// The first differing pixel as "x,y", or "" when the images are equal.
std::string firstDifference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return "size";
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (rgbPart(a.pixel(x, y)) != rgbPart(b.pixel(x, y)))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// Local midnight and summer-time eves, a few seconds before the turn.
DateValue eveOf(int pick) {
    switch (pick) {
        case 0: return makeDate(2026, 3, 28, 23, 59, 57);   // summer time begins
        case 1: return makeDate(2026, 10, 24, 23, 59, 57);  // and ends
        case 2: return makeDate(2026, 12, 31, 23, 59, 58);  // a new year and week
        default: return makeDate(2026, 6, 12, 13, 59, 58);  // an hour turn
    }
}

void changeSetting(ClockSettings& settings, int pick) {
    switch (pick) {
        case 0: settings.showSecondsHand = 1 - settings.showSecondsHand; break;
        case 1: settings.showShiftColors = 1 - settings.showShiftColors; break;
        case 2: settings.twilightKind = settings.twilightKind % 3 + 3; break;
        case 3: settings.dialColor = rgb(200, 220, 255) + settings.dialColor % 7; break;
        case 4: settings.autoSummerTime = 1 - settings.autoSummerTime; break;
        // A long name reaches the clock time's corner on a small face.
        default:
            settings.placeName = settings.placeName.size() > 10 ? "Ulm"
                                                                 : "Garmisch-Partenkirchen Mitte";
    }
}

TEST(TickRedraw, CellOnlyTicksEqualFullFramesAfterEveryStep) {
    const ClockCommand commands[] = {
        ClockCommand::StepForward, ClockCommand::StepBack, ClockCommand::DayForward,
        ClockCommand::DayBack,     ClockCommand::North,    ClockCommand::South,
        ClockCommand::West,        ClockCommand::East,     ClockCommand::Home};
    for (const int startRadius : {102, 157, 200}) {
        SCOPED_TRACE("start radius " + std::to_string(startRadius));
        std::mt19937 random(static_cast<unsigned>(startRadius));
        ClockState state = test::stateAt(2026, 5, 3, 6, 29, 40);
        ClockView view;
        int r = startRadius;
        Font font = textFontFor(r);
        Image ticked, full;
        FaceMemory memory;
        int cellOnly = 0;
        const int steps = 160;
        for (int step = 0; step < steps; ++step) {
            const int roll = static_cast<int>(random() % 100);
            std::string what;
            if (roll < 65) {
                state.now = addToDate(state.now, DateUnit::Seconds, 1);
                what = "second";
            } else if (roll < 72) {
                state.now = addToDate(state.now, DateUnit::Seconds, 1 + random() % 120);
                what = "seconds";
            } else if (roll < 78) {
                state.now = eveOf(static_cast<int>(random() % 4));
                what = "eve";
            } else if (roll < 88) {
                applyCommand(state, view, commands[random() % std::size(commands)],
                             [] { return ClockSettings{}; });
                what = "command";
            } else if (roll < 93) {
                r = startRadius + static_cast<int>(random() % 3) * 7;
                font = textFontFor(r);
                what = "resize";
            } else {
                changeSetting(state.settings, static_cast<int>(random() % 6));
                what = "setting";
            }
            if (redrawClockTimeOnly(state, ticked, font, r, view.showCoordinates, memory))
                ++cellOnly;
            else
                renderClockFace(state, ticked, font, r, view.showCoordinates, &memory);
            renderClockFace(state, full, font, r, view.showCoordinates);
            ASSERT_EQ(firstDifference(ticked, full), "")
                << "step " << step << " (" << what << ") at " << state.now;
        }
        // Most steps are plain seconds: the cheap path must actually be taken.
        EXPECT_GT(cellOnly, steps / 4);
    }
}

// A damaged settings file may hold NaN or infinite numbers: the plan must still equal itself,
// so the next second costs the clock time's cell and not a full frame.
TEST(TickRedraw, DamagedNumbersStillGiveCellOnlyTicks) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double ClockSettings::*field;
        double value;
    } rows[] = {{"latitude NaN", &ClockSettings::latitude, nan},
                {"longitude NaN", &ClockSettings::longitude, nan},
                {"zone NaN", &ClockSettings::timeZone, nan},
                {"latitude infinite", &ClockSettings::latitude, inf},
                {"zone -infinite", &ClockSettings::timeZone, -inf}};
    const int r = 120;
    const Font font = textFontFor(r);
    for (const auto& row : rows) {
        ClockState state = test::stateAt(2026, 5, 3, 6, 29, 40);
        state.settings.*row.field = row.value;
        state.displayedDay = row.value == inf ? 0.0 : nan;  // a damaged offset, too
        Image image;
        FaceMemory memory;
        renderClockFace(state, image, font, r, true, &memory);
        state.now += 1;
        EXPECT_TRUE(redrawClockTimeOnly(state, image, font, r, true, memory)) << row.what;
    }
}

}  // namespace
}  // namespace dorvalen
