// The help text: its 71 lines, and the exact bytes of its Windows-1252 form.
#include "settings/help_text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/commands.h"

namespace dorvalen {
namespace {

std::size_t countOf(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

TEST(HelpText, SeventyOneLinesWithCrLfBetweenAndNoneAfterTheLast) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_EQ(countOf(bytes, "\r\n"), 70u);
    EXPECT_EQ(countOf(bytes, "\n"), 70u) << "a bare LF";
    EXPECT_EQ(countOf(bytes, "\r"), 70u) << "a bare CR";
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

TEST(HelpText, NoBreakSpaceOnlyInLine68) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_EQ(countOf(bytes, "\xA0"), 1u);
    EXPECT_NE(bytes.find("Sonnenmittelpunkt 18\xA0Grad unter"), std::string::npos);
    EXPECT_TRUE(helpTextLines[67].starts_with("Sonnenmittelpunkt 18\u00A0Grad"));
}

TEST(HelpText, UmlautsAndSignsAsSingleBytes) {
    const std::string bytes = helpTextWindows1252();
    EXPECT_NE(bytes.find("1 Tag zur\xFC" "ck\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("L\xE4ngengrad + 1\xB0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("gr\xF6\xDF" "er gleich 60"), std::string::npos);
    // Line 36 has two blanks before "90°", as shipped.
    EXPECT_NE(bytes.find("von -90\xB0 bis  90\xB0. Werden"), std::string::npos);
}

// Each arrow-key line states the step its key really makes, starting from 0 degrees.
TEST(HelpText, ArrowLinesStateTheStepTheKeysMake) {
    const struct {
        std::size_t lineNo;
        ClockCommand command;
        double ClockSettings::*field;
        double after;  // degrees.minutes after one press from 0
        std::string_view line;
    } rows[] = {
        {13, ClockCommand::West, &ClockSettings::longitude, 1.0, "'Pfeil links' = Längengrad + 1°"},
        {14, ClockCommand::East, &ClockSettings::longitude, -1.0,
         "'Pfeil rechts' = Längengrad - 1°"},
        {15, ClockCommand::North, &ClockSettings::latitude, 0.3,
         "'Pfeil oben' = Breitengrad + 0°30'"},
        {16, ClockCommand::South, &ClockSettings::latitude, -0.3,
         "'Pfeil unten' = Breitengrad - 0°30'"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(helpTextLines[row.lineNo - 1], row.line);
        ClockState state;
        state.settings.longitude = 0.0;
        state.settings.latitude = 0.0;
        ClockView view;
        applyCommand(state, view, row.command, nullptr);
        EXPECT_EQ(state.settings.*row.field, row.after) << row.line;
    }
}

TEST(HelpText, ContactLinesNameNobody) {
    EXPECT_EQ(helpTextLines[1], "Version: 20150417");
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
    for (std::size_t lineNo : {6, 17, 20, 23, 30, 33, 40, 47, 52, 56, 61, 65, 70})
        EXPECT_TRUE(helpTextLines[lineNo - 1].empty()) << "line " << lineNo;
    EXPECT_EQ(std::count(helpTextLines.begin(), helpTextLines.end(), std::string_view{}), 13);
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
