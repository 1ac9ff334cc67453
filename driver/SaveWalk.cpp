#include "driver/SaveWalk.h"

#include "platform/Platform.h"

namespace {

// True when the first occurrence of `mark` in `path` begins exactly `fromEnd` characters before
// its end.
bool firstOccurrenceAt(std::string_view path, const char* mark, std::size_t fromEnd) {
    return path.size() >= fromEnd && path.find(mark) == path.size() - fromEnd;
}

}  // namespace

platform::FolderListing collectFiles(std::vector<std::string>& out, const std::string& dir,
                                     std::vector<UnlistedFolder>* unlisted, FolderLister list) {
    using platform::FolderListing;
    // Listed whole before descending, so the depth of the tree does not hold folders open.
    std::vector<platform::FolderEntry> entries;
    const FolderListing listing = list(dir, entries);
    const bool incomplete = listing == FolderListing::CannotList || listing == FolderListing::PartlyListed;
    if (incomplete && unlisted != nullptr) unlisted->push_back({dir, out.size()});

    std::vector<std::string> subdirectories;
    for (const platform::FolderEntry& entry : entries) {
        std::string path = dir + "/" + entry.name;
        if (entry.kind == platform::EntryKind::Folder)
            subdirectories.push_back(std::move(path));
        else
            out.push_back(std::move(path));
    }

    for (const std::string& subdirectory : subdirectories) collectFiles(out, subdirectory, unlisted, list);
    return listing;
}

bool isSaveName(std::string_view path) {
    return firstOccurrenceAt(path, ".GM", 4) || firstOccurrenceAt(path, ".CGM", 4);
}

bool isOwnOutput(std::string_view path) { return firstOccurrenceAt(path, "(converted)", 15); }

bool isCampaignName(std::string_view path) { return firstOccurrenceAt(path, ".CGM", 4); }

std::size_t fileNameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string outputName(const std::string& path) {
    const std::size_t stem = path.size() < 4 ? 0 : path.size() - 4;
    return path.substr(0, stem) + "(converted)" + path.substr(stem);
}
