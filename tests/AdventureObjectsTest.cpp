#include <gtest/gtest.h>

#include <memory>

#include "savegen/AdventureObjectsContent.h"
#include "schema/AdventureObjects.h"
#include "schema_core/ArrayOfBinarySequencesWithVariableIntType.h"
#include "tests/support/RecordIo.h"

namespace {

using namespace record_io;

const SvgVersion allFamilies[] = {v42, v44s2, v44s3, v45s2, v45s3};

// The root lists around the records, with the count types the game state gives them.
using SeerHutList = ArrayOfBinarySequencesWithVariableIntType<short, unsigned short, SvgSeerHut>;
using SignList = ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, SvgSign>;
using MineList = ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, SvgMine>;

// Root nodes 28 to 40 in file order.
class MapObjectLists : public BinarySequence {
public:
    MapObjectLists() {
        addNew<ArrayOfBinarySequences<unsigned short, SvgObjectPandoraEvent>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned short, SvgGuardedObjectSetup>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned short, SvgObjectMonster>>(AlwaysPresent);
        addNew<SeerHutList>(FromVersion44, AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned short, SvgQuestGuard>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned int, SvgGlobalEvent>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned int, SvgTownEvent>>(AlwaysPresent);
        addNew<SignList>(FromVersion44, AlwaysPresent);
        addNew<MineList>(FromVersion44Sub3, AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned short, SvgDwelling>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned char, SvgGarnisson>>(AlwaysPresent);
        addNew<ArrayOfBinarySequences<unsigned char, SvgBoat>>(AlwaysPresent);
        addNew<Obelisks>();
    }
};

template <class Record>
std::unique_ptr<BinarySequence> create() {
    return std::make_unique<Record>();
}

struct RecordCase {
    const char* name;
    std::unique_ptr<BinarySequence> (*create)();
    Bytes (*draw)(Rng&, const SvgVersion&);
    std::size_t fixedSize;  // 0 for records of variable size
};

const RecordCase recordCases[] = {
    {"SvgTemplate", create<SvgTemplate>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomTemplate(r, v), v); }, 0},
    {"SvgGuardSetup", create<SvgGuardSetup>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomGuardSetup(r, v), v); }, 0},
    {"SvgGuardedObjectSetup", create<SvgGuardedObjectSetup>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomGuardedObjectSetup(r, v), v); }, 0},
    {"SvgGuardedObject", create<SvgGuardedObject>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomGuardedObject(r, v), v); }, 0},
    {"SvgObjectPandoraEvent", create<SvgObjectPandoraEvent>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomPandoraEvent(r, v), v); }, 0},
    {"SvgObjectMonster", create<SvgObjectMonster>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomMonster(r, v), v); }, 0},
    {"SvgQuest", create<SvgQuest>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomQuest(r, v), v); }, 0},
    {"SvgSeerHut", create<SvgSeerHut>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomSeerHut(r, v), v); }, 0},
    {"SvgQuestGuard", create<SvgQuestGuard>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomQuestGuard(r, v), v); }, 0},
    {"SvgGlobalEvent", create<SvgGlobalEvent>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomGlobalEvent(r, v), v); }, 0},
    {"SvgTownEvent", create<SvgTownEvent>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomTownEvent(r, v), v); }, 0},
    {"SvgSign", create<SvgSign>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomSign(r, v), v); }, 0},
    {"SvgMine", create<SvgMine>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomMine(r, v), v); }, 62},
    {"SvgDwelling", create<SvgDwelling>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomDwelling(r, v), v); }, 75},
    {"SvgGarnisson", create<SvgGarnisson>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomGarnisson(r, v), v); }, 61},
    {"SvgBoat", create<SvgBoat>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomBoat(r, v), v); }, 28},
    {"Obelisks", create<Obelisks>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomObelisks(r, v), v); }, 49},
    {"SvgCrbank", create<SvgCrbank>, [](Rng& r, const SvgVersion& v) { return encodedBytes(randomCrbank(r, v), v); }, 0},
};

template <class T>
T childValue(const BinarySequence& node, std::size_t index) {
    const auto* child = dynamic_cast<const ElemBinarySequence<T>*>(node.getChildren().at(index).get());
    if (child == nullptr) throw std::logic_error("child of another type");
    return child->value;
}

