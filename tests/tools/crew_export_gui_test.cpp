// The exported plan against the painted ring: over two whole years at every quarter hour,
// a crew is on shift in the export exactly when the ring's sector under the hour hand is
// painted in that crew's colour. 2024 is a leap year; in 2025 the swap window exchanges a
// crew with itself (free Saturday to Monday) and both years switch summer time twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/conversions.h"
#include "rota/rota_tables.h"
#include "tests/support/ring_picture.h"
#include "tools/crew_plan.h"

namespace dorvalen {
namespace {

constexpr int radius = 120;
constexpr double radiansPerDegree = 0.017453292519943295;

// Pictures differ only where plans differ: one picture per plan keeps two years fast.
std::string planKey(const ShiftRingPlan& plan) {
    std::string key = plan.saturdayNightWedge ? "w" : "-";
    for (double d : plan.dividersDeg) key += "|" + std::to_string(d);
    for (const SectorFill& f : plan.fills) key += "/" + std::to_string(f.sectorDeg) + ":" + std::to_string(f.crew);
    return key;
}

// The crew whose colour the pixel has, or -1.
int crewOfColour(Colour c) {
    for (int crew = 0; crew < crewCount; ++crew) {
        const Crew& row = crewTable[static_cast<std::size_t>(crew)];
        if (c == rgb(row.red, row.green, row.blue)) return crew;
    }
    return -1;
}

TEST(CrewExport, OnShiftExactlyWhenTheRingPaintsTheCurrentSectorInThatCrewsColour) {
    const ClockSettings settings;  // time zone 1, automatic summer time
    std::map<std::string, Image> pictures;
    for (int year : {2024, 2025}) {
        const DateValue first = makeDate(year, 1, 1, 0, 0, 0);
        const DateValue end = makeDate(year + 1, 1, 1, 0, 0, 0);
        const int days = static_cast<int>((end - first) / 86400);
        // From the day before, so the night that runs into New Year's morning is there.
        std::vector<CrewShiftEntry> exported;
        for (int crew = 0; crew < crewCount; ++crew) {
            const std::vector<CrewShiftEntry> plan =
                crewPlan(settings, crew, addToDate(first, DateUnit::Days, -1), days + 1);
            exported.insert(exported.end(), plan.begin(), plan.end());
        }
        std::sort(exported.begin(), exported.end(), [](const CrewShiftEntry& a, const CrewShiftEntry& b) {
            return a.utcStart() < b.utcStart();
        });
        std::size_t firstOpen = 0;  // shifts before it ended long ago

        int mismatches = 0;
        int onShift = 0;
        for (DateValue local = first; local < end; local += 900) {
            ClockState state;
            state.settings = settings;
            state.now = local;
            const ShiftRingPlan plan = planShiftRing(state);
            auto picture = pictures.find(planKey(plan));
            if (picture == pictures.end())
                picture = pictures.emplace(planKey(plan), test::paintedRing(state, radius)).first;

            // Half way into the quarter hour that begins now, clear of a divider under the hand.
            const double handDeg = (local % 86400) / 240.0 - 90.0 + 1.875;
            const double rho = 0.8 * radius;
            const int x = roundToPixel(radius + std::cos(handDeg * radiansPerDegree) * rho);
            const int y = roundToPixel(radius + std::sin(handDeg * radiansPerDegree) * rho);
            const int ringCrew = crewOfColour(rgbPart(picture->second.pixel(x, y)));

            const std::int64_t utc = local - utcOffsetSeconds(settings, local);
            // No shift is longer than 13 hours; local time steps back an hour in spring.
            while (firstOpen < exported.size() && exported[firstOpen].utcStart() + 14 * 3600 < utc)
                ++firstOpen;
            std::vector<int> working;
            for (std::size_t i = firstOpen; i < exported.size() && exported[i].utcStart() <= utc; ++i)
                if (utc < exported[i].utcEnd()) working.push_back(exported[i].shift.crew);
            const bool agree = ringCrew < 0 ? working.empty()
                                            : working == std::vector<int>{ringCrew};
            onShift += ringCrew >= 0 ? 1 : 0;
            if (!agree && ++mismatches <= 5)
                ADD_FAILURE() << "local " << yearOf(local) << "-" << monthOf(local) << "-"
                              << dayOf(local) << " " << hourOf(local) << ":" << minuteOf(local)
                              << ": ring crew " << ringCrew << ", export has " << working.size()
                              << " crew(s)" << (working.empty() ? "" : ", first " + std::to_string(working[0]));
        }
        EXPECT_EQ(mismatches, 0) << year;
        // Someone works nearly all the time; a ring without colours would pass the rest.
        EXPECT_GT(onShift, days * 96 * 9 / 10) << year;
    }
}

}  // namespace
}  // namespace dorvalen
