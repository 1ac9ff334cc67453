#pragma once
// A converted copy is the save a player goes on playing: the game writes their progress back
// under the copy's own name. A file at a copy's name that may hold such progress is never
// replaced by a new conversion.

#include <string>
#include <vector>

// Whether `path` holds a save of the current release (as the header probe classifies it).
bool holdsCurrentSave(const std::string& path);

// True when the file at `path` is to be kept rather than replaced by `copy`: a save of the
// current release whose bytes differ from the copy's. One that cannot be read to the end for the
// comparison is kept too.
bool isChangedCurrentSave(const std::string& path, const std::vector<unsigned char>& copy);
