#pragma once
// Content and byte composition of the hero records (movable part, hero, hero table and the two
// per-hero byte tables), written from the record layout alone.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "savegen/Rng.h"
#include "schema_core/SvgVersion.h"

struct MovableObjectContent {
    std::int16_t item01 = 0;
    std::int16_t item02 = 0;
    std::int16_t item03 = 0;
    std::uint8_t item04 = 0;
    std::uint32_t item05 = 0;
    std::uint32_t item06 = 0;
    std::uint8_t item07 = 0;
    std::uint32_t item08 = 0;
};

// Field by field as the hero record holds them; runs of fields of one type are grouped.
// The default values are those of a hero the source file does not contain.
struct HeroContent {
    MovableObjectContent item01;
    std::uint8_t item02 = 0;
    std::uint8_t item03 = 0;
    std::string item04;
    std::int8_t item05 = -1;
    std::array<std::int8_t, 3> item06to08{};
    std::uint8_t item09 = 0;
    std::array<std::int8_t, 3> item10to12{};
    std::uint8_t item13 = 0;
    std::int8_t item14 = 0;
    std::uint8_t item15 = 0;
    std::int8_t item16 = 0;
    std::array<std::uint8_t, 6> item17to22{};
    std::int8_t item23 = 0;
    std::array<std::int32_t, 2> item24to25{};
    std::array<std::int16_t, 2> item26to27{};
    std::array<std::int32_t, 4> item28to31{};
    std::array<std::int16_t, 3> item32to34{};
    std::array<std::int32_t, 10> item35{};
    std::array<std::int32_t, 5> item36to40{};
    std::array<std::int32_t, 14> item41{};
    std::array<std::uint8_t, 13> item42{};
    std::array<std::uint8_t, 28> item43{};
    std::array<std::uint8_t, 28> item44{};
    std::array<std::int8_t, 4> item45to48{};
    std::array<std::uint8_t, 70> item49{};
    std::array<std::uint8_t, 70> item50{};
    std::array<std::int32_t, 38> item51{};
    std::array<std::int32_t, 128> item52{};
    std::array<std::uint8_t, 15> item53{};
    std::uint8_t item54 = 0;
    std::array<std::uint8_t, 6> item55{};
    std::uint32_t item56 = 0;  // from 44 with subversion 2
    std::uint32_t item57 = 0;  // item57 to item59 from 44 with subversion 3
    std::uint32_t item58 = 0;
    std::uint32_t item59 = 0;
};

// The hero table: no count, 156 heroes in a version-42 file, 178 from 44 on.
struct HeroTableContent {
    std::vector<HeroContent> heroes;
};

// A per-hero byte table: 156 bytes in every file, 22 more from version 44 on.
struct HeroByteTableContent {
    std::vector<unsigned char> first;  // 156
    std::vector<unsigned char> added;  // 22
};

constexpr std::size_t kBaseHeroCount = 156;
constexpr std::size_t kAddedHeroCount = 22;

// Bytes of a hero with an empty item04 in version v: 1094, 1098 (44/2) or 1110 (44/3 on).
std::size_t heroSize(const SvgVersion& v);

void encode(Bytes& out, const MovableObjectContent& c, const SvgVersion& v);
void encode(Bytes& out, const HeroContent& c, const SvgVersion& v);
void encode(Bytes& out, const HeroTableContent& c, const SvgVersion& v);
void encode(Bytes& out, const HeroByteTableContent& c, const SvgVersion& v);

MovableObjectContent randomMovableObject(Rng& rng, const SvgVersion& source);
// item04 is a name of 1 to 12 letters about half the time, else empty.
HeroContent randomHero(Rng& rng, const SvgVersion& source);
HeroTableContent randomHeroTable(Rng& rng, const SvgVersion& source);
// The availability table fills its 22 added entries of a version-42 source with 64, the
// per-player table with 0.
HeroByteTableContent randomHeroAvailability(Rng& rng, const SvgVersion& source);
HeroByteTableContent randomHeroPlayerAvailability(Rng& rng, const SvgVersion& source);

// Conversion of a version-42 hero table to version 44 or later: 22 default heroes appended.
HeroTableContent withDefaultHeroes(HeroTableContent table);
