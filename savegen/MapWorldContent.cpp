#include "savegen/MapWorldContent.h"

#include <algorithm>

#include "savegen/LayoutVersions.h"

namespace {

bool hasCounts(const SvgVersion& v) { return layout::from44(v); }

TeleportListContent randomTeleportList(Rng& rng) {
    TeleportListContent list(rng.below(4));
    for (auto& value : list) value = rng.gameValue();
    return list;
}

}  // namespace

void encode(Bytes& out, const MapPreSmth2Content& c, const SvgVersion&) {
    out.raw(c.fileNameField);
    out.values(c.item02);
    out.u8(c.item03);
    out.values(c.item04);
    out.values(c.item05);
    out.values(c.item06);
}

void encode(Bytes& out, const ArtifactsContent& c, const SvgVersion& v) {
    if (hasCounts(v)) out.i32(static_cast<std::int32_t>(c.bytes.size()));
    out.raw(c.bytes);
}

void encode(Bytes& out, const RumorContent& c, const SvgVersion&) {
    out.text16(c.text);
    out.u8(c.item02);
}

void encode(Bytes& out, const RumorsContent& c, const SvgVersion& v) {
    out.text16(c.item01);
    out.raw(c.item02);
    out.i32(static_cast<std::int32_t>(c.rumors.size()));
    for (const auto& rumor : c.rumors) encode(out, rumor, v);
}

void encode(Bytes& out, const CellContent& c, const SvgVersion&) {
    out.values(c.fixed);
    out.u32(static_cast<std::uint32_t>(c.entries.size()));
    for (std::uint32_t entry : c.entries) out.u32(entry);
}

void encode(Bytes& out, const CellsContent& c, const SvgVersion& v) {
    for (const auto& cell : c.cells) encode(out, cell, v);
}

void encode(Bytes& out, const CellsParamsContent& c, const SvgVersion&) { out.raw(c.bytes); }

void encodeTeleportList(Bytes& out, const TeleportListContent& list) {
    out.u16(static_cast<std::uint16_t>(list.size()));
    for (std::uint32_t value : list) out.u32(value);
}

void encode(Bytes& out, const TeleportsContent& c, const SvgVersion& v) {
    if (hasCounts(v)) {
        out.u32(static_cast<std::uint32_t>(c.groupOne.size()));
        out.u32(static_cast<std::uint32_t>(c.groupTwo.size()));
    }
    for (const auto& list : c.groupOne) encodeTeleportList(out, list);
    for (const auto& list : c.groupTwo) encodeTeleportList(out, list);
    encodeTeleportList(out, c.item02);
    encodeTeleportList(out, c.item03);
    encodeTeleportList(out, c.item04);
}

void encode(Bytes& out, const OpenMapCellContent& c, const SvgVersion&) {
    out.u32(c.item01).u16(c.item02).u16(c.item03);
}

std::vector<unsigned char> fileNameField(const std::string& name) {
    std::vector<unsigned char> field(351, 0);
    std::size_t n = std::min<std::size_t>(name.size(), 350);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n), field.begin());
    return field;
}

MapPreSmth2Content randomMapPreSmth2(Rng& rng, const SvgVersion&, const std::string& savedName) {
    MapPreSmth2Content c;
    c.fileNameField = fileNameField(savedName);
    // Games leave stale bytes behind the name now and then.
    for (std::size_t i = savedName.size() + 1; i < c.fileNameField.size(); ++i)
        if (rng.chance(10)) c.fileNameField[i] = static_cast<unsigned char>(rng.below(256));
    c.item02 = rng.gameArray<unsigned char, 2>();
    c.item03 = static_cast<std::uint8_t>(rng.gameValue());
    c.item04 = rng.gameArray<unsigned char, 8>();
    c.item05 = rng.gameArray<unsigned char, 32>();
    c.item06 = rng.gameArray<unsigned char, 4>();
    return c;
}

std::size_t artifactCountFor(const SvgVersion& v) {
    if (layout::hasLevelFromSubversion3(v)) return 163;
    if (layout::hasLevelFromSubversion2(v)) return 161;
    return 144;
}

