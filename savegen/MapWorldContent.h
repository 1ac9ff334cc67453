#pragma once
// Content and byte composition of the map and world records: the saved-game name block, artifact
// blocks, rumors, map cells and their parameters, teleporter lists and map cell references.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "savegen/Rng.h"
#include "schema_core/SvgVersion.h"

// The block that starts with the saved game's own file name.
struct MapPreSmth2Content {
    std::vector<unsigned char> fileNameField = std::vector<unsigned char>(351, 0);  // item01, 351 bytes
    std::array<unsigned char, 2> item02{};
    std::uint8_t item03 = 0;
    std::array<unsigned char, 8> item04{};
    std::array<unsigned char, 32> item05{};
    std::array<unsigned char, 4> item06{};
};

// One artifact block: a count from version 44 on (the number of bytes), then the bytes.
struct ArtifactsContent {
    std::vector<unsigned char> bytes;
};

struct RumorContent {
    std::string text;
    std::uint8_t item02 = 0;
};

struct RumorsContent {
    std::string item01;
    std::vector<unsigned char> item02 = std::vector<unsigned char>(256, 0);
    std::vector<RumorContent> rumors;
};

struct CellContent {
    std::array<unsigned char, 18> fixed{};
    std::vector<std::uint32_t> entries;
};

// Cells of level 1, then those of level 2 when there are two levels (mapSize * mapSize each).
struct CellsContent {
    std::vector<CellContent> cells;
};

// Two bytes per cell and level.
struct CellsParamsContent {
    std::vector<unsigned char> bytes;
};

using TeleportListContent = std::vector<std::uint32_t>;

struct TeleportsContent {
    std::vector<TeleportListContent> groupOne;  // 8 lists in a file below version 44
    std::vector<TeleportListContent> groupTwo;  // likewise
    TeleportListContent item02, item03, item04;
};

struct OpenMapCellContent {
    std::uint32_t item01 = 0;
    std::uint16_t item02 = 0;
    std::uint16_t item03 = 0;
};

void encode(Bytes& out, const MapPreSmth2Content& c, const SvgVersion& v);
void encode(Bytes& out, const ArtifactsContent& c, const SvgVersion& v);
void encode(Bytes& out, const RumorContent& c, const SvgVersion& v);
void encode(Bytes& out, const RumorsContent& c, const SvgVersion& v);
void encode(Bytes& out, const CellContent& c, const SvgVersion& v);
void encode(Bytes& out, const CellsContent& c, const SvgVersion& v);
void encode(Bytes& out, const CellsParamsContent& c, const SvgVersion& v);
void encodeTeleportList(Bytes& out, const TeleportListContent& list);
void encode(Bytes& out, const TeleportsContent& c, const SvgVersion& v);
void encode(Bytes& out, const OpenMapCellContent& c, const SvgVersion& v);

// The field holding `name`: at most 350 characters, a zero byte, then zeros up to 351 bytes.
std::vector<unsigned char> fileNameField(const std::string& name);

MapPreSmth2Content randomMapPreSmth2(Rng& rng, const SvgVersion& source, const std::string& savedName = "game.GM1");
// The artifact count a file of the version holds: 144 below 44, 161 at the level of subversion 2,
// 163 from the level of subversion 3 on.
std::size_t artifactCountFor(const SvgVersion& v);
ArtifactsContent randomArtifacts(Rng& rng, const SvgVersion& source);
ArtifactsContent randomArtifacts(Rng& rng, std::size_t count);
RumorsContent randomRumors(Rng& rng, const SvgVersion& source, std::size_t rumorCount);
// Cells for a map of mapSize * mapSize cells per level; at most maxEntries entries per cell.
CellsContent randomCells(Rng& rng, const SvgVersion& source, unsigned mapSize, bool twoLevels,
                         std::uint32_t maxEntries = 6);
CellsParamsContent randomCellsParams(Rng& rng, const SvgVersion& source, unsigned mapSize, bool twoLevels);
// Below version 44 both groups hold 8 lists whatever is asked.
TeleportsContent randomTeleports(Rng& rng, const SvgVersion& source, std::size_t groupOne, std::size_t groupTwo);
OpenMapCellContent randomOpenMapCell(Rng& rng);

// Content transforms of a conversion to `target`, for composing expected output.
// The saved-game name replaced by the output name; the bytes after its zero keep their values.
MapPreSmth2Content withSavedName(MapPreSmth2Content c, const std::string& outputName);
// Artifact blocks padded with entries of value 1 up to the target's count.
ArtifactsContent convertedArtifacts(ArtifactsContent c, const SvgVersion& target);
// Teleporter groups padded with empty lists up to 17 (21 from the level of subversion 3 on) and 12.
TeleportsContent convertedTeleports(TeleportsContent c, const SvgVersion& target);
