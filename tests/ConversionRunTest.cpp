// The run in-process with a scripted engine: what only the console can show (colours of both
// passes) and what the real engine never does (a different library version).

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "driver/Console.h"
#include "driver/ConversionRun.h"
#include "savegen/Bytes.h"
#include "tests/support/Releases.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempTree.h"

namespace fs = std::filesystem;

namespace {

class ScriptedEngine : public ConversionEngine {
public:
    std::string libraryVersion() const override { return version; }
    SavefileClass classify(ByteInput& content) const override { return classifySavefile(content); }
    ConversionOutcome convert(const std::string& source, const std::string& output) override {
        conversions.push_back(source + " -> " + output);
        return outcome;
    }
    ConversionOutcome tryConvert(const std::string& source, const std::string&) override {
        conversions.push_back(source + " (load only)");
        return outcome == ConversionOutcome::LoadFailed ? outcome : ConversionOutcome::Converted;
    }
    std::string failureDetail() const override { return detail; }

    std::string version = "1.00";
    ConversionOutcome outcome = ConversionOutcome::Converted;
    std::string detail;
    std::vector<std::string> conversions;
};

std::vector<unsigned char> header(std::uint32_t version, std::uint32_t subversion) {
    Bytes bytes;
    bytes.raw(std::string("Q7SVG\0\0\0", 8)).u32(version);
    if (version >= 44) bytes.u32(subversion);
    return bytes.fill(40, 0).data;
}

// Runs the dialogue on a games folder of its own.
class ConversionRunInProcess : public ::testing::Test {
protected:
    ConversionRunInProcess() { settings.roots = {games}; }

    std::string run(const std::string& answers, bool colours) {
        std::istringstream in(answers);
        std::ostringstream out;
        Console console(in, out, colours);
        exitCode = runConversion(console, engine, settings);
        if (!settings.scripted) {
            EXPECT_EQ(exitCode, 0);
        }
        return out.str();
    }

    TempTree tree;
    const std::string games = (tree.root() / "games").string();
    RunSettings settings;
    ScriptedEngine engine;
    int exitCode = -1;
};

TEST_F(ConversionRunInProcess, WarnsWhenTheEngineIsAnotherVersion) {
    engine.version = "2.17";
    const std::string output = run("n\n", false);
    EXPECT_EQ(output.substr(0, 2 * 80),
              padded("Warning : this utility was initially compiled with trennix v1.00, but version") +
                  padded("used here is 2.17"));
}

TEST_F(ConversionRunInProcess, StripeRunsOnAcrossBothPasses) {
    tree.write("games/a.GM1", header(44, 2));
    tree.write("games/o.GM2", header(42, 0));
    tree.write("games/p.CGM", header(42, 0));
    engine.outcome = ConversionOutcome::LoadFailed;
    const std::string output = run("y\ny", true);

    // Every outcome line with the attribute it was printed in, in order.
    std::vector<std::pair<std::string, std::string>> outcomes;
    for (std::size_t at = output.find(games + "/"); at != std::string::npos; at = output.find(games + "/", at + 1)) {
        const std::size_t sequence = output.rfind("\x1b[", at);
        outcomes.emplace_back(output.substr(sequence, at - sequence), output.substr(at, output.find(' ', at) - at));
    }
    ASSERT_EQ(outcomes.size(), 3u) << output;
    EXPECT_EQ(outcomes[0], std::make_pair(sgrSequence(28), games + "/a.GM1:"));
    // The second pass follows the first pass's stripe, in walk order of the Ostrel saves.
    const std::vector<std::string> walk = walkOrderOf(games, games);
    std::vector<std::string> ostrel;
    for (const std::string& path : walk)
        if (path != games + "/a.GM1") ostrel.push_back(path);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(ostrel[i]);
        const bool campaign = ostrel[i] == games + "/p.CGM";
        const ConsoleAttribute background = i == 0 ? 0 : 16;
        EXPECT_EQ(outcomes[1 + i].first, sgrSequence(static_cast<ConsoleAttribute>(background | (campaign ? 15 : 12))));
        EXPECT_EQ(outcomes[1 + i].second, ostrel[i] + ":");
    }
    EXPECT_NE(collapsed(output).find(games + "/p.CGM: skipped (Ostrel campaing saves cannot be converted)"), std::string::npos);
    EXPECT_NE(collapsed(output).find(games + "/o.GM2: failed (error reading file)"), std::string::npos);
    EXPECT_EQ(engine.conversions, (std::vector<std::string>{games + "/a.GM1 -> " + games + "/a(converted).GM1",
                                                            games + "/o.GM2 -> " + games + "/o(converted).GM2"}));
    EXPECT_EQ(output.substr(output.size() - 4), "\x1b[0m");
}

struct TallyCase {
    const char* name;
    bool scripted;
    bool yes;
    const char* answers;
    ConversionOutcome outcome;
    const char* summary;  // nullptr: no summary line
    int exitCode;
};

// A scripted run counts every save once, as converted, failed, skipped or already current, and
// exits with 1 exactly when a file failed; the dialogue prints no summary and exits with 0.
TEST_F(ConversionRunInProcess, ScriptedRunsCountEveryFileAndReportThroughTheExitStatus) {
    tree.write("games/a.GM1", header(44, 2));
    tree.write("games/o.GM2", header(42, 0));
    tree.write("games/c.GM3", header(44, releases::currentSubversion()));
    tree.write("games/v.GM4", header(43, 0));
    tree.write("games/notes.txt", header(44, 2));
    tree.write("games/a(converted).GM1", header(44, releases::currentSubversion()));
    const std::vector<TallyCase> cases = {
        {"all converted", true, false, "y\ny", ConversionOutcome::Converted,
         "2 converted, 1 failed, 0 skipped, 1 already current", 1},
        {"Ostrel declined", true, false, "y\nn", ConversionOutcome::Converted,
         "1 converted, 1 failed, 1 skipped, 1 already current", 1},
        {"first question declined: nothing reported, nothing failed", true, false, "n\nn", ConversionOutcome::Converted,
         "0 converted, 0 failed, 3 skipped, 1 already current", 0},
        {"writes fail", true, true, "", ConversionOutcome::WriteFailed,
         "0 converted, 3 failed, 0 skipped, 1 already current", 1},
        {"dialogue", false, false, "y\ny", ConversionOutcome::WriteFailed, nullptr, 0},
    };
    for (const TallyCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings.scripted = c.scripted;
        settings.answerYes = c.yes;
        settings.pause = false;
        engine.outcome = c.outcome;
        const std::string output = run(c.answers, false);
        EXPECT_EQ(exitCode, c.exitCode);
        const std::size_t summary = output.find(" already current");
        if (c.summary == nullptr) {
            EXPECT_EQ(summary, std::string::npos) << output;
        } else {
            EXPECT_NE(output.find(wholeLines({c.summary, "", "Savefile converter will now close."})),
                      std::string::npos) << output;
        }
    }

    // A scripted run on a games folder that is not there cannot do its work.
    settings.roots = {games + "/missing"};
    settings.scripted = true;
    settings.answerYes = true;
    const std::string output = run("", false);
    EXPECT_EQ(exitCode, 1);
    EXPECT_NE(collapsed(output).find("Error - Directory " + games + "/missing not found"), std::string::npos) << output;
}

}  // namespace
