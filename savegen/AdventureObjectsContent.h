#pragma once
// Content and byte composition of the adventure-object records and of their root lists, written
// from the record layout alone. Byte blocks must have their record's exact size; encoding a
// block of another size, or a list longer than its count type holds, throws
// std::invalid_argument, since either is a mistake in the test that built the content.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "savegen/Bytes.h"
#include "savegen/HeroesContent.h"
#include "savegen/Rng.h"
#include "schema_core/SvgVersion.h"

struct TemplateContent {
    std::string item01;
    std::vector<unsigned char> item02 = std::vector<unsigned char>(33);
};

// Tag 0: the tag alone; any other tag: the tag and item01.
struct GuardSetupContent {
    std::uint8_t tag = 0;
    std::array<std::int32_t, 14> item01{};
};

struct GuardedObjectSetupContent {
    std::string item01;
    GuardSetupContent item02;
};

// Tag 0: the tag alone; any other tag: the tag and setup.
struct GuardedObjectContent {
    std::uint8_t tag = 0;
    GuardedObjectSetupContent setup;
};

struct PandoraEventContent {
    GuardedObjectContent item01;
    std::uint32_t item02 = 0;
    std::int32_t item03 = 0;
    std::int8_t item04 = 0;
    std::int8_t item05 = 0;
    std::array<std::int32_t, 7> item06to12{};
    std::array<std::uint8_t, 4> item13to16{};
    std::vector<std::array<std::uint8_t, 2>> item17;
    std::vector<std::uint8_t> item18;
    std::vector<std::uint8_t> item19;
    std::vector<std::array<std::uint16_t, 2>> item20;
};

struct MonsterContent {
    std::string item01;
    std::array<std::uint32_t, 7> item02{};
    std::uint8_t item03 = 0;
};

// The tag, then the part its tag selects, then (for every non-zero tag) the common tail.
// Parts: tag 1 and 8 shortValue; tag 2 bytes4; tag 3 shortValue, byteValue; tag 4 wordValue,
// shortValue, byteValue; tag 5 shortList; tag 6 sixByteList; tag 7 words7; tag 9 byteValue;
// no part for tags 10 to 255.
struct QuestContent {
    std::uint8_t tag = 0;
    std::uint32_t wordValue = 0;
    std::uint16_t shortValue = 0;
    std::uint8_t byteValue = 0;
    std::vector<unsigned char> bytes4 = std::vector<unsigned char>(4);
    std::vector<std::uint16_t> shortList;
    std::vector<std::array<std::uint8_t, 6>> sixByteList;
    std::array<std::uint32_t, 7> words7{};
    // Common tail.
    std::uint8_t tail01 = 0;
    std::uint8_t tail02 = 0;
    std::uint32_t tail03 = 0;
    std::string tail04;
    std::string tail05;
    std::string tail06;
};

struct SeerHutContent {
    QuestContent item01;
    std::vector<unsigned char> item02 = std::vector<unsigned char>(12);
    std::uint8_t item03 = 0;
    std::uint8_t item04 = 0;
    std::uint8_t item05 = 0;
};

struct QuestGuardContent {
    QuestContent item01;
    std::uint8_t item02 = 0;
};

struct GlobalEventContent {
    std::string item01;
    std::array<std::int32_t, 7> item02{};
    std::uint8_t item03 = 0;
    std::uint8_t item04 = 0;
    std::uint8_t item05 = 0;
    std::uint16_t item06 = 0;
    std::uint16_t item07 = 0;
};

// The seven fields of a global event, then three more.
struct TownEventContent : GlobalEventContent {
    std::uint8_t item08 = 0;
    std::vector<unsigned char> item09 = std::vector<unsigned char>(8);
    std::array<std::uint16_t, 7> item10{};
};

struct SignContent {
    std::string item01;
    std::uint8_t item02 = 0;
};

