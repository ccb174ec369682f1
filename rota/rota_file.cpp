// The reader of the rota file and the shifts it gives a day. The text is checked line by
// line in one pass, the cycle's codes once the whole file is known; the first fault ends
// the read, so a refused file never leaves part of a plan behind.
#include "rota/rota_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/calendar.h"
#include "core/codepage.h"
#include "core/conversions.h"

namespace dorvalen {

namespace {

std::string utf8Text(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameCaseBlind(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return upperAscii(x) == upperAscii(y); });
}

bool isCodeCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// User text inside a message: at most 40 code points, in German quotes.
std::string quoted(std::string_view s) {
    std::size_t end = 0;
    for (int points = 0; end < s.size() && points < 40; ++points) {
        ++end;
        while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) ++end;
    }
    return "„" + std::string(s.substr(0, end)) + (end < s.size() ? "…" : "") + "“";
}

std::vector<std::string_view> fields(std::string_view value) {
    std::vector<std::string_view> out;
    while (true) {
        const std::size_t comma = value.find(',');
        out.push_back(trimmed(value.substr(0, comma)));
        if (comma == std::string_view::npos) return out;
        value.remove_prefix(comma + 1);
    }
}

// 1 .. maxDigits decimal digits and nothing else.
std::optional<int> digits(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> minutesOfClock(std::string_view s) {
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos || s.size() - colon != 3) return std::nullopt;
    const std::optional<int> hour = digits(s.substr(0, colon), 2);
    const std::optional<int> minute = digits(s.substr(colon + 1), 2);
    if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
    return *hour * 60 + *minute;
}

// Hours as a whole or decimal number ("8", "7.5") above 0 and up to 24, in whole minutes.
std::optional<int> minutesOfLength(std::string_view s) {
    if (s.empty() || s.size() > 12 || s.front() == '.' || s.back() == '.') return std::nullopt;
    if (!std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
        return std::nullopt;
    double hours = 0.0;
    const auto [stop, fault] = std::from_chars(s.data(), s.data() + s.size(), hours);
    if (fault != std::errc() || stop != s.data() + s.size() || !(hours > 0.0 && hours <= 24.0))
        return std::nullopt;
    const std::int64_t minutes = roundToInt(hours * 60.0);
    if (minutes < 1) return std::nullopt;
    return static_cast<int>(minutes);
}

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

bool readColour(std::string_view s, RotaCrew& crew) {
    if (s.size() != 7 || s[0] != '#') return false;
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        const auto hi = hexDigit(s[static_cast<std::size_t>(1 + 2 * i)]);
        const auto lo = hexDigit(s[static_cast<std::size_t>(2 + 2 * i)]);
        if (!hi || !lo) return false;
        channel[i] = *hi * 16 + *lo;
    }
    crew.red = channel[0];
    crew.green = channel[1];
    crew.blue = channel[2];
    return true;
}

std::optional<int> offsetOf(std::string_view s) {
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    const std::optional<int> n = digits(s, 6);
    if (!n || *n > maxRotaOffsetDays) return std::nullopt;
    return negative ? -*n : *n;
}

std::optional<std::int64_t> dayOfDate(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    const auto year = digits(s.substr(0, 4), 4);
    const auto month = digits(s.substr(5, 2), 2);
    const auto day = digits(s.substr(8, 2), 2);
    if (!year || !month || !day) return std::nullopt;
    const DateValue date = makeDate(*year, *month, *day, 0, 0, 0);
    if (date == invalidDate) return std::nullopt;
    return dayIndexOf(date);
}

enum class Section { None, Shifts, Crews, Plan, Exceptions };

struct SectionName {
    const char* name;
    Section section;
};
constexpr SectionName sectionNames[] = {
    {"Schichten", Section::Shifts}, {"Gruppen", Section::Crews}, {"Plan", Section::Plan},
    {"Ausnahmen", Section::Exceptions}};

// One pass over the lines; `error` holds the first fault and stops the pass.
class Reader {
public:
    explicit Reader(std::string_view fileName) : fileName_(fileName) {}
    RotaReadResult read(std::string_view bytes, bool truncated);

private:
    bool fail(int line, const std::string& what) {
        error_ = std::string(fileName_) + ", Zeile " + std::to_string(line) + ": " + what;
        return false;
    }
    bool readLine(int line, std::string_view text);
    bool readShift(int line, std::string_view key, std::string_view value);
    bool readCrew(int line, std::string_view key, std::string_view value);
    bool readPlan(int line, std::string_view key, std::string_view value);
    bool checkPattern();
    bool readExceptions(int line, std::string_view key, std::string_view value);
    bool checkExceptions();
    bool knownCode(char code) const;

