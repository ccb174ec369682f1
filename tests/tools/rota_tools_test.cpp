// The almanac over the rota in force: Schichtplan.txt beside the settings file, --rota, the
// built-in rota without either; crews by the rota's own names; a refused or missing file
// is one line on standard error and exit code 2, never the built-in rota in silence.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/almanac.h"

namespace dorvalen {
namespace {

namespace fs = std::filesystem;

const std::string fourCrews =
    "[Schichten]\nF = Früh, 06:00, 8\nS = Spät, 14:00, 8\nN = Nacht, 22:00, 8\n"
    "[Gruppen]\nA = #E53935, 0\nB = #1E88E5, 2\nC = #FDD835, 4\nD = #43A047, 6\n"
    "[Plan]\nBeginn = 2027-01-04\nMuster = FFSSNN--\n";

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(AlmanacRota, TheRotaInForceNamesTheCrewsAndRefusesBadFiles) {
    const fs::path dir =
        fs::temp_directory_path() / ("dorvalen_rota_tools_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string settings = (dir / "Dorvalen.dat").string();
    write(settings, "");
    const std::string other = (dir / "anders.txt").string();
    write(other, fourCrews);

    enum class Beside { None, Good, Bad, Directory, GoodButBuiltInChosen };
    const struct {
        const char* fault;
        Beside beside;
        std::string args;
        int exitCode;
        std::string outHas;  // with exit 0
        std::string err;     // the whole of standard error
    } rows[] = {
        {"built-in: a crew number beyond the five", Beside::None, "--crew 5", 2, "",
         "dorvalen-almanac: --crew: keine Crew 0 bis 4 oder Rot, Blau, Gelb, Grün, Orange: 5\n"},
        {"built-in: two crews in one number", Beside::None, "--crew 12", 2, "",
         "dorvalen-almanac: --crew: keine Crew 0 bis 4 oder Rot, Blau, Gelb, Grün, Orange: 12\n"},
        {"built-in: its crews by number and colour", Beside::None, "--days 1", 0,
         "Früh 5:45: 4 Orange   Spät 13:45: 1 Blau   Nacht 21:45: 3 Grün", ""},
        {"the file beside the settings names its shifts and crews", Beside::Good, "--days 1", 0,
         "Früh 6:00: A   Spät 14:00: D   Nacht 22:00: C", ""},
        {"a file's crew without regard to case", Beside::Good, "--crew b --days 1", 0,
         "Schichtplan Crew B", ""},
        {"the built-in colour names are no crews of a file", Beside::Good, "--crew Rot", 2, "",
         "dorvalen-almanac: --crew: keine Gruppe des Schichtplans (A, B, C, D): Rot\n"},
        {"a file's crew in the calendar's UIDs", Beside::Good, "--crew a --days 1 --ics", 0,
         "UID:20270104T060000-crewA-F@dorvalen.invalid", ""},
        {"a file's JSON names crew and shift", Beside::Good, "--days 1 --json", 0,
         "{\"crew\": \"A\", \"shift\": \"F\", \"start\": \"2027-01-04T06:00:00\", \"end\": "
         "\"2027-01-04T14:00:00\"}",
         ""},
        {"the clock's stored choice of the built-in rota holds for the tools",
         Beside::GoodButBuiltInChosen, "--days 1", 0, "Früh 5:45: 4 Orange", ""},
        {"a refused file is an error, not the built-in rota", Beside::Bad, "--days 1", 2, "",
         "dorvalen-almanac: Schichtplan.txt, Zeile 2: Länge „0“ muss über 0 und höchstens 24 "
         "Stunden sein\n"},
        {"a directory under the file's name", Beside::Directory, "--days 1", 2, "",
         "dorvalen-almanac: Schichtplan.txt: keine gewöhnliche Datei\n"},
        {"--rota takes another file over a bad one", Beside::Bad, "--days 1 --rota " + other, 0,
         "Nacht 22:00: C", ""},
        {"--rota names a file that is not there", Beside::None,
         "--rota " + (dir / "fehlt.txt").string(), 2, "",
         "dorvalen-almanac: Schichtplan nicht gefunden: " + (dir / "fehlt.txt").string() + "\n"},
    };
    for (const auto& row : rows) {
        fs::remove_all(dir / "Schichtplan.txt");
        fs::remove(dir / rotaChoiceFileName);
        if (row.beside == Beside::Good || row.beside == Beside::GoodButBuiltInChosen)
            write(dir / "Schichtplan.txt", fourCrews);
        if (row.beside == Beside::GoodButBuiltInChosen)
            write(dir / rotaChoiceFileName, rotaChoiceText(RotaChoice::BuiltIn));
        if (row.beside == Beside::Bad)
            write(dir / "Schichtplan.txt", "[Schichten]\nF = Früh, 06:00, 0\n");
        if (row.beside == Beside::Directory) fs::create_directory(dir / "Schichtplan.txt");
        std::vector<std::string> args = {"--from", "2027-01-04", "--settings", settings};
        std::string word;
        for (char c : row.args + " ") {
            if (c != ' ') word += c;
            else if (!word.empty()) args.push_back(word), word.clear();
        }
        const ToolRun run = runAlmanac(args, 0);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.fault << ": " << run.err;
        EXPECT_EQ(run.err, row.err) << row.fault;
        if (row.exitCode == 0)
            EXPECT_NE(run.out.find(row.outHas), std::string::npos) << row.fault << "\n" << run.out;
        else EXPECT_TRUE(run.out.empty()) << row.fault;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace dorvalen
