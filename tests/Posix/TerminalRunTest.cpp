// The converter on a pseudo-terminal: colours as escape sequences, the stripe over the outcome
// lines, the pause taking one key without Enter or echo, the terminal left as it was found, and
// names unable to send the terminal commands.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "driver/Console.h"
#include "savegen/SaveBuilder.h"
#include "tests/Posix/PseudoTerminal.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempTree.h"
#include "tests/support/system/System.h"

namespace fs = std::filesystem;

namespace {

using namespace pseudo_terminal;

// Under a terminal: the colours of every print, the stripe over the outcome lines, a pause that
// takes one key without Enter or echo, and the terminal left as it was found.
TEST(TerminalRun, ColoursStripesAndResetOnATerminal) {
    TempTree tree;
    tree.makeDirectory("work");
    tree.write("games/a.GM1", makeSaveFile(SaveFamily::Brevin44Sub2, false, 3));
    tree.write("games/b.GM1", std::vector<unsigned char>{1, 2});
    tree.write("games/c.GM1", std::vector<unsigned char>{3, 4});
    const std::vector<std::string> walk = walkOrderOf(tree.root() / "games", "../games");

    int master = -1;
    const pid_t child = startOnTerminal(tree.root() / "work", master);
    ASSERT_GE(child, 0);
    // Holding the terminal's other side open keeps its settings readable after the run.
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios before{};
    ASSERT_EQ(tcgetattr(slave, &before), 0);
    TerminalOutput output(master);

    // The colour for the typed answer is set before the answer is read.
    const std::string question = sgrSequence(ColourError) + terminalLine("") +
                                 terminalLine("Are you sure you want to proceed ? (y/n)") + sgrSequence(ColourText);
    if (!output.waitFor(question)) kill(child, SIGKILL);
    ASSERT_NE(output.text.find(question), std::string::npos) << output.text;
    ASSERT_EQ(write(master, "y\n", 2), 2);
    if (!output.waitFor(std::string(PausePrompt))) kill(child, SIGKILL);
    ASSERT_NE(output.text.find(std::string(PausePrompt)), std::string::npos) << output.text;
    const std::size_t promptEnd = output.text.find(std::string(PausePrompt)) + PausePrompt.size();
    // The key is typed once the program has switched the terminal to single keys without echo.
    const auto modeDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(RunTimeoutMs);
    termios during{};
    while (tcgetattr(slave, &during) == 0 && (during.c_lflag & (ECHO | ICANON)) != 0 &&
           std::chrono::steady_clock::now() < modeDeadline)
        output.pump();
    ASSERT_EQ(during.c_lflag & (ECHO | ICANON), 0u);
    ASSERT_EQ(write(master, "k", 1), 1);  // any key, no Enter

    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(RunTimeoutMs);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        output.pump();
    }
    while (output.pump()) {}
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output.text;

    EXPECT_EQ(output.text.find(sgrSequence(ColourBanner) + terminalLine("") +
                               terminalLine("                     Talvor Brevin SAVEFILE CONVERTER v.1.01")),
              0u)
        << output.text;
    EXPECT_NE(output.text.find(question + "y\r\n"), std::string::npos) << "typed answer echoed in bright white";

    // Outcome lines alternate blue and black backgrounds, starting with blue; a two-line
    // outcome keeps one background.
    std::string outcomes;
    ConsoleAttribute stripe = 16;
    for (const std::string& path : walk) {
        const bool isSave = path == "../games/a.GM1";
        outcomes += sgrSequence(static_cast<ConsoleAttribute>(stripe | (isSave ? ColourText : ColourError)));
        outcomes += isSave ? terminalLine(path + ": sucessfully converted to :") + terminalLine("../games/a(converted).GM1")
                           : terminalLine(path + ": error (cannot read first bytes of file)");
        stripe ^= 16;
    }
    outcomes += sgrSequence(ColourText) + terminalLine("") + terminalLine("Savefile converter will now close.") +
                std::string(PausePrompt);
    EXPECT_NE(output.text.find(outcomes), std::string::npos) << output.text;

