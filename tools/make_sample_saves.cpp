// Writes a folder of synthetic but complete save files of every version family, raw and gzip,
// small to extra-large, named and nested as a player's save folder is. The same seed and count
// always give the same files, byte for byte.
//
//   make-sample-saves <folder> [--seed N] [--count N | --cycles N] [--text-rich]
//
// One cycle holds every family, size and container form once; the default is one cycle.
// --text-rich gives every save the texts of a real game state (about 13 % of it).

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "savegen/FileBytes.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "savegen/TextRichContent.h"

namespace {

enum class SampleSize { Small, Medium, ExtraLarge };
constexpr std::size_t kSampleSizeCount = 3;
constexpr std::size_t kContainerCount = 2;  // raw, gzip

// Every combination of family, size and container form once.
constexpr std::size_t kCycle = kSaveFamilyCount * kSampleSizeCount * kContainerCount;

struct Options {
    std::filesystem::path folder;
    std::uint64_t seed = 1;
    std::size_t count = kCycle;
    bool textRich = false;
};

struct SamplePlan {
    SaveFamily family;
    SampleSize size;
    bool gzip;
    std::string relativePath;
};

const char* sizeName(SampleSize size) {
    switch (size) {
        case SampleSize::Small: return "small";
        case SampleSize::Medium: return "medium";
        case SampleSize::ExtraLarge: return "extra-large";
    }
    return "?";
}

SaveSize profileOf(SampleSize size) {
    switch (size) {
        case SampleSize::Small: return SaveSize::small();
        case SampleSize::Medium: return SaveSize::medium();
        case SampleSize::ExtraLarge: return SaveSize::extraLarge();
    }
    return SaveSize::small();
}

SaveSize profileOf(SampleSize size, bool textRich) {
    return textRich ? withRichTexts(profileOf(size)) : profileOf(size);
}

// The family changes with every sample; each round of one sample per family takes the next
// size, and every third round the other container form, so each cycle of kCycle samples holds
// every combination once, whatever the number of families. Of any seven rounds, two give each
// family a campaign save (.CGM); the others take a .GM1 to .GM8 suffix.
SamplePlan planFor(std::size_t index) {
    static const char* const mapNames[] = {"Ashen Vale", "Twin Rivers", "Crown of Frost", "Marsh of Echoes",
                                           "Golden Steppe", "Last Bastion", "Sunken Isles"};
    const std::size_t familyIndex = index % kSaveFamilyCount;
    const std::size_t round = index / kSaveFamilyCount;
    SamplePlan plan;
    plan.family = kAllSaveFamilies[familyIndex];
    plan.size = static_cast<SampleSize>(round % kSampleSizeCount);
    plan.gzip = (round / kSampleSizeCount) % kContainerCount == 0;
    const std::size_t campaignTurn = (round + familyIndex) % 7;
    bool campaign = campaignTurn == 2 || campaignTurn == 5;
    std::string folder;
    std::string extension;
    if (campaign) {
        folder = (index / 3) % 2 == 0 ? "campaigns" : "campaigns/old";
        extension = ".CGM";
    } else {
        static const char* const folders[] = {"", "hotseat", "hotseat/2019"};
        folder = folders[(index / 3) % 3];
        extension = ".GM" + std::to_string(1 + index % 8);
    }
    std::string name = std::string(mapNames[(index / 2) % 7]) + " " + std::to_string(index + 1) + extension;
    plan.relativePath = folder.empty() ? name : folder + "/" + name;
    return plan;
}

bool parseNumber(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-') return false;
    value = parsed;
    return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
    if (argc < 2) return false;
    options.folder = argv[1];
    for (int i = 2; i < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--text-rich") {
            options.textRich = true;
            --i;
            continue;
        }
        std::uint64_t value = 0;
        if (i + 1 >= argc || !parseNumber(argv[i + 1], value)) return false;
        if (flag == "--seed") options.seed = value;
        else if (flag == "--count") options.count = static_cast<std::size_t>(value);
        else if (flag == "--cycles") options.count = static_cast<std::size_t>(value) * kCycle;
        else return false;
    }
    return true;
}

void writeSample(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    writeFileBytes(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << "usage: make-sample-saves <folder> [--seed N] [--count N | --cycles N] [--text-rich]\n"
                     "Writes N synthetic saves, or N cycles of "
                  << kCycle
                  << " (every family, size and container form once);\n"
                     "the default is one cycle. --text-rich gives them the texts of real game states.\n";
        return 2;
    }
    try {
        for (std::size_t i = 0; i < options.count; ++i) {
            SamplePlan plan = planFor(i);
            Rng rng(options.seed * 1000003u + i);
            Bytes body = encodeGameState(randomGameState(plan.family, rng, profileOf(plan.size, options.textRich)), versionOf(plan.family));
            std::vector<unsigned char> file = plan.gzip ? gzipMember(body.data) : body.data;
            writeSample(options.folder / plan.relativePath, file);
            std::printf("%-40s %-12s %-11s %-4s %9zu bytes of game state, %9zu on disk\n", plan.relativePath.c_str(),
                        nameOf(plan.family), sizeName(plan.size), plan.gzip ? "gzip" : "raw", body.size(), file.size());
        }
    } catch (const std::exception& error) {
        std::cerr << "make-sample-saves: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
