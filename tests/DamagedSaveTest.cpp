// Saves of every family and both containers, damaged in the ways a shared or hostile file can
// be: cut at record boundaries, single bytes changed, counts and tags set to every extreme, gzip
// members broken or unusual. Each case must load with an expected failure code, or convert into
// an output that loads back; a failed load writes nothing and no source is ever changed.

#include <gtest/gtest.h>

#include <cxxabi.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include <zlib.h>

#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "schema_core/ConditionnalBinarySequence.h"
#include "tests/support/ConversionCheck.h"
#include "tests/support/ScratchDir.h"

namespace {

using Codes = std::set<std::uint32_t>;

// One damaged save file and the load codes it may give (0: it loads and converts).
struct DamagedCase {
    std::string name;
    std::vector<unsigned char> file;
    Codes allowed;
};

struct Field {
    std::size_t offset;
    std::size_t width;
    std::string record;
};

// Where the records of a loaded save lie in its content.
struct SaveMap {
    std::vector<std::size_t> topLevel;  // start of every top-level record
    std::set<std::size_t> boundaries;   // start and end of every record below, down to MapDepth
    std::vector<Field> counts;         // array counts
    std::vector<Field> tags;           // tags of conditional records, one per record class
    std::size_t headerEnd = 0;         // end of the signature and version fields
    std::size_t tailStart = 0;         // start of the opaque tail, which takes whatever is left
};

constexpr int MapDepth = 3;

std::string recordName(const BinarySequence& node) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(node).name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 ? name.get() : typeid(node).name();
}

std::size_t writtenSize(const BinarySequence& node, const SvgVersion& version) {
    if (!node.isPresent(version)) return 0;
    ByteOutput out;
    node.write(out, version);
    return out.size();
}

template <class Tag>
bool hasTagOf(const BinarySequence& node) {
    return dynamic_cast<const ConditionnalBinarySequence<Tag>*>(&node) != nullptr;
}

std::size_t tagWidthOf(const BinarySequence& node) {
    if (hasTagOf<unsigned char>(node) || hasTagOf<signed char>(node) || hasTagOf<char>(node)) return 1;
    if (hasTagOf<unsigned short>(node)) return 2;
    return 0;
}

// A record writes its children one after another, after a prefix of its own: the tag of a
// conditional record, the count of an array.
void mapRecord(const BinarySequence& node, std::size_t start, std::size_t size, int depth, const SvgVersion& version,
               SaveMap& map, std::set<std::string>& taggedClasses) {
    const auto& children = node.getChildren();
    if (children.empty()) return;
    std::vector<std::size_t> sizes;
    std::size_t childBytes = 0;
    for (const auto& child : children) childBytes += sizes.emplace_back(writtenSize(*child, version));
    if (childBytes > size) return;
    const std::size_t prefix = size - childBytes;
    const std::size_t tagWidth = tagWidthOf(node);
    if (tagWidth != 0 && prefix == tagWidth && taggedClasses.insert(recordName(node)).second)
        map.tags.push_back({start, tagWidth, recordName(node)});
    else if (tagWidth == 0 && (prefix == 1 || prefix == 2 || prefix == 4))
        map.counts.push_back({start, prefix, recordName(node)});
    if (depth > 1) {
        map.boundaries.insert(start);
        map.boundaries.insert(start + size);
    }
    if (depth == MapDepth) return;
    std::size_t offset = start + prefix;
    for (std::size_t i = 0; i < children.size(); ++i) {
        mapRecord(*children[i], offset, sizes[i], depth + 1, version, map, taggedClasses);
        offset += sizes[i];
    }
}