QuestContent questWithText(std::uint8_t tag) {
    QuestContent q;
    q.tag = tag;
    q.tail01 = 1;
    q.tail02 = 2;
    q.tail03 = 0x12345678;
    q.tail04 = "a";
    q.tail06 = "bc";
    return q;
}

}  // namespace

// Every record, drawn many times for every family, reads all its bytes and writes them back
// unchanged for the same and for the current version (no field depends on the version).
TEST(AdventureObjects, EveryRecordRoundTripsInEveryVersion) {
    for (const RecordCase& c : recordCases) {
        for (const SvgVersion& v : allFamilies) {
            for (std::uint64_t seed = 1; seed <= 30; ++seed) {
                SCOPED_TRACE(testing::Message() << c.name << " version " << v.svg_version << "/" << v.svg_subversion
                                                << " seed " << seed);
                Rng rng(seed);
                Bytes bytes = c.draw(rng, v);
                if (c.fixedSize != 0) {
                    ASSERT_EQ(bytes.size(), c.fixedSize);
                }
                auto record = c.create();
                EXPECT_EQ(convertNode(*record, bytes.data, v, v), bytes.data);
                auto converted = c.create();
                EXPECT_EQ(convertNode(*converted, bytes.data, v, v44s3), bytes.data);
            }
        }
    }
}

TEST(AdventureObjects, EveryRecordRaisesTheStreamErrorOnEveryShortRead) {
    for (const RecordCase& c : recordCases) {
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            Rng rng(seed);
            Bytes bytes = c.draw(rng, v44s3);
            for (std::size_t length = 0; length < bytes.size(); ++length) {
                SCOPED_TRACE(testing::Message() << c.name << " seed " << seed << " cut at " << length);
                ByteInput in(bytes.data.data(), length);
                in.raiseOnFailure();
                auto record = c.create();
                EXPECT_THROW(record->read(in, v44s3), StreamError);
            }
        }
    }
}

// Each quest tag 0 to 12 and some tags above, inside both records that hold a quest.
TEST(AdventureObjects, EveryQuestTagRoundTripsInSeerHutsAndQuestGuards) {
    std::vector<std::uint8_t> tags = questTagsWithOwnLayout();
    tags.insert(tags.end(), {13, 128, 255});
    for (std::uint8_t tag : tags) {
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            SCOPED_TRACE(testing::Message() << "tag " << int(tag) << " seed " << seed);
            Rng rng(seed);
            Bytes hut = encodedBytes(randomSeerHut(rng, v42, tag), v42);
            SvgSeerHut seerHut;
            EXPECT_EQ(convertNode(seerHut, hut.data, v42, v44s3), hut.data);
            EXPECT_EQ(seerHut.item01.tag, tag);

            Bytes guard = encodedBytes(randomQuestGuard(rng, v44s2, tag), v44s2);
            SvgQuestGuard questGuard;
            EXPECT_EQ(convertNode(questGuard, guard.data, v44s2, v44s3), guard.data);
        }
    }
}

TEST(AdventureObjects, QuestWithTagZeroIsOneByte) {
    const std::vector<unsigned char> bytes{0x00, 0xAA};
    ByteInput in(bytes);
    in.raiseOnFailure();
    SvgQuest quest;
    quest.read(in, v44s3);
    EXPECT_EQ(in.position(), 1u);
    EXPECT_TRUE(quest.getChildren().empty());
    ByteOutput out;
    quest.write(out, v44s3);
    EXPECT_EQ(out.bytes(), std::vector<unsigned char>{0x00});
}

