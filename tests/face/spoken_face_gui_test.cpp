// The face in words: each part is there, and the crew named "now" is the one the ring shows
// under the hour hand, also in the night that began the day before and over the weekend.
#include "face/spoken_face.h"

#include <gtest/gtest.h>

#include "core/angles.h"
#include "rota/shift_rota.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

std::string ringCrewNow(const ClockState& state) {
    const Frame frame(state);
    const CurrentShiftSector sector = currentShiftSector(
        planShiftRing(frame), dialAngleOfHours(frame.moment.secondsOfDay / 3600.0));
    if (!sector.fill) return "";
    return crewTable.at(static_cast<std::size_t>(sector.fill->crew)).colourName;
}

TEST(SpokenFace, NamesTheRingsCrewNowAndEveryPartOfTheFace) {
    const struct {
        int month, day, hour, minute;
        const char* clock;  // the time as said
        const char* until;  // the end of the shift running then
    } rows[] = {
        {6, 10, 10, 0, "10:00 Uhr, Montag, 10.6.2024, 24.Woche.", "bis 13:45 Uhr"},
        {6, 11, 3, 5, "3:05 Uhr, Dienstag, 11.6.2024, 24.Woche.", "bis 5:45 Uhr"},
        {6, 16, 18, 0, "18:00 Uhr, Sonntag, 16.6.2024, 24.Woche.", "bis 5:45 Uhr"},
        {6, 15, 22, 59, "22:59 Uhr, Samstag, 15.6.2024, 24.Woche.", "bis 5:45 Uhr"},
    };
    for (const auto& row : rows) {
        const ClockState state = test::stateAt(2024, row.month, row.day, row.hour, row.minute);
        const std::string text = describeFace(Frame(state));
        SCOPED_TRACE(text);
        EXPECT_EQ(text.rfind(row.clock, 0), 0u);
        const std::string crew = ringCrewNow(state);
        ASSERT_FALSE(crew.empty());
        EXPECT_NE(text.find("Schicht jetzt: " + crew + " " + row.until), std::string::npos);
        EXPECT_NE(text.find("; danach "), std::string::npos) << "not the next two crews";
        EXPECT_NE(text.find(", dann "), std::string::npos) << "not the next two crews";
        for (const char* part : {"Sonnenaufgang ", "Sonnenuntergang ", "% beleuchtet"})
            EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

TEST(SpokenFace, SunTimesAndAPhaseOfTheDisplayedDay) {
    // Full moon 2024-06-22 01:07 UT = 3:07 summer time; June sun at 48.78 N, 12.87 E.
    ClockState state = test::stateAt(2024, 6, 21, 12, 0);
    state.displayedDay = 1.0;
    const std::string text = describeFace(Frame(state));
    SCOPED_TRACE(text);
    EXPECT_NE(text.find("Samstag, 22.6.2024"), std::string::npos);
    EXPECT_NE(text.find("Vollmond um 3:0"), std::string::npos);
    EXPECT_NE(text.find("Sonnenaufgang 5:0"), std::string::npos);
    EXPECT_NE(text.find("Sonnenuntergang 21:1"), std::string::npos);
}

}  // namespace
}  // namespace dorvalen
