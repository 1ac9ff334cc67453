#include "savegen/ScenarioHeaderContent.h"

#include "savegen/LayoutVersions.h"

namespace {

std::uint8_t randomByte(Rng& rng) { return static_cast<std::uint8_t>(rng.gameValue()); }

// Mostly empty texts, sometimes a word.
std::string randomText(Rng& rng) { return rng.chance(60) ? std::string() : rng.word(1, 24); }

// The tag asked for, or one of `tags` when the request is no one-byte tag.
std::int8_t tagOrAnyOf(int tag, Rng& rng, const std::vector<std::int8_t>& tags) {
    if (tag >= -128 && tag <= 127) return static_cast<std::int8_t>(tag);
    return tags[rng.below(static_cast<std::uint32_t>(tags.size()))];
}

}  // namespace

const std::vector<std::int8_t>& allVictoryTags() {
    static const std::vector<std::int8_t> tags{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 127, -128, -2};
    return tags;
}

const std::vector<std::int8_t>& allLossTags() {
    static const std::vector<std::int8_t> tags{-1, 0, 1, 2, 3, 127, -128};
    return tags;
}

void encodeVersionFields(Bytes& out, const SvgVersion& v) {
    out.u32(v.svg_version);
    if (layout::from45(v)) out.u32(v.svg_hw_subversion);
    if (layout::from44(v)) out.u32(v.svg_subversion);
}

void encode(Bytes& out, const BasicParametersContent& c, const SvgVersion& v) {
    out.values(c.signature);
    encodeVersionFields(out, v);
    out.u32(c.item03);
    out.values(c.item04);
    out.u32(c.item05).u8(c.item06).u32(c.mapSize).u8(c.twoLevels);
    out.text16(c.item09).text16(c.item10).i8(c.item11).i8(c.item12);
}

void encode(Bytes& out, const GenerateHeroInfoContent& c, const SvgVersion&) {
    out.u8(c.tag);
    if (c.tag == 1) out.values(c.bytes);
}

void encode(Bytes& out, const PlayerHerotypeInfoContent& c, const SvgVersion&) {
    out.u8(c.tag);
    if (c.tag != 255) out.u8(c.value).text16(c.text);
}

void encode(Bytes& out, const PlayerAttributesContent& c, const SvgVersion& v) {
    out.u8(c.item01).u8(c.item02).i8(c.item03).i16(c.item04).u8(c.item05);
    encode(out, c.item06, v);
    if (layout::from44(v)) out.u8(c.item07);
    encode(out, c.item08, v);
}

void encode(Bytes& out, const VictoryConditionsContent& c, const SvgVersion&) {
    out.i8(c.tag);
    if (c.tag == -1) return;
    out.u8(c.first).u8(c.second);
    switch (c.tag) {
        case 0: case 5: out.u8(c.byteValue); break;
        case 1: out.u8(c.byteValue).u32(c.u32Value); break;
        case 2: out.i8(c.signedValue).u32(c.u32Value); break;
        case 3: out.values(c.triple); out.i8(c.signedValue).i8(c.signedValue2); break;
        case 4: case 6: case 7: out.values(c.triple); break;
        case 10: out.u8(c.byteValue); out.values(c.triple); break;
        case 12: out.u32(c.u32Value); break;
        default: break;
    }
}

void encode(Bytes& out, const LossConditionsContent& c, const SvgVersion&) {
    out.i8(c.tag);
    if (c.tag == 0) out.values(c.triple);
    if (c.tag == 1) out.i16(c.signedValue);
    if (c.tag == 2) out.u16(c.unsignedValue);
}

void encode(Bytes& out, const TeamsContent& c, const SvgVersion&) {
    out.u8(c.tag);
    if (c.tag != 0) out.values(c.teams);
}

void encode(Bytes& out, const TunedTagContent& c, const SvgVersion&) {
    out.u8(c.item01).u8(c.item02).text32(c.item03).u8(c.item04);
}

void encode(Bytes& out, const std::vector<TunedTagContent>& tags, const SvgVersion& v) {
    out.u8(static_cast<std::uint8_t>(tags.size()));
    for (const auto& tag : tags) encode(out, tag, v);
}

void encode(Bytes& out, const MapPreSmthContent& c, const SvgVersion&) { out.raw(c.bytes); }

BasicParametersContent randomBasicParameters(Rng& rng, const SvgVersion&) {
    BasicParametersContent c;
    c.signature = {'Q', '7', 'S', 'V', static_cast<unsigned char>(rng.chance(50) ? 'G' : 'C'),
                   randomByte(rng), randomByte(rng), randomByte(rng)};
    c.item03 = rng.gameValue();
    c.item04 = rng.gameArray<unsigned char, 32>();
    c.item05 = rng.gameValue();
    c.item06 = randomByte(rng);
    static const std::uint32_t sizes[] = {36, 72, 108, 144};
    c.mapSize = sizes[rng.below(4)];
    c.twoLevels = static_cast<std::uint8_t>(rng.below(2));
    c.item09 = rng.word(3, 20);
    c.item10 = randomText(rng);
    c.item11 = static_cast<std::int8_t>(rng.gameValue());
    c.item12 = static_cast<std::int8_t>(rng.gameValue());
    return c;
}

