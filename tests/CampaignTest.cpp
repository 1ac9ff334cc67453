#include <gtest/gtest.h>

#include <numeric>

#include "savegen/CampaignContent.h"
#include "schema/Campaign.h"
#include "tests/support/RecordIo.h"

namespace {

using namespace record_io;

const SvgVersion roundTripVersions[] = {v42, v44s2, v44s3, v45s3};

std::size_t carriedHeroCount(const CampaingContent& c) {
    return std::accumulate(c.data.item11.begin(), c.data.item11.end(), std::size_t{0},
                           [](std::size_t n, const CampSavedScenarioResContent& r) { return n + r.heroes.size(); });
}

}  // namespace

TEST(Campaing, TagZeroIsFollowedByNothing) {
    std::vector<unsigned char> bytes{0, 0, 0xAA, 0xBB};
    ByteInput in(bytes);
    in.raiseOnFailure();
    SvgCampaing campaign;
    campaign.read(in, v44s3);
    EXPECT_EQ(in.position(), 2u);
    EXPECT_TRUE(campaign.getChildren().empty());
    ByteOutput out;
    campaign.write(out, v44s3);
    EXPECT_EQ(out.bytes(), (std::vector<unsigned char>{0, 0}));
}

TEST(Campaing, EveryTagRoundTripsInEveryVersion) {
    for (const SvgVersion& v : roundTripVersions) {
        for (std::uint16_t tag : campaingVariantTags()) {
            SCOPED_TRACE(testing::Message() << v.svg_version << "/" << v.svg_subversion << " tag " << tag);
            Rng rng(tag + 100u * v.svg_version + v.svg_subversion);
            CampaingContent content = randomCampaing(rng, v, tag);
            auto bytes = encoded(content, v);
            SvgCampaing campaign;
            EXPECT_EQ(convertNode(campaign, bytes, v, v), bytes);
            EXPECT_EQ(campaign.getChildren().size(), tag == 0 ? 0u : 1u);
        }
    }
}

TEST(Campaing, TwoByteTagIsLittleEndian) {
    Rng rng(2);
    auto bytes = encoded(randomCampaing(rng, v44s3, 513), v44s3);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0x02);
    SvgCampaing campaign;
    convertNode(campaign, bytes, v44s3, v44s3);
    EXPECT_EQ(campaign.tag, 513);
    ASSERT_EQ(campaign.getChildren().size(), 1u);
    EXPECT_NE(dynamic_cast<const SvgCampaingData*>(campaign.getChildren()[0].get()), nullptr);
}

// Only the carried-over heroes change between versions: each gains the fields the source lacked.
TEST(Campaing, CarriedOverHeroesGainTheTargetFields) {
    struct Case {
        SvgVersion source;
        std::size_t bytesPerHero;
    } cases[] = {{v44s2, 12}, {v42, 16}, {version(45, 2, 4), 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source.svg_version << "/" << c.source.svg_subversion);
        Rng rng(21);
        CampaingContent content = randomCampaing(rng, c.source, 1);
        std::size_t heroes = carriedHeroCount(content);
        ASSERT_GT(heroes, 0u) << "pick a seed that carries heroes over";
        auto source = encoded(content, c.source);
        SvgVersion target = c.source.svg_version == 45 ? v45s3 : v44s3;
        SvgCampaing campaign;
        auto written = convertNode(campaign, source, c.source, target);
        EXPECT_EQ(written, encoded(content, target));
        EXPECT_EQ(written.size(), source.size() + heroes * c.bytesPerHero);
    }
}

TEST(CampSavedScenarioRes, EmptyResultTakesThreeBytes) {
    std::vector<unsigned char> bytes{0, 0, 0};
    SvgCampSavedScenarioRes result;
    EXPECT_EQ(convertNode(result, bytes, v44s2, v44s3), bytes);
    EXPECT_EQ(encoded(CampSavedScenarioResContent{}, v44s3), bytes);
}

TEST(CampSavedScenarioRes, HeroesAndArtifactsFollowTheirCounts) {
    CampSavedScenarioResContent content;
    content.heroes.resize(2);
    content.heroes[1].item04 = "Edda";
    content.artifacts = {{7, -1}, {300, 2}};
    auto bytes = encoded(content, v44s3);
    ASSERT_EQ(bytes.size(), 1 + 2 * 1110 + 4 + 2 + 2 * 4u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1 + 1110 + 22], 4);
    std::vector<unsigned char> artifacts(bytes.end() - 10, bytes.end());
    EXPECT_EQ(artifacts, (std::vector<unsigned char>{2, 0, 7, 0, 0xFF, 0xFF, 0x2C, 0x01, 2, 0}));
    SvgCampSavedScenarioRes result;
    EXPECT_EQ(convertNode(result, bytes, v44s3, v44s3), bytes);
}

TEST(Campaing, ShortReadRaisesTheStreamError) {
    Rng rng(4);
    auto bytes = encoded(randomCampaing(rng, v44s3, 1), v44s3);
    for (std::size_t cut : {std::size_t{1}, std::size_t{2}, bytes.size() / 2, bytes.size() - 1}) {
        SCOPED_TRACE(cut);
        std::vector<unsigned char> truncated(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        ByteInput in(truncated);
        in.raiseOnFailure();
        SvgCampaing campaign;
        EXPECT_THROW(campaign.read(in, v44s3), StreamError);
    }
}
