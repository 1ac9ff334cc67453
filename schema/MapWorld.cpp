#include "schema/MapWorld.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "schema_core/LittleEndian.h"
#include "schema_core/ReadErrors.h"

namespace {

constexpr std::uint64_t maxBlockSize = std::numeric_limits<std::int32_t>::max();

// Reads a block of `size` bytes; the stream must hold them all before anything is allocated.
void readBlock(ByteInput& in, NodeBytes& block, std::size_t size) {
    const unsigned char* bytes = in.take(size);
    block.assign(bytes, bytes + size);
}

void writeFill(ByteOutput& out, std::size_t n, unsigned char value) {
    std::vector<unsigned char> fill(n, value);
    out.write(fill.data(), fill.size());
}

}  // namespace

// --- savegame_file_name -------------------------------------------------------------------

savegame_file_name::savegame_file_name(const std::string& outputBaseName, VersionPredicate presence)
    : BinarySequence(presence), outputBaseName(outputBaseName) {}

void savegame_file_name::read(ByteInput& in, const SvgVersion&) { in.read(buffer, fieldSize); }

void savegame_file_name::write(ByteOutput& out, const SvgVersion&) const {
    unsigned char field[fieldSize];
    std::memcpy(field, buffer, fieldSize);
    std::size_t length = std::min(outputBaseName.size(), maxNameLength);
    std::memcpy(field, outputBaseName.data(), length);
    field[length] = 0;
    out.write(field, fieldSize);
}

// --- SvgArtifacts -------------------------------------------------------------------------

// 161 entries in the layout of subversion 2, 163 from subversion 3 on.
std::int32_t SvgArtifacts::targetCount(const SvgVersion& version) {
    if (version.hasLevelFromSubversion3()) return 163;
    if (version.hasLevelOfSubversion2()) return 161;
    return countWithoutCountField;
}

void SvgArtifacts::read(ByteInput& in, const SvgVersion& version) {
    bytes.clear();
    if (hasCountField(version))
        readLittleEndian(in, artifactCount);
    else
        artifactCount = countWithoutCountField;
    if (artifactCount > maxCount) throw RecordLimitError("artifact count above the limit", in.position());
    // A negative count cannot be written back consistently with its (absent) bytes.
    if (artifactCount < 0) throw RecordLimitError("negative artifact count", in.position());
    if (artifactCount == 0) return;
    readBlock(in, bytes, static_cast<std::size_t>(artifactCount));
}

void SvgArtifacts::write(ByteOutput& out, const SvgVersion& version) const {
    // A block larger than the target's size keeps all its entries, and its count says so.
    std::int32_t count = std::max(targetCount(version), artifactCount);
    if (hasCountField(version)) writeLittleEndian(out, count);
    out.write(bytes.data(), bytes.size());
    writeFill(out, static_cast<std::size_t>(count - artifactCount), 1);
}

// --- SvgCells -----------------------------------------------------------------------------

// Walks the cells of one level without keeping anything and returns the bytes they take.
std::uint64_t SvgCells::measureLevel(ByteInput& in) const {
    std::size_t start = in.position();
    if (mapSize > maxMapSize) throw RecordLimitError("map size above the limit", in.position());
    std::uint64_t cells = static_cast<std::uint64_t>(mapSize) * mapSize;
    for (std::uint64_t i = 0; i < cells; ++i) {
        in.requireAvailable(cellFixedBytes + sizeof(std::uint32_t));
        in.seek(in.position() + cellFixedBytes);
        std::uint32_t entries = 0;
        readLittleEndian(in, entries);
        if (entries > maxEntries) throw RecordLimitError("cell entry count above the limit", in.position());
        in.requireAvailable(entries * entryBytes);
        in.seek(in.position() + entries * entryBytes);
    }
    return in.position() - start;
}

void SvgCells::read(ByteInput& in, const SvgVersion&) {
    bytes.clear();
    cellsSize = 0;
    std::size_t start = in.position();
    int levels = twoLevels != 0 ? 2 : 1;
    std::uint64_t total = 0;
    for (int level = 0; level < levels; ++level) total += measureLevel(in);
    if (total == 0) throw RecordLimitError("empty cell region", in.position());
    if (total > maxBlockSize) throw RecordLimitError("cell region too large", in.position());
    cellsSize = static_cast<std::int32_t>(total);
    in.seek(start);
    readBlock(in, bytes, static_cast<std::size_t>(cellsSize));
}

void MapSizedBlock::write(ByteOutput& out, const SvgVersion&) const { out.write(bytes.data(), bytes.size()); }

// --- SvgCellsParams -----------------------------------------------------------------------

void SvgCellsParams::read(ByteInput& in, const SvgVersion&) {
    bytes.clear();
    cellsSize = 0;
    // mapSize may reach 2^32 - 1, whose square times 4 needs 66 bits: bounded first, the product fits in 64.
    if (mapSize > 0xFFFF) throw RecordLimitError("cell parameter block too large", in.position());
    std::uint64_t size = static_cast<std::uint64_t>(mapSize) * mapSize * 2;
    if (twoLevels != 0) size *= 2;
    if (size > maxBlockSize) throw RecordLimitError("cell parameter block too large", in.position());
    if (size < 1) throw RecordLimitError("empty cell parameter block", in.position());
    cellsSize = static_cast<std::int32_t>(size);
    readBlock(in, bytes, static_cast<std::size_t>(cellsSize));
}

// --- Teleporters --------------------------------------------------------------------------

std::uint32_t SvgMonolythsArray::minimumGroupOne(const SvgVersion& version) {
    return version.hasLevelFromSubversion3() ? 21 : 17;
}

void SvgMonolythsArray::read(ByteInput& in, const SvgVersion& version) {
    clearChildren();
    if (hasCountFields(version)) {
        readLittleEndian(in, groupOneCount);
        readLittleEndian(in, groupTwoCount);
    } else {
        groupOneCount = oldGroupCount;
        groupTwoCount = oldGroupCount;
    }
    // Every list takes at least its 2-byte count, so hostile counts fail before any allocation.
    std::uint64_t lists = static_cast<std::uint64_t>(groupOneCount) + groupTwoCount;
    in.requireAvailable(lists * sizeof(unsigned short));
    reserveChildren(static_cast<std::size_t>(lists), in);
    for (std::uint64_t i = 0; i < lists; ++i) addNew<TeleportList>();
    readChildren(in, version);
}

void SvgMonolythsArray::write(ByteOutput& out, const SvgVersion& version) const {
    if (!hasCountFields(version)) {
        writeChildren(out, version);
        return;
    }
    std::uint32_t targetOne = std::max(groupOneCount, minimumGroupOne(version));
    std::uint32_t targetTwo = std::max(groupTwoCount, minimumGroupTwo);
    writeLittleEndian(out, targetOne);
    writeLittleEndian(out, targetTwo);
    const unsigned short emptyList = 0;
    for (std::uint32_t i = 0; i < groupOneCount; ++i) children[i]->write(out, version);
    for (std::uint32_t i = groupOneCount; i < targetOne; ++i) writeLittleEndian(out, emptyList);
    for (std::uint32_t i = 0; i < groupTwoCount; ++i) children[groupOneCount + i]->write(out, version);
    for (std::uint32_t i = groupTwoCount; i < targetTwo; ++i) writeLittleEndian(out, emptyList);
}
