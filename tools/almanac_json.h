// The almanac's records as JSON for scripts: one object per day, numbers that read back
// exactly, null where the clock has no number.
#pragma once

#include <string>
#include <vector>

#include "phases/phase_instants.h"
#include "tools/day_record.h"

namespace dorvalen {

std::string phaseKindName(PhaseKind kind);  // "NewMoon" ...
// 17 significant digits, '.' whatever the locale; NaN and the infinities give null.
std::string jsonNumber(double x);
// A JSON string literal: quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

// Each day's "crews" holds the built-in rota's codes (numbers) or a file's ("F", "-"); its
// "shifts" name the shifts that begin on it: crew (number, or a file's crew name), shift,
// local start and end.
std::string almanacJson(const std::vector<DayRecord>& records, const ShiftRota& rota = {});

}  // namespace dorvalen
