// A rota written by the user as text ("Schichtplan.txt"): shift kinds, crews with colour and
// offset, a start day and a cycle of one code per day.
//   1. readRotaFile checks the whole text and gives a RotaFile or one German line naming the
//      line at fault; nothing of a refused text is used.
//   2. fileShiftsBeginningOn (rota.h reads it) lists the shifts that start on a local day.
// Times are local wall-clock times: a shift of 8 hours from 21:45 ends at 5:45 whatever the
// summer-time switch in between does to its real length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dorvalen {

inline constexpr const char* rotaFileName = "Schichtplan.txt";

// The reader looks at no more than this; a longer file is refused.
inline constexpr std::size_t maxRotaFileBytes = 64 * 1024;
inline constexpr std::size_t maxRotaLineBytes = 1000;
inline constexpr int maxRotaCrews = 9;
inline constexpr std::size_t maxRotaPatternDays = 3660;
inline constexpr int maxRotaOffsetDays = 100000;

struct RotaShiftKind {
    char code = 'F';        // an ASCII letter or digit, upper case (codes are case-blind)
    std::string name;       // UTF-8, "Früh"
    int startMinutes = 0;   // local time of day, 0 .. 1439
    int lengthMinutes = 0;  // 1 .. 1440
};

struct RotaCrew {
    std::string name;  // UTF-8, unique without regard to ASCII case
    int red = 0, green = 0, blue = 0;
    int offsetDays = 0;
};

// One day on which a crew works another code than its cycle says (a swap, a day off, a
// plant holiday): "[Ausnahmen]" lines "2027-05-01 = Rot: -, Blau: F" or "= alle: -".
struct RotaException {
    std::int64_t day = 0;  // day index
    int crew = 0;
    char code = '-';
    friend bool operator<(const RotaException& a, const RotaException& b) {
        return a.day != b.day ? a.day < b.day : a.crew < b.crew;
    }
};

struct RotaFile {
    std::vector<RotaShiftKind> shifts;
    std::vector<RotaCrew> crews;  // 1 .. maxRotaCrews
    std::int64_t beginDay = 0;    // day index of "Beginn"
    std::string pattern;          // one code per day, upper case; '-' is free
    std::vector<RotaException> exceptions;  // sorted by day and crew, one per both
};

struct RotaReadResult {
    bool ok = false;
    RotaFile rota;      // only when ok
    std::string error;  // when !ok: "Schichtplan.txt, Zeile 7: unbekanntes Kürzel „X“"
};

// Reads the whole text (UTF-8, or Windows-1252 where it is not valid UTF-8). `truncated`
// says the file went on past the bytes given, which refuses it when nothing else does.
// `fileName` opens every message.
RotaReadResult readRotaFile(std::string_view bytes, bool truncated = false,
                            std::string_view fileName = rotaFileName);

// The rota file at `path`: missing (the built-in rota holds), read, or refused with one
// line. Only a regular file is opened, never more than maxRotaFileBytes + 1 bytes are read,
// so a directory, a FIFO or an endless file cannot hang or flood the reader.
struct RotaLoad {
    enum class Status { Missing, Read, Refused };
    Status status = Status::Missing;
    std::shared_ptr<const RotaFile> rota;  // when Read
    std::string error;                     // when Refused
};
RotaLoad loadRotaFile(const std::string& path);

// Which rota the user chose, stored in a small file of its own beside the rota file
// (Schichtplanwahl.txt, one line "Schichtplan = eingebaut" or "Schichtplan = Datei"), so the
// ten lines of the settings file stay as they are. No choice: the rota file when there is
// one, else the built-in rota.
inline constexpr const char* rotaChoiceFileName = "Schichtplanwahl.txt";
enum class RotaChoice { File, BuiltIn };
RotaChoice readRotaChoice(const std::string& path);
std::string rotaChoiceText(RotaChoice choice);  // the file's bytes

// The code crew `crew` works on local day `dayIndex` ('-' when free): its exception of
// that day, else its cycle's code.
char fileCodeOn(const RotaFile& rota, std::size_t crew, std::int64_t dayIndex);

// One shift of the file's rota: crew and kind as indices into the RotaFile's tables.
struct FileShift {
    int crew = 0;
    int kind = 0;
    std::int64_t startSeconds = 0;  // local DateValue of the start
    std::int64_t endSeconds = 0;    // start + length, on the wall clock
};

// The shifts that begin on local day `dayIndex`, by start and then crew order. Crew g works
// the code at (day - beginDay - offset_g) mod pattern length, a true modulus.
std::vector<FileShift> fileShiftsBeginningOn(const RotaFile& rota, std::int64_t dayIndex);

}  // namespace dorvalen
