// A converted copy's write interrupted by a signal or refused by a file-size limit: no hidden
// temporary stays behind, the source is unchanged, and a refused write fails only its own file.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "savegen/SaveBuilder.h"
#include "tests/support/TempTree.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> allEntries(const fs::path& root) {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(fs::relative(entry.path(), root).generic_string());
    return entries;
}

// Runs the converter in `workDir` answering "y" with standard output and error in `transcript`;
// `fileSizeLimit` (bytes, 0 for none) is set in the child only, whose signal dispositions stay
// the defaults. Returns the wait status.
int runWithFileSizeLimit(const fs::path& workDir, rlim_t fileSizeLimit, const fs::path& transcript) {
    const std::string directory = workDir.string();
    const std::string output = transcript.string();
    const pid_t child = fork();
    if (child == 0) {
        int input[2];
        if (pipe(input) != 0 || write(input[1], "y\n", 2) != 2) _exit(125);
        close(input[1]);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(input[0], STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        if (chdir(directory.c_str()) != 0) _exit(126);
        if (fileSizeLimit != 0) {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::signal(SIGXFSZ, SIG_DFL);
        execl(CONVERTER_EXECUTABLE, "savefile-converter", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return status;
}

// Runs the converter, traced, until it enters its first fsync: the converted copy is then wholly
// written to its hidden temporary and not yet renamed. Sends it `signalNumber` there, lets it go
// and returns its wait status; `reachedSync` tells whether the fsync came. With `ignoredAtStart`
// the converter is started with the signal ignored, as nohup or a script's background job does.
int signalDuringWrite(const fs::path& workDir, int signalNumber, bool ignoredAtStart, bool& reachedSync) {
    int input[2];
    if (pipe(input) != 0 || write(input[1], "y\n", 2) != 2) return -1;
    close(input[1]);
    const std::string directory = workDir.string();
    const pid_t child = fork();
    if (child == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(input[0], STDIN_FILENO);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const rlimit noCore{0, 0};  // SIGQUIT would leave a core file in the work folder
        setrlimit(RLIMIT_CORE, &noCore);
        if (chdir(directory.c_str()) != 0) _exit(126);
        if (ignoredAtStart) std::signal(signalNumber, SIG_IGN);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execl(CONVERTER_EXECUTABLE, "savefile-converter", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(input[0]);
    int status = 0;
    waitpid(child, &status, 0);  // stopped at the exec
    const auto word = [](long value) { return reinterpret_cast<void*>(value); };  // ptrace's data argument
    ptrace(PTRACE_SETOPTIONS, child, nullptr, word(PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL));
    reachedSync = false;
    int passOn = 0;  // a signal the converter received meanwhile is handed on to it
    while (!reachedSync) {
        ptrace(PTRACE_SYSCALL, child, nullptr, word(passOn));
        passOn = 0;
        if (waitpid(child, &status, 0) < 0 || !WIFSTOPPED(status)) return status;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            passOn = WSTOPSIG(status);
            continue;
        }
        __ptrace_syscall_info call{};
        ptrace(PTRACE_GET_SYSCALL_INFO, child, word(sizeof call), &call);
        reachedSync = call.op == PTRACE_SYSCALL_INFO_ENTRY && call.entry.nr == SYS_fsync;
    }
    kill(child, signalNumber);
    ptrace(PTRACE_DETACH, child, nullptr, nullptr);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return status;
}

// A run ended by a signal while it writes a converted copy leaves neither the copy nor its
// temporary behind, and its source unchanged. A signal the run was started with ignored ends
// nothing: every copy is written and the run ends as usual.
TEST(InterruptedWrite, SignalDuringAWriteLeavesNoTemporaryBehind) {
    struct Case {
        int signalNumber;
        bool ignoredAtStart;
    };
    const Case cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGQUIT, false},
                          {SIGHUP, true},  {SIGINT, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "signal " << strsignal(c.signalNumber)
                                          << (c.ignoredAtStart ? ", ignored at start" : ""));
        TempTree tree;
        tree.makeDirectory("work");
        const auto save = makeSaveFile(SaveFamily::Brevin44Sub2, true, 1);
        tree.write("games/a.GM1", save);
        tree.write("games/b.GM2", makeSaveFile(SaveFamily::Brevin45Sub2, false, 2));
        auto expectedEntries = allEntries(tree.root());
        if (c.ignoredAtStart) expectedEntries.insert({"games/a(converted).GM1", "games/b(converted).GM2"});
        bool reachedSync = false;
        const int status = signalDuringWrite(tree.root() / "work", c.signalNumber, c.ignoredAtStart, reachedSync);
        ASSERT_TRUE(reachedSync);
        if (c.ignoredAtStart) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        else EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signalNumber) << status;
        EXPECT_EQ(allEntries(tree.root()), expectedEntries);
        EXPECT_EQ(readFileBytes(tree.root() / "games/a.GM1"), save);
    }
}

// A converted copy larger than the file-size limit fails like any other write: its temporary is
// removed and the run goes on to its end, converting what fits.
TEST(InterruptedWrite, FileSizeLimitFailsOnlyTheCopiesPastIt) {
    constexpr rlim_t Limit = 128 << 10;
    TempTree tree;
    tree.makeDirectory("work");
    tree.write("games/large.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 1));
    tree.write("games/small.GM2", makeSaveFile(SaveFamily::Brevin45Sub2, true, 2));
    ASSERT_GT(fs::file_size(tree.root() / "games/large.GM1"), Limit);
    ASSERT_LT(fs::file_size(tree.root() / "games/small.GM2"), Limit);
    const fs::path transcript = tree.root() / "transcript.txt";

    const int status = runWithFileSizeLimit(tree.root() / "work", Limit, transcript);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto bytes = readFileBytes(transcript);
    const std::string output(bytes.begin(), bytes.end());
    EXPECT_NE(output.find("../games/large.GM1:  failed (error writing converted file)"), std::string::npos) << output;
    EXPECT_NE(output.find("../games/small.GM2: sucessfully converted to :"), std::string::npos) << output;
    EXPECT_NE(output.find("Savefile converter will now close."), std::string::npos) << output;
    const std::set<std::string> expected = {"games", "games/large.GM1", "games/small.GM2",
                                            "games/small(converted).GM2", "transcript.txt", "work"};
    EXPECT_EQ(allEntries(tree.root()), expected);
}

}  // namespace
