#pragma once
// A scratch folder for tests that need real files, removed with everything in it at the end.

#include <filesystem>
#include <string>
#include <vector>

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // Writes `bytes` to root()/relative, creating the folders on the way.
    std::filesystem::path write(const std::string& relative, const std::vector<unsigned char>& bytes) const;
    std::filesystem::path write(const std::string& relative, const std::string& text) const;
    std::filesystem::path makeDirectory(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

std::vector<unsigned char> readFileBytes(const std::filesystem::path& path);

// The paths a walk of `onDisk` must list, named as if the walk started at `listedAs`: a
// directory's non-directories in the file system's enumeration order, then each
// subdirectory's, depth first. Symbolic links are not entered.
std::vector<std::string> walkOrderOf(const std::filesystem::path& onDisk, const std::string& listedAs);
