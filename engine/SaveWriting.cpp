// Writing the converted save: target checks, the game-state write, the read-back that proves the
// copy before it is kept, optional gzip framing and an atomic replacement of the output file.

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "engine/EngineMessages.h"
#include "engine/FileAccess.h"
#include "engine/GzipMember.h"
#include "engine/Q7Svg_impl.h"
#include "engine/VersionPolicy.h"
#include "engine/WriteSeam.h"

namespace {

bool sameBytes(const ByteOutput& written, const std::vector<unsigned char>& body, std::size_t start) {
    return written.size() <= body.size() - start && std::memcmp(written.data(), body.data() + start, written.size()) == 0;
}

}  // namespace

void Q7Svg_impl::convertAndSave(const SvgVersion& target, bool compress, const std::string& fileName) {
    outputBaseName = platform::saveFieldName(baseNameOf(fileName));
    if (!isAcceptedSourceVersion(target)) return fail(engine_error::UnsupportedVersion, unknownTargetMessage(target));
    if (isOlderThan(target, sourceVersion)) return fail(engine_error::OlderTarget, olderTargetMessage(target, sourceVersion));
    if (sourceKind == source_kind::NothingLoaded) return fail(engine_error::NothingLoaded, engine_messages::nothingLoaded());

    try {
        writeConverted(target, compress, fileName);
    } catch (const std::bad_alloc&) {
        // The machine could not hold the converted copy: nothing was written.
        fail(engine_error::CannotOpenFile, engine_messages::cannotWrite(fileName, "out of memory"));
    }
}

// The copy is kept only when the game state as written reads back with the target version, record
// by record to the byte where each was written, and writes again to the same bytes; a gzip member
// must inflate back to it too. Nothing reaches the disk before.
void Q7Svg_impl::writeConverted(const SvgVersion& target, bool compress, const std::string& fileName) {
    ByteOutput out;
    // A conversion adds little (default heroes, grown tables), so one allocation usually does.
    out.reserve(loadedContentBytes + (std::size_t{64} << 10));
    std::vector<std::size_t> recordEnds;
    recordEnds.reserve(children.size());
    for (const auto& child : children) {
        if (child->isPresent(target)) child->write(out, target);
        recordEnds.push_back(out.size());
    }
    std::vector<unsigned char> body = out.take();
    if (write_seam::faults().body != nullptr) write_seam::faults().body(body, recordEnds);
    if (!readsBack(body, recordEnds, target, fileName) || !writesBackTheSame(body, recordEnds, target, fileName)) {
        // What was loaded is gone and what was read back is not sound: nothing is left to convert.
        sourceKind = source_kind::NothingLoaded;
        return;
    }
    // From here on the tree holds the converted game state as read back; it writes the same body.

    std::vector<unsigned char> fileBytes;
    if (compress) {
        gzip_member::DeflateResult result = gzip_member::deflateWhole(body, fileBytes);
        if (result == gzip_member::DeflateResult::NoCompressor) return fail(engine_error::Compression, engine_messages::deflateInitFailed());
        if (result == gzip_member::DeflateResult::Failed) return fail(engine_error::Compression, engine_messages::deflateFailed());
        if (write_seam::faults().member != nullptr) write_seam::faults().member(fileBytes);
        if (!inflatesBack(fileBytes, body)) return fail(engine_error::CannotOpenFile, engine_messages::inflatesBackDifferently(fileName));
    } else {
        fileBytes = std::move(body);
    }

    if (existingFileRule != nullptr && existingFileRule->keeps(fileName, fileBytes)) {
        outputKept = true;
        errorCode = engine_error::None;
        errorMessage.clear();
        return;
    }
    FileWriteResult written = writeFileReplacing(fileName, fileBytes);
    if (written.status == FileWriteResult::CannotCreate) return fail(engine_error::CannotOpenFile, engine_messages::cannotOpenForWriting(fileName));
    if (written.status == FileWriteResult::WriteFailed)
        return fail(engine_error::CannotOpenFile, engine_messages::cannotWrite(fileName, written.errorText));
    errorCode = engine_error::None;
    errorMessage.clear();
}

// The loaded tree has been written and is let go; the body is read through a fresh one with the
// target version, under the same memory budget as a load. Every record must end where it was
// written to end, the last one at the body's end.
bool Q7Svg_impl::readsBack(const std::vector<unsigned char>& body, const std::vector<std::size_t>& recordEnds,
                           const SvgVersion& target, const std::string& fileName) {
    ByteInput in(body);
    in.raiseOnFailure();
    std::size_t record = 0;
    try {
        rebuildTree();
        budget.setLimit(treeMemoryBudget(body.size()));
        for (; record < children.size(); ++record) {
            BinarySequence& child = *children[record];
            if (child.isPresent(target)) child.read(in, target);
            if (in.position() != recordEnds[record]) break;
        }
    } catch (const std::bad_alloc&) {
        // Out of memory here leaves the engine without its tree, as any failure of the read-back.
        budget.setLimit(UnlimitedMemory);
        fail(engine_error::CannotOpenFile, engine_messages::cannotWrite(fileName, "out of memory"));
        return false;
    } catch (const std::exception&) {
        budget.setLimit(UnlimitedMemory);
        fail(engine_error::CannotOpenFile, engine_messages::readBackFailed(fileName, record));
        return false;
    }
    budget.setLimit(UnlimitedMemory);
    if (record == children.size()) return true;
    fail(engine_error::CannotOpenFile, engine_messages::readBackMisplaced(fileName, record, in.position(), recordEnds[record]));
    return false;
}

// The tree read back is written again record by record into one reused buffer, each record
// compared with its bytes of the body.
bool Q7Svg_impl::writesBackTheSame(const std::vector<unsigned char>& body, const std::vector<std::size_t>& recordEnds,
                                   const SvgVersion& target, const std::string& fileName) {
    ByteOutput again;
    std::size_t largest = 0;
    for (std::size_t record = 0, start = 0; record < recordEnds.size(); start = recordEnds[record++])
        largest = std::max(largest, recordEnds[record] - start);
    again.reserve(largest);
    std::size_t start = 0;
    for (std::size_t record = 0; record < children.size(); ++record) {
        again.clear();
        if (children[record]->isPresent(target)) children[record]->write(again, target);
        if (again.size() != recordEnds[record] - start || !sameBytes(again, body, start)) {
            fail(engine_error::CannotOpenFile, engine_messages::writesBackDifferently(fileName, record));
            return false;
        }
        start = recordEnds[record];
    }
    return true;
}

bool Q7Svg_impl::inflatesBack(const std::vector<unsigned char>& member, const std::vector<unsigned char>& body) {
    auto inflated = std::make_unique_for_overwrite<unsigned char[]>(body.size());
    return gzip_member::inflateWhole(member.data(), member.size(), inflated.get(), body.size()) &&
           std::memcmp(inflated.get(), body.data(), body.size()) == 0;
}
