// Writing the converted save: target checks, the game-state write, optional gzip framing and
// an atomic replacement of the output file.

#include <zlib.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/FileAccess.h"
#include "engine/Q7Svg_impl.h"
#include "engine/VersionPolicy.h"

namespace {

enum class DeflateResult { Done, InitFailed, Failed };

// The gzip header's system byte says Unix (3) whatever system wrote the file, so that every
// build writes the same bytes; the other header fields stay zlib's defaults.
constexpr int GzipHeaderSystemUnix = 3;

// Compresses content into one gzip member with zlib's default header, deflating until the
// end of the stream whatever the data's compressibility.
DeflateResult gzipCompress(const std::vector<unsigned char>& content, std::vector<unsigned char>& member) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        deflateEnd(&stream);
        return DeflateResult::InitFailed;
    }
    gz_header header{};
    header.os = GzipHeaderSystemUnix;
    if (deflateSetHeader(&stream, &header) != Z_OK) {
        deflateEnd(&stream);
        return DeflateResult::InitFailed;
    }
    // Input is handed over in pieces that fit zlib's 32-bit counters.
    const std::size_t pieceLimit = std::size_t{1} << 30;
    std::size_t offset = 0;
    member.resize(deflateBound(&stream, static_cast<uLong>(content.size())) + 64);
    std::size_t produced = 0;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        if (stream.avail_in == 0 && offset < content.size()) {
            std::size_t piece = std::min(pieceLimit, content.size() - offset);
            stream.next_in = const_cast<Bytef*>(content.data() + offset);
            stream.avail_in = static_cast<uInt>(piece);
            offset += piece;
        }
        if (produced == member.size()) member.resize(member.size() * 2);
        std::size_t room = std::min(pieceLimit, member.size() - produced);
        stream.next_out = member.data() + produced;
        stream.avail_out = static_cast<uInt>(room);
        int flush = offset == content.size() ? Z_FINISH : Z_NO_FLUSH;
        result = deflate(&stream, flush);
        produced += room - stream.avail_out;
        if (result == Z_STREAM_ERROR) {
            deflateEnd(&stream);
            return DeflateResult::Failed;
        }
    }
    deflateEnd(&stream);
    member.resize(produced);
    return DeflateResult::Done;
}

}  // namespace

void Q7Svg_impl::convertAndSave(const SvgVersion& target, bool compress, const std::string& fileName) {
    outputBaseName = platform::saveFieldName(baseNameOf(fileName));
    if (!isAcceptedSourceVersion(target)) return fail(4, unknownTargetMessage(target));
    if (isOlderThan(target, sourceVersion)) return fail(9, olderTargetMessage(target, sourceVersion));
    if (sourceKind == 0) return fail(8, engine_messages::nothingLoaded());

    ByteOutput body;
    // A conversion adds little (default heroes, grown tables), so one allocation usually does.
    body.reserve(loadedContentBytes + (std::size_t{64} << 10));
    write(body, target);
    std::vector<unsigned char> fileBytes;
    if (compress) {
        DeflateResult result = gzipCompress(body.bytes(), fileBytes);
        if (result == DeflateResult::InitFailed) return fail(6, engine_messages::deflateInitFailed());
        if (result == DeflateResult::Failed) return fail(6, engine_messages::deflateFailed());
    } else {
        fileBytes = std::move(body.bytes());
    }

    FileWriteResult written = writeFileReplacing(fileName, fileBytes);
    if (written.status == FileWriteResult::CannotCreate) return fail(1, engine_messages::cannotOpenForWriting(fileName));
    if (written.status == FileWriteResult::WriteFailed)
        return fail(1, engine_messages::cannotWrite(fileName, written.errorText));
    errorCode = 0;
    errorMessage.clear();
}
