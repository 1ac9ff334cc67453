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
#include <vector>

namespace {

// Reads both descriptors until each reaches end of file (-1 stands for no descriptor), unless the
// child is killed first, at the deadline or when `endNow` holds.
void readAll(int outputFd, std::string& output, int errorFd, std::string& errors, pid_t child, int timeoutMs,
             const EndCondition& endNow, ProgramRun& run) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int pollMs = endNow ? 1 : 100;
    pollfd ready[2] = {{outputFd, POLLIN, 0}, {errorFd, POLLIN, 0}};
    std::string* sinks[2] = {&output, &errors};
    char buffer[4096];
    while (ready[0].fd >= 0 || ready[1].fd >= 0) {
        run.timedOut = std::chrono::steady_clock::now() >= deadline;
        run.endedEarly = !run.timedOut && endNow && endNow();
        if (run.timedOut || run.endedEarly) {
            kill(child, SIGKILL);
            return;
        }
        if (poll(ready, 2, pollMs) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (ready[i].fd < 0 || ready[i].revents == 0) continue;
            const ssize_t got = read(ready[i].fd, buffer, sizeof buffer);
            if (got <= 0)
                ready[i].fd = -1;
            else
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
        }
    }
}

int waitForExit(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// argv: the program's file name, then `arguments`, then the null pointer.
std::vector<char*> argumentVector(std::string& name, std::vector<std::string>& arguments) {
    std::vector<char*> argv{name.data()};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

ProgramRun runProgram(const std::string& executable, const std::filesystem::path& workDir, const std::string& input,
                      int timeoutMs, const std::vector<std::string>& arguments, ErrorStream errors,
                      const EndCondition& endNow) {
    std::signal(SIGPIPE, SIG_IGN);
    int inputPipe[2], outputPipe[2], errorPipe[2] = {-1, -1};
    if (pipe(inputPipe) != 0 || pipe(outputPipe) != 0) return {};
    if (errors == ErrorStream::Apart && pipe(errorPipe) != 0) return {};
    const std::string directory = workDir.string();
    std::string name = std::filesystem::path(executable).filename().string();
    std::vector<std::string> argumentCopies = arguments;
    const std::vector<char*> argv = argumentVector(name, argumentCopies);
    const pid_t child = fork();
    if (child == 0) {
        dup2(inputPipe[0], STDIN_FILENO);
        dup2(outputPipe[1], STDOUT_FILENO);
        dup2(errors == ErrorStream::Apart ? errorPipe[1] : outputPipe[1], STDERR_FILENO);
        for (int fd : {inputPipe[0], inputPipe[1], outputPipe[0], outputPipe[1], errorPipe[0], errorPipe[1]})
            if (fd >= 0) close(fd);
        if (chdir(directory.c_str()) != 0) _exit(126);
        execv(executable.c_str(), argv.data());
        _exit(127);
    }
    close(inputPipe[0]);
    close(outputPipe[1]);
    if (errorPipe[1] >= 0) close(errorPipe[1]);
    ssize_t written = write(inputPipe[1], input.data(), input.size());
    (void)written;
    close(inputPipe[1]);
    ProgramRun result;
    readAll(outputPipe[0], result.output, errorPipe[0], result.errors, child, timeoutMs, endNow, result);
    close(outputPipe[0]);
    if (errorPipe[0] >= 0) close(errorPipe[0]);
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
