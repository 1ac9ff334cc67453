#pragma once
// Composes whole game-state bodies and save files for every supported family of versions,
// from plain content values, independently of the schema classes.

#include <array>
#include <cstdint>
#include <vector>

#include "schema_core/SvgVersion.h"
#include "tests/support/Bytes.h"
#include "tests/support/Rng.h"
#include "tests/support/ScenarioHeaderContent.h"

enum class SaveFamily { Ostrel42, Brevin44Sub2, Brevin44Sub3, Brevin45Sub2, Brevin45Sub3 };

inline constexpr std::array<SaveFamily, 5> kAllSaveFamilies{SaveFamily::Ostrel42, SaveFamily::Brevin44Sub2,
                                                            SaveFamily::Brevin44Sub3, SaveFamily::Brevin45Sub2,
                                                            SaveFamily::Brevin45Sub3};

// The version triple of a family (svg_hw_subversion only where the header has it).
SvgVersion versionOf(SaveFamily family, std::uint32_t hwSubversion = 7);
const char* nameOf(SaveFamily family);

// A count of type Count, then count elements of a fixed size as raw bytes. A signed count
// below 1 has no elements.
template <class Count>
struct ElemArrayContent {
    Count count{};
    std::vector<unsigned char> elements;
};

// One member per top-level node of the game state, in file order.
struct GameStateContent {
    BasicParametersContent basicParameters;
    std::array<PlayerAttributesContent, 8> players;
    VictoryConditionsContent victoryConditions;
    LossConditionsContent lossConditions;
    TeamsContent teams;
    std::vector<TunedTagContent> tunedTags;
    MapPreSmthContent mapPreSmth;
    std::uint32_t item17 = 0;                                       // from version 44
    std::int8_t item18 = 0;
    std::vector<unsigned char> item21 = std::vector<unsigned char>(70, 0);  // from version 44
    std::vector<unsigned char> item22 = std::vector<unsigned char>(28, 0);
    ElemArrayContent<std::int8_t> item24;                           // 28-byte elements
    ElemArrayContent<std::uint32_t> item27;                         // 5-byte elements
    ElemArrayContent<std::uint16_t> item56;                         // 16-byte elements
    std::vector<unsigned char> hdModeData;                          // opaque tail
};

// Realistic content for a save of the family; fields its version lacks hold the values a
// conversion writes for them.
GameStateContent randomGameState(SaveFamily family, Rng& rng);

// The exact game-state body of the content as a file of version v holds it.
Bytes encodeGameState(const GameStateContent& content, const SvgVersion& v);

// A complete save file of the family: the body raw, or wrapped in one gzip member.
std::vector<unsigned char> makeSaveFile(SaveFamily family, bool gzip, std::uint64_t seed);
