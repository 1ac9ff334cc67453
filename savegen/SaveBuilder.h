#pragma once
// Composes whole game-state bodies and save files for every supported family of versions,
// from plain content values, independently of the schema classes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "savegen/AdventureObjectsContent.h"
#include "savegen/Bytes.h"
#include "savegen/CampaignContent.h"
#include "savegen/HeroesContent.h"
#include "savegen/MapWorldContent.h"
#include "savegen/PlayerTownMiscContent.h"
#include "savegen/Rng.h"
#include "savegen/SaveFamilies.h"
#include "savegen/ScenarioHeaderContent.h"
#include "schema_core/SvgVersion.h"

// The version triple of a family (svg_hw_subversion only where the header has it), with the
// format level of the generator's own reading of the layout (LayoutVersions.h).
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
    BasicParametersContent basicParameters;                         // 1
    std::array<PlayerAttributesContent, 8> players;                 // 2 to 9
    VictoryConditionsContent victoryConditions;                     // 10
    LossConditionsContent lossConditions;                           // 11
    TeamsContent teams;                                             // 12
    std::vector<TunedTagContent> tunedTags;                         // 13
    MapPreSmthContent mapPreSmth;                                   // 14
    CampaingContent campaing;                                       // 15
    MapPreSmth2Content mapPreSmth2;                                 // 16
    std::uint32_t item17 = 0;                                       // 17, from version 44
    std::int8_t item18 = 0;                                         // 18
    ArtifactsContent artifacts[2];                                  // 19, 20
    std::vector<unsigned char> item21 = std::vector<unsigned char>(70, 0);  // 21, from version 44
    std::vector<unsigned char> item22 = std::vector<unsigned char>(28, 0);  // 22
    RumorsContent rumors;                                           // 23
    ElemArrayContent<std::int8_t> item24;                           // 24, 28-byte elements
    CellsContent cells;                                             // 25
    ElemArrayContent<std::uint32_t> item27;                         // 27, 5-byte elements
    AdventureObjectsContent objects;                                // 26, 28 to 40, 57
    std::array<PlayerContent, 8> gamePlayers;                       // 41 to 48
    std::vector<TownContent> towns;                                 // 49
    HeroTableContent heroes;                                        // 50
    HeroByteTableContent heroAvailability;                          // 51
    HeroByteTableContent heroPlayerAvailability;                    // 52
    MiskContent misk;                                               // 53
    CellsParamsContent cellsParams;                                 // 54
    TeleportsContent teleports;                                     // 55
    ElemArrayContent<std::uint16_t> item56;                         // 56, 16-byte elements
    std::vector<ReplayActContent> replayActs;                       // 58
    AddInfoContent addInfo;                                         // 59, from version 44
    HWContent hw;                                                   // 60, from version 45
    HDModeContent hdModeData;                                       // 61, opaque tail
};

// How big a save to draw: map dimensions and list lengths.
struct SaveSize {
    std::uint32_t mapSize = 3;
    bool twoLevels = true;
    std::uint32_t maxCellEntries = 3;
    AdventureObjectCounts objects{2, 14, 3, 3, 14, 14, 2, 2, 3, 3, 2, 2, 2, 2};
    std::size_t towns = 3;
    std::size_t rumors = 2;
    std::size_t replayActs = 26;
    std::size_t teleportGroupOne = 9;
    std::size_t teleportGroupTwo = 5;
    std::size_t tailBytes = 24;
    bool richTexts = false;  // texts as real game states carry them (TextRichContent.h)

    static SaveSize small() { return {}; }
    static SaveSize medium();
    static SaveSize extraLarge();
};

// Realistic content for a save of the family; fields its version lacks hold the values a
// conversion writes for them. Long enough lists cycle through every tag layout.
GameStateContent randomGameState(SaveFamily family, Rng& rng, const SaveSize& size = SaveSize::small());

// The exact game-state body of the content as a file of version v holds it.
Bytes encodeGameState(const GameStateContent& content, const SvgVersion& v);

// The content a conversion from `source` to `target` writes, the output named outputBaseName:
// default heroes for version-42 sources, artifact blocks and teleporter groups grown to the
// target's sizes, and the saved-game name field set to the output name.
GameStateContent convertedContent(GameStateContent content, const SvgVersion& source, const SvgVersion& target,
                                  const std::string& outputBaseName);

// A complete save file of the family: the body raw, or wrapped in one gzip member.
std::vector<unsigned char> makeSaveFile(SaveFamily family, bool gzip, std::uint64_t seed,
                                        const SaveSize& size = SaveSize::small());
