// Whole saves of every family load, convert with the target stamped into the header, and load
// back; the converted body is exactly the content encoded for the target version.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "savegen/Gzip.h"
#include "savegen/SaveBuilder.h"
#include "savegen/TextRichContent.h"
#include "tests/support/Releases.h"
#include "tests/support/ScratchDir.h"

namespace {

class SaveConversion : public ::testing::TestWithParam<std::tuple<SaveFamily, bool>> {};

// Converts the content as a save of the family and checks the output byte for byte, then loads
// it back.
void expectExactConversion(SaveFamily family, bool gzip, const GameStateContent& content, const std::string& what) {
    ScratchDir dir;
    SvgVersion source = versionOf(family);
    Bytes body = encodeGameState(content, source);
    std::string input = dir.put("in.GM1", gzip ? gzipMember(body.data) : body.data);
    std::string output = dir.file("in(converted).GM1");

    Q7Svg facade;
    facade.load(input.c_str());
    ASSERT_FALSE(facade.hasError()) << facade.engine().errorMessage;
    facade.convertAndSave(output.c_str());
    ASSERT_FALSE(facade.hasError()) << facade.engine().errorMessage;

    SvgVersion target = Q7Svg::targetFor(source);
    std::vector<unsigned char> written = readFileBytes(output);
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(gzip, written[0] == 0x1F && written[1] == 0x8B);
    std::vector<unsigned char> convertedBody = gzip ? gunzipMember(written) : written;
    GameStateContent expected = convertedContent(content, source, target, "in(converted).GM1");
    EXPECT_EQ(encodeGameState(expected, target).data, convertedBody) << what;

    Q7Svg reloaded;
    reloaded.load(output.c_str());
    ASSERT_FALSE(reloaded.hasError()) << reloaded.engine().errorMessage;
    EXPECT_EQ(reloaded.engine().sourceKind, gzip ? 1u : 2u);
    EXPECT_EQ(reloaded.engine().sourceVersion.svg_version, target.svg_version);
    EXPECT_EQ(reloaded.engine().sourceVersion.svg_subversion, releases::currentSubversion());
    EXPECT_EQ(reloaded.engine().sourceVersion.svg_hw_subversion, target.svg_hw_subversion);
}

TEST_P(SaveConversion, ConvertsToTheCurrentSubversionOfItsFamilyAndLoadsBack) {
    auto [family, gzip] = GetParam();
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        Rng rng(seed);
        expectExactConversion(family, gzip, randomGameState(family, rng), "seed " + std::to_string(seed));
    }
}

// The sizes the sample saves and the benchmark use: large maps, long lists, every record kind.
TEST_P(SaveConversion, MediumAndExtraLargeSavesConvertExactly) {
    auto [family, gzip] = GetParam();
    Rng rng(77);
    expectExactConversion(family, gzip, randomGameState(family, rng, SaveSize::medium()), "medium");
    expectExactConversion(family, gzip, randomGameState(family, rng, SaveSize::extraLarge()), "extra-large");
    expectExactConversion(family, gzip, randomGameState(family, rng, withRichTexts(SaveSize::medium())), "medium, rich texts");
}

TEST_P(SaveConversion, MakeSaveFileIsALoadableSaveOfItsFamily) {
    auto [family, gzip] = GetParam();
    ScratchDir dir;
    std::vector<unsigned char> file = makeSaveFile(family, gzip, 42);
    EXPECT_EQ(file, makeSaveFile(family, gzip, 42));
    Q7Svg_impl engine;
    engine.load(dir.put("a.GM1", file));
    EXPECT_EQ(engine.errorCode, 0u) << engine.errorMessage;
    SvgVersion expected = versionOf(family);
    EXPECT_EQ(engine.sourceVersion.svg_version, expected.svg_version);
    EXPECT_EQ(engine.sourceVersion.svg_subversion, expected.svg_subversion);
    EXPECT_EQ(engine.sourceVersion.svg_hw_subversion, expected.svg_hw_subversion);
}

// Synthetic saves compress like real ones (3 to 5 times), so that timings on them mean
// something; the extra-large one holds several megabytes.
TEST(SaveSizes, GameStateCompressesThreeToFiveTimes) {
    const std::pair<const char*, SaveSize> sizes[] = {
        {"small", SaveSize::small()}, {"medium", SaveSize::medium()}, {"extra-large", SaveSize::extraLarge()}};
    for (const auto& [name, size] : sizes) {
        Rng rng(5);
        Bytes body = encodeGameState(randomGameState(SaveFamily::Brevin44Sub2, rng, size), versionOf(SaveFamily::Brevin44Sub2));
        double ratio = static_cast<double>(body.size()) / static_cast<double>(gzipMember(body.data).size());
        EXPECT_GE(ratio, 3.0) << name;
        EXPECT_LE(ratio, 5.0) << name;
    }
    Rng rng(1);
    Bytes extraLarge = encodeGameState(randomGameState(SaveFamily::Ostrel42, rng, SaveSize::extraLarge()),
                                       versionOf(SaveFamily::Ostrel42));
    EXPECT_GE(extraLarge.size(), 3'000'000u);
}

// Text-rich saves carry the texts of real ones: 10 to 15 % of the game state at every size.
TEST(SaveSizes, TextRichSavesHoldTheirShareOfTexts) {
    const std::pair<const char*, SaveSize> sizes[] = {
        {"small", SaveSize::small()}, {"medium", SaveSize::medium()}, {"extra-large", SaveSize::extraLarge()}};
    for (const auto& [name, size] : sizes) {
        for (SaveFamily family : {SaveFamily::Ostrel42, SaveFamily::Brevin45Sub3}) {
            Rng rng(9);
            GameStateContent content = randomGameState(family, rng, withRichTexts(size));
            double share = static_cast<double>(textBytesOf(content)) /
                           static_cast<double>(encodeGameState(content, versionOf(family)).size());
            EXPECT_GE(share, 0.10) << name << " " << nameOf(family);
            EXPECT_LE(share, 0.15) << name << " " << nameOf(family);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, SaveConversion,
                         ::testing::Combine(::testing::ValuesIn(kAllSaveFamilies), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(nameOf(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_gzip" : "_raw");
                         });

}  // namespace