GenerateHeroInfoContent randomGenerateHeroInfo(Rng& rng, const SvgVersion&, int tag) {
    GenerateHeroInfoContent c;
    c.tag = static_cast<std::uint8_t>(tag >= 0 ? tag : (rng.chance(50) ? 1 : rng.below(4)));
    if (c.tag == 1) c.bytes = rng.gameArray<unsigned char, 3>();
    return c;
}

PlayerHerotypeInfoContent randomPlayerHerotypeInfo(Rng& rng, const SvgVersion&, int tag) {
    PlayerHerotypeInfoContent c;
    c.tag = static_cast<std::uint8_t>(tag >= 0 ? tag : (rng.chance(50) ? 255 : rng.below(156)));
    if (c.tag != 255) {
        c.value = randomByte(rng);
        c.text = randomText(rng);
    }
    return c;
}

PlayerAttributesContent randomPlayerAttributes(Rng& rng, const SvgVersion& source) {
    PlayerAttributesContent c;
    c.item01 = randomByte(rng);
    c.item02 = randomByte(rng);
    c.item03 = static_cast<std::int8_t>(rng.gameValue());
    c.item04 = static_cast<std::int16_t>(rng.gameValue());
    c.item05 = randomByte(rng);
    c.item06 = randomGenerateHeroInfo(rng, source);
    c.item07 = layout::from44(source) ? randomByte(rng) : 0;
    c.item08 = randomPlayerHerotypeInfo(rng, source);
    return c;
}

VictoryConditionsContent randomVictoryConditions(Rng& rng, const SvgVersion&, int tag) {
    VictoryConditionsContent c;
    c.tag = tagOrAnyOf(tag, rng, allVictoryTags());
    if (c.tag == -1) return c;
    c.first = randomByte(rng);
    c.second = randomByte(rng);
    switch (c.tag) {
        case 0: case 5: c.byteValue = randomByte(rng); break;
        case 1: c.byteValue = randomByte(rng); c.u32Value = rng.gameValue(); break;
        case 2: c.signedValue = static_cast<std::int8_t>(rng.gameValue()); c.u32Value = rng.gameValue(); break;
        case 3:
            c.triple = rng.gameArray<unsigned char, 3>();
            c.signedValue = static_cast<std::int8_t>(rng.gameValue());
            c.signedValue2 = static_cast<std::int8_t>(rng.gameValue());
            break;
        case 4: case 6: case 7: c.triple = rng.gameArray<unsigned char, 3>(); break;
        case 10: c.byteValue = randomByte(rng); c.triple = rng.gameArray<unsigned char, 3>(); break;
        case 12: c.u32Value = rng.gameValue(); break;
        default: break;
    }
    return c;
}

LossConditionsContent randomLossConditions(Rng& rng, const SvgVersion&, int tag) {
    LossConditionsContent c;
    c.tag = tagOrAnyOf(tag, rng, allLossTags());
    if (c.tag == 0) c.triple = rng.gameArray<unsigned char, 3>();
    if (c.tag == 1) c.signedValue = static_cast<std::int16_t>(rng.next());
    if (c.tag == 2) c.unsignedValue = static_cast<std::uint16_t>(rng.next());
    return c;
}

TeamsContent randomTeams(Rng& rng, const SvgVersion&, int tag) {
    TeamsContent c;
    c.tag = static_cast<std::uint8_t>(tag >= 0 ? tag : (rng.chance(50) ? 0 : 1 + rng.below(255)));
    if (c.tag != 0)
        for (auto& team : c.teams) team = static_cast<unsigned char>(rng.below(8));
    return c;
}

TunedTagContent randomTunedTag(Rng& rng, const SvgVersion&) {
    TunedTagContent c;
    c.item01 = randomByte(rng);
    c.item02 = randomByte(rng);
    c.item03 = randomText(rng);
    c.item04 = randomByte(rng);
    return c;
}

std::vector<TunedTagContent> randomTunedTags(Rng& rng, const SvgVersion& source) {
    std::vector<TunedTagContent> tags(rng.below(4));
    for (auto& tag : tags) tag = randomTunedTag(rng, source);
    return tags;
}

MapPreSmthContent randomMapPreSmth(Rng& rng, const SvgVersion&) {
    MapPreSmthContent c;
    c.bytes = rng.gameBytes(kMapPreSmthBytes);
    return c;
}
