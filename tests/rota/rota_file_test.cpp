// The rota file's reader and the model over both rotas: bad files refused whole with the
// line at fault, the grammar's freedoms, the cycle's true modulus, and the built-in
// pattern's plain weeks written as a file agreeing with the built-in rota.
#include "rota/rota.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/calendar.h"

namespace dorvalen {
namespace {

using namespace std::string_literals;

const std::string shifts =
    "[Schichten]\nF = Früh, 05:45, 8\nS = Spät, 13:45, 8\nN = Nacht, 21:45, 8\n";
const std::string crews = "[Gruppen]\nRot = #FF0000, 0\nBlau = #3232FF, 2\n";
const std::string plan = "[Plan]\nBeginn = 2027-01-04\nMuster = FFSSNN----\n";

std::int64_t dayOf(int year, int month, int day) {
    return dayIndexOf(makeDate(year, month, day, 0, 0, 0));
}

struct BadRow {
    const char* fault;
    std::string text;
    bool truncated;
    const char* message;
};

TEST(RotaFile, RefusesABadFileWholeNamingTheLine) {
    const BadRow rows[] = {
        {"unknown code in the cycle",
         shifts + crews + "[Plan]\nBeginn = 2027-01-04\nMuster = FFXSS\n", false,
         "Schichtplan.txt, Zeile 10: unbekanntes Kürzel „X“"},
        {"an unknown non-ASCII code names the whole letter",
         shifts + crews + "[Plan]\nBeginn = 2027-01-04\nMuster = FÜ\n", false,
         "Schichtplan.txt, Zeile 10: unbekanntes Kürzel „Ü“"},
        {"no Muster", shifts + crews + "[Plan]\nBeginn = 2027-01-04\n", false,
         "Schichtplan.txt, Zeile 9: Dateiende ohne „Muster“ im Abschnitt [Plan]"},
        {"a Muster of blanks only", shifts + crews + "[Plan]\nBeginn = 2027-01-04\nMuster =   \n",
         false, "Schichtplan.txt, Zeile 10: „Muster“ ist leer"},
        {"length 0", "[Schichten]\nF = Früh, 05:45, 0\n" + crews + plan, false,
         "Schichtplan.txt, Zeile 2: Länge „0“ muss über 0 und höchstens 24 Stunden sein"},
        {"length over 24", "[Schichten]\nF = Früh, 05:45, 24.5\n" + crews + plan, false,
         "Schichtplan.txt, Zeile 2: Länge „24.5“ muss über 0 und höchstens 24 Stunden sein"},
        {"start 24:00", "[Schichten]\nF = Früh, 24:00, 8\n" + crews + plan, false,
         "Schichtplan.txt, Zeile 2: Beginn „24:00“ ist keine Uhrzeit HH:MM"},
        {"colour #GGG", shifts + "[Gruppen]\nRot = #GGG, 0\n" + plan, false,
         "Schichtplan.txt, Zeile 6: Farbe „#GGG“ ist nicht #RRGGBB"},
        {"ten crews",
         shifts +
             "[Gruppen]\nA=#000000,0\nB=#000000,0\nC=#000000,0\nD=#000000,0\n"
             "E=#000000,0\nF=#000000,0\nG=#000000,0\nH=#000000,0\nI=#000000,0\n"
             "J=#000000,0\n" +
             plan,
         false, "Schichtplan.txt, Zeile 15: mehr als 9 Gruppen"},
        {"a crew named twice, other case",
         shifts + "[Gruppen]\nRot = #FF0000, 0\nROT = #FF0000, 1\n" + plan, false,
         "Schichtplan.txt, Zeile 7: Gruppe „ROT“ ist doppelt"},
        {"a 2 MB line", shifts + std::string(2'000'000, 'x') + "\n", false,
         "Schichtplan.txt, Zeile 5: Zeile ist länger als 1000 Zeichen"},
        {"NUL bytes", shifts + crews + "[Plan]\nBeginn = 2027-01-04\0\nMuster = F\n"s, false,
         "Schichtplan.txt, Zeile 9: unerlaubtes Steuerzeichen"},
        {"a file cut at the size limit", shifts + crews + plan, true,
         "Schichtplan.txt, Zeile 10: Datei ist größer als 64 KiB"},
        {"an empty file", "", false,
         "Schichtplan.txt, Zeile 1: Dateiende ohne Gruppe im Abschnitt [Gruppen]"},
        {"an entry before any section", "F = Früh, 05:45, 8\n", false,
         "Schichtplan.txt, Zeile 1: Eintrag vor dem ersten Abschnitt"},
        {"an unknown section", "[Urlaub]\n", false,
         "Schichtplan.txt, Zeile 1: unbekannter Abschnitt „Urlaub“"},
        {"a code of two letters", "[Schichten]\nFR = Früh, 05:45, 8\n", false,
         "Schichtplan.txt, Zeile 2: Kürzel muss ein Buchstabe oder eine Ziffer sein, nicht „FR“"},
        {"the free sign as a code", "[Schichten]\n- = Frei, 05:45, 8\n", false,
         "Schichtplan.txt, Zeile 2: Kürzel muss ein Buchstabe oder eine Ziffer sein, nicht „-“"},
        {"a code twice, other case", "[Schichten]\nF = Früh, 05:45, 8\nf = Früh, 06:00, 8\n", false,
         "Schichtplan.txt, Zeile 3: Kürzel „f“ ist doppelt"},
        {"an offset beyond the bound", shifts + "[Gruppen]\nRot = #FF0000, 100001\n", false,
         "Schichtplan.txt, Zeile 6: Versatz „100001“ ist keine ganze Zahl von -100000 bis 100000"},
        {"a date that does not exist", shifts + crews + "[Plan]\nBeginn = 2027-02-29\n", false,
         "Schichtplan.txt, Zeile 9: Beginn „2027-02-29“ ist kein Datum JJJJ-MM-TT (1970 bis 9999)"},
        {"an exception for a crew the file does not have",
         shifts + crews + plan + "[Ausnahmen]\n2027-05-01 = Grün: -\n", false,
         "Schichtplan.txt, Zeile 12: unbekannte Gruppe „Grün“"},
        {"an exception to an unknown code",
         shifts + crews + plan + "[Ausnahmen]\n2027-05-01 = Rot: X\n", false,
         "Schichtplan.txt, Zeile 12: unbekanntes Kürzel „X“"},
        {"an exception on no date", shifts + crews + plan + "[Ausnahmen]\n2027-13-01 = Rot: -\n",
         false,
         "Schichtplan.txt, Zeile 12: Ausnahme „2027-13-01“ ist kein Datum JJJJ-MM-TT (1970 bis "
         "9999)"},
        {"two exceptions for one crew and day, one through alle",
         shifts + crews + plan + "[Ausnahmen]\n2027-05-01 = alle: -\n2027-05-01 = blau: F\n", false,
         "Schichtplan.txt, Zeile 13: zwei Ausnahmen für „Blau“ an einem Tag"},
        {"an unknown key in [Plan]", shifts + crews + "[Plan]\nStart = 2027-01-04\n", false,
         "Schichtplan.txt, Zeile 9: unbekannter Schlüssel „Start“ im Abschnitt [Plan]"},
    };
    for (const BadRow& row : rows) {
        const RotaReadResult read = readRotaFile(row.text, row.truncated);
        EXPECT_FALSE(read.ok) << row.fault;
        EXPECT_EQ(read.error, row.message) << row.fault;
        EXPECT_TRUE(read.rota.crews.empty() && read.rota.pattern.empty()) << row.fault;
    }
}

TEST(RotaFile, ReadsTheGrammarsFreedomsAlike) {
    const std::string plain = shifts + crews + plan;
    const RotaReadResult reference = readRotaFile(plain);
    ASSERT_TRUE(reference.ok) << reference.error;
    struct Row {
        const char* freedom;
        std::string text;
    };
    const Row rows[] = {
        {"CR LF line ends, comments and blank lines",
         "# Plan\r\n\r\n[Schichten]\r\n; early\r\nF = Früh, 05:45, 8\r\nS = Spät, 13:45, 8\r\n"
         "N = Nacht, 21:45, 8\r\n[Gruppen]\r\nRot = #FF0000, 0\r\nBlau = #3232FF, 2\r\n[Plan]\r\n"
         "Beginn = 2027-01-04\r\nMuster = FFSSNN----\r\n"},
        {"case-blind keys, sections and codes, blanks around = and , and inside the cycle",
         "[SCHICHTEN]\nf=Früh,05:45,8\n  S  =  Spät ,  13:45 ,  8.0  \nN = Nacht, 21:45, 8\n"
         "[gruppen]\nRot=#ff0000,0\nBlau = #3232ff , +2\n[plan]\nbeginn = 2027-01-04\n"
         "MUSTER = ffSS nn ----\n"},
        {"Windows-1252 bytes", "[Schichten]\nF = Fr\xFCh, 05:45, 8\nS = Sp\xE4t, 13:45, 8\n"
                               "N = Nacht, 21:45, 8\n" + crews + plan},
        {"a byte-order mark", "\xEF\xBB\xBF" + plain},
    };
    for (const Row& row : rows) {
        const RotaReadResult read = readRotaFile(row.text);
        ASSERT_TRUE(read.ok) << row.freedom << ": " << read.error;
        EXPECT_EQ(read.rota.pattern, reference.rota.pattern) << row.freedom;
        ASSERT_EQ(read.rota.shifts.size(), 3u) << row.freedom;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(read.rota.shifts[i].code, reference.rota.shifts[i].code) << row.freedom;
            EXPECT_EQ(read.rota.shifts[i].name, reference.rota.shifts[i].name) << row.freedom;
            EXPECT_EQ(read.rota.shifts[i].startMinutes, reference.rota.shifts[i].startMinutes)
                << row.freedom;
        }
        ASSERT_EQ(read.rota.crews.size(), 2u) << row.freedom;
        EXPECT_EQ(read.rota.crews[1].blue, 255) << row.freedom;
        EXPECT_EQ(read.rota.crews[1].offsetDays, 2) << row.freedom;
        EXPECT_EQ(read.rota.beginDay, dayOf(2027, 1, 4)) << row.freedom;
    }
}

TEST(RotaFile, CountsTheCycleWithATrueModulusAndWallClockTimes) {
    const RotaReadResult read = readRotaFile(
        "[Schichten]\nF = Früh, 05:45, 8\nN = Nacht, 21:45, 8\nL = Lang, 07:00, 24\n[Gruppen]\n"
        "Rot = #FF0000, 0\nBlau = #0000FF, -1\n[Plan]\nBeginn = 2027-01-04\nMuster = FN-L\n");
    ASSERT_TRUE(read.ok) << read.error;
    const ShiftRota rota(std::make_shared<const RotaFile>(read.rota));
    struct Row {
        const char* fault;
        std::int64_t day;
        int crew;      // -1: nobody works
        int hour, minute;
        int lengthHours;
    };
    const std::int64_t begin = dayOf(2027, 1, 4);
    const Row rows[] = {
        {"Beginn is position 0", begin, 0, 5, 45, 8},
        {"a negative offset reads the next position", begin, 1, 21, 45, 8},
        {"one day before Beginn is the last position, not a negative index", begin - 1, 0, 7, 0,
         24},
        {"nine days before Beginn still counts in whole cycles", begin - 9, 0, 7, 0, 24},
        {"summer time starts: 24 hours from 7:00 end at 7:00 on the wall clock", dayOf(2027, 3, 27),
         1, 7, 0, 24},
    };
    for (const Row& row : rows) {
        bool found = false;
        for (const WorkedShift& s : rota.shiftsBeginningOn(static_cast<std::int32_t>(row.day))) {
            if (s.crew != row.crew) continue;
            found = true;
            EXPECT_EQ(s.start, row.day * 86400 + row.hour * 3600 + row.minute * 60) << row.fault;
            EXPECT_EQ(s.end - s.start, row.lengthHours * 3600) << row.fault;
        }
        EXPECT_TRUE(found) << row.fault;
    }
    EXPECT_EQ(rota.fileCrewNamed("bLAU"), 1);

    // Exceptions, before the crews they name: a swap, and a plant holiday for all.
    const RotaReadResult withExceptions =
        readRotaFile("[Ausnahmen]\n2027-01-04 = Rot: -, blau: F\n2027-01-05 = ALLE: -\n" + shifts +
                     crews + plan);
    ASSERT_TRUE(withExceptions.ok) << withExceptions.error;
    struct CodeRow {
        const char* fault;
        int year, month, day;
        const char* codes;  // Rot, Blau
    };
    const CodeRow codeRows[] = {
        {"the cycle before the exceptions", 2026, 12, 31, "-N"},
        {"Rot and Blau swapped: the cycle has F and -", 2027, 1, 4, "-F"},
        {"a plant holiday for every crew", 2027, 1, 5, "--"},
        {"the cycle again after them", 2027, 1, 6, "SF"},
    };
    for (const CodeRow& row : codeRows) {
        const std::int64_t day = dayOf(row.year, row.month, row.day);
        const std::string codes = {fileCodeOn(withExceptions.rota, 0, day),
                                   fileCodeOn(withExceptions.rota, 1, day)};
        EXPECT_EQ(codes, row.codes) << row.fault;
    }
    EXPECT_EQ(rota.fileCrewNamed("Grün"), std::nullopt);
    EXPECT_EQ(ShiftRota().fileCrewNamed("Rot"), std::nullopt);
}

// The ring of a file's rota follows the displayed moment (the keypad's days) and the
// switch of the shift colours, as the built-in ring does.
TEST(RotaFile, RingFollowsTheDisplayedDayAndTheColourSwitch) {
    const RotaReadResult read = readRotaFile(shifts + crews + plan);
    ASSERT_TRUE(read.ok) << read.error;
    const auto rota = std::make_shared<const RotaFile>(read.rota);
    const auto planAt = [&](DateValue now, double displayedDay, int colours) {
        ClockState state;
        state.now = now;
        state.displayedDay = displayedDay;
        state.rotaFile = rota;
        state.settings.showShiftColors = static_cast<std::int8_t>(colours);
        return planShiftRing(state);
    };
    const DateValue monday = makeDate(2027, 1, 4, 10, 0, 0);
    const auto arcsOf = [](const ShiftRingPlan& p) {
        std::vector<int> out;
        for (const CrewArc& a : p.arcs) out.insert(out.end(), {a.crew, a.fromSeconds, a.toSeconds});
        return out;
    };
    const ShiftRingPlan browsed = planAt(monday, 3.0, 1);
    EXPECT_EQ(arcsOf(browsed), arcsOf(planAt(monday + 3 * 86400, 0.0, 1)));
    EXPECT_NE(arcsOf(browsed), arcsOf(planAt(monday, 0.0, 1)));
    EXPECT_EQ(browsed.windowStartSeconds, 5 * 3600 + 45 * 60);  // Rot's early shift runs
    const ShiftRingPlan plain = planAt(monday, 0.0, 0);
    EXPECT_TRUE(plain.fromFile && !plain.showShiftColors && plain.arcs.empty() &&
                plain.dividersDeg.empty());
}

std::string sourceFile(const std::string& relative) {
    const char* source = std::getenv("DORVALEN_SOURCE_DIR");
    std::ifstream in(std::string(source != nullptr ? source : ".") + "/" + relative,
                     std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The built-in rota's weeks without the swap window, written as a file, must give the same
// crews at the same wall-clock times on every day outside the window.
TEST(RotaFile, BuiltInPatternAsAFileAgreesOutsideTheSwapWindow) {
    const RotaReadResult read = readRotaFile(sourceFile("packaging/rotas/5-Gruppen-Grundplan.txt"));
    ASSERT_TRUE(read.ok) << read.error;
    const ShiftRota file(std::make_shared<const RotaFile>(read.rota));
    const ShiftRota builtIn;
    ASSERT_EQ(file.crewCount(), builtIn.crewCount());
    for (int crew = 0; crew < builtIn.crewCount(); ++crew) {
        EXPECT_EQ(file.crew(crew).name, builtIn.crew(crew).name);
        EXPECT_EQ(file.crew(crew).blue, builtIn.crew(crew).blue);
    }
    int compared = 0;
    for (std::int64_t day = dayOf(2025, 1, 1); day < dayOf(2028, 1, 1); ++day) {
        const int year = yearOf(day * 86400);
        const std::int64_t anchor = rotaAnchorDay(year);
        if (day >= anchor - 1 && day <= anchor + swapWindowDays) continue;
        const auto d = static_cast<std::int32_t>(day);
        std::vector<WorkedShift> fromFile = file.shiftsBeginningOn(d);
        std::vector<WorkedShift> fromBuiltIn = builtIn.shiftsBeginningOn(d);
        for (auto* list : {&fromFile, &fromBuiltIn})
            for (WorkedShift& s : *list) s.kind = ShiftKind::Early, s.fileKind = -1;
        ASSERT_EQ(fromFile, fromBuiltIn) << "day " << day;
        ++compared;
    }
    EXPECT_GT(compared, 600);
}

}  // namespace
}  // namespace dorvalen
