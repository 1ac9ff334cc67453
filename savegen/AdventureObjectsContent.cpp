#include "savegen/AdventureObjectsContent.h"

#include <limits>
#include <stdexcept>

#include "savegen/LayoutVersions.h"

namespace {

void block(Bytes& out, const std::vector<unsigned char>& bytes, std::size_t size) {
    if (bytes.size() != size)
        throw std::invalid_argument("byte block of " + std::to_string(bytes.size()) + " bytes where " +
                                    std::to_string(size) + " belong");
    out.raw(bytes);
}

// A count of type N. A count that fits N has the same bytes signed or unsigned.
// Throws unless n fits count type N.
template <class N>
void requireFits(std::size_t n, const char* what) {
    if (n > static_cast<std::size_t>(std::numeric_limits<N>::max()))
        throw std::invalid_argument(std::string(what) + ": " + std::to_string(n) + " does not fit the count");
}

template <class N>
void count(Bytes& out, std::size_t n) {
    requireFits<N>(n, "list");
    if constexpr (sizeof(N) == 1)
        out.u8(static_cast<std::uint8_t>(n));
    else if constexpr (sizeof(N) == 2)
        out.u16(static_cast<std::uint16_t>(n));
    else
        out.u32(static_cast<std::uint32_t>(n));
}

void text16(Bytes& out, const std::string& s) {
    count<std::int16_t>(out, s.size());
    out.raw(s);
}

void text32(Bytes& out, const std::string& s) {
    count<std::uint32_t>(out, s.size());
    out.raw(s);
}

template <class N, class Record>
void list(Bytes& out, const std::vector<Record>& records, const SvgVersion& v) {
    count<N>(out, records.size());
    for (const Record& r : records) encode(out, r, v);
}

// ---- random values ----

std::uint8_t byte(Rng& rng) { return static_cast<std::uint8_t>(rng.gameValue()); }
std::int8_t signedByte(Rng& rng) { return static_cast<std::int8_t>(rng.chance(10) ? -1 : rng.gameValue()); }
std::uint16_t word16(Rng& rng) { return static_cast<std::uint16_t>(rng.gameValue()); }

// Mostly a word, sometimes empty, sometimes with bytes above 127 (texts are raw bytes).
std::string randomText(Rng& rng) {
    if (rng.chance(15)) return {};
    std::string s = rng.word(1, 24);
    if (rng.chance(20)) s += static_cast<char>(0x80 + rng.below(128));
    return s;
}

std::uint8_t drawnOr(std::optional<std::uint8_t> tag, std::uint8_t drawn) { return tag ? *tag : drawn; }

template <class Record, class Make>
std::vector<Record> randomList(std::size_t n, Make make) {
    std::vector<Record> records;
    records.reserve(n);
    for (std::size_t i = 0; i < n; ++i) records.push_back(make(i));
    return records;
}

}  // namespace

// ---- records ----

void encode(Bytes& out, const TemplateContent& c, const SvgVersion&) {
    text16(out, c.item01);
    block(out, c.item02, 33);
}

void encode(Bytes& out, const GuardSetupContent& c, const SvgVersion&) {
    out.u8(c.tag);
    if (c.tag != 0) out.values(c.item01);
}

void encode(Bytes& out, const GuardedObjectSetupContent& c, const SvgVersion& v) {
    text16(out, c.item01);
    encode(out, c.item02, v);
}

void encode(Bytes& out, const GuardedObjectContent& c, const SvgVersion& v) {
    out.u8(c.tag);
    if (c.tag != 0) encode(out, c.setup, v);
}

void encode(Bytes& out, const PandoraEventContent& c, const SvgVersion& v) {
    encode(out, c.item01, v);
    out.u32(c.item02).i32(c.item03).i8(c.item04).i8(c.item05);
    out.values(c.item06to12);
    out.values(c.item13to16);
    count<std::uint8_t>(out, c.item17.size());
    for (const auto& pair : c.item17) out.values(pair);
    count<std::uint8_t>(out, c.item18.size());
    for (std::uint8_t x : c.item18) out.u8(x);
    count<std::uint8_t>(out, c.item19.size());
    for (std::uint8_t x : c.item19) out.u8(x);
    count<std::uint8_t>(out, c.item20.size());
    for (const auto& pair : c.item20) out.values(pair);
}

void encode(Bytes& out, const MonsterContent& c, const SvgVersion&) {
    text16(out, c.item01);
    out.values(c.item02);
    out.u8(c.item03);
}

