// Windows only: a converter ended while it writes a converted copy, or while it waits for an
// output another program holds open, killed outright so that none of its own code runs, leaves
// no hidden temporary behind and its source unchanged.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "savegen/Rng.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

constexpr int RunTimeoutMs = 30000;
constexpr auto RemovalGrace = std::chrono::seconds(2);
constexpr DWORD PauseIntoWriteMs = 10;
// Well inside the time the converter waits for a held output.
constexpr DWORD PauseIntoWaitMs = 250;

// An uncompressed save whose converted copy takes a while to write.
std::vector<unsigned char> saveWithLongText(std::size_t characters) {
    Rng rng(5);
    GameStateContent content = randomGameState(SaveFamily::Brevin44Sub2, rng);
    if (content.tunedTags.empty()) content.tunedTags.push_back(TunedTagContent{});
    content.tunedTags[0].item03.assign(characters, 'a');
    return encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2)).data;
}

std::set<std::string> entriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

bool isTemporary(const fs::path& path) { return path.filename().string().rfind(".conv-", 0) == 0; }

bool holdsTemporary(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (isTemporary(entry.path())) return true;
    return false;
}

// Whether every temporary left in `folder` is empty: the process was then ended before its
// write began, which tells nothing about an interrupted write.
bool onlyEmptyTemporariesLeft(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (isTemporary(entry.path()) && entry.file_size() > 0) return false;
    return true;
}

// Runs the converter, answering "y", and ends it a moment after its temporary shows in
// `folder`, while the copy is being written. False when the temporary never showed.
bool endConverterMidWrite(const fs::path& workDir, const fs::path& folder, DWORD pauseMs = PauseIntoWriteMs) {
    const EndCondition temporaryShown = [&] {
        if (!holdsTemporary(folder)) return false;
        Sleep(pauseMs);
        return true;
    };
    return runProgram(CONVERTER_EXECUTABLE, workDir, "y\n", RunTimeoutMs, {}, ErrorStream::WithOutput, temporaryShown)
        .endedEarly;
}

TEST(InterruptedWrite, ConverterEndedMidWriteLeavesNoTemporaryBehind) {
    // Retried with a larger copy when the process was not ended while it wrote.
    for (const std::size_t characters : {std::size_t{32} << 20, std::size_t{112} << 20}) {
        SCOPED_TRACE(::testing::Message() << characters << " characters of text");
        TempTree tree;
        tree.makeDirectory("work");
        const std::vector<unsigned char> save = saveWithLongText(characters);
        tree.write("games/big.GM1", save);
        const fs::path games = tree.root() / "games";

        if (!endConverterMidWrite(tree.root() / "work", games) || fs::exists(games / "big(converted).GM1")) continue;
        // The file system may drop the file a moment after the process is gone.
        const auto graceEnd = std::chrono::steady_clock::now() + RemovalGrace;
        while (holdsTemporary(games) && std::chrono::steady_clock::now() < graceEnd) Sleep(10);
        if (holdsTemporary(games) && onlyEmptyTemporariesLeft(games)) continue;

        EXPECT_EQ(entriesOf(games), std::set<std::string>{"big.GM1"});
        EXPECT_EQ(readFileBytes(games / "big.GM1"), save);
        return;
    }
    FAIL() << "the converter was never ended while it wrote its copy";
}

// The old output is held open, without leave to delete it, as a virus scanner holds a file it
// checks: the converter waits with its copy written, and is ended meanwhile.
TEST(InterruptedWrite, ConverterEndedWhileWaitingForAHeldOutputLeavesNoTemporaryBehind) {
    TempTree tree;
    tree.makeDirectory("work");
    const std::vector<unsigned char> save = makeSaveFile(SaveFamily::Brevin44Sub2, false, 3);
    tree.write("games/a.GM1", save);
    const std::vector<unsigned char> old{'o', 'l', 'd'};
    const fs::path output = tree.write("games/a(converted).GM1", old);
    const fs::path games = tree.root() / "games";
    HANDLE holder = CreateFileW(output.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE) << GetLastError();
    const bool ended = endConverterMidWrite(tree.root() / "work", games, PauseIntoWaitMs);
    CloseHandle(holder);
    ASSERT_TRUE(ended) << "the temporary never showed";

    const auto graceEnd = std::chrono::steady_clock::now() + RemovalGrace;
    while (holdsTemporary(games) && std::chrono::steady_clock::now() < graceEnd) Sleep(10);
    EXPECT_EQ(entriesOf(games), (std::set<std::string>{"a(converted).GM1", "a.GM1"}));
    EXPECT_EQ(readFileBytes(output), old);
    EXPECT_EQ(readFileBytes(games / "a.GM1"), save);
}

}  // namespace
