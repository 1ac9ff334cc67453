#pragma once
// Content, byte encoding and random generators for the scenario header records (the head of
// the game state: basic parameters, player attributes, victory and loss conditions, teams,
// tuned tags and the fixed 436-byte block).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "savegen/Rng.h"
#include "schema_core/SvgVersion.h"

struct BasicParametersContent {
    std::array<unsigned char, 8> signature{'Q', '7', 'S', 'V', 'G', 0, 0, 0};
    std::uint32_t item03 = 0;
    std::array<unsigned char, 32> item04{};
    std::uint32_t item05 = 0;
    std::uint8_t item06 = 0;
    std::uint32_t mapSize = 36;
    std::uint8_t twoLevels = 0;
    std::string item09;
    std::string item10;
    std::int8_t item11 = 0;
    std::int8_t item12 = 0;
};

// Tag 1 carries three bytes; any other tag nothing.
struct GenerateHeroInfoContent {
    std::uint8_t tag = 0;
    std::array<unsigned char, 3> bytes{};
};

// Tag 255 carries nothing; any other tag one byte and a text16.
struct PlayerHerotypeInfoContent {
    std::uint8_t tag = 255;
    std::uint8_t value = 0;
    std::string text;
};

struct PlayerAttributesContent {
    std::uint8_t item01 = 0;
    std::uint8_t item02 = 0;
    std::int8_t item03 = 0;
    std::int16_t item04 = 0;
    std::uint8_t item05 = 0;
    GenerateHeroInfoContent item06;
    std::uint8_t item07 = 0;  // from version 44 on; 0 when the source lacks it
    PlayerHerotypeInfoContent item08;
};

// Holds every parameter a victory condition can carry; the tag decides which are on file:
// -1: none; 0: first second byteValue; 1: first second byteValue u32Value; 2: first second
// signedValue u32Value; 3: first second triple signedValue signedValue2; 4, 6, 7: first
// second triple; 5: first second byteValue; 10: first second byteValue triple; 12: first
// second u32Value; any other tag: first second.
struct VictoryConditionsContent {
    std::int8_t tag = -1;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::uint8_t byteValue = 0;
    std::int8_t signedValue = 0;
    std::int8_t signedValue2 = 0;
    std::uint32_t u32Value = 0;
    std::array<unsigned char, 3> triple{};
};

// Tag 0: three bytes; 1: signed 16-bit; 2: unsigned 16-bit; any other tag nothing.
struct LossConditionsContent {
    std::int8_t tag = -1;
    std::array<unsigned char, 3> triple{};
    std::int16_t signedValue = 0;
    std::uint16_t unsignedValue = 0;
};

// Tag 0: nothing; any other tag the eight team bytes.
struct TeamsContent {
    std::uint8_t tag = 0;
    std::array<unsigned char, 8> teams{};
};

struct TunedTagContent {
    std::uint8_t item01 = 0;
    std::uint8_t item02 = 0;
    std::string item03;  // text32
    std::uint8_t item04 = 0;
};

constexpr std::size_t kMapPreSmthBytes = 436;

struct MapPreSmthContent {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(kMapPreSmthBytes, 0);
};

// The tag values that select distinct layouts (the "other" layout represented by 8 and -2).
const std::vector<std::int8_t>& allVictoryTags();
const std::vector<std::int8_t>& allLossTags();

void encode(Bytes& out, const BasicParametersContent& c, const SvgVersion& v);
void encode(Bytes& out, const GenerateHeroInfoContent& c, const SvgVersion& v);
void encode(Bytes& out, const PlayerHerotypeInfoContent& c, const SvgVersion& v);
void encode(Bytes& out, const PlayerAttributesContent& c, const SvgVersion& v);
void encode(Bytes& out, const VictoryConditionsContent& c, const SvgVersion& v);
void encode(Bytes& out, const LossConditionsContent& c, const SvgVersion& v);
void encode(Bytes& out, const TeamsContent& c, const SvgVersion& v);
void encode(Bytes& out, const TunedTagContent& c, const SvgVersion& v);
void encode(Bytes& out, const std::vector<TunedTagContent>& tags, const SvgVersion& v);  // 1-byte count
void encode(Bytes& out, const MapPreSmthContent& c, const SvgVersion& v);
// Just the version fields of the header, as version v holds them.
void encodeVersionFields(Bytes& out, const SvgVersion& v);

BasicParametersContent randomBasicParameters(Rng& rng, const SvgVersion& source);
GenerateHeroInfoContent randomGenerateHeroInfo(Rng& rng, const SvgVersion& source, int tag = -1);
PlayerHerotypeInfoContent randomPlayerHerotypeInfo(Rng& rng, const SvgVersion& source, int tag = -1);
PlayerAttributesContent randomPlayerAttributes(Rng& rng, const SvgVersion& source);
// A tag outside -128..127 draws one.
VictoryConditionsContent randomVictoryConditions(Rng& rng, const SvgVersion& source, int tag = 1000);
LossConditionsContent randomLossConditions(Rng& rng, const SvgVersion& source, int tag = 1000);
TeamsContent randomTeams(Rng& rng, const SvgVersion& source, int tag = -1);
TunedTagContent randomTunedTag(Rng& rng, const SvgVersion& source);
std::vector<TunedTagContent> randomTunedTags(Rng& rng, const SvgVersion& source);
MapPreSmthContent randomMapPreSmth(Rng& rng, const SvgVersion& source);
