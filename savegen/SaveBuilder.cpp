#include "savegen/SaveBuilder.h"

#include <algorithm>

#include "savegen/Gzip.h"
#include "savegen/LayoutVersions.h"
#include "savegen/TextRichContent.h"

SvgVersion versionOf(SaveFamily family, std::uint32_t hwSubversion) {
    const SaveFamilyRow& row = rowOf(family);
    SvgVersion v;
    v.svg_version = row.svgVersion;
    v.svg_subversion = row.svgSubversion;
    if (layout::from45(v)) v.svg_hw_subversion = hwSubversion;
    v.formatLevel = layout::formatLevel(v);
    return v;
}

const char* nameOf(SaveFamily family) { return rowOf(family).name; }

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

SaveSize SaveSize::medium() {
    SaveSize size;
    size.mapSize = 36;
    size.twoLevels = false;
    size.maxCellEntries = 4;
    size.objects = {20, 40, 20, 60, 30, 20, 10, 20, 30, 20, 40, 10, 6, 20};
    size.towns = 12;
    size.rumors = 10;
    size.replayActs = 400;
    size.teleportGroupOne = 17;
    size.teleportGroupTwo = 12;
    size.tailBytes = 256;
    return size;
}

SaveSize SaveSize::extraLarge() {
    SaveSize size;
    size.mapSize = 252;
    size.twoLevels = true;
    size.maxCellEntries = 8;
    size.objects = {120, 300, 150, 400, 150, 100, 60, 120, 120, 100, 250, 60, 40, 120};
    size.towns = 48;
    size.rumors = 40;
    size.replayActs = 20000;
    size.teleportGroupOne = 21;
    size.teleportGroupTwo = 12;
    size.tailBytes = 4096;
    return size;
}

GameStateContent randomGameState(SaveFamily family, Rng& rng, const SaveSize& size) {
    const SvgVersion v = versionOf(family);
    GameStateContent c;
    c.basicParameters = randomBasicParameters(rng, v);
    c.basicParameters.mapSize = size.mapSize;
    c.basicParameters.twoLevels = size.twoLevels ? 1 : 0;
    for (auto& player : c.players) player = randomPlayerAttributes(rng, v);
    c.victoryConditions = randomVictoryConditions(rng, v);
    c.lossConditions = randomLossConditions(rng, v);
    c.teams = randomTeams(rng, v);
    c.tunedTags = randomTunedTags(rng, v);
    c.mapPreSmth = randomMapPreSmth(rng, v);
    c.campaing = randomCampaing(rng, v);
    c.mapPreSmth2 = randomMapPreSmth2(rng, v, "saved game " + rng.word(1, 8) + ".GM1");
    if (layout::from44(v)) {
        c.item17 = rng.gameValue();
        c.item21 = rng.gameBytes(70);
    }
    c.item18 = static_cast<std::int8_t>(rng.gameValue());
    for (auto& block : c.artifacts) block = randomArtifacts(rng, v);
    c.item22 = rng.gameBytes(28);
    c.rumors = randomRumors(rng, v, size.rumors);
    c.item24 = randomElemArray<std::int8_t>(rng, 28, true);
    c.cells = randomCells(rng, v, size.mapSize, size.twoLevels, size.maxCellEntries);
    c.item27 = randomElemArray<std::uint32_t>(rng, 5, false);
    c.objects = randomAdventureObjects(rng, v, size.objects);
    for (auto& player : c.gamePlayers) player = randomPlayer(rng, v);
    c.towns = randomTowns(rng, v, size.towns);
    c.heroes = randomHeroTable(rng, v);
    c.heroAvailability = randomHeroAvailability(rng, v);
    c.heroPlayerAvailability = randomHeroPlayerAvailability(rng, v);
    c.misk = randomMisk(rng, v);
    c.cellsParams = randomCellsParams(rng, v, size.mapSize, size.twoLevels);
    // A file written by the game holds at least the group sizes of its own version.
    std::size_t ownGroupOne = layout::hasLevelFromSubversion3(v) ? 21 : layout::hasLevelFromSubversion2(v) ? 17 : 0;
    std::size_t groupOne = std::max<std::size_t>(size.teleportGroupOne, ownGroupOne);
    std::size_t groupTwo = std::max<std::size_t>(size.teleportGroupTwo, layout::hasLevelFromSubversion2(v) ? 12 : 0);
    c.teleports = randomTeleports(rng, v, groupOne, groupTwo);
    c.item56 = randomElemArray<std::uint16_t>(rng, 16, false);
    c.replayActs = randomReplayActs(rng, v, size.replayActs);
    c.addInfo = randomAddInfo(rng, v);
    c.hw = randomHW(rng, v);
    c.hdModeData = randomHDModeTail(rng, size.tailBytes);
    // Drawn last, so that the other values are those of the same save without rich texts.
    if (size.richTexts) giveRealisticTexts(c, rng, v);
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
    encode(out, c.campaing, v);
    encode(out, c.mapPreSmth2, v);
    if (layout::from44(v)) out.u32(c.item17);
    out.i8(c.item18);
    for (const auto& block : c.artifacts) encode(out, block, v);
    if (layout::from44(v)) out.raw(c.item21);
    out.raw(c.item22);
    encode(out, c.rumors, v);
    encodeElemArray(out, c.item24);
    encode(out, c.cells, v);
    encodeTemplateList(out, c.objects, v);
    encodeElemArray(out, c.item27);
    encodeMapObjectLists(out, c.objects, v);
    for (const auto& player : c.gamePlayers) encode(out, player, v);
    encodeTowns(out, c.towns, v);
    encode(out, c.heroes, v);
    encode(out, c.heroAvailability, v);
    encode(out, c.heroPlayerAvailability, v);
    encode(out, c.misk, v);
    encode(out, c.cellsParams, v);
    encode(out, c.teleports, v);
    encodeElemArray(out, c.item56);
    encodeCreatureBankList(out, c.objects, v);
    encodeReplayActs(out, c.replayActs, v);
    if (layout::from44(v)) encode(out, c.addInfo, v);
    if (layout::from45(v)) encode(out, c.hw, v);
    encode(out, c.hdModeData, v);
    return out;
}

GameStateContent convertedContent(GameStateContent c, const SvgVersion& source, const SvgVersion& target,
                                  const std::string& outputBaseName) {
    c.mapPreSmth2 = withSavedName(std::move(c.mapPreSmth2), outputBaseName);
    for (auto& block : c.artifacts) block = convertedArtifacts(std::move(block), target);
    c.teleports = convertedTeleports(std::move(c.teleports), target);
    if (layout::isOstrel(source) && layout::from44(target)) c.heroes = withDefaultHeroes(std::move(c.heroes));
    return c;
}

std::vector<unsigned char> makeSaveFile(SaveFamily family, bool gzip, std::uint64_t seed, const SaveSize& size) {
    Rng rng(seed);
    Bytes body = encodeGameState(randomGameState(family, rng, size), versionOf(family));
    return gzip ? gzipMember(body.data) : body.data;
}
