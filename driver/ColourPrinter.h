#pragma once
// The one printing operation of the run: sets the colour, wraps every line to 79 columns at a
// space and pads it to exactly 79 columns, so a background colour fills the same width on every
// line. Striped prints take their background from a stripe that flips on every striped print.
// For a script's pipe or file every line is written whole instead, neither wrapped nor padded.

#include <string_view>

#include "driver/Console.h"

inline constexpr std::size_t LineWidth = 79;

enum class LineLayout {
    Console,  // wrapped to 79 columns and padded to them
    Whole     // each line as it is
};

class ColourPrinter {
public:
    explicit ColourPrinter(Console& console, LineLayout layout = LineLayout::Console)
        : console_(console), layout_(layout) {}

    void printColoured(ConsoleAttribute colour, bool striped, std::string_view text);
    // Continues the last print in its attribute (the stripe does not flip): every line of `text`
    // is wrapped to the width left after `indent` spaces and written behind them.
    void printIndented(std::size_t indent, std::string_view text);

private:
    void printLines(std::size_t indent, std::string_view text);
    void printWrapped(std::size_t indent, std::string_view line);

    Console& console_;
    LineLayout layout_;
    ConsoleAttribute stripeBackground_ = 16;  // blue background first
    ConsoleAttribute lastAttribute_ = 0;
};