// Fields of equal total width read in the wrong order would still round-trip, so these check
// the values each field received.
TEST(AdventureObjects, QuestTagThreeIsAShortThenAByteThenTheTail) {
    Bytes bytes;
    bytes.u8(3).u16(0x1234).u8(0x56).u8(1).u8(2).u32(0x12345678).text32("a").text32("").text32("bc");
    QuestContent q = questWithText(3);
    q.shortValue = 0x1234;
    q.byteValue = 0x56;
    ASSERT_EQ(encodedBytes(q, v42).data, bytes.data);

    SvgQuest quest;
    EXPECT_EQ(convertNode(quest, bytes.data, v42, v44s3), bytes.data);
    ASSERT_EQ(quest.getChildren().size(), 8u);
    EXPECT_EQ(childValue<unsigned short>(quest, 0), 0x1234);
    EXPECT_EQ(childValue<unsigned char>(quest, 1), 0x56);
    EXPECT_EQ(childValue<unsigned char>(quest, 2), 1);
    EXPECT_EQ(childValue<unsigned char>(quest, 3), 2);
    EXPECT_EQ(childValue<unsigned int>(quest, 4), 0x12345678u);
}

TEST(AdventureObjects, QuestTagFourIsAWordAShortAndAByte) {
    QuestContent q = questWithText(4);
    q.wordValue = 0x9ABCDEF0;
    q.shortValue = 0x1234;
    q.byteValue = 0x56;
    Bytes bytes = encodedBytes(q, v44s2);
    EXPECT_EQ(std::vector<unsigned char>(bytes.data.begin(), bytes.data.begin() + 8),
              (std::vector<unsigned char>{0x04, 0xF0, 0xDE, 0xBC, 0x9A, 0x34, 0x12, 0x56}));

    SvgQuest quest;
    EXPECT_EQ(convertNode(quest, bytes.data, v44s2, v44s3), bytes.data);
    ASSERT_EQ(quest.getChildren().size(), 9u);
    EXPECT_EQ(childValue<unsigned int>(quest, 0), 0x9ABCDEF0u);
    EXPECT_EQ(childValue<unsigned short>(quest, 1), 0x1234);
    EXPECT_EQ(childValue<unsigned char>(quest, 2), 0x56);
}

TEST(AdventureObjects, QuestTagTwelveHasOnlyTheCommonTail) {
    Bytes bytes;
    bytes.u8(12).u8(1).u8(2).u32(0x12345678).text32("a").text32("").text32("bc");
    ASSERT_EQ(encodedBytes(questWithText(12), v42).data, bytes.data);
    SvgQuest quest;
    EXPECT_EQ(convertNode(quest, bytes.data, v42, v44s3), bytes.data);
    EXPECT_EQ(quest.getChildren().size(), 6u);
}

TEST(AdventureObjects, GuardSetupIsOneByteUnguardedAnd57Guarded) {
    for (std::uint8_t tag : {0, 1, 7, 255}) {
        SCOPED_TRACE(int(tag));
        Rng rng(tag);
        Bytes bytes = encodedBytes(randomGuardSetup(rng, v42, tag), v42);
        EXPECT_EQ(bytes.size(), tag == 0 ? 1u : 57u);
        SvgGuardSetup setup;
        EXPECT_EQ(convertNode(setup, bytes.data, v42, v44s3), bytes.data);
    }
}

TEST(AdventureObjects, GuardedObjectIsItsTagAloneOrTheTagAndASetup) {
    const std::vector<unsigned char> unguarded{0x00};
    SvgGuardedObject empty;
    EXPECT_EQ(convertNode(empty, unguarded, v42, v44s3), unguarded);
    EXPECT_TRUE(empty.getChildren().empty());

    Bytes guarded;
    guarded.u8(1).text16("hi").u8(0);
    SvgGuardedObject object;
    EXPECT_EQ(convertNode(object, guarded.data, v42, v44s3), guarded.data);
    ASSERT_EQ(object.getChildren().size(), 1u);
    const auto* setup = dynamic_cast<const SvgGuardedObjectSetup*>(object.getChildren()[0].get());
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->item01.characters(), "hi");

    Bytes withGuard;
    withGuard.u8(1).text16("hi").u8(3);
    for (int i = 0; i < 14; ++i) withGuard.i32(-i);
    SvgGuardedObject guardedObject;
    EXPECT_EQ(convertNode(guardedObject, withGuard.data, v42, v44s3), withGuard.data);
    EXPECT_EQ(withGuard.size(), 1u + 4u + 57u);
}