// Top-level records are placed by reading them one after another. Inside, offsets come from
// writing each record back with the source version; a record whose write differs from what was
// read (the conversion fix-ups, the saved-game name) is not mapped inside.
SaveMap mapSave(const std::vector<unsigned char>& content) {
    ScratchDir scratch;
    Q7Svg_impl engine;
    engine.load(scratch.put("map.GM1", content));
    EXPECT_EQ(engine.errorCode, 0u) << engine.errorMessage;
    const SvgVersion version = engine.sourceVersion;
    Q7Svg_impl fresh;
    ByteInput in(content);
    SaveMap map;
    std::set<std::string> taggedClasses;
    const auto& records = fresh.getChildren();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i]->isPresent(version)) continue;
        const std::size_t start = in.position();
        records[i]->read(in, version);
        const std::size_t size = in.position() - start;
        if (i + 1 == records.size()) map.tailStart = start;
        map.topLevel.push_back(start);
        ByteOutput written;
        records[i]->write(written, version);
        const auto slice = content.begin() + static_cast<std::ptrdiff_t>(start);
        if (written.size() == size && std::equal(written.bytes().begin(), written.bytes().end(), slice))
            mapRecord(*records[i], start, size, 1, version, map, taggedClasses);
    }
    EXPECT_FALSE(in.failed());
    EXPECT_EQ(in.position(), content.size());
    // The version fields follow the 8 signature bytes: 4 bytes each, as many as the family has.
    map.headerEnd = 8 + 4 * (1 + (version.svg_version >= 44 ? 1 : 0) + (version.svg_version >= 45 ? 1 : 0));
    return map;
}

struct SaveForm {
    SaveFamily family;
    bool gzip;
    std::string name() const { return std::string(nameOf(family)) + (gzip ? " gzip" : " raw"); }
    // The save file holding `content` in this form; damaged cases compress fast.
    std::vector<unsigned char> file(const std::vector<unsigned char>& content) const {
        return gzip ? gzipMember(content, 1) : content;
    }
};

std::vector<SaveForm> everyForm() {
    std::vector<SaveForm> forms;
    for (SaveFamily family : kAllSaveFamilies)
        for (bool gzip : {false, true}) forms.push_back({family, gzip});
    return forms;
}

