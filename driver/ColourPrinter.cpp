#include "driver/ColourPrinter.h"

#include <algorithm>
#include <string>

namespace {

struct Cut {
    std::size_t printed;  // characters written from the start of the line
    std::size_t consumed; // characters removed from the line (the break space included)
};

// Where to break a line: lines that fit are written whole; a longer line breaks at its last space
// among the first 78 characters, dropping the spaces before it and that space, unless the 79th
// character is itself a space. Without a usable space (none, or only spaces before it) the line is
// cut hard after 79 characters.
Cut nextCut(std::string_view line, std::size_t width) {
    const std::size_t n = std::min(width, line.size());
    const Cut hard{n, n};
    if (n < width || line[width - 1] == ' ') return hard;
    const std::size_t space = line.substr(0, width - 1).find_last_of(' ');
    if (space == std::string_view::npos) return hard;
    const std::size_t lastWord = line.substr(0, space).find_last_not_of(' ');
    if (lastWord == std::string_view::npos) return hard;
    return Cut{lastWord + 1, space + 1};
}

}  // namespace

void ColourPrinter::printColoured(ConsoleAttribute colour, bool striped, std::string_view text) {
    if (striped) {
        lastAttribute_ = static_cast<ConsoleAttribute>(stripeBackground_ | colour);
        stripeBackground_ ^= 16;
    } else {
        lastAttribute_ = colour;
    }
    console_.setAttribute(lastAttribute_);
    printLines(0, text);
}

void ColourPrinter::printIndented(std::size_t indent, std::string_view text) {
    console_.setAttribute(lastAttribute_);
    printLines(std::min(indent, LineWidth - 1), text);
}

void ColourPrinter::printLines(std::size_t indent, std::string_view text) {
    // Every "\n" ends a line, empty ones included; the piece after the last one only counts if
    // it holds something.
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            printWrapped(indent, text);
            break;
        }
        printWrapped(indent, text.substr(0, end));
        text.remove_prefix(end + 1);
    }
}

void ColourPrinter::printWrapped(std::size_t indent, std::string_view line) {
    do {
        const Cut cut = nextCut(line, LineWidth - indent);
        std::string padded(indent, ' ');
        padded += line.substr(0, cut.printed);
        padded.resize(LineWidth, ' ');
        padded += '\n';
        console_.write(padded);
        line.remove_prefix(cut.consumed);
    } while (!line.empty());
}
