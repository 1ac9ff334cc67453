#pragma once
// The console layer the run prints and reads through. Text attributes are 16-bit values
// (bits 0-3 foreground, 4-7 background: 1 blue, 2 green, 4 red, 8 bright), the console's own
// attributes on Windows; on a terminal they are rendered as ANSI SGR sequences, anywhere else
// only the text is written.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Platform.h"

using ConsoleAttribute = std::uint16_t;

inline constexpr ConsoleAttribute ColourBanner = 31;  // bright white on blue
inline constexpr ConsoleAttribute ColourText = 15;    // bright white on black
inline constexpr ConsoleAttribute ColourError = 12;   // bright red on black

// The SGR sequence selecting the attribute's foreground and background, e.g. 28 -> ESC[91;44m.
std::string sgrSequence(ConsoleAttribute attribute);
inline constexpr std::string_view SgrReset = platform::EscapeReset;
inline constexpr std::string_view PausePrompt = "Press any key to continue . . . ";

// The text with every control character (below 0x20, 0x7F, and U+0080 to U+009F) and every byte
// that is not valid UTF-8 shown as '?', one column each, as `ls` shows names: a file name can then
// neither move the cursor nor send commands to the terminal.
std::string maskControlBytes(std::string_view text);

class Console {
public:
    // `colours`: write escape sequences for attributes. The pause reads its key from `in`.
    Console(std::istream& in, std::ostream& out, bool colours);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Standard input and output, coloured when standard output is a console or a terminal
    // whose TERM is not "dumb"; the pause takes a key from the keyboard when there is one. Puts
    // the colours back if the program is interrupted.
    static Console& standard();

    void setAttribute(ConsoleAttribute attribute);
    void write(std::string_view text);
    // Whether the output is a terminal or console, where names are masked and lines laid out for
    // the screen.
    bool isTerminal() const { return terminal_; }
    // A path or file name as it is to be printed: masked on a terminal, as it is elsewhere.
    std::string shownName(std::string_view name) const;

    // One unformatted character of input (white space included), or EOF.
    int readChar();
    void clearInputState();

    // Prints the pause prompt and waits for one key (or one byte of input, or end of input).
    void pause();

    // Puts the console's attributes back as they were found, once anything was changed.
    void resetAttributes();

private:
    // `terminal`: `out` is a terminal or console, so names are shown with their control bytes masked.
    Console(std::istream& in, std::ostream& out, platform::ColourRendering rendering, bool keyboard, bool terminal);

    std::istream& in_;
    std::ostream& out_;
    platform::ColourRendering rendering_;
    bool keyboard_;
    bool terminal_;
    bool attributeChanged_ = false;
};