std::vector<unsigned char> smallContent(SaveFamily family) {
    Rng rng(17);
    return encodeGameState(randomGameState(family, rng), versionOf(family)).data;
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build runs unoptimised, about thirty times slower: it takes every tenth case,
// which still passes through every kind of damage and every part of the engine.
constexpr std::size_t CaseStride = 10;
#else
constexpr std::size_t CaseStride = 1;
#endif

void checkAll(const std::vector<DamagedCase>& cases, std::size_t stride = CaseStride) {
    // Thousands of files are written, synced and removed.
    ScratchDir scratch(memoryBackedTempDirectory());
    for (std::size_t i = 0; i < cases.size(); i += stride) {
        const DamagedCase& c = cases[i];
        const ConversionCheck check = checkConversion(scratch.path(), c.file);
        EXPECT_TRUE(check.fault.empty()) << c.name << ": " << check.fault;
        EXPECT_TRUE(c.allowed.count(check.loadCode)) << c.name << ": load gave code " << check.loadCode;
    }
}

// Bytes of `content` with the little-endian field at `field` set to `value`'s low bytes.
std::vector<unsigned char> withField(std::vector<unsigned char> content, const Field& field, std::uint32_t value) {
    for (std::size_t i = 0; i < field.width; ++i) content[field.offset + i] = static_cast<unsigned char>(value >> (8 * i));
    return content;
}

std::string at(const Field& field) { return field.record + " at " + std::to_string(field.offset); }

// At most n of the items, spread evenly from the first on: the suite stays quick enough to run
// under the sanitizers while reaching every part of the save.
template <class T>
std::vector<T> spread(const std::vector<T>& items, std::size_t n) {
    if (items.size() <= n) return items;
    std::vector<T> picked;
    for (std::size_t i = 0; i < n; ++i) picked.push_back(items[i * items.size() / n]);
    return picked;
}

constexpr std::size_t DeepCutsPerForm = 40;
constexpr std::size_t CountsPerForm = 12;
constexpr std::size_t ChangedBytesPerForm = 48;
constexpr std::size_t TagValuesPerRecord = 64;

TEST(DamagedSave, TruncatedAtRecordBoundaries) {
    for (const SaveForm& form : everyForm()) {
        const std::vector<unsigned char> content = smallContent(form.family);
        const SaveMap map = mapSave(content);
        std::vector<std::size_t> cuts = map.topLevel;
        const std::vector<std::size_t> deeper(map.boundaries.begin(), map.boundaries.end());
        for (std::size_t cut : spread(deeper, DeepCutsPerForm)) cuts.push_back(cut);
        std::vector<DamagedCase> cases;
        for (std::size_t cut : cuts) {
            if (cut >= content.size()) continue;
            // Cut inside the version fields: the partial version is refused or the body is short.
            const Codes allowed = cut < map.headerEnd ? Codes{2, 4, 7} : cut < map.tailStart ? Codes{7} : Codes{0};
            const std::vector<unsigned char> head(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(cut));
            cases.push_back({form.name() + " cut at " + std::to_string(cut), form.file(head), allowed});
        }
        checkAll(cases);
    }
}

TEST(DamagedSave, SingleBytesChanged) {
    for (const SaveForm& form : everyForm()) {
        const std::vector<unsigned char> content = smallContent(form.family);
        const std::vector<unsigned char> file = form.file(content);
        const std::size_t headerEnd = mapSave(content).headerEnd;
        std::vector<std::size_t> offsets;
        for (std::size_t offset = 0; offset < 32; ++offset) offsets.push_back(offset);
        for (std::size_t i = 1; i <= ChangedBytesPerForm; ++i) offsets.push_back(i * (file.size() - 1) / ChangedBytesPerForm);
        std::vector<DamagedCase> cases;
        for (std::size_t offset : offsets) {
            std::vector<unsigned char> changed = file;
            changed[offset] ^= 0xFF;
            // Raw: signature, 3 bytes carried through, version fields, body. Gzip: magic, header
            // fields (time, flags, system) some of which are free, then checked data.
            Codes allowed = form.gzip ? (offset < 2 ? Codes{3} : offset < 10 ? Codes{0, 6} : Codes{6})
                                      : (offset < 5 ? Codes{3} : offset < 8 ? Codes{0} : offset < headerEnd ? Codes{0, 4, 7} : Codes{0, 7});
            cases.push_back({form.name() + " byte " + std::to_string(offset) + " inverted", changed, allowed});
        }
        checkAll(cases);
    }
}

TEST(DamagedSave, CountsSetToTheirExtremes) {
    for (const SaveForm& form : everyForm()) {
        const std::vector<unsigned char> content = smallContent(form.family);
        std::vector<DamagedCase> cases;
        for (const Field& count : spread(mapSave(content).counts, CountsPerForm)) {
            const std::uint32_t highBit = 1u << (8 * count.width - 1);
            for (std::uint32_t value : {0u, highBit - 1, highBit, 0xFFFFFFFFu})
                cases.push_back({form.name() + " count of " + at(count) + " set to " + std::to_string(value),
                                 form.file(withField(content, count, value)), Codes{0, 7}});
        }
        checkAll(cases);
    }
}

// Tag values spread over the whole range of each record's tag, each tried once, on one of the
// forms in turn.
TEST(DamagedSave, TagsSetAcrossTheirRange) {
    const std::vector<SaveForm> forms = everyForm();
    for (std::size_t f = 0; f < forms.size(); ++f) {
        const std::vector<unsigned char> content = smallContent(forms[f].family);
        const SaveMap map = mapSave(content);
        std::vector<DamagedCase> cases;
        for (std::size_t k = 0; k < map.tags.size(); ++k) {
            const Field& tag = map.tags[k];
            std::vector<std::uint32_t> every;
            for (std::uint32_t value = 0; value < (1u << (8 * tag.width)); ++value) every.push_back(value);
            const std::vector<std::uint32_t> values = spread(every, TagValuesPerRecord);
            for (std::size_t v = 0; v < values.size(); ++v) {
                if ((v + k) % forms.size() != f) continue;
                cases.push_back({forms[f].name() + " tag of " + at(tag) + " set to " + std::to_string(values[v]),
                                 forms[f].file(withField(content, tag, values[v])), Codes{0, 7}});
            }
        }
        checkAll(cases);
    }
}

std::uint32_t littleEndian32(const std::vector<unsigned char>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void putLittleEndian32(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// The member with optional header fields (FLG bits: 2 extra field, 3 name, 4 comment, 1 header
// CRC) inserted after the fixed 10-byte header, as other gzip writers produce them.
std::vector<unsigned char> withHeaderFields(const std::vector<unsigned char>& member, bool headerCrcMatches) {
    std::vector<unsigned char> header(member.begin(), member.begin() + 10);
    header[3] = 0x04 | 0x08 | 0x10 | 0x02;
    const std::vector<unsigned char> extra = {4, 0, 'A', 'B', 0, 0};  // XLEN, one subfield with no data
    header.insert(header.end(), extra.begin(), extra.end());
    for (const char* text : {"saved game.GM1", "a comment"}) header.insert(header.end(), text, text + std::strlen(text) + 1);
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, header.data(), static_cast<uInt>(header.size()))) ^
                              (headerCrcMatches ? 0u : 1u);
    header.push_back(static_cast<unsigned char>(crc));
    header.push_back(static_cast<unsigned char>(crc >> 8));
    header.insert(header.end(), member.begin() + 10, member.end());
    return header;
}

TEST(DamagedSave, GzipMembersBrokenOrUnusual) {
    for (SaveFamily family : kAllSaveFamilies) {
        const std::vector<unsigned char> content = smallContent(family);
        const std::vector<unsigned char> member = gzipMember(content);
        const std::size_t crcAt = member.size() - 8;
        const std::size_t lengthAt = member.size() - 4;
        auto changed = [&](std::size_t offset, std::uint32_t value) {
            std::vector<unsigned char> bytes = member;
            putLittleEndian32(bytes, offset, value);
            return bytes;
        };
        auto cut = [&](std::size_t size) {
            return std::vector<unsigned char>(member.begin(), member.begin() + static_cast<std::ptrdiff_t>(size));
        };
        auto joined = [&](const std::vector<unsigned char>& second) {
            std::vector<unsigned char> bytes = member;
            bytes.insert(bytes.end(), second.begin(), second.end());
            return bytes;
        };
        std::vector<unsigned char> otherContent = content;
        otherContent.push_back(0);  // one byte more in the opaque tail
        const std::string name = nameOf(family);
        const std::vector<DamagedCase> cases = {
            {name + " bad CRC", changed(crcAt, littleEndian32(member, crcAt) ^ 1u), {6}},
            {name + " length one more", changed(lengthAt, littleEndian32(member, lengthAt) + 1), {6}},
            {name + " length one less", changed(lengthAt, littleEndian32(member, lengthAt) - 1), {6}},
            {name + " cut to 7 bytes", cut(7), {2}},
            {name + " cut inside the header", cut(12), {6}},
            {name + " cut in the middle", cut(member.size() / 2), {6}},
            {name + " cut before the trailer", cut(crcAt), {6}},
            {name + " cut inside the trailer", cut(member.size() - 1), {6}},
            // Only the first member is read; the size check takes the file's last four bytes.
            {name + " followed by the same member", joined(member), {0}},
            {name + " followed by a longer member", joined(gzipMember(otherContent)), {6}},
            {name + " followed by garbage", joined({1, 2, 3, 4, 5, 6, 7, 8, 9}), {6}},
            {name + " with extra field, name, comment and header CRC", withHeaderFields(member, true), {0}},
            {name + " with a wrong header CRC", withHeaderFields(member, false), {6}},
        };
        checkAll(cases, 1);  // few and quick: every one runs everywhere
    }
}

}  // namespace
