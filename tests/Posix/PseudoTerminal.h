#pragma once
// Runs the built converter on a new pseudo-terminal, as a player's terminal window would, and
// collects what it writes there. Pipes are the system layer's (tests/support/system/System.h).

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <cerrno>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pseudo_terminal {

inline constexpr int RunTimeoutMs = 20000;

// One line as a terminal shows it: padded to 79 columns, "\n" turned into "\r\n".
inline std::string terminalLine(const std::string& text) { return text + std::string(79 - text.size(), ' ') + "\r\n"; }

// Collects what the converter writes to its terminal.
class TerminalOutput {
public:
    explicit TerminalOutput(int master) : master_(master) {}

    // Reads whatever arrives within one short wait; false when nothing came.
    bool pump() {
        pollfd ready{master_, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) return false;
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) return false;
        text.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
    bool waitFor(const std::string& marker) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(RunTimeoutMs);
        while (text.find(marker) == std::string::npos && std::chrono::steady_clock::now() < deadline) pump();
        return text.find(marker) != std::string::npos;
    }

    std::string text;

private:
    int master_;
};

// Starts the converter in `workDir` with `arguments` on a new pseudo-terminal with TERM=xterm;
// `master` is the terminal's other side.
inline pid_t startOnTerminal(const std::filesystem::path& workDir, int& master,
                             std::vector<std::string> arguments = {}) {
    const std::string directory = workDir.string();
    std::string name = "savefile-converter";
    std::vector<char*> argv{name.data()};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (chdir(directory.c_str()) != 0) _exit(126);
        char term[] = "TERM=xterm";
        char* environment[] = {term, nullptr};
        execve(CONVERTER_EXECUTABLE, argv.data(), environment);
        _exit(127);
    }
    return child;
}

inline int waitForExit(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace pseudo_terminal
