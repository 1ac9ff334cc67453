#include "driver/Console.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <termios.h>
#include <unistd.h>

#include "engine/RecordedTemporary.h"

namespace {

// ANSI colour index of the three colour bits of one half of an attribute (1 blue, 2 green, 4 red).
int ansiColourIndex(unsigned bits) {
    return ((bits & 1u) ? 4 : 0) | ((bits & 2u) ? 2 : 0) | ((bits & 4u) ? 1 : 0);
}

// What a fatal signal must undo before the program goes: the temporary file of a write in
// progress, the colours written so far and the terminal mode of a pause in progress. Only
// async-signal-safe calls touch it.
volatile std::sig_atomic_t signalResetColours = 0;
volatile std::sig_atomic_t signalRestoreTerminal = 0;
int signalTerminalFd = -1;
termios signalSavedTerminal{};

extern "C" void cleanUpAndReraise(int signalNumber) {
    unlinkRecordedTemporaryInHandler();
    if (signalRestoreTerminal) tcsetattr(signalTerminalFd, TCSANOW, &signalSavedTerminal);
    if (signalResetColours) {
        ssize_t ignored = ::write(STDOUT_FILENO, SgrReset.data(), SgrReset.size());
        (void)ignored;
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void installSignalReset() {
    for (int signalNumber : InterruptSignals) std::signal(signalNumber, cleanUpAndReraise);
}

bool standardOutputWantsColours() {
    if (!isatty(STDOUT_FILENO)) return false;
    const char* term = std::getenv("TERM");
    return term == nullptr || std::strcmp(term, "dumb") != 0;
}

}  // namespace

std::string sgrSequence(ConsoleAttribute attribute) {
    const unsigned foreground = attribute & 0x0Fu;
    const unsigned background = (attribute >> 4) & 0x0Fu;
    const int foregroundCode = ((foreground & 8u) ? 90 : 30) + ansiColourIndex(foreground);
    const int backgroundCode = ((background & 8u) ? 100 : 40) + ansiColourIndex(background);
    return "\x1b[" + std::to_string(foregroundCode) + ";" + std::to_string(backgroundCode) + "m";
}

Console::Console(std::istream& in, std::ostream& out, bool colours, int keyboardFd)
    : in_(in), out_(out), colours_(colours), keyboardFd_(keyboardFd) {}

Console::~Console() { resetAttributes(); }

Console& Console::standard() {
    static Console console(std::cin, std::cout, standardOutputWantsColours(),
                           isatty(STDIN_FILENO) ? STDIN_FILENO : -1);
    static const bool signalsInstalled = (installSignalReset(), true);
    (void)signalsInstalled;
    return console;
}

void Console::setAttribute(ConsoleAttribute attribute) {
    if (!colours_) return;
    out_ << sgrSequence(attribute);
    attributeChanged_ = true;
    signalResetColours = 1;
}

void Console::write(std::string_view text) { out_ << text; }

int Console::readChar() {
    out_.flush();
    return in_.get();
}

void Console::clearInputState() { in_.clear(); }

void Console::pause() {
    out_ << PausePrompt;
    out_.flush();
    if (keyboardFd_ >= 0) {
        waitForTerminalKey();
    } else {
        in_.clear();
        in_.get();
    }
    out_ << "\n";
    out_.flush();
}

// One key press, taken straight from the terminal (input already buffered for earlier answers is
// left alone): no line editing, no echo, and signal keys count as keys so that the saved mode is
// always restored.
void Console::waitForTerminalKey() {
    termios saved{};
    if (tcgetattr(keyboardFd_, &saved) != 0) {
        in_.clear();
        in_.get();
        return;
    }
    termios keyMode = saved;
    keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    keyMode.c_cc[VMIN] = 1;
    keyMode.c_cc[VTIME] = 0;

    signalTerminalFd = keyboardFd_;
    signalSavedTerminal = saved;
    signalRestoreTerminal = 1;
    if (tcsetattr(keyboardFd_, TCSANOW, &keyMode) == 0) {
        char key = 0;
        ssize_t got = 0;
        do {
            got = ::read(keyboardFd_, &key, 1);
        } while (got < 0 && errno == EINTR);
    }
    tcsetattr(keyboardFd_, TCSANOW, &saved);
    signalRestoreTerminal = 0;
}

void Console::resetAttributes() {
    if (!attributeChanged_) return;
    out_ << SgrReset;
    out_.flush();
    attributeChanged_ = false;
    signalResetColours = 0;
}