TEST(AdventureObjects, EventsWithAnEmptyTextHaveTheirFixedSizes) {
    Bytes global = encodedBytes(GlobalEventContent{}, v42);
    Bytes town = encodedBytes(TownEventContent{}, v42);
    EXPECT_EQ(global.size(), 37u);
    EXPECT_EQ(town.size(), 60u);
    SvgGlobalEvent globalEvent;
    EXPECT_EQ(convertNode(globalEvent, global.data, v42, v44s3), global.data);
    SvgTownEvent townEvent;
    EXPECT_EQ(convertNode(townEvent, town.data, v42, v44s3), town.data);
}

// Fields read into the nodes the layout names, at their positions and widths.
TEST(AdventureObjects, FieldsReceiveTheirValues) {
    TownEventContent t;
    t.item01 = "ev";
    t.item02[6] = -7;
    t.item06 = 0xBEEF;
    t.item07 = 0x1234;
    t.item08 = 9;
    t.item10[6] = 0xCAFE;
    SvgTownEvent town;
    Bytes townBytes = encodedBytes(t, v42);
    convertNode(town, townBytes.data, v42, v42);
    EXPECT_EQ(town.item01.characters(), "ev");
    EXPECT_EQ(town.item02.value[6], -7);
    EXPECT_EQ(town.item06.value, 0xBEEF);
    EXPECT_EQ(town.item07.value, 0x1234);
    EXPECT_EQ(town.item08.value, 9);
    EXPECT_EQ(town.item10.value[6], 0xCAFE);

    PandoraEventContent p;
    p.item02 = 0xA1B2C3D4;
    p.item03 = -2;
    p.item04 = -3;
    p.item05 = 4;
    p.item06to12[6] = 0x01020304;
    p.item13to16[3] = 0xEE;
    p.item17 = {{1, 2}};
    p.item20 = {{0x1111, 0x2222}, {3, 4}};
    SvgObjectPandoraEvent pandora;
    Bytes pandoraBytes = encodedBytes(p, v42);
    convertNode(pandora, pandoraBytes.data, v42, v42);
    EXPECT_EQ(pandora.item02.value, 0xA1B2C3D4u);
    EXPECT_EQ(pandora.item03.value, -2);
    EXPECT_EQ(pandora.item04.value, -3);
    EXPECT_EQ(pandora.item05.value, 4);
    EXPECT_EQ(pandora.item12.value, 0x01020304);
    EXPECT_EQ(pandora.item16.value, 0xEE);
    EXPECT_EQ(pandora.item17.count, 1);
    EXPECT_EQ(pandora.item18.count, 0);
    EXPECT_EQ(pandora.item20.count, 2);
    EXPECT_EQ(pandora.item20.elements.size(), 8u);

    DwellingContent d;
    d.item01 = -1;
    d.item05[3] = 0x7777;
    d.item07[13] = 42;
    d.item08 = 8;
    SvgDwelling dwelling;
    Bytes dwellingBytes = encodedBytes(d, v44s2);
    convertNode(dwelling, dwellingBytes.data, v44s2, v44s2);
    EXPECT_EQ(dwelling.item01.value, -1);
    EXPECT_EQ(dwelling.item05.value[3], 0x7777);
    EXPECT_EQ(dwelling.item07.value[13], 42);
    EXPECT_EQ(dwelling.item08.value, 8);

    BoatContent b;
    b.item06 = -300;
    b.item07 = 7;
    b.item08.item08 = 0xDEADBEEF;
    SvgBoat boat;
    Bytes boatBytes = encodedBytes(b, v44s3);
    convertNode(boat, boatBytes.data, v44s3, v44s3);
    EXPECT_EQ(boat.item06.value, -300);
    EXPECT_EQ(boat.item07.value, 7);
    EXPECT_EQ(boat.item08.item08.value, 0xDEADBEEFu);

    CrbankContent cb;
    cb.item03 = -5;
    cb.item04 = -6;
    cb.item05 = {1, 2, 3};
    SvgCrbank bank;
    Bytes bankBytes = encodedBytes(cb, v44s3);
    convertNode(bank, bankBytes.data, v44s3, v44s3);
    EXPECT_EQ(bank.item03.value, -5);
    EXPECT_EQ(bank.item04.value, -6);
    EXPECT_EQ(bank.item05.count, 3);
}

