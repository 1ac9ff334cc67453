// Windows only: the converter in a real console window, as a player who double-clicks it sees
// it. Names in any script are on screen as themselves, each printed row carries one attribute,
// and answers typed as key presses take the run to its pause. Under Wine the console needs a
// display (the Windows suite runs under Xvfb); without one the test fails, saying why.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "driver/Console.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/ConsoleWin32.h"
#include "tests/Win32/WideFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int StepTimeoutMs = 60000;
constexpr std::size_t LineWidth = 79;

std::wstring wide(const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                           text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

std::string utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return bytes;
}


std::wstring trimmed(const std::wstring& text) { return text.substr(0, text.find_last_not_of(L' ') + 1); }

std::wstring withoutSpaces(std::wstring text) {
    std::erase(text, L' ');
    return text;
}

// Characters of the names here that take two columns (East Asian Width W): CJK ideographs, kana.
std::size_t wideCharacters(const std::wstring& text) {
    std::size_t wide = 0;
    for (const wchar_t c : text)
        if (c >= 0x3000 && c <= 0x9FFF) ++wide;
    return wide;
}

struct Save {
    std::string name;  // UTF-8
    SaveFamily family;
    bool gzip;
};

// The names are those of real saves in three scripts; the last is long enough to wrap. The CJK
// save is of the older edition, so that the second question is asked and answered too.
const Save Saves[] = {
    {"\xC3\x89lan vital \xC3\xA0 la for\xC3\xAA" "t.GM1", SaveFamily::Brevin44Sub2, false},
    {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.GM2", SaveFamily::Brevin45Sub2, true},
    {"\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\xA4\x9C.GM3", SaveFamily::Ostrel42, false},
    {"\xD0\x94\xD0\xBE\xD0\xBB\xD0\xB3\xD0\xB0\xD1\x8F \xD0\xB4\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB3\xD0\xB0 "
     "\xD1\x87\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB7 \xD1\x81\xD0\xB5\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBD\xD1\x8B\xD0\xB5 "
     "\xD0\xBF\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB2\xD0\xB0\xD0\xBB\xD1\x8B \xD0\xBA \xD1\x81\xD1\x82\xD0\xB0\xD1\x80"
     "\xD0\xBE\xD0\xBC\xD1\x83 \xD0\xB7\xD0\xB0\xD0\xBC\xD0\xBA\xD1\x83 \xD0\xBD\xD0\xB0 \xD0\xBA\xD1\x80\xD0\xB0"
     "\xD1\x8E \xD0\xBC\xD0\xB8\xD1\x80\xD0\xB0.GM4",
     SaveFamily::Brevin44Sub2, true},
};

// The outcome line of a converted save as the run prints it, before wrapping.
std::wstring convertedOutcome(const std::string& name) {
    const std::string path = "../games/" + name;
    const std::string output = path.substr(0, path.size() - 4) + "(converted)" + path.substr(path.size() - 4);
    return wide(path + ": sucessfully converted to :" + output);
}

// The cells from the start of a row that carry the attribute of its first cell.
std::size_t stripeWidth(const ConsoleWindow::Row& row) {
    std::size_t width = 0;
    while (width < row.attributes.size() && row.attributes[width] == row.attributes[0]) ++width;
    return width;
}

void showScreen(const std::vector<ConsoleWindow::Row>& rows) {
    std::size_t last = 0;
    for (std::size_t y = 0; y < rows.size(); ++y)
        if (!trimmed(rows[y].text).empty()) last = y;
    for (std::size_t y = 0; y <= last; ++y)
        std::cout << "[row " << y << ": attribute " << rows[y].attributes[0] << " over " << stripeWidth(rows[y])
                  << " cells] " << utf8(trimmed(rows[y].text)) << "\n";
}

TEST(ConsoleWindow, NamesInAnyScriptShowAsThemselvesOnStripesAndKeysTakeTheRunToItsPause) {
    ConsoleWindow console;
    ASSERT_EQ(console.failure(), "") << "no console to run the converter in";

    TempTree tree;
    tree.makeDirectory("work");
    for (std::size_t i = 0; i < std::size(Saves); ++i)
        ASSERT_NO_FATAL_FAILURE(writeBytes(tree.root() / "games" / fromUtf8(Saves[i].name),
                                          makeSaveFile(Saves[i].family, Saves[i].gzip, i + 1)));

    ASSERT_TRUE(console.start(CONVERTER_EXECUTABLE, tree.root() / "work"));
    ASSERT_TRUE(console.waitForText(L"Are you sure you want to proceed ? (y/n)", StepTimeoutMs));
    ASSERT_TRUE(console.type(L"y\r"));
    ASSERT_TRUE(console.waitForText(L"Do you want to convert Ostrel savefiles ? (y/n)", StepTimeoutMs));
    ASSERT_TRUE(console.type(L"y\r"));
    ASSERT_TRUE(console.waitForText(wide(std::string(PausePrompt.substr(0, 25))), StepTimeoutMs));
    // Keys typed before the pause reads the keyboard do not count: one every little while.
    for (int tries = 0; tries < 100 && !console.hasEnded(200); ++tries) console.type(L" ");
    ASSERT_TRUE(console.hasEnded(0)) << "the pause did not take a key press";
    EXPECT_EQ(console.end(), 0);

    const std::vector<ConsoleWindow::Row> rows = console.screen();
    showScreen(rows);
    std::wstring shown;
    for (const ConsoleWindow::Row& row : rows) shown += trimmed(row.text);
    EXPECT_EQ(shown.find(L'\xFFFD'), std::wstring::npos) << "a character was shown as U+FFFD";
    // Wrapping breaks lines at spaces or between characters: what is left of each outcome once
    // its spaces are gone is on screen, in one piece.
    for (const Save& save : Saves) {
        SCOPED_TRACE(save.name);
        EXPECT_NE(withoutSpaces(shown).find(withoutSpaces(convertedOutcome(save.name))), std::wstring::npos);
        const std::string stem = save.name.substr(0, save.name.size() - 4);
        EXPECT_TRUE(fs::exists(tree.root() / "games" / fromUtf8(stem + "(converted)" + save.name.substr(save.name.size() - 4))));
    }

    // Every row from the first outcome to the last is a printed line, but for the typed answer:
    // one attribute from its start over 79 columns, and the untouched blank cells after it. A
    // console shows a wide character in two cells (Windows) or in one (Wine).
    std::size_t first = rows.size(), last = 0;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].text.find(L"../games/") == 0 && first == rows.size()) first = y;
        if (rows[y].text.find(L"(converted)") != std::wstring::npos) last = y;
    }
    ASSERT_LT(first, last);
    for (std::size_t y = first; y <= last; ++y) {
        const ConsoleWindow::Row& row = rows[y];
        const std::wstring text = trimmed(row.text);
        if (text == L"y") continue;
        SCOPED_TRACE("screen row " + std::to_string(y) + ": " + utf8(text));
        const WORD attribute = row.attributes[0];
        EXPECT_NE(attribute, ConsoleWindow::BlankAttribute);
        const std::size_t stripe = stripeWidth(row);
        EXPECT_TRUE(stripe == LineWidth || stripe + wideCharacters(text) == LineWidth) << stripe << " cells";
        for (std::size_t x = stripe; x < row.attributes.size(); ++x)
            EXPECT_EQ(row.attributes[x], ConsoleWindow::BlankAttribute) << "column " << x;
    }
}

}  // namespace
