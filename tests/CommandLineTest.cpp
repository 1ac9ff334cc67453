// The command line: the parser in-process, then the built converter run with options and paths
// as a script or a drop onto the executable would run it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/ChangedCopy.h"
#include "driver/ColourPrinter.h"
#include "driver/CommandLine.h"
#include "driver/SaveWalk.h"
#include "engine/EngineMessages.h"
#include "platform/Platform.h"
#include "savegen/Bytes.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/GamesFolder.h"
#include "tests/support/Releases.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

constexpr int RunTimeoutMs = 20000;

using Arguments = std::vector<std::string>;

struct ParseCase {
    Arguments arguments;
    CommandAction action;
    std::string error;
    RunSettings settings;  // compared when the action is Run
};

RunSettings scripted(bool yes, bool pause, bool dryRun, bool verbose, std::vector<std::string> paths = {}) {
    RunSettings settings;
    settings.scripted = true;
    settings.answerYes = yes;
    settings.pause = pause;
    settings.dryRun = dryRun;
    settings.verbose = verbose;
    if (!paths.empty()) {
        settings.roots = std::move(paths);
        settings.rootsChosen = true;
    }
    return settings;
}

TEST(CommandLineParsing, ReadsOptionsAndPathsAndRejectsTheUnknown) {
    const std::vector<ParseCase> cases = {
        {{}, CommandAction::Run, "", RunSettings{}},
        {{"--yes", "--no-pause", "--dry-run", "--verbose"}, CommandAction::Run, "", scripted(true, false, true, true)},
        {{"-y", "-n", "-v"}, CommandAction::Run, "", scripted(true, true, true, true)},
        {{"-vy", "a.GM1", "--no-pause", "folder"}, CommandAction::Run, "", scripted(true, false, false, true, {"a.GM1", "folder"})},
        {{"--", "-y", "--help", "-"}, CommandAction::Run, "", scripted(false, true, false, false, {"-y", "--help", "-"})},
        {{"-", "x"}, CommandAction::Run, "", scripted(false, true, false, false, {"-", "x"})},
        {{"x", "--", "--"}, CommandAction::Run, "", scripted(false, true, false, false, {"x", "--"})},
        {{"--help", "-V"}, CommandAction::Help, "", {}},
        {{"a", "-h"}, CommandAction::Help, "", {}},
        {{"--version"}, CommandAction::Version, "", {}},
        {{"-yV"}, CommandAction::Version, "", {}},
        {{"--yes=1"}, CommandAction::UsageError, "unknown option '--yes=1'", {}},
        {{"--Yes"}, CommandAction::UsageError, "unknown option '--Yes'", {}},
        {{"-yx", "a"}, CommandAction::UsageError, "unknown option '-x'", {}},
        {{"--help", "--nope"}, CommandAction::UsageError, "unknown option '--nope'", {}},
        {{"-"}, CommandAction::Run, "", scripted(false, true, false, false, {"-"})},
        {{"--no\x1b[2J"}, CommandAction::UsageError, "unknown option '--no?[2J'", {}},
    };
    for (const ParseCase& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += " [" + argument + "]";
        SCOPED_TRACE(shown);
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.error, c.error);
        if (c.action != CommandAction::Run) continue;
        EXPECT_EQ(line.settings.roots, c.settings.roots);
        EXPECT_EQ(line.settings.rootsChosen, c.settings.rootsChosen);
        EXPECT_EQ(line.settings.scripted, c.settings.scripted);
        EXPECT_EQ(line.settings.answerYes, c.settings.answerYes);
        EXPECT_EQ(line.settings.pause, c.settings.pause);
        EXPECT_EQ(line.settings.dryRun, c.settings.dryRun);
        EXPECT_EQ(line.settings.verbose, c.settings.verbose);
    }
}

const std::string Banner = wholeLines({"", "                     Talvor Brevin SAVEFILE CONVERTER v.1.01", ""});
const std::string OstrelQuestion = wholeLines({
    "",
    "Savefiles created by Ostrel were found. Conversion to Brevin v.1.4.0 is possible. Heroes and artifacts "
    "specific to Brevin will be disabled.",
    "",
    "Do you want to convert Ostrel savefiles ? (y/n)",
});
const std::string Closing = wholeLines({"", "Savefile converter will now close."});
const std::string Pause = "Press any key to continue . . . \n";

std::string summary(const std::string& counts) { return wholeLines({"", counts}); }

// Paths as the program names them: UTF-8 with "/" on every system.
std::string utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}
fs::path fromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

