// The scenario header records read exactly the bytes the builder composes, for every tag
// value of the conditional records, and write them back unchanged or in the target layout.

#include <gtest/gtest.h>

#include "schema/ScenarioHeader.h"
#include "tests/support/ScenarioHeaderContent.h"

namespace {

const SvgVersion v42 = [] { SvgVersion v; v.svg_version = 42; v.updateFormatLevel(); return v; }();
const SvgVersion v44Sub2 = [] { SvgVersion v; v.svg_version = 44; v.svg_subversion = 2; v.updateFormatLevel(); return v; }();
const SvgVersion v45Sub3 = [] {
    SvgVersion v; v.svg_version = 45; v.svg_subversion = 3; v.svg_hw_subversion = 7; v.updateFormatLevel(); return v;
}();

template <class Content>
std::vector<unsigned char> encoded(const Content& content, const SvgVersion& v) {
    Bytes out;
    encode(out, content, v);
    return out.data;
}

// Reads the record from `bytes` followed by a sentinel, checks that it consumed exactly the
// record's bytes, and returns what it writes for `target`.
template <class Record>
std::vector<unsigned char> readThenWrite(Record& record, const std::vector<unsigned char>& bytes,
                                         const SvgVersion& source, const SvgVersion& target) {
    std::vector<unsigned char> withSentinel = bytes;
    withSentinel.insert(withSentinel.end(), {0xEE, 0xEE, 0xEE, 0xEE});
    ByteInput in(withSentinel);
    in.raiseOnFailure();
    record.read(in, source);
    EXPECT_EQ(in.position(), bytes.size());
    ByteOutput out;
    record.write(out, target);
    return out.bytes();
}

template <class Record, class Content>
void expectRoundTrip(const Content& content, const SvgVersion& v) {
    Record record;
    std::vector<unsigned char> bytes = encoded(content, v);
    EXPECT_EQ(readThenWrite(record, bytes, v, v), bytes);
}

TEST(ScenarioHeaderConditionals, EveryTagValueReadsItsLayoutAndWritesItBack) {
    Rng rng(7);
    for (int tag = -128; tag <= 127; ++tag) {
        SCOPED_TRACE("tag " + std::to_string(tag));
        expectRoundTrip<SvgSpecialVictoryConditions>(randomVictoryConditions(rng, v44Sub2, tag), v44Sub2);
        expectRoundTrip<SvgSpecialLossConditions>(randomLossConditions(rng, v44Sub2, tag), v44Sub2);
        int unsignedTag = tag & 0xFF;
        expectRoundTrip<Teams>(randomTeams(rng, v44Sub2, unsignedTag), v44Sub2);
        expectRoundTrip<generateHeroInfo>(randomGenerateHeroInfo(rng, v44Sub2, unsignedTag), v44Sub2);
        expectRoundTrip<playerHerotypeInfo>(randomPlayerHerotypeInfo(rng, v44Sub2, unsignedTag), v44Sub2);
    }
}

TEST(ScenarioHeaderConditionals, LayoutsByTag) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::size_t (*readSize)(const std::vector<unsigned char>&);
    };
    auto sizeRead = [](auto record) {
        return [](const std::vector<unsigned char>& bytes) -> std::size_t {
            decltype(record) node;
            ByteInput in(bytes);
            in.raiseOnFailure();
            node.read(in, v44Sub2);
            return in.position();
        };
    };
    std::vector<unsigned char> tail(16, 0x11);
    auto withTail = [&](std::vector<unsigned char> head) { head.insert(head.end(), tail.begin(), tail.end()); return head; };
    const Case cases[] = {
        {"victory -1: nothing", withTail({0xFF}), sizeRead(SvgSpecialVictoryConditions{})},
        {"victory 8: two bytes", withTail({8}), sizeRead(SvgSpecialVictoryConditions{})},
        {"victory 3: u8 u8 u8[3] i8 i8", withTail({3}), sizeRead(SvgSpecialVictoryConditions{})},
        {"victory 12: u8 u8 u32", withTail({12}), sizeRead(SvgSpecialVictoryConditions{})},
        {"loss -1: nothing", withTail({0xFF}), sizeRead(SvgSpecialLossConditions{})},
        {"loss 3: nothing", withTail({3}), sizeRead(SvgSpecialLossConditions{})},
        {"loss 1: i16", withTail({1}), sizeRead(SvgSpecialLossConditions{})},
        {"teams 0: nothing", withTail({0}), sizeRead(Teams{})},
        {"teams 1: eight bytes", withTail({1}), sizeRead(Teams{})},
        {"herotype 255: nothing", withTail({255}), sizeRead(playerHerotypeInfo{})},
    };
    const std::size_t expected[] = {1, 3, 8, 7, 1, 1, 3, 1, 9, 1};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].readSize(cases[i].bytes), expected[i]) << cases[i].name;
}

