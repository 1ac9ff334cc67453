#pragma once
// The converter's output as a test expects it: on a console and in the dialogue every printed line
// padded to the console's 79 columns; a scripted run's redirected lines whole.

#include <algorithm>
#include <string>
#include <vector>

#include "driver/TextColumns.h"

// `line` as printed when it takes `columns` columns on screen.
inline std::string padded(const std::string& line, std::size_t columns) {
    return line + std::string(79 - std::min<std::size_t>(79, columns), ' ') + "\n";
}

// Measured as the printer measures; the printer's own tests state the columns of their lines.
inline std::string padded(const std::string& line) { return padded(line, textColumns(line)); }

inline std::string screen(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += padded(line);
    return text;
}

// The lines as a scripted run writes them to a pipe or a file: each whole, unpadded.
inline std::string wholeLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The text with every run of spaces and line breaks made one space: what was printed, whatever
// the wrapping of a long path made of it.
inline std::string collapsed(const std::string& text) {
    std::string result;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank || result.empty() || result.back() != ' ') result += blank ? ' ' : c;
    }
    return result;
}
