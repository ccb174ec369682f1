// The settings file: ten "key = value" lines, CR LF, Windows-1252 (or UTF-8 after a byte
// order mark). Reading takes each field from the first matching entry above any group line
// and defaults the rest; writing builds the whole file and replaces the old one at once.
#include "settings/settings_file.h"

#include <iterator>
#include <optional>
#include <variant>
#include <vector>

#include "settings/files.h"
#include "core/codepage.h"
#include "settings/field_rules.h"
#include "settings/number_text.h"

namespace dorvalen {

namespace {

using FieldRef = std::variant<std::string ClockSettings::*, double ClockSettings::*,
                              std::int32_t ClockSettings::*, std::int8_t ClockSettings::*>;

struct FieldRow {
    std::string_view key;  // UTF-8, as written in this source file
    FieldRef field;
};

// File order. The int8 fields are read as 32-bit integers and keep their low 8 bits.
const FieldRow fieldRows[] = {
    {"Ortsname", &ClockSettings::placeName},
    {"Länge", &ClockSettings::longitude},
    {"Breite", &ClockSettings::latitude},
    {"Zeitzone", &ClockSettings::timeZone},
    {"Sommerzeit automatisch", &ClockSettings::autoSummerTime},
    {"Dämmerung", &ClockSettings::twilightKind},
    {"Uhr immer im Vordergrund", &ClockSettings::alwaysOnTop},
    {"Ziffernblatt Schichtfarben ein", &ClockSettings::showShiftColors},
    {"Farbe des Ziffernblattes", &ClockSettings::dialColor},
    {"Sekundenzeiger ein", &ClockSettings::showSecondsHand},
};
constexpr std::size_t fieldCount = std::size(fieldRows);

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// For each field, the raw value of the first entry with its key, if any. The walk stops at
// the first group line: entries below it are never seen.
std::vector<std::optional<std::string_view>> findValues(std::string_view text,
                                                        const std::string (&keys)[fieldCount]) {
    std::vector<std::optional<std::string_view>> values(fieldCount);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !isLineEnd(text[end])) ++end;
        const std::string_view line = trimLeft(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') break;
        // Lines without "=" never come from this program; they are passed over.
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trimRight(line.substr(0, equals));
        for (std::size_t i = 0; i < fieldCount; ++i) {
            if (!values[i] && equalsIgnoringAsciiCase(key, keys[i])) {
                values[i] = trimLeft(line.substr(equals + 1));
                break;
            }
        }
    }
    return values;
}

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// A file name never holds a line break; one in the name would split the entry in two.
std::string singleLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (isLineEnd(c)) c = ' ';
    }
    return out;
}

// The group that holds the settings beyond the ten lines, and their keys (ASCII).
constexpr std::string_view extraGroup = "Dorvalen";

using ExtraRef = std::variant<std::int32_t ExtraSettings::*, std::string ExtraSettings::*>;
struct ExtraRow {
    std::string_view key;
    ExtraRef field;
};
const ExtraRow extraRows[] = {
    {"Schichtnamen auf dem Ring", &ExtraSettings::crewLabels},
    {"Meine Schichtgruppe", &ExtraSettings::myCrew},
    {"Erinnerung vor Schichtbeginn", &ExtraSettings::reminders},
    {"Erinnerung Minuten vorher", &ExtraSettings::reminderMinutes},
    {"Erinnerung am Vorabend", &ExtraSettings::eveningNotice},
};
constexpr std::size_t extraCount = std::size(extraRows);

struct Line {
    std::string_view text;  // without its line break
    std::size_t start;      // offset in the text it was cut from
};

// The non-empty lines, split at CR and LF in any mix.
std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !isLineEnd(text[end])) ++end;
        if (end > pos) lines.push_back({text.substr(pos, end - pos), pos});
        pos = end + 1;
    }
    return lines;
}

