#include <gtest/gtest.h>

#include "savegen/HeroesContent.h"
#include "schema/Heroes.h"
#include "tests/support/RecordIo.h"

namespace {

using namespace record_io;

const SvgVersion roundTripVersions[] = {v42, v44s2, v44s3, v45s3};

std::vector<unsigned char> slice(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t n) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

std::vector<unsigned char> defaultHeroImage(const SvgVersion& v) {
    std::vector<unsigned char> image(heroSize(v), 0);
    image[26] = 0xFF;
    return image;
}

}  // namespace

TEST(MovableObject, RoundTripsItsTwentyBytes) {
    Rng rng(1);
    auto bytes = encoded(randomMovableObject(rng, v44s3), v44s3);
    ASSERT_EQ(bytes.size(), 20u);
    SvgMovableObject object;
    EXPECT_EQ(convertNode(object, bytes, v44s3, v44s3), bytes);
}

TEST(Hero, RoundTripsInEveryVersion) {
    for (const SvgVersion& v : roundTripVersions) {
        SCOPED_TRACE(versionName(v));
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(testing::Message() << v.svg_version << "/" << v.svg_subversion << " seed " << seed);
            Rng rng(seed);
            HeroContent content = randomHero(rng, v);
            auto bytes = encoded(content, v);
            ASSERT_EQ(bytes.size(), heroSize(v) + content.item04.size());
            SvgHero hero;
            EXPECT_EQ(convertNode(hero, bytes, v, v), bytes);
        }
    }
}

TEST(Hero, SizesFollowTheVersion) {
    EXPECT_EQ(heroSize(v42), 1094u);
    EXPECT_EQ(heroSize(version(44, 0)), 1094u);
    EXPECT_EQ(heroSize(version(44, 1)), 1094u);
    EXPECT_EQ(heroSize(v44s2), 1098u);
    EXPECT_EQ(heroSize(v44s3), 1110u);
    EXPECT_EQ(heroSize(v45s3), 1110u);
}

// Converting a hero appends the fields the source lacked, as zero bytes, and nothing else.
TEST(Hero, GainsZeroFieldsTheSourceLacked) {
    struct Case {
        SvgVersion source, target;
        std::size_t addedZeros;
    } cases[] = {{v42, v44s3, 16}, {v44s2, v44s3, 12}, {v42, v44s2, 4}, {version(45, 2, 7), v45s3, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source.svg_version << "/" << c.source.svg_subversion);
        Rng rng(7);
        HeroContent content = randomHero(rng, c.source);
        auto source = encoded(content, c.source);
        SvgHero hero;
        auto written = convertNode(hero, source, c.source, c.target);
        EXPECT_EQ(written, encoded(content, c.target));
        auto expected = source;
        expected.insert(expected.end(), c.addedZeros, 0);
        EXPECT_EQ(written, expected);
    }
}

TEST(Hero, TextOfFiveCharactersShiftsLaterFieldsByFive) {
    HeroContent content;
    content.item04 = "Arvid";
    content.item05 = 3;
    content.item54 = 0xAB;
    content.item59 = 0x01020304;
    auto bytes = encoded(content, v44s3);
    ASSERT_EQ(bytes.size(), 1115u);
    EXPECT_EQ(slice(bytes, 22, 9), (std::vector<unsigned char>{5, 0, 0, 0, 'A', 'r', 'v', 'i', 'd'}));

    SvgHero hero;
    EXPECT_EQ(convertNode(hero, bytes, v44s3, v44s3), bytes);
    EXPECT_EQ(hero.item04.characters(), "Arvid");
    EXPECT_EQ(hero.item05.value, 3);
    EXPECT_EQ(bytes[26 + 5], 3);
    EXPECT_EQ(hero.item54.value, 0xAB);
    EXPECT_EQ(bytes[1087 + 5], 0xAB);
    EXPECT_EQ(hero.item59.value, 0x01020304u);
    EXPECT_EQ(slice(bytes, 1106 + 5, 4), (std::vector<unsigned char>{4, 3, 2, 1}));
}

TEST(Hero, FreshlyBuiltHeroIsTheDefaultHero) {
    for (const SvgVersion& v : roundTripVersions) {
        SCOPED_TRACE(versionName(v));
        ByteOutput out;
        SvgHero().write(out, v);
        EXPECT_EQ(out.bytes(), defaultHeroImage(v));
        EXPECT_EQ(out.bytes(), encoded(HeroContent{}, v));
    }
}

TEST(Hero, ShortReadRaisesTheStreamError) {
    Rng rng(3);
    auto bytes = encoded(randomHero(rng, v44s3), v44s3);
    bytes.pop_back();
    ByteInput in(bytes);
    in.raiseOnFailure();
    SvgHero hero;
    EXPECT_THROW(hero.read(in, v44s3), StreamError);
}

TEST(Hero, HugeTextCountFailsWithoutBuildingCharacters) {
    Bytes bytes;
    bytes.fill(22, 0).u32(0xFFFFFFFFu).fill(100, 0);
    ByteInput in(bytes.data);
    in.raiseOnFailure();
    SvgHero hero;
    EXPECT_THROW(hero.read(in, v44s3), StreamError);
}