void encode(Bytes& out, const QuestContent& c, const SvgVersion&) {
    out.u8(c.tag);
    if (c.tag == 0) return;
    switch (c.tag) {
        case 1: out.u16(c.shortValue); break;
        case 2: block(out, c.bytes4, 4); break;
        case 3: out.u16(c.shortValue).u8(c.byteValue); break;
        case 4: out.u32(c.wordValue).u16(c.shortValue).u8(c.byteValue); break;
        case 5:
            count<std::uint8_t>(out, c.shortList.size());
            for (std::uint16_t x : c.shortList) out.u16(x);
            break;
        case 6:
            count<std::uint8_t>(out, c.sixByteList.size());
            for (const auto& six : c.sixByteList) out.values(six);
            break;
        case 7: out.values(c.words7); break;
        case 8: out.u16(c.shortValue); break;
        case 9: out.u8(c.byteValue); break;
        default: break;
    }
    out.u8(c.tail01).u8(c.tail02).u32(c.tail03);
    text32(out, c.tail04);
    text32(out, c.tail05);
    text32(out, c.tail06);
}

void encode(Bytes& out, const SeerHutContent& c, const SvgVersion& v) {
    encode(out, c.item01, v);
    block(out, c.item02, 12);
    out.u8(c.item03).u8(c.item04).u8(c.item05);
}

void encode(Bytes& out, const QuestGuardContent& c, const SvgVersion& v) {
    encode(out, c.item01, v);
    out.u8(c.item02);
}

void encode(Bytes& out, const GlobalEventContent& c, const SvgVersion&) {
    text16(out, c.item01);
    out.values(c.item02);
    out.u8(c.item03).u8(c.item04).u8(c.item05).u16(c.item06).u16(c.item07);
}

void encode(Bytes& out, const TownEventContent& c, const SvgVersion& v) {
    encode(out, static_cast<const GlobalEventContent&>(c), v);
    out.u8(c.item08);
    block(out, c.item09, 8);
    out.values(c.item10);
}

void encode(Bytes& out, const SignContent& c, const SvgVersion&) {
    text16(out, c.item01);
    out.u8(c.item02);
}

void encode(Bytes& out, const MineContent& c, const SvgVersion&) {
    out.i8(c.item01).u8(c.item02).u8(c.item03);
    out.values(c.item04);
    block(out, c.item05, 3);
}

void encode(Bytes& out, const DwellingContent& c, const SvgVersion&) {
    out.i8(c.item01).u8(c.item02).u8(c.item03);
    block(out, c.item04, 4);
    out.values(c.item05);
    block(out, c.item06, 3);
    out.values(c.item07);
    out.u8(c.item08);
}

void encode(Bytes& out, const GarnissonContent& c, const SvgVersion&) {
    out.u8(c.item01);
    out.values(c.item02);
    block(out, c.item03, 4);
}

void encode(Bytes& out, const BoatContent& c, const SvgVersion& v) {
    out.u8(c.item01).i8(c.item02).i8(c.item03).i8(c.item04).i8(c.item05).i16(c.item06).u8(c.item07);
    encode(out, c.item08, v);
}

void encode(Bytes& out, const ObelisksContent& c, const SvgVersion&) {
    out.u8(c.item01);
    block(out, c.item02, 48);
}

void encode(Bytes& out, const CrbankContent& c, const SvgVersion&) {
    out.values(c.item01);
    out.values(c.item02);
    out.i32(c.item03).i8(c.item04);
    count<std::int16_t>(out, c.item05.size());
    for (std::int32_t x : c.item05) out.i32(x);
}

// ---- root lists ----

void encodeList(Bytes& out, const std::vector<TemplateContent>& l, const SvgVersion& v) { list<std::uint32_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<PandoraEventContent>& l, const SvgVersion& v) { list<std::uint16_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<GuardedObjectSetupContent>& l, const SvgVersion& v) { list<std::uint16_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<MonsterContent>& l, const SvgVersion& v) { list<std::uint16_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<QuestGuardContent>& l, const SvgVersion& v) { list<std::uint16_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<GlobalEventContent>& l, const SvgVersion& v) { list<std::uint32_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<TownEventContent>& l, const SvgVersion& v) { list<std::uint32_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<DwellingContent>& l, const SvgVersion& v) { list<std::uint16_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<GarnissonContent>& l, const SvgVersion& v) { list<std::uint8_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<BoatContent>& l, const SvgVersion& v) { list<std::uint8_t>(out, l, v); }
void encodeList(Bytes& out, const std::vector<CrbankContent>& l, const SvgVersion& v) { list<std::int16_t>(out, l, v); }

