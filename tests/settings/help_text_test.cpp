// The help text: its 71 lines, and the exact bytes of its Windows-1252 form.
#include "settings/help_text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/commands.h"
#include "core/version.h"

namespace dorvalen {
namespace {

std::size_t countOf(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

TEST(HelpText, CrLfBetweenTheLinesAndNoneAfterTheLast) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_EQ(countOf(bytes, "\r\n"), helpLineCount - 1);
    EXPECT_EQ(countOf(bytes, "\n"), helpLineCount - 1) << "a bare LF";
    EXPECT_EQ(countOf(bytes, "\r"), helpLineCount - 1) << "a bare CR";
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "\r\nViel Spa\xDF!") << "break after the last line";
    EXPECT_EQ(bytes.substr(0, 10), "Dorvalen\r\n");
}

TEST(HelpText, OneByteForEveryCharacter) {
    // Every character of the lines exists in Windows-1252: none turns into '?' and the
    // byte count equals the character count.
    const std::string utf8 = helpText("\r\n");
    const auto characters = std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    const std::string bytes = helpTextWindows1252();
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(characters));
    EXPECT_EQ(countOf(bytes, "?"), countOf(utf8, "?"));
}

TEST(HelpText, NoBreakSpaceOnlyInLine74) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_EQ(countOf(bytes, "\xA0"), 1u);
    EXPECT_NE(bytes.find("Sonnenmittelpunkt 18\xA0Grad unter"), std::string::npos);
    EXPECT_TRUE(helpTextLines[73].starts_with("Sonnenmittelpunkt 18\u00A0Grad"));
}

TEST(HelpText, UmlautsAndSignsAsSingleBytes) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_NE(bytes.find("1 Tag zur\xFC" "ck\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("L\xE4ngengrad + 1\xB0)\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("gr\xF6\xDF" "er gleich 60"), std::string::npos);
    // Line 36 has two blanks before "90°", as shipped.
    EXPECT_NE(bytes.find("von -90\xB0 bis  90\xB0. Werden"), std::string::npos);
}

// Each key line states what its key really does, from 0 degrees on a day in 2024:
// the arrows name the direction the place moves, the keypad's + and - the 1/275 day.
TEST(HelpText, KeyLinesStateWhatTheKeysDo) {
    const auto latitude = [](const ClockState& s) { return s.settings.latitude; };
    const auto longitude = [](const ClockState& s) { return s.settings.longitude; };
    const auto day = [](const ClockState& s) { return s.displayedDay; };
    const struct {
        std::size_t lineNo;
        ClockCommand command;
        double (*value)(const ClockState&);
        double after;  // degrees.minutes or days after one press
        std::string_view line;
    } rows[] = {
        {8, ClockCommand::StepForward, day, dayStep,
         "'+' der Zahlentastatur = angezeigte Zeit etwa 5 Minuten vor (1/275 Tag)"},
        {9, ClockCommand::StepBack, day, -dayStep,
         "'-' der Zahlentastatur = angezeigte Zeit etwa 5 Minuten zurück (1/275 Tag)"},
        {10, ClockCommand::DayForward, day, 1.0, "'*' der Zahlentastatur = 1 Tag vor"},
        {11, ClockCommand::DayBack, day, -1.0, "'/' der Zahlentastatur = 1 Tag zurück"},
        {19, ClockCommand::West, longitude, 1.0,
         "'Pfeil links' = Ort 1° nach Westen (Längengrad + 1°)"},
        {20, ClockCommand::East, longitude, -1.0,
         "'Pfeil rechts' = Ort 1° nach Osten (Längengrad - 1°)"},
        {21, ClockCommand::North, latitude, 0.3, "'Pfeil oben' = Breitengrad + 0°30'"},
        {22, ClockCommand::South, latitude, -0.3, "'Pfeil unten' = Breitengrad - 0°30'"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(helpTextLines[row.lineNo - 1], row.line);
        ClockState state;
        state.settings.longitude = 0.0;
        state.settings.latitude = 0.0;
        state.now = 1718200000;  // no step back may reach before 1970
        ClockView view;
        applyCommand(state, view, row.command, nullptr);
        EXPECT_EQ(row.value(state), row.after) << row.line;
    }
    // About 5 minutes: 1/275 day is 5.24 minutes.
    EXPECT_NEAR(dayStep * 24 * 60, 5.0, 0.5);
}

// The plain German errors are mended; the sentences around them stay.
TEST(HelpText, GermanAsWritten) {
    const std::string text = helpText();
    const std::pair<std::string_view, std::string_view> mended[] = {
        {" eingeben", "Werden mehr als 90° eingegeben, wird"},
        {"astronomischem", "beginnt im astronomischen\nSinne die Nacht"},
        {"endet wenn", "Die nautische Dämmerung endet, wenn der Mittelpunkt"},
        {"eingegeben so", "gleich 60 eingegeben, so wird diese"},
    };
    for (const auto& [wrong, right] : mended) {
        EXPECT_EQ(text.find(wrong), std::string::npos) << wrong;
        EXPECT_NE(text.find(right), std::string::npos) << right;
    }
}

// The version is the build's, one number of digits and dots, not a date left behind.
TEST(HelpText, VersionLineIsTheBuildsAndContactLinesNameNobody) {
    EXPECT_EQ(helpTextLines[1], std::string("Version: ") + programVersion);
    const std::string_view version = programVersion;
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string_view::npos) << version;
    const std::pair<int, std::string_view> contacts[] = {
        {2, "Autor: "}, {3, "Homepage: "}, {4, "E-Mail: "}};
    for (const auto& [index, start] : contacts) {
        const std::string_view line = helpTextLines[static_cast<std::size_t>(index)];
        EXPECT_EQ(line.substr(0, start.size()), start);
        EXPECT_GT(line.size(), start.size()) << "contact line " << index + 1 << " left empty";
        for (std::string_view address : {"@", "http", "www", ".de", ".com", ".org"})
            EXPECT_EQ(line.find(address), std::string_view::npos) << line;
    }
}

TEST(HelpText, EmptyLinesWhereTheSectionsBreak) {
    for (std::size_t lineNo : {6, 23, 26, 29, 36, 39, 46, 53, 58, 62, 67, 71, 76, 81})
        EXPECT_TRUE(helpTextLines[lineNo - 1].empty()) << "line " << lineNo;
    EXPECT_EQ(std::count(helpTextLines.begin(), helpTextLines.end(), std::string_view{}), 14);
}

// Where the desktop keeps windows on top, its lines follow the keys; every other line
// stays as it is, and the F12 hint names the same desktop menus.
TEST(HelpText, DesktopOnTopLinesFollowTheKeysAndChangeNoOtherLine) {
    const std::string text = helpText("\n", true);
    std::vector<std::string> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), helpLineCount + desktopOnTopLineCount);
    for (std::size_t i = 0; i < helpLineCount; ++i) {
        const std::size_t shown = i < 16 ? i : i + desktopOnTopLineCount;
        EXPECT_EQ(lines[shown], helpTextLines[i]) << "line " << i + 1;
    }
    EXPECT_EQ(helpText("\n", false), helpText());
    for (std::string_view menu : {"Alt+Leertaste → „Immer im Vordergrund“",
                                  "Alt+F3 → „Weitere Aktionen“ → „Immer im Vordergrund“",
                                  "org.dorvalen.Dorvalen"}) {
        EXPECT_NE(text.find(menu), std::string::npos) << menu;
        EXPECT_NE(desktopOnTopHint.find(menu), std::string_view::npos) << menu;
    }
}

}  // namespace
}  // namespace dorvalen
