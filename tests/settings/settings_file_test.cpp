// The settings file: the reading rules, the exact bytes written, round trips of every
// field, saves that fail without harm, and damaged input. Files live in a fresh temporary
// directory per test.
#include "settings/settings_file.h"
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <map>
#include <random>
#include <string>

namespace dorvalen {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "dorvalen-settings-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The ten defaults, written out here rather than taken from ClockSettings{}.
void expectDefaults(const ClockSettings& s, const std::string& context) {
    EXPECT_EQ(s.placeName, "Mirelstadt") << context;
    EXPECT_EQ(s.longitude, -12.52) << context;
    EXPECT_EQ(s.latitude, 48.47) << context;
    EXPECT_EQ(s.timeZone, 1.0) << context;
    EXPECT_EQ(s.autoSummerTime, 1) << context;
    EXPECT_EQ(s.twilightKind, 3) << context;
    EXPECT_EQ(s.alwaysOnTop, 0) << context;
    EXPECT_EQ(s.showShiftColors, 1) << context;
    EXPECT_EQ(s.dialColor, 218099387) << context;
    EXPECT_EQ(s.showSecondsHand, 0) << context;
}

const std::string allTenEntries =
    "Ortsname = Ulm\r\nL\xE4nge = 1\r\nBreite = 2\r\nZeitzone = 3\r\n"
    "Sommerzeit automatisch = 0\r\nD\xE4mmerung = 5\r\nUhr immer im Vordergrund = 1\r\n"
    "Ziffernblatt Schichtfarben ein = 0\r\nFarbe des Ziffernblattes = 7\r\n"
    "Sekundenzeiger ein = 1\r\n";

TEST(LoadSettings, MissingFileGivesDefaults) {
    TempDir dir;
    expectDefaults(loadSettings(dir.file("Dorvalen.dat")), "missing file");
    expectDefaults(loadSettings(dir.path().string()), "a directory");
    expectDefaults(parseSettings(""), "empty file");
}

TEST(ParseSettings, AllTenEntriesAreRead) {
    const ClockSettings s = parseSettings(allTenEntries);
    EXPECT_EQ(s.placeName, "Ulm");
    EXPECT_EQ(s.longitude, 1.0);
    EXPECT_EQ(s.latitude, 2.0);
    EXPECT_EQ(s.timeZone, 3.0);
    EXPECT_EQ(s.autoSummerTime, 0);
    EXPECT_EQ(s.twilightKind, 5);
    EXPECT_EQ(s.alwaysOnTop, 1);
    EXPECT_EQ(s.showShiftColors, 0);
    EXPECT_EQ(s.dialColor, 7);
    EXPECT_EQ(s.showSecondsHand, 1);
}

TEST(ParseSettings, GroupLineHidesEverythingBelowIt) {
    expectDefaults(parseSettings("[Uhr]\r\n" + allTenEntries), "group line first");
    expectDefaults(parseSettings("  [Uhr\r\n" + allTenEntries), "unclosed indented group");
    EXPECT_EQ(parseSettings("Breite = 5\r\n[Uhr]\r\nOrtsname = Ulm\r\n").latitude, 5.0);
    EXPECT_EQ(parseSettings("Breite = 5\r\n[Uhr]\r\nOrtsname = Ulm\r\n").placeName, "Mirelstadt");
}

// The crew labels' switch lives below "[Dorvalen]" after the ten lines: read only there,
// written only when it is on or was there, and every other line from the first group line
// on is written back as it was.
TEST(ExtraSettings, CrewLabelsBelowTheGroupLineAndEverythingThereKept) {
    const std::string ten = formatSettings(ClockSettings{});
    const struct {
        const char* fault;
        std::string tail;  // read after the ten lines
        int read;          // crewLabels found
        int set;           // then set to this and written
        std::string written;  // what follows the ten lines
    } rows[] = {
        {"off by default is no longer ten lines", "", 0, 0, ""},
        {"switched on not stored", "", 0, 1, "[Dorvalen]\r\nSchichtnamen auf dem Ring = 1\r\n"},
        {"key case or blanks not ignored", "[dorvalen]\n  SCHICHTNAMEN AUF DEM RING=1\n", 1, 0,
         "[dorvalen]\r\nSchichtnamen auf dem Ring = 0\r\n"},
        {"other groups or entries lost, or read as ours",
         "[Andere]\r\nSchichtnamen auf dem Ring = 1\r\n[Dorvalen]\r\n; Notiz\r\nRota = a.txt\r\n"
         "[Rest]\r\nx = 1\r\n",
         0, 1,
         "[Andere]\r\nSchichtnamen auf dem Ring = 1\r\n[Dorvalen]\r\n; Notiz\r\nRota = a.txt\r\n"
         "Schichtnamen auf dem Ring = 1\r\n[Rest]\r\nx = 1\r\n"},
        {"a second entry or group counts", "[Dorvalen]\r\nSchichtnamen auf dem Ring = 1\r\n"
         "Schichtnamen auf dem Ring = 0\r\n[Dorvalen]\r\nSchichtnamen auf dem Ring = 0\r\n", 1, 1,
         "[Dorvalen]\r\nSchichtnamen auf dem Ring = 1\r\nSchichtnamen auf dem Ring = 0\r\n"
         "[Dorvalen]\r\nSchichtnamen auf dem Ring = 0\r\n"},
        {"a later group's entry read", "[Dorvalen]\r\n[Dorvalen]\r\nSchichtnamen auf dem Ring = 1\r\n",
         0, 0, "[Dorvalen]\r\n[Dorvalen]\r\nSchichtnamen auf dem Ring = 1\r\n"},
    };
    for (const auto& row : rows) {
        ClockSettings s = parseSettings(ten + row.tail);
        EXPECT_EQ(s.extra.crewLabels, row.read) << row.fault;
        s.extra.crewLabels = row.set;
        const std::string bytes = formatSettings(s);
        EXPECT_EQ(bytes.substr(0, ten.size()), ten) << row.fault;
        EXPECT_EQ(bytes.substr(std::min(ten.size(), bytes.size())), row.written) << row.fault;
        // The ten lines' reader sees the same ten values; ours reads back what was set.
        ClockSettings back = parseSettings(bytes);
        EXPECT_EQ(back.extra.crewLabels, row.set) << row.fault;
        back.extra = s.extra = {};
        EXPECT_EQ(back, s) << row.fault;
    }
    // Entries below the group never reach the ten settings.
    expectDefaults(parseSettings("[Dorvalen]\r\n" + allTenEntries), "ten entries in our group");
}

// My crew and the reminders in the same group: the crew's name in the file's code page
// (Windows-1252, or UTF-8 after the mark), written back in Windows-1252 beside the other
// entries, only those that differ from their defaults added.
TEST(ExtraSettings, MyCrewAndRemindersReadInEitherCodePageAndWrittenBack) {
    const std::string ten = formatSettings(ClockSettings{});
    const struct {
        const char* fault;
        std::string file;
        std::string crew;
        int reminders, minutes, evening;
    } rows[] = {
        {"defaults", ten, "", 0, 30, 0},
        {"Windows-1252 name", ten + "[Dorvalen]\r\nMeine Schichtgruppe = Gr\xFCn \r\n"
         "Erinnerung vor Schichtbeginn = 1\r\nErinnerung Minuten vorher = 45\r\n"
         "Erinnerung am Vorabend = 1\r\n", "Gr\xC3\xBCn", 1, 45, 1},
        {"UTF-8 name", "\xEF\xBB\xBF" + ten + "[Dorvalen]\nmeine schichtgruppe=Gr\xC3\xBCn\n",
         "Gr\xC3\xBCn", 0, 30, 0},
    };
    for (const auto& row : rows) {
        const ClockSettings s = parseSettings(row.file);
        EXPECT_EQ(s.extra.myCrew, row.crew) << row.fault;
        EXPECT_EQ(s.extra.reminders, row.reminders) << row.fault;
        EXPECT_EQ(s.extra.reminderMinutes, row.minutes) << row.fault;
        EXPECT_EQ(s.extra.eveningNotice, row.evening) << row.fault;
        const std::string bytes = formatSettings(s);
        EXPECT_EQ(parseSettings(bytes).extra.myCrew, row.crew) << row.fault;
        EXPECT_EQ(bytes.find("Meine Schichtgruppe = Gr\xFCn\r\n") != std::string::npos,
                  !row.crew.empty()) << row.fault;
    }
    ClockSettings set;
    set.extra.reminderMinutes = 10;
    EXPECT_EQ(formatSettings(set), ten + "[Dorvalen]\r\nErinnerung Minuten vorher = 10\r\n");
}

struct LineRow {
    const char* fault;
    std::string file;
    std::string placeName;
    double latitude;
};

const LineRow lineRows[] = {
    {"key case not ignored", "ORTSNAME=Ulm", "Ulm", 48.47},
    {"blanks around values kept", "Ortsname =   Ulm  \t\r\nBreite =   48.5   ", "Ulm", 48.5},
    {"empty name not found", "Ortsname =", "", 48.47},
    {"empty number not 0", "Breite =\t", "Mirelstadt", 0.0},
    {"second entry wins", "Breite = 1\r\nBreite = 2", "Mirelstadt", 1.0},
    {"comment read as entry", "; Breite = 7\r\n;Ortsname = X", "Mirelstadt", 48.47},
    {"indented key missed", "  \tBreite = 7", "Mirelstadt", 7.0},
    {"blank before = kept in key", "Breite \t = 7", "Mirelstadt", 7.0},
    {"blank inside key ignored", "Bre ite = 7", "Mirelstadt", 48.47},
    {"LF-only lines not split", "Ortsname = A\nBreite = 6", "A", 6.0},
    {"CR-only lines not split", "Ortsname = A\rBreite = 6", "A", 6.0},
    {"line without = taken as key", "Breite\r\nBreite = 9", "Mirelstadt", 9.0},
    {"name cut at second =", "Ortsname = a=b", "a=b", 48.47},
    {"comma decimal read whole", "Breite = 12,5", "Mirelstadt", 12.0},
    {"letters not 0", "Breite = abc", "Mirelstadt", 0.0},
    {"cp1252 name not converted", "Ortsname = \x80 M\xFCller", "\u20AC M\u00FCller", 48.47},
    {"undefined cp1252 byte lost", "Ortsname = \x81", "\u0081", 48.47},
    {"NUL byte ends the text", "Ortsname = A\0B\r\nBreite = 3"s, "A\0B"s, 3.0},
};

TEST(ParseSettings, LineRules) {
    for (const LineRow& row : lineRows) {
        const ClockSettings s = parseSettings(row.file);
        EXPECT_EQ(s.placeName, row.placeName) << row.fault;
        EXPECT_EQ(s.latitude, row.latitude) << row.fault;
    }
}

TEST(ParseSettings, NonAsciiKeysMatchOnlyInTheirCodePage) {
    EXPECT_EQ(parseSettings("l\xE4NGE = 5").longitude, 5.0);   // A-Z fold, 0xE4 exact
    EXPECT_EQ(parseSettings("L\xC4NGE = 5").longitude, -12.52);  // 0xC4 is not 0xE4
    EXPECT_EQ(parseSettings("L\xC3\xA4nge = 5").longitude, -12.52);  // UTF-8 without mark
    EXPECT_EQ(parseSettings("\xEF\xBB\xBFL\xC3\xA4nge = 5").longitude, 5.0);
    EXPECT_EQ(parseSettings("\xEF\xBB\xBFL\xE4nge = 5").longitude, -12.52);
    EXPECT_EQ(parseSettings("\xEF\xBB\xBF" "D\xC3\xA4mmerung = 4").twilightKind, 4);
}

TEST(ParseSettings, Utf8FileNamesPassThroughTheCodePage) {
    const ClockSettings s = parseSettings("\xEF\xBB\xBFOrtsname = M\xC3\xBCnchen \xE2\x82\xAC \xE6\x97\xA5");
    EXPECT_EQ(s.placeName, "M\u00FCnchen \u20AC ?");  // no Windows-1252 byte for U+65E5
    // Invalid UTF-8 after the mark: each bad byte becomes '?', the next line still counts.
    const ClockSettings bad =
        parseSettings("\xEF\xBB\xBFOrtsname = \xFF\xC3(\xED\xA0\x80\r\nBreite = 2\r\n");
    EXPECT_EQ(bad.placeName, "?" "?(" "???");
    EXPECT_EQ(bad.latitude, 2.0);
    // Only a file longer than two bytes can carry the mark.
    expectDefaults(parseSettings("\xEF\xBB"), "two mark bytes");
}

TEST(ParseSettings, SpecialNumbersAndLowByteFields) {
    const ClockSettings s = parseSettings(
        "L\xE4nge = +infinity\r\nBreite = -INFINITY\r\nZeitzone = nan\r\n"
        "Sekundenzeiger ein = 257\r\nZiffernblatt Schichtfarben ein = -255\r\n"
        "Farbe des Ziffernblattes = 99999999999999999999\r\nD\xE4mmerung = 7x\r\n");
    // The dialog shows what is not a number as 0 and would store that.
    EXPECT_EQ(s.longitude, 0.0);
    EXPECT_EQ(s.latitude, 0.0);
    EXPECT_EQ(s.timeZone, 0.0);
    EXPECT_EQ(s.showSecondsHand, 1);  // 257 & 0xFF
    EXPECT_EQ(s.showShiftColors, 1);  // -255 & 0xFF
    EXPECT_EQ(s.dialColor, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(s.twilightKind, 7);  // taken as it is
}

// Values the dialog could never store are read as the dialog would store them; values it
// can store, however they were written, stay as they are.
TEST(ParseSettings, ValuesBeyondTheDialogsLimitsAreReadAsTheDialogStoresThem) {
    const struct {
        const char* fault;
        const char* line;
        double ClockSettings::*field;
        double expected;
    } rows[] = {
        {"time zone -1e300 taken (sunrise at 18:02)", "Zeitzone = -1e300", &ClockSettings::timeZone, -14},
        {"time zone 1e308 taken (309-digit header)", "Zeitzone = 1e308", &ClockSettings::timeZone, 14},
        {"time zone beyond 14 taken", "Zeitzone = 15", &ClockSettings::timeZone, 14},
        {"a zone the dialog stores (13 West) changed", "Zeitzone = -13", &ClockSettings::timeZone, -13},
        {"a zone with minutes changed", "Zeitzone = 5.75", &ClockSettings::timeZone, 5.75},
        {"latitude beyond 90 not wrapped", "Breite = 120", &ClockSettings::latitude, 30},
        {"southern latitude wrapped to the north", "Breite = -91.07", &ClockSettings::latitude, -1.07},
        {"latitude with decimal degrees re-read as minutes", "Breite = 48.7", &ClockSettings::latitude, 48.7},
        {"latitude at the pole wrapped", "Breite = -90", &ClockSettings::latitude, -90},
        {"longitude beyond 180 not wrapped", "L\xE4nge = 210", &ClockSettings::longitude, 30},
        {"eastern longitude wrapped to the west", "L\xE4nge = -181.5", &ClockSettings::longitude, -1.5},
        {"longitude with many decimals cut", "L\xE4nge = -12.5234", &ClockSettings::longitude, -12.5234},
        {"NaN latitude taken", "Breite = NaN", &ClockSettings::latitude, 0},
    };
    for (const auto& row : rows) {
        const ClockSettings s = parseSettings(std::string(row.line) + "\r\n");
        EXPECT_EQ(s.*row.field, row.expected) << row.fault;
        EXPECT_EQ(parseSettings(formatSettings(s)).*row.field, s.*row.field) << row.fault;
    }
    const double huge = parseSettings("Breite = 1e300\r\nL\xE4nge = -1.7e308\r\n").latitude;
    EXPECT_LE(std::fabs(huge), 90.0);
    EXPECT_LT(parseSettings("L\xE4nge = -1.7e308\r\n").longitude, 0.0);
    EXPECT_GE(parseSettings("L\xE4nge = -1.7e308\r\n").longitude, -180.0);
}

TEST(ParseSettings, NamesAreCutToTheDialogsFiftyCharacters) {
    const std::string fifty = "M\xFCnchen " + std::string(42, 'x');  // 50 characters
    EXPECT_EQ(parseSettings("Ortsname = " + fifty + "\r\n").placeName,
              "M\u00FCnchen " + std::string(42, 'x'));
    EXPECT_EQ(parseSettings("Ortsname = " + fifty + "yz\r\n").placeName,
              "M\u00FCnchen " + std::string(42, 'x'));
    EXPECT_EQ(parseSettings("Ortsname = " + std::string(900'000, 'n')).placeName,
              std::string(50, 'n'));
    // A cut that ends in a blank loses it, as the next save and load would.
    EXPECT_EQ(parseSettings("Ortsname = " + std::string(49, 'a') + " bc").placeName,
              std::string(49, 'a'));
}

TEST(FormatSettings, DefaultsGiveTheTenLinesByteForByte) {
    const std::string expected =
        "Ortsname = Mirelstadt\r\n"
        "L\xE4nge = -12.52\r\n"
        "Breite = 48.47\r\n"
        "Zeitzone = 1\r\n"
        "Sommerzeit automatisch = 1\r\n"
        "D\xE4mmerung = 3\r\n"
        "Uhr immer im Vordergrund = 0\r\n"
        "Ziffernblatt Schichtfarben ein = 1\r\n"
        "Farbe des Ziffernblattes = 218099387\r\n"
        "Sekundenzeiger ein = 0\r\n";
    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");
    ASSERT_TRUE(saveSettings(ClockSettings{}, path).ok);
    EXPECT_EQ(readBytes(path), expected);
}

TEST(FormatSettings, NamesAreWrittenInWindows1252OnOneLine) {
    ClockSettings s;
    s.placeName = "\u20AC M\u00FCller \u65E5\r\nBreite = 0";
    const std::string bytes = formatSettings(s);
    const std::string firstLine = "Ortsname = \x80 M\xFCller ?  Breite = 0\r\n";
    EXPECT_EQ(bytes.substr(0, firstLine.size()), firstLine);
    EXPECT_EQ(parseSettings(bytes).latitude, 48.47);
}

void expectSameSettings(const ClockSettings& a, const ClockSettings& b) {
    const auto sameDouble = [](double x, double y) {
        return (std::isnan(x) && std::isnan(y)) ||
               std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
    };
    EXPECT_EQ(a.placeName, b.placeName);
    EXPECT_PRED2(sameDouble, a.longitude, b.longitude);
    EXPECT_PRED2(sameDouble, a.latitude, b.latitude);
    EXPECT_PRED2(sameDouble, a.timeZone, b.timeZone);
    EXPECT_EQ(a.autoSummerTime, b.autoSummerTime);
    EXPECT_EQ(a.twilightKind, b.twilightKind);
    EXPECT_EQ(a.alwaysOnTop, b.alwaysOnTop);
    EXPECT_EQ(a.showShiftColors, b.showShiftColors);
    EXPECT_EQ(a.dialColor, b.dialColor);
    EXPECT_EQ(a.showSecondsHand, b.showSecondsHand);
}

TEST(SaveSettings, EveryFieldRoundTrips) {
    ClockSettings odd;
    odd.placeName = "Stra\u00DFe \u0152uvre;[x] = y\u0081";
    odd.longitude = -180.0;
    odd.latitude = 90.0;
    odd.timeZone = -14.0;
    odd.autoSummerTime = std::numeric_limits<std::int32_t>::min();
    odd.twilightKind = std::numeric_limits<std::int32_t>::max();
    odd.alwaysOnTop = -1;
    odd.showShiftColors = -128;
    odd.dialColor = -16777216;
    odd.showSecondsHand = 127;

    ClockSettings huge;
    huge.placeName = "";
    huge.longitude = 179.99999999999997;
    huge.latitude = -4.9406564584124654e-324;
    huge.timeZone = 0.1 + 0.2;

    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");
    for (const ClockSettings& s : {ClockSettings{}, odd, huge}) {
        ASSERT_TRUE(saveSettings(s, path).ok);
        expectSameSettings(loadSettings(path), s);
    }
}

TEST(SaveSettings, FailedSaveKeepsTheOldFileAndSaysWhy) {
    TempDir dir;
    const std::string old = "Ortsname = Alt\r\n";

    // The file name is taken by a directory holding a file: neither may change.
    const std::string asDirectory = dir.file("Dorvalen.dat");
    fs::create_directory(asDirectory);
    writeBytes(asDirectory + "/inside", old);
    const SaveResult onDirectory = saveSettings(ClockSettings{}, asDirectory);
    EXPECT_FALSE(onDirectory.ok);
    EXPECT_FALSE(onDirectory.reason.empty());
    EXPECT_EQ(readBytes(asDirectory + "/inside"), old);

    // A folder that does not exist: root cannot write there either.
    const SaveResult noFolder = saveSettings(ClockSettings{}, dir.file("fehlt/Dorvalen.dat"));
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.reason, "Das Verzeichnis existiert nicht.");

    // Nothing but what we made is left in the directory (no temporary files).
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(LoadSettings, DamagedFilesNeverLoseAField) {
    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");

    // Binary junk: every load finishes, and whatever it read survives a save and a load.
    std::mt19937 random(20240615);
    for (int i = 0; i < 200; ++i) {
        std::string junk(static_cast<std::size_t>(random() % 4096), '\0');
        for (char& c : junk) c = static_cast<char>(random() % 256);
        if (i % 2 == 0) junk = allTenEntries.substr(0, random() % allTenEntries.size()) + junk;
        writeBytes(path, junk);
        const ClockSettings loaded = loadSettings(path);
        expectSameSettings(parseSettings(formatSettings(loaded)), loaded);
    }

    // A 2 MB line: entries before it are read, entries beyond the read cap get defaults.
    writeBytes(path, "Ortsname = Ulm\r\n; " + std::string(2'000'000, 'x') + "\r\nBreite = 1\r\n");
    const ClockSettings longLine = loadSettings(path);
    EXPECT_EQ(longLine.placeName, "Ulm");
    EXPECT_EQ(longLine.latitude, 48.47);

    // A 2 MB value is read up to the cap and cut to the dialog's 50 characters.
    writeBytes(path, "Ortsname = " + std::string(2'000'000, 'n'));
    EXPECT_EQ(loadSettings(path).placeName, std::string(50, 'n'));
}

// The tools' own runs cover the working folder, the launcher's folder and the defaults;
// here the environment rules the launcher follows, and the folder of an explicit path.
TEST(LocateSettingsFile, EnvironmentAsTheLauncherReadsIt) {
    TempDir root;
    const std::string home = root.file("home"), launcher = home + "/.config/dorvalen";
    fs::create_directories(launcher);
    writeBytes(launcher + "/Dorvalen.dat", "Zeitzone = 0\r\n");
    const struct {
        const char* fault;
        const char* xdg;
        const char* home;
        std::optional<std::string> explicitPath;
        std::string folder;
        SettingsSource source;
    } rows[] = {
        {"HOME's .config not the fallback", nullptr, home.c_str(), {}, launcher,
         SettingsSource::LauncherFolder},
        {"a relative XDG_CONFIG_HOME taken, which the launcher ignores", "home", home.c_str(), {},
         launcher, SettingsSource::LauncherFolder},
        {"without HOME not the working folder", nullptr, nullptr, {}, root.file("work"),
         SettingsSource::Defaults},
        {"an explicit path's own folder lost", nullptr, home.c_str(), "elsewhere/x.dat",
         "elsewhere", SettingsSource::CommandLine},
    };
    for (const auto& row : rows) {
        const SettingsLocation found =
            locateSettingsFile(row.explicitPath, root.file("work"), row.xdg, row.home);
        EXPECT_EQ(found.source, row.source) << row.fault;
        EXPECT_EQ(found.beside("Schichtplan.txt"), row.folder + "/Schichtplan.txt") << row.fault;
    }
}

}  // namespace
}  // namespace dorvalen