    // After the key: no echo of it, the attributes reset last, the terminal mode as before.
    const std::string afterPrompt = output.text.substr(promptEnd);
    EXPECT_EQ(afterPrompt, "\r\n\x1b[0m");
    termios after{};
    ASSERT_EQ(tcgetattr(slave, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    close(slave);
    close(master);
}

// Ended by a signal while waiting for the answer, the converter still resets the colours.
TEST(TerminalRun, ColoursAreResetWhenEndedBySignal) {
    TempTree tree;
    tree.makeDirectory("work");
    int master = -1;
    const pid_t child = startOnTerminal(tree.root() / "work", master);
    ASSERT_GE(child, 0);
    TerminalOutput output(master);
    const std::string waiting = terminalLine("Are you sure you want to proceed ? (y/n)") + sgrSequence(ColourText);
    const bool asked = output.waitFor(waiting);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    while (output.pump()) {}
    close(master);
    ASSERT_TRUE(asked) << output.text;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(output.text.substr(output.text.find(waiting) + waiting.size()), "\x1b[0m");
}

struct TerminalTranscript {
    std::string text;
    bool closed;
    int exitCode;
};

// Runs the converter with `arguments` on a terminal in the tree's "work" folder until it closes.
TerminalTranscript runToCloseOnTerminal(const TempTree& tree, const std::vector<std::string>& arguments) {
    int master = -1;
    const pid_t child = startOnTerminal(tree.root() / "work", master, arguments);
    if (child < 0) return {"(the converter could not be started on a terminal)", false, -1};
    TerminalOutput terminal(master);
    const bool closed = terminal.waitFor(terminalLine("Savefile converter will now close."));
    while (terminal.pump()) {}
    const int exitCode = waitForExit(child);
    close(master);
    return {terminal.text, closed, exitCode};
}

// On a terminal a name's control bytes are shown as '?', so a save cannot command the terminal;
// redirected output keeps the bytes, each line whole.
TEST(TerminalRun, NamesWithControlBytesAreMaskedOnATerminalOnly) {
    const std::string name = "evil\x1b]0;owned\x07\x1b[2J\x7f.GM1";
    const std::string shown = "evil?]0;owned??[2J?";
    TempTree tree;
    tree.makeDirectory("work");
    tree.write("games/" + name, makeSaveFile(SaveFamily::Brevin44Sub2, false, 1));
    const std::vector<std::string> arguments = {"-y", "--no-pause", "../games"};

    const TerminalTranscript terminal = runToCloseOnTerminal(tree, arguments);
    ASSERT_TRUE(terminal.closed) << terminal.text;
    EXPECT_EQ(terminal.exitCode, 0);
    EXPECT_NE(terminal.text.find(terminalLine("../games/" + shown + ".GM1: sucessfully converted to :") +
                                 terminalLine("../games/" + shown + "(converted).GM1")),
              std::string::npos)
        << terminal.text;
    EXPECT_EQ(terminal.text.find("\x1b[2J"), std::string::npos);
    EXPECT_EQ(terminal.text.find('\x07'), std::string::npos);

    const ProgramRun redirected = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "", RunTimeoutMs, arguments);
    ASSERT_FALSE(redirected.timedOut);
    EXPECT_NE(redirected.output.find(wholeLines({"../games/" + name + ": sucessfully converted to :",
                                                 "../games/" + name.substr(0, name.size() - 4) + "(converted).GM1"})),
              std::string::npos);
}

std::string repeated(std::size_t n, const std::string& character) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += character;
    return text;
}

