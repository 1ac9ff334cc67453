// Windows only: names in any script and paths longer than MAX_PATH reach the file system,
// outputs are replaced even when held open for a moment, reparse points are not entered, the
// save's own file-name field is written in the ANSI code page, and paths are used as given.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "driver/Q7Svg.h"
#include "driver/SaveWalk.h"
#include "engine/Q7Svg_impl.h"
#include "platform/EntryKindWin32.h"
#include "platform/Platform.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"
#include "tests/Win32/WideFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int RunTimeoutMs = 20000;

// The program's own form of a path: UTF-8.
std::string utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}
std::vector<unsigned char> readBytes(const fs::path& path) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(fs::file_size(path)));
    HANDLE file = CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool contains(const std::vector<unsigned char>& bytes, const std::string& text) {
    const std::vector<unsigned char> wanted(text.begin(), text.end());
    return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) != bytes.end();
}

TEST(WindowsFiles, NamesInAnyScriptAreFoundConvertedAndPrinted) {
    const std::vector<std::string> names = {"\xC3\x89lan vital.GM1",                 // accented Latin
                                            "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0.GM2",  // Cyrillic
                                            "\xE6\x9D\xB1\xE4\xBA\xAC.GM3"};         // CJK
    TempTree tree;
    tree.makeDirectory("work");
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_NO_FATAL_FAILURE(writeBytes(tree.root() / "games" / fromUtf8(names[i]),
                                           makeSaveFile(SaveFamily::Brevin44Sub2, i % 2 == 0, i + 1)));

    std::vector<std::string> walked;
    ASSERT_EQ(collectFiles(walked, utf8(tree.root() / "games")), platform::FolderListing::Listed);
    ASSERT_EQ(walked.size(), names.size());
    const ProgramRun run = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "y\n", RunTimeoutMs);
    ASSERT_FALSE(run.timedOut);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_NE(std::find(walked.begin(), walked.end(), utf8(tree.root() / "games") + "/" + name), walked.end());
        const std::string source = "../games/" + name;
        const std::string output = outputName(source);
        EXPECT_NE(run.output.find(padded(source + ": sucessfully converted to :") + padded(output)), std::string::npos)
            << run.output;
        Q7Svg reloaded;
        reloaded.load(utf8(tree.root() / "work" / fromUtf8(output)).c_str());
        EXPECT_FALSE(reloaded.hasError()) << reloaded.engine().errorMessage;
        EXPECT_EQ(reloaded.engine().sourceVersion.svg_subversion, 3u);
    }
}

