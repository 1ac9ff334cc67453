// What the page's worker asks the program before a run, so that the page holds no copy of the
// walk's name rules: which files the run will read (their content is copied in, the others'
// names only) and which of them it looks at one by one (the page's progress counts those).

#include <emscripten.h>

#include <string>

#include "driver/SaveWalk.h"

// Bit 1: the run may read the file. Bit 2: the run looks at it as a save of its own.
extern "C" EMSCRIPTEN_KEEPALIVE int runReadsFile(const char* path) {
    const std::string name(path);
    if (!isSaveName(name)) return 0;
    return isOwnOutput(name) ? 1 : 3;
}