// The name of a group line ("[name]" after blanks), or nothing for any other line.
std::optional<std::string_view> groupName(std::string_view line) {
    line = trimLeft(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return line.substr(0, line.find(']'));
}

// The key of an entry line, or nothing for comments, group lines and lines without "=".
std::optional<std::string_view> entryKey(std::string_view line) {
    line = trimLeft(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trimRight(line.substr(0, equals));
}

// The text from the first group line on (the ten lines' reader sees nothing of it), and
// the extra settings found in its first "[Dorvalen]" group, the first entry of a key counting.
// Strings are read from the file's code page (`isUtf8`) into UTF-8.
ExtraSettings parseExtras(std::string_view text, bool isUtf8) {
    ExtraSettings extra;
    const std::vector<Line> lines = splitLines(text);
    std::size_t first = 0;
    while (first < lines.size() && !groupName(lines[first].text)) ++first;
    if (first == lines.size()) return extra;
    extra.tail = std::string(text.substr(lines[first].start));
    bool inGroup = false, seenGroup = false;
    bool found[extraCount] = {};
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (const auto group = groupName(lines[i].text)) {
            // Only the first "[Dorvalen]" group counts, the one a save writes into.
            inGroup = !seenGroup && equalsIgnoringAsciiCase(*group, extraGroup);
            seenGroup = seenGroup || inGroup;
            continue;
        }
        const auto key = entryKey(lines[i].text);
        if (!inGroup || !key) continue;
        for (std::size_t k = 0; k < extraCount; ++k) {
            if (found[k] || !equalsIgnoringAsciiCase(*key, extraRows[k].key)) continue;
            found[k] = true;
            const std::string_view line = trimLeft(lines[i].text);
            const std::string_view value = trimLeft(line.substr(line.find('=') + 1));
            std::visit(Overloaded{
                           [&](std::int32_t ExtraSettings::*field) {
                               extra.*field = readInteger(value);
                           },
                           [&](std::string ExtraSettings::*field) {
                               const std::string_view v = trimRight(value);
                               extra.*field = isUtf8 ? std::string(v) : cp1252ToUtf8(v);
                           },
                       },
                       extraRows[k].field);
            break;
        }
    }
    return extra;
}

// The kept tail with the extra settings written into it, CR LF after every line: the first
// entry of a key in the "[Dorvalen]" group is rewritten; a missing one is added to the
// group (or a new group at the end) only when it differs from its default.
std::string formatExtras(const ExtraSettings& extra) {
    const ExtraSettings defaults;
    const auto entryOf = [&](const ExtraRow& row) {
        const std::string value = std::visit(
            Overloaded{
                [&](std::int32_t ExtraSettings::*field) { return formatInteger(extra.*field); },
                [&](std::string ExtraSettings::*field) {
                    return utf8ToCp1252(singleLine(extra.*field));
                },
            },
            row.field);
        return std::string(row.key) + " = " + value;
    };
    const auto isDefault = [&](const ExtraRow& row) {
        return std::visit([&](auto field) { return extra.*field == defaults.*field; }, row.field);
    };
    std::vector<std::string> lines;
    std::optional<std::size_t> groupEnd;  // where a missing entry goes
    bool inGroup = false;
    bool written[extraCount] = {};
    for (const Line& line : splitLines(extra.tail)) {
        if (const auto group = groupName(line.text)) {
            inGroup = !groupEnd && equalsIgnoringAsciiCase(*group, extraGroup);
            lines.emplace_back(line.text);
            if (inGroup) groupEnd = lines.size();
            continue;
        }
        const auto key = entryKey(line.text);
        std::optional<std::size_t> row;
        for (std::size_t k = 0; k < extraCount && inGroup && key; ++k)
            if (!written[k] && equalsIgnoringAsciiCase(*key, extraRows[k].key)) row = k;
        if (row) {
            lines.push_back(entryOf(extraRows[*row]));
            written[*row] = true;
        } else {
            lines.emplace_back(line.text);
        }
        if (inGroup) groupEnd = lines.size();
    }
    for (std::size_t k = 0; k < extraCount; ++k) {
        if (written[k] || isDefault(extraRows[k])) continue;
        if (!groupEnd) {
            lines.push_back("[" + std::string(extraGroup) + "]");
            groupEnd = lines.size();
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*groupEnd), entryOf(extraRows[k]));
        ++*groupEnd;
    }
    std::string out;
    for (const std::string& line : lines) out += singleLine(line) + "\r\n";
    return out;
}

}  // namespace

