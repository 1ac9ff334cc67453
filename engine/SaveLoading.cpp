// Loading a save file: container detection, gzip decoding, then the game-state read.

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/FileAccess.h"
#include "engine/GzipMember.h"
#include "engine/Q7Svg_impl.h"
#include "engine/SaveContainer.h"

using gzip_member::InflateEnd;

// A save the game writes meanwhile (an autosave) can be read torn, and a raw save has no checksum
// to show it: a file whose size or last-write time moved during the load fails.
void Q7Svg_impl::load(const std::string& fileName) {
    InputFile file(fileName);
    InputFile::Stamp before, after;
    if (!file.isOpen() || !file.stamp(before))
        return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    loadOpened(file, fileName);
    if (file.stamp(after) && after == before) return;
    sourceKind = source_kind::NothingLoaded;
    readFailure = ReadFailure::None;
    fail(engine_error::CannotOpenFile, engine_messages::changedWhileRead(fileName));
}

void Q7Svg_impl::loadOpened(InputFile& file, const std::string& fileName) {
    unsigned char header[8] = {};
    long long got = file.read(header, sizeof header);
    if (got < 0 || !file.rewind()) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    if (got < static_cast<long long>(sizeof header)) return fail(engine_error::TooShort, engine_messages::tooShort(fileName));
    if (!hasSaveSignature(header) && !hasGzipMagic(header))
        return fail(engine_error::UnknownSignature, engine_messages::unknownSignature(fileName, header));
    // The content buffers (up to the content bound) come from the heap: a machine that cannot
    // hold them fails this file, not the run.
    try {
        if (hasSaveSignature(header)) return loadRaw(file, fileName);
        loadGzip(file, fileName);
    } catch (const std::bad_alloc&) {
        sourceKind = source_kind::NothingLoaded;
        failCorrupted(ReadFailure::OutOfMemory, fileName);
    }
}

// A raw save is read whole into memory, within the content bound; a larger file is refused as
// corrupted before anything is allocated for it.
void Q7Svg_impl::loadRaw(InputFile& file, const std::string& fileName) {
    long long size = file.size();
    if (size < 0) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    if (static_cast<unsigned long long>(size) > maxContentBytes) return fail(engine_error::CorruptedFile, engine_messages::corrupted(fileName));
    // One byte more than the size found, to notice a file that grew meanwhile.
    auto content = std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(size) + 1);
    long long read = file.read(content.get(), static_cast<std::size_t>(size) + 1);
    if (read < 0) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    if (static_cast<unsigned long long>(read) > maxContentBytes) return fail(engine_error::CorruptedFile, engine_messages::corrupted(fileName));
    sourceKind = source_kind::Raw;
    loadedContentBytes = static_cast<std::size_t>(read);
    ByteInput in(content.get(), loadedContentBytes);
    parse(in, fileName);
}

// The gzip form is accepted only when its first member inflates completely (its CRC-32 and
// length then have been checked) and the file's last 4 bytes give the inflated size. A sound
// member is inflated in one call; anything else goes the streaming way, which tells exactly
// what is wrong.
void Q7Svg_impl::loadGzip(InputFile& file, const std::string& fileName) {
    long long size = file.size();
    unsigned char trailer[4];
    if (size < 4 || !file.readAt(static_cast<std::uint64_t>(size) - 4, trailer, sizeof trailer) || !file.rewind())
        return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    std::uint32_t expected = static_cast<std::uint32_t>(trailer[0]) | static_cast<std::uint32_t>(trailer[1]) << 8 |
                             static_cast<std::uint32_t>(trailer[2]) << 16 | static_cast<std::uint32_t>(trailer[3]) << 24;
    if (loadSoundGzip(file, static_cast<std::uint64_t>(size), expected, fileName)) return;
    if (!file.rewind()) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));

    std::vector<unsigned char> content;
    // The trailer's size, within the content bound, spares the copies of a growing buffer; it
    // is checked against what inflates below.
    content.reserve(std::min<std::size_t>(expected, maxContentBytes));
    // One byte of room past the bound tells content at the bound from content beyond it.
    InflateEnd end = gzip_member::inflateMember(file, content, maxContentBytes + 1);

    if (end == InflateEnd::NoDecoder) return fail(engine_error::Compression, engine_messages::inflateInitFailed(fileName));
    if (end == InflateEnd::ErrorFlag) return fail(engine_error::Compression, engine_messages::inflateErrorFlag(fileName));
    if (content.size() > maxContentBytes)
        return fail(engine_error::Compression, engine_messages::inflatedTooLarge(fileName, maxContentBytes));
    if (end == InflateEnd::ReadError) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForReading(fileName));
    // The content is bounded well below 2^31 bytes, so its size fits the signed total.
    auto produced = static_cast<std::int32_t>(content.size());
    if (expected != static_cast<std::uint32_t>(produced))
        return fail(engine_error::Compression, engine_messages::sizeMismatch(fileName, produced, expected));
    if (end == InflateEnd::DataError) return fail(engine_error::Compression, engine_messages::inflateDataError(fileName));
    if (end == InflateEnd::Incomplete) return fail(engine_error::Compression, engine_messages::inflateIncomplete(fileName));

    sourceKind = source_kind::Gzip;
    loadedContentBytes = content.size();
    ByteInput in(content);
    parse(in, fileName);
}

// The whole file in memory, inflated in one call into a buffer of the trailer's size. False,
// with nothing changed, unless that gives exactly the content the trailer announces.
bool Q7Svg_impl::loadSoundGzip(InputFile& file, std::uint64_t fileSize, std::uint32_t expected,
                               const std::string& fileName) {
    if (expected > maxContentBytes || fileSize > maxMemberBytes) return false;
    auto member = std::make_unique_for_overwrite<unsigned char[]>(fileSize);
    if (file.read(member.get(), fileSize) != static_cast<long long>(fileSize)) return false;
    auto content = std::make_unique_for_overwrite<unsigned char[]>(expected);
    if (!gzip_member::inflateWhole(member.get(), fileSize, content.get(), expected)) return false;
    member.reset();
    sourceKind = source_kind::Gzip;
    loadedContentBytes = expected;
    ByteInput in(content.get(), expected);
    parse(in, fileName);
    return true;
}
