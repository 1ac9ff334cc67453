// The scenario header records read exactly the bytes the builder composes, for every tag
// value of the conditional records, and write them back unchanged or in the target layout.

#include <gtest/gtest.h>

#include "savegen/ScenarioHeaderContent.h"
#include "schema/ScenarioHeader.h"

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

// How many bytes a record reads when its tag is followed by plenty of data.
template <class Record>
std::size_t bytesReadAfterTag(unsigned char tag) {
    std::vector<unsigned char> bytes(32, 0x11);
    bytes[0] = tag;
    ByteInput in(bytes);
    Record record;
    record.read(in, v44Sub2);
    return in.position();
}

TEST(ScenarioHeaderConditionals, LayoutsByTag) {
    struct Case { const char* name; std::size_t (*bytesRead)(unsigned char); unsigned char tag; std::size_t expected; };
    const Case cases[] = {
        {"victory -1: nothing", &bytesReadAfterTag<SvgSpecialVictoryConditions>, 0xFF, 1},
        {"victory 8: u8 u8", &bytesReadAfterTag<SvgSpecialVictoryConditions>, 8, 3},
        {"victory 3: u8 u8 u8[3] i8 i8", &bytesReadAfterTag<SvgSpecialVictoryConditions>, 3, 8},
        {"victory 10: u8 u8 u8 u8[3]", &bytesReadAfterTag<SvgSpecialVictoryConditions>, 10, 7},
        {"victory 12: u8 u8 u32", &bytesReadAfterTag<SvgSpecialVictoryConditions>, 12, 7},
        {"loss -1: nothing", &bytesReadAfterTag<SvgSpecialLossConditions>, 0xFF, 1},
        {"loss 3: nothing", &bytesReadAfterTag<SvgSpecialLossConditions>, 3, 1},
        {"loss 1: i16", &bytesReadAfterTag<SvgSpecialLossConditions>, 1, 3},
        {"teams 0: nothing", &bytesReadAfterTag<Teams>, 0, 1},
        {"teams 1: eight bytes", &bytesReadAfterTag<Teams>, 1, 9},
        {"herotype 255: nothing", &bytesReadAfterTag<playerHerotypeInfo>, 255, 1},
        {"hero info 1: three bytes", &bytesReadAfterTag<generateHeroInfo>, 1, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(c.bytesRead(c.tag), c.expected) << c.name;
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
