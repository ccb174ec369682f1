// The ring of a rota file against the model it paints. The built-in pattern's plain weeks
// written as a file show the built-in crew under the hand and give every crew the same
// plan outside the swap window; for other rotas (8 hours, 12 hours, and one with negative
// offsets, a Beginn years ahead, overlapping shifts and a gap) the ring pixel under each
// hour of the 24 hours it shows has the colour of the crew the model says works then.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/angles.h"
#include "core/calendar.h"
#include "core/conversions.h"
#include "face/dial_geometry.h"
#include "tests/support/ring_picture.h"
#include "tools/crew_plan.h"

namespace dorvalen {
namespace {

constexpr int radius = 100;

std::shared_ptr<const RotaFile> rotaOfText(const std::string& text) {
    const RotaReadResult read = readRotaFile(text);
    EXPECT_TRUE(read.ok) << read.error;
    return std::make_shared<const RotaFile>(read.rota);
}

std::string presetText(const std::string& name) {
    const char* source = std::getenv("DORVALEN_SOURCE_DIR");
    std::ifstream in(std::string(source != nullptr ? source : ".") + "/packaging/rotas/" + name,
                     std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Plans alike paint alike. A file's arcs count by their times of day, so windows that
// differ only where nobody works share a picture.
using PlanKey = std::vector<std::int64_t>;
PlanKey planKey(const ShiftRingPlan& plan) {
    PlanKey key{plan.saturdayNightWedge ? 1 : 0};
    for (double d : plan.dividersDeg) key.push_back(std::llround(d * 100.0));
    for (const SectorFill& f : plan.fills)
        key.insert(key.end(), {std::llround(f.sectorDeg), f.crew});
    for (const CrewArc& a : plan.arcs)
        key.insert(key.end(), {a.crew, (plan.windowStartSeconds + a.fromSeconds) % 86400,
                               a.toSeconds - a.fromSeconds});
    return key;
}

// Pictures differ only where plans differ: one picture per plan keeps a year fast.
// (The built-in ring needs the cache; a file's ring is checked once per plan below.)
class RingPictures {
public:
    const Image& at(const ClockState& state) {
        const PlanKey key = planKey(planShiftRing(state));
        auto it = pictures_.find(key);
        if (it == pictures_.end())
            it = pictures_.emplace(key, test::paintedRing(state, radius)).first;
        return it->second;
    }

private:
    std::map<PlanKey, Image> pictures_;
};

Colour pixelAt(const Image& image, double angleDeg, double rho) {
    const PixelPoint p = dialPoint(radius, angleDeg, rho);
    return rgbPart(image.pixel(p.x, p.y));
}

Colour colourOf(const CrewLook& crew) { return rgb(crew.red, crew.green, crew.blue); }

TEST(RotaRing, BuiltInPatternAsAFileShowsTheBuiltInCrewsOutsideTheSwapWindow) {
    const ShiftRota file(rotaOfText(presetText("5-Gruppen-Grundplan.txt")));
    const ShiftRota builtIn;
    const int year = 2026;
    const std::int64_t anchor = rotaAnchorDay(year);
    const DateValue first = makeDate(year, 1, 1, 0, 0, 0);
    const DateValue end = makeDate(year + 1, 1, 1, 0, 0, 0);
    RingPictures filePictures, builtInPictures;
    int compared = 0;
    for (DateValue local = first; local < end; local += 900) {
        const std::int64_t day = dayIndexOf(local);
        if (day >= anchor - 1 && day <= anchor + swapWindowDays) continue;
        ClockState state;
        state.now = local;
        // Half way into the quarter hour that begins now, clear of a divider under the hand.
        const double handDeg = dialAngleOfHours((local % 86400) / 3600.0 + 0.125);
        const Colour builtInColour = pixelAt(builtInPictures.at(state), handDeg, 0.8 * radius);
        state.rotaFile = file.file();
        const Colour fileColour = pixelAt(filePictures.at(state), handDeg, 0.8 * radius);
        ASSERT_EQ(fileColour, builtInColour)
            << yearOf(local) << "-" << monthOf(local) << "-" << dayOf(local) << " " << hourOf(local)
            << ":" << minuteOf(local);
        ++compared;
    }
    EXPECT_GT(compared, 200 * 96);

    // The crew plan (and the calendar export built on it) of every crew, day by day.
    const auto outsideWindow = [&](const CrewShiftEntry& e) {
        const std::int64_t day = dayIndexOf(e.shift.start);
        return day < anchor - 1 || day > anchor + swapWindowDays;
    };
    for (int crew = 0; crew < builtIn.crewCount(); ++crew) {
        std::vector<CrewShiftEntry> a = crewPlan({}, crew, first, 365, builtIn);
        std::vector<CrewShiftEntry> b = crewPlan({}, crew, first, 365, file);
        std::erase_if(a, [&](const CrewShiftEntry& e) { return !outsideWindow(e); });
        std::erase_if(b, [&](const CrewShiftEntry& e) { return !outsideWindow(e); });
        ASSERT_EQ(a.size(), b.size()) << crew;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].shift.start, b[i].shift.start) << crew;
            EXPECT_EQ(a[i].utcEnd(), b[i].utcEnd()) << crew;
        }
    }
}

const std::string eightHours = presetText("4-Gruppen-8-Stunden.txt");
const std::string twelveHours = presetText("4-Gruppen-12-Stunden.txt");
// Early overlaps late from 14:00 to 15:00, nobody works from 22:00 to 22:30, and some days
// leave a shift without a crew.
const std::string overlapsAndGaps =
    "[Schichten]\nF = Früh, 06:00, 9\nS = Spät, 14:00, 8\nN = Nacht, 22:30, 7.5\n"
    "[Gruppen]\nEins = #FF0000, -1\nZwei = #0000FF, -3\nDrei = #00C000, -5\n"
    "[Plan]\nBeginn = 2030-06-03\nMuster = FFSSNN--\n";

TEST(RotaRing, EveryHourOfTheRingShowsTheModelsCrews) {
    for (const std::string* text : {&eightHours, &twelveHours, &overlapsAndGaps}) {
        const ShiftRota rota(rotaOfText(*text));
        const DateValue first = makeDate(2027, 1, 1, 0, 0, 0);
        std::vector<WorkedShift> shifts;  // of the year and a day either side, by start
        for (std::int64_t day = dayIndexOf(first) - 1; day <= dayIndexOf(first) + 366; ++day)
            for (const WorkedShift& s : rota.shiftsBeginningOn(static_cast<std::int32_t>(day)))
                shifts.push_back(s);
        // Crews working at a moment; no shift is longer than a day.
        const auto working = [&](DateValue moment) {
            std::vector<const WorkedShift*> on;
            auto it =
                std::lower_bound(shifts.begin(), shifts.end(), moment - 86400,
                                 [](const WorkedShift& s, DateValue t) { return s.start < t; });
            for (; it != shifts.end() && it->start <= moment; ++it)
                if (moment < it->end) on.push_back(&*it);
            return on;
        };

        std::map<PlanKey, Image> pictures;
        std::set<std::pair<PlanKey, DateValue>> checked;  // plan and window start
        int overlaps = 0, gaps = 0;
        // Every quarter hour of a year; each new plan or window is read at its 24 hours.
        for (DateValue local = first; local < first + 365 * 86400; local += 900) {
            ClockState state;
            state.now = local;
            state.rotaFile = rota.file();
            // The ring shows 24 hours from the start of the earliest shift running now.
            DateValue windowStart = local;
            for (const WorkedShift* s : working(local))
                windowStart = std::min(windowStart, s->start);
            const PlanKey key = planKey(planShiftRing(state));
            if (!checked.emplace(key, windowStart).second) continue;
            auto it = pictures.find(key);
            if (it == pictures.end())
                it = pictures.emplace(key, test::paintedRing(state, radius)).first;
            const Image& picture = it->second;
            for (int hour = 0; hour < 24; ++hour) {
                const DateValue moment = windowStart + hour * 3600 + 1200;
                std::set<Colour> expected;
                for (const WorkedShift* s : working(moment))
                    expected.insert(colourOf(rota.crew(s->crew)));
                const double angleDeg = dialAngleOfHours((moment % 86400) / 3600.0);
                const double inner = dialDiscRadius(radius), outer = faceDiscRadius(radius);
                const int lanes = std::max<int>(static_cast<int>(expected.size()), 1);
                std::set<Colour> shown;
                for (int lane = 0; lane < lanes; ++lane)
                    shown.insert(
                        pixelAt(picture, angleDeg, inner + (lane + 0.5) * (outer - inner) / lanes));
                gaps += expected.empty() ? 1 : 0;
                overlaps += expected.size() > 1 ? 1 : 0;
                if (expected.empty()) expected.insert(faceBackground);
                ASSERT_EQ(shown, expected) << "at " << local << ", hour " << hour;
            }
        }
        if (text == &overlapsAndGaps) {
            EXPECT_GT(overlaps, 0);
            EXPECT_GT(gaps, 0);
        } else {
            EXPECT_EQ(overlaps + gaps, 0);
        }
    }
}

}  // namespace
}  // namespace dorvalen