struct MineContent {
    std::int8_t item01 = 0;
    std::uint8_t item02 = 0;
    std::uint8_t item03 = 0;
    std::array<std::int32_t, 14> item04{};
    std::vector<unsigned char> item05 = std::vector<unsigned char>(3);
};

struct DwellingContent {
    std::int8_t item01 = 0;
    std::uint8_t item02 = 0;
    std::uint8_t item03 = 0;
    std::vector<unsigned char> item04 = std::vector<unsigned char>(4);
    std::array<std::uint16_t, 4> item05{};
    std::vector<unsigned char> item06 = std::vector<unsigned char>(3);
    std::array<std::int32_t, 14> item07{};
    std::uint8_t item08 = 0;
};

struct GarnissonContent {
    std::uint8_t item01 = 0;
    std::array<std::int32_t, 14> item02{};
    std::vector<unsigned char> item03 = std::vector<unsigned char>(4);
};

struct BoatContent {
    std::uint8_t item01 = 0;
    std::int8_t item02 = 0;
    std::int8_t item03 = 0;
    std::int8_t item04 = 0;
    std::int8_t item05 = 0;
    std::int16_t item06 = 0;
    std::uint8_t item07 = 0;
    MovableObjectContent item08;
};

struct ObelisksContent {
    std::uint8_t item01 = 0;
    std::vector<unsigned char> item02 = std::vector<unsigned char>(48);
};

struct CrbankContent {
    std::array<std::int32_t, 14> item01{};
    std::array<std::int32_t, 7> item02{};
    std::int32_t item03 = 0;
    std::int8_t item04 = 0;
    std::vector<std::int32_t> item05;
};

// The adventure-object lists of the game state: templates (root node 26), the map-object lists
// and the obelisks (nodes 28 to 40) and the creature banks (node 57).
struct AdventureObjectsContent {
    std::vector<TemplateContent> templates;
    std::vector<PandoraEventContent> pandoraEvents;
    std::vector<GuardedObjectSetupContent> guardedObjectSetups;
    std::vector<MonsterContent> monsters;
    std::vector<SeerHutContent> seerHuts;
    std::vector<QuestGuardContent> questGuards;
    std::vector<GlobalEventContent> globalEvents;
    std::vector<TownEventContent> townEvents;
    std::vector<SignContent> signs;
    std::vector<MineContent> mines;
    std::vector<DwellingContent> dwellings;
    std::vector<GarnissonContent> garrisons;
    std::vector<BoatContent> boats;
    ObelisksContent obelisks;
    std::vector<CrbankContent> creatureBanks;
};

// List sizes for randomAdventureObjects.
struct AdventureObjectCounts {
    std::size_t templates = 0;
    std::size_t pandoraEvents = 0;
    std::size_t guardedObjectSetups = 0;
    std::size_t monsters = 0;
    std::size_t seerHuts = 0;
    std::size_t questGuards = 0;
    std::size_t globalEvents = 0;
    std::size_t townEvents = 0;
    std::size_t signs = 0;
    std::size_t mines = 0;
    std::size_t dwellings = 0;
    std::size_t garrisons = 0;
    std::size_t boats = 0;
    std::size_t creatureBanks = 0;
};

// Records. None of them changes with the version.
void encode(Bytes& out, const TemplateContent& c, const SvgVersion& v);
void encode(Bytes& out, const GuardSetupContent& c, const SvgVersion& v);
void encode(Bytes& out, const GuardedObjectSetupContent& c, const SvgVersion& v);
void encode(Bytes& out, const GuardedObjectContent& c, const SvgVersion& v);
void encode(Bytes& out, const PandoraEventContent& c, const SvgVersion& v);
void encode(Bytes& out, const MonsterContent& c, const SvgVersion& v);
void encode(Bytes& out, const QuestContent& c, const SvgVersion& v);
void encode(Bytes& out, const SeerHutContent& c, const SvgVersion& v);
void encode(Bytes& out, const QuestGuardContent& c, const SvgVersion& v);
void encode(Bytes& out, const GlobalEventContent& c, const SvgVersion& v);
void encode(Bytes& out, const TownEventContent& c, const SvgVersion& v);
void encode(Bytes& out, const SignContent& c, const SvgVersion& v);
void encode(Bytes& out, const MineContent& c, const SvgVersion& v);
void encode(Bytes& out, const DwellingContent& c, const SvgVersion& v);
void encode(Bytes& out, const GarnissonContent& c, const SvgVersion& v);
void encode(Bytes& out, const BoatContent& c, const SvgVersion& v);
void encode(Bytes& out, const ObelisksContent& c, const SvgVersion& v);
void encode(Bytes& out, const CrbankContent& c, const SvgVersion& v);

