// The help text shown by the info window: 82 lines, the program name and version, three
// contact lines, the keys of the clock window, what the dial and each setting mean, and the
// user's crew with its reminders.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dorvalen {

inline constexpr std::size_t helpLineCount = 82;

// The lines in UTF-8, without line breaks.
extern const std::array<std::string_view, helpLineCount> helpTextLines;

// Where the desktop, not the program, keeps a window above the others (Wayland), the help
// window adds these lines after the keys: how GNOME and KDE Plasma do it, and the X11 route.
inline constexpr std::size_t desktopOnTopLineCount = 7;
extern const std::array<std::string_view, desktopOnTopLineCount> desktopOnTopLines;
// The same, briefly, in one text: what F12 says there.
extern const std::string_view desktopOnTopHint;

// The lines joined by `lineBreak`, none after the last line; UTF-8. With `desktopKeepsOnTop`
// the lines above follow the keys (an empty line before them); all other lines stay as they are.
std::string helpText(std::string_view lineBreak = "\n", bool desktopKeepsOnTop = false);

// The text as the program ships it: Windows-1252 bytes, lines separated by CR LF, no line
// break after the last line (the no-break space of line 74 is the byte 0xA0).
std::string helpTextWindows1252();

}  // namespace dorvalen