// A text as --verbose shows it under a failure line on a pipe: indented, each line whole.
std::string indentedDetail(const std::string& text) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out, false);
    ColourPrinter(console, LineLayout::Whole).printIndented(4, text);
    return out.str();
}

// A working folder beside a games folder; the paths the tests name are relative to the former.
class CommandLineRun : public ::testing::Test, protected GamesFolder {
protected:

    // Runs the converter from work/, standard error captured apart.
    ProgramRun run(const Arguments& arguments, const std::string& answers = "") {
        ProgramRun result =
            runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", answers, RunTimeoutMs, arguments, ErrorStream::Apart);
        EXPECT_FALSE(result.timedOut) << result.output;
        return result;
    }

    // Every regular file below the tree's root with its bytes.
    std::map<std::string, std::vector<unsigned char>> files() const {
        std::map<std::string, std::vector<unsigned char>> found;
        for (const auto& entry : fs::recursive_directory_iterator(tree.root()))
            if (entry.is_regular_file())
                found[utf8(fs::relative(entry.path(), tree.root()))] = readFileBytes(entry.path());
        return found;
    }
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& [name, bytes] : files()) found.insert(name);
        return found;
    }

};

struct InformationCase {
    Arguments arguments;
    int exitCode;
    std::string output;
    std::string errors;
};

TEST_F(CommandLineRun, HelpVersionAndUsageErrorsConvertNothing) {
    const std::string save = putSave("a.GM1", SaveFamily::Brevin44Sub2, false);
    const auto before = files();
    const std::vector<InformationCase> cases = {
        {{"--help"}, 0, usageText(), ""},
        {{"-h", save}, 0, usageText(), ""},
        {{"-V"}, 0, "savefile-converter v.1.01, engine libraryVersion 1.00\n", ""},
        {{"--version"}, 0, "savefile-converter v.1.01, engine libraryVersion 1.00\n", ""},
        {{"-y", save, "--frobnicate"}, 2, "", "savefile-converter: unknown option '--frobnicate'\n" + usageText()},
        // Every path is checked before anything is converted.
        {{"-y", save, "../games/none.GM1"}, 2, "",
         "savefile-converter: no such file or folder '../games/none.GM1'\n" + usageText()},
        {{"--", "-y"}, 2, "", "savefile-converter: no such file or folder '-y'\n" + usageText()},
        // A name no Windows folder can hold names nothing there either.
        {{"-y", "../games/a|b.GM1"}, 2, "", "savefile-converter: no such file or folder '../games/a|b.GM1'\n" + usageText()},
        // Blanks, quotes and backslashes reach the program as they were given.
        {{"-n", "--back\\slash \\\\\"quote\\\\"}, 2, "",
         "savefile-converter: unknown option '--back\\slash \\\\\"quote\\\\'\n" + usageText()},
        {{"two  blanks\\", "\""}, 2, "", "savefile-converter: no such file or folder 'two  blanks\\'\n" + usageText()},
    };
    for (const InformationCase& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.arguments.back());
        const ProgramRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.output, c.output);
        EXPECT_EQ(result.errors, c.errors);
        EXPECT_TRUE(files() == before);
    }
}

// On the same saves, `--yes` writes byte for byte what the dialogue answered "y", "y" writes, and
// prints the same outcome lines without the explanation and question, with a summary at the end.
TEST_F(CommandLineRun, YesRunWritesWhatTheAnsweredDialogueWrites) {
    putSave("a.GM1", SaveFamily::Brevin44Sub2, true);
    putSave("sub/b.GM2", SaveFamily::Brevin45Sub2, false);
    putSave("sub/c.GM3", releases::currentFamily(45), true);
    putSave("o.GM4", SaveFamily::Ostrel42, false);
    putSave("sub/deep/p.CGM", SaveFamily::Ostrel42, true);
    put("notes.txt", Bytes().raw("not a save").data);
    const auto sources = files();

    const ProgramRun dialogue = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "y\ny", RunTimeoutMs);
    ASSERT_EQ(dialogue.exitCode, 0);
    const auto dialogueFiles = files();
    for (const auto& [name, bytes] : dialogueFiles)
        if (!sources.count(name)) fs::remove(tree.root() / fromUtf8(name));
    ASSERT_TRUE(files() == sources);

    const ProgramRun yes = run({"--yes", "--no-pause", "../games"});
    EXPECT_EQ(yes.exitCode, 0);
    EXPECT_EQ(yes.errors, "");
    EXPECT_TRUE(files() == dialogueFiles);
    EXPECT_EQ(dialogueFiles.size(), sources.size() + 3);

    const std::string question = padded("Are you sure you want to proceed ? (y/n)");
    const std::size_t bodyStart = dialogue.output.find(question) + question.size();
    const std::string dialogueClosing = screen({"", "Savefile converter will now close."});
    const std::size_t bodyEnd = dialogue.output.size() - dialogueClosing.size() - Pause.size();
    ASSERT_EQ(dialogue.output.substr(bodyEnd), dialogueClosing + Pause);
    const std::string body = dialogue.output.substr(bodyStart, bodyEnd - bodyStart);
    // The same lines, whole on the pipe where the dialogue's are laid out for the console.
    EXPECT_EQ(collapsed(yes.output),
              collapsed(Banner + body + summary("3 converted, 0 failed, 1 skipped, 1 already current") + Closing));
    EXPECT_EQ(yes.output.find(" \n"), std::string::npos) << yes.output;
}