TEST(AdventureObjectLists, SeerHutsFromVersion42KeepTheirBytesUnderAnUnsignedCount) {
    Rng rng(7);
    std::vector<SeerHutContent> huts;
    for (std::uint8_t tag : questTagsWithOwnLayout()) huts.push_back(randomSeerHut(rng, v42, tag));
    Bytes source;
    encodeList(source, huts, v42);
    Bytes expected;
    encodeList(expected, huts, v44s3);
    SeerHutList list(FromVersion44);
    EXPECT_EQ(convertNode(list, source.data, v42, v44s3), expected.data);
    EXPECT_EQ(expected.data, source.data);
    EXPECT_EQ(list.getChildren().size(), huts.size());
}

TEST(AdventureObjectLists, SignCountByte200IsNegativeBefore44And200From44) {
    Rng rng(3);
    Bytes bytes;
    bytes.u8(200);
    for (int i = 0; i < 200; ++i) encode(bytes, randomSign(rng, v44s2), v44s2);

    SignList old(FromVersion44);
    ByteInput in(bytes.data);
    in.raiseOnFailure();
    EXPECT_THROW(old.read(in, v42), StreamError);

    SignList current(FromVersion44);
    EXPECT_EQ(convertNode(current, bytes.data, v44s2, v44s3), bytes.data);
    EXPECT_EQ(current.getChildren().size(), 200u);
}

TEST(AdventureObjectLists, MineCountWidensToFourBytesFor44Subversion3) {
    Rng rng(5);
    std::vector<MineContent> mines;
    for (int i = 0; i < 5; ++i) mines.push_back(randomMine(rng, v44s2));
    Bytes source;
    encodeList(source, mines, v44s2);
    ASSERT_EQ(source.size(), 1u + 5u * 62u);

    MineList list(FromVersion44Sub3);
    std::vector<unsigned char> written = convertNode(list, source.data, v44s2, v44s3);
    ASSERT_EQ(written.size(), 4u + 5u * 62u);
    EXPECT_EQ(std::vector<unsigned char>(written.begin(), written.begin() + 4),
              (std::vector<unsigned char>{0x05, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(std::equal(written.begin() + 4, written.end(), source.data.begin() + 1));
}

// Hundreds of objects in every list, as a large save holds them, read for each family and
// written for the current version of its release.
TEST(AdventureObjectLists, LargeListsConvertToTheCurrentVersion) {
    AdventureObjectCounts counts;
    counts.pandoraEvents = 300;
    counts.guardedObjectSetups = 120;
    counts.monsters = 400;
    counts.seerHuts = 260;
    counts.questGuards = 130;
    counts.globalEvents = 20;
    counts.townEvents = 40;
    counts.signs = 127;
    counts.mines = 255;
    counts.dwellings = 300;
    counts.garrisons = 30;
    counts.boats = 25;
    for (const SvgVersion& source : allFamilies) {
        SCOPED_TRACE(testing::Message() << source.svg_version << "/" << source.svg_subversion);
        const SvgVersion& target = source.svg_version == 45 ? v45s3 : v44s3;
        Rng rng(source.svg_version * 10 + source.svg_subversion);
        AdventureObjectsContent content = randomAdventureObjects(rng, source, counts);
        Bytes in;
        encodeMapObjectLists(in, content, source);
        Bytes expected;
        encodeMapObjectLists(expected, content, target);
        MapObjectLists lists;
        EXPECT_EQ(convertNode(lists, in.data, source, target), expected.data);
    }
}

TEST(AdventureObjectLists, GeneratorRefusesCountsTheSourceCannotHold) {
    Rng rng(1);
    AdventureObjectCounts signs;
    signs.signs = 128;
    EXPECT_THROW(randomAdventureObjects(rng, v42, signs), std::invalid_argument);
    EXPECT_NO_THROW(randomAdventureObjects(rng, v44s2, signs));
    AdventureObjectCounts mines;
    mines.mines = 256;
    EXPECT_THROW(randomAdventureObjects(rng, v44s2, mines), std::invalid_argument);
    EXPECT_NO_THROW(randomAdventureObjects(rng, v44s3, mines));
}