// Root lists: the count in the width the version gives the list, then the records. Seer huts:
// signed 16-bit count before 44, unsigned from 44; signs: signed 8-bit before 44, unsigned from
// 44; mines: unsigned 8-bit before 44 subversion 3, unsigned 32-bit from then on.
void encodeList(Bytes& out, const std::vector<TemplateContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<PandoraEventContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<GuardedObjectSetupContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<MonsterContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<SeerHutContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<QuestGuardContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<GlobalEventContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<TownEventContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<SignContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<MineContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<DwellingContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<GarnissonContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<BoatContent>& list, const SvgVersion& v);
void encodeList(Bytes& out, const std::vector<CrbankContent>& list, const SvgVersion& v);

// Root node 26 alone; nodes 28 to 40 in file order; node 57 alone. The root's own node 27 sits
// between the first two, so a whole save calls them around it.
void encodeTemplateList(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v);
void encodeMapObjectLists(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v);
void encodeCreatureBankList(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v);

// Generators. A tag argument steers a conditional record to that variant; without it the tag
// is drawn. Texts are mostly non-empty and sometimes hold bytes above 127.
const std::vector<std::uint8_t>& questTagsWithOwnLayout();  // 0 to 12
TemplateContent randomTemplate(Rng& rng, const SvgVersion& source);
GuardSetupContent randomGuardSetup(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> tag = {});
GuardedObjectSetupContent randomGuardedObjectSetup(Rng& rng, const SvgVersion& source,
                                                   std::optional<std::uint8_t> guardTag = {});
GuardedObjectContent randomGuardedObject(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> tag = {});
PandoraEventContent randomPandoraEvent(Rng& rng, const SvgVersion& source,
                                       std::optional<std::uint8_t> guardedTag = {});
MonsterContent randomMonster(Rng& rng, const SvgVersion& source);
QuestContent randomQuest(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> tag = {});
SeerHutContent randomSeerHut(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> questTag = {});
QuestGuardContent randomQuestGuard(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> questTag = {});
GlobalEventContent randomGlobalEvent(Rng& rng, const SvgVersion& source);
TownEventContent randomTownEvent(Rng& rng, const SvgVersion& source);
SignContent randomSign(Rng& rng, const SvgVersion& source);
MineContent randomMine(Rng& rng, const SvgVersion& source);
DwellingContent randomDwelling(Rng& rng, const SvgVersion& source);
GarnissonContent randomGarnisson(Rng& rng, const SvgVersion& source);
BoatContent randomBoat(Rng& rng, const SvgVersion& source);
ObelisksContent randomObelisks(Rng& rng, const SvgVersion& source);
CrbankContent randomCrbank(Rng& rng, const SvgVersion& source);

// Lists of the sizes asked for. Seer huts and quest guards cycle through every quest tag of
// questTagsWithOwnLayout, and pandora events and guarded-object setups through unguarded and
// guarded objects, so a list of 13 or more covers every layout. Throws std::invalid_argument
// when a size does not fit the count type of its list in the source version.
AdventureObjectsContent randomAdventureObjects(Rng& rng, const SvgVersion& source, const AdventureObjectCounts& counts);
