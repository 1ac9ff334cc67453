// Every input that ever made a fuzz target fail is kept under fuzz/regressions/<target>/, and the
// seeds committed for a target under fuzz/seeds/<target>/; both are replayed here through the
// same target body, in the plain and the sanitizer builds. A seed must also still be what its head
// says it is.

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "fuzz/RecordPick.h"
#include "savegen/FileBytes.h"
#include "savegen/SaveBuilder.h"

namespace fs = std::filesystem;

namespace {

// The inputs replayed from the folders of `root`, one folder per target.
std::size_t replayAll(const fs::path& root, bool seeds) {
    std::size_t replayed = 0;
    for (const auto& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const NamedFuzzTarget* target = findFuzzTarget(folder.path().filename().string());
        EXPECT_NE(target, nullptr) << "no fuzz target named " << folder.path().filename();
        if (target == nullptr) continue;
        for (const auto& input : fs::directory_iterator(folder.path())) {
            const std::vector<std::uint8_t> bytes = readFileBytes(input.path());
            EXPECT_EQ(target->run(bytes.data(), bytes.size()), "") << input.path();
            if (seeds && target->seedCheck != nullptr) {
                EXPECT_EQ(target->seedCheck(bytes.data(), bytes.size()), "") << input.path();
            }
            ++replayed;
        }
    }
    return replayed;
}

TEST(FuzzRegressions, EveryKeptInputAndSeedPassesItsTarget) {
    std::size_t replayed = replayAll(FUZZ_REGRESSIONS_DIR, false);
    replayed += replayAll(FUZZ_SEEDS_DIR, true);
    // The seeds are committed: a replay of nothing means they went missing.
    EXPECT_GT(replayed, 0u) << "nothing under " << FUZZ_REGRESSIONS_DIR << " or " << FUZZ_SEEDS_DIR;
}

std::size_t recordNamed(const std::string& name) {
    for (std::size_t i = 0; i < recordPaths().size(); ++i)
        if (recordPaths()[i].name == name) return i;
    ADD_FAILURE() << "no record named " << name;
    return 0;
}

// The bytes of a record seed under a head that names another record or another version, as a
// seed would after its record moved, are refused; under its own head they pass.
TEST(FuzzRegressions, ARecordSeedUnderAnotherHeadIsRefused) {
    const NamedFuzzTarget* target = findFuzzTarget("record_convert");
    ASSERT_NE(target, nullptr);
    ASSERT_NE(target->seedCheck, nullptr);
    const std::size_t basic = recordNamed("SVG_BASIC_PARAMETERS");
    const std::size_t other = recordNamed("SVG_BASIC_PARAMETERS/SvgVersionInfo");
    const std::vector<std::uint8_t> seed = readFileBytes(fs::path(FUZZ_SEEDS_DIR) / "record_convert" /
                                                         "SVG_BASIC_PARAMETERS-Brevin44Sub2");
    const std::vector<std::uint8_t> head = recordHead(basic, versionOf(SaveFamily::Brevin44Sub2), 3, true);
    ASSERT_GT(seed.size(), head.size());
    ASSERT_TRUE(std::equal(head.begin(), head.end(), seed.begin())) << "the seed's head is not the tool's";
    const std::vector<std::uint8_t> bytes(seed.begin() + static_cast<std::ptrdiff_t>(head.size()), seed.end());

    SvgVersion unknown = versionOf(SaveFamily::Brevin44Sub2);
    unknown.svg_subversion = 1;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> head;
        bool refused;
    };
    std::vector<std::uint8_t> nameless = head;
    nameless[0] = 'X';
    const Case cases[] = {
        {"its own head", head, false},
        {"another record", recordHead(other, versionOf(SaveFamily::Brevin44Sub2), 3, true), true},
        {"another family", recordHead(basic, versionOf(SaveFamily::Brevin44Sub3), 3, true), true},
        {"the Ostrel layout", recordHead(basic, versionOf(SaveFamily::Ostrel42), 3, true), true},
        {"a version no save has", recordHead(basic, unknown, 3, true), true},
        {"a record no tree has", nameless, true},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> input = c.head;
        input.insert(input.end(), bytes.begin(), bytes.end());
        EXPECT_EQ(target->seedCheck(input.data(), input.size()) != "", c.refused) << c.name;
        EXPECT_EQ(target->run(input.data(), input.size()), "") << c.name;  // the target itself takes any input
    }
}

}  // namespace