void encodeList(Bytes& out, const std::vector<SeerHutContent>& l, const SvgVersion& v) {
    if (layout::from44(v))
        list<std::uint16_t>(out, l, v);
    else
        list<std::int16_t>(out, l, v);
}

void encodeList(Bytes& out, const std::vector<SignContent>& l, const SvgVersion& v) {
    if (layout::from44(v))
        list<std::uint8_t>(out, l, v);
    else
        list<std::int8_t>(out, l, v);
}

void encodeList(Bytes& out, const std::vector<MineContent>& l, const SvgVersion& v) {
    if (layout::from44Sub3(v))
        list<std::uint32_t>(out, l, v);
    else
        list<std::uint8_t>(out, l, v);
}

void encodeTemplateList(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v) {
    encodeList(out, c.templates, v);
}

void encodeMapObjectLists(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v) {
    encodeList(out, c.pandoraEvents, v);
    encodeList(out, c.guardedObjectSetups, v);
    encodeList(out, c.monsters, v);
    encodeList(out, c.seerHuts, v);
    encodeList(out, c.questGuards, v);
    encodeList(out, c.globalEvents, v);
    encodeList(out, c.townEvents, v);
    encodeList(out, c.signs, v);
    encodeList(out, c.mines, v);
    encodeList(out, c.dwellings, v);
    encodeList(out, c.garrisons, v);
    encodeList(out, c.boats, v);
    encode(out, c.obelisks, v);
}

void encodeCreatureBankList(Bytes& out, const AdventureObjectsContent& c, const SvgVersion& v) {
    encodeList(out, c.creatureBanks, v);
}

// ---- generators ----

