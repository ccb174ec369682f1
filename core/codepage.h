// Windows-1252, the settings file's 8-bit code page, to and from the UTF-8 the program
// holds in memory. Our own table; no system conversion facility is involved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dorvalen {

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

// Every byte maps to one character. The five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so every byte string
// survives the trip to UTF-8 and back.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and every byte of an invalid UTF-8 sequence,
// become '?'.
std::string utf8ToCp1252(std::string_view text);

// The characters of a UTF-8 text that have no Windows-1252 byte, each once, in the order
// they first appear (UTF-8 each); a byte of an invalid sequence is given as U+FFFD.
std::vector<std::string> unstorableCharacters(std::string_view text);

}  // namespace dorvalen
