// The reference tables the generator reads (reference/ in the repository), as text cells,
// for the tests that compare the compiled rows with them.
#pragma once

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dorvalen::test {

// The rows of a tab-separated table below its header line; none when the file is missing.
inline std::vector<std::vector<std::string>> readReference(const std::string& name) {
    std::ifstream in(std::filesystem::path(DORVALEN_REFERENCE_DIR) / name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t')) fields.push_back(cell);
        rows.push_back(fields);
    }
    return rows;
}

inline double number(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace dorvalen::test
