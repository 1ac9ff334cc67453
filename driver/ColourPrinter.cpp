#include "driver/ColourPrinter.h"

#include <algorithm>
#include <string>

#include "driver/TextColumns.h"

namespace {

struct Cut {
    std::size_t printed;  // bytes written from the start of the line
    std::size_t columns;  // the columns they take
    std::size_t consumed; // bytes removed from the line (the break space included)
};

// Where to break a line, measured in columns (driver/TextColumns.h), never inside a character:
// a line that fits in fewer than `width` columns is written whole; otherwise it breaks at its last
// space before the last character that fits, dropping the spaces before it and that space, unless
// that last character is itself a space. Without a usable space (none, or only spaces before it)
// the characters that fit are written and the line goes on after them. A character wider than
// the whole width is written alone rather than never.
Cut nextCut(std::string_view line, std::size_t width) {
    const TextPrefix fit = prefixFitting(line, width);
    if (fit.bytes == 0 && !line.empty()) {
        const TextCharacter first = firstCharacter(line);
        return Cut{first.bytes, first.columns, first.bytes};
    }
    const Cut hard{fit.bytes, fit.columns, fit.bytes};
    if ((fit.whole && fit.columns < width) || line[fit.lastCharacter] == ' ') return hard;
    // A space is one byte that is never part of a longer character, so a byte search finds it.
    const std::size_t space = line.substr(0, fit.lastCharacter).find_last_of(' ');
    if (space == std::string_view::npos) return hard;
    const std::size_t lastWord = line.substr(0, space).find_last_not_of(' ');
    if (lastWord == std::string_view::npos) return hard;
    return Cut{lastWord + 1, textColumns(line.substr(0, lastWord + 1)), space + 1};
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
    if (layout_ == LineLayout::Whole) return console_.write(std::string(indent, ' ') + std::string(line) + "\n");
    do {
        const Cut cut = nextCut(line, LineWidth - indent);
        std::string padded(indent, ' ');
        padded += line.substr(0, cut.printed);
        padded.append(LineWidth - std::min(LineWidth, indent + cut.columns), ' ');
        padded += '\n';
        console_.write(padded);
        line.remove_prefix(cut.consumed);
    } while (!line.empty());
}
