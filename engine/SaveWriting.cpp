// Writing the converted save: target checks, the game-state write, optional gzip framing and
// an atomic replacement of the output file.

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/FileAccess.h"
#include "engine/GzipMember.h"
#include "engine/Q7Svg_impl.h"
#include "engine/VersionPolicy.h"

void Q7Svg_impl::convertAndSave(const SvgVersion& target, bool compress, const std::string& fileName) {
    outputBaseName = platform::saveFieldName(baseNameOf(fileName));
    if (!isAcceptedSourceVersion(target)) return fail(4, unknownTargetMessage(target));
    if (isOlderThan(target, sourceVersion)) return fail(9, olderTargetMessage(target, sourceVersion));
    if (sourceKind == 0) return fail(8, engine_messages::nothingLoaded());

    try {
        writeConverted(target, compress, fileName);
    } catch (const std::bad_alloc&) {
        // The machine could not hold the converted copy: nothing was written.
        fail(1, engine_messages::cannotWrite(fileName, "out of memory"));
    }
}

void Q7Svg_impl::writeConverted(const SvgVersion& target, bool compress, const std::string& fileName) {
    ByteOutput body;
    // A conversion adds little (default heroes, grown tables), so one allocation usually does.
    body.reserve(loadedContentBytes + (std::size_t{64} << 10));
    write(body, target);
    std::vector<unsigned char> fileBytes;
    if (compress) {
        gzip_member::DeflateResult result = gzip_member::deflateWhole(body.bytes(), fileBytes);
        if (result == gzip_member::DeflateResult::NoCompressor) return fail(6, engine_messages::deflateInitFailed());
        if (result == gzip_member::DeflateResult::Failed) return fail(6, engine_messages::deflateFailed());
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
