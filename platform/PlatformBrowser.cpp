// The program as a web page: its standard output goes to the page's log, each piece with the
// colour in force, and the save's own name field is what the Windows program writes on a system
// whose ANSI code page is Windows-1252. Folders and files are PlatformPosix.cpp's, over the
// in-memory file system the page fills (emscripten's POSIX layer).

#include "platform/Platform.h"

#include <emscripten.h>

// The page's worker sets these on the module before the run (web/worker.js).
// clang-format off
EM_JS(void, pageWrite, (int stream, const char* text, std::size_t length), {
    Module["writeStandard"](stream, HEAPU8.slice(text >>> 0, (text >>> 0) + (length >>> 0)));
});
EM_JS(void, pageColour, (int attribute), {
    Module["setColour"](attribute);
});
// clang-format on

namespace platform {

namespace {

// The characters of the code page's upper half that are not Latin-1's: 0x80 to 0x9F. Windows
// maps the five places the code page leaves undefined to the C1 controls of the same value.
constexpr char32_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char cp1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (unsigned at = 0; at < 32; ++at)
        if (Cp1252High[at] == code) return static_cast<char>(0x80 + at);
    return '?';
}

// One character of UTF-8 text: its code point and its length; an invalid byte is one character
// the code page lacks.
struct Decoded {
    char32_t code;
    std::size_t bytes;
};

Decoded decodeUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || length > text.size()) return {0xFFFD, 1};
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t at = 1; at < length; ++at) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80) return {0xFFFD, 1};
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

}  // namespace

std::string saveFieldName(const std::string& name) {
    std::string ansi;
    for (std::string_view rest = name; !rest.empty();) {
        const Decoded character = decodeUtf8(rest);
        // Windows converts UTF-16 units one by one: a character beyond the first plane, two
        // units, becomes two '?'.
        if (character.code > 0xFFFF) ansi += '?';
        ansi += cp1252Byte(character.code);
        rest.remove_prefix(character.bytes);
    }
    return ansi;
}

// The page shows each piece of text in the colour given before it, as a console does.
ColourRendering standardColourRendering() { return ColourRendering::ConsoleAttributes; }

bool writeStandard(StandardStream stream, std::string_view text) {
    pageWrite(stream == StandardStream::Output ? 1 : 2, text.data(), text.size());
    return true;
}

void setConsoleAttribute(std::uint16_t attribute) { pageColour(attribute); }
void restoreConsoleAttributes() { pageColour(-1); }

// The log is no terminal: names keep their bytes and lines are written as to a pipe. Answers
// come on standard input, never as key presses.
bool standardOutputIsTerminal() { return false; }
bool standardInputIsKeyboard() { return false; }

}  // namespace platform
