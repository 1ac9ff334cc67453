#include "driver/SaveWalk.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

// True when the first occurrence of `mark` in `path` begins exactly `fromEnd` characters before
// its end.
bool firstOccurrenceAt(const std::string& path, const char* mark, std::size_t fromEnd) {
    return path.size() >= fromEnd && path.find(mark) == path.size() - fromEnd;
}

// Directory entries whose type the file system does not report are asked for without following
// a link, so a link is never taken for a directory and cannot make the walk loop.
bool isDirectoryEntry(const dirent& entry, const std::string& path) {
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool collectFiles(std::vector<std::string>& out, const std::string& dir) {
    DIR* directory = opendir(dir.c_str());
    if (directory == nullptr) return false;

    std::vector<std::string> subdirectories;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = dir + "/" + name;
        if (isDirectoryEntry(*entry, path))
            subdirectories.push_back(std::move(path));
        else
            out.push_back(std::move(path));
    }
    // Closed before descending, so the depth of the tree does not hold descriptors open.
    closedir(directory);

    for (const std::string& subdirectory : subdirectories) collectFiles(out, subdirectory);
    return true;
}

bool isSaveName(const std::string& path) {
    return firstOccurrenceAt(path, ".GM", 4) || firstOccurrenceAt(path, ".CGM", 4);
}

bool isOwnOutput(const std::string& path) { return firstOccurrenceAt(path, "(converted)", 15); }

bool isCampaignName(const std::string& path) { return firstOccurrenceAt(path, ".CGM", 4); }

std::string outputName(const std::string& path) {
    const std::size_t stem = path.size() < 4 ? 0 : path.size() - 4;
    return path.substr(0, stem) + "(converted)" + path.substr(stem);
}