ClockSettings parseSettings(std::string_view fileBytes) {
    // A UTF-8 file is recognised only by its mark; then keys are compared in UTF-8 and the
    // name passes through the code page, so it holds what an 8-bit file could hold.
    const bool isUtf8 = fileBytes.size() > 2 && fileBytes.substr(0, 3) == utf8Mark;
    if (isUtf8) fileBytes.remove_prefix(3);

    std::string keys[fieldCount];
    for (std::size_t i = 0; i < fieldCount; ++i) {
        keys[i] = isUtf8 ? std::string(fieldRows[i].key) : utf8ToCp1252(fieldRows[i].key);
    }
    const auto values = findValues(fileBytes, keys);

    ClockSettings settings;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        if (!values[i]) continue;
        const std::string_view value = *values[i];
        std::visit(Overloaded{
                       [&](std::string ClockSettings::*field) {
                           const std::string_view name = trimRight(value);
                           settings.*field = isUtf8 ? cp1252ToUtf8(utf8ToCp1252(name))
                                                    : cp1252ToUtf8(name);
                       },
                       [&](double ClockSettings::*field) { settings.*field = readDecimal(value); },
                       [&](std::int32_t ClockSettings::*field) {
                           settings.*field = readInteger(value);
                       },
                       [&](std::int8_t ClockSettings::*field) {
                           // Low 8 bits (modular conversion).
                           settings.*field = static_cast<std::int8_t>(readInteger(value) & 0xFF);
                       },
                   },
                   fieldRows[i].field);
    }
    // What the dialog could never store is taken as the dialog would store it, so a damaged
    // file cannot push a time zone of -1e300 into the sky or a megabyte name onto the dial.
    // The cut name loses trailing blanks, as it would in the next save and load.
    settings.placeName = std::string(trimRight(cutPlaceName(settings.placeName)));
    settings.longitude = angleWithinDialogLimits(settings.longitude, longitudeBound);
    settings.latitude = angleWithinDialogLimits(settings.latitude, latitudeBound);
    settings.timeZone = timeZoneWithinDialogLimits(settings.timeZone);
    settings.extra = parseExtras(fileBytes, isUtf8);
    // The tail is written back in the file's own code page.
    if (isUtf8) settings.extra.tail = utf8ToCp1252(settings.extra.tail);
    return settings;
}

std::string formatSettings(const ClockSettings& settings) {
    std::string out;
    for (const FieldRow& row : fieldRows) {
        const std::string value = std::visit(
            Overloaded{
                [&](std::string ClockSettings::*field) { return singleLine(settings.*field); },
                [&](double ClockSettings::*field) { return formatDouble(settings.*field); },
                [&](std::int32_t ClockSettings::*field) {
                    return formatInteger(settings.*field);
                },
                [&](std::int8_t ClockSettings::*field) { return formatInteger(settings.*field); },
            },
            row.field);
        out += utf8ToCp1252(row.key);
        out += " = ";
        out += utf8ToCp1252(value);
        out += "\r\n";
    }
    return out + formatExtras(settings.extra);
}

ClockSettings loadSettings(const std::string& path) {
    const std::optional<std::string> bytes = readFilePrefix(path);
    return bytes ? parseSettings(*bytes) : ClockSettings{};
}

SaveResult saveSettings(const ClockSettings& settings, const std::string& path) {
    const WriteResult written = replaceFileContents(path, formatSettings(settings));
    if (!written.ok) return {false, written.reason};
    // Every save marks a companion file hidden, where the file system knows the attribute.
    const std::string companion = siblingPath(path, "Einstellungen.dat");
    setHiddenAttribute(companion);
    return {true, {}};
}

}  // namespace dorvalen
