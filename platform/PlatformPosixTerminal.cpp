// The POSIX program's standard streams: a terminal or whatever they were redirected to. With
// PlatformPosix.cpp (process, folders, files, signals, the pause) it is the platform layer of the
// console program.

#include "platform/Platform.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

std::string saveFieldName(const std::string& name) { return name; }

ColourRendering standardColourRendering() {
    if (!isatty(STDOUT_FILENO)) return ColourRendering::None;
    const char* term = std::getenv("TERM");
    return term == nullptr || std::strcmp(term, "dumb") != 0 ? ColourRendering::EscapeSequences : ColourRendering::None;
}

bool writeStandard(StandardStream stream, std::string_view text) {
    const int descriptor = stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A terminal takes its colours from the text itself.
void setConsoleAttribute(std::uint16_t) {}
void restoreConsoleAttributes() {}

bool standardInputIsKeyboard() { return isatty(STDIN_FILENO) != 0; }

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

}  // namespace platform
