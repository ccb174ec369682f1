// The companion tools' core: command lines, the per-day record against the values the
// clock's own tests establish, the printed forms and the error path of the almanac.
#include "tools/almanac.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "settings/settings_file.h"

namespace dorvalen {
namespace {

constexpr double minute = 1.0 / 60.0;

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> args;
    std::string word;
    for (char c : line + " ") {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            args.push_back(word);
            word.clear();
        }
    }
    return args;
}

DayRecord recordAt(int year, int month, int day, int hour = 12,
                   const ClockSettings& settings = {}) {
    return computeDayRecord(settings, makeDate(year, month, day, hour, 0, 0));
}

struct BadRow {
    const char* fault;
    const char* args;
};

TEST(AlmanacArguments, BadCommandLinesAreRefusedWithOneLine) {
    const BadRow rows[] = {
        {"29 February outside a leap year", "--from 2023-02-29"},
        {"31 April", "--from 2024-04-31"},
        {"month 13", "--from 2024-13-01"},
        {"before the calendar starts", "--from 1969-12-31"},
        {"date without leading zeros is not the documented form", "--from 2024-3-20"},
        {"no days", "--from 2024-03-20 --days 0"},
        {"one day over the limit", "--from 2024-03-20 --days 3661"},
        {"negative day count", "--from 2024-03-20 --days -1"},
        {"day count with junk", "--from 2024-03-20 --days 3x"},
        {"huge day count that overflows int", "--from 2024-03-20 --days 99999999999999"},
        {"hour 24", "--from 2024-03-20 --time 24:00:00"},
        {"minute 60", "--from 2024-03-20 --time 12:60"},
        {"one-digit minutes", "--from 2024-03-20 --time 12:5"},
        {"option without its value", "--from 2024-03-20 --days"},
        {"unknown option", "--from 2024-03-20 --dayz 3"},
        {"option given twice", "--from 2024-03-20 --from 2024-03-21"},
        {"no first day", "--days 3"},
        {"range runs past the end of the calendar", "--from 9999-12-01 --days 32"},
        {"calendar export without a crew", "--from 2026-01-01 --ics"},
        {"calendar and JSON at once", "--from 2026-01-01 --crew 1 --ics --json"},
        {"time of day means nothing for a crew's plan", "--from 2026-01-01 --crew 1 --time 8:00"},
        {"last night of a crew's plan ends after the calendar", "--from 9999-12-31 --crew 1 --days 1"},
        {"empty output file name", "--from 2026-01-01 --out"},
    };
    for (const BadRow& row : rows) {
        const Parsed<AlmanacOptions> parsed = parseAlmanacArguments(split(row.args));
        EXPECT_FALSE(parsed.options) << row.fault;
        EXPECT_FALSE(parsed.error.empty()) << row.fault;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << row.fault;
    }
}

TEST(AlmanacArguments, GoodCommandLines) {
    const Parsed<AlmanacOptions> defaults = parseAlmanacArguments(split("--from 2024-03-20"));
    ASSERT_TRUE(defaults.options) << defaults.error;
    EXPECT_EQ(defaults.options->from, makeDate(2024, 3, 20, 0, 0, 0));
    EXPECT_EQ(defaults.options->days, 31);
    EXPECT_EQ(defaults.options->timeSeconds, 12 * 3600);
    EXPECT_FALSE(defaults.options->json);
    EXPECT_FALSE(defaults.options->settingsPath);

    const Parsed<AlmanacOptions> all = parseAlmanacArguments(
        split("--json --time 7:05 --days 3660 --settings x.dat --from 2024-02-29"));
    ASSERT_TRUE(all.options) << all.error;
    EXPECT_EQ(all.options->timeSeconds, 7 * 3600 + 5 * 60);
    EXPECT_EQ(all.options->days, 3660);
    EXPECT_EQ(all.options->settingsPath, "x.dat");
    EXPECT_TRUE(all.options->json);

    // The very last day the calendar holds is still a day.
    EXPECT_TRUE(parseAlmanacArguments(split("--from 9999-12-31 --days 1")).options);
    EXPECT_TRUE(parseAlmanacArguments(split("--from 2024-03-20 --time 23:59:59")).options);
}

