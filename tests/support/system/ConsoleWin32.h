#pragma once
// Windows only: a console window of the test's own, as a double-click gives the converter one.
// The test starts a program attached to it, types into its keyboard and reads every cell of
// the screen back, characters and attributes. Under Wine a console needs a display (Xvfb).

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class ConsoleWindow {
public:
    // Cells of the screen buffer: wide enough for a 79-column line and its line end, high
    // enough that nothing a short run prints scrolls away.
    static constexpr SHORT Columns = 80;
    static constexpr SHORT Rows = 300;
    // What every cell holds before the program writes to it; the program never uses it.
    static constexpr WORD BlankAttribute = 7;

    // Leaves whatever console the test had and makes a fresh one.
    ConsoleWindow();
    // Ends the program if it still runs; the console itself goes with the test program.
    ~ConsoleWindow();
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    // Empty when the console is there; else what failed.
    const std::string& failure() const { return failure_; }

    // Starts `executable` (a bare name: beside the test program) in `workDir` with the console
    // as its standard input, output and error.
    bool start(const std::string& executable, const std::filesystem::path& workDir);
    bool hasEnded(int waitMs) const;
    // Ends the program at once if it still runs; its exit code.
    int end();

    // Key presses, one down and one up per character; '\r' is Enter.
    bool type(std::wstring_view keys);

    struct Row {
        std::wstring text;             // Columns characters
        std::vector<WORD> attributes;  // Columns attributes
    };
    std::vector<Row> screen() const;
    // Waits until `text` is on one row of the screen.
    bool waitForText(std::wstring_view text, int timeoutMs) const;

private:
    HANDLE input_ = INVALID_HANDLE_VALUE;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    HANDLE process_ = nullptr;
    std::string failure_;
};
