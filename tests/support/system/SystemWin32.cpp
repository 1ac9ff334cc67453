#include "tests/support/system/System.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string_view>
#include <thread>

#include "platform/WideText.h"

namespace {

using platform::toWide;

// A bare file name is the name of a program built beside the running test program.
std::wstring programPath(const std::string& executable) {
    if (executable.find_first_of("/\\") != std::string::npos) return toWide(executable);
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    return (std::filesystem::path(std::wstring(self, length)).parent_path() / toWide(executable)).wstring();
}

// One argument as CommandLineToArgvW and the C runtime read it back: bare when it holds no blank
// and no quote; otherwise in quotes, with the backslashes that precede a quote (or the closing
// quote) doubled and each quote escaped by one more.
std::wstring quotedArgument(std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

// The program's name in quotes (a Windows path holds no quote), then every argument.
std::wstring commandLineOf(const std::wstring& program, const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + program + L"\"";
    for (const std::string& argument : arguments) line += L" " + quotedArgument(toWide(argument));
    return line;
}

// Appends everything read from `pipe` until its writing end is closed everywhere.
void drain(HANDLE pipe, std::string& sink) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) sink.append(buffer, got);
}

struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
};

// A pipe whose `childEnd` end is inherited by the child and whose other end is not.
bool makePipe(Pipe& pipe, bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&pipe.read, &pipe.write, &inherit, 1 << 16)) return false;
    return SetHandleInformation(childReads ? pipe.write : pipe.read, HANDLE_FLAG_INHERIT, 0) != 0;
}

void closeHandle(HANDLE& handle) {
    if (handle != nullptr) CloseHandle(handle);
    handle = nullptr;
}

// Waits for the process to end by itself; kills it at the deadline or when `endNow` holds.
void awaitEnd(HANDLE process, int timeoutMs, const EndCondition& endNow, ProgramRun& run) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        run.timedOut = left <= 0;
        run.endedEarly = !run.timedOut && endNow && endNow();
        if (run.timedOut || run.endedEarly) {
            TerminateProcess(process, 137);
            WaitForSingleObject(process, INFINITE);
            return;
        }
        if (WaitForSingleObject(process, endNow ? 1 : static_cast<DWORD>(left)) == WAIT_OBJECT_0) return;
    }
}

}  // namespace

ProgramRun runProgram(const std::string& executable, const std::filesystem::path& workDir, const std::string& input,
                      int timeoutMs, const std::vector<std::string>& arguments, ErrorStream errors,
                      const EndCondition& endNow) {
    ProgramRun result;
    const bool errorsApart = errors == ErrorStream::Apart;
    Pipe in, out, err;
    if (!makePipe(in, true) || !makePipe(out, false) || (errorsApart && !makePipe(err, false))) {
        for (HANDLE* handle : {&in.read, &in.write, &out.read, &out.write, &err.read, &err.write}) closeHandle(*handle);
        return result;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.read;
    startup.hStdOutput = out.write;
    startup.hStdError = errorsApart ? err.write : out.write;
    const std::wstring program = programPath(executable);
    std::wstring commandLine = commandLineOf(program, arguments);
    const std::wstring directory = workDir.wstring();
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        directory.c_str(), &startup, &process);
    closeHandle(in.read);
    closeHandle(out.write);
    closeHandle(err.write);
    if (!started) {
        closeHandle(in.write);
        closeHandle(out.read);
        closeHandle(err.read);
        return result;
    }
    CloseHandle(process.hThread);

    // The outputs are drained while the input is written, so that neither side waits on a full pipe.
    std::thread outputReader(drain, out.read, std::ref(result.output));
    std::thread errorReader;
    if (errorsApart) errorReader = std::thread(drain, err.read, std::ref(result.errors));
    DWORD written = 0;
    if (!input.empty()) WriteFile(in.write, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    closeHandle(in.write);

    awaitEnd(process.hProcess, timeoutMs, endNow, result);
    outputReader.join();
    if (errorReader.joinable()) errorReader.join();
    closeHandle(out.read);
    closeHandle(err.read);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    result.exitCode = static_cast<int>(exitCode);
    CloseHandle(process.hProcess);
    return result;
}

bool hasPosixFileFacilities() { return false; }

bool makeFifo(const std::filesystem::path&) { return false; }

unsigned setCreationMask(unsigned) { return 0; }

unsigned permissionsOf(const std::filesystem::path&) { return ~0u; }

FileSizeLimit::FileSizeLimit(std::uint64_t) {}

FileSizeLimit::~FileSizeLimit() = default;
