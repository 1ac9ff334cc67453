#include "fuzz/FuzzTargets.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory_resource>
#include <string>
#include <utility>
#include <vector>

#include "driver/Q7Svg.h"
#include "driver/SaveProbe.h"
#include "engine/Q7Svg_impl.h"
#include "engine/SaveContainer.h"
#include "engine/VersionPolicy.h"
#include "fuzz/RecordPick.h"
#include "savegen/FileBytes.h"
#include "tests/support/ConversionCheck.h"
#include "tests/support/ScratchDir.h"

namespace {

// One folder for the whole process: targets run many thousand times.
const ScratchDir& scratch() {
    static const ScratchDir folder(memoryBackedTempDirectory());
    return folder;
}

std::string putInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = scratch().file("input.GM1");
    writeFileBytes(path, data, size);
    return path;
}

bool startsWithSignature(const std::uint8_t* data, std::size_t size) { return size >= 8 && hasSaveSignature(data); }
bool startsWithGzipMagic(const std::uint8_t* data, std::size_t size) { return size >= 8 && hasGzipMagic(data); }

// The load's outcome agrees with the input's container and with the engine's state table.
std::string loadFault(const std::uint8_t* data, std::size_t size) {
    Q7Svg_impl engine;
    engine.load(putInput(data, size));
    const std::uint32_t code = engine.errorCode;
    if (code != 0 && engine.errorMessage.empty()) return "failure without a message";
    if (size < 8) return code == 2 ? "" : "short file not refused as short";
    if (startsWithSignature(data, size)) {
        if (code != 0 && code != 4 && code != 7) return "raw save failed with code " + std::to_string(code);
    } else if (startsWithGzipMagic(data, size)) {
        if (code != 0 && code != 4 && code != 6 && code != 7) return "gzip save failed with code " + std::to_string(code);
    } else if (code != 3) {
        return "unknown signature not refused";
    }
    if (code == 0 && engine.sourceKind != (startsWithSignature(data, size) ? 2u : 1u)) return "wrong source kind";
    if (code == 7 && engine.sourceKind != 0) return "corrupted file keeps a source kind";
    return {};
}

// The header probe reads the same version as the whole content: 32 bytes hold every header.
std::string probeFault(const std::uint8_t* data, std::size_t size) {
    const SaveProbe probe = probeSaveFile(putInput(data, size));
    if (size < 8) return probe.status == SaveProbeStatus::CannotReadFirstBytes ? "" : "short file not refused";
    if (startsWithSignature(data, size)) {
        if (probe.status != SaveProbeStatus::ContentRead) return "raw save not read";
        const std::size_t taken = std::min<std::size_t>(size, HeaderProbeLength);
        if (!std::equal(probe.content.begin(), probe.content.end(), data, data + taken) || probe.content.size() != taken)
            return "raw probe content differs from the file's start";
        ByteInput fromProbe(probe.content);
        ByteInput whole(data, size);
        if (size >= HeaderProbeLength && classifySavefile(fromProbe) != classifySavefile(whole))
            return "probe classifies differently from the whole content";
        return {};
    }
    if (startsWithGzipMagic(data, size)) {
        if (probe.status == SaveProbeStatus::CannotUnzip) return {};
        if (probe.status != SaveProbeStatus::ContentRead || probe.content.size() != HeaderProbeLength)
            return "gzip probe neither refused nor complete";
        ByteInput fromProbe(probe.content);
        (void)classifySavefile(fromProbe);
        return {};
    }
    return probe.status == SaveProbeStatus::NoSignature ? "" : "unknown signature not passed over";
}

std::string conversionFault(const std::uint8_t* data, std::size_t size) {
    static const ScratchDir folder(memoryBackedTempDirectory());
    return checkConversion(folder.path(), std::vector<unsigned char>(data, data + size)).fault;
}

// Where the one-record trees take their arena blocks from: blocks given back are handed out again
// to the next input's trees instead of being mapped afresh, which would cost more than the record.
std::pmr::memory_resource* recordMemory() {
    static std::pmr::unsynchronized_pool_resource pool(std::pmr::pool_options{0, std::size_t{1} << 20});
    return &pool;
}

// One record read with the picked version; when it reads, its write with the conversion's target
// must read back through a fresh tree to exactly its end and write again to the same bytes.
std::string recordFault(const std::uint8_t* data, std::size_t size) {
    RecordPick pick;
    if (!pickRecord(data, size, pick)) return {};
    const SvgVersion target = conversionTargetFor(pick.source);
    std::vector<unsigned char> first;
    {
        Q7Svg_impl engine(pickedRecord(pick), recordMemory());
        BinarySequence& node = pickedNode(engine, pick);
        ByteInput in(pick.bytes, pick.size);
        in.raiseOnFailure();
        try {
            if (node.isPresent(pick.source)) node.read(in, pick.source);
        } catch (const std::exception&) {
            return {};  // refused, as a load refuses a corrupted file
        }
        ByteOutput out;
        if (node.isPresent(target)) node.write(out, target);
        first = out.take();
    }
    Q7Svg_impl engine(pickedRecord(pick), recordMemory());
    BinarySequence& node = pickedNode(engine, pick);
    ByteInput in(first);
    in.raiseOnFailure();
    try {
        if (node.isPresent(target)) node.read(in, target);
    } catch (const std::exception& error) {
        return std::string("the written record does not read back: ") + error.what();
    }
    if (in.position() != first.size()) return "the written record reads back to byte " + std::to_string(in.position()) +
                                              " of " + std::to_string(first.size());
    ByteOutput again;
    if (node.isPresent(target)) node.write(again, target);
    return again.bytes() == first ? "" : "the record read back writes differently";
}

// A seed still belongs to the record and the version its head names: it reads as that record to
// exactly its end and writes back, with the same version, to the same bytes. A seed cut from
// another record, or from the layout of another version, does not.
std::string recordSeedFault(const std::uint8_t* data, std::size_t size) {
    RecordPick pick;
    if (!pickRecord(data, size, pick)) return "no whole head";
    if (!pick.named) return "the head names no record of the tree, or no version a save file has";
    Q7Svg_impl engine(pickedRecord(pick), recordMemory());
    BinarySequence& node = pickedNode(engine, pick);
    if (!node.isPresent(pick.source)) return "the record is not in the files of the version named";
    ByteInput in(pick.bytes, pick.size);
    in.raiseOnFailure();
    try {
        node.read(in, pick.source);
    } catch (const std::exception& error) {
        return std::string("the bytes do not read as the record named: ") + error.what();
    }
    if (in.position() != pick.size)
        return "the record named ends at byte " + std::to_string(in.position()) + " of " + std::to_string(pick.size);
    ByteOutput out;
    node.write(out, pick.source);
    return std::equal(out.bytes().begin(), out.bytes().end(), pick.bytes, pick.bytes + pick.size)
               ? ""
               : "the record named writes other bytes with the version named";
}

constexpr std::array<NamedFuzzTarget, 5> Targets = {{
    {"load_raw", loadFault, nullptr},
    {"load_gzip", loadFault, nullptr},
    {"probe", probeFault, nullptr},
    {"load_convert", conversionFault, nullptr},
    {"record_convert", recordFault, recordSeedFault},
}};

}  // namespace

const NamedFuzzTarget* findFuzzTarget(std::string_view name) {
    for (const NamedFuzzTarget& target : Targets)
        if (name == target.name) return &target;
    return nullptr;
}
