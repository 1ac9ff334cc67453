#pragma once
// The converter's output as a test expects it on redirected output: every printed line padded to
// the console's 79 columns.

#include <algorithm>
#include <string>
#include <vector>

inline std::string padded(const std::string& line) {
    return line + std::string(79 - std::min<std::size_t>(79, line.size()), ' ') + "\n";
}

inline std::string screen(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += padded(line);
    return text;
}
