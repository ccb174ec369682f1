// One crew's plan: the UTC offsets of the clock's local-time rules, crew names, the printed
// forms across the summer-time switches, and the calendar file's command-line behaviour.
#include "tools/almanac.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "rota/my_shift.h"
#include "settings/settings_file.h"

namespace dorvalen {
namespace {

constexpr int hour = 3600;

TEST(CrewPlan, UtcOffsetFollowsTheClocksSummerTimeDays) {
    const ClockSettings plain;
    ClockSettings noSummer;
    noSummer.autoSummerTime = 0;
    ClockSettings india;
    india.timeZone = 5.5;
    ClockSettings broken;
    broken.timeZone = std::numeric_limits<double>::quiet_NaN();
    ClockSettings west;
    west.timeZone = -3.0;
    const struct {
        const char* fault;
        ClockSettings settings;
        DateValue local;
        int offset;
    } rows[] = {
        {"winter", plain, makeDate(2026, 1, 15, 12, 0, 0), 1 * hour},
        {"Saturday before the spring switch is still winter", plain, makeDate(2026, 3, 28, 23, 59, 59), 1 * hour},
        {"the switch falls at local midnight, not at 2:00", plain, makeDate(2026, 3, 29, 0, 0, 0), 2 * hour},
        {"Saturday before the autumn switch is still summer", plain, makeDate(2026, 10, 24, 23, 0, 0), 2 * hour},
        {"last Sunday of October is winter again", plain, makeDate(2026, 10, 25, 5, 45, 0), 1 * hour},
        {"summer time switched off", noSummer, makeDate(2026, 7, 1, 12, 0, 0), 1 * hour},
        {"half-hour zone", india, makeDate(2026, 1, 1, 0, 0, 0), 5 * hour + 1800},
        {"zone west of Greenwich in summer", west, makeDate(2026, 7, 1, 0, 0, 0), -2 * hour},
        {"damaged zone counts as 0, as in the astronomy", broken, makeDate(2026, 1, 1, 0, 0, 0), 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(utcOffsetSeconds(row.settings, row.local), row.offset) << row.fault;
}

TEST(CrewPlan, CrewNamesAndNumbers) {
    const struct {
        const char* text;
        std::optional<int> crew;
    } rows[] = {
        {"0", 0}, {"4", 4}, {"Rot", 0}, {"Grün", 3}, {"grün", 3}, {"GRÜN", 3}, {"Gruen", 3},
        {"orange", 4}, {"5", std::nullopt}, {"-1", std::nullopt}, {"03", std::nullopt},
        {"", std::nullopt}, {"Grünn", std::nullopt}, {"Rot ", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(parseCrew(row.text), row.crew) << row.text;
}

std::vector<CrewShiftEntry> planOf(int crew, int year, int month, int day, int days) {
    return crewPlan({}, crew, makeDate(year, month, day, 0, 0, 0), days);
}

TEST(CrewPlan, NightsAcrossTheSwitchesAndTheirPrintedForms) {
    // Crew 0 works the Saturday nights before both switches of 2026 and the Sunday nights after.
    const std::vector<CrewShiftEntry> spring = planOf(0, 2026, 3, 28, 2);
    ASSERT_EQ(spring.size(), 2u);
    EXPECT_EQ(spring[0].shift.kind, ShiftKind::Night);
    EXPECT_EQ(spring[0].utcEnd() - spring[0].utcStart(), 7 * hour);
    EXPECT_EQ(spring[1].shift.kind, ShiftKind::WeekendNight);
    EXPECT_EQ(spring[1].utcEnd() - spring[1].utcStart(), 12 * hour);
    const std::vector<CrewShiftEntry> autumn = planOf(0, 2026, 10, 24, 1);
    ASSERT_EQ(autumn.size(), 1u);
    EXPECT_EQ(autumn[0].utcEnd() - autumn[0].utcStart(), 9 * hour);

    EXPECT_EQ(crewPlanJson(spring),
              "[\n  {\"crew\": 0, \"kind\": \"night\", \"start\": \"2026-03-28T21:45:00+01:00\", "
              "\"end\": \"2026-03-29T05:45:00+02:00\"},\n"
              "  {\"crew\": 0, \"kind\": \"weekendNight\", \"start\": \"2026-03-29T17:45:00+02:00\", "
              "\"end\": \"2026-03-30T05:45:00+02:00\"}\n]\n");
    EXPECT_EQ(crewPlanJson({}), "[]\n");

    const DateValue from = makeDate(2026, 3, 27, 0, 0, 0);
    const std::string text = crewPlanText(crewPlan({}, 0, from, 5), {}, 0, from, 5);
    EXPECT_NE(text.find("Sa 28.03.2026  Nachtschicht            21:45 – So  5:45   7 Stunden"),
              std::string::npos) << text;
    EXPECT_NE(text.find("So 29.03.2026  Nachtschicht (12 Std.)  17:45 – Mo  5:45\n"),
              std::string::npos) << text;
    EXPECT_NE(text.find("Mo  5:45\nMo 30.03.2026  frei\n"), std::string::npos) << text;
}

// "My next shift" (the description, the almanac, the reminders) is the calendar export's
// next shift, for every crew, across both switches of 2026/2027 and the swap window.
TEST(CrewPlan, MyNextShiftIsTheExportsNextOne) {
    const ClockSettings settings;
    for (const DateValue from : {makeDate(2026, 10, 20, 0, 0, 0), makeDate(2027, 3, 22, 0, 0, 0),
                                 makeDate(2027, 5, 10, 0, 0, 0)}) {
        for (int crew = 0; crew < 5; ++crew) {
            const std::vector<CrewShiftEntry> plan = crewPlan(settings, crew, from, 40);
            for (DateValue t = from; t < from + 14 * 86400; t += 7 * 3600 + 60) {
                const auto next = std::find_if(plan.begin(), plan.end(),
                                               [&](const CrewShiftEntry& e) { return e.shift.start > t; });
                const std::optional<WorkedShift> mine = nextShiftOfCrew(ShiftRota(), crew, t);
                ASSERT_EQ(mine.has_value(), next != plan.end()) << crew << " at " << t;
                if (mine) {
                    ASSERT_EQ(*mine, next->shift) << crew << " at " << t;
                }
            }
        }
    }
}

TEST(CrewPlan, EveryShiftOfAYearHasItsOwnUidAndTheSameOneFromAnyFirstDay) {
    std::set<std::string> uids;
    std::size_t shifts = 0;
    for (int crew = 0; crew < crewCount; ++crew) {
        for (const CrewShiftEntry& e : planOf(crew, 2024, 1, 1, 366)) {
            uids.insert(shiftUid(e.shift));
            ++shifts;
        }
    }
    EXPECT_EQ(uids.size(), shifts);
    // A weekday has three shifts and a weekend day two or three, so a year has about 1000.
    EXPECT_GT(shifts, 366u * 2);
    for (const CrewShiftEntry& e : planOf(2, 2024, 6, 10, 3))
        EXPECT_EQ(uids.count(shiftUid(e.shift)), 1u) << shiftUid(e.shift);
}

struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("dorvalen_crew_plan_test_" + std::to_string(::getpid()));
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
};

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CrewPlan, CalendarFileIsWrittenWholeOrNotAtAll) {
    TempDir dir;
    const std::string settings = (dir.path / "d.dat").string();
    ASSERT_TRUE(saveSettings(ClockSettings{}, settings).ok);
    const std::vector<std::string> base = {"--crew", "Rot", "--from", "2026-03-28", "--days",
                                           "2", "--ics", "--settings", settings};

    const ToolRun printed = runAlmanac(base, 0);
    ASSERT_EQ(printed.exitCode, exitOk) << printed.err;
    EXPECT_EQ(printed.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_NE(printed.out.find("DTSTART:20260328T204500Z\r\nDTEND:20260329T034500Z\r\n"),
              std::string::npos) << printed.out;

    std::vector<std::string> toFile = base;
    toFile.insert(toFile.end(), {"--out", (dir.path / "plan.ics").string()});
    const ToolRun written = runAlmanac(toFile, 0);
    EXPECT_EQ(written.exitCode, exitOk) << written.err;
    EXPECT_TRUE(written.out.empty());
    EXPECT_EQ(contents(dir.path / "plan.ics"), printed.out);

    std::filesystem::create_directories(dir.path / "taken");
    const struct {
        const char* fault;
        std::string out;
    } bad[] = {
        {"directory that does not exist", (dir.path / "missing" / "plan.ics").string()},
        {"a directory under the name", (dir.path / "taken").string()},
    };
    for (const auto& row : bad) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--out", row.out});
        const ToolRun run = runAlmanac(args, 0);
        EXPECT_EQ(run.exitCode, exitBadArguments) << row.fault;
        EXPECT_TRUE(run.out.empty()) << row.fault;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << row.fault << run.err;
    }
    // Nothing but the settings, the good file and the directory: no temporary file left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                            std::filesystem::directory_iterator()),
              3);
}

// Calendars keep, of two events with one UID, the one with the higher SEQUENCE: a later
// export must carry a higher one, so shifts moved by a settings change replace the old ones.
TEST(CrewPlan, ALaterExportWinsOnReimportAndAnEmptyOneIsRefused) {
    const std::int64_t at2020 = 1577836800;
    const struct {
        const char* fault;
        std::int64_t stamp;
        int sequence;
    } rows[] = {
        {"a clock before 2020 gives a negative sequence", 0, 0},
        {"not counted from 2020", at2020 + 1, 1},
        {"past 31 bits not held at the top", at2020 + (std::int64_t{1} << 32), 2147483647},
    };
    for (const auto& row : rows) EXPECT_EQ(exportSequence(row.stamp), row.sequence) << row.fault;

    // Crew 0 is free from 1 to 4 January 2026: no calendar without an event, and no file.
    // (ics_parse_back.py reads SEQUENCE and LAST-MODIFIED of real exports back.)
    TempDir dir;
    const std::string settings = (dir.path / "d.dat").string();
    ASSERT_TRUE(saveSettings(ClockSettings{}, settings).ok);
    const std::string out = (dir.path / "empty.ics").string();
    const std::int64_t stamp = 1796083200;  // 2026-12-01 00:00:00 UTC
    const ToolRun empty = runAlmanac({"--crew", "0", "--from", "2026-01-01", "--days", "4", "--ics",
                                      "--settings", settings, "--out", out}, stamp);
    EXPECT_EQ(empty.exitCode, exitBadArguments);
    EXPECT_EQ(empty.err.find('\n'), empty.err.size() - 1) << empty.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(crewPlanIcs({}, 0, stamp));
}

}  // namespace
}  // namespace dorvalen