    std::string_view fileName_;
    RotaFile rota_;
    Section section_ = Section::None;
    int beginLine_ = 0;
    int patternLine_ = 0;
    std::string patternText_;
    // Exceptions as written; crews and codes are checked once the whole file is known.
    struct WrittenException {
        int line;
        std::int64_t day;
        std::string crew;
        std::string code;
    };
    std::vector<WrittenException> writtenExceptions_;
    std::string error_;
};

bool Reader::readLine(int line, std::string_view text) {
    if (text.size() > maxRotaLineBytes)
        return fail(line, "Zeile ist länger als " + std::to_string(maxRotaLineBytes) + " Zeichen");
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }))
        return fail(line, "unerlaubtes Steuerzeichen");
    text = trimmed(text);
    if (text.empty() || text.front() == '#' || text.front() == ';') return true;
    if (text.front() == '[') {
        if (text.back() != ']') return fail(line, "„]“ fehlt");
        const std::string_view name = trimmed(text.substr(1, text.size() - 2));
        for (const SectionName& row : sectionNames) {
            if (sameCaseBlind(name, row.name)) {
                section_ = row.section;
                return true;
            }
        }
        return fail(line, "unbekannter Abschnitt " + quoted(name));
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return fail(line, "„=“ fehlt");
    const std::string_view key = trimmed(text.substr(0, equals));
    const std::string_view value = trimmed(text.substr(equals + 1));
    switch (section_) {
        case Section::Shifts: return readShift(line, key, value);
        case Section::Crews: return readCrew(line, key, value);
        case Section::Plan: return readPlan(line, key, value);
        case Section::Exceptions: return readExceptions(line, key, value);
        case Section::None: break;
    }
    return fail(line, "Eintrag vor dem ersten Abschnitt");
}

bool Reader::readShift(int line, std::string_view key, std::string_view value) {
    if (key.size() != 1 || !isCodeCharacter(key[0]))
        return fail(line, "Kürzel muss ein Buchstabe oder eine Ziffer sein, nicht " + quoted(key));
    const char code = upperAscii(key[0]);
    for (const RotaShiftKind& kind : rota_.shifts)
        if (kind.code == code) return fail(line, "Kürzel " + quoted(key) + " ist doppelt");
    const std::vector<std::string_view> f = fields(value);
    if (f.size() != 3 || f[0].empty())
        return fail(line, "erwartet Name, Beginn HH:MM, Länge in Stunden");
    const std::optional<int> start = minutesOfClock(f[1]);
    if (!start) return fail(line, "Beginn " + quoted(f[1]) + " ist keine Uhrzeit HH:MM");
    const std::optional<int> length = minutesOfLength(f[2]);
    if (!length)
        return fail(line, "Länge " + quoted(f[2]) + " muss über 0 und höchstens 24 Stunden sein");
    rota_.shifts.push_back({code, std::string(f[0]), *start, *length});
    return true;
}

bool Reader::readCrew(int line, std::string_view key, std::string_view value) {
    if (key.empty()) return fail(line, "Name der Gruppe fehlt");
    for (const RotaCrew& crew : rota_.crews)
        if (sameCaseBlind(crew.name, key))
            return fail(line, "Gruppe " + quoted(key) + " ist doppelt");
    if (static_cast<int>(rota_.crews.size()) == maxRotaCrews)
        return fail(line, "mehr als " + std::to_string(maxRotaCrews) + " Gruppen");
    const std::vector<std::string_view> f = fields(value);
    if (f.size() != 2) return fail(line, "erwartet Farbe #RRGGBB, Versatz in Tagen");
    RotaCrew crew;
    crew.name = std::string(key);
    if (!readColour(f[0], crew)) return fail(line, "Farbe " + quoted(f[0]) + " ist nicht #RRGGBB");
    const std::optional<int> offset = offsetOf(f[1]);
    if (!offset)
        return fail(line,
                    "Versatz " + quoted(f[1]) + " ist keine ganze Zahl von -100000 bis 100000");
    crew.offsetDays = *offset;
    rota_.crews.push_back(std::move(crew));
    return true;
}

bool Reader::readPlan(int line, std::string_view key, std::string_view value) {
    if (sameCaseBlind(key, "Beginn")) {
        if (beginLine_ != 0) return fail(line, "„Beginn“ ist doppelt");
        const std::optional<std::int64_t> day = dayOfDate(value);
        if (!day)
            return fail(line,
                        "Beginn " + quoted(value) + " ist kein Datum JJJJ-MM-TT (1970 bis 9999)");
        rota_.beginDay = *day;
        beginLine_ = line;
        return true;
    }
    if (sameCaseBlind(key, "Muster")) {
        if (patternLine_ != 0) return fail(line, "„Muster“ ist doppelt");
        patternLine_ = line;
        patternText_ = std::string(value);
        return true;
    }
    return fail(line, "unbekannter Schlüssel " + quoted(key) + " im Abschnitt [Plan]");
}