// Saves and folders dropped together: named files each get a line, folders are walked as the
// games folder is, the Ostrel question is read, and the pause keeps the window open.
TEST_F(CommandLineRun, DroppedFilesAndFoldersMixed) {
    const std::string campaign = putSave("camp.CGM", SaveFamily::Ostrel42, true);
    const std::string b = putSave("sub/b.GM2", SaveFamily::Brevin45Sub2, true);
    putSave("sub/c.GM3", releases::currentFamily(44), false);
    put("sub/d(converted).GM1", {1, 2, 3});
    put("sub/notes.txt", {1, 2, 3});
    const std::string a = putSave("a.GM1", SaveFamily::Brevin44Sub2, false);
    const std::string notes = put("notes.txt", {1, 2, 3});
    const std::string copy = put("x(converted).GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 40));
    const std::string current = putSave("e.GM1", releases::currentFamily(45), false);
    const std::string ostrel = putSave("o.GM4", SaveFamily::Ostrel42, false);
    const std::string junk = put("junk.GM1", Bytes().raw("plain text, no save").data);
    tree.write("work/-w.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, true, 41));
    const auto before = names();

    const ProgramRun result = run({campaign, "../games/sub/", a, notes, copy, current, ostrel, junk, "--", "-w.GM1"}, "y\n");

    std::vector<std::string> lines;
    for (const std::string& path : walkOrderOf(tree.root() / "games/sub", "../games/sub"))
        if (path == b) lines.insert(lines.end(), {b + ": sucessfully converted to :", "../games/sub/b(converted).GM2"});
    lines.insert(lines.end(), {
        a + ": sucessfully converted to :", "../games/a(converted).GM1",
        notes + ": skipped (not a savefile name)",
        copy + ": skipped (already a converted copy)",
        current + ": already current",
        junk + ": skipped (not a savefile)",
        "-w.GM1: sucessfully converted to :", "-w(converted).GM1",
    });
    EXPECT_EQ(result.output, Banner + wholeLines(lines) + OstrelQuestion +
                                 wholeLines({campaign + ":  skipped (Ostrel campaing saves cannot be converted)",
                                         ostrel + ": sucessfully converted to :", "../games/o(converted).GM4"}) +
                                 summary("4 converted, 0 failed, 4 skipped, 2 already current") + Closing + Pause);
    EXPECT_EQ(result.exitCode, 0);
    std::set<std::string> expected = before;
    expected.insert({"games/sub/b(converted).GM2", "games/a(converted).GM1", "games/o(converted).GM4",
                     "work/-w(converted).GM1"});
    EXPECT_EQ(names(), expected);
}

// A save dropped onto the program under a name in another script, blank included: one argument,
// converted beside itself and printed as it was named.
TEST_F(CommandLineRun, ADroppedSaveNamedInCyrillicWithABlank) {
    const std::string name = "\xD0\x9C\xD0\xBE\xD1\x8F \xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0";  // "Моя игра"
    const std::string source = "../games/" + name + ".GM1";
    const std::string output = "../games/" + name + "(converted).GM1";
    tree.makeDirectory("games");
    const platform::FileWriteResult written = platform::writeFileReplacing(
        utf8(tree.root() / "games" / fromUtf8(name + ".GM1")), makeSaveFile(SaveFamily::Brevin45Sub2, true, 7));
    ASSERT_EQ(written.status, platform::FileWriteResult::Written) << written.errorText;
    std::set<std::string> expected = names();
    expected.insert("games/" + name + "(converted).GM1");

    const ProgramRun result = run({"--no-pause", source});
    EXPECT_EQ(result.output, Banner + wholeLines({source + ": sucessfully converted to :", output}) +
                                 summary("1 converted, 0 failed, 0 skipped, 0 already current") + Closing);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(names(), expected);
}

// With --verbose every failure line is followed by the engine's own text, indented, on its stripe.
TEST_F(CommandLineRun, VerboseShowsTheEnginesOwnMessage) {
    // A wrong check sum in the gzip trailer: everything inflates, then zlib reports the data error.
    std::vector<unsigned char> save = makeSaveFile(SaveFamily::Brevin44Sub2, true, 9);
    save[save.size() - 8] ^= 0x01;
    const std::string cut = put("crc.GM1", save);
    const std::string blocked = putSave("blocked.GM1", SaveFamily::Brevin45Sub2, false);
    tree.makeDirectory("games/blocked(converted).GM1");
    const std::string good = putSave("good.GM1", SaveFamily::Brevin45Sub2, false);

    // The engine's texts.
    const std::string loadDetail1 = "Error while reading \"../games/crc.GM1\" : zlib function inflate produced";
    const std::string loadDetail2 = "error flag Z_DATA_ERROR";
    ASSERT_EQ(loadDetail1 + " " + loadDetail2 + "\n", engine_messages::inflateDataError(cut));
    // The system's own words for replacing a folder by a file, whatever the system.
    const platform::FileWriteResult refused =
        platform::writeFileReplacing(utf8(tree.root() / "games/blocked(converted).GM1"), {1});
    ASSERT_NE(refused.status, platform::FileWriteResult::Written);
    const std::string writeDetail =
        indentedDetail(engine_messages::cannotWrite("../games/blocked(converted).GM1", refused.errorText));
    const std::vector<std::string> failures = {cut + ":  failed (error reading file)",
                                               blocked + ":  failed (error writing converted file)"};
    const std::string converted = wholeLines({good + ": sucessfully converted to :", "../games/good(converted).GM1"});
    const std::string counts = summary("1 converted, 2 failed, 0 skipped, 0 already current");

    const ProgramRun verbose = run({"-y", "-v", "--no-pause", cut, blocked, good});
    EXPECT_EQ(verbose.output, Banner +
                                  wholeLines({failures[0], "    " + loadDetail1 + " " + loadDetail2, failures[1]}) +
                                  writeDetail + converted + counts + Closing);
    EXPECT_EQ(verbose.exitCode, 1);

    const ProgramRun quiet = run({"--no-pause", cut, blocked, good});
    EXPECT_EQ(quiet.output, Banner + wholeLines(failures) + converted + counts + Closing);
    EXPECT_EQ(quiet.exitCode, 1);
}

// A dry run reports what would happen to each save and leaves every file as it was.
TEST_F(CommandLineRun, DryRunReportsAndWritesNothing) {
    const std::vector<unsigned char> save = makeSaveFile(SaveFamily::Brevin44Sub2, true, 9);
    std::map<std::string, std::string> report;
    std::string path = putSave("a.GM1", SaveFamily::Brevin44Sub2, false);
    report[path] = path + ": would convert to ../games/a(converted).GM1" + "\n";
    path = putSave("o.GM2", SaveFamily::Ostrel42, true);
    report[path] = path + ": older edition" + "\n";
    path = putSave("p.CGM", SaveFamily::Ostrel42, false);
    report[path] = path + ":  skipped (Ostrel campaing saves cannot be converted)" + "\n";
    path = putSave("c.GM3", releases::currentFamily(45), true);
    report[path] = path + ": already current" + "\n";
    path = put("cut.GM4", std::vector<unsigned char>(save.begin(), save.begin() + static_cast<std::ptrdiff_t>(save.size() / 2)));
    report[path] = path + ":  failed (error reading file)" + "\n";
    path = put("s.GM5", {1, 2, 3});
    report[path] = path + ": error (cannot read first bytes of file)" + "\n";
    put("a(converted).GM1", {1, 2, 3});
    const auto before = files();

    const ProgramRun result = run({"--dry-run", "--no-pause", "../games"});
    std::string lines;
    for (const std::string& listed : walkOrderOf(tree.root() / "games", "../games"))
        if (report.count(listed)) lines += report.at(listed);
    EXPECT_EQ(result.output, Banner + lines +
                                 summary("1 would be converted, 2 failed, 1 skipped, 1 already current, 1 older edition") +
                                 Closing);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(files() == before);

    const ProgramRun clean = run({"-n", "--no-pause", "../games/a.GM1"});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_TRUE(files() == before);
}

// What stands at the output name before a second run.
enum class AtOutput { Nothing, SameCopy, PlayedCopy, ReadOnlyPlayedCopy, OlderSave, NoSave };

struct RepeatedRunCase {
    const char* what;
    std::string source;  // below games/, a save of an older release
    AtOutput atOutput;
    Arguments paths;
    bool dryRun = false;
};

// A copy the player has played on since is never replaced; anything else at the output name is.
// Named folders are walked whatever their own names, a file reached several times has one
// outcome, and every line reaches the pipe whole, however long.
TEST_F(CommandLineRun, CopiesPlayedOnAreKeptAndEveryNamedSaveHasOneOutcome) {
    const std::string longName = "A folder name with blanks that is long/and a save whose name alone is longer than "
                                 "a line of the console.GM1";
    const std::vector<RepeatedRunCase> cases = {
        {"a copy played on is kept", "a.GM1", AtOutput::PlayedCopy, {"../games"}},
        {"a read-only copy played on is kept", "a.GM1", AtOutput::ReadOnlyPlayedCopy, {"../games/a.GM1"}},
        {"a dry run says it would be kept", "a.GM1", AtOutput::PlayedCopy, {"../games"}, true},
        {"an earlier copy of the same bytes is replaced", "a.GM1", AtOutput::SameCopy, {"../games"}},
        {"a save of an older release is replaced", "a.GM1", AtOutput::OlderSave, {"../games"}},
        {"a file that is no save is replaced", "a.GM1", AtOutput::NoSave, {"../games"}},
        {"a named folder whose name has .GM in it", "Backup.GMold/a.GM1", AtOutput::Nothing, {"../games/Backup.GMold"}},
        {"overlapping roots", "a.GM1", AtOutput::Nothing, {"../games", "../games/a.GM1", "../games/"}},
        {"a long path", longName, AtOutput::Nothing, {"../games"}},
    };
    for (const RepeatedRunCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(tree.root() / "games");
        const std::string source = putSave(c.source, SaveFamily::Brevin44Sub2, false);
        const std::string output = outputName(source);
        const fs::path outputFile = tree.root() / "work" / fromUtf8(output);
        const bool played = c.atOutput == AtOutput::PlayedCopy || c.atOutput == AtOutput::ReadOnlyPlayedCopy;
        if (c.atOutput == AtOutput::SameCopy || played) {
            ASSERT_EQ(run({"-y", "--no-pause", source}).exitCode, 0);
        }
        if (played) {
            std::vector<unsigned char> progress = readFileBytes(outputFile);
            progress.back() ^= 0x5A;
            writeFileBytes(outputFile, progress);
            ASSERT_TRUE(holdsCurrentSave(utf8(outputFile)));
        }
        if (c.atOutput == AtOutput::ReadOnlyPlayedCopy)
            fs::permissions(outputFile, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        if (c.atOutput == AtOutput::OlderSave) writeFileBytes(outputFile, readFileBytes(tree.root() / "work" / fromUtf8(source)));
        if (c.atOutput == AtOutput::NoSave) writeFileBytes(outputFile, std::vector<unsigned char>{1, 2, 3});
        auto before = files();

        Arguments arguments = {c.dryRun ? "-n" : "-y", "--no-pause"};
        arguments.insert(arguments.end(), c.paths.begin(), c.paths.end());
        const ProgramRun result = run(arguments);

        const bool kept = played;
        std::string lines = kept ? wholeLines({source + ": skipped (converted copy changed since, not replaced)"})
                                 : wholeLines({source + ": sucessfully converted to :", output});
        const char* counts = kept ? "0 converted, 0 failed, 1 skipped, 0 already current"
                                  : "1 converted, 0 failed, 0 skipped, 0 already current";
        if (c.dryRun) counts = "0 would be converted, 0 failed, 1 skipped, 0 already current, 0 older edition";
        EXPECT_EQ(result.output, Banner + lines + summary(counts) + Closing);
        EXPECT_EQ(result.exitCode, 0);
        auto after = files();
        const std::string outputName = "games/" + output.substr(std::string("../games/").size());
        if (!kept && !c.dryRun) {
            EXPECT_TRUE(holdsCurrentSave(utf8(outputFile)));
            if (c.atOutput != AtOutput::SameCopy && before.count(outputName)) {
                EXPECT_NE(after[outputName], before.at(outputName));
            }
            after.erase(outputName);
            before.erase(outputName);
        }
        EXPECT_TRUE(after == before);
        fs::permissions(outputFile, fs::perms::owner_write, fs::perm_options::add);
    }
}

}  // namespace
