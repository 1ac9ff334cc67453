#include "driver/SaveProbe.h"

#include <vector>

#include "engine/GzipMember.h"
#include "engine/SaveContainer.h"

namespace {

// Reads up to n bytes; a read error counts as no bytes and is noted in `error`.
std::size_t readUpTo(InputFile& file, unsigned char* destination, std::size_t n, bool& error) {
    const long long got = file.read(destination, n);
    if (got < 0) {
        error = true;
        return 0;
    }
    return static_cast<std::size_t>(got);
}

}  // namespace

bool probeGzipContent(InputFile& file, ByteOutput& out, std::size_t wanted) {
    std::vector<unsigned char> content;
    gzip_member::inflateMember(file, content, wanted, ProbeReadChunk);
    // Content that ends right at `wanted` bytes counts, so that it is probed like longer content.
    out.write(content.data(), content.size());
    return content.size() == wanted;
}

SaveProbe probeSaveFile(const std::string& path) {
    SaveProbe probe;
    InputFile file(path);
    if (!file.isOpen()) return probe;

    unsigned char first[8];
    if (readUpTo(file, first, sizeof first, probe.readError) != sizeof first) {
        probe.status = SaveProbeStatus::CannotReadFirstBytes;
        return probe;
    }
    if (!file.rewind()) {
        probe.status = SaveProbeStatus::CannotReadFirstBytes;
        return probe;
    }

    if (hasSaveSignature(first)) {
        probe.content.resize(HeaderProbeLength);
        probe.content.resize(readUpTo(file, probe.content.data(), HeaderProbeLength, probe.readError));
        probe.status = SaveProbeStatus::ContentRead;
    } else if (hasGzipMagic(first)) {
        ByteOutput content;
        if (!probeGzipContent(file, content)) {
            probe.status = SaveProbeStatus::CannotUnzip;
            return probe;
        }
        probe.content = content.bytes();
        probe.status = SaveProbeStatus::ContentRead;
    } else {
        probe.status = SaveProbeStatus::NoSignature;
    }
    return probe;
}
