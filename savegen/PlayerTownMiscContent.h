#pragma once
// Content and byte composition of the player, town and misc records: players with their
// combination masks, towns, the misc block, replay actions, the extra-info and extension blocks
// and the opaque tail.

#include <cstdint>
#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "savegen/MapWorldContent.h"
#include "savegen/Rng.h"
#include "schema_core/SvgVersion.h"

// A combination mask: from version 44 on the bit count and (count + 7) / 8 bytes; below 44 just
// 2 bytes, for which the count is 16.
struct ComboMaskContent {
    std::uint32_t count = 16;
    std::vector<unsigned char> maskBytes = std::vector<unsigned char>(2, 0);
};

struct PlayerContent {
    std::vector<unsigned char> fixed = std::vector<unsigned char>(143, 0);  // item01 to item16
    ComboMaskContent item17;
};

struct TownContent {
    std::vector<unsigned char> head = std::vector<unsigned char>(70, 0);   // item01 to item12
    std::string item13;                                                    // text16
    std::vector<unsigned char> tail = std::vector<unsigned char>(310, 0);  // item14 to item24
};

struct MiskContent {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(130, 0);  // item01 to item17
};

// A replay action: its tag, the fixed bytes the tag selects and, for tag 11, the map cells.
struct ReplayActContent {
    char tag = 0;
    std::vector<unsigned char> fixed;
    std::vector<OpenMapCellContent> cells;
};

// Field values are the ones a converter writes when the source lacks the field.
struct AddInfoContent {
    std::uint32_t item01 = 3;  // subversion 2 only
    std::uint32_t item02 = 7;  // subversion 3 only
    std::vector<unsigned char> item03 = std::vector<unsigned char>(8, 0);
    std::vector<unsigned char> item04 = std::vector<unsigned char>(8, 0);
    std::uint8_t item05 = 0;
    std::uint8_t item06 = 0, item07 = 0, item08 = 0, item09 = 0;  // from subversion 3
};

struct HWContent {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(4086, 0);  // item01 to item09
};

struct HDModeContent {
    std::vector<unsigned char> bytes;
};

void encode(Bytes& out, const ComboMaskContent& c, const SvgVersion& v);
void encode(Bytes& out, const PlayerContent& c, const SvgVersion& v);
void encode(Bytes& out, const TownContent& c, const SvgVersion& v);
void encodeTowns(Bytes& out, const std::vector<TownContent>& towns, const SvgVersion& v);
void encode(Bytes& out, const MiskContent& c, const SvgVersion& v);
void encode(Bytes& out, const ReplayActContent& c, const SvgVersion& v);
void encodeReplayActs(Bytes& out, const std::vector<ReplayActContent>& acts, const SvgVersion& v);
void encode(Bytes& out, const AddInfoContent& c, const SvgVersion& v);
void encode(Bytes& out, const HWContent& c, const SvgVersion& v);
void encode(Bytes& out, const HDModeContent& c, const SvgVersion& v);

// Bytes after the tag of a replay action, cells of tag 11 not counted: 0 for tags without fields.
std::size_t replayFixedBytes(char tag);
// One tag per distinct layout: 0 to 12.
std::vector<char> allReplayTags();

ComboMaskContent randomComboMask(Rng& rng, const SvgVersion& source, std::uint32_t bitCount = 16);
PlayerContent randomPlayer(Rng& rng, const SvgVersion& source);
TownContent randomTown(Rng& rng, const SvgVersion& source);
std::vector<TownContent> randomTowns(Rng& rng, const SvgVersion& source, std::size_t count);
MiskContent randomMisk(Rng& rng, const SvgVersion& source);
// A replay action with the given tag (for tag 11, `cellCount` cells).
ReplayActContent randomReplayAct(Rng& rng, const SvgVersion& source, char tag, std::size_t cellCount = 2);
// `count` actions cycling through every tag layout, so any count from 13 on covers them all.
std::vector<ReplayActContent> randomReplayActs(Rng& rng, const SvgVersion& source, std::size_t count);
AddInfoContent randomAddInfo(Rng& rng, const SvgVersion& source);
HWContent randomHW(Rng& rng, const SvgVersion& source);
HDModeContent randomHDModeTail(Rng& rng, std::size_t length);
