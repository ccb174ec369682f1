// The face in words, for screen readers: what a sighted user reads off the picture.
#pragma once

#include <string>

#include "core/calendar.h"

namespace dorvalen {

// One German text (UTF-8): clock time (hours and minutes), weekday, date, ISO week; the crew
// on shift at the displayed moment and until when, the two crews after it;
// the user's own next shift when a crew is chosen; sunrise and
// sunset of the displayed day; the moon's lit fraction, waxing or waning, and a principal
// phase that falls on the day. Built on request: no part of it is kept between calls.
std::string describeFace(const Frame& frame);

}  // namespace dorvalen
