// The almanac's records as a German table for people.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"
#include "tools/day_record.h"
#include "tools/tool_arguments.h"

namespace dorvalen {

// Local clock hours as "H:MM", rounded to the minute; "?" for what is not a number.
std::string hoursText(double hours);

std::string almanacText(const std::vector<DayRecord>& records, const ClockSettings& settings,
                        const AlmanacOptions& options, const ShiftRota& rota = {});

}  // namespace dorvalen
