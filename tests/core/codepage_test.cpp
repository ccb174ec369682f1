// Which characters of a name the Windows-1252 settings file cannot hold.
#include "core/codepage.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dorvalen {
namespace {

TEST(UnstorableCharacters, NamesEachMissingCharacterOnce) {
    const struct {
        const char* fault;
        std::string text;
        std::vector<std::string> lost;
    } rows[] = {
        {"Polish letters without a byte not found", "Łódź", {"Ł", "ź"}},
        {"letters of the 0x80..0x9F range taken as missing", "München € Œ š", {}},
        {"a typed question mark taken as missing", "Wo?", {}},
        {"a repeated character named twice", "日本日", {"日", "本"}},
        {"a character beyond the basic plane cut short", "Ort 😀", {"😀"}},
        {"a byte of broken UTF-8 not named", "A\xFF" "B", {"\uFFFD"}},
        {"an undefined byte's C1 control taken as missing", "\u0081", {}},
    };
    for (const auto& row : rows) EXPECT_EQ(unstorableCharacters(row.text), row.lost) << row.fault;
}

}  // namespace
}  // namespace dorvalen