// Names in any script on a terminal: a wide character takes two columns and never straddles the
// 79th, every piece is padded to 79 columns, and C1 controls and bytes outside valid UTF-8 show as
// one '?' each, and characters of no width take no column; redirected output keeps the bytes,
// each line whole. The columns of every piece are counted by hand.
TEST(TerminalRun, NamesAreMeasuredInColumnsAndMaskedPerCharacter) {
    struct Piece {
        std::string text;
        std::size_t columns;
    };
    struct NameCase {
        const char* what;
        std::string name;
        std::vector<Piece> shown;
    };
    const std::string wide = "\xE6\x9D\xB1";
    const std::string cyrillic = "\xD0\xB6";
    const std::string masked = "c1\xC2\x9B" "2J\x9B" "0m\xFF.GM1";
    // A decomposed accent, a conjoining vowel jamo, a zero-width space and a variation selector
    // take no column.
    const std::string zeroWidth = "Cafe\xCC\x81 \xE1\x84\x80\xE1\x85\xA1 x\xE2\x80\x8Bx\xEF\xB8\x8F" +
                                  repeated(20, "e\xCC\x81");
    const std::vector<NameCase> cases = {
        {"C1 controls and invalid bytes", masked,
         {{"../games/c1?2J?0m?.GM1: sucessfully converted to :", 50}, {"../games/c1?2J?0m?(converted).GM1", 33}}},
        {"ideographs and kana", "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\x86\x92\xE9\x99\xBA.GM1",
         {{"../games/\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\x86\x92\xE9\x99\xBA.GM1: sucessfully converted to :", 51},
          {"../games/\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\x86\x92\xE9\x99\xBA(converted).GM1", 34}}},
        {"a wide character across column 79", "a" + repeated(40, wide) + ".GM1",
         {{"../games/a" + repeated(34, wide), 78},
          {repeated(6, wide) + ".GM1: sucessfully converted to :", 44},
          {"../games/a" + repeated(34, wide), 78},
          {repeated(6, wide) + "(converted).GM1", 27}}},
        {"characters of no width", zeroWidth + ".GM1",
         {{"../games/" + zeroWidth + ".GM1: sucessfully converted to :", 71},
          {"../games/" + zeroWidth + "(converted).GM1", 54}}},
        {"a long Cyrillic name", repeated(60, cyrillic) + ".GM1",
         {{"../games/" + repeated(60, cyrillic) + ".GM1:", 74},
          {"sucessfully converted to :", 26},
          {"../games/" + repeated(60, cyrillic) + "(converted", 79},
          {").GM1", 5}}},
    };
    TempTree tree;
    tree.makeDirectory("work");
    for (const NameCase& c : cases) tree.write("games/" + c.name, makeSaveFile(SaveFamily::Brevin44Sub2, false, 1));
    const std::vector<std::string> arguments = {"-y", "--no-pause", "../games"};

    const TerminalTranscript terminal = runToCloseOnTerminal(tree, arguments);
    ASSERT_TRUE(terminal.closed) << terminal.text;
    EXPECT_EQ(terminal.exitCode, 0);
    for (const NameCase& c : cases) {
        std::string expected;
        for (const Piece& piece : c.shown) expected += piece.text + std::string(79 - piece.columns, ' ') + "\r\n";
        EXPECT_NE(terminal.text.find(expected), std::string::npos) << c.what << "\n" << terminal.text;
    }
    EXPECT_EQ(terminal.text.find("\xC2\x9B"), std::string::npos);
    EXPECT_EQ(terminal.text.find('\xFF'), std::string::npos);

    const ProgramRun redirected = runProgram(CONVERTER_EXECUTABLE, tree.root() / "work", "", RunTimeoutMs, arguments);
    ASSERT_FALSE(redirected.timedOut);
    EXPECT_NE(redirected.output.find("../games/" + masked + ": sucessfully converted to :\n../games/c1\xC2\x9B" "2J\x9B"
                                     "0m\xFF(converted).GM1\n"),
              std::string::npos)
        << redirected.output;
}

// --verbose on a terminal: the engine's message keeps its line breaks, each line masked alone.
TEST(TerminalRun, VerboseDetailsKeepTheirLines) {
    std::vector<unsigned char> save = makeSaveFile(SaveFamily::Brevin44Sub2, true, 3);
    save[save.size() - 4] ^= 0x01;  // the trailer's size: everything inflates, to another size
    TempTree tree;
    tree.makeDirectory("work");
    tree.write("games/bad.GM1", save);

    const TerminalTranscript terminal = runToCloseOnTerminal(tree, {"-v", "--no-pause", "../games"});
    ASSERT_TRUE(terminal.closed) << terminal.text;
    EXPECT_EQ(terminal.exitCode, 1);
    EXPECT_NE(terminal.text.find("\r\n    Uncompressed size is "), std::string::npos) << terminal.text;
    EXPECT_NE(terminal.text.find("\r\n    expected size was "), std::string::npos) << terminal.text;
    EXPECT_EQ(terminal.text.find("?Uncompressed"), std::string::npos) << terminal.text;
}

}  // namespace
