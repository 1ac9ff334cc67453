#include "tests/support/system/System.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

namespace {

// Reads `fd` until end of file; false when the child had to be killed at the deadline.
bool readAll(int fd, std::string& output, pid_t child, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) return true;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    kill(child, SIGKILL);
    return false;
}

int waitForExit(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ProgramRun runProgram(const std::string& executable, const std::filesystem::path& workDir, const std::string& input,
                      int timeoutMs) {
    std::signal(SIGPIPE, SIG_IGN);
    int inputPipe[2], outputPipe[2];
    if (pipe(inputPipe) != 0 || pipe(outputPipe) != 0) return {};
    const std::string directory = workDir.string();
    const pid_t child = fork();
    if (child == 0) {
        dup2(inputPipe[0], STDIN_FILENO);
        dup2(outputPipe[1], STDOUT_FILENO);
        dup2(outputPipe[1], STDERR_FILENO);
        for (int fd : {inputPipe[0], inputPipe[1], outputPipe[0], outputPipe[1]}) close(fd);
        if (chdir(directory.c_str()) != 0) _exit(126);
        execl(executable.c_str(), "savefile-converter", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(inputPipe[0]);
    close(outputPipe[1]);
    ssize_t written = write(inputPipe[1], input.data(), input.size());
    (void)written;
    close(inputPipe[1]);
    ProgramRun result;
    result.timedOut = !readAll(outputPipe[0], result.output, child, timeoutMs);
    close(outputPipe[0]);
    result.exitCode = waitForExit(child);
    return result;
}

bool hasPosixFileFacilities() { return true; }

bool makeFifo(const std::filesystem::path& path) { return mkfifo(path.c_str(), 0600) == 0; }

unsigned setCreationMask(unsigned mask) { return ::umask(static_cast<mode_t>(mask)); }

unsigned permissionsOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return ~0u;
    return info.st_mode & 07777;
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previousSoftLimit_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previousSoftLimit_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, previousHandler_);
}
