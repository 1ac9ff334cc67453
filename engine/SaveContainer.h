#pragma once
// How the first bytes of a save file tell its container: a raw save starts with its signature,
// a gzip save with the gzip magic.

#include <cstring>

inline bool hasSaveSignature(const unsigned char* first) {
    return std::memcmp(first, "Q7SVG", 5) == 0 || std::memcmp(first, "Q7SVC", 5) == 0;
}

inline bool hasGzipMagic(const unsigned char* first) { return first[0] == 0x1F && first[1] == 0x8B; }
