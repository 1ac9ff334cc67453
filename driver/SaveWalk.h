#pragma once
// The walk over the save folder and the rules on the collected paths. Paths are narrow strings
// joined with "/"; every rule searches the whole text it is given, directory part included: the
// run hands it the part of a path below a folder the user named (the whole path in the dialogue).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

// A folder of the walk that could not be listed, or only partly.
struct UnlistedFolder {
    std::string path;
    std::size_t filesBefore;  // how many of the walk's paths come before it, in walk order
};

using FolderLister = platform::FolderListing (*)(const std::string&, std::vector<platform::FolderEntry>&);

// Appends every non-directory entry below `dir` to `out`: the entries of a directory first, in
// the file system's order, then each subdirectory's, depth first. Symbolic links are never
// followed. Returns how `dir` itself was listed. A folder, `dir` included, that cannot be
// listed fully is added to `unlisted` where one is given; what could be listed of it is walked
// all the same. A subfolder that is gone by the time it is entered is passed over.
platform::FolderListing collectFiles(std::vector<std::string>& out, const std::string& dir,
                                     std::vector<UnlistedFolder>* unlisted = nullptr,
                                     FolderLister list = platform::listFolder);

// The first ".GM" stands right before the last character, or the first ".CGM" ends the path.
bool isSaveName(std::string_view path);
// "(converted)" stands right before a 4-character extension: a file this program wrote.
bool isOwnOutput(std::string_view path);
// The first ".CGM" ends the path.
bool isCampaignName(std::string_view path);
// Where the file's own name starts in `path`: after its last '/' or '\'.
std::size_t fileNameStart(std::string_view path);
// The path with "(converted)" put before its 4-character extension.
std::string outputName(const std::string& path);
