#pragma once
// The walk over the save folder and the rules on the collected paths. Paths are narrow strings
// joined with "/"; every rule searches the whole path, directory part included.

#include <string>
#include <vector>

// Appends every non-directory entry below `dir` to `out`: the entries of a directory first, in
// the file system's order, then each subdirectory's, depth first. False when `dir` itself cannot
// be opened; unreadable subdirectories are passed over. Symbolic links are never followed.
bool collectFiles(std::vector<std::string>& out, const std::string& dir);

// The first ".GM" stands right before the last character, or the first ".CGM" ends the path.
bool isSaveName(const std::string& path);
// "(converted)" stands right before a 4-character extension: a file this program wrote.
bool isOwnOutput(const std::string& path);
// The first ".CGM" ends the path.
bool isCampaignName(const std::string& path);
// The path with "(converted)" put before its 4-character extension.
std::string outputName(const std::string& path);
