// Every input that ever made a fuzz target fail is kept under fuzz/regressions/<target>/ and
// replayed here through the same target body, in the plain and the sanitizer builds.

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "savegen/FileBytes.h"

namespace fs = std::filesystem;

namespace {

TEST(FuzzRegressions, EveryKeptInputPassesItsTarget) {
    std::size_t replayed = 0;
    for (const auto& folder : fs::directory_iterator(FUZZ_REGRESSIONS_DIR)) {
        if (!folder.is_directory()) continue;
        const NamedFuzzTarget* target = findFuzzTarget(folder.path().filename().string());
        ASSERT_NE(target, nullptr) << "no fuzz target named " << folder.path().filename();
        for (const auto& input : fs::directory_iterator(folder.path())) {
            const std::vector<std::uint8_t> bytes = readFileBytes(input.path());
            EXPECT_EQ(target->run(bytes.data(), bytes.size()), "") << input.path();
            ++replayed;
        }
    }
    // Reported as skipped, not passed, while no input has yet made a target fail.
    if (replayed == 0) GTEST_SKIP() << "no input kept under " << FUZZ_REGRESSIONS_DIR;
}

}  // namespace
