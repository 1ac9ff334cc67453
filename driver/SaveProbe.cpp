#include "driver/SaveProbe.h"

#include <zlib.h>

#include <memory>

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
    z_stream stream{};
    if (inflateInit2(&stream, 31) != Z_OK) return false;
    const auto input = std::make_unique<unsigned char[]>(ProbeReadChunk);
    const auto output = std::make_unique<unsigned char[]>(wanted);

    std::size_t produced = 0;
    bool readError = false;
    while (produced < wanted) {
        const std::size_t got = readUpTo(file, input.get(), ProbeReadChunk, readError);
        if (got == 0) break;
        stream.next_in = input.get();
        stream.avail_in = static_cast<uInt>(got);
        stream.next_out = output.get();
        stream.avail_out = static_cast<uInt>(wanted - produced);
        const int result = inflate(&stream, Z_NO_FLUSH);
        // Bytes produced by the call that reached the end of the member count too, so that
        // content of exactly `wanted` bytes is probed like longer content.
        const std::size_t made = (wanted - produced) - stream.avail_out;
        out.write(output.get(), made);
        produced += made;
        if (result != Z_OK) break;
    }
    inflateEnd(&stream);
    return produced == wanted;
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
