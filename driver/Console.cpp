#include "driver/Console.h"

#include <iostream>

#include "driver/TextColumns.h"

namespace {

// ANSI colour index of the three colour bits of one half of an attribute (1 blue, 2 green, 4 red).
int ansiColourIndex(unsigned bits) {
    return ((bits & 1u) ? 4 : 0) | ((bits & 2u) ? 2 : 0) | ((bits & 4u) ? 1 : 0);
}

// C0 controls, DEL and the C1 controls: a terminal may take any of them as a command (U+009B
// starts an escape sequence on some).
bool isControlCharacter(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

}  // namespace

std::string sgrSequence(ConsoleAttribute attribute) {
    const unsigned foreground = attribute & 0x0Fu;
    const unsigned background = (attribute >> 4) & 0x0Fu;
    const int foregroundCode = ((foreground & 8u) ? 90 : 30) + ansiColourIndex(foreground);
    const int backgroundCode = ((background & 8u) ? 100 : 40) + ansiColourIndex(background);
    return "\x1b[" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

std::string maskControlBytes(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        const TextCharacter character = firstCharacter(text);
        if (!character.valid || isControlCharacter(character.code))
            shown += '?';
        else
            shown += text.substr(0, character.bytes);
        text.remove_prefix(character.bytes);
    }
    return shown;
}

Console::Console(std::istream& in, std::ostream& out, bool colours)
    : Console(in, out, colours ? platform::ColourRendering::EscapeSequences : platform::ColourRendering::None, false,
              false) {}

Console::Console(std::istream& in, std::ostream& out, platform::ColourRendering rendering, bool keyboard,
                 bool terminal)
    : in_(in), out_(out), rendering_(rendering), keyboard_(keyboard), terminal_(terminal) {}

Console::~Console() { resetAttributes(); }

Console& Console::standard() {
    static Console console(std::cin, std::cout, platform::standardColourRendering(), platform::standardInputIsKeyboard(),
                           platform::standardOutputIsTerminal());
    static const bool interruptsHandled = (platform::installInterruptRestore(), true);
    (void)interruptsHandled;
    return console;
}

void Console::setAttribute(ConsoleAttribute attribute) {
    switch (rendering_) {
        case platform::ColourRendering::None: return;
        case platform::ColourRendering::EscapeSequences:
            out_ << sgrSequence(attribute);
            platform::noteEscapeColoursInForce(true);
            break;
        case platform::ColourRendering::ConsoleAttributes:
            // The text written so far keeps the attribute it was written in.
            out_.flush();
            platform::setConsoleAttribute(attribute);
            break;
    }
    attributeChanged_ = true;
}

void Console::write(std::string_view text) { out_ << text; }

std::string Console::shownName(std::string_view name) const {
    return terminal_ ? maskControlBytes(name) : std::string(name);
}

int Console::readChar() {
    out_.flush();
    return in_.get();
}

void Console::clearInputState() { in_.clear(); }

void Console::pause() {
    out_ << PausePrompt;
    out_.flush();
    if (!keyboard_ || !platform::waitForKeyPress()) {
        in_.clear();
        in_.get();
    }
    out_ << "\n";
    out_.flush();
}

void Console::resetAttributes() {
    if (!attributeChanged_) return;
    if (rendering_ == platform::ColourRendering::EscapeSequences) {
        out_ << SgrReset;
        out_.flush();
        platform::noteEscapeColoursInForce(false);
    } else {
        out_.flush();
        platform::restoreConsoleAttributes();
    }
    attributeChanged_ = false;
}
