#include "savegen/HeroesContent.h"

#include "savegen/LayoutVersions.h"

namespace {

bool hasItem56(const SvgVersion& v) { return layout::from44Sub2(v); }
bool hasItems57to59(const SvgVersion& v) { return layout::from44Sub3(v); }
bool hasAddedHeroes(const SvgVersion& v) { return layout::from44(v); }

template <class T>
T draw(Rng& rng) {
    return static_cast<T>(rng.gameValue());
}

}  // namespace

std::size_t heroSize(const SvgVersion& v) {
    return 1094 + (hasItem56(v) ? 4 : 0) + (hasItems57to59(v) ? 12 : 0);
}

void encode(Bytes& out, const MovableObjectContent& c, const SvgVersion&) {
    out.i16(c.item01).i16(c.item02).i16(c.item03).u8(c.item04);
    out.u32(c.item05).u32(c.item06).u8(c.item07).u32(c.item08);
}

void encode(Bytes& out, const HeroContent& c, const SvgVersion& v) {
    encode(out, c.item01, v);
    out.u8(c.item02).u8(c.item03).text32(c.item04).i8(c.item05);
    out.values(c.item06to08);
    out.u8(c.item09);
    out.values(c.item10to12);
    out.u8(c.item13).i8(c.item14).u8(c.item15).i8(c.item16);
    out.values(c.item17to22);
    out.i8(c.item23);
    out.values(c.item24to25);
    out.values(c.item26to27);
    out.values(c.item28to31);
    out.values(c.item32to34);
    out.values(c.item35);
    out.values(c.item36to40);
    out.values(c.item41);
    out.values(c.item42);
    out.values(c.item43);
    out.values(c.item44);
    out.values(c.item45to48);
    out.values(c.item49);
    out.values(c.item50);
    out.values(c.item51);
    out.values(c.item52);
    out.values(c.item53);
    out.u8(c.item54);
    out.values(c.item55);
    if (hasItem56(v)) out.u32(c.item56);
    if (hasItems57to59(v)) out.u32(c.item57).u32(c.item58).u32(c.item59);
}

void encode(Bytes& out, const HeroTableContent& c, const SvgVersion& v) {
    for (const HeroContent& hero : c.heroes) encode(out, hero, v);
}

void encode(Bytes& out, const HeroByteTableContent& c, const SvgVersion& v) {
    out.raw(c.first);
    if (hasAddedHeroes(v)) out.raw(c.added);
}

MovableObjectContent randomMovableObject(Rng& rng, const SvgVersion&) {
    MovableObjectContent c;
    c.item01 = static_cast<std::int16_t>(rng.below(144));
    c.item02 = static_cast<std::int16_t>(rng.below(144));
    c.item03 = static_cast<std::int16_t>(rng.below(2));
    c.item04 = draw<std::uint8_t>(rng);
    c.item05 = rng.gameValue();
    c.item06 = rng.gameValue();
    c.item07 = draw<std::uint8_t>(rng);
    c.item08 = rng.gameValue();
    return c;
}

HeroContent randomHero(Rng& rng, const SvgVersion& source) {
    HeroContent c;
    c.item01 = randomMovableObject(rng, source);
    c.item02 = draw<std::uint8_t>(rng);
    c.item03 = draw<std::uint8_t>(rng);
    if (rng.chance(50)) c.item04 = rng.word(1, 12);
    c.item05 = rng.chance(30) ? -1 : static_cast<std::int8_t>(rng.below(8));
    rng.gameFill(c.item06to08);
    c.item09 = draw<std::uint8_t>(rng);
    rng.gameFill(c.item10to12);
    c.item13 = draw<std::uint8_t>(rng);
    c.item14 = draw<std::int8_t>(rng);
    c.item15 = draw<std::uint8_t>(rng);
    c.item16 = draw<std::int8_t>(rng);
    rng.gameFill(c.item17to22);
    c.item23 = draw<std::int8_t>(rng);
    rng.gameFill(c.item24to25);
    rng.gameFill(c.item26to27);
    rng.gameFill(c.item28to31);
    rng.gameFill(c.item32to34);
    rng.gameFill(c.item35);
    rng.gameFill(c.item36to40);
    rng.gameFill(c.item41);
    std::string name = rng.word(0, 12);
    for (std::size_t i = 0; i < name.size(); ++i) c.item42[i] = static_cast<std::uint8_t>(name[i]);
    rng.gameFill(c.item43);
    rng.gameFill(c.item44);
    rng.gameFill(c.item45to48);
    rng.gameFill(c.item49);
    rng.gameFill(c.item50);
    rng.gameFill(c.item51);
    rng.gameFill(c.item52);
    rng.gameFill(c.item53);
    c.item54 = draw<std::uint8_t>(rng);
    rng.gameFill(c.item55);
    if (hasItem56(source)) c.item56 = rng.gameValue();
    if (hasItems57to59(source)) {
        c.item57 = rng.gameValue();
        c.item58 = rng.gameValue();
        c.item59 = rng.gameValue();
    }
    return c;
}

HeroTableContent randomHeroTable(Rng& rng, const SvgVersion& source) {
    HeroTableContent c;
    std::size_t count = kBaseHeroCount + (hasAddedHeroes(source) ? kAddedHeroCount : 0);
    for (std::size_t i = 0; i < count; ++i) c.heroes.push_back(randomHero(rng, source));
    return c;
}

namespace {
HeroByteTableContent randomByteTable(Rng& rng, const SvgVersion& source, unsigned char absentFill) {
    HeroByteTableContent c;
    c.first = rng.gameBytes(kBaseHeroCount);
    c.added = hasAddedHeroes(source) ? rng.gameBytes(kAddedHeroCount)
                                     : std::vector<unsigned char>(kAddedHeroCount, absentFill);
    return c;
}
}  // namespace

HeroByteTableContent randomHeroAvailability(Rng& rng, const SvgVersion& source) {
    return randomByteTable(rng, source, 64);
}

HeroByteTableContent randomHeroPlayerAvailability(Rng& rng, const SvgVersion& source) {
    return randomByteTable(rng, source, 0);
}

HeroTableContent withDefaultHeroes(HeroTableContent table) {
    table.heroes.insert(table.heroes.end(), kAddedHeroCount, HeroContent{});
    return table;
}