TEST(FaceArguments, SizeLimitsDateTimeAndRequiredOptions) {
    const struct {
        const char* fault;
        const char* args;
        bool ok;
    } rows[] = {
        {"smallest window side", "--at 2026-05-03T22:00:00 --size 205 --out f.png", true},
        {"largest window side", "--at 2026-05-03T22:00:00 --size 32000 --out f.png", true},
        {"below the smallest side", "--at 2026-05-03T22:00:00 --size 204 --out f.png", false},
        {"above the largest side", "--at 2026-05-03T22:00:00 --size 32001 --out f.png", false},
        {"second 60", "--at 2026-05-03T22:00:60 --out f.png", false},
        {"space instead of T", "--at 2026-05-03_22:00:00 --out f.png", false},
        {"nonexistent day", "--at 2026-02-29T22:00:00 --out f.png", false},
        {"no output file", "--at 2026-05-03T22:00:00", false},
        {"no moment", "--out f.png", false},
        {"fractional scale", "--at 2026-05-03T22:00:00 --scale 1.25 --out f.png", true},
        {"smallest scale", "--at 2026-05-03T22:00:00 --scale 0.5 --out f.png", true},
        {"largest scale", "--at 2026-05-03T22:00:00 --scale 8 --out f.png", true},
        {"scale below the range", "--at 2026-05-03T22:00:00 --scale 0.49 --out f.png", false},
        {"scale above the range", "--at 2026-05-03T22:00:00 --scale 8.5 --out f.png", false},
        {"scale not a number", "--at 2026-05-03T22:00:00 --scale nan --out f.png", false},
        {"infinite scale", "--at 2026-05-03T22:00:00 --scale inf --out f.png", false},
        {"decimal comma", "--at 2026-05-03T22:00:00 --scale 1,5 --out f.png", false},
        {"number with trailing text", "--at 2026-05-03T22:00:00 --scale 2x --out f.png", false},
        {"largest side at 1", "--at 2026-05-03T22:00:00 --size 32000 --scale 1 --out f.png", true},
        {"a picture past the largest face",
         "--at 2026-05-03T22:00:00 --size 21400 --scale 1.5 --out f.png", false},
        {"hours and minutes refused, which --time takes", "--at 2026-05-03T22:00 --out f.png", true},
        {"one-digit hour refused, which --time takes", "--at 2026-05-03T7:05 --out f.png", true},
        {"the hour alone", "--at 2026-05-03T22 --out f.png", false},
        {"one-digit minutes", "--at 2026-05-03T22:0 --out f.png", false},
        {"a PNG under a JPEG name", "--at 2026-05-03T22:00:00 --out face.jpg", false},
        {"a PNG under a WebP name in capitals", "--at 2026-05-03T22:00:00 --out shots/FACE.WEBP", false},
        {"PNG suffix in capitals", "--at 2026-05-03T22:00:00 --out FACE.PNG", true},
        {"a dot in the folder, none in the name", "--at 2026-05-03T22:00:00 --out shots.jpg/face", true},
        {"a dotted time in the name", "--at 2026-05-03T22:00:00 --out face-22.00", true},
    };
    for (const auto& row : rows) {
        const Parsed<FaceOptions> parsed = parseFaceArguments(split(row.args));
        EXPECT_EQ(parsed.options.has_value(), row.ok) << row.fault << ": " << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << row.fault;
    }
    const Parsed<FaceOptions> face =
        parseFaceArguments(split("--coordinates --out f.png --at 2026-05-03T22:00:07"));
    ASSERT_TRUE(face.options);
    EXPECT_EQ(face.options->at, makeDate(2026, 5, 3, 22, 0, 7));
    EXPECT_EQ(face.options->size, 400);
    EXPECT_EQ(face.options->scale, 1.0);
    EXPECT_TRUE(face.options->showCoordinates);
    EXPECT_EQ(parseFaceArguments(split("--at 2026-05-03T7:05 --out f.png")).options->at,
              makeDate(2026, 5, 3, 7, 5, 0));
}

