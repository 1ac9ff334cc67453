#pragma once
// Reads just enough of a save-named file to classify it: the first 8 bytes tell a raw save
// (signature "Q7SVG" or "Q7SVC") from a gzip one; the start of the content then holds the
// version header.

#include <cstddef>
#include <string>
#include <vector>

#include "engine/FileAccess.h"
#include "schema_core/ByteStream.h"

inline constexpr std::size_t HeaderProbeLength = 32;
inline constexpr std::size_t ProbeReadChunk = 16384;

enum class SaveProbeStatus {
    CannotOpen,            // missing, unreadable, or not a regular file (never opened then)
    CannotReadFirstBytes,  // fewer than 8 bytes
    CannotUnzip,           // gzip magic, but fewer than 32 content bytes could be inflated
    NoSignature,           // neither a save signature nor the gzip magic
    ContentRead,           // `content` holds the first content bytes
};

struct SaveProbe {
    SaveProbeStatus status = SaveProbeStatus::CannotOpen;
    std::vector<unsigned char> content;  // up to 32 bytes from the start of the content
    bool readError = false;              // the file failed to read while the content was taken
};

SaveProbe probeSaveFile(const std::string& path);

// Inflates the start of the gzip member read from `file` (at its first byte) into `out`, at most
// `wanted` bytes. True exactly when `wanted` bytes came out.
bool probeGzipContent(InputFile& file, ByteOutput& out, std::size_t wanted = HeaderProbeLength);
