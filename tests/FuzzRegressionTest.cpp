// Every input that ever made a fuzz target fail is kept under fuzz/regressions/<target>/, and the
// seeds committed for a target under fuzz/seeds/<target>/; both are replayed here through the
// same target body, in the plain and the sanitizer builds.

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "savegen/FileBytes.h"

namespace fs = std::filesystem;

namespace {

// The inputs replayed from the folders of `root`, one folder per target.
std::size_t replayAll(const fs::path& root) {
    std::size_t replayed = 0;
    for (const auto& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const NamedFuzzTarget* target = findFuzzTarget(folder.path().filename().string());
        EXPECT_NE(target, nullptr) << "no fuzz target named " << folder.path().filename();
        if (target == nullptr) continue;
        for (const auto& input : fs::directory_iterator(folder.path())) {
            const std::vector<std::uint8_t> bytes = readFileBytes(input.path());
            EXPECT_EQ(target->run(bytes.data(), bytes.size()), "") << input.path();
            ++replayed;
        }
    }
    return replayed;
}

TEST(FuzzRegressions, EveryKeptInputAndSeedPassesItsTarget) {
    std::size_t replayed = 0;
    for (const char* root : {FUZZ_REGRESSIONS_DIR, FUZZ_SEEDS_DIR}) replayed += replayAll(root);
    // The seeds are committed: a replay of nothing means they went missing.
    EXPECT_GT(replayed, 0u) << "nothing under " << FUZZ_REGRESSIONS_DIR << " or " << FUZZ_SEEDS_DIR;
}

}  // namespace
