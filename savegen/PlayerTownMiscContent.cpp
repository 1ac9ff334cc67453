#include "savegen/PlayerTownMiscContent.h"

#include <utility>

#include "savegen/LayoutVersions.h"

namespace {

bool hasCounts(const SvgVersion& v) { return layout::from44(v); }

}  // namespace

void encode(Bytes& out, const ComboMaskContent& c, const SvgVersion& v) {
    if (hasCounts(v)) out.u32(c.count);
    out.raw(c.maskBytes);
}

void encode(Bytes& out, const PlayerContent& c, const SvgVersion& v) {
    out.raw(c.fixed);
    encode(out, c.item17, v);
}

void encode(Bytes& out, const TownContent& c, const SvgVersion&) {
    out.raw(c.head);
    out.text16(c.item13);
    out.raw(c.tail);
}

void encodeTowns(Bytes& out, const std::vector<TownContent>& towns, const SvgVersion& v) {
    out.u8(static_cast<std::uint8_t>(towns.size()));
    for (const auto& town : towns) encode(out, town, v);
}

void encode(Bytes& out, const MiskContent& c, const SvgVersion&) { out.raw(c.bytes); }

void encode(Bytes& out, const ReplayActContent& c, const SvgVersion& v) {
    out.i8(static_cast<std::int8_t>(c.tag));
    out.raw(c.fixed);
    if (c.tag == 11) {
        out.u16(static_cast<std::uint16_t>(c.cells.size()));
        for (const auto& cell : c.cells) encode(out, cell, v);
    }
}

void encodeReplayActs(Bytes& out, const std::vector<ReplayActContent>& acts, const SvgVersion& v) {
    out.i32(static_cast<std::int32_t>(acts.size()));
    for (const auto& act : acts) encode(out, act, v);
}

void encode(Bytes& out, const AddInfoContent& c, const SvgVersion& v) {
    if (layout::onlySubversion2(v)) out.u32(c.item01);
    if (layout::onlySubversion3(v)) out.u32(c.item02);
    out.raw(c.item03).raw(c.item04).u8(c.item05);
    if (layout::fromSubversion3(v)) out.u8(c.item06).u8(c.item07).u8(c.item08).u8(c.item09);
}

void encode(Bytes& out, const HWContent& c, const SvgVersion&) { out.raw(c.bytes); }

void encode(Bytes& out, const HDModeContent& c, const SvgVersion&) { out.raw(c.bytes); }

std::size_t replayFixedBytes(char tag) {
    switch (tag) {
        case 1: case 2: return 14;
        case 3: case 4: return 7;
        case 5: return 8;
        case 6: return 16;
        case 7: return 17;
        case 8: return 7;
        case 9: return 17;
        case 10: return 2;
        case 11: return 1;
        default: return 0;
    }
}

std::vector<char> allReplayTags() {
    std::vector<char> tags;
    for (char tag = 0; tag <= 12; ++tag) tags.push_back(tag);
    return tags;
}

ComboMaskContent randomComboMask(Rng& rng, const SvgVersion& source, std::uint32_t bitCount) {
    ComboMaskContent c;
    c.count = hasCounts(source) ? bitCount : 16;
    c.maskBytes = rng.gameBytes((c.count + 7) / 8);
    return c;
}

PlayerContent randomPlayer(Rng& rng, const SvgVersion& source) {
    PlayerContent c;
    c.fixed = rng.gameBytes(143);
    c.item17 = randomComboMask(rng, source, hasCounts(source) ? 8 * (1 + rng.below(6)) : 16);
    return c;
}

TownContent randomTown(Rng& rng, const SvgVersion&) {
    TownContent c;
    c.head = rng.gameBytes(70);
    c.item13 = rng.chance(70) ? rng.word(3, 16) : "";
    c.tail = rng.gameBytes(310);
    return c;
}

std::vector<TownContent> randomTowns(Rng& rng, const SvgVersion& source, std::size_t count) {
    std::vector<TownContent> towns;
    for (std::size_t i = 0; i < count; ++i) towns.push_back(randomTown(rng, source));
    return towns;
}

MiskContent randomMisk(Rng& rng, const SvgVersion&) { return {rng.gameBytes(130)}; }

ReplayActContent randomReplayAct(Rng& rng, const SvgVersion&, char tag, std::size_t cellCount) {
    ReplayActContent c;
    c.tag = tag;
    c.fixed = rng.gameBytes(replayFixedBytes(tag));
    if (tag == 11)
        for (std::size_t i = 0; i < cellCount; ++i) c.cells.push_back(randomOpenMapCell(rng));
    return c;
}

std::vector<ReplayActContent> randomReplayActs(Rng& rng, const SvgVersion& source, std::size_t count) {
    std::vector<char> tags = allReplayTags();
    std::vector<ReplayActContent> acts;
    // A replay repeats itself: an act often restates the previous act of its kind (the same
    // hero, the same town) with one value moved on.
    std::vector<std::vector<unsigned char>> lastOfTag(tags.size());
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t kind = i % tags.size();
        ReplayActContent act = randomReplayAct(rng, source, tags[kind], rng.below(4));
        if (!lastOfTag[kind].empty() && rng.chance(70)) {
            act.fixed = lastOfTag[kind];
            act.fixed[rng.below(static_cast<std::uint32_t>(act.fixed.size()))] = static_cast<unsigned char>(rng.gameValue());
        }
        lastOfTag[kind] = act.fixed;
        acts.push_back(std::move(act));
    }
    return acts;
}

AddInfoContent randomAddInfo(Rng& rng, const SvgVersion& source) {
    AddInfoContent c;
    if (!hasCounts(source)) return c;  // no such record below 44: the converter's values
    if (layout::onlySubversion2(source)) c.item01 = rng.gameValue();
    if (layout::onlySubversion3(source)) c.item02 = rng.gameValue();
    c.item03 = rng.gameBytes(8);
    c.item04 = rng.gameBytes(8);
    c.item05 = static_cast<std::uint8_t>(rng.gameValue());
    if (layout::fromSubversion3(source)) {
        c.item06 = static_cast<std::uint8_t>(rng.gameValue());
        c.item07 = static_cast<std::uint8_t>(rng.gameValue());
        c.item08 = static_cast<std::uint8_t>(rng.gameValue());
        c.item09 = static_cast<std::uint8_t>(rng.gameValue());
    }
    return c;
}

HWContent randomHW(Rng& rng, const SvgVersion& source) {
    if (!layout::from45(source)) return {};  // no such record below 45
    return {rng.gameBytes(4086)};
}

HDModeContent randomHDModeTail(Rng& rng, std::size_t length) { return {rng.gameBytes(length)}; }
