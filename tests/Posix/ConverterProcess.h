#pragma once
// Runs the built converter as a separate process: on pipes (answers in, output captured) or on a
// new pseudo-terminal. Shared by the end-to-end tests.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <cerrno>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace converter_process {

inline constexpr int RunTimeoutMs = 20000;

struct RunResult {
    std::string output;  // standard output, with standard error unless captured apart
    std::string errors;  // standard error, when captured apart
    int exitCode = -1;
    bool timedOut = false;
};

// Reads both descriptors until each reaches end of file (or, for a terminal, until its other
// side is gone); -1 stands for no descriptor.
inline bool readAll(int fd, std::string& output, int errorFd, std::string& errors, pid_t child) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(RunTimeoutMs);
    pollfd ready[2] = {{fd, POLLIN, 0}, {errorFd, POLLIN, 0}};
    std::string* sinks[2] = {&output, &errors};
    char buffer[4096];
    while (ready[0].fd >= 0 || ready[1].fd >= 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            return false;
        }
        if (poll(ready, 2, 100) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (ready[i].fd < 0 || ready[i].revents == 0) continue;
            const ssize_t got = read(ready[i].fd, buffer, sizeof buffer);
            if (got <= 0)
                ready[i].fd = -1;
            else
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
        }
    }
    return true;
}

inline int waitForExit(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// argv for the converter: its name, then `arguments`.
inline std::vector<char*> argumentVector(std::vector<std::string>& arguments, std::string& name) {
    std::vector<char*> argv{name.data()};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

// Runs the converter in `workDir` with `arguments` and `answers` as its whole standard input (a
// pipe). Standard error goes with standard output, or apart when `separateErrors`.
inline RunResult runConverter(const std::filesystem::path& workDir, const std::string& answers,
                              std::vector<std::string> arguments = {}, bool separateErrors = false) {
    std::signal(SIGPIPE, SIG_IGN);
    int input[2], output[2], errors[2];
    if (pipe(input) != 0 || pipe(output) != 0 || pipe(errors) != 0) return {};
    const std::string directory = workDir.string();
    std::string name = "savefile-converter";
    const std::vector<char*> argv = argumentVector(arguments, name);
    const pid_t child = fork();
    if (child == 0) {
        dup2(input[0], STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        dup2(separateErrors ? errors[1] : output[1], STDERR_FILENO);
        for (int fd : {input[0], input[1], output[0], output[1], errors[0], errors[1]}) close(fd);
        if (chdir(directory.c_str()) != 0) _exit(126);
        execv(CONVERTER_EXECUTABLE, argv.data());
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    close(errors[1]);
    ssize_t written = write(input[1], answers.data(), answers.size());
    (void)written;
    close(input[1]);
    RunResult result;
    result.timedOut = !readAll(output[0], result.output, errors[0], result.errors, child);
    close(output[0]);
    close(errors[0]);
    result.exitCode = waitForExit(child);
    return result;
}

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
    const std::vector<char*> argv = argumentVector(arguments, name);
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

}  // namespace converter_process
