// Loading a save file: container detection, gzip decoding, then the game-state read.

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/FileAccess.h"
#include "engine/GzipMember.h"
#include "engine/Q7Svg_impl.h"
#include "engine/SaveContainer.h"

namespace {

enum class InflateEnd { Complete, ErrorFlag, DataError, Incomplete, TooLarge, ReadError };

// Inflates the first gzip member of the file, read in chunks from its start, into content.
// Stops as soon as the content would pass `limit` bytes.
InflateEnd inflateFirstMember(InputFile& file, z_stream& stream, std::vector<unsigned char>& content, std::size_t limit) {
    std::vector<unsigned char> input(1 << 16);
    std::vector<unsigned char> output(1 << 16);
    while (true) {
        if (stream.avail_in == 0) {
            long long got = file.read(input.data(), input.size());
            if (got < 0) return InflateEnd::ReadError;
            if (got == 0) return InflateEnd::Incomplete;
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(got);
        }
        stream.next_out = output.data();
        stream.avail_out = static_cast<uInt>(output.size());
        int result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_NEED_DICT || result == Z_STREAM_ERROR || result == Z_MEM_ERROR) return InflateEnd::ErrorFlag;
        std::size_t produced = output.size() - stream.avail_out;
        if (produced > limit - content.size()) return InflateEnd::TooLarge;
        content.insert(content.end(), output.begin(), output.begin() + static_cast<std::ptrdiff_t>(produced));
        if (result == Z_STREAM_END) return InflateEnd::Complete;
        if (result == Z_DATA_ERROR) return InflateEnd::DataError;
        // Z_BUF_ERROR with input left cannot make progress; with no input left, read more.
        if (result == Z_BUF_ERROR && stream.avail_in != 0) return InflateEnd::Incomplete;
    }
}

}  // namespace

void Q7Svg_impl::load(const std::string& fileName) {
    InputFile file(fileName);
    if (!file.isOpen()) return fail(1, engine_messages::cannotOpenForReading(fileName));
    unsigned char header[8] = {};
    long long got = file.read(header, sizeof header);
    if (got < 0 || !file.rewind()) return fail(1, engine_messages::cannotOpenForReading(fileName));
    if (got < static_cast<long long>(sizeof header)) return fail(2, engine_messages::tooShort(fileName));
    if (hasSaveSignature(header)) return loadRaw(file, fileName);
    if (!hasGzipMagic(header)) return fail(3, engine_messages::unknownSignature(fileName, header));
    loadGzip(file, fileName);
}

// A raw save is read whole into memory, within the content bound; a larger file is refused as
// corrupted before anything is allocated for it.
void Q7Svg_impl::loadRaw(InputFile& file, const std::string& fileName) {
    long long size = file.size();
    if (size < 0) return fail(1, engine_messages::cannotOpenForReading(fileName));
    if (static_cast<unsigned long long>(size) > maxContentBytes) return fail(7, engine_messages::corrupted(fileName));
    // One byte more than the size found, to notice a file that grew meanwhile.
    auto content = std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(size) + 1);
    long long read = file.read(content.get(), static_cast<std::size_t>(size) + 1);
    if (read < 0) return fail(1, engine_messages::cannotOpenForReading(fileName));
    if (static_cast<unsigned long long>(read) > maxContentBytes) return fail(7, engine_messages::corrupted(fileName));
    sourceKind = 2;
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
        return fail(1, engine_messages::cannotOpenForReading(fileName));
    std::uint32_t expected = static_cast<std::uint32_t>(trailer[0]) | static_cast<std::uint32_t>(trailer[1]) << 8 |
                             static_cast<std::uint32_t>(trailer[2]) << 16 | static_cast<std::uint32_t>(trailer[3]) << 24;
    if (loadSoundGzip(file, static_cast<std::uint64_t>(size), expected, fileName)) return;
    if (!file.rewind()) return fail(1, engine_messages::cannotOpenForReading(fileName));

    z_stream stream{};
    if (inflateInit2(&stream, 31) != Z_OK) return fail(6, engine_messages::inflateInitFailed(fileName));
    std::vector<unsigned char> content;
    // The trailer's size, within the content bound, spares the copies of a growing buffer; it
    // is checked against what inflates below.
    content.reserve(std::min<std::size_t>(expected, maxContentBytes));
    InflateEnd end = inflateFirstMember(file, stream, content, maxContentBytes);
    inflateEnd(&stream);

    if (end == InflateEnd::ErrorFlag) return fail(6, engine_messages::inflateErrorFlag(fileName));
    if (end == InflateEnd::TooLarge) return fail(6, engine_messages::inflatedTooLarge(fileName, maxContentBytes));
    if (end == InflateEnd::ReadError) return fail(1, engine_messages::cannotOpenForReading(fileName));
    // The content is bounded well below 2^31 bytes, so its size fits the signed total.
    auto produced = static_cast<std::int32_t>(content.size());
    if (expected != static_cast<std::uint32_t>(produced))
        return fail(6, engine_messages::sizeMismatch(fileName, produced, expected));
    if (end == InflateEnd::DataError) return fail(6, engine_messages::inflateDataError(fileName));
    if (end == InflateEnd::Incomplete) return fail(6, engine_messages::inflateIncomplete(fileName));

    sourceKind = 1;
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
    sourceKind = 1;
    loadedContentBytes = expected;
    ByteInput in(content.get(), expected);
    parse(in, fileName);
    return true;
}
