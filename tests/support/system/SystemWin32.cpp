#include "tests/support/system/System.h"
#include "tests/support/system/ConsoleWin32.h"

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


// ---- A console window of the test's own ------------------------------------------------

ConsoleWindow::ConsoleWindow() {
    // The test keeps its own standard handles (the pipes it reports through).
    const DWORD standard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE kept[3];
    for (int i = 0; i < 3; ++i) kept[i] = GetStdHandle(standard[i]);
    FreeConsole();
    if (!AllocConsole()) {
        failure_ = "AllocConsole failed with error " + std::to_string(GetLastError());
        return;
    }
    for (int i = 0; i < 3; ++i) SetStdHandle(standard[i], kept[i]);

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    input_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, share, &inherit, OPEN_EXISTING, 0, nullptr);
    output_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, share, &inherit, OPEN_EXISTING, 0, nullptr);
    if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE) {
        failure_ = "the console's CONIN$ or CONOUT$ cannot be opened";
        return;
    }
    // A window wider than the buffer would keep the buffer from narrowing to 80 columns.
    SMALL_RECT window{0, 0, Columns - 1, 24};
    SetConsoleWindowInfo(output_, TRUE, &window);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!SetConsoleScreenBufferSize(output_, COORD{Columns, Rows}) || !GetConsoleScreenBufferInfo(output_, &info) ||
        info.dwSize.X != Columns || info.dwSize.Y != Rows) {
        failure_ = "the console has no screen buffer of " + std::to_string(Columns) + " x " + std::to_string(Rows) +
                   " cells (error " + std::to_string(GetLastError()) + "); under Wine a console window needs a display";
        return;
    }
    DWORD done = 0;
    const DWORD cells = static_cast<DWORD>(Columns) * static_cast<DWORD>(Rows);
    SetConsoleTextAttribute(output_, BlankAttribute);
    FillConsoleOutputCharacterW(output_, L' ', cells, COORD{0, 0}, &done);
    FillConsoleOutputAttribute(output_, BlankAttribute, cells, COORD{0, 0}, &done);
    SetConsoleCursorPosition(output_, COORD{0, 0});
}

ConsoleWindow::~ConsoleWindow() {
    end();
    for (HANDLE handle : {input_, output_})
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    // The console stays until the test program ends: Wine ends a process that leaves its console
    // with FreeConsole, silently and with exit code 0.
}

bool ConsoleWindow::start(const std::string& executable, const std::filesystem::path& workDir) {
    if (!failure_.empty() || process_ != nullptr) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input_;
    startup.hStdOutput = output_;
    startup.hStdError = output_;
    const std::wstring program = programPath(executable);
    std::wstring commandLine = commandLineOf(program, {});
    const std::wstring directory = workDir.wstring();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(),
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    return true;
}

bool ConsoleWindow::hasEnded(int waitMs) const {
    return process_ != nullptr && WaitForSingleObject(process_, static_cast<DWORD>(waitMs)) == WAIT_OBJECT_0;
}

int ConsoleWindow::end() {
    if (process_ == nullptr) return -1;
    if (!hasEnded(0)) {
        TerminateProcess(process_, 137);
        WaitForSingleObject(process_, INFINITE);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    CloseHandle(process_);
    process_ = nullptr;
    return static_cast<int>(exitCode);
}

bool ConsoleWindow::type(std::wstring_view keys) {
    std::vector<INPUT_RECORD> records;
    for (const wchar_t key : keys) {
        for (const BOOL down : {TRUE, FALSE}) {
            INPUT_RECORD record{};
            record.EventType = KEY_EVENT;
            record.Event.KeyEvent.bKeyDown = down;
            record.Event.KeyEvent.wRepeatCount = 1;
            record.Event.KeyEvent.wVirtualKeyCode =
                key == L'\r' ? VK_RETURN : static_cast<WORD>(LOBYTE(VkKeyScanW(key)));
            record.Event.KeyEvent.uChar.UnicodeChar = key;
            records.push_back(record);
        }
    }
    DWORD written = 0;
    return WriteConsoleInputW(input_, records.data(), static_cast<DWORD>(records.size()), &written) &&
           written == records.size();
}

std::vector<ConsoleWindow::Row> ConsoleWindow::screen() const {
    std::vector<Row> rows(static_cast<std::size_t>(Rows));
    for (SHORT y = 0; y < Rows; ++y) {
        Row& row = rows[static_cast<std::size_t>(y)];
        row.text.assign(static_cast<std::size_t>(Columns), L' ');
        row.attributes.assign(static_cast<std::size_t>(Columns), 0);
        DWORD got = 0;
        ReadConsoleOutputCharacterW(output_, row.text.data(), Columns, COORD{0, y}, &got);
        ReadConsoleOutputAttribute(output_, row.attributes.data(), Columns, COORD{0, y}, &got);
    }
    return rows;
}

bool ConsoleWindow::waitForText(std::wstring_view text, int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        for (const Row& row : screen())
            if (row.text.find(text) != std::wstring::npos) return true;
        Sleep(100);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}