ArtifactsContent randomArtifacts(Rng& rng, std::size_t count) {
    ArtifactsContent c;
    c.bytes.resize(count);
    for (auto& b : c.bytes) b = static_cast<unsigned char>(rng.chance(70) ? 1 : rng.below(3));
    return c;
}

ArtifactsContent randomArtifacts(Rng& rng, const SvgVersion& source) { return randomArtifacts(rng, artifactCountFor(source)); }

RumorsContent randomRumors(Rng& rng, const SvgVersion&, std::size_t rumorCount) {
    RumorsContent c;
    c.item01 = rng.chance(50) ? rng.word(3, 30) : "";
    c.item02 = rng.gameBytes(256);
    for (std::size_t i = 0; i < rumorCount; ++i)
        c.rumors.push_back({rng.word(0, 60), static_cast<std::uint8_t>(rng.gameValue())});
    return c;
}

CellsContent randomCells(Rng& rng, const SvgVersion&, unsigned mapSize, bool twoLevels, std::uint32_t maxEntries) {
    CellsContent c;
    std::size_t count = static_cast<std::size_t>(mapSize) * mapSize * (twoLevels ? 2 : 1);
    c.cells.resize(count);
    // Terrain comes in patches, as on a real map: a cell mostly repeats its neighbour's fixed
    // bytes with another picture variant and now and then one other byte changed.
    std::array<unsigned char, 18> patch = rng.gameArray<unsigned char, 18>();
    for (auto& cell : c.cells) {
        if (rng.chance(15)) patch = rng.gameArray<unsigned char, 18>();
        cell.fixed = patch;
        cell.fixed[1] = static_cast<unsigned char>(rng.below(8));
        if (rng.chance(25)) cell.fixed[rng.below(18)] = static_cast<unsigned char>(rng.gameValue());
        // Most cells carry no entries, a few several.
        std::uint32_t entries = rng.chance(80) ? 0 : rng.below(maxEntries + 1);
        cell.entries.resize(entries);
        for (auto& entry : cell.entries) entry = rng.gameValue();
    }
    return c;
}

CellsParamsContent randomCellsParams(Rng& rng, const SvgVersion&, unsigned mapSize, bool twoLevels) {
    return {rng.gameBytes(static_cast<std::size_t>(mapSize) * mapSize * 2 * (twoLevels ? 2 : 1))};
}

TeleportsContent randomTeleports(Rng& rng, const SvgVersion& source, std::size_t groupOne, std::size_t groupTwo) {
    if (!hasCounts(source)) groupOne = groupTwo = 8;
    TeleportsContent c;
    for (std::size_t i = 0; i < groupOne; ++i) c.groupOne.push_back(randomTeleportList(rng));
    for (std::size_t i = 0; i < groupTwo; ++i) c.groupTwo.push_back(randomTeleportList(rng));
    c.item02 = randomTeleportList(rng);
    c.item03 = randomTeleportList(rng);
    c.item04 = randomTeleportList(rng);
    return c;
}

OpenMapCellContent randomOpenMapCell(Rng& rng) {
    return {rng.gameValue(), static_cast<std::uint16_t>(rng.below(144)), static_cast<std::uint16_t>(rng.below(144))};
}

MapPreSmth2Content withSavedName(MapPreSmth2Content c, const std::string& outputName) {
    std::size_t n = std::min<std::size_t>(outputName.size(), 350);
    std::copy(outputName.begin(), outputName.begin() + static_cast<std::ptrdiff_t>(n), c.fileNameField.begin());
    c.fileNameField[n] = 0;
    return c;
}

ArtifactsContent convertedArtifacts(ArtifactsContent c, const SvgVersion& target) {
    std::size_t targetCount = artifactCountFor(target);
    if (c.bytes.size() < targetCount) c.bytes.resize(targetCount, 1);
    return c;
}

TeleportsContent convertedTeleports(TeleportsContent c, const SvgVersion& target) {
    if (!hasCounts(target)) return c;
    std::size_t minimumOne = layout::hasLevelFromSubversion3(target) ? 21 : 17;
    if (c.groupOne.size() < minimumOne) c.groupOne.resize(minimumOne);
    if (c.groupTwo.size() < 12) c.groupTwo.resize(12);
    return c;
}