TEST(PlayerAttributes, OstrelRecordGainsAZeroByteBeforeTheHerotypeInfo) {
    std::vector<unsigned char> ostrel{1, 2, 0xFD, 0x34, 0x12, 5, /*item06*/ 1, 9, 8, 7, /*item08*/ 4, 6, 1, 0, 'x'};
    std::vector<unsigned char> brevin{1, 2, 0xFD, 0x34, 0x12, 5, 1, 9, 8, 7, /*item07*/ 0, 4, 6, 1, 0, 'x'};
    SVG_PLAYER_ATTRIBUTES record;
    EXPECT_EQ(readThenWrite(record, ostrel, v42, v44Sub2), brevin);
}

TEST(PlayerAttributes, RandomRecordsRoundTripInEveryVersion) {
    Rng rng(11);
    for (const SvgVersion& v : {v42, v44Sub2, v45Sub3})
        for (int i = 0; i < 50; ++i) expectRoundTrip<SVG_PLAYER_ATTRIBUTES>(randomPlayerAttributes(rng, v), v);
}

TEST(BasicParameters, VersionFieldsAreWrittenFromTheTargetVersion) {
    Rng rng(3);
    BasicParametersContent content = randomBasicParameters(rng, v44Sub2);
    content.item09 = "";
    content.item10 = "map";
    SVG_BASIC_PARAMETERS record;
    EXPECT_EQ(readThenWrite(record, encoded(content, v44Sub2), v44Sub2, v45Sub3), encoded(content, v45Sub3));
    SVG_BASIC_PARAMETERS ostrel;
    EXPECT_EQ(readThenWrite(ostrel, encoded(content, v42), v42, v44Sub2), encoded(content, v44Sub2));
}

TEST(BasicParameters, EmptyTextIsWrittenAsItsTwoCountBytes) {
    BasicParametersContent content;
    content.item09 = "";
    content.item10 = "";
    std::vector<unsigned char> bytes = encoded(content, v44Sub2);
    // signature 8, version 8, item03..twoLevels 46, two empty texts 4, two chars 2
    ASSERT_EQ(bytes.size(), 68u);
    SVG_BASIC_PARAMETERS record;
    EXPECT_EQ(readThenWrite(record, bytes, v44Sub2, v44Sub2), bytes);
}

TEST(BasicParameters, AccessorsReferToTheValuesReadIntoTheTree) {
    SVG_BASIC_PARAMETERS record;
    const unsigned int& mapSize = record.mapSize();
    const unsigned char& twoLevels = record.twoLevels();
    BasicParametersContent content;
    content.mapSize = 144;
    content.twoLevels = 1;
    std::vector<unsigned char> bytes = encoded(content, v42);
    ByteInput in(bytes);
    record.read(in, v42);
    EXPECT_EQ(mapSize, 144u);
    EXPECT_EQ(twoLevels, 1u);
    EXPECT_EQ(&mapSize, &record.mapSize());
}

TEST(TunedTags, ListRoundTripsWithItsOneByteCount) {
    Rng rng(5);
    for (int i = 0; i < 20; ++i) {
        std::vector<TunedTagContent> tags = randomTunedTags(rng, v44Sub2);
        expectRoundTrip<ArrayOfBinarySequences<unsigned char, tuned_tag>>(tags, v44Sub2);
    }
    std::vector<unsigned char> one{1, 3, 4, 2, 0, 0, 0, 'h', 'i', 9};
    ArrayOfBinarySequences<unsigned char, tuned_tag> list;
    EXPECT_EQ(readThenWrite(list, one, v42, v44Sub2), one);
}

TEST(MapPreSmth, Is436BytesCarriedUnchanged) {
    Rng rng(9);
    MapPreSmthContent content = randomMapPreSmth(rng, v42);
    SvgMapPreSmth record;
    EXPECT_EQ(readThenWrite(record, content.bytes, v42, v45Sub3), content.bytes);
}

}  // namespace
