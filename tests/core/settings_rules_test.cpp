// The rules read off the settings record: which stored numbers show the seconds hand.
#include "core/settings.h"

#include <gtest/gtest.h>

namespace dorvalen {
namespace {

TEST(SettingsRules, OnlyTheStoredOneShowsTheSecondsHand) {
    const struct {
        int stored;
        bool shows;
    } rows[] = {{0, false}, {1, true}, {2, false}, {-1, false}, {127, false}, {-128, false}};
    for (const auto& row : rows) {
        ClockSettings s;
        s.showSecondsHand = static_cast<std::int8_t>(row.stored);
        EXPECT_EQ(showsSecondsHand(s), row.shows) << "stored " << row.stored;
    }
}

}  // namespace
}  // namespace dorvalen
