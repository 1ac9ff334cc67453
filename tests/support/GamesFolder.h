#pragma once
// A scratch working folder beside a games folder, as the converter is run by a player: saves are
// put below games/ and named as a run from work/ lists them.

#include <cstdint>
#include <string>
#include <vector>

#include "savegen/SaveBuilder.h"
#include "tests/support/TempTree.h"

class GamesFolder {
public:
    GamesFolder() { tree.makeDirectory("work"); }

    // Puts a file below games/ and returns the path the run lists it under.
    std::string put(const std::string& relative, const std::vector<unsigned char>& bytes) {
        tree.write("games/" + relative, bytes);
        return "../games/" + relative;
    }
    // Puts a save of `family`, a different one each time.
    std::string putSave(const std::string& relative, SaveFamily family, bool gzip) {
        return put(relative, makeSaveFile(family, gzip, seed++));
    }

    TempTree tree;
    std::uint64_t seed = 1;
};