const std::vector<std::uint8_t>& questTagsWithOwnLayout() {
    static const std::vector<std::uint8_t> tags{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    return tags;
}

TemplateContent randomTemplate(Rng& rng, const SvgVersion&) {
    TemplateContent c;
    c.item01 = randomText(rng);
    c.item02 = rng.gameBytes(33);
    return c;
}

GuardSetupContent randomGuardSetup(Rng& rng, const SvgVersion&, std::optional<std::uint8_t> tag) {
    GuardSetupContent c;
    c.tag = drawnOr(tag, static_cast<std::uint8_t>(rng.chance(50) ? 0 : 1 + rng.below(255)));
    if (c.tag != 0) c.item01 = rng.gameArray<std::int32_t, 14>();
    return c;
}

GuardedObjectSetupContent randomGuardedObjectSetup(Rng& rng, const SvgVersion& source,
                                                   std::optional<std::uint8_t> guardTag) {
    GuardedObjectSetupContent c;
    c.item01 = randomText(rng);
    c.item02 = randomGuardSetup(rng, source, guardTag);
    return c;
}

GuardedObjectContent randomGuardedObject(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> tag) {
    GuardedObjectContent c;
    c.tag = drawnOr(tag, static_cast<std::uint8_t>(rng.chance(50) ? 0 : 1 + rng.below(255)));
    if (c.tag != 0) c.setup = randomGuardedObjectSetup(rng, source);
    return c;
}

PandoraEventContent randomPandoraEvent(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> guardedTag) {
    PandoraEventContent c;
    c.item01 = randomGuardedObject(rng, source, guardedTag);
    c.item02 = rng.gameValue();
    c.item03 = static_cast<std::int32_t>(rng.gameValue());
    c.item04 = signedByte(rng);
    c.item05 = signedByte(rng);
    c.item06to12 = rng.gameArray<std::int32_t, 7>();
    c.item13to16 = rng.gameArray<std::uint8_t, 4>();
    c.item17 = randomList<std::array<std::uint8_t, 2>>(rng.below(4), [&](std::size_t) { return rng.gameArray<std::uint8_t, 2>(); });
    c.item18 = rng.gameBytes(rng.below(4));
    c.item19 = rng.gameBytes(rng.below(4));
    c.item20 = randomList<std::array<std::uint16_t, 2>>(rng.below(4), [&](std::size_t) { return rng.gameArray<std::uint16_t, 2>(); });
    return c;
}

MonsterContent randomMonster(Rng& rng, const SvgVersion&) {
    MonsterContent c;
    c.item01 = randomText(rng);
    c.item02 = rng.gameArray<std::uint32_t, 7>();
    c.item03 = byte(rng);
    return c;
}

QuestContent randomQuest(Rng& rng, const SvgVersion&, std::optional<std::uint8_t> tag) {
    QuestContent c;
    c.tag = drawnOr(tag, static_cast<std::uint8_t>(rng.below(13)));
    if (c.tag == 0) return c;
    c.wordValue = rng.gameValue();
    c.shortValue = word16(rng);
    c.byteValue = byte(rng);
    c.bytes4 = rng.gameBytes(4);
    c.shortList = randomList<std::uint16_t>(rng.below(5), [&](std::size_t) { return word16(rng); });
    c.sixByteList = randomList<std::array<std::uint8_t, 6>>(rng.below(4), [&](std::size_t) { return rng.gameArray<std::uint8_t, 6>(); });
    c.words7 = rng.gameArray<std::uint32_t, 7>();
    c.tail01 = byte(rng);
    c.tail02 = byte(rng);
    c.tail03 = rng.gameValue();
    c.tail04 = randomText(rng);
    c.tail05 = randomText(rng);
    c.tail06 = randomText(rng);
    return c;
}

SeerHutContent randomSeerHut(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> questTag) {
    SeerHutContent c;
    c.item01 = randomQuest(rng, source, questTag);
    c.item02 = rng.gameBytes(12);
    c.item03 = byte(rng);
    c.item04 = byte(rng);
    c.item05 = byte(rng);
    return c;
}

QuestGuardContent randomQuestGuard(Rng& rng, const SvgVersion& source, std::optional<std::uint8_t> questTag) {
    QuestGuardContent c;
    c.item01 = randomQuest(rng, source, questTag);
    c.item02 = byte(rng);
    return c;
}

GlobalEventContent randomGlobalEvent(Rng& rng, const SvgVersion&) {
    GlobalEventContent c;
    c.item01 = randomText(rng);
    c.item02 = rng.gameArray<std::int32_t, 7>();
    c.item03 = byte(rng);
    c.item04 = byte(rng);
    c.item05 = byte(rng);
    c.item06 = word16(rng);
    c.item07 = word16(rng);
    return c;
}

TownEventContent randomTownEvent(Rng& rng, const SvgVersion& source) {
    TownEventContent c;
    static_cast<GlobalEventContent&>(c) = randomGlobalEvent(rng, source);
    c.item08 = byte(rng);
    c.item09 = rng.gameBytes(8);
    c.item10 = rng.gameArray<std::uint16_t, 7>();
    return c;
}

SignContent randomSign(Rng& rng, const SvgVersion&) {
    SignContent c;
    c.item01 = randomText(rng);
    c.item02 = byte(rng);
    return c;
}

MineContent randomMine(Rng& rng, const SvgVersion&) {
    MineContent c;
    c.item01 = signedByte(rng);
    c.item02 = byte(rng);
    c.item03 = byte(rng);
    c.item04 = rng.gameArray<std::int32_t, 14>();
    c.item05 = rng.gameBytes(3);
    return c;
}

DwellingContent randomDwelling(Rng& rng, const SvgVersion&) {
    DwellingContent c;
    c.item01 = signedByte(rng);
    c.item02 = byte(rng);
    c.item03 = byte(rng);
    c.item04 = rng.gameBytes(4);
    c.item05 = rng.gameArray<std::uint16_t, 4>();
    c.item06 = rng.gameBytes(3);
    c.item07 = rng.gameArray<std::int32_t, 14>();
    c.item08 = byte(rng);
    return c;
}

GarnissonContent randomGarnisson(Rng& rng, const SvgVersion&) {
    GarnissonContent c;
    c.item01 = byte(rng);
    c.item02 = rng.gameArray<std::int32_t, 14>();
    c.item03 = rng.gameBytes(4);
    return c;
}

BoatContent randomBoat(Rng& rng, const SvgVersion& source) {
    BoatContent c;
    c.item01 = byte(rng);
    c.item02 = signedByte(rng);
    c.item03 = signedByte(rng);
    c.item04 = signedByte(rng);
    c.item05 = signedByte(rng);
    c.item06 = static_cast<std::int16_t>(rng.gameValue());
    c.item07 = byte(rng);
    c.item08 = randomMovableObject(rng, source);
    return c;
}

ObelisksContent randomObelisks(Rng& rng, const SvgVersion&) {
    ObelisksContent c;
    c.item01 = static_cast<std::uint8_t>(rng.below(49));
    c.item02 = rng.gameBytes(48);
    return c;
}

CrbankContent randomCrbank(Rng& rng, const SvgVersion&) {
    CrbankContent c;
    c.item01 = rng.gameArray<std::int32_t, 14>();
    c.item02 = rng.gameArray<std::int32_t, 7>();
    c.item03 = static_cast<std::int32_t>(rng.gameValue());
    c.item04 = signedByte(rng);
    c.item05 = randomList<std::int32_t>(rng.below(4), [&](std::size_t) { return static_cast<std::int32_t>(rng.gameValue()); });
    return c;
}

AdventureObjectsContent randomAdventureObjects(Rng& rng, const SvgVersion& source, const AdventureObjectCounts& n) {
    const bool from44 = layout::from44(source);
    const bool from44Sub3 = layout::from44Sub3(source);
    requireFits<std::uint32_t>(n.templates, "templates");
    requireFits<std::uint16_t>(n.pandoraEvents, "pandora events");
    requireFits<std::uint16_t>(n.guardedObjectSetups, "guarded object setups");
    requireFits<std::uint16_t>(n.monsters, "monsters");
    if (from44)
        requireFits<std::uint16_t>(n.seerHuts, "seer huts");
    else
        requireFits<std::int16_t>(n.seerHuts, "seer huts");
    requireFits<std::uint16_t>(n.questGuards, "quest guards");
    requireFits<std::uint32_t>(n.globalEvents, "global events");
    requireFits<std::uint32_t>(n.townEvents, "town events");
    if (from44)
        requireFits<std::uint8_t>(n.signs, "signs");
    else
        requireFits<std::int8_t>(n.signs, "signs");
    if (from44Sub3)
        requireFits<std::uint32_t>(n.mines, "mines");
    else
        requireFits<std::uint8_t>(n.mines, "mines");
    requireFits<std::uint16_t>(n.dwellings, "dwellings");
    requireFits<std::uint8_t>(n.garrisons, "garrisons");
    requireFits<std::uint8_t>(n.boats, "boats");
    requireFits<std::int16_t>(n.creatureBanks, "creature banks");

    const auto& questTags = questTagsWithOwnLayout();
    auto questTag = [&](std::size_t i) { return questTags[i % questTags.size()]; };
    // Unguarded, guarded with tag 1, guarded with another non-zero tag.
    auto guardTag = [&](std::size_t i) { return static_cast<std::uint8_t>(i % 3 == 0 ? 0 : i % 3 == 1 ? 1 : 2 + rng.below(254)); };

    AdventureObjectsContent c;
    c.templates = randomList<TemplateContent>(n.templates, [&](std::size_t) { return randomTemplate(rng, source); });
    c.pandoraEvents = randomList<PandoraEventContent>(n.pandoraEvents, [&](std::size_t i) { return randomPandoraEvent(rng, source, guardTag(i)); });
    c.guardedObjectSetups = randomList<GuardedObjectSetupContent>(n.guardedObjectSetups, [&](std::size_t i) { return randomGuardedObjectSetup(rng, source, guardTag(i)); });
    c.monsters = randomList<MonsterContent>(n.monsters, [&](std::size_t) { return randomMonster(rng, source); });
    c.seerHuts = randomList<SeerHutContent>(n.seerHuts, [&](std::size_t i) { return randomSeerHut(rng, source, questTag(i)); });
    c.questGuards = randomList<QuestGuardContent>(n.questGuards, [&](std::size_t i) { return randomQuestGuard(rng, source, questTag(i + 7)); });
    c.globalEvents = randomList<GlobalEventContent>(n.globalEvents, [&](std::size_t) { return randomGlobalEvent(rng, source); });
    c.townEvents = randomList<TownEventContent>(n.townEvents, [&](std::size_t) { return randomTownEvent(rng, source); });
    c.signs = randomList<SignContent>(n.signs, [&](std::size_t) { return randomSign(rng, source); });
    c.mines = randomList<MineContent>(n.mines, [&](std::size_t) { return randomMine(rng, source); });
    c.dwellings = randomList<DwellingContent>(n.dwellings, [&](std::size_t) { return randomDwelling(rng, source); });
    c.garrisons = randomList<GarnissonContent>(n.garrisons, [&](std::size_t) { return randomGarnisson(rng, source); });
    c.boats = randomList<BoatContent>(n.boats, [&](std::size_t) { return randomBoat(rng, source); });
    c.obelisks = randomObelisks(rng, source);
    c.creatureBanks = randomList<CrbankContent>(n.creatureBanks, [&](std::size_t) { return randomCrbank(rng, source); });
    return c;
}