TEST(FaceArguments, EchoedValuesCannotBreakTheOneLineMessage) {
    const Parsed<FaceOptions> parsed =
        parseFaceArguments({"--at", "2026-05-03\nT22:00:00", "--out", "f.png"});
    ASSERT_FALSE(parsed.options);
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

// The worked examples of the rise/set tests, at the default place (degrees.minutes read as
// 48 47' N, 12 52' E), time zone 1, 2024-03-20 without summer time.
TEST(DayRecord, SunAndTwilightAsTheClockComputesThem) {
    const DayRecord r = recordAt(2024, 3, 20);
    EXPECT_EQ(r.isoDate, "2024-03-20");
    EXPECT_EQ(r.dateText, "20.3.2024");
    EXPECT_EQ(r.weekday, "Mittwoch");
    EXPECT_EQ(r.calendarWeek, 12);
    EXPECT_FALSE(r.summerTime);
    EXPECT_NEAR(r.events[1].riseHours, 6.1758, 2e-4);
    EXPECT_NEAR(r.events[1].setHours, 18.3619, 2e-4);
    EXPECT_NEAR(r.events[2].riseHours, 5 + 40 * minute, 0.6 * minute);
    EXPECT_NEAR(r.events[2].setHours, 18 + 53 * minute, 0.6 * minute);
    EXPECT_NEAR(r.events[4].riseHours, 4 + 24 * minute, 0.6 * minute);
    EXPECT_NEAR(r.events[4].setHours, 20 + 9 * minute, 0.6 * minute);
    // The day is the day, whatever the time of day the clock is pinned to.
    for (int hour : {0, 23}) {
        const DayRecord other = recordAt(2024, 3, 20, hour);
        EXPECT_EQ(other.isoDate, "2024-03-20") << hour;
        EXPECT_EQ(other.events[1].riseHours, r.events[1].riseHours) << hour;
    }
    // ...but the moon's light is that of the chosen moment, to the second (the face's moon
    // picture alone keeps to whole minutes).
    EXPECT_NE(recordAt(2024, 3, 20, 0).illuminatedFraction, r.illuminatedFraction);
    EXPECT_NE(computeDayRecord({}, makeDate(2024, 3, 20, 12, 0, 59)).illuminatedFraction,
              r.illuminatedFraction);
}

TEST(DayRecord, SummerTimeFromTheLastSundayOfMarch) {
    EXPECT_FALSE(recordAt(2024, 3, 30).summerTime);
    EXPECT_TRUE(recordAt(2024, 3, 31).summerTime);
    ClockSettings never;
    never.autoSummerTime = 0;
    EXPECT_FALSE(recordAt(2024, 7, 1, 12, never).summerTime);
}

TEST(DayRecord, PhaseKindAndLabelOfTheMarkedDay) {
    // Full moon 2015-02-03 23:10 UT is 0:10 local on 02-04 at time zone 1, not on 02-03.
    // The others: the phases after displayed day 2015-04-17 (JDE 2457131.29025,
    // 2457138.49750, 2457146.65511, 2457153.94256), in summer time (UT + 2 h).
    const struct {
        const char* fault;
        int month, day;
        PhaseKind kind;
        const char* label;
    } rows[] = {
        {"local date, not UT date", 2, 4, PhaseKind::FullMoon, "0:10"},
        {"new moon", 4, 18, PhaseKind::NewMoon, "20:57"},
        {"first quarter after local midnight", 4, 26, PhaseKind::FirstQuarter, "1:56"},
        {"full moon", 5, 4, PhaseKind::FullMoon, "5:43"},
        {"last quarter", 5, 11, PhaseKind::LastQuarter, "12:37"},
    };
    for (const auto& row : rows) {
        const DayRecord r = recordAt(2015, row.month, row.day);
        ASSERT_TRUE(r.phase) << row.fault;
        EXPECT_EQ(r.phase->kind, row.kind) << row.fault;
        EXPECT_EQ(r.phase->label, row.label) << row.fault;
        EXPECT_EQ(std::floor(r.phase->localMjd), makeDate(2015, row.month, row.day, 0, 0, 0) / 86400 +
                                                     40587)
            << row.fault;
    }
    EXPECT_FALSE(recordAt(2015, 2, 3).phase);
    EXPECT_FALSE(recordAt(2015, 2, 6).phase);
}

TEST(DayRecord, CrewsOfKnownDays) {
    const struct {
        const char* fault;
        int year, month, day;
        CrewShifts codes;
    } rows[] = {
        {"plain rota weekday", 2026, 1, 12, {1, 4, 2, 0, 3}},
        {"swap window opens", 2026, 5, 18, {4, 3, 1, 5, 2}},
        {"crew exchanged with itself, Saturday", 2025, 6, 7, {5, 4, 3, 2, 1}},
    };
    for (const auto& row : rows) {
        // Before 5:45 the face ring still shows the previous shift day; the almanac's
        // crews belong to the calendar day all the same.
        for (int hour : {3, 12})
            EXPECT_EQ(recordAt(row.year, row.month, row.day, hour).crews, row.codes)
                << row.fault << " at " << hour;
    }
}

TEST(AlmanacText, ReadableTimesMarksAndCrewPeriods) {
    const auto textOf = [](const std::string& args, const ClockSettings& settings = {}) {
        const AlmanacOptions options = *parseAlmanacArguments(split(args)).options;
        return almanacText(computeAlmanac(settings, options), settings, options);
    };
    // 6.1758 h is 6:10.5, rounded to the minute.
    const std::string march = textOf("--from 2024-03-20 --days 1");
    EXPECT_NE(march.find("Aufgang  6:11   Untergang 18:22"), std::string::npos) << march;
    EXPECT_NE(march.find("Mittwoch, 20.3.2024, 12.Woche, Winterzeit"), std::string::npos);

    // The moon rises after midnight: no moonrise on the 27th, its set still shown.
    const std::string april = textOf("--from 2024-04-27 --days 1");
    EXPECT_NE(april.find("Mond                      Aufgang     –   Untergang"), std::string::npos)
        << april;

    ClockSettings north;
    north.latitude = 78.13;
    north.longitude = -15.38;
    EXPECT_NE(textOf("--from 2024-06-21 --days 1", north).find("Sonne                     immer über dem Horizont"),
              std::string::npos);
    EXPECT_NE(textOf("--from 2024-12-21 --days 1", north).find("Sonne                     immer unter dem Horizont"),
              std::string::npos);

    // Monday {1, 4, 2, 0, 3}: three shifts; Sunday {3, 4, 1, 0, 4}: two 12-hour shifts.
    EXPECT_NE(textOf("--from 2026-01-12 --days 1").find("Früh 5:45: 0 Rot   Spät 13:45: 2 Gelb   Nacht 21:45: 4 Orange"),
              std::string::npos);
    EXPECT_NE(textOf("--from 2026-01-18 --days 1").find("Tag 5:45: 2 Gelb   Nacht 17:45: 0 Rot"),
              std::string::npos);
    EXPECT_NE(textOf("--from 2015-02-04 --days 1").find("Vollmond um 0:10 Uhr"), std::string::npos);
}

// 69 N on 2055-07-25: the sun sets just after midnight, rises at 1:42 and sets again before
// midnight. Text and JSON keep the first pair as they were and add the whole list.
TEST(AlmanacText, FurtherCrossingsBesideTheFirstPair) {
    ClockSettings north;
    north.latitude = 69.0;
    north.longitude = -18.57;
    const AlmanacOptions options =
        *parseAlmanacArguments(split("--from 2055-07-25 --days 1")).options;
    const std::vector<DayRecord> records = computeAlmanac(north, options);
    const EventTimes& sun = records.at(0).events[1];
    ASSERT_EQ(sun.crossings.count, 3);
    const Crossing* c = sun.crossings.begin();
    ASSERT_TRUE(!c[0].rising && c[1].rising && !c[2].rising);
    EXPECT_EQ(sun.setHours, c[0].hours);
    EXPECT_EQ(sun.riseHours, c[1].hours);
    EXPECT_GT(c[2].hours, 23.5);

    const std::string text = almanacText(records, north, options);
    const std::size_t line = text.find("  Sonne ");
    const std::string sunLine = text.substr(line, text.find('\n', line) - line);
    EXPECT_NE(sunLine.find("Aufgang  " + hoursText(c[1].hours) + "   Untergang  " +
                           hoursText(c[0].hours) + "   außerdem Untergang " +
                           hoursText(c[2].hours)),
              std::string::npos)
        << sunLine;
    // Only that row has a third crossing.
    EXPECT_EQ(text.find("außerdem"), text.rfind("außerdem")) << text;

    const std::string json = almanacJson(records);
    const auto number = [](double x) { return jsonNumber(x); };
    EXPECT_NE(json.find("\"2\": {\"riseHours\": " + number(sun.riseHours) + ", \"setHours\": " +
                        number(sun.setHours) + ", \"upAtLastStep\": " +
                        (sun.upAtLastStep ? "true" : "false") + ", \"crossings\": [{\"hours\": " +
                        number(c[0].hours) + ", \"rising\": false}, {\"hours\": " +
                        number(c[1].hours) + ", \"rising\": true}, {\"hours\": " +
                        number(c[2].hours) + ", \"rising\": false}]}"),
              std::string::npos)
        << json;
}

// The stored coordinates are degrees.minutes: 48.47 is 48°47', not 48.47 degrees.
TEST(AlmanacText, HeaderShowsThePlaceInDegreesAndMinutes) {
    ClockSettings nepal;
    nepal.placeName = "Kathmandu";
    nepal.longitude = -85.19;
    nepal.latitude = 27.42;
    nepal.timeZone = 5.75;
    const AlmanacOptions options =
        *parseAlmanacArguments(split("--from 2024-03-20 --days 1")).options;
    const auto headerOf = [&options](const ClockSettings& settings) {
        const std::string text = almanacText({}, settings, options);
        return text.substr(0, text.find('\n'));
    };
    EXPECT_EQ(headerOf({}),
              "Almanach für Mirelstadt (Länge 12°52' Ost, Breite 48°47' Nord, Zeitzone 1.0)");
    EXPECT_EQ(headerOf(nepal),
              "Almanach für Kathmandu (Länge 85°19' Ost, Breite 27°42' Nord, Zeitzone 5.75)");
}

TEST(AlmanacText, HoursRoundToTheMinute) {
    const struct {
        const char* fault;
        double hours;
        const char* text;
    } rows[] = {
        {"minutes padded", 0.9333, "0:56"},
        {"rounded, not truncated", 6.1758, "6:11"},
        {"rounding carries into the hour", 9.9999, "10:00"},
        {"last half minute rounded into the next day", 23.9999, "23:59"},
        {"23:59:30 rounded into the next day", 23.0 + 59.5 * minute, "23:59"},
        {"the day's end itself", 24.0, "24:00"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "?"},
    };
    for (const auto& row : rows) EXPECT_EQ(hoursText(row.hours), row.text) << row.fault;
}

TEST(AlmanacJson, NumbersReadBackExactlyAndNonFiniteIsNull) {
    for (double x : {6.1757999999999997, 0.1, 1.0 / 3.0, 57057.00707876977, 1e-300, -12.52, 0.0}) {
        const std::string text = jsonNumber(x);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
    }
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(jsonNumber(-std::numeric_limits<double>::infinity()), "null");
}

TEST(RunAlmanac, ErrorsWriteOneLineAndNothingElse) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("dorvalen_almanac_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const struct {
        const char* fault;
        std::vector<std::string> args;
    } rows[] = {
        {"nonexistent date", {"--from", "2023-02-29"}},
        {"zero days", {"--from", "2024-03-20", "--days", "0"}},
        {"explicit settings file missing", {"--from", "2024-03-20", "--settings", (dir / "none.dat").string()}},
        {"settings path is a directory", {"--from", "2024-03-20", "--settings", dir.string()}},
    };
    for (const auto& row : rows) {
        const ToolRun run = runAlmanac(row.args, 0);
        EXPECT_EQ(run.exitCode, exitBadArguments) << row.fault;
        EXPECT_TRUE(run.out.empty()) << row.fault;
        ASSERT_FALSE(run.err.empty()) << row.fault;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << row.fault;
        EXPECT_EQ(run.err.rfind("dorvalen-almanac: ", 0), 0u) << row.fault;
    }

    // A readable file is read with the clock's reader: the time zone moves the phase label.
    const std::filesystem::path file = dir / "zone0.dat";
    ClockSettings utc;
    utc.timeZone = 0.0;
    ASSERT_TRUE(saveSettings(utc, file.string()).ok);
    const ToolRun run = runAlmanac({"--from", "2015-02-03", "--days", "1", "--json", "--settings", file.string()}, 0);
    EXPECT_EQ(run.exitCode, exitOk);
    EXPECT_TRUE(run.err.empty());
    EXPECT_NE(run.out.find("\"label\": \"23:10\""), std::string::npos) << run.out;
    std::filesystem::remove_all(dir);
}

TEST(RunAlmanac, NonFiniteSettingsStillGiveValidOutput) {
    ClockSettings broken;
    broken.latitude = std::numeric_limits<double>::quiet_NaN();
    broken.timeZone = std::numeric_limits<double>::infinity();
    const AlmanacOptions options = *parseAlmanacArguments(split("--from 2024-03-20 --days 2")).options;
    const std::vector<DayRecord> records = computeAlmanac(broken, options);
    ASSERT_EQ(records.size(), 2u);
    const std::string json = almanacJson(records);
    EXPECT_EQ(json.find("nan"), std::string::npos) << json;
    EXPECT_EQ(json.find("inf"), std::string::npos) << json;
    EXPECT_FALSE(almanacText(records, broken, options).empty());
}

}  // namespace
}  // namespace dorvalen
