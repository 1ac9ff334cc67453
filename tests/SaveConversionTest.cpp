// Whole saves of every family load, convert with the target stamped into the header, and load
// back; the converted body is exactly the content encoded for the target version.

#include <gtest/gtest.h>

#include "driver/Q7Svg.h"
#include "engine/Q7Svg_impl.h"
#include "tests/support/Gzip.h"
#include "tests/support/SaveBuilder.h"
#include "tests/support/ScratchDir.h"

namespace {

class SaveConversion : public ::testing::TestWithParam<std::tuple<SaveFamily, bool>> {};

TEST_P(SaveConversion, ConvertsToSubversion3OfItsFamilyAndLoadsBack) {
    auto [family, gzip] = GetParam();
    ScratchDir dir;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        Rng rng(seed);
        GameStateContent content = randomGameState(family, rng);
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
        std::vector<unsigned char> written = ScratchDir::contents(output);
        ASSERT_GE(written.size(), 2u);
        EXPECT_EQ(gzip, written[0] == 0x1F && written[1] == 0x8B);
        std::vector<unsigned char> convertedBody = gzip ? gunzipMember(written) : written;
        EXPECT_EQ(encodeGameState(content, target).data, convertedBody) << "seed " << seed;

        Q7Svg reloaded;
        reloaded.load(output.c_str());
        ASSERT_FALSE(reloaded.hasError()) << reloaded.engine().errorMessage;
        EXPECT_EQ(reloaded.engine().sourceKind, gzip ? 1u : 2u);
        EXPECT_EQ(reloaded.engine().sourceVersion.svg_version, target.svg_version);
        EXPECT_EQ(reloaded.engine().sourceVersion.svg_subversion, 3u);
        EXPECT_EQ(reloaded.engine().sourceVersion.svg_hw_subversion, target.svg_hw_subversion);
    }
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

INSTANTIATE_TEST_SUITE_P(AllFamilies, SaveConversion,
                         ::testing::Combine(::testing::ValuesIn(kAllSaveFamilies), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(nameOf(std::get<0>(info.param))) +
                                    (std::get<1>(info.param) ? "_gzip" : "_raw");
                         });

}  // namespace