bool Reader::knownCode(char code) const {
    return code == '-' || std::any_of(rota_.shifts.begin(), rota_.shifts.end(),
                                      [&](const RotaShiftKind& k) { return k.code == code; });
}

bool Reader::readExceptions(int line, std::string_view key, std::string_view value) {
    const std::optional<std::int64_t> day = dayOfDate(key);
    if (!day)
        return fail(line, "Ausnahme " + quoted(key) + " ist kein Datum JJJJ-MM-TT (1970 bis 9999)");
    for (std::string_view pair : fields(value)) {
        const std::size_t colon = pair.find(':');
        if (colon == std::string_view::npos)
            return fail(line, "erwartet Gruppe: Kürzel, nicht " + quoted(pair));
        writtenExceptions_.push_back({line, *day, std::string(trimmed(pair.substr(0, colon))),
                                      std::string(trimmed(pair.substr(colon + 1)))});
    }
    return true;
}

// The exceptions' crews and codes, once every crew and shift kind is known. Sorted once at
// the end, so even a file full of them is read in n log n.
bool Reader::checkExceptions() {
    std::vector<std::pair<RotaException, int>> found;  // with the line that wrote it
    for (const WrittenException& w : writtenExceptions_) {
        if (w.code.size() != 1 || !knownCode(upperAscii(w.code[0])))
            return fail(w.line, "unbekanntes Kürzel " + quoted(w.code));
        const bool all = sameCaseBlind(w.crew, "alle");
        const std::size_t before = found.size();
        for (std::size_t crew = 0; crew < rota_.crews.size(); ++crew)
            if (all || sameCaseBlind(rota_.crews[crew].name, w.crew))
                found.push_back({{w.day, static_cast<int>(crew), upperAscii(w.code[0])}, w.line});
        if (found.size() == before) return fail(w.line, "unbekannte Gruppe " + quoted(w.crew));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (!(b.first < a.first) && a.second < b.second);
    });
    for (std::size_t i = 1; i < found.size(); ++i)
        if (!(found[i - 1].first < found[i].first))
            return fail(
                found[i].second,
                "zwei Ausnahmen für " +
                    quoted(rota_.crews[static_cast<std::size_t>(found[i].first.crew)].name) +
                    " an einem Tag");
    for (const auto& [exception, line] : found) rota_.exceptions.push_back(exception);
    return true;
}

// The cycle's codes, once every shift kind is known.
bool Reader::checkPattern() {
    std::string pattern;
    for (std::size_t i = 0; i < patternText_.size(); ++i) {
        const char c = patternText_[i];
        if (isBlank(c)) continue;
        const char code = upperAscii(c);
        if (!knownCode(code)) {
            std::size_t end = i + 1;
            while (end < patternText_.size() &&
                   (static_cast<unsigned char>(patternText_[end]) & 0xC0) == 0x80)
                ++end;
            return fail(
                patternLine_,
                "unbekanntes Kürzel " + quoted(std::string_view(patternText_).substr(i, end - i)));
        }
        pattern += code;
    }
    if (pattern.empty()) return fail(patternLine_, "„Muster“ ist leer");
    if (pattern.size() > maxRotaPatternDays)
        return fail(patternLine_,
                    "„Muster“ ist länger als " + std::to_string(maxRotaPatternDays) + " Tage");
    rota_.pattern = std::move(pattern);
    return true;
}

RotaReadResult Reader::read(std::string_view bytes, bool truncated) {
    const std::string text = utf8Text(bytes);
    int line = 0;
    std::size_t at = 0;
    bool good = true;
    while (good && at < text.size()) {
        ++line;
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string_view current(text.data() + at, end - at);
        if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
        good = readLine(line, current);
        at = end + 1;
    }
    const int lastLine = std::max(line, 1);
    if (good && truncated)
        good = fail(lastLine,
                    "Datei ist größer als " + std::to_string(maxRotaFileBytes / 1024) + " KiB");
    if (good && rota_.crews.empty())
        good = fail(lastLine, "Dateiende ohne Gruppe im Abschnitt [Gruppen]");
    if (good && beginLine_ == 0)
        good = fail(lastLine, "Dateiende ohne „Beginn“ im Abschnitt [Plan]");
    if (good && patternLine_ == 0)
        good = fail(lastLine, "Dateiende ohne „Muster“ im Abschnitt [Plan]");
    if (good) good = checkPattern();
    if (good) good = checkExceptions();
    if (!good) return {false, {}, error_};
    return {true, std::move(rota_), ""};
}

