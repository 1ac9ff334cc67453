#pragma once
// What the tests need from the operating system beyond the platform layer: running a program
// with arguments and piped standard input and output, and the POSIX-only facilities some tests
// exercise. On a system without them the facilities report so, and those tests skip with the
// reason.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

enum class ErrorStream { WithOutput, Apart };

struct ProgramRun {
    std::string output;  // standard output, with standard error unless captured apart
    std::string errors;  // standard error when captured apart
    int exitCode = -1;
    bool timedOut = false;
    bool endedEarly = false;  // ended because the caller's condition held
};

// Asked again and again while a program runs; when it holds, the program is killed at once
// (none of its own code runs), as at a timeout.
using EndCondition = std::function<bool()>;

// Runs `executable` in `workDir` with `arguments` after its name (UTF-8 text, each reaching the
// program as one argument whatever spaces, quotes or backslashes it holds) and `input` as its
// whole standard input. A bare file name is a program built beside the test program on Windows.
ProgramRun runProgram(const std::string& executable, const std::filesystem::path& workDir, const std::string& input,
                      int timeoutMs, const std::vector<std::string>& arguments = {},
                      ErrorStream errors = ErrorStream::WithOutput, const EndCondition& endNow = {});

// FIFOs, creation masks and file-size limits.
bool hasPosixFileFacilities();
inline constexpr const char* PosixOnlyReason = "FIFOs, umask and file-size limits exist only on POSIX systems";

bool makeFifo(const std::filesystem::path& path);
// Sets the creation mask and returns the previous one.
unsigned setCreationMask(unsigned mask);
// Permission bits of a file.
unsigned permissionsOf(const std::filesystem::path& path);

// Lowers the limit on the size of written files to `bytes` for one scope; writing past it fails
// instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t previousSoftLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};
