// Splits a fuzzer input into command-line arguments at NUL bytes, as a shell would hand
// them over (at most 32, so one input stays cheap).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/tool_arguments.h"

inline std::vector<std::string> argumentsOf(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= 32; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    return args;
}

// One line of error text: not empty, no line break (the tools print it as their one line).
inline bool isOneLineText(const std::string& text) {
    return !text.empty() && text.find('\n') == std::string::npos &&
           text.find('\r') == std::string::npos;
}

// The options to check further, or nothing after help or one line of error text; aborts
// when the parser gave both or neither, or an error that is not one line.
template <typename Options>
const Options* checkedOptions(const dorvalen::Parsed<Options>& parsed) {
    if (parsed.options.has_value() == !parsed.error.empty()) std::abort();
    if (!parsed.options) {
        if (!isOneLineText(parsed.error)) std::abort();
        return nullptr;
    }
    return parsed.options->help ? nullptr : &*parsed.options;
}
