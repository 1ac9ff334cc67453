#include "tests/support/SaveBuilder.h"

#include "tests/support/Gzip.h"

SvgVersion versionOf(SaveFamily family, std::uint32_t hwSubversion) {
    SvgVersion v;
    switch (family) {
        case SaveFamily::Ostrel42: v.svg_version = 42; break;
        case SaveFamily::Brevin44Sub2: v.svg_version = 44; v.svg_subversion = 2; break;
        case SaveFamily::Brevin44Sub3: v.svg_version = 44; v.svg_subversion = 3; break;
        case SaveFamily::Brevin45Sub2: v.svg_version = 45; v.svg_subversion = 2; v.svg_hw_subversion = hwSubversion; break;
        case SaveFamily::Brevin45Sub3: v.svg_version = 45; v.svg_subversion = 3; v.svg_hw_subversion = hwSubversion; break;
    }
    v.updateFormatLevel();
    return v;
}

const char* nameOf(SaveFamily family) {
    switch (family) {
        case SaveFamily::Ostrel42: return "Ostrel42";
        case SaveFamily::Brevin44Sub2: return "Brevin44Sub2";
        case SaveFamily::Brevin44Sub3: return "Brevin44Sub3";
        case SaveFamily::Brevin45Sub2: return "Brevin45Sub2";
        case SaveFamily::Brevin45Sub3: return "Brevin45Sub3";
    }
    return "?";
}

namespace {

template <class Count>
void encodeElemArray(Bytes& out, const ElemArrayContent<Count>& c) {
    std::uint64_t count = static_cast<std::uint64_t>(c.count);
    for (std::size_t i = 0; i < sizeof(Count); ++i) out.u8(static_cast<std::uint8_t>(count >> (8 * i)));
    if (c.count >= 1) out.raw(c.elements);
}

template <class Count>
ElemArrayContent<Count> randomElemArray(Rng& rng, std::size_t elementSize, bool allowNegative) {
    ElemArrayContent<Count> c;
    if (allowNegative && rng.chance(10)) {
        c.count = static_cast<Count>(-1);
        return c;
    }
    c.count = static_cast<Count>(rng.below(4));
    c.elements = rng.gameBytes(static_cast<std::size_t>(c.count) * elementSize);
    return c;
}

}  // namespace

GameStateContent randomGameState(SaveFamily family, Rng& rng) {
    const SvgVersion v = versionOf(family);
    GameStateContent c;
    c.basicParameters = randomBasicParameters(rng, v);
    for (auto& player : c.players) player = randomPlayerAttributes(rng, v);
    c.victoryConditions = randomVictoryConditions(rng, v);
    c.lossConditions = randomLossConditions(rng, v);
    c.teams = randomTeams(rng, v);
    c.tunedTags = randomTunedTags(rng, v);
    c.mapPreSmth = randomMapPreSmth(rng, v);
    if (v.svg_version >= 44) {
        c.item17 = rng.gameValue();
        c.item21 = rng.gameBytes(70);
    }
    c.item18 = static_cast<std::int8_t>(rng.gameValue());
    c.item22 = rng.gameBytes(28);
    c.item24 = randomElemArray<std::int8_t>(rng, 28, true);
    c.item27 = randomElemArray<std::uint32_t>(rng, 5, false);
    c.item56 = randomElemArray<std::uint16_t>(rng, 16, false);
    c.hdModeData = rng.gameBytes(rng.below(48));
    return c;
}

Bytes encodeGameState(const GameStateContent& c, const SvgVersion& v) {
    Bytes out;
    encode(out, c.basicParameters, v);
    for (const auto& player : c.players) encode(out, player, v);
    encode(out, c.victoryConditions, v);
    encode(out, c.lossConditions, v);
    encode(out, c.teams, v);
    encode(out, c.tunedTags, v);
    encode(out, c.mapPreSmth, v);
    if (v.svg_version >= 44) out.u32(c.item17);
    out.i8(c.item18);
    if (v.svg_version >= 44) out.raw(c.item21);
    out.raw(c.item22);
    encodeElemArray(out, c.item24);
    encodeElemArray(out, c.item27);
    encodeElemArray(out, c.item56);
    out.raw(c.hdModeData);
    return out;
}

std::vector<unsigned char> makeSaveFile(SaveFamily family, bool gzip, std::uint64_t seed) {
    Rng rng(seed);
    Bytes body = encodeGameState(randomGameState(family, rng), versionOf(family));
    return gzip ? gzipMember(body.data) : body.data;
}