std::int64_t floorMod(std::int64_t a, std::int64_t m) {
    const std::int64_t rem = a % m;
    return rem < 0 ? rem + m : rem;
}

}  // namespace

RotaReadResult readRotaFile(std::string_view bytes, bool truncated, std::string_view fileName) {
    return Reader(fileName).read(bytes, truncated);
}

namespace {

enum class FileRead { Missing, Read, NotRegular, Unreadable };

// Up to maxBytes + 1 bytes of a regular file, so the caller sees whether there was more.
// O_NONBLOCK keeps a FIFO under the file's name from blocking the open.
FileRead readBounded(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    bool readable = regular;
    while (readable && bytes.size() <= maxBytes) {
        const std::size_t filled = bytes.size();
        bytes.resize(maxBytes + 1);
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        bytes.resize(filled + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && errno != EINTR) readable = false;
        if (got == 0) break;
    }
    ::close(fd);
    if (!regular) return FileRead::NotRegular;
    return readable ? FileRead::Read : FileRead::Unreadable;
}

}  // namespace

RotaLoad loadRotaFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // The name opens a one-line message: no control character may break it.
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    const auto refused = [&](const std::string& why) {
        return RotaLoad{RotaLoad::Status::Refused, nullptr, name + ": " + why};
    };
    std::string bytes;
    switch (readBounded(path, maxRotaFileBytes, bytes)) {
        case FileRead::Missing: return {};
        case FileRead::NotRegular: return refused("keine gewöhnliche Datei");
        case FileRead::Unreadable: return refused("nicht lesbar");
        case FileRead::Read: break;
    }
    const bool truncated = bytes.size() > maxRotaFileBytes;
    if (truncated) bytes.resize(maxRotaFileBytes);
    RotaReadResult read = readRotaFile(bytes, truncated, name);
    if (!read.ok) return {RotaLoad::Status::Refused, nullptr, read.error};
    return {RotaLoad::Status::Read, std::make_shared<const RotaFile>(std::move(read.rota)), ""};
}

RotaChoice readRotaChoice(const std::string& path) {
    std::string bytes;
    if (readBounded(path, 256, bytes) != FileRead::Read) return RotaChoice::File;
    const std::size_t equals = bytes.find('=');
    if (equals == std::string::npos ||
        !sameCaseBlind(trimmed(std::string_view(bytes).substr(0, equals)), "Schichtplan"))
        return RotaChoice::File;
    std::string_view value = std::string_view(bytes).substr(equals + 1);
    value = trimmed(value.substr(0, value.find_first_of("\r\n")));
    return sameCaseBlind(value, "eingebaut") ? RotaChoice::BuiltIn : RotaChoice::File;
}

std::string rotaChoiceText(RotaChoice choice) {
    return choice == RotaChoice::BuiltIn ? "Schichtplan = eingebaut\r\n"
                                         : "Schichtplan = Datei\r\n";
}

char fileCodeOn(const RotaFile& rota, std::size_t crew, std::int64_t dayIndex) {
    if (rota.pattern.empty() || crew >= rota.crews.size()) return '-';
    const RotaException wanted{dayIndex, static_cast<int>(crew), '-'};
    const auto exception = std::lower_bound(rota.exceptions.begin(), rota.exceptions.end(), wanted);
    if (exception != rota.exceptions.end() && !(wanted < *exception)) return exception->code;
    const auto length = static_cast<std::int64_t>(rota.pattern.size());
    const std::int64_t position =
        floorMod(dayIndex - rota.beginDay - rota.crews[crew].offsetDays, length);
    return rota.pattern[static_cast<std::size_t>(position)];
}

std::vector<FileShift> fileShiftsBeginningOn(const RotaFile& rota, std::int64_t dayIndex) {
    std::vector<FileShift> shifts;
    shifts.reserve(rota.crews.size());
    for (std::size_t crew = 0; crew < rota.crews.size(); ++crew) {
        const char code = fileCodeOn(rota, crew, dayIndex);
        const auto kind = std::find_if(rota.shifts.begin(), rota.shifts.end(),
                                       [&](const RotaShiftKind& k) { return k.code == code; });
        if (kind == rota.shifts.end()) continue;  // '-': free
        const std::int64_t start = dayIndex * 86400 + kind->startMinutes * 60;
        const FileShift shift{static_cast<int>(crew), static_cast<int>(kind - rota.shifts.begin()),
                              start, start + kind->lengthMinutes * 60};
        // By start, crews of one start in their order: after every shift that starts no later.
        auto at = shifts.end();
        while (at != shifts.begin() && (at - 1)->startSeconds > start) --at;
        shifts.insert(at, shift);
    }
    return shifts;
}

}  // namespace dorvalen