TEST(HeroTable, RoundTripsInEveryVersion) {
    for (const SvgVersion& v : roundTripVersions) {
        SCOPED_TRACE(testing::Message() << v.svg_version << "/" << v.svg_subversion);
        Rng rng(11);
        HeroTableContent content = randomHeroTable(rng, v);
        auto bytes = encoded(content, v);
        SvgHeroFixedSizeArray table;
        EXPECT_EQ(convertNode(table, bytes, v, v), bytes);
        EXPECT_EQ(table.getChildren().size(), v.svg_version == 42 ? 156u : 178u);
    }
}

TEST(HeroTable, VersionFortyTwoGainsTwentyTwoDefaultHeroes) {
    Rng rng(5);
    HeroTableContent content = randomHeroTable(rng, v42);
    ASSERT_EQ(content.heroes.size(), 156u);
    auto source = encoded(content, v42);

    SvgHeroFixedSizeArray table;
    auto written = convertNode(table, source, v42, v44s3);
    EXPECT_TRUE(table.addDefaultHeroes);
    EXPECT_EQ(written, encoded(withDefaultHeroes(content), v44s3));

    // Every source hero comes back with 16 zero bytes at its end, then 22 default heroes follow.
    std::size_t in = 0, out = 0;
    for (const HeroContent& hero : content.heroes) {
        std::size_t size = encoded(hero, v42).size();
        auto expected = slice(source, in, size);
        expected.insert(expected.end(), 16, 0);
        ASSERT_EQ(slice(written, out, size + 16), expected);
        in += size;
        out += size + 16;
    }
    ASSERT_EQ(written.size(), out + 22 * 1110);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(slice(written, out + i * 1110u, 1110), defaultHeroImage(v44s3));
}

TEST(HeroTable, VersionFortyTwoWrittenAsFortyTwoAddsNoHero) {
    Rng rng(6);
    auto source = encoded(randomHeroTable(rng, v42), v42);
    SvgHeroFixedSizeArray table;
    EXPECT_EQ(convertNode(table, source, v42, v42), source);
}

TEST(HeroTable, SubversionTwoHeroesGainTwelveZeroBytesAndNoHeroIsAdded) {
    Rng rng(8);
    HeroTableContent content = randomHeroTable(rng, v44s2);
    ASSERT_EQ(content.heroes.size(), 178u);
    auto source = encoded(content, v44s2);

    SvgHeroFixedSizeArray table;
    auto written = convertNode(table, source, v44s2, v44s3);
    EXPECT_FALSE(table.addDefaultHeroes);
    EXPECT_EQ(written, encoded(content, v44s3));
    EXPECT_EQ(written.size(), source.size() + 178 * 12);
}

TEST(HeroTable, ShortReadRaisesTheStreamError) {
    Rng rng(9);
    auto bytes = encoded(randomHeroTable(rng, v44s2), v44s2);
    bytes.resize(bytes.size() - 3);
    ByteInput in(bytes);
    in.raiseOnFailure();
    SvgHeroFixedSizeArray table;
    EXPECT_THROW(table.read(in, v44s2), StreamError);
}

TEST(HeroByteTables, VersionFortyTwoGainsTheirTwentyTwoInitialBytes) {
    Rng rng(10);
    HeroByteTableContent availability = randomHeroAvailability(rng, v42);
    HeroByteTableContent playerAvailability = randomHeroPlayerAvailability(rng, v42);
    auto availabilityBytes = encoded(availability, v42);
    auto playerBytes = encoded(playerAvailability, v42);
    ASSERT_EQ(availabilityBytes.size(), 156u);

    auto expectedAvailability = availabilityBytes;
    expectedAvailability.insert(expectedAvailability.end(), 22, 64);
    auto expectedPlayer = playerBytes;
    expectedPlayer.insert(expectedPlayer.end(), 22, 0);

    SvgHeroAvailabilityFixedSizeArray availabilityTable;
    SvgHeroPlayerAvailabilityFixedSizeArray playerTable;
    EXPECT_EQ(convertNode(availabilityTable, availabilityBytes, v42, v44s3), expectedAvailability);
    EXPECT_EQ(convertNode(playerTable, playerBytes, v42, v44s3), expectedPlayer);
    EXPECT_EQ(expectedAvailability, encoded(availability, v44s3));
    EXPECT_EQ(expectedPlayer, encoded(playerAvailability, v44s3));
}

TEST(HeroByteTables, RoundTripInEveryVersion) {
    for (const SvgVersion& v : roundTripVersions) {
        Rng rng(12);
        auto availability = encoded(randomHeroAvailability(rng, v), v);
        auto player = encoded(randomHeroPlayerAvailability(rng, v), v);
        EXPECT_EQ(availability.size(), v.svg_version >= 44 ? 178u : 156u);
        SvgHeroAvailabilityFixedSizeArray availabilityTable;
        SvgHeroPlayerAvailabilityFixedSizeArray playerTable;
        EXPECT_EQ(convertNode(availabilityTable, availability, v, v), availability);
        EXPECT_EQ(convertNode(playerTable, player, v, v), player);
    }
}

TEST(HeroTable, ReadingAgainKeepsTheSizeOfTheNewSource) {
    Rng rng(13);
    auto newer = encoded(randomHeroTable(rng, v44s2), v44s2);
    auto older = encoded(randomHeroTable(rng, v42), v42);
    SvgHeroFixedSizeArray table;
    convertNode(table, newer, v44s2, v44s2);
    EXPECT_EQ(convertNode(table, newer, v44s2, v44s2), newer);
    EXPECT_EQ(table.getChildren().size(), 178u);
    EXPECT_EQ(convertNode(table, older, v42, v42), older);
    EXPECT_EQ(table.getChildren().size(), 156u);
}