// Writes a file through the \\?\ form, which has no length limit.
void writeLongFile(const std::wstring& extended, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(extended.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
}

TEST(WindowsFiles, PathsLongerThanMaxPathAreWalkedReadAndWritten) {
    TempTree tree;
    const std::wstring root = L"\\\\?\\" + tree.root().wstring();
    std::wstring folder = root + L"\\games";
    std::string folderUtf8 = utf8(tree.root() / "games");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (char letter : {'a', 'b', 'c'}) {
        const std::string part(100, letter);
        folder += L"\\" + std::wstring(part.begin(), part.end());
        folderUtf8 += "/" + part;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    }
    const std::string save = folderUtf8 + "/long.GM1";
    ASSERT_GT(save.size(), 300u);
    ASSERT_NO_FATAL_FAILURE(writeLongFile(folder + L"\\long.GM1", makeSaveFile(SaveFamily::Brevin45Sub2, true, 4)));

    std::vector<std::string> walked;
    ASSERT_EQ(collectFiles(walked, utf8(tree.root() / "games")), platform::FolderListing::Listed);
    EXPECT_EQ(walked, std::vector<std::string>{save});
    Q7Svg converter;
    converter.load(save.c_str());
    ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
    converter.convertAndSave(outputName(save).c_str());
    ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
    EXPECT_NE(GetFileAttributesW((folder + L"\\long(converted).GM1").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WindowsFiles, AnOutputHeldOpenIsReportedAndKeptWhileAFreeOneIsReplaced) {
    TempTree tree;
    tree.makeDirectory("work");
    tree.write("games/held.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 5));
    tree.write("games/free.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 6));
    const std::vector<unsigned char> old{'o', 'l', 'd'};
    const fs::path heldOutput = tree.write("games/held(converted).GM1", old);
    const fs::path freeOutput = tree.write("games/free(converted).GM1", old);
    // Open without leave to delete or rename, as a scanner might hold it.
    HANDLE holder = CreateFileW(heldOutput.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const ProgramRun run = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "y\n", RunTimeoutMs);
    CloseHandle(holder);

    ASSERT_FALSE(run.timedOut);
    EXPECT_NE(run.output.find(padded("../games/held.GM1:  failed (error writing converted file)")), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(padded("../games/free.GM1: sucessfully converted to :")), std::string::npos) << run.output;
    EXPECT_EQ(readFileBytes(heldOutput), old);
    EXPECT_NE(readFileBytes(freeOutput), old);
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(tree.root() / "games")) entries.push_back(entry.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"free(converted).GM1", "free.GM1", "held(converted).GM1", "held.GM1"}));
}

TEST(WindowsFiles, AReparsePointIsListedButNotEntered) {
    TempTree tree;
    tree.write("games/real/a.GM1", "x");
    const fs::path link = tree.root() / "games/link.GM1";
    if (!CreateSymbolicLinkW(link.wstring().c_str(), (tree.root() / "games/real").wstring().c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "this system does not let the test create a symbolic link (error " << GetLastError() << ")";
    if ((GetFileAttributesW(link.wstring().c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        GTEST_SKIP() << "this system does not show the link as a reparse point";

    std::vector<std::string> walked;
    const std::string games = utf8(tree.root() / "games");
    ASSERT_EQ(collectFiles(walked, games), platform::FolderListing::Listed);
    // Listed as the system's own enumeration shows it (Wine's leaves links out), never entered.
    std::vector<std::string> expected = walkOrderOf(tree.root() / "games", games);
    std::sort(walked.begin(), walked.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(walked, expected);
    EXPECT_NE(std::find(walked.begin(), walked.end(), games + "/real/a.GM1"), walked.end());
    EXPECT_EQ(std::count_if(walked.begin(), walked.end(),
                            [&](const std::string& path) { return path.rfind(games + "/link.GM1/", 0) == 0; }),
              0);
}

// A sync client's placeholders are reparse points too: folders and files like any other. Only a
// name surrogate stands for another name and is never entered or read.
TEST(WindowsFiles, OnlyNameSurrogatesAmongReparsePointsAreLeftAlone) {
    using platform::EntryKind;
    constexpr DWORD Reparse = FILE_ATTRIBUTE_REPARSE_POINT;
    constexpr DWORD Folder = FILE_ATTRIBUTE_DIRECTORY;
    // What a cloud placeholder not yet on the machine also carries (newer than these headers).
    constexpr DWORD RecallOnOpen = 0x00040000, RecallOnDataAccess = 0x00400000;
    constexpr DWORD Offline = FILE_ATTRIBUTE_OFFLINE | RecallOnDataAccess;
    struct Case {
        const char* name;
        DWORD attributes;
        DWORD reparseTag;
        EntryKind kind;
    };
    const Case cases[] = {
        {"cloud-synced folder", Folder | Reparse | RecallOnOpen, IO_REPARSE_TAG_CLOUD_3, EntryKind::Folder},
        {"cloud-synced file", FILE_ATTRIBUTE_ARCHIVE | Reparse | Offline, IO_REPARSE_TAG_CLOUD, EntryKind::RegularFile},
        {"symbolic link to a folder", Folder | Reparse, IO_REPARSE_TAG_SYMLINK, EntryKind::Other},
        {"symbolic link to a file", FILE_ATTRIBUTE_ARCHIVE | Reparse, IO_REPARSE_TAG_SYMLINK, EntryKind::Other},
        {"junction", Folder | Reparse, IO_REPARSE_TAG_MOUNT_POINT, EntryKind::Other},
        {"mount point", Folder | Reparse | FILE_ATTRIBUTE_SYSTEM, IO_REPARSE_TAG_MOUNT_POINT, EntryKind::Other},
        {"plain folder", Folder, 0, EntryKind::Folder},
        {"plain file", FILE_ATTRIBUTE_ARCHIVE, 0, EntryKind::RegularFile},
        {"tag left over without the attribute", Folder, IO_REPARSE_TAG_SYMLINK, EntryKind::Folder},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::entryKindOf(c.attributes, c.reparseTag), c.kind) << c.name;
}

TEST(WindowsFiles, TheSaveNameFieldIsInTheAnsiCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "expectations written for code page 1252; this system uses " << GetACP();
    TempTree tree;
    const fs::path source = tree.write("games/a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 8));
    struct Case {
        std::string output;    // UTF-8
        std::string inField;   // code page 1252
    };
    const std::vector<Case> cases = {
        {"plain(converted).GM1", "plain(converted).GM1"},
        {"\xC3\x89lan(converted).GM1", "\xC9lan(converted).GM1"},        // in the code page
        {"\xD0\x96 \xE6\x9D\xB1(converted).GM1", "? ?(converted).GM1"},  // Cyrillic and CJK are not
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        Q7Svg converter;
        converter.load(utf8(source).c_str());
        const fs::path output = tree.root() / "games" / fromUtf8(c.output);
        converter.convertAndSave(utf8(output).c_str());
        ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
        EXPECT_EQ(converter.engine().outputBaseName, c.inField);
        const std::vector<unsigned char> written = readBytes(output);
        EXPECT_TRUE(contains(written, c.inField)) << written.size() << " bytes written";
    }
}

// The system's own words for an error, as UTF-8 without the line end.
std::string systemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const int size = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), size, nullptr, nullptr);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

std::vector<std::string> sortedEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What stands at an output's name: a file another program holds open for a second, as a virus
// scanner or a sync client does after a file was written, is waited for and replaced; a folder
// is refused at once, with the system's reason. No temporary stays. (A read-only output is
// refused at once as well on Windows, but Wine lets a rename replace it.)
TEST(WindowsFiles, AnOutputInTheWayIsWaitedForOnlyWhileWaitingCanHelp) {
    enum class Obstacle { HeldForASecond, Folder };
    struct Case {
        const char* name;
        Obstacle obstacle;
        DWORD error;  // ERROR_SUCCESS: written
    };
    const Case cases[] = {{"held open for a second", Obstacle::HeldForASecond, ERROR_SUCCESS},
                          {"a folder", Obstacle::Folder, ERROR_ACCESS_DENIED}};
    constexpr DWORD HoldMs = 1000;
    constexpr auto RefusedWithin = std::chrono::milliseconds(400);
    const std::vector<unsigned char> old{'o', 'l', 'd'};
    const std::vector<unsigned char> fresh{'n', 'e', 'w'};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        const std::string name = "games/a(converted).GM1";
        const fs::path output = c.obstacle == Obstacle::Folder ? tree.makeDirectory(name) : tree.write(name, old);
        std::thread releaser;
        if (c.obstacle == Obstacle::HeldForASecond) {
            // Open without leave to delete or rename it.
            HANDLE holder = CreateFileW(output.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE) << GetLastError();
            releaser = std::thread([holder] {
                Sleep(HoldMs);
                CloseHandle(holder);
            });
        }
        const auto started = std::chrono::steady_clock::now();
        const platform::FileWriteResult result = platform::writeFileReplacing(utf8(output), fresh);
        const auto took = std::chrono::steady_clock::now() - started;
        if (releaser.joinable()) releaser.join();

        if (c.error == ERROR_SUCCESS) {
            EXPECT_EQ(result.status, platform::FileWriteResult::Written) << result.errorText;
            EXPECT_EQ(readBytes(output), fresh);
        } else {
            EXPECT_EQ(result.status, platform::FileWriteResult::WriteFailed);
            EXPECT_EQ(result.errorText, systemText(c.error));
            EXPECT_LT(took, RefusedWithin);
        }
        EXPECT_EQ(sortedEntries(tree.root() / "games"), std::vector<std::string>{"a(converted).GM1"});
    }
}

// A folder made through the \\?\ form, removed the same way: the file system's own cleaning
// would look for its name without a trailing dot.
struct ExtendedFolder {
    std::wstring path;
    std::vector<std::wstring> files;
    ~ExtendedFolder() {
        for (const std::wstring& file : files) DeleteFileW((path + L"\\" + file).c_str());
        RemoveDirectoryW(path.c_str());
    }
};

// A folder whose name ends in a dot (which a network share or the \\?\ form can make) is walked
// and written in under its own name, whether the walk starts from a \\?\ path or a plain one.
TEST(WindowsFiles, AFolderNameEndingInADotIsKept) {
    TempTree tree;
    const ExtendedFolder folder{L"\\\\?\\" + tree.root().wstring() + L"\\Saves.", {L"a.GM1", L"a(converted).GM1"}};
    const std::wstring converted = folder.path + L"\\a(converted).GM1";
    ASSERT_TRUE(CreateDirectoryW(folder.path.c_str(), nullptr)) << GetLastError();
    ASSERT_NO_FATAL_FAILURE(writeLongFile(folder.path + L"\\a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, true, 9)));
    const std::u8string native = tree.root().u8string();
    struct Case {
        const char* name;
        std::string folder;
    };
    const Case cases[] = {{"\\\\?\\ path", "\\\\?\\" + std::string(native.begin(), native.end()) + "\\Saves."},
                          {"plain path", utf8(tree.root()) + "/Saves."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> walked;
        EXPECT_EQ(collectFiles(walked, c.folder), platform::FolderListing::Listed);
        ASSERT_EQ(walked, std::vector<std::string>{c.folder + "/a.GM1"});
        Q7Svg converter;
        converter.load(walked[0].c_str());
        ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
        converter.convertAndSave(outputName(walked[0]).c_str());
        ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
        EXPECT_TRUE(DeleteFileW(converted.c_str())) << GetLastError();
    }
    EXPECT_EQ(sortedEntries(tree.root()), std::vector<std::string>{"Saves."});
}

// Sets the current folder, and the current folder of another drive, for one scope.
class CurrentFolders {
public:
    CurrentFolders(const fs::path& current, const std::wstring& drive, const fs::path& onDrive)
        : variable_(L"=" + drive), previous_(fs::current_path()) {
        wchar_t value[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(variable_.c_str(), value, MAX_PATH);
        hadVariable_ = length > 0 && length < MAX_PATH;
        if (hadVariable_) previousOnDrive_.assign(value, length);
        fs::current_path(current);
        SetEnvironmentVariableW(variable_.c_str(), onDrive.wstring().c_str());
    }
    ~CurrentFolders() {
        SetEnvironmentVariableW(variable_.c_str(), hadVariable_ ? previousOnDrive_.c_str() : nullptr);
        fs::current_path(previous_);
    }
    CurrentFolders(const CurrentFolders&) = delete;
    CurrentFolders& operator=(const CurrentFolders&) = delete;

private:
    std::wstring variable_;
    fs::path previous_;
    bool hadVariable_ = false;
    std::wstring previousOnDrive_;
};

// A drive-relative output ("C:name") is written in that drive's current folder. With the current
// folder on another drive, its temporary must be made beside it too: a rename cannot cross drives.
TEST(WindowsFiles, ADriveRelativeOutputIsWrittenInThatDrivesCurrentFolder) {
    TempTree tree;
    const std::wstring drive = tree.root().root_name().wstring();
    // Under Wine, Z: holds the Linux root, whose /dev/shm is a file system of its own.
    const fs::path otherDrive = L"Z:\\dev\\shm";
    std::error_code error;
    if (drive == L"Z:" || !fs::is_directory(otherDrive, error))
        GTEST_SKIP() << "no folder on another drive than " << tree.root().string();
    ScratchDir elsewhere(otherDrive);
    const fs::path source = tree.write("a.GM1", makeSaveFile(SaveFamily::Brevin45Sub2, false, 10));
    {
        CurrentFolders folders(elsewhere.path(), drive, tree.root());
        Q7Svg converter;
        converter.load(utf8(source).c_str());
        ASSERT_FALSE(converter.hasError()) << converter.engine().errorMessage;
        converter.convertAndSave((std::string(drive.begin(), drive.end()) + "a(converted).GM1").c_str());
        EXPECT_FALSE(converter.hasError()) << converter.engine().errorMessage;
        EXPECT_EQ(converter.engine().outputBaseName, "a(converted).GM1");
    }
    EXPECT_EQ(sortedEntries(tree.root()), (std::vector<std::string>{"a(converted).GM1", "a.GM1"}));
    EXPECT_EQ(elsewhere.entries(), std::vector<std::string>{});
}

}  // namespace
