// Hostile and outsized saves against the per-save memory budget, each converted in a child
// process whose memory is bounded, with its peak memory and time printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "tests/support/ScratchDir.h"

namespace {

constexpr rlim_t AddressSpaceLimit = rlim_t{2} << 30;
constexpr long PeakLimitKiB = 1536L << 10;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizerBuild = true;  // its shadow memory does not fit an address-space limit
#else
constexpr bool AddressSanitizerBuild = false;
#endif

struct ChildRun {
    int exitCode = -1;  // the load's error code, or 100 + the conversion's
    long peakKiB = 0;
    double seconds = 0;
};

// Loads and converts `path` in a child process limited to AddressSpaceLimit of address space.
ChildRun convertInChild(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{AddressSpaceLimit, AddressSpaceLimit};
        if (!AddressSanitizerBuild) setrlimit(RLIMIT_AS, &limit);
        Q7Svg save;
        save.load(path.c_str());
        if (save.hasError()) _exit(static_cast<int>(save.engine().errorCode));
        save.convertAndSave((path + ".out").c_str());
        _exit(save.hasError() ? 100 + static_cast<int>(save.engine().errorCode) : 0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ChildRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

// A small save of version 44/2 whose replay list holds `acts` acts of tag 0, one byte each.
// The list's count is found where a save of one act differs from a save of none.
std::vector<unsigned char> saveWithOneByteActs(std::uint32_t acts) {
    Rng rng(3);
    GameStateContent content = randomGameState(SaveFamily::Brevin44Sub2, rng);
    content.replayActs.clear();
    const std::vector<unsigned char> none = encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2)).data;
    content.replayActs.push_back(ReplayActContent{});
    const std::vector<unsigned char> one = encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2)).data;
    std::size_t countAt = 0;
    while (none[countAt] == one[countAt]) ++countAt;
    std::vector<unsigned char> save(none.begin(), none.begin() + static_cast<std::ptrdiff_t>(countAt));
    for (int i = 0; i < 4; ++i) save.push_back(static_cast<unsigned char>(acts >> (8 * i)));
    save.insert(save.end(), acts, 0);
    save.insert(save.end(), none.begin() + static_cast<std::ptrdiff_t>(countAt + 4), none.end());
    return save;
}

std::vector<unsigned char> saveWithHugeText(std::size_t characters) {
    Rng rng(4);
    GameStateContent content = randomGameState(SaveFamily::Brevin44Sub2, rng);
    if (content.tunedTags.empty()) content.tunedTags.push_back(TunedTagContent{});
    content.tunedTags[0].item03.assign(characters, 'a');
    return gzipMember(encodeGameState(content, versionOf(SaveFamily::Brevin44Sub2)).data);
}

// Inflates far past the 128 MiB content bound.
std::vector<unsigned char> gzipBomb() {
    std::vector<unsigned char> content(std::size_t{200} << 20, 0);
    const std::string header("Q7SVG\0\0\0\x2c\0\0\0\x02\0\0\0", 16);
    std::copy(header.begin(), header.end(), content.begin());
    return gzipMember(content);
}

TEST(MemoryBudgetLoad, HostileAndOutsizedSavesStayWithinBounds) {
    struct Case {
        const char* name;
        std::vector<unsigned char> (*make)();
        int exitCode;
        double maxSeconds;
    };
    const std::vector<Case> cases = {
        {"text of 100 million characters converts", [] { return saveWithHugeText(100'000'000); }, 0, 120},
        {"100 million one-byte replay acts are refused", [] { return saveWithOneByteActs(100'000'000); }, 7, 30},
        {"gzip bomb is refused at the content bound", gzipBomb, 6, 30},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        const std::string path = scratch.put("save.GM1", c.make());  // the bytes are gone before the fork
        const ChildRun run = convertInChild(path);
        std::printf("%-48s exit %3d, peak %6ld MiB, %6.2f s\n", c.name, run.exitCode, run.peakKiB >> 10, run.seconds);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        EXPECT_LT(run.peakKiB, PeakLimitKiB) << c.name;
        // An unoptimised sanitizer build is many times slower; there only the outcome and the
        // memory bound say that the refusal came before the tree was built.
        if (!AddressSanitizerBuild) {
            EXPECT_LT(run.seconds, c.maxSeconds) << c.name;
        }
    }
}

}  // namespace
