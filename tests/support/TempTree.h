#pragma once
// A scratch folder holding a tree of folders and files, removed with everything in it at the end.

#include <filesystem>
#include <string>
#include <vector>

#include "savegen/FileBytes.h"
#include "tests/support/ScratchDir.h"

class TempTree {
public:
    const std::filesystem::path& root() const { return scratch_.path(); }
    // Writes `bytes` to root()/relative, creating the folders on the way.
    std::filesystem::path write(const std::string& relative, const std::vector<unsigned char>& bytes) const;
    std::filesystem::path write(const std::string& relative, const std::string& text) const;
    std::filesystem::path makeDirectory(const std::string& relative) const;

private:
    ScratchDir scratch_;
};

// The paths a walk of `onDisk` must list, named as if the walk started at `listedAs`: a
// directory's non-directories in the file system's enumeration order, then each
// subdirectory's, depth first. Symbolic links are not entered.
std::vector<std::string> walkOrderOf(const std::filesystem::path& onDisk, const std::string& listedAs);
